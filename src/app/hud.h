#pragma once
// The play HUD: a darkened strip at the top with the score, the objects per kind and in total
// and the dreams collected, and one at the bottom with the clock, the water gauge and the map
// label. It slides away while hidden. The combo display shows over the field after a dream.

#include <cstdint>

struct Renderer;

constexpr int kHudKinds = 7;            // aqua, leaf, flare, soil, metal, life, dream
constexpr int kHudSlideSteps = 10;      // frames to slide fully out or in
// The clock flickers while it runs; the endless mode holds it above this, and there it is steady.
constexpr int32_t kHudLastRunningMs = 5939999;

// Colours of the kind icons and counters, all reds, then all greens, then all blues.
extern const int32_t kKindColourRed[kHudKinds];
extern const int32_t kKindColourGreen[kHudKinds];
extern const int32_t kKindColourBlue[kHudKinds];

// Advances the slide by one step and draws the HUD. countsByKind has seven entries; the kind
// equal to highlightKind gets a light bar behind its counter. A running clock draws one value
// from the renderer's effects generator for its flicker.
void drawHud(Renderer& renderer, int32_t score, int32_t scoreCarry, const int32_t countsByKind[kHudKinds],
             int32_t objectCount, int32_t timeMs, int32_t aquaReserve, int32_t highlightKind,
             int32_t dreamsCollected);

// Nothing while comboTimer is below 1; slides in from the left above 85, then fades out.
void drawCombo(Renderer& renderer, int32_t comboTimer, int32_t comboCount, int32_t lastDreamPoints);

// Digits a kind counter is drawn with: 3 up to 999, 4 up to 9999, else 5.
int kindCountDigits(int32_t count);
