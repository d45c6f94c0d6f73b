#include "random_player.h"

#include <algorithm>

#include "graphics/draw_context.h"
#include "world/world.h"

uint32_t PlayerRandom::next() {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

bool RandomPlayer::aimAtObject(int& x, int& y) {
    const World& w = *aim.world;
    if (w.objects.count == 0) return false;
    int pick = rng.below(w.objects.count);
    const WorldObject* o = w.objects.head->next;
    while (pick-- > 0) o = o->next;
    const float zoom = aim.drawing->zoom;
    const float weight = zoom < 1.0f ? 3.0f - 2.0f * zoom : 1.0f / zoom;
    const float viewWeight = zoom > 1.0f ? 0.5f * zoom + 0.5f : aim.drawing->zoomBlend;
    x = static_cast<int>((o->x - w.viewX * viewWeight) / weight);
    y = static_cast<int>((o->y - w.viewY * viewWeight) / weight);
    return true;
}

void RandomPlayer::start() {
    x0 = x1;
    y0 = y1;
    x1 = rng.between(-20, 660);
    y1 = rng.between(-20, 500);
    const bool aimed = rng.below(4) != 0;
    age = 0;
    releaseFrames = 0;
    left = right = false;
    const int roll = rng.below(100);
    if (roll < 15) {
        gesture = Gesture::wander;
        length = rng.between(5, 60);
    } else if (roll < 45) {
        gesture = Gesture::spray;
        left = true;
        length = rng.between(8, 40);
    } else if (roll < 60) {
        gesture = Gesture::click;
        (rng.below(2) ? left : right) = true;
        if (!(aimed && aimAtObject(x0, y0))) {
            x0 = x1;
            y0 = y1;
        }
        x1 = x0;
        y1 = y0;
        length = rng.between(1, 5);
        releaseFrames = rng.between(1, 8);
    } else if (roll < 67) {
        gesture = Gesture::longPress;
        (rng.below(2) ? left : right) = true;
        x1 = x0;
        y1 = y0;
        length = rng.between(6, 30);
        releaseFrames = 1;
    } else if (roll < 82) {
        gesture = Gesture::charge;
        right = true;
        length = rng.between(10, 200);
        if (aimed && aimAtObject(x0, y0)) {
            x1 = x0;
            y1 = y0;
        }
    } else if (roll < 87) {
        gesture = Gesture::drag;
        left = true;
        length = rng.between(10, 60);
    } else if (roll < 96) {
        // A long scribble with the left button: water as fast as the stroke allows.
        gesture = Gesture::storm;
        left = true;
        length = rng.between(100, 600);
    } else {
        gesture = Gesture::rest;
        x1 = x0;
        y1 = y0;
        length = rng.between(1, 40);
    }
    heldKeys = 0;
    tapKeys = 0;
    const int keyRoll = rng.below(100);
    if (keyRoll < 2) tapKeys = kSpace;
    else if (keyRoll < 8) heldKeys = kZoomOut;
    else if (keyRoll < 12) heldKeys = kZoomIn;
    else if (keyRoll < 14) heldKeys = kShift | kZoomOut;
    else if (keyRoll < 16) tapKeys = kHud;
    else if (keyRoll < 19) heldKeys = kCreated;
}

FrameInput RandomPlayer::next() {
    if (age >= length + releaseFrames) start();
    FrameInput in;
    if (gesture == Gesture::storm) {
        x1 = std::clamp(x1 + rng.between(-60, 60), 0, 640);
        y1 = std::clamp(y1 + rng.between(-60, 60), 0, 480);
        x0 = x1;
        y0 = y1;
    }
    const int step = age < length ? age + 1 : length;
    in.x = x0 + (x1 - x0) * step / length;
    in.y = y0 + (y1 - y0) * step / length;
    const bool pressed = age < length;
    in.left = pressed && left;
    in.right = pressed && right;
    in.keys = heldKeys | (age == 0 ? tapKeys : 0u);
    ++age;
    return in;
}
