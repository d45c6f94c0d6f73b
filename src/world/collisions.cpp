#include "world/collisions.h"

#include <cmath>

#include "world/bursts.h"
#include "world/object_step.h"
#include "world/world.h"

namespace {

constexpr int kWhite = 255;
constexpr int kMergeCap = 300;

// How close two objects must come to meet, as a share of their mean size: a leaf reaches
// soil from further away, and anything reaches a sprout from further still.
constexpr float pairReachOf(int a, int b) {
    if (a == sprout || b == sprout) return 0.85f;
    if ((a == leaf && b == soil) || (a == soil && b == leaf)) return 0.55f;
    return 0.4f;
}
struct PairReachTable {
    float reach[16][16];
};
constexpr PairReachTable makePairReachTable() {
    PairReachTable t{};
    for (int a = 0; a < 16; ++a)
        for (int b = 0; b < 16; ++b) t.reach[a][b] = pairReachOf(a, b);
    return t;
}
constexpr PairReachTable kPairReach = makePairReachTable();

// One table read instead of a chain of kind tests: the pair pass runs this thousands of
// times a frame. Kinds beyond the table (never made) meet at the common reach.
inline float pairReach(int a, int b) {
    if (static_cast<unsigned>(a) > 15u || static_cast<unsigned>(b) > 15u) return pairReachOf(a, b);
    return kPairReach.reach[a][b];
}

bool evenFrame(int frame) { return frame % 2 == 0; }

// Draws the target toward the actor so that its larger axis distance shrinks by step.
void pullTarget(const WorldObject& actor, WorldObject& target, float step) {
    if (target.x == actor.x && target.y == actor.y) return;
    moveToward(target.x, target.y, actor.x, actor.y, step);
}

// Reduces the target's size; below the floor it leaves at the end of the frame.
void shrinkTarget(WorldObject& target, int amount, int floor) {
    target.size -= amount;
    if (target.size < floor) target.dying = true;
}

int mergedSize(int a, int b) {
    const int s = static_cast<int>(std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b));
    return s > kMergeCap ? kMergeCap : s;
}

void moveToMidpoint(const WorldObject& actor, WorldObject& target) {
    target.x = (actor.x + target.x) * 0.5f;
    target.y = (actor.y + target.y) * 0.5f;
}

void absorbInto(WorldObject& actor) {
    actor.absorbed += 10;
    if (actor.absorbed > 100) actor.absorbed = 100;
}

void mergeAquas(World& w, WorldObject& actor, WorldObject& target) {
    actor.dying = true;
    target.size = mergedSize(actor.size, target.size);
    moveToMidpoint(actor, target);
    target.vx = randomFloat(w.math, 1.4f) - 0.7f;
    target.vy = randomFloat(w.math, 1.4f) - 0.7f;
    target.launchTimer = 10;
    playWorldSound(w, kSlotAqua);
}

void sproutClover(World& w, WorldObject& wetSoil) {
    const int oldSize = wetSoil.size;
    wetSoil.size = static_cast<int>(0.9 * oldSize) - 20;
    if (wetSoil.size < 30) wetSoil.dying = true;
    const int r = static_cast<int>(randomInt(w.math, 360));
    addObject(w.objects, leaf, static_cast<int>(0.7 * oldSize + 20), wetSoil.x, wetSoil.y,
              0.3f * tableCos(w.math, r), 0.3f * tableSin(w.math, r), r - 90, 255, kWhite, kWhite, kWhite, 30,
              true);
}

void mergeSoils(World& w, WorldObject& actor, WorldObject& target) {
    beginDying(w, actor);
    target.size = mergedSize(actor.size, target.size);
    moveToMidpoint(actor, target);
    target.vx = randomFloat(w.math, 1.0f) - 0.5f;
    target.vy = randomFloat(w.math, 1.0f) - 0.5f;
    target.absorbed = (actor.absorbed + target.absorbed) / 2;
}

void eatElement(World& w, WorldObject& eater, WorldObject& food) {
    food.size -= 8;
    if (food.size < 30) {
        food.dying = true;
        eater.content = food.kind;
        eater.launchTimer = 10;
        w.score += 2 * food.size;
    }
    if (eater.kind == sprout) {
        eater.size += 1;
        if (eater.size >= 300) {
            eater.charge = 0;
            eater.kind = bud;
            playWorldSound(w, kSlotLife);
        }
    }
    pullTarget(eater, food, 10.0f);
    if (eater.launchTimer == 0) eater.launchTimer = 7;
}

