#include "platform/clock.h"

#include <SDL.h>

namespace platform {
uint32_t ticksMs() { return SDL_GetTicks(); }
void sleepMs(uint32_t ms) { SDL_Delay(ms); }
}  // namespace platform
