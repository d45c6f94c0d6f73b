#pragma once
// For the SDL platform files: presses seen in the event stream between two readings of the
// keyboard or the mouse. The state is read once a frame, so a key or button pressed and
// released in between (a touchpad's tap, a quick typist) would otherwise never be seen down.
#include <SDL.h>

namespace platform {
// Notes a key or mouse button press; the event pump hands it every event it takes.
void latchPress(const SDL_Event& event);
}  // namespace platform
