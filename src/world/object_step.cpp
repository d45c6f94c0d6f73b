#include "world/object_step.h"

#include "world/bursts.h"
#include "world/world.h"

namespace {

constexpr int kWhite = 255;

// Launch makes a fresh object shoot out: the speed grows with size and the timer left.
void applyLaunchMotion(WorldObject& o) {
    const float factor = static_cast<float>(o.size * o.launchTimer) * 0.005f + 1.0f;
    o.x += factor * o.vx;
    o.y += factor * o.vy;
}

void countDownTimers(WorldObject& o) {
    if (o.launchTimer > 0) o.launchTimer -= 1;
    if (o.fadeTimer > 0) o.fadeTimer -= 1;
    o.touched = false;
}

// An object may drift beyond the edge by a third of its size before it is lost.
bool insideMargin(const WorldObject& o) {
    const float third = static_cast<float>(o.size / 3);
    return o.x >= -third && o.x <= kFieldWidth + third && o.y >= -third && o.y <= kFieldHeight + third;
}

void splitLife(World& w, WorldObject& o) {
    beginDying(w, o);
    spawnLifeChild(w, o, o.size / 2);
    spawnLifeChild(w, o, o.size / 2);
    playWorldSound(w, kSlotLife);
}

// The kind's own behaviour; false when the object was removed.
bool stepOwnBehaviour(World& w, WorldObject& o, int frame) {
    if (o.kind >= aquaFlower) {
        stepLargeObject(w, o, frame);
        return true;
    }
    switch (o.kind) {
        case aqua:
            o.alpha = (o.size <= 200) ? 90 : 205;
            break;
        case flare:
            o.angle += 8;
            o.size -= 2;
            o.vx *= 0.99f;
            o.vy *= 0.99f;
            if (o.size <= 10) {
                removeCurrent(w.objects);
                return false;
            }
            break;
        case soil:
            o.angle += 4;
            o.green = o.absorbed + 50;
            o.blue = o.absorbed * 2;
            break;
        case metal:
            o.angle -= 4;
            o.green = o.blue = 255 - 2 * o.absorbed;
            break;
        case life:
            if (o.size >= 300 && !o.dying) splitLife(w, o);
            break;
        case dream:
            o.angle -= 8;
            if (frame % 2 == 0) o.size -= 1;
            if (o.size <= 10) {
                removeCurrent(w.objects);
                return false;
            }
            break;
        default:
            break;
    }
    return true;
}

void stepObject(World& w, WorldObject& o, int frame) {
    applyLaunchMotion(o);
    countDownTimers(o);
    if (!insideMargin(o)) {
        removeCurrent(w.objects);
        return;
    }
    if (!stepOwnBehaviour(w, o, frame)) return;
    if (o.dying) return;
    burstObject(w, o);
    if (o.active && !o.dying) bloomObject(w, o);
}

void braked(WorldObject& o) {
    o.vx *= 0.95f;
    o.vy *= 0.95f;
}

void driftOnceMore(WorldObject& o) {
    o.angle += 4;
    o.x += o.vx;
    o.y += o.vy;
}

void sprayAquaRing(World& w, const WorldObject& flower) {
    for (int theta = 0; theta < 360; theta += 60) {
        addObject(w.objects, aqua, 80, flower.x, flower.y, 4.0f * tableCos(w.math, theta),
                  4.0f * tableSin(w.math, theta), 0, 90, kWhite, kWhite, kWhite, 10, false);
    }
}

}  // namespace

void updateObjects(World& w, int frame) {
    beginIteration(w.objects);
    while (!atEnd(w.objects)) stepObject(w, *nextRecord(w.objects), frame);
}

void beginDying(World& w, WorldObject& o) {
    o.dying = true;
    o.fadeTimer = 8;
    o.charge = 0;
    o.green = 255;
    if (w.objects.count > 1) moveToBack(w.objects, o);
}

void spawnLifeChild(World& w, const WorldObject& parent, int childSize) {
    const float vy = randomFloat(w.math, 1.0f) - 0.5f;
    const float vx = randomFloat(w.math, 1.0f) - 0.5f;
    addObject(w.objects, life, childSize, parent.x, parent.y, vx, vy, 0, 255, kWhite, kWhite, kWhite, 10,
              false);
}

void stepLargeObject(World& w, WorldObject& o, int frame) {
    switch (o.kind) {
        case flareFlower: {
            const bool brakedNow = o.vx * o.vx + o.vy * o.vy > 0.04f;
            if (brakedNow) braked(o);
            driftOnceMore(o);
            if (frame % 8 == 0 && !brakedNow) {
                addObject(w.objects, flare, o.size / 2, o.x, o.y, -40.0f * o.vx, -40.0f * o.vy, o.angle, 255,
                          kWhite, kWhite, kWhite, 5, false);
            }
            break;
        }
        case metalFlower:
            if (o.vx * o.vx + o.vy * o.vy > 0.01f) braked(o);
            driftOnceMore(o);
            break;
        default:
            braked(o);
            break;
    }
    if (o.kind == aquaFlower && frame % 60 == 0) {
        o.size -= 1;
        if (o.size < 150) o.dying = true;
        sprayAquaRing(w, o);
    }
}
