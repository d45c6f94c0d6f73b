#include "world/player.h"

#include <cmath>

#include "input/input_device.h"
#include "world/object_step.h"
#include "world/world.h"

namespace {

constexpr int kSprayStrokeCost = 100;
constexpr int kSprayStartMs = 500;
constexpr int kComboFrames = 90;
constexpr int kBonusEvery = 20;
constexpr int kWaveFrames = 30;
constexpr int kShortClickFrames = 5;
constexpr int kFirstWaveFrame = 10;

void addStroke(World& w, int amount) {
    w.stroke += amount;
    if (w.stroke > kStrokeMax) w.stroke = kStrokeMax;
}

float squaredDistanceToCursor(const World& w, const WorldObject& o) {
    const float dx = o.x - static_cast<float>(w.cursorX);
    const float dy = o.y - static_cast<float>(w.cursorY);
    return dx * dx + dy * dy;
}

// The direction the cursor came from, from its present position back to the previous one.
int angleBackAlongCursor(const World& w) {
    return angleTo(static_cast<float>(w.cursorX), static_cast<float>(w.cursorY), static_cast<float>(w.prevCursorX),
                   static_cast<float>(w.prevCursorY));
}

void cutAqua(World& w, WorldObject& drop) {
    const int a = angleBackAlongCursor(w);
    const int half = static_cast<int>(static_cast<float>(drop.size) / 1.4142135f);
    const float shift = static_cast<float>(half) * 0.25f;
    drop.size = half;
    drop.vx = tableCos(w.math, a + 90);
    drop.vy = tableSin(w.math, a + 90);
    drop.launchTimer = 10;
    drop.x += drop.vx * shift;
    drop.y += drop.vy * shift;
    if (addObject(w.objects, aqua, half, drop.x, drop.y, tableCos(w.math, a - 90), tableSin(w.math, a - 90), 0, 90,
                  255, 255, 255, 10, false)) {
        WorldObject* other = newestRecord(w.objects);
        other->x += other->vx * shift;
        other->y += other->vy * shift;
    }
    playWorldSound(w, kSlotAqua);
}

void collectClover(World& w, WorldObject& clover) {
    beginDying(w, clover);
    playWorldSound(w, kSlotGetClover);
    w.score += 3 * clover.size;
    w.timeLeftMs += 6 * clover.size;
}

void driftLeaf(World& w, WorldObject& leafObject) {
    leafObject.vx = tableCos(w.math, leafObject.angle + 90) * 0.15f;
    leafObject.vy = tableSin(w.math, leafObject.angle + 90) * 0.15f;
    leafObject.launchTimer = 20;
}

// Life and large objects are pushed along the cursor's movement.
void nudge(World& w, WorldObject& o) {
    const int a = angleBackAlongCursor(w) + 180;
    o.vx = tableCos(w.math, a) * 0.5f;
    o.vy = tableSin(w.math, a) * 0.5f;
    o.launchTimer = 10;
    if (o.kind == life) playWorldSound(w, kSlotLife);
}

void collectDream(World& w, WorldObject& dreamObject) {
    beginDying(w, dreamObject);
    playWorldSound(w, kSlotGetDream);
    if (w.comboTimer > 0) w.comboCount += 1;
    w.comboTimer = kComboFrames;
    const int points = static_cast<int>((w.comboCount * 0.1 + 1.0) * (5 * dreamObject.size));
    w.score += points;
    w.lastDreamPoints = points;
    w.dreamsCollected += 1;
    if (w.dreamsCollected > w.nextBonusAt) {
        spawnSprout(w);
        w.nextBonusAt += kBonusEvery;
    }
}

void touchOne(World& w, WorldObject& o) {
    const float factor = (o.kind == dream || (o.kind == leaf && o.clover)) ? 0.8f : 0.45f;
    const float r = static_cast<float>(o.size) * 0.45f * factor;
    if (!(squaredDistanceToCursor(w, o) < r * r)) return;
    switch (o.kind) {
        case aqua:
            if (o.launchTimer == 0 && o.size > 50) cutAqua(w, o);
            break;
        case leaf:
            if (o.clover && w.cloversCollectable) {
                collectClover(w, o);
            } else {
                driftLeaf(w, o);
            }
            break;
        case dream:
            collectDream(w, o);
            break;
        case flare:
        case soil:
        case metal:
            break;
        default:  // life and every kind from 8 up
            if (o.launchTimer == 0) nudge(w, o);
            break;
    }
}

bool chargeable(const WorldObject& o) {
    if (o.kind == flare) return false;
    return !(o.kind == aqua && o.size < 200);
}

// A wave that runs adds one frame and pushes its ring; after 30 frames it stops.
void advanceWave(World& w, int& wave, RingPush direction) {
    if (wave <= 0) return;
    wave += 1;
    const int n = wave;
    pushRing(w, direction == RingPush::attract ? (kWaveFrames - n) * 8 : 7 * n, direction);
    if (wave > kWaveFrames) wave = 0;
}

void startWave(World& w, int& wave, int slot) {
    if (wave != 0) return;
    wave = 1;
    playSoundEffect(*w.sound, slot);
}

}  // namespace

