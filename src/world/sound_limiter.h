#pragma once
// Keeps one effect from being played on every frame: each play costs 5 credits,
// credits drain by 1 a frame, and a slot with 9 or more credits stays silent.

#include <cstdint>

#include "sound/sound_system.h"

struct SoundLimiter {
    int32_t slots = kSoundSlotCount;
    int32_t step = 5;
    int32_t limit = 9;
    int32_t credits[kSoundSlotCount] = {};
};

void buildLimiter(SoundLimiter& limiter);
bool playLimited(SoundLimiter& limiter, SoundSystem& sound, int slot);
void decayLimiter(SoundLimiter& limiter);
void clearLimiter(SoundLimiter& limiter);
