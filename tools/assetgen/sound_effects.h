// The list of synthesised effects and their file names.
#pragma once

#include "sound_synth.h"

struct SoundEffect {
    const char* fileName;
    Signal (*make)();
    bool mono;  // interface blips sit in the middle
};

constexpr int kSoundEffectCount = 14;
extern const SoundEffect kSoundEffects[kSoundEffectCount];
