#pragma once
// Keeps one effect from being played on every frame: each play costs 5 credits,
// credits drain by 1 a frame, and a slot with 9 or more credits stays silent.

#include <cstdint>

#include "sound/sound_system.h"

constexpr int32_t kLimiterStep = 5;
constexpr int32_t kLimiterLimit = 9;

struct SoundLimiter {
    int32_t slots = kSoundSlotCount;
    int32_t step = kLimiterStep;
    int32_t limit = kLimiterLimit;
    int32_t credits[kSoundSlotCount] = {};
};

void buildLimiter(SoundLimiter& limiter);
bool playLimited(SoundLimiter& limiter, SoundSystem& sound, int slot);
void decayLimiter(SoundLimiter& limiter);
void clearLimiter(SoundLimiter& limiter);

// The most plays the limiter lets one slot make within any run of this many frames: from no
// credits, two at once, then one each time the credits drain below the limit again. Starting
// with credits never allows more.
constexpr int limitedPlaysWithin(int frames) {
    int32_t credits = 0;
    int plays = 0;
    for (int frame = 0; frame < frames; ++frame) {
        if (credits > 0) credits -= 1;
        while (credits < kLimiterLimit) {
            credits += kLimiterStep;
            plays += 1;
        }
    }
    return plays;
}

// Frames a voice stays busy: the longest effect and up to 100 ms in the mixer's buffer, at 30
// frames a second, counting the frame it starts in.
constexpr int kVoiceBusyFrames = (kLongestEffectMs + 100) * 30 / 1000 + 1;
// Effects played outside the limiter within that time: two waves of each kind at most.
constexpr int kUnlimitedPlaysWhileBusy = 4;
constexpr int kLimiterWorstVoices = kSoundSlotCount * limitedPlaysWithin(kVoiceBusyFrames) + kUnlimitedPlaysWhileBusy;
static_assert(kEffectVoices >= kLimiterWorstVoices, "too few effect voices for the sound limiter's worst case");
