#pragma once
// Music and effect voices. Volumes are in hundredths of a decibel (0 = full).

namespace platform {

// Opens the output with this many effect voices; false on failure (audioFailure says why).
// While the output is open it does nothing and returns true.
bool initAudio(int effectVoices);
// Why the last initAudio failed, in the sound library's words; "" when it has not failed.
const char* audioFailure();
void shutdownAudio();
// False when this machine cannot play the music (no General MIDI SoundFont was found, or the
// synthesizer refused the music; standard error heard which). Music files then still load,
// checked whole, and play nothing; effects are not affected.
bool musicAvailable();
// Sounds loaded at once; a freed sound's handle is given out again.
constexpr int kMaxSounds = 64;
// Loads while the output is open; the lowest free handle (0 .. kMaxSounds - 1), or -1 on failure.
int loadMusicFile(const char* path);       // a Standard MIDI file
int loadEffectFile(const char* path);      // a WAV file
// True when the file would load as music or as an effect. They read it whole, keep nothing and
// work while the output is closed, so a broken installation is found even without sound.
bool checkMusicFile(const char* path);
bool checkEffectFile(const char* path);
void freeSound(int handle);
// Starts music from its beginning, looping forever, replacing any music playing. False when it
// cannot start, and for music that plays nothing (see musicAvailable).
bool playMusic(int handle, int volumeCentibels);
// Plays an effect once on a free voice; the same effect may overlap itself. False when it
// cannot start (no voice free, or the handle holds no effect).
bool playEffect(int handle, int volumeCentibels);
void stopAllSounds();

}  // namespace platform
