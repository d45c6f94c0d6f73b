#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/sdl/midi_file.h"
#include "platform/sdl/soundfont_search.h"

namespace {

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr int kChunkBytes = 2048;
using platform::kMaxSounds;

struct LoadedSound {
    Mix_Music* music = nullptr;
    Mix_Chunk* effect = nullptr;
    bool silentMusic = false;  // a whole MIDI file that plays nothing: the music is unavailable
};

LoadedSound gSounds[kMaxSounds];
bool gOpen = false;
bool gMusicAvailable = false;
char gFailure[512] = "";

void noteFailure() { std::snprintf(gFailure, sizeof gFailure, "%s", SDL_GetError()); }

void report(const char* line) {
    std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
}

// The synthesizer takes its SoundFont when the output opens, so it is chosen before that.
platform::SoundFontSearch chooseSoundFont() {
    const char* playerList = std::getenv("SDL_SOUNDFONTS");
    const bool playerFirst =
        playerList != nullptr && playerList[0] != '\0' && SDL_GetHintBoolean("SDL_FORCE_SOUNDFONTS", SDL_FALSE);
    platform::SoundFontSearch search = platform::findSoundFont(platform::soundFontPlaces(), playerList, playerFirst);
    if (!search.found.empty()) Mix_SetSoundFonts(search.found.c_str());
    return search;
}

// A WAV file cut short is refused, not played up to where it ends.
void refuseShortWaveFiles() { SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict"); }

int mixerVolume(int centibels) {
    const double volume = MIX_MAX_VOLUME * std::pow(10.0, centibels / 2000.0);
    if (volume >= MIX_MAX_VOLUME) return MIX_MAX_VOLUME;
    if (volume <= 0.0) return 0;
    return static_cast<int>(std::lround(volume));
}

int freeHandle() {
    for (int handle = 0; handle < kMaxSounds; ++handle) {
        const LoadedSound& sound = gSounds[handle];
        if (sound.music == nullptr && sound.effect == nullptr && !sound.silentMusic) return handle;
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
    gFailure[0] = '\0';
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        noteFailure();
        return false;
    }
    const SoundFontSearch search = chooseSoundFont();
    refuseShortWaveFiles();
    Mix_Init(MIX_INIT_MID);  // MIDI support is checked when the music loads
    if (Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, kChannels, kChunkBytes) != 0) {
        noteFailure();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // Should fewer be granted, the effects that find no voice are dropped.
    Mix_AllocateChannels(effectVoices);
    gMusicAvailable = !search.found.empty();
    if (!gMusicAvailable) report(noSoundFontLine(search, std::getenv("SDL_SOUNDFONTS")).c_str());
    gOpen = true;
    return true;
}

const char* audioFailure() { return gFailure; }

bool musicAvailable() { return gOpen && gMusicAvailable; }

void shutdownAudio() {
    if (!gOpen) return;
    stopAllSounds();
    for (int handle = 0; handle < kMaxSounds; ++handle) freeSound(handle);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    gOpen = false;
    gMusicAvailable = false;
}

int loadMusicFile(const char* path) {
    const int handle = freeHandle();
    if (!gOpen || handle < 0 || path == nullptr) return -1;
    // The mixer finds a damaged MIDI file only when it plays it: refuse it here instead.
    if (!isWholeMidiFileAt(path)) return -1;
    LoadedSound& sound = gSounds[handle];
    if (gMusicAvailable) {
        sound.music = Mix_LoadMUS(path);
        // The file is whole, so a refusal is the synthesizer's, not the game's data: the music
        // goes silent and the game goes on.
        if (sound.music == nullptr) {
            char line[1024];
            std::snprintf(line, sizeof line, "The music synthesizer could not load %s (%s), so the music stays silent.",
                          path, Mix_GetError());
            report(line);
            gMusicAvailable = false;
        }
    }
    sound.silentMusic = sound.music == nullptr;
    return handle;
}

bool checkMusicFile(const char* path) { return path != nullptr && isWholeMidiFileAt(path); }

bool checkEffectFile(const char* path) {
    if (path == nullptr) return false;
    refuseShortWaveFiles();
    SDL_AudioSpec format;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path, &format, &samples, &length) == nullptr) return false;
    SDL_FreeWAV(samples);
    return true;
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
    sound->silentMusic = false;
}

bool playMusic(int handle, int volumeCentibels) {
    LoadedSound* sound = soundAt(handle);
    if (sound == nullptr || sound->music == nullptr || !gMusicAvailable) return false;
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