bool leftButtonHeld(const World& w) { return w.input && mouseButtonDown(*w.input, 0); }
bool rightButtonHeld(const World& w) { return w.input && mouseButtonDown(*w.input, 1); }

void updateCursor(World& w, float zoom, float zoomBlend) {
    const int oldX = w.cursorX, oldY = w.cursorY;
    const int oldPrevX = w.prevCursorX, oldPrevY = w.prevCursorY;
    w.prevCursorX = oldX;
    w.prevCursorY = oldY;

    int mx = w.input ? w.input->cursorX : 0;
    int my = w.input ? w.input->cursorY : 0;
    clampInt(mx, 640);
    clampInt(my, 480);
    w.mouseX = mx;
    w.mouseY = my;

    const float weight = zoom < 1.0f ? 3.0f - 2.0f * zoom : 1.0f / zoom;
    const float viewWeight = zoom > 1.0f ? 0.5f * zoom + 0.5f : zoomBlend;
    w.cursorX = static_cast<int>(w.viewX * viewWeight + static_cast<float>(mx) * weight);
    w.cursorY = static_cast<int>(w.viewY * viewWeight + static_cast<float>(my) * weight);

    // A jitter of a unit or two is no movement: the stroke keeps its measure from the last real move.
    if (absInt(w.cursorX - oldX) <= 2 && absInt(w.cursorY - oldY) <= 2) {
        w.prevCursorX = oldPrevX;
        w.prevCursorY = oldPrevY;
        return;
    }
    if (leftButtonHeld(w) || rightButtonHeld(w)) {
        const float dx = static_cast<float>(w.cursorX - w.prevCursorX);
        const float dy = static_cast<float>(w.cursorY - w.prevCursorY);
        addStroke(w, static_cast<int>(std::sqrt(dx * dx + dy * dy)));
    } else {
        w.stroke = 0;
    }
}

void updateView(World& w, float zoom) {
    if (w.endCounter > 0) return;
    if (zoom < 0.51f) {
        w.viewX = static_cast<float>(w.mouseX - 160) * 2.0f;
        w.viewY = static_cast<float>(w.mouseY - 120) * 2.0f;
    } else {
        // The scroll speed grows with the square of the distance from the screen centre.
        float ex = static_cast<float>(w.mouseX - 320) / 320.0f;
        float ey = static_cast<float>(w.mouseY - 240) / 240.0f;
        if (zoom > 1.0f) {
            ex /= zoom;
            ey /= zoom;
        }
        w.viewX += 10.0f * ex * absFloat(ex);
        w.viewY += 10.0f * ey * absFloat(ey);
    }
    clampFloat(w.viewX, 0.0f, 640.0f);
    clampFloat(w.viewY, 0.0f, 480.0f);
}

void spawnCursorTrail(World& w) {
    float dx = static_cast<float>(w.prevCursorX - w.cursorX);
    float dy = static_cast<float>(w.prevCursorY - w.cursorY);
    raiseToMinimum(dx, dy, 2.0f);
    limitToMaximum(dx, dy, 8.0f);
    for (int i = 0; i < 2; ++i) {
        const float vx = dx + (randomFloat(w.math, 6.0f) - 3.0f);
        const float vy = dy + (randomFloat(w.math, 6.0f) - 3.0f);
        const int variant = static_cast<int>(nextRandom(w.math) % 7u);
        spawnTrail(w.trail, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY), vx, vy, variant);
    }
}

