#include "platform/clock.h"

#include "platform/headless/headless.h"

namespace {
uint32_t gTicks = 0;
std::vector<uint32_t> gSleeps;
}  // namespace

namespace platform {
uint32_t ticksMs() { return gTicks; }
void sleepMs(uint32_t ms) {
    gSleeps.push_back(ms);
    gTicks += ms;
}

namespace headless {
void setTicks(uint32_t ms) { gTicks = ms; }
void advanceTicks(uint32_t ms) { gTicks += ms; }
const std::vector<uint32_t>& sleeps() { return gSleeps; }
void clearSleeps() { gSleeps.clear(); }
}  // namespace headless
}  // namespace platform
