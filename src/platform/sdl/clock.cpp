#include "platform/clock.h"

#include <SDL.h>

#include <ctime>

namespace platform {
uint32_t ticksMs() { return SDL_GetTicks(); }
void sleepMs(uint32_t ms) { SDL_Delay(ms); }
int64_t calendarSeconds() { return static_cast<int64_t>(std::time(nullptr)); }
}  // namespace platform
