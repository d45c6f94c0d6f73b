#pragma once
// Keyboard and mouse read once per frame. Key presses become edges reported once, held keys
// count their frames for auto-repeat, and a left click is reported once per press.
#include <cstdint>

#include "platform/keys.h"

constexpr int kKeyCount = 256;

// keyEdge values.
constexpr uint8_t kKeyUp = 0;
constexpr uint8_t kKeyPressedUnread = 1;   // went down, nobody has acted on it yet
constexpr uint8_t kKeyPressedRead = 2;     // acted on, still down

struct MouseState {
    int32_t dx = 0, dy = 0, wheel = 0;     // motion and wheel notches of the latest reading
    uint8_t buttons[4] = {};               // bit 7 = down; 0 left, 1 right, 2 middle
};

struct InputDevice {
    bool joystickPresent = false;          // found at start, never read
    uint8_t keyState[kKeyCount] = {};      // bit 7 = down in the latest poll
    uint8_t keyEdge[kKeyCount] = {};
    int32_t keyHeldFrames[kKeyCount] = {}; // polls in a row that found the key down
    MouseState mouseState;
    int32_t cursorX = 0, cursorY = 0;      // on the 640 x 480 logical screen
    bool clickLatch[2] = {};               // a click of that button was reported; cleared on release
    int32_t repeatDelay = 15;
    int32_t repeatInterval = 5;
};

void constructInputDevice(InputDevice& input);
bool initInput(InputDevice& input);        // fatal on failure
bool pollKeyboard(InputDevice& input);     // false while the keyboard cannot be read
void pollMouse(InputDevice& input);
// One key of a keyboard reading, as pollKeyboard takes each: its state, its press edge and its
// held count.
void takeKeyReading(InputDevice& input, int key, bool down);
// A mouse reading as pollMouse takes it (nullptr: the mouse could not be read); a released
// button's click latch clears either way.
void takeMouseReading(InputDevice& input, const platform::MouseReading* reading);
void updateCursorPosition(InputDevice& input);
bool keyDown(const InputDevice& input, int key);
bool keyPressed(InputDevice& input, int key);
bool keyRepeat(InputDevice& input, int key);
bool anyKeyPressed(InputDevice& input);
bool mouseButtonDown(const InputDevice& input, int button);
bool mouseClicked(InputDevice& input);
void clearKeys(InputDevice& input);
bool clearKey(InputDevice& input, int key);
void shutdownInput(InputDevice& input);
