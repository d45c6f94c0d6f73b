#include "world/bursts.h"

#include "world/object_step.h"
#include "world/seeds.h"
#include "world/world.h"

namespace {

constexpr int kWhite = 255;
constexpr int kBurstCharge = 300;
constexpr int kBloomCharge = 1300;

int randomAngle(World& w) { return static_cast<int>(nextRandom(w.math) % 360u); }

// A float in [-0.7, 0.7) from one raw draw, as randomFloat(1.4) - 0.7 gives it.
float sprayComponent(uint32_t raw) {
    return static_cast<float>((raw % 2147483647u) * (1.0 / 2147483648.0) * 1.4) - 0.7f;
}

// Moves the object just made along its own velocity, scaled by its size.
void nudgeNewest(World& w, bool made, double scale) {
    if (!made) return;
    WorldObject* o = newestRecord(w.objects);
    const float s = static_cast<float>(o->size * scale);
    o->x += o->vx * s;
    o->y += o->vy * s;
}

// A ring of `count` objects at angles start, start + step, ... from the source's position.
struct RingPiece {
    int kind;
    int size;
    float speed;
    int alpha, red, green, blue;
    int launchTimer;
};

void spawnRing(World& w, const WorldObject& source, const RingPiece& piece, int count, int start, int step) {
    for (int i = 0; i < count; ++i) {
        const int theta = start + i * step;
        addObject(w.objects, piece.kind, piece.size, source.x, source.y, piece.speed * tableCos(w.math, theta),
                  piece.speed * tableSin(w.math, theta), 0, piece.alpha,
                  piece.red, piece.green, piece.blue, piece.launchTimer, false);
    }
}

void bloomLeafRing(World& w, const WorldObject& flower) {
    for (int theta = 0; theta < 360; theta += 30) {
        const bool clover = nextRandom(w.math) % 100u < 90u;
        addObject(w.objects, leaf, flower.size - 80, flower.x, flower.y, tableCos(w.math, theta),
                  tableSin(w.math, theta), theta - 90, 255, kWhite, kWhite, kWhite, 17, clover);
    }
}

}  // namespace

void burstObject(World& w, WorldObject& o) {
    if (o.charge < kBurstCharge) return;
    switch (o.kind) {
        case aqua:
            spawnLeafRing(w, o, 5);
            beginDying(w, o);
            break;
        case leaf:
            spawnFlareBurst(w, o, 0);
            removeCurrent(w.objects);  // no fading picture: gone in this frame
            break;
        case soil:
            spawnMetalBurst(w, o);
            if (o.absorbed > 10) spawnAquaSpray(w, o, 1, o.absorbed / 50.0, false);
            beginDying(w, o);
            break;
        case metal:
            spawnAquaSpray(w, o, 4, 0.8, true);
            if (o.absorbed > 10) spawnFlare(w, o);
            beginDying(w, o);
            playWorldSound(w, kSlotAqua);
            break;
        case life:
            spawnDreams(w, o);
            beginDying(w, o);
            hatchSeeds(w, o);
            break;
        case bud:
            openBud(w, o);
            beginDying(w, o);
            break;
        default:
            break;  // flowers keep gathering charge toward their bloom
    }
}

void bloomObject(World& w, WorldObject& o) {
    if (o.charge < kBloomCharge || !isFlower(o.kind)) return;
    beginDying(w, o);
    switch (o.kind) {
        case aquaFlower:
            spawnRing(w, o, {aqua, o.size, 1.4f, 90, kWhite, kWhite, kWhite, 17}, 12, 0, 30);
            playWorldSound(w, kSlotAqua);
            break;
        case leafFlower:
            bloomLeafRing(w, o);
            playWorldSound(w, kSlotLeaf);
            break;
        case flareFlower:
            spawnRing(w, o, {flare, o.size, 1.0f, 255, kWhite, kWhite, kWhite, 17}, 8, 0, 45);
            spawnRing(w, o, {soil, static_cast<int>(o.size * 0.5), 1.0f, 255, 100, 50, 10, 15}, 8, 22, 45);
            playWorldSound(w, kSlotFlare);
            break;
        case soilFlower:
            spawnRing(w, o, {soil, static_cast<int>(o.size * 0.8), 1.0f, 255, 100, 50, 10, 17}, 12, 0, 30);
            playWorldSound(w, kSlotMetal);
            break;
        case metalFlower:
            spawnRing(w, o, {metal, static_cast<int>(o.size * 0.8), 1.0f, 255, kWhite, kWhite, kWhite, 17},
                      12, 0, 30);
            playWorldSound(w, kSlotMetal);
            break;
        default:
            break;
    }
}

