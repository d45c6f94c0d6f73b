#pragma once
// For the SDL platform files and their tests: SDL scancodes to the game's key codes.

namespace platform {
// The game's key code (DirectInput scan code) of an SDL scancode, or 0 for a key it has none for.
int directInputKeyFromScancode(int sdlScancode);
}  // namespace platform
