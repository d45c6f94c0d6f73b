#pragma once
// For the SDL platform files: key and button changes seen in the event stream between two
// readings of the keyboard or the mouse (see platform/latched_reading.h).
#include <SDL.h>

#include "platform/latched_reading.h"

namespace platform {
// Notes a key or mouse button going down or up, and the wheel turning; the event pump hands it
// every event it takes.
void latchChange(const SDL_Event& event);
}  // namespace platform
