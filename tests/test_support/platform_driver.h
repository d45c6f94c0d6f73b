#pragma once
// What the platform's contract test needs from each implementation of the platform: a window to
// test in, and a way to do what a player does to it (focus, keys, buttons, the pointer). The
// headless driver sets the headless platform's controls; the SDL one sends real X events and
// waits until SDL has taken them in. Every wait gives up after 30 seconds, only to catch a hang.
// Keys are the game's key codes; only DIK_SPACE, DIK_RETURN and DIK_A are driven. Buttons are
// 0 left, 1 right.

namespace platformdriver {

// Starts the window system, opens a 640 x 480 window with focus, video and input devices, and
// leaves no key or button down. False when the window cannot be had.
bool openWindow();
void closeWindow();

// Gives the window the keyboard focus or takes it away; false when the window never says so.
bool setFocus(bool focused);

// Holds a key or a button down, or lets it go; false when the platform never saw it.
bool holdKey(int key, bool down);
bool holdButton(int button, bool down);
// A press and its release, both before the next reading.
bool tapKey(int key);
bool tapButton(int button);
// Moves the pointer by (dx, dy) over the window, or turns the wheel by notches (away from the
// player when positive); false when the platform never saw it.
bool movePointer(int dx, int dy);
bool turnWheel(int notches);

// Whether entering the program's folder really changes the working directory (the headless
// platform only counts it: every test shares the process).
bool changesWorkingDirectory();

}  // namespace platformdriver
