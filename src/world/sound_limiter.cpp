#include "world/sound_limiter.h"

void buildLimiter(SoundLimiter& limiter) {
    limiter.slots = kSoundSlotCount;
    limiter.step = kLimiterStep;
    limiter.limit = kLimiterLimit;
    clearLimiter(limiter);
}

bool playLimited(SoundLimiter& limiter, SoundSystem& sound, int slot) {
    if (slot < 0 || slot >= limiter.slots) return false;
    if (limiter.credits[slot] >= limiter.limit) return false;
    playSoundEffect(sound, slot);
    limiter.credits[slot] += limiter.step;
    return true;
}

void decayLimiter(SoundLimiter& limiter) {
    for (int32_t& c : limiter.credits) {
        if (c > 0) c -= 1;
    }
}

void clearLimiter(SoundLimiter& limiter) {
    for (int32_t& c : limiter.credits) c = 0;
}
