#include "world/seeds.h"

#include "world/bursts.h"
#include "world/world.h"

namespace {

constexpr int kWhite = 255;
constexpr int kOldAge = 120;

bool outsideField(const WorldObject& s) {
    return s.x < 40 || s.x > kFieldWidth - 40 || s.y < 40 || s.y > kFieldHeight - 40;
}

int randomSigned(World& w, uint32_t n) { return static_cast<int>(randomInt(w.math, n)); }

// Velocity of the given speed along a whole-degree direction.
void headTowards(World& w, WorldObject& s, float speed, int direction) {
    s.vx = speed * tableCos(w.math, direction);
    s.vy = speed * tableSin(w.math, direction);
}

void beginFading(WorldObject& s) {
    s.dying = true;
    s.fadeTimer = 8;
}

// Counts the seed's age; an old seed turns into an object. False when it was turned.
bool age(World& w, WorldObject& s) {
    s.charge += 1;
    if (s.charge <= kOldAge) return true;
    seedToObject(w, s);
    return false;
}

void dropClover(World& w, const WorldObject& s) {
    const int a = s.angle - 90;
    addObject(w.objects, leaf, 2 * s.size, s.x, s.y, 0.15f * tableCos(w.math, a), 0.15f * tableSin(w.math, a), a,
              255, kWhite, kWhite, kWhite, 10, true);
}

// Kinds 101 and 106: stand still, sprout once, and fade out when old.
void stepSproutingSeed(World& w, WorldObject& s, int cellY, int cellH) {
    s.charge += 1;
    s.absorbed += 1;
    if (s.absorbed == 5) {
        sproutSeed(w, s, s.kind, cellY, cellH);
    } else if (s.charge > kOldAge) {
        beginFading(s);
        if (s.absorbed < 120) dropClover(w, s);
    }
}

// Kinds 103 and 108: now and then turn by up to half the spread either way and push off
// backwards; in between, sway along the diagonal with a cosine of the kind's own counter.
void stepWanderingSeed(World& w, WorldObject& s, uint32_t turnSpread, float speed, int swayStep) {
    if (randomInt(w.math, 45) == 0) {
        s.angle += randomSigned(w, turnSpread) - static_cast<int>(turnSpread / 2);
        headTowards(w, s, speed, s.angle + 180);
    }
    s.absorbed += swayStep;
    s.vx += 0.5f * tableCos(w.math, s.absorbed);
    s.vy += 0.5f * tableCos(w.math, s.absorbed);
}

void growChainLink(World& w, const WorldObject& parent) {
    const int d = randomSigned(w, 30) + parent.angle - 15;
    const float reach = 0.7f * static_cast<float>(parent.size);
    addSeed(w.seeds, 104, parent.size, parent.x + reach * parent.vx, parent.y + reach * parent.vy,
            tableCos(w.math, d + 90), tableSin(w.math, d + 90), d,
            {parent.cellX, parent.cellY, parent.cellW, parent.cellH}, 255, {parent.red, parent.green, parent.blue},
            parent.charge + 1);
}

// The kind's own behaviour; false when the seed was turned into an object.
bool stepSeedKind(World& w, WorldObject& s, int frame) {
    switch (s.kind) {
        case 100:
            if (randomInt(w.math, 15) == 0) {
                s.angle += (frame % 2 != 0) ? 10 : -10;
                headTowards(w, s, 4.0f, s.angle + 180);
            }
            return true;
        case 101:
            stepSproutingSeed(w, s, 500, 200);
            return true;
        case 102: {
            if (s.absorbed == 0) s.absorbed = 100;
            s.absorbed += 1;
            s.angle -= 1;
            const float speed = 3.0f * (0.01f * static_cast<float>(s.absorbed));
            headTowards(w, s, speed, s.angle + 130);
            return true;
        }
        case 103:
            stepWanderingSeed(w, s, 180, 5.0f, 20);
            return true;
        case 104:
            s.absorbed += 1;
            if (s.absorbed <= 10) return true;
            beginFading(s);
            if (s.charge >= 6) {
                spawnFlareBurst(w, s, 120);
            } else {
                growChainLink(w, s);
            }
            return true;
        case 105: {
            if (s.absorbed <= 0) s.absorbed = 100;
            s.absorbed -= 5;
            const int o = s.absorbed;
            headTowards(w, s, 6.0f * (0.01f * static_cast<float>(o)), s.angle + 180);
            if (o <= 0) s.angle += (randomSigned(w, 5) - 2) * 20;
            return age(w, s);
        }
        case 106:
            stepSproutingSeed(w, s, 0, 150);
            return true;
        case 107: {
            const int n = s.charge;
            s.absorbed += ((n + 3) % 12 < 6) ? 2 : -2;
            s.angle += s.absorbed;
            s.charge = n + 1;
            if (s.charge > kOldAge) {
                seedToObject(w, s);
                return false;
            }
            return true;
        }
        case 108:
            stepWanderingSeed(w, s, 60, 3.0f, 10);
            return age(w, s);
        case 109:
            if (s.alpha == 0) {
                s.absorbed = randomSigned(w, 3) - 1;
                s.alpha = randomSigned(w, 30);
            }
            s.angle += s.absorbed;
            s.alpha -= 1;
            headTowards(w, s, 3.0f, s.angle + 90);
            s.charge += 1;
            if (s.charge > kOldAge) {
                spawnFlareBurst(w, s, 120);
                beginFading(s);
            }
            return true;
        default:
            return true;
    }
}

void stepSeed(World& w, WorldObject& s, int frame) {
    s.x += s.vx;
    s.y += s.vy;
    if (s.launchTimer > 0) s.launchTimer -= 1;
    if (s.fadeTimer > 0) s.fadeTimer -= 1;
    if (s.dying && s.fadeTimer == 0) {
        removeCurrent(w.seeds);
        return;
    }
    // Kind 101 ignores the field's bounds; every other seed is converted, fading or not.
    if (outsideField(s) && s.kind != 101) {
        seedToObject(w, s);
        return;
    }
    if (s.dying) return;
    stepSeedKind(w, s, frame);
}

// One row of the hatching table: the seed a bursting life releases for a median element.
struct SeedRecipe {
    int kind;
    bool primaryColour;                  // colour from randomPrimary(150) instead of the ranges
    int redBase, redRange, greenBase, greenRange, blueBase, blueRange;
    float speed;
    int turn;                            // direction = theta + turn
    int cellXBase, cellColumns;          // cellX = base + 150 x R(columns) when columns > 0
    int cellY, cellH;
};

constexpr SeedRecipe kSetA[kElementKinds] = {
    {100, false, 50, 90, 50, 60, 50, 30, 4.0f, 180, 400, 3, 150, 150},
    {101, true, 0, 0, 0, 0, 0, 0, 0.0f, 0, 0, 5, 500, 200},
    {104, false, 0, 40, 0, 80, 120, 40, 1.0f, 90, 850, 0, 300, 150},
    {103, false, 10, 30, 70, 50, 70, 50, 5.0f, 180, 850, 0, 0, 150},
    {102, false, 70, 90, 20, 30, 50, 50, 4.0f, 130, 400, 3, 0, 150},
};

constexpr SeedRecipe kSetB[kElementKinds] = {
    {105, false, 20, 40, 60, 90, 60, 90, 6.0f, 180, 0, 2, 150, 150},
    {106, true, 0, 0, 0, 0, 0, 0, 0.0f, 0, 0, 5, 0, 150},
    {109, false, 0, 40, 80, 60, 90, 80, 3.0f, 90, 600, 0, 150, 150},
    {108, false, 20, 60, 70, 90, 20, 30, 3.0f, 180, 450, 0, 150, 150},
    {107, false, 20, 40, 20, 40, 150, 90, 2.0f, 180, 300, 0, 150, 150},
};

int drawIn(World& w, int base, int range) { return base + static_cast<int>(nextRandom(w.math) % range); }

void hatchOneSeed(World& w, WorldObject& lifeCell, const SeedRecipe& r) {
    PrimaryColour colour;
    if (r.primaryColour) {
        colour = randomPrimary(w.math, 150);
    } else {
        colour.red = drawIn(w, r.redBase, r.redRange);
        colour.green = drawIn(w, r.greenBase, r.greenRange);
        colour.blue = drawIn(w, r.blueBase, r.blueRange);
    }
    const int theta = static_cast<int>(nextRandom(w.math) % 360u);
    const int cellX = r.cellColumns > 0 ? r.cellXBase + 150 * drawIn(w, 0, r.cellColumns) : r.cellXBase;
    const int size = lifeCell.size / 3;
    // The still seeds are spread apart by moving the fading life along each seed's direction.
    if (r.kind == 101 || r.kind == 106) {
        const float step = (r.kind == 101) ? static_cast<float>(size / 2) : 75.0f;
        lifeCell.x += step * tableCos(w.math, theta);
        lifeCell.y += step * tableSin(w.math, theta);
    }
    const int direction = theta + r.turn;
    addSeed(w.seeds, r.kind, size, lifeCell.x, lifeCell.y, r.speed * tableCos(w.math, direction),
            r.speed * tableSin(w.math, direction), theta, {cellX, r.cellY, 150, r.cellH}, 0,
            {colour.red, colour.green, colour.blue}, 0);
}

}  // namespace

