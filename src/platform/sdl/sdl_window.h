#pragma once
// For the SDL platform files only: the one main window (nullptr before createWindow).
#include <SDL.h>

namespace platform {
SDL_Window* sdlWindow();
}  // namespace platform
