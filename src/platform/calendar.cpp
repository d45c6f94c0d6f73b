// The calendar is the machine's in both implementations of the platform, headless or not.
#include <ctime>

#include "platform/clock.h"

namespace platform {
int64_t calendarSeconds() { return static_cast<int64_t>(std::time(nullptr)); }
}  // namespace platform
