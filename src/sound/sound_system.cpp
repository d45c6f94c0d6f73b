#include "sound/sound_system.h"

#include <cstdio>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/message.h"

namespace {

constexpr const char* kSlotOutOfRange = "Segment index error.";
constexpr const char* kLoadFailed = "セグメントのデータロードに失敗しました。";
constexpr const char* kMusicPlayFailed = "プライマリ・セグメントの再生に失敗しました。";
constexpr const char* kEffectPlayFailed = "セカンダリ・セグメントの再生に失敗しました。";

constexpr int kEffectVolume = -384;  // -3.84 dB keeps effects under the music

struct SoundFile {
    int slot;
    const char* file;
    bool music;
};

// Music first, then the effects, in slot order; slots 3 and 8 stay empty.
constexpr SoundFile kSoundTable[] = {
    {kSlotTitleMusic, "sound/Mossdrift.mid", true},
    {kSlotPlayMusic, "sound/Mossbloom.mid", true},
    {kSlotDecide, "sound/decide.wav", false},
    {kSlotSelect, "sound/select.wav", false},
    {kSlotAqua, "sound/aqua.wav", false},
    {kSlotLeaf, "sound/leaf.wav", false},
    {kSlotFlare, "sound/flare.wav", false},
    {kSlotMetal, "sound/metal.wav", false},
    {kSlotLife, "sound/life.wav", false},
    {kSlotDream, "sound/dream.wav", false},
    {kSlotOpen, "sound/open.wav", false},
    {kSlotGetClover, "sound/get_clover.wav", false},
    {kSlotGetDream, "sound/get_dream.wav", false},
    {kSlotAttract, "sound/atract.wav", false},
    {kSlotRepel, "sound/repel.wav", false},
    {kSlotMutation, "sound/mutation.wav", false},
};

void releaseSlot(SoundSystem& sound, int slot) {
    if (sound.segments[slot] >= 0) {
        platform::freeSound(sound.segments[slot]);
        sound.segments[slot] = -1;
    }
}

[[noreturn]] void failLoad(const char* file, bool music) {
    char detail[512];
    std::snprintf(detail, sizeof(detail), "Could not load the %s %s", music ? "music" : "sound",
                  file ? file : "(no file name)");
    platform::fatal(kLoadFailed, detail);
}

bool loadSlot(SoundSystem& sound, int slot, const char* file, bool music) {
    if (slot < 0 || slot >= sound.segmentCount) {
        char detail[128];
        std::snprintf(detail, sizeof(detail), "Could not load a sound: slot %d does not exist.", slot);
        platform::fatal(kSlotOutOfRange, detail);
    }
    releaseSlot(sound, slot);
    const int handle = music ? platform::loadMusicFile(file) : platform::loadEffectFile(file);
    if (handle < 0) failLoad(file, music);
    sound.segments[slot] = handle;
    return true;
}

void loadTableFiles(SoundSystem& sound) {
    for (const SoundFile& entry : kSoundTable) loadSlot(sound, entry.slot, entry.file, entry.music);
}

// The same files read and refused as a load would, with nothing kept: the output is closed.
void checkTableFiles() {
    for (const SoundFile& entry : kSoundTable) {
        const bool loads = entry.music ? platform::checkMusicFile(entry.file) : platform::checkEffectFile(entry.file);
        if (!loads) failLoad(entry.file, entry.music);
    }
}

// Playing a slot that holds no sound fails like a refused play instead of touching nothing.
int playableHandle(const SoundSystem& sound, int slot) {
    if (slot < 0 || slot >= sound.segmentCount) return -1;
    return sound.segments[slot];
}

// A play can freeze nothing: the effect is left out, and standard error hears of it at most
// once a second, with the count of those dropped since.
void dropEffect(SoundSystem& sound, int slot) {
    sound.droppedEffects += 1;
    const uint32_t now = platform::ticksMs();
    if (sound.dropReported && now - sound.lastDropReportMs < kDropReportIntervalMs) return;
    std::fprintf(stderr, "no voice free for the sound in slot %d: %d sound effect%s dropped\n", slot,
                 sound.droppedEffects, sound.droppedEffects == 1 ? "" : "s");
    std::fflush(stderr);
    sound.droppedEffects = 0;
    sound.dropReported = true;
    sound.lastDropReportMs = now;
}

}  // namespace

void constructSoundSystem(SoundSystem& sound) {
    for (int& segment : sound.segments) segment = -1;
    sound.segmentCount = kSoundSlotCount;
    sound.bgmVolume = 0;
    sound.seVolume = 0;
    sound.muted = false;
    sound.started = false;
    sound.outputMissing = false;
    sound.droppedEffects = 0;
    sound.dropReported = false;
    sound.lastDropReportMs = 0;
}

bool initSound(SoundSystem& sound) {
    if (sound.started) return true;
    if (!platform::initAudio(kEffectVoices)) {
        std::fprintf(stderr, "No sound: the sound output could not be opened (%s). The game plays muted; F3 tries again.\n",
                     platform::audioFailure());
        std::fflush(stderr);
        return false;
    }
    sound.started = true;
    return true;
}

bool loadSoundEffect(SoundSystem& sound, int slot, const char* file) {
    return loadSlot(sound, slot, file, false);
}

bool loadMusic(SoundSystem& sound, int slot, const char* file) {
    return loadSlot(sound, slot, file, true);
}

bool playMusic(SoundSystem& sound, int slot) {
    if (sound.muted) return false;
    const int handle = playableHandle(sound, slot);
    // Without a SoundFont the music slots play nothing; standard error said so at start.
    if (handle >= 0 && !platform::musicAvailable()) return false;
    if (handle < 0 || !platform::playMusic(handle, sound.bgmVolume)) {
        platform::showMessage(nullptr, kMusicPlayFailed, "Could not play the music.");
        return false;
    }
    return true;
}

bool playSoundEffect(SoundSystem& sound, int slot) {
    if (sound.muted) return false;
    const int handle = playableHandle(sound, slot);
    if (handle < 0) {
        // A slot that holds no effect is a fault of the game, not of a busy moment.
        platform::showMessage(nullptr, kEffectPlayFailed, "Could not play a sound effect: its slot holds none.");
        return false;
    }
    if (!platform::playEffect(handle, sound.seVolume)) {
        dropEffect(sound, slot);
        return false;
    }
    return true;
}

void stopAll(SoundSystem& sound) {
    if (sound.started) platform::stopAllSounds();
}

void shutdownSound(SoundSystem& sound) {
    sound.outputMissing = false;
    if (!sound.started) return;
    stopAll(sound);
    for (int slot = 0; slot < sound.segmentCount; ++slot) releaseSlot(sound, slot);
    platform::shutdownAudio();
    sound.started = false;
}

void loadSoundTable(SoundSystem& sound) {
    if (initSound(sound)) {
        loadTableFiles(sound);
    } else {
        checkTableFiles();
        sound.outputMissing = true;
        sound.muted = true;
    }
    sound.bgmVolume = 0;
    sound.seVolume = kEffectVolume;
}

bool openMissingOutput(SoundSystem& sound) {
    if (!sound.outputMissing) return sound.started;
    if (!initSound(sound)) return false;
    loadTableFiles(sound);
    sound.outputMissing = false;
    return true;
}

void unloadSoundTable(SoundSystem& sound) {
    stopAll(sound);
    shutdownSound(sound);
}
