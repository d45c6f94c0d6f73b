#pragma once
// Music and effect voices. Volumes are in hundredths of a decibel (0 = full).

namespace platform {

// Opens the output with this many effect voices; false on failure.
bool initAudio(int effectVoices);
void shutdownAudio();
int loadMusicFile(const char* path);       // a Standard MIDI file; handle, or -1 on failure
int loadEffectFile(const char* path);      // a WAV file; handle, or -1 on failure
void freeSound(int handle);
// Starts music from its beginning, looping forever, replacing any music playing.
bool playMusic(int handle, int volumeCentibels);
// Plays an effect once on a free voice; the same effect may overlap itself. False when it
// cannot start (no voice free, or the handle holds no effect).
bool playEffect(int handle, int volumeCentibels);
void stopAllSounds();

}  // namespace platform
