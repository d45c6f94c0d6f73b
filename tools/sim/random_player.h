#pragma once
// The random player: seeded strokes, scribbles, clicks, long presses, charges and drags, with
// the odd key press. Charges and clicks mostly aim at an object on the field, as a player would.

#include <cstdint>

#include "app/frame_input.h"

struct World;
struct DrawContext;

// Its own generator, so that the player never disturbs the game's.
struct PlayerRandom {
    uint64_t state;
    uint32_t next();
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
};

enum class Gesture { wander, spray, storm, click, longPress, charge, drag, rest };

// Where the player would put the mouse to point at a field position under the present view.
struct Aim {
    const World* world = nullptr;
    const DrawContext* drawing = nullptr;
};

// Strokes, clicks, charges and drags from one point to another.
struct RandomPlayer {
    PlayerRandom rng;
    Aim aim;
    Gesture gesture = Gesture::rest;
    int x0 = 320, y0 = 240, x1 = 320, y1 = 240;
    int length = 1, age = 0;
    bool left = false, right = false;
    uint32_t heldKeys = 0;     // for the whole gesture
    uint32_t tapKeys = 0;      // on its first frame only
    int releaseFrames = 0;     // frames with the buttons up after a click or press

    // The screen point of a random object, by the cursor mapping turned round; false when none.
    bool aimAtObject(int& x, int& y);
    void start();
    FrameInput next();
};
