#pragma once
// Headless keyboard, mouse and sound: tests set what the keyboard and mouse report and read back
// every sound call. Included from platform/headless/headless.h.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::headless {

// ---- Keyboard and mouse -------------------------------------------------------------------

// Keys are the game's key codes (0..255). A key stays down until released or reset. As with
// SDL's events, a key pressed and released between two readings reads down for one reading.
// Without window focus (setWindowFocus) readKeyboard and readMouse fail, as for a window in
// the background.
void setKeyDown(int key, bool down = true);
void releaseAllKeys();
// Buttons 0 left, 1 right, 2 middle, 3 back; latched like the keys.
void setMouseButton(int button, bool down);
// Motion and wheel notches reported by the next mouse reading only.
void setMouseMotion(int dx, int dy, int wheel = 0);
void setMouseReadable(bool readable);
void setCursor(int x, int y);
void setInputDevicesFail(bool fail);       // initInputDevices returns false
void setGameController(bool present);
bool inputDevicesOpen();
int keyboardReads();                       // readKeyboard calls so far, successful or not
void resetInput();                         // every control back to its default, counters to 0

// ---- Sound ------------------------------------------------------------------------------

// Check: a file checked with the output closed (checkMusicFile or checkEffectFile).
enum class AudioCall { Init, Shutdown, LoadMusic, LoadEffect, Check, Free, PlayMusic, PlayEffect, StopAll };

struct AudioEvent {
    AudioCall call;
    int handle = -1;          // the handle loaded, freed or played; -1 for a failed load
    int volume = 0;           // plays: the volume asked for, in hundredths of a decibel
    std::string path;         // loads and checks: the file name as given
    bool succeeded = true;
};

const std::vector<AudioEvent>& audioEvents();
void clearAudioEvents();
// Loads check only that the file exists (nothing is read). These controls change that.
void failAudioLoad(const std::string& path);   // this file fails to load even if it exists
void assumeAudioFilesExist(bool assume);        // when true, a missing file loads anyway
void failNextAudioPlay();                       // the next playMusic or playEffect fails
void setAudioInitFails(bool fail);              // initAudio fails until this is set false again
// False: music files still load, and their plays fail, as on a machine without a SoundFont.
void setMusicAvailable(bool available);
bool audioOpen();
int playingMusic();                              // the looping music's handle, -1 when none
int effectVoices();                              // the voice count initAudio asked for
// Every effect then plays this long on the headless clock, holding one of the voices asked
// for; a play that finds them all busy fails. 0 (the start) ends each effect at once.
void setEffectLength(uint32_t ms);
int busyVoices();                                // effects still playing now
int loadedSoundCount();
void resetAudio();                               // closes the device, forgets every sound and control

}  // namespace platform::headless
