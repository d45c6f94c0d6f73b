#include "platform/audio.h"

#include <filesystem>
#include <set>
#include <system_error>

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
    int musicPlaying = -1;
    std::vector<SoundKind> sounds;  // indexed by handle; handles are never reused
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

int loadSound(const char* path, SoundKind kind) {
    const AudioCall call = kind == SoundKind::Music ? AudioCall::LoadMusic : AudioCall::LoadEffect;
    const bool loadable = gAudio.open && path != nullptr &&
                          (gAudio.assumeFilesExist || fileExists(path)) &&
                          gAudio.failingPaths.count(path) == 0;
    if (!loadable) {
        record(call, -1, 0, path, false);
        return -1;
    }
    const int handle = static_cast<int>(gAudio.sounds.size());
    gAudio.sounds.push_back(kind);
    record(call, handle, 0, path);
    return handle;
}

bool isKind(int handle, SoundKind kind) {
    return handle >= 0 && handle < static_cast<int>(gAudio.sounds.size()) && gAudio.sounds[handle] == kind;
}

bool takePlayFailure() {
    const bool fail = gAudio.failNextPlay;
    gAudio.failNextPlay = false;
    return fail;
}

}  // namespace

namespace platform {

bool initAudio() {
    const bool ok = !gAudio.initFails;
    record(AudioCall::Init, -1, 0, nullptr, ok);
    gAudio.open = ok;
    return ok;
}

void shutdownAudio() {
    record(AudioCall::Shutdown, -1);
    gAudio.open = false;
    gAudio.musicPlaying = -1;
    for (SoundKind& kind : gAudio.sounds) kind = SoundKind::Free;
}

int loadMusicFile(const char* path) { return loadSound(path, SoundKind::Music); }
int loadEffectFile(const char* path) { return loadSound(path, SoundKind::Effect); }

void freeSound(int handle) {
    record(AudioCall::Free, handle);
    if (handle == gAudio.musicPlaying) gAudio.musicPlaying = -1;
    if (handle >= 0 && handle < static_cast<int>(gAudio.sounds.size())) gAudio.sounds[handle] = SoundKind::Free;
}

bool playMusic(int handle, int volumeCentibels) {
    const bool ok = gAudio.open && isKind(handle, SoundKind::Music) && !takePlayFailure();
    record(AudioCall::PlayMusic, handle, volumeCentibels, nullptr, ok);
    if (ok) gAudio.musicPlaying = handle;
    return ok;
}

bool playEffect(int handle, int volumeCentibels) {
    const bool ok = gAudio.open && isKind(handle, SoundKind::Effect) && !takePlayFailure();
    record(AudioCall::PlayEffect, handle, volumeCentibels, nullptr, ok);
    return ok;
}

void stopAllSounds() {
    record(AudioCall::StopAll, -1);
    gAudio.musicPlaying = -1;
}

namespace headless {

const std::vector<AudioEvent>& audioEvents() { return gAudio.events; }
void clearAudioEvents() { gAudio.events.clear(); }
void failAudioLoad(const std::string& path) { gAudio.failingPaths.insert(path); }
void assumeAudioFilesExist(bool assume) { gAudio.assumeFilesExist = assume; }
void failNextAudioPlay() { gAudio.failNextPlay = true; }
void setAudioInitFails(bool fail) { gAudio.initFails = fail; }
bool audioOpen() { return gAudio.open; }
int playingMusic() { return gAudio.musicPlaying; }

int loadedSoundCount() {
    int count = 0;
    for (SoundKind kind : gAudio.sounds) count += kind != SoundKind::Free;
    return count;
}

void resetAudio() { gAudio = HeadlessAudio{}; }

}  // namespace headless
}  // namespace platform
