#pragma once
// Millisecond clock, sleep and calendar time.
#include <cstdint>

namespace platform {
uint32_t ticksMs();                 // milliseconds since an arbitrary start, wraps at 2^32
void sleepMs(uint32_t ms);          // sleeps about ms milliseconds (1 ms resolution)
int64_t calendarSeconds();          // seconds since 1970 (the generator's clock seed)
}  // namespace platform