// An aqua smaller than 200 takes no charge from metal.
bool takesMetalCharge(const WorldObject& target) { return !(target.kind == aqua && target.size < 200); }

void quenchFlare(World& w, WorldObject& flower, WorldObject& fire) {
    flower.size -= 1;
    flower.launchTimer = 10;
    if (flower.size < 150) beginDying(w, flower);
    beginDying(w, fire);
    spawnAquaSpray(w, fire, 3, fire.size / 150.0, true);
    const int s = static_cast<int>(0.8 * fire.size);
    if (s <= 70) return;
    const int dropSize = s < 100 ? s : 100;
    for (int theta = 0; theta < 360; theta += 60) {
        addObject(w.objects, aqua, dropSize, flower.x, flower.y, 4.0f * tableCos(w.math, theta),
                  4.0f * tableSin(w.math, theta), 0, 90, kWhite, kWhite, kWhite, 10, false);
    }
}

void drinkAquaIntoLeaves(World& w, WorldObject& flower, WorldObject& drop) {
    flower.size -= 1;
    if (flower.size < 220) beginDying(w, flower);
    beginDying(w, drop);
    if (drop.size <= 70) return;
    const int r = static_cast<int>(randomInt(w.math, 360));
    const int size = static_cast<int>(0.7 * drop.size);
    for (int i = 0; i < 2; ++i) {
        const uint32_t q = nextRandom(w.math);
        const int theta = r + 20 * i;
        const bool made = addObject(w.objects, leaf, size, flower.x, flower.y, 0.9f * tableCos(w.math, theta),
                                    0.9f * tableSin(w.math, theta), r - 90 + 10 * i, 255, kWhite, kWhite, kWhite,
                                    20, q % 100u < 70u);
        if (made) {
            WorldObject* o = newestRecord(w.objects);
            const float s = static_cast<float>(o->size * 0.2);
            o->x += o->vx * s;
            o->y += o->vy * s;
        }
    }
}

void eatMetalIntoSoil(World& w, WorldObject& flower, WorldObject& food) {
    flower.size -= 1;
    flower.launchTimer = 10;
    if (flower.size < 180) beginDying(w, flower);
    if (food.kind == metal) {
        food.charge += 4;
        food.touched = true;
    }
    const int d = angleTo(flower.x, flower.y, food.x, food.y);
    const int e = static_cast<int>(randomInt(w.math, 7)) + d + 177;
    int s = static_cast<int>(0.8 * food.size);
    if (s > 150) s = 150;
    const float vx = 6.0f * tableCos(w.math, e);
    const float vy = 6.0f * tableSin(w.math, e);
    const int angle = static_cast<int>(randomInt(w.math, 360));
    addObject(w.objects, soil, s, flower.x, flower.y, vx, vy, angle, 255, 100, 50, 10, 5, false);
}

// The pair test itself, inlined into the pass, which runs it thousands of times a frame.
inline bool testPairInline(World& w, WorldObject& a, WorldObject& b, int frame) {
    if (&a == &b || a.dying || b.dying) return false;
    const float reach = pairReach(a.kind, b.kind);
    const float dx = a.x - b.x, dy = a.y - b.y;
    const float touch = static_cast<float>(a.size + b.size) * 0.5f * reach;
    const bool touching = dx * dx + dy * dy < touch * touch;
    // Counted after the reads: the count is an int like the objects' fields, and the
    // compiler would otherwise reload them after every count.
    w.pairTests += 1;
    if (!touching) return false;
    interact(w, a, b, frame);
    interact(w, b, a, frame);
    return true;
}

// Walks a cell chain and tests entry a against every object in it.
void testAgainstCell(World& w, WorldObject& a, GridEntry* first, int frame) {
    for (GridEntry* entry = first; entry->object != nullptr; entry = entry->next) {
        w.grid.innerCursor = entry;
        testPairInline(w, a, *entry->object, frame);
    }
}

}  // namespace