void spawnAquaSpray(World& w, const WorldObject& source, int count, double factor, bool nudge) {
    int size = static_cast<int>(source.size * factor);
    if (size > 200) size = 200;
    for (int i = 0; i < count; ++i) {
        const uint32_t r1 = nextRandom(w.math);
        const uint32_t r2 = nextRandom(w.math);
        const bool made = addObject(w.objects, aqua, size, source.x, source.y, sprayComponent(r2),
                                    sprayComponent(r1), 0, 90, kWhite, kWhite, kWhite, 10, false);
        if (nudge) nudgeNewest(w, made, 0.5);
    }
}

void spawnLeafRing(World& w, const WorldObject& source, int count) {
    const int start = randomAngle(w);
    const int step = 360 / count;
    const int size = static_cast<int>(source.size * 0.45);
    for (int i = 0; i < count; ++i) {
        const int theta = start + i * step;
        const bool made = addObject(w.objects, leaf, size, source.x, source.y, 0.15f * tableCos(w.math, theta),
                                    0.15f * tableSin(w.math, theta), theta - 90, 255, kWhite, kWhite, kWhite, 10,
                                    false);
        nudgeNewest(w, made, 2.0);
    }
    playWorldSound(w, kSlotLeaf);
}

void spawnFlareBurst(World& w, const WorldObject& source, int extraSize) {
    const int start = randomAngle(w);
    const int size = static_cast<int>((extraSize + source.size) * 0.9);
    for (int i = 0; i < 3; ++i) {
        const int theta = start + 120 * i;
        const bool made = addObject(w.objects, flare, size, source.x, source.y, 4.0f * tableCos(w.math, theta),
                                    4.0f * tableSin(w.math, theta), theta - 90, 255, kWhite, kWhite, kWhite, 4,
                                    false);
        nudgeNewest(w, made, 0.02);
    }
    playWorldSound(w, kSlotFlare);
}

void spawnFlare(World& w, const WorldObject& source) {
    const int theta = randomAngle(w);
    addObject(w.objects, flare, static_cast<int>(source.size * 0.8), source.x, source.y,
              4.0f * tableCos(w.math, theta), 4.0f * tableSin(w.math, theta), theta - 90, 255, kWhite, kWhite,
              kWhite, 4, false);
}

void spawnSoil(World& w, const WorldObject& source) {
    const uint32_t r0 = nextRandom(w.math);
    const float d1 = randomFloat(w.math, 1.0f);
    const float d2 = randomFloat(w.math, 1.0f);
    addObject(w.objects, soil, static_cast<int>(source.size * 0.8), source.x, source.y, d2 - 0.5f, d1 - 0.5f,
              static_cast<int>(r0 % 360u), 255, 100, 50, 10, 0, false);
}

void spawnMetalBurst(World& w, const WorldObject& source) {
    const int start = randomAngle(w);
    int size = static_cast<int>(source.size * 0.65);
    if (size > 170) size = 170;
    for (int i = 0; i < 3; ++i) {
        const int theta = start + 120 * i;
        const bool made = addObject(w.objects, metal, size, source.x, source.y, tableCos(w.math, theta),
                                    tableSin(w.math, theta), theta - 90, 255, kWhite, kWhite, kWhite, 10, false);
        nudgeNewest(w, made, 0.1);
    }
    playWorldSound(w, kSlotMetal);
}

void spawnDreams(World& w, const WorldObject& source) {
    const int start = randomAngle(w);
    const int size = static_cast<int>(source.size * 0.8);
    for (int i = 0; i < 3; ++i) {
        const int theta = start + 120 * i;
        const int drawAngle = randomAngle(w);
        addObject(w.objects, dream, size, source.x, source.y, tableCos(w.math, theta), tableSin(w.math, theta),
                  drawAngle, 255, kWhite, kWhite, kWhite, 13, false);
    }
    playWorldSound(w, kSlotDream);
}

void openBud(World& w, const WorldObject& bud) {
    const int theta = randomAngle(w);
    // A bud only ever holds an element it ate; anything else opens as the water flower.
    const int content = isElement(bud.content) ? bud.content : aqua;
    const int size = (content == leaf) ? bud.size + 70 : bud.size;
    const int alpha = (content == aqua) ? 205 : 255;
    addObject(w.objects, aquaFlower + content, size, bud.x, bud.y, 0.3f * tableCos(w.math, theta),
              0.3f * tableSin(w.math, theta), 0, alpha, kWhite, kWhite, kWhite, 10, false);
    playWorldSound(w, kSlotOpen);
}