void sprayAqua(World& w) {
    if (w.endCounter > 0 || w.elapsedMs < kSprayStartMs || w.grabbed != nullptr) return;
    if (!leftButtonHeld(w) || w.stroke <= kSprayStrokeCost || w.aquaReserve <= 0) return;
    w.stroke -= kSprayStrokeCost;
    const int cost = static_cast<int>(randomInt(w.math, 100)) + 50;
    w.aquaReserve -= cost;
    const float vy = randomFloat(w.math, 1.4f) - 0.7f;
    const float vx = randomFloat(w.math, 1.4f) - 0.7f;
    addObject(w.objects, aqua, cost, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY), vx, vy, 0, 90, 255,
              255, 255, 10, false);
    playWorldSound(w, kSlotAqua);
}

void touchObjects(World& w) {
    if (w.endCounter > 0 || leftButtonHeld(w) || rightButtonHeld(w)) return;
    beginIteration(w.objects);
    while (!atEnd(w.objects)) {
        WorldObject* o = nextRecord(w.objects);
        if (!o->dying) touchOne(w, *o);
    }
}

void spawnSprout(World& w) {
    const float y = randomFloat(w.math, 810.0f) + 75.0f;
    const float x = randomFloat(w.math, 1130.0f) + 75.0f;
    addObject(w.objects, sprout, 200, x, y, 0.0f, 0.0f, 0, 255, 255, 255, 255, 10, false);
}

void grabAndCharge(World& w, int frame) {
    if (w.endCounter > 0) return;
    const bool left = leftButtonHeld(w);
    const bool right = rightButtonHeld(w);
    if (!left) w.grabBlocked = false;
    if (w.grabbed) {
        WorldObject& held = *w.grabbed;
        held.x = static_cast<float>(w.cursorX);
        held.y = static_cast<float>(w.cursorY);
        // A released record is let go too, so the hand never holds a recycled one.
        if (!left || held.dying || !held.active) w.grabbed = nullptr;
    }
    if (!left && !right) return;
    if (frame % 2 == 0) addStroke(w, 13);

    beginIteration(w.objects);
    while (!atEnd(w.objects)) {
        WorldObject* o = nextRecord(w.objects);
        if (o->dying) continue;
        const float reach = static_cast<float>(o->size) * 0.5f * 0.45f;
        if (!(squaredDistanceToCursor(w, *o) < reach * reach)) continue;
        if (right && chargeable(*o)) {
            o->charge += w.stroke;
            if (w.stroke > 5) o->touched = true;
            w.stroke = 0;
        } else if (left && !w.grabBlocked && w.grabbed == nullptr && o->kind >= aquaFlower) {
            w.grabbed = o;
        }
    }
    // A press that starts away from anything grabbable cannot pick one up by sliding onto it.
    w.grabBlocked = left && w.grabbed == nullptr;
}

void clickWaves(World& w, int frame) {
    if (w.endCounter > 0 || frame < kFirstWaveFrame) return;
    advanceWave(w, w.attractWave, RingPush::attract);
    advanceWave(w, w.repelWave, RingPush::repel);

    if (leftButtonHeld(w)) {
        w.pressFrames += 1;
        w.pressWasLeft = true;
        return;
    }
    if (rightButtonHeld(w)) {
        w.pressFrames += 1;
        w.pressWasLeft = false;
        return;
    }
    if (w.pressFrames >= 1 && w.pressFrames <= kShortClickFrames) {
        if (w.pressWasLeft) {
            startWave(w, w.repelWave, kSlotRepel);
        } else {
            startWave(w, w.attractWave, kSlotAttract);
        }
        w.waveX = w.cursorX;
        w.waveY = w.cursorY;
    }
    w.pressFrames = 0;
}

void pushRing(World& w, int radius, RingPush direction) {
    const float sign = direction == RingPush::attract ? 1.0f : -1.0f;
    const int inner = (radius - 15) * (radius - 15);
    const int outer = (radius + 15) * (radius + 15);
    // Dying objects are pushed too.
    for (WorldObject* o = w.objects.head->next; o->active; o = o->next) {
        const int dx = static_cast<int>(o->x) - w.waveX;
        const int dy = static_cast<int>(o->y) - w.waveY;
        const int d2 = dx * dx + dy * dy;
        if (inner < d2 && d2 < outer) {
            o->vx = (static_cast<float>(w.waveX) - o->x) / static_cast<float>(radius) * sign;
            o->vy = (static_cast<float>(w.waveY) - o->y) / static_cast<float>(radius) * sign;
        }
    }
}