void collideObjects(World& w, int frame) {
    clearGrid(w.grid);
    beginIteration(w.objects);
    while (!atEnd(w.objects)) insertObject(w.grid, *nextRecord(w.objects));
    w.pairTests = 0;
    for (int row = 0; row < w.grid.rows; ++row) {
        for (int column = 0; column < w.grid.columns; ++column) {
            for (GridEntry* a = cellAt(w.grid, column, row); a->object != nullptr; a = a->next) {
                w.grid.outerCursor = a;
                WorldObject& objectA = *a->object;
                testAgainstCell(w, objectA, cellAt(w.grid, column, row), frame);
                if (!a->spansCells) continue;
                // Only right and down: a pair that meets through a third cell is not tested.
                testAgainstCell(w, objectA, cellAt(w.grid, column, row + 1), frame);
                testAgainstCell(w, objectA, cellAt(w.grid, column + 1, row), frame);
                testAgainstCell(w, objectA, cellAt(w.grid, column + 1, row + 1), frame);
            }
        }
    }
}

bool testPair(World& w, WorldObject& a, WorldObject& b, int frame) { return testPairInline(w, a, b, frame); }

void interact(World& w, WorldObject& actor, WorldObject& target, int frame) {
    if ((actor.launchTimer > 0 && actor.kind < sprout) || target.launchTimer > 0) return;
    if (actor.dying || target.dying) return;
    const int a = actor.kind, t = target.kind;

    if (a == aqua && t == aqua && actor.size < 300 && target.size < 300) {
        mergeAquas(w, actor, target);
    } else if (a == flare && t == leaf) {
        target.dying = true;
        spawnFlareBurst(w, target, 0);
        spawnSoil(w, target);
    } else if (evenFrame(frame) && a == leaf && actor.size < 300 && t == aqua) {
        shrinkTarget(target, 1, 30);
        if (frame % 4 == 0) actor.size += 1;
        pullTarget(actor, target, 1.0f);
    } else if (a == leaf && t == soil && target.absorbed > 50) {
        sproutClover(w, target);
    } else if (a == soil && actor.absorbed < 100 && t == aqua) {
        shrinkTarget(target, static_cast<int>(actor.size * 0.003 * 5), 30);
        absorbInto(actor);
        pullTarget(actor, target, 4.0f);
    } else if (a == soil && t == soil && actor.size < 300 && target.size < 300) {
        mergeSoils(w, actor, target);
    } else if (a == metal && (t == aqua || t == leaf || t == soil || t == metal)) {
        if (!takesMetalCharge(target)) return;
        actor.charge += 4;
        target.charge += 10;
        if (evenFrame(frame)) actor.touched = target.touched = true;
    } else if (a == metal && actor.absorbed < 100 && t == flare) {
        shrinkTarget(target, 5, 20);
        absorbInto(actor);
        pullTarget(actor, target, 4.0f);
    } else if (a == soil && actor.absorbed == 100 && t == metal && target.absorbed == 100) {
        beginDying(w, actor);
        beginDying(w, target);
        spawnLifeFromPair(w, target, actor);
    } else if (evenFrame(frame) && a == life && isElement(t)) {
        shrinkTarget(target, 1, 30);
        actor.size += 1;
    } else if (a == life && t == dream) {
        actor.charge = 300;
    } else if ((a == sprout || a == bud) && isElement(t)) {
        eatElement(w, actor, target);
    } else {
        interactWithFlower(w, actor, target, frame);
    }
}

void interactWithFlower(World& w, WorldObject& actor, WorldObject& target, int frame) {
    const int a = actor.kind, t = target.kind;
    if (a == aquaFlower && t == flare) {
        quenchFlare(w, actor, target);
    } else if (a == leafFlower && t == aqua) {
        drinkAquaIntoLeaves(w, actor, target);
    } else if (a == soilFlower && (t == metal || t == metalFlower)) {
        eatMetalIntoSoil(w, actor, target);
    } else if (a == metalFlower && isElement(t) && t != flare && takesMetalCharge(target)) {
        target.charge += 10;
        if (evenFrame(frame)) target.touched = true;
    }
}

void spawnLifeFromPair(World& w, const WorldObject& m, const WorldObject& s) {
    const float vy = randomFloat(w.math, 1.0f) - 0.5f;
    const float vx = randomFloat(w.math, 1.0f) - 0.5f;
    addObject(w.objects, life, (m.size + s.size) / 2, (m.x + s.x) * 0.5f, (m.y + s.y) * 0.5f, vx, vy, 0, 255,
              kWhite, kWhite, kWhite, 10, false);
    playWorldSound(w, kSlotLife);
}
