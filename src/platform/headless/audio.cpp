#include "platform/audio.h"

#include <cstdint>
#include <filesystem>
#include <set>
#include <system_error>
#include <vector>

#include "platform/clock.h"
#include "platform/headless/headless.h"

namespace {

using platform::headless::AudioCall;
using platform::headless::AudioEvent;

enum class SoundKind { Free, Music, Effect };

struct HeadlessAudio {
    bool open = false;
    bool initFails = false;
    bool assumeFilesExist = false;
    bool failNextPlay = false;
    bool musicAvailable = true;
    std::string failure;            // why the last initAudio failed
    int musicPlaying = -1;
    int effectVoices = 0;           // as asked for by initAudio
    uint32_t effectLengthMs = 0;    // how long every effect plays; 0 ends it at once
    std::vector<uint32_t> voiceEnds;  // when each busy voice comes free, on the headless clock
    SoundKind sounds[platform::kMaxSounds] = {};  // by handle; a freed handle is given out again
    std::set<std::string> failingPaths;
    std::vector<AudioEvent> events;
};

HeadlessAudio gAudio;

void record(AudioCall call, int handle, int volume = 0, const char* path = nullptr, bool ok = true) {
    gAudio.events.push_back({call, handle, volume, path ? path : "", ok});
}

bool fileExists(const char* path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool fileLoads(const char* path) {
    return path != nullptr && (gAudio.assumeFilesExist || fileExists(path)) && gAudio.failingPaths.count(path) == 0;
}

// The lowest handle that holds no sound, or -1 when every one is taken.
int freeHandle() {
    for (int handle = 0; handle < platform::kMaxSounds; ++handle) {
        if (gAudio.sounds[handle] == SoundKind::Free) return handle;
    }
    return -1;
}

int loadSound(const char* path, SoundKind kind) {
    const AudioCall call = kind == SoundKind::Music ? AudioCall::LoadMusic : AudioCall::LoadEffect;
    const int handle = freeHandle();
    if (!gAudio.open || handle < 0 || !fileLoads(path)) {
        record(call, -1, 0, path, false);
        return -1;
    }
    gAudio.sounds[handle] = kind;
    record(call, handle, 0, path);
    return handle;
}

bool checkSound(const char* path) {
    const bool ok = fileLoads(path);
    record(AudioCall::Check, -1, 0, path, ok);
    return ok;
}

bool isKind(int handle, SoundKind kind) {
    return handle >= 0 && handle < platform::kMaxSounds && gAudio.sounds[handle] == kind;
}

// Takes a voice for one effect; false when every voice is still busy.
bool takeVoice() {
    if (gAudio.effectLengthMs == 0) return true;
    const uint32_t now = platform::ticksMs();
    std::erase_if(gAudio.voiceEnds, [now](uint32_t end) { return static_cast<int32_t>(now - end) >= 0; });
    if (static_cast<int>(gAudio.voiceEnds.size()) >= gAudio.effectVoices) return false;
    gAudio.voiceEnds.push_back(now + gAudio.effectLengthMs);
    return true;
}

bool takePlayFailure() {
    const bool fail = gAudio.failNextPlay;
    gAudio.failNextPlay = false;
    return fail;
}

}  // namespace

namespace platform {

bool initAudio(int effectVoices) {
    // An open output stays as it is, with the voices it has.
    if (gAudio.open) {
        record(AudioCall::Init, -1);
        return true;
    }
    const bool ok = !gAudio.initFails;
    record(AudioCall::Init, -1, 0, nullptr, ok);
    gAudio.failure = ok ? "" : "the headless output was told to refuse";
    gAudio.open = ok;
    gAudio.effectVoices = effectVoices;
    gAudio.voiceEnds.clear();
    return ok;
}

const char* audioFailure() { return gAudio.failure.c_str(); }

bool musicAvailable() { return gAudio.open && gAudio.musicAvailable; }

void shutdownAudio() {
    record(AudioCall::Shutdown, -1);
    gAudio.open = false;
    gAudio.musicPlaying = -1;
    for (SoundKind& kind : gAudio.sounds) kind = SoundKind::Free;
}

int loadMusicFile(const char* path) { return loadSound(path, SoundKind::Music); }
int loadEffectFile(const char* path) { return loadSound(path, SoundKind::Effect); }
bool checkMusicFile(const char* path) { return checkSound(path); }
bool checkEffectFile(const char* path) { return checkSound(path); }

void freeSound(int handle) {
    record(AudioCall::Free, handle);
    if (handle == gAudio.musicPlaying) gAudio.musicPlaying = -1;
    if (handle >= 0 && handle < kMaxSounds) gAudio.sounds[handle] = SoundKind::Free;
}

bool playMusic(int handle, int volumeCentibels) {
    const bool ok =
        gAudio.open && isKind(handle, SoundKind::Music) && gAudio.musicAvailable && !takePlayFailure();
    record(AudioCall::PlayMusic, handle, volumeCentibels, nullptr, ok);
    if (ok) gAudio.musicPlaying = handle;
    return ok;
}

bool playEffect(int handle, int volumeCentibels) {
    const bool ok = gAudio.open && isKind(handle, SoundKind::Effect) && !takePlayFailure() && takeVoice();
    record(AudioCall::PlayEffect, handle, volumeCentibels, nullptr, ok);
    return ok;
}

void stopAllSounds() {
    record(AudioCall::StopAll, -1);
    gAudio.musicPlaying = -1;
    gAudio.voiceEnds.clear();
}

namespace headless {

const std::vector<AudioEvent>& audioEvents() { return gAudio.events; }
void clearAudioEvents() { gAudio.events.clear(); }
void failAudioLoad(const std::string& path) { gAudio.failingPaths.insert(path); }
void assumeAudioFilesExist(bool assume) { gAudio.assumeFilesExist = assume; }
void failNextAudioPlay() { gAudio.failNextPlay = true; }
void setAudioInitFails(bool fail) { gAudio.initFails = fail; }
void setMusicAvailable(bool available) { gAudio.musicAvailable = available; }
bool audioOpen() { return gAudio.open; }
int playingMusic() { return gAudio.musicPlaying; }
int effectVoices() { return gAudio.effectVoices; }
void setEffectLength(uint32_t ms) { gAudio.effectLengthMs = ms; }

int busyVoices() {
    const uint32_t now = platform::ticksMs();
    int busy = 0;
    for (uint32_t end : gAudio.voiceEnds) busy += static_cast<int32_t>(now - end) < 0 ? 1 : 0;
    return busy;
}

int loadedSoundCount() {
    int count = 0;
    for (SoundKind kind : gAudio.sounds) count += kind != SoundKind::Free;
    return count;
}

void resetAudio() { gAudio = HeadlessAudio{}; }

}  // namespace headless
}  // namespace platform
