#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>

#include "platform/sdl/midi_file.h"

namespace {

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkBytes = 2048;
constexpr int kMaxSounds = 64;

struct LoadedSound {
    Mix_Music* music = nullptr;
    Mix_Chunk* effect = nullptr;
};

LoadedSound gSounds[kMaxSounds];
bool gOpen = false;

// Debian's General MIDI SoundFonts, most preferred first.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

void chooseSoundFont() {
    const char* named = std::getenv("SDL_SOUNDFONTS");
    if (named != nullptr && named[0] != '\0') return;
    for (const char* path : kSoundFonts) {
        if (SDL_RWops* file = SDL_RWFromFile(path, "rb")) {
            SDL_RWclose(file);
            Mix_SetSoundFonts(path);
            return;
        }
    }
}

int mixerVolume(int centibels) {
    const double volume = MIX_MAX_VOLUME * std::pow(10.0, centibels / 2000.0);
    if (volume >= MIX_MAX_VOLUME) return MIX_MAX_VOLUME;
    if (volume <= 0.0) return 0;
    return static_cast<int>(std::lround(volume));
}

int freeHandle() {
    for (int handle = 0; handle < kMaxSounds; ++handle) {
        if (gSounds[handle].music == nullptr && gSounds[handle].effect == nullptr) return handle;
    }
    return -1;
}

LoadedSound* soundAt(int handle) {
    if (!gOpen || handle < 0 || handle >= kMaxSounds) return nullptr;
    return &gSounds[handle];
}

}  // namespace

namespace platform {

bool initAudio(int effectVoices) {
    if (gOpen) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    chooseSoundFont();
    // A WAV file cut short is refused, not played up to where it ends.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    Mix_Init(MIX_INIT_MID);  // MIDI support is checked when the music loads
    if (Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, kChannels, kChunkBytes) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // Should fewer be granted, the effects that find no voice are dropped.
    Mix_AllocateChannels(effectVoices);
    gOpen = true;
    return true;
}

void shutdownAudio() {
    if (!gOpen) return;
    stopAllSounds();
    for (int handle = 0; handle < kMaxSounds; ++handle) freeSound(handle);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    gOpen = false;
}

int loadMusicFile(const char* path) {
    const int handle = freeHandle();
    if (!gOpen || handle < 0 || path == nullptr) return -1;
    // The mixer finds a damaged MIDI file only when it plays it: refuse it here instead.
    if (!isWholeMidiFileAt(path)) return -1;
    gSounds[handle].music = Mix_LoadMUS(path);
    return gSounds[handle].music != nullptr ? handle : -1;
}

int loadEffectFile(const char* path) {
    const int handle = freeHandle();
    if (!gOpen || handle < 0 || path == nullptr) return -1;
    gSounds[handle].effect = Mix_LoadWAV(path);
    return gSounds[handle].effect != nullptr ? handle : -1;
}

void freeSound(int handle) {
    LoadedSound* sound = soundAt(handle);
    if (sound == nullptr) return;
    if (sound->music != nullptr) {
        Mix_FreeMusic(sound->music);  // halts it first if it is the music playing
        sound->music = nullptr;
    }
    if (sound->effect != nullptr) {
        Mix_FreeChunk(sound->effect);  // halts every voice playing it first
        sound->effect = nullptr;
    }
}

bool playMusic(int handle, int volumeCentibels) {
    LoadedSound* sound = soundAt(handle);
    if (sound == nullptr || sound->music == nullptr) return false;
    Mix_VolumeMusic(mixerVolume(volumeCentibels));
    // Replaces any music playing and starts from the beginning; -1 loops forever.
    return Mix_PlayMusic(sound->music, -1) == 0;
}

bool playEffect(int handle, int volumeCentibels) {
    LoadedSound* sound = soundAt(handle);
    if (sound == nullptr || sound->effect == nullptr) return false;
    Mix_VolumeChunk(sound->effect, mixerVolume(volumeCentibels));
    return Mix_PlayChannel(-1, sound->effect, 0) >= 0;
}

void stopAllSounds() {
    if (!gOpen) return;
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
}

}  // namespace platform