void updateSeeds(World& w, int frame) {
    beginIteration(w.seeds);
    while (!atEnd(w.seeds)) stepSeed(w, *nextRecord(w.seeds), frame);
}

void sproutSeed(World& w, const WorldObject& parent, int kind, int cellY, int cellH) {
    if (parent.size - 15 <= 15) return;
    nextRandom(w.math);  // drawn and not used; it still moves the generator on
    const PrimaryColour colour = randomPrimary(w.math, 150);
    const int column = static_cast<int>(nextRandom(w.math) % 5u);
    const int a = parent.angle + 30;
    const float d = static_cast<float>(parent.size + 85);
    addSeed(w.seeds, kind, parent.size - 15, parent.x + 0.65f * d * tableCos(w.math, a),
            parent.y + 0.65f * d * tableSin(w.math, a), 0.0f, 0.0f, a, {column * 150, cellY, 150, cellH}, 255,
            {colour.red, colour.green, colour.blue}, parent.charge + 1);
}

void seedToObject(World& w, WorldObject& s) {
    int kind = -1, size = 0, red = kWhite, green = kWhite, blue = kWhite, alpha = 255;
    float speed = 0.0f;
    switch (s.kind) {
        case 100:
        case 105:
            kind = aqua, size = static_cast<int>(1.5 * s.size), speed = -0.25f, alpha = 90;
            break;
        case 102:
        case 107:
            kind = metal, size = static_cast<int>(1.5 * s.size), speed = -0.25f;
            break;
        case 103:
        case 108:
            kind = soil, size = static_cast<int>(1.5 * s.size), speed = -0.2f, red = 100, green = 50, blue = 10;
            break;
        case 104:
        case 109:
            kind = flare, size = 2 * s.size, speed = -3.0f;
            break;
        case 101:
            return;  // the still seed of leaves is never converted
        default:
            break;  // kind 106 and anything unknown simply go
    }
    if (kind >= 0) {
        addObject(w.objects, kind, size, s.x, s.y, speed * s.vx, speed * s.vy, 0, alpha, red, green, blue, 10,
                  false);
    }
    removeCurrent(w.seeds);
}

void hatchSeeds(World& w, WorldObject& lifeCell) {
    const int median = w.objects.kindRanking[2];
    // Before the first ranking there is no median element, and so no seed.
    if (median < 0 || median >= kElementKinds) return;
    for (int i = 0; i < 3; ++i) {
        const bool setA = w.elapsedMs % 20 < 10;
        hatchOneSeed(w, lifeCell, setA ? kSetA[median] : kSetB[median]);
    }
}
