#include "world/collisions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "world/bursts.h"
#include "world/object_step.h"
#include "world/world.h"

#if defined(__x86_64__) || (defined(__i386__) && defined(__SSE2__))
#define MOSSBLOOM_PAIR_BLOCKS 1
#include <immintrin.h>
#endif

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

// The class of a kind for the reach: a kind of each class meets like the class's own kind.
constexpr int reachClassOf(int kind) {
    switch (kind) {
        case leaf:
            return reachLeaf;
        case soil:
            return reachSoil;
        case sprout:
            return reachSprout;
        default:
            return reachCommon;
    }
}
constexpr int kReachClassKind[kReachClassCount] = {aqua, leaf, soil, sprout};

bool evenFrame(int frame) { return frame % 2 == 0; }

// interact without its checks: both objects alive and not stopped by a launch.
MeetingChange meetByRules(World& w, WorldObject& actor, WorldObject& target, int frame);

// A launching element takes no action, and nothing acts on a launching object.
bool launchStops(const WorldObject& actor, const WorldObject& target) {
    return (actor.launchTimer > 0 && actor.kind < sprout) || target.launchTimer > 0;
}

// One bit a kind; every kind beyond 0..30 (never made) shares the last bit.
constexpr uint32_t kindBit(int kind) { return kind >= 0 && kind < 31 ? 1u << kind : 1u << 31; }
constexpr uint32_t kElementBits = kindBit(aqua) | kindBit(leaf) | kindBit(flare) | kindBit(soil) | kindBit(metal);

// The target kinds that an actor kind has a rule for in interact, below: the two must agree (a
// test sweeps every pair of kinds). A pair with no rule either way changes nothing when it meets.
constexpr uint32_t targetsOf(int actorKind) {
    switch (actorKind) {
        case aqua:
            return kindBit(aqua);
        case flare:
            return kindBit(leaf);
        case leaf:
            return kindBit(aqua) | kindBit(soil);
        case soil:
            return kindBit(aqua) | kindBit(soil) | kindBit(metal);
        case metal:
            return kindBit(aqua) | kindBit(leaf) | kindBit(soil) | kindBit(metal) | kindBit(flare);
        case life:
            return kElementBits | kindBit(dream);
        case sprout:
        case bud:
            return kElementBits;
        case aquaFlower:
            return kindBit(flare);
        case leafFlower:
            return kindBit(aqua);
        case soilFlower:
            return kindBit(metal) | kindBit(metalFlower);
        case metalFlower:
            return kindBit(aqua) | kindBit(leaf) | kindBit(soil) | kindBit(metal);
        default:
            return 0;
    }
}

// The kinds some rule acts on.
constexpr uint32_t targetedKinds() {
    uint32_t bits = 0;
    for (int k = 0; k < 16; ++k) bits |= targetsOf(k);
    return bits;
}

// Rule bits: the kinds some rule acts on, at their kinds' bits, and three more for rules that
// also ask for a size, at bits of kinds that no rule acts on. All are below 16, so that an entry
// of the pair pass keeps its bits as a target and as an actor in one word.
constexpr uint32_t kChargedAquaBit = 1u << 7;   // an aqua of 200 and more: metal charges it
constexpr uint32_t kMergingAquaBit = 1u << 8;   // an aqua under 300: another under 300 merges with it
constexpr uint32_t kMergingSoilBit = 1u << 9;   // a soil under 300: likewise
constexpr uint32_t kSizeRuleBits = kChargedAquaBit | kMergingAquaBit | kMergingSoilBit;
static_assert((targetedKinds() & kSizeRuleBits) == 0 && targetedKinds() < (1u << 16),
              "the size rules' bits are free, and all rule bits fit in 16");

// The rules of interact, below, as bits, less those that cannot change anything at an object's
// size or on the frame: per kind, the bits that always hold and those that hold under a size of
// 300, from a size of 200, on even frames, and on even frames under 300.
struct RuleBits {
    uint32_t always, under300, from200, even, evenUnder300;
};

constexpr RuleBits actorRuleBits(int kind) {
    switch (kind) {
        case aqua:
            return {0, kMergingAquaBit, 0, 0, 0};
        case flare:
            return {kindBit(leaf), 0, 0, 0, 0};
        case leaf:
            return {kindBit(soil), 0, 0, 0, kindBit(aqua)};
        case soil:
            return {kindBit(aqua) | kindBit(metal), kMergingSoilBit, 0, 0, 0};
        case metal:
            return {kChargedAquaBit | kindBit(leaf) | kindBit(soil) | kindBit(metal) | kindBit(flare), 0, 0, 0, 0};
        case life:
            return {kindBit(dream), 0, 0, kElementBits, 0};
        case sprout:
        case bud:
            return {kElementBits, 0, 0, 0, 0};
        case aquaFlower:
            return {kindBit(flare), 0, 0, 0, 0};
        case leafFlower:
            return {kindBit(aqua), 0, 0, 0, 0};
        case soilFlower:
            return {kindBit(metal) | kindBit(metalFlower), 0, 0, 0, 0};
        case metalFlower:
            return {kChargedAquaBit | kindBit(leaf) | kindBit(soil) | kindBit(metal), 0, 0, 0, 0};
        default:
            return {};
    }
}

// What a kind offers as a target: nothing where no rule acts on it.
constexpr RuleBits targetRuleBits(int kind) {
    switch (kind) {
        case aqua:
            return {kindBit(aqua), kMergingAquaBit, kChargedAquaBit, 0, 0};
        case soil:
            return {kindBit(soil), kMergingSoilBit, 0, 0, 0};
        default:
            return {kind >= 0 && kind < 16 ? kindBit(kind) & targetedKinds() : 0, 0, 0, 0, 0};
    }
}

// The rule bits of every kind (row 16 stands for every kind beyond the table), size band (under
// 200, under 300, from 300) and frame parity, in one word: as a target in the low half, as an
// actor in the high half. Made once, so that an object's word is one look-up.
constexpr uint32_t pickRuleBits(const RuleBits& r, int band, bool even) {
    const bool under300 = band < 2, from200 = band > 0;
    return r.always | (under300 ? r.under300 : 0) | (from200 ? r.from200 : 0) | (even ? r.even : 0) |
           (even && under300 ? r.evenUnder300 : 0);
}

struct RuleWordTable {
    uint32_t word[17][3][2];
};
constexpr RuleWordTable makeRuleWordTable() {
    RuleWordTable t{};
    for (int k = 0; k <= 16; ++k) {
        for (int band = 0; band < 3; ++band) {
            for (int even = 0; even < 2; ++even) {
                t.word[k][band][even] = pickRuleBits(targetRuleBits(k), band, even) |
                                        pickRuleBits(actorRuleBits(k), band, even) << 16;
            }
        }
    }
    return t;
}
constexpr RuleWordTable kRuleWords = makeRuleWordTable();

// An object's rule word. Nothing acts on a launching object, and a launching element takes no
// action (launchStops).
inline uint32_t ruleWord(const WorldObject& o, bool evenFrame) {
    const int row = static_cast<unsigned>(o.kind) < 16u ? o.kind : 16;
    const int band = (o.size >= 200) + (o.size >= 300);
    // Masks rather than branches: the pass asks at every meeting that changes an object.
    const uint32_t launching = 0u - static_cast<uint32_t>(o.launchTimer > 0);
    const uint32_t element = 0u - static_cast<uint32_t>(o.kind < sprout);
    return kRuleWords.word[row][band][evenFrame] & ~(launching & (0xFFFFu | (element & 0xFFFF0000u)));
}

inline uint32_t ruleBitsOfTarget(const WorldObject& o) { return ruleWord(o, false) & 0xFFFFu; }
inline uint32_t ruleBitsOfActor(const WorldObject& o, bool evenFrame) { return ruleWord(o, evenFrame) >> 16; }
inline uint32_t swapHalves(uint32_t bits) { return bits >> 16 | bits << 16; }
inline bool meets(uint32_t actorBits, uint32_t targetBits) { return (actorBits >> 16 & targetBits & 0xFFFFu) != 0; }

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

// A sprout grows as it eats; a bud does not, but it starts to launch if it was not launching.
MeetingChange eatElement(World& w, WorldObject& eater, WorldObject& food) {
    const bool grows = eater.kind == sprout;
    const bool wasLaunching = eater.launchTimer > 0;
    food.size -= 8;
    if (food.size < 30) {
        food.dying = true;
        eater.content = food.kind;
        eater.launchTimer = 10;
        w.score += 2 * food.size;
    }
    if (grows) {
        eater.size += 1;
        if (eater.size >= 300) {
            eater.charge = 0;
            eater.kind = bud;
            playWorldSound(w, kSlotLife);
        }
    }
    pullTarget(eater, food, 10.0f);
    if (eater.launchTimer == 0) eater.launchTimer = 7;
    return grows || !wasLaunching ? changedBoth : changedTarget;
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

// The pair test of the chain walk, inlined into it, which runs it thousands of times a frame.
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
        testPairInline(w, a, *entry->object, frame);
    }
}

// The plain pass: every pair along the cell chains, one test at a time. The block paths below
// must leave the world exactly as this does.
void walkCellChains(World& w, int frame) {
    for (int row = 0; row < w.grid.rows; ++row) {
        for (int column = 0; column < w.grid.columns; ++column) {
            for (GridEntry* a = cellAt(w.grid, column, row); a->object != nullptr; a = a->next) {
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

#if MOSSBLOOM_PAIR_BLOCKS
// ---- The block paths: the same pairs in the same order, tested several at a time from the
// pair arrays. A block's lanes are consecutive entries of one cell.

// What an entry keeps of its kind: half its reach with each class. Looked up in a table, as a
// meeting may change a kind (a sprout that grows into a bud).
struct KindEntry {
    int32_t reachClass;
    float halfReach[kReachClassCount];
};

constexpr KindEntry kindEntryOf(int kind) {
    KindEntry e{};
    e.reachClass = reachClassOf(kind);
    for (int c = 0; c < kReachClassCount; ++c) e.halfReach[c] = 0.5f * pairReachOf(kReachClassKind[c], kind);
    return e;
}

struct KindEntryTable {
    KindEntry kinds[16];
};
constexpr KindEntryTable makeKindEntryTable() {
    KindEntryTable t{};
    for (int k = 0; k < 16; ++k) t.kinds[k] = kindEntryOf(k);
    return t;
}
constexpr KindEntryTable kKindEntries = makeKindEntryTable();

// Kinds beyond the table (never made) are worked out on the spot.
inline KindEntry kindEntry(int kind) {
    return static_cast<unsigned>(kind) < 16u ? kKindEntries.kinds[kind] : kindEntryOf(kind);
}

void setKindEntry(PairArrays& p, int index, int kind, const KindEntry& k) {
    p.kind[index] = kind;
    for (int c = 0; c < kReachClassCount; ++c) p.halfReach[c][index] = k.halfReach[c];
}

[[gnu::noinline]] void setUnusualEntryKind(PairArrays& p, int index, int kind) {
    setKindEntry(p, index, kind, kindEntryOf(kind));
}

inline void setEntryKind(PairArrays& p, int index, int kind) {
    if (static_cast<unsigned>(kind) >= 16u) return setUnusualEntryKind(p, index, kind);
    setKindEntry(p, index, kind, kKindEntries.kinds[kind]);
}

// Reads an object into its entry again after a meeting changed it; its kind seldom changes.
inline void reloadEntry(PairArrays& p, int index, int frame) {
    const WorldObject& o = *p.object[index];
    p.x[index] = o.x;
    p.y[index] = o.y;
    p.size[index] = o.size;
    p.aliveMask[index] = o.dying ? 0 : -1;
    if (o.kind != p.kind[index]) setEntryKind(p, index, o.kind);
    p.ruleBits[index] = ruleWord(o, evenFrame(frame));
}

constexpr int roundUpToBlock(int n) { return (n + kPairLanes - 1) & ~(kPairLanes - 1); }

// Fills the arrays from the pool as the grid would hold its entries: each cell in the order its
// chain has them, the newest first. Each object is read once, into the scratch, and the cells are
// counted, to place each cell; then every entry is written to its place.
void fillPairArrays(const CollisionGrid& grid, ObjectPool& objects, int frame) {
    PairArrays& p = *grid.arrays;
    int inCell[kGridCellCount] = {};
    int taken = 0;
    for (WorldObject* o = objects.head->next; o->active && taken < kGridMostEntries; o = o->next) {
        PairArrays::Pending& e = p.pending[taken];
        if (!gridCellOf(grid, *o, e.cell, e.spansCells)) continue;
        e.object = o;
        e.x = o->x;
        e.y = o->y;
        e.size = o->size;
        e.kind = o->kind;
        e.dying = o->dying;
        e.ruleBits = ruleWord(*o, evenFrame(frame));
        inCell[e.cell] += 1;
        taken += 1;
    }
    int start = 0;
    for (int cell = 0; cell < kGridCellCount; ++cell) {
        const int end = start + inCell[cell];
        p.cellStart[cell] = start;
        p.cellEnd[cell] = end;
        p.fillCursor[cell] = end;
        const int padded = roundUpToBlock(end);
        for (int pad = end; pad < padded; ++pad) {
            p.aliveMask[pad] = 0;
            p.ruleBits[pad] = 0;
        }
        start = padded;
    }
    p.cellStart[kGridCellCount] = start;
    // Each cell fills from its end: the first object entered ends up last in its chain.
    for (int i = 0; i < taken; ++i) {
        const PairArrays::Pending& e = p.pending[i];
        const int index = --p.fillCursor[e.cell];
        p.object[index] = e.object;
        p.spansCells[index] = e.spansCells;
        p.x[index] = e.x;
        p.y[index] = e.y;
        p.size[index] = e.size;
        p.aliveMask[index] = e.dying ? 0 : -1;
        setEntryKind(p, index, e.kind);
        p.ruleBits[index] = e.ruleBits;
    }
}

// Up to 64 consecutive entries of one cell from a whole block, one bit each, the first in bit 0.
constexpr int kRunEntries = 64;
struct RunMasks {
    uint64_t alive;      // entries whose object is not dying
    uint64_t touching;   // of those, the entries within reach of the outer object that it may meet
    uint64_t growing;    // of those it may meet, the entries it might reach had it grown by up to kGrowthAhead
};

// A sprout, a leaf or a life grows by one in some of its meetings. For such an outer object a run
// also looks at the entries it would reach were it larger by up to this much: where none of those
// ahead would start to touch it, its growth leaves the masks ahead as they are, and the run goes on.
// That holds exactly: with the distance the same, a larger sum of sizes gives a touching distance
// no smaller (the conversion, the product with a reach and the square of a number not below zero
// never fall as it rises), so what touched still touches, and what touches at the larger size
// already touched.
constexpr int kGrowthAhead = 8;
inline bool mayGrow(int kind) { return kind == sprout || kind == leaf || kind == life; }

int bitCount(uint64_t bits) {
    bits = bits - ((bits >> 1) & 0x5555555555555555u);
    bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((bits * 0x0101010101010101u) >> 56);
}

// The outer object of the pair pass, as its tests read it: its values in every lane of a block,
// made when it becomes the outer object and again after a meeting changes it.
// With its rule bits, halves swapped, to meet the entries' own.
struct Sse2Lanes {
    __m128 x, y;
    __m128i size, grownSize, ruleBits;
};
struct Avx2Lanes {
    __m256 x, y;
    __m256i size, grownSize, ruleBits;
};
template <PairPath path>
struct OuterLanes {
    using Type = Sse2Lanes;
};
template <>
struct OuterLanes<PairPath::avx2> {
    using Type = Avx2Lanes;
};

template <PairPath path>
struct Outer {
    int index;                // its own entry
    const float* halfReach;   // the reach of its class with each entry
    bool mayGrow;
    typename OuterLanes<path>::Type lanes;
};

inline Outer<PairPath::sse2> sse2Outer(const PairArrays& p, int index) {
    const int kind = p.kind[index], size = p.size[index];
    return {index, p.halfReach[kindEntry(kind).reachClass], mayGrow(kind),
            {_mm_set1_ps(p.x[index]), _mm_set1_ps(p.y[index]), _mm_set1_epi32(size),
             _mm_set1_epi32(size + kGrowthAhead), _mm_set1_epi32(static_cast<int32_t>(swapHalves(p.ruleBits[index])))}};
}

__attribute__((target("avx2"))) inline Outer<PairPath::avx2> avx2Outer(const PairArrays& p, int index) {
    const int kind = p.kind[index], size = p.size[index];
    return {index, p.halfReach[kindEntry(kind).reachClass], mayGrow(kind),
            {_mm256_set1_ps(p.x[index]), _mm256_set1_ps(p.y[index]), _mm256_set1_epi32(size),
             _mm256_set1_epi32(size + kGrowthAhead),
             _mm256_set1_epi32(static_cast<int32_t>(swapHalves(p.ruleBits[index])))}};
}

template <PairPath path>
inline Outer<path> outerAt(const PairArrays& p, int index) {
    if constexpr (path == PairPath::avx2) {
        return avx2Outer(p, index);
    } else {
        return sse2Outer(p, index);
    }
}

// Four entries at a time: exactly the operations of testPairInline, lane by lane, in the same
// order (no multiply and add are fused: the world code is built without contraction). The lanes
// are whole blocks of one cell: the padding after its entries is never alive.
template <bool watchGrowth>
inline RunMasks sse2Run(const PairArrays& p, const Outer<PairPath::sse2>& a, int first, int lanes) {
    const Sse2Lanes& o = a.lanes;
    const __m128i zero = _mm_setzero_si128();
    uint64_t alive = 0, touching = 0, growing = 0;
    for (int lane = 0; lane < lanes; lane += 4) {
        const int e = first + lane;
        const __m128 dx = _mm_sub_ps(o.x, _mm_load_ps(p.x + e));
        const __m128 dy = _mm_sub_ps(o.y, _mm_load_ps(p.y + e));
        const __m128i sizes = _mm_load_si128(reinterpret_cast<const __m128i*>(p.size + e));
        const __m128 sum = _mm_cvtepi32_ps(_mm_add_epi32(o.size, sizes));
        const __m128 touch = _mm_mul_ps(sum, _mm_load_ps(a.halfReach + e));
        const __m128 distance = _mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy));
        const __m128 near = _mm_cmplt_ps(distance, _mm_mul_ps(touch, touch));
        const __m128 live = _mm_load_ps(reinterpret_cast<const float*>(p.aliveMask + e));
        const __m128i rules = _mm_load_si128(reinterpret_cast<const __m128i*>(p.ruleBits + e));
        const __m128 noRule = _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(rules, o.ruleBits), zero));
        const __m128 meets = _mm_andnot_ps(noRule, _mm_and_ps(near, live));
        alive |= static_cast<uint64_t>(_mm_movemask_ps(live)) << lane;
        touching |= static_cast<uint64_t>(_mm_movemask_ps(meets)) << lane;
        if constexpr (watchGrowth) {
            // Reached when larger but not now; or a sum below zero, where a larger one is no reach.
            const __m128 grownTouch = _mm_mul_ps(_mm_cvtepi32_ps(_mm_add_epi32(o.grownSize, sizes)),
                                                 _mm_load_ps(a.halfReach + e));
            const __m128 grownNear = _mm_cmplt_ps(distance, _mm_mul_ps(grownTouch, grownTouch));
            const __m128 unsure = _mm_or_ps(_mm_andnot_ps(near, grownNear), _mm_cmplt_ps(sum, _mm_setzero_ps()));
            growing |= static_cast<uint64_t>(_mm_movemask_ps(_mm_andnot_ps(noRule, _mm_and_ps(unsure, live)))) << lane;
        }
    }
    return {alive, touching, growing};
}

// Eight entries at a time, the same operations; only called where the processor has AVX2.
template <bool watchGrowth>
__attribute__((target("avx2"))) inline RunMasks avx2Run(const PairArrays& p, const Outer<PairPath::avx2>& a,
                                                        int first, int lanes) {
    const Avx2Lanes& o = a.lanes;
    const __m256i zero = _mm256_setzero_si256();
    uint64_t alive = 0, touching = 0, growing = 0;
    for (int lane = 0; lane < lanes; lane += 8) {
        const int e = first + lane;
        const __m256 dx = _mm256_sub_ps(o.x, _mm256_load_ps(p.x + e));
        const __m256 dy = _mm256_sub_ps(o.y, _mm256_load_ps(p.y + e));
        const __m256i sizes = _mm256_load_si256(reinterpret_cast<const __m256i*>(p.size + e));
        const __m256 sum = _mm256_cvtepi32_ps(_mm256_add_epi32(o.size, sizes));
        const __m256 touch = _mm256_mul_ps(sum, _mm256_load_ps(a.halfReach + e));
        const __m256 distance = _mm256_add_ps(_mm256_mul_ps(dx, dx), _mm256_mul_ps(dy, dy));
        const __m256 near = _mm256_cmp_ps(distance, _mm256_mul_ps(touch, touch), _CMP_LT_OQ);
        const __m256 live = _mm256_load_ps(reinterpret_cast<const float*>(p.aliveMask + e));
        const __m256i rules = _mm256_load_si256(reinterpret_cast<const __m256i*>(p.ruleBits + e));
        const __m256 noRule = _mm256_castsi256_ps(_mm256_cmpeq_epi32(_mm256_and_si256(rules, o.ruleBits), zero));
        const __m256 meets = _mm256_andnot_ps(noRule, _mm256_and_ps(near, live));
        alive |= static_cast<uint64_t>(_mm256_movemask_ps(live)) << lane;
        touching |= static_cast<uint64_t>(_mm256_movemask_ps(meets)) << lane;
        if constexpr (watchGrowth) {
            const __m256 grownTouch = _mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_add_epi32(o.grownSize, sizes)),
                                                    _mm256_load_ps(a.halfReach + e));
            const __m256 grownNear = _mm256_cmp_ps(distance, _mm256_mul_ps(grownTouch, grownTouch), _CMP_LT_OQ);
            const __m256 unsure =
                _mm256_or_ps(_mm256_andnot_ps(near, grownNear), _mm256_cmp_ps(sum, _mm256_setzero_ps(), _CMP_LT_OQ));
            growing |= static_cast<uint64_t>(_mm256_movemask_ps(_mm256_andnot_ps(noRule, _mm256_and_ps(unsure, live))))
                       << lane;
        }
    }
    return {alive, touching, growing};
}

// The AVX2 walk is compiled for processors that also count bits in one instruction.
template <PairPath path>
inline int countBits(uint64_t bits) {
    if constexpr (path == PairPath::avx2) {
        return __builtin_popcountll(bits);
    } else {
        return bitCount(bits);
    }
}

template <PairPath path>
inline RunMasks runMasks(const PairArrays& p, const Outer<path>& a, int first, int lanes) {
    if constexpr (path == PairPath::avx2) {
        return a.mayGrow ? avx2Run<true>(p, a, first, lanes) : avx2Run<false>(p, a, first, lanes);
    } else {
        return a.mayGrow ? sse2Run<true>(p, a, first, lanes) : sse2Run<false>(p, a, first, lanes);
    }
}

// What a run's masks were made for: the outer object's entry as it was then.
struct MaskedOuter {
    float x, y;
    int size, kind;
    uint32_t ruleBits;
};

inline MaskedOuter maskedOuter(const PairArrays& p, int index) {
    return {p.x[index], p.y[index], p.size[index], p.kind[index], p.ruleBits[index]};
}

// The outer object only grew since its run's masks were made, by no more than the run looked
// ahead: in the same place, of the same kind, with the same rules.
inline bool onlyGrew(const PairArrays& p, int index, const MaskedOuter& then) {
    const unsigned growth = static_cast<unsigned>(p.size[index] - then.size);
    return p.x[index] == then.x && p.y[index] == then.y && p.kind[index] == then.kind &&
           p.ruleBits[index] == then.ruleBits && growth <= static_cast<unsigned>(kGrowthAhead);
}

// The changes of a meeting seen from the other object: its actor is the first one's target.
int swapRoles(int change) { return ((change & changedActor) << 1) | ((change & changedTarget) >> 1); }

// Both meetings of a touching pair, outer object first, as the chain walk calls them; a side is
// called only where its rule bits meet (interact would change nothing otherwise). Returns what
// changed: changedActor for the outer object, changedTarget for the inner one. Both are alive
// and their entries up to date when the pair comes up; after a first meeting that changed
// something, the second side is asked of the objects themselves.
inline int meetPair(World& w, PairArrays& p, int outer, int inner, int frame) {
    WorldObject& o = *p.object[outer];
    WorldObject& i = *p.object[inner];
    const int first = meets(p.ruleBits[outer], p.ruleBits[inner]) ? meetByRules(w, o, i, frame) : changedNeither;
    const bool second = first == changedNeither
                            ? meets(p.ruleBits[inner], p.ruleBits[outer])
                            : !o.dying && !i.dying && (ruleBitsOfActor(i, evenFrame(frame)) & ruleBitsOfTarget(o)) != 0;
    if (!second) return first;
    return first | swapRoles(meetByRules(w, i, o, frame));
}

// The entries of a cell, or none for a cell outside the grid; blocksEnd ends its last block.
struct EntryRange {
    int first, end, blocksEnd;
};

// Tests the outer object against the entries from .. r.end - 1 of one cell and lets the touching
// pairs meet, in entry order, up to 64 entries to a run. A run starts on a whole block, the
// entries before from left out. The masks of a run are computed before its meetings. A meeting
// that changes the inner object reads that entry again (its bit is behind us); one that changes
// the outer object reads it again and starts a new run after the inner one, unless it only grew
// and no entry ahead could be reached by its growth. Pairs of kinds that
// no rule joins are tested but not met: interact would change nothing. No meeting makes an entry
// ahead of us die, so the pairs counted are the alive bits of the run up to where it ends.
// Returns false once the outer object is dying: it meets nothing more, and its further pairs are
// not counted.
template <PairPath path>
[[gnu::always_inline]] inline bool meetAcrossRange(World& w, PairArrays& p, Outer<path>& a, int from,
                                                   const EntryRange& r, int frame, int& tests) {
    while (from < r.end) {
        const int run = from & ~(kPairLanes - 1);
        const int lanes = std::min(kRunEntries, r.blocksEnd - run);
        // An object never meets itself: its bit, where the run holds it, is closed.
        const unsigned self = static_cast<unsigned>(a.index - run);
        const uint64_t selfBit = static_cast<uint64_t>(self < static_cast<unsigned>(lanes)) << (self & 63u);
        const uint64_t open = (~uint64_t{0} << (from - run)) & ~selfBit;
        const MaskedOuter then = maskedOuter(p, a.index);
        const RunMasks m = runMasks<path>(p, a, run, lanes);
        uint64_t tested = m.alive & open;
        uint64_t touching = m.touching & open;
        from = run + lanes;
        while (touching != 0) {
            const int bit = __builtin_ctzll(touching);
            touching &= touching - 1;
            const int inner = run + bit;
            const int change = meetPair(w, p, a.index, inner, frame);
            if (change & changedTarget) reloadEntry(p, inner, frame);
            if (change & changedActor) {
                reloadEntry(p, a.index, frame);
                const uint64_t upToHere = ~uint64_t{0} >> (63 - bit);
                if (p.aliveMask[a.index] == 0) {
                    tests += countBits<path>(tested & upToHere);
                    return false;
                }
                a = outerAt<path>(p, a.index);
                // Grown in place and near no entry ahead that it might now reach: all ahead of
                // it touches it as before.
                if (onlyGrew(p, a.index, then) && (m.growing & ~upToHere) == 0) continue;
                tested &= upToHere;
                from = inner + 1;
                break;
            }
        }
        tests += countBits<path>(tested);
    }
    return true;
}

EntryRange cellEntries(const CollisionGrid& grid, int column, int row) {
    if (column >= grid.columns || row >= grid.rows) return {0, 0, 0};
    const int cell = column + row * grid.columns;
    const int first = grid.arrays->cellStart[cell], end = grid.arrays->cellEnd[cell];
    return {first, end, roundUpToBlock(end)};
}

// The chain walk's pairs in its order, tested from the arrays. Built once for each path, so that
// the AVX2 one is compiled whole for that processor.
template <PairPath path>
[[gnu::always_inline]] inline int meetAllRuns(World& w, int frame) {
    const CollisionGrid& grid = w.grid;
    PairArrays& p = *grid.arrays;
    int tests = 0;
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            const EntryRange own = cellEntries(grid, column, row);
            if (own.first == own.end) continue;
            // Only right and down, in the chain walk's order: below, right, diagonal.
            const EntryRange neighbours[3] = {cellEntries(grid, column, row + 1), cellEntries(grid, column + 1, row),
                                              cellEntries(grid, column + 1, row + 1)};
            for (int i = own.first; i < own.end; ++i) {
                if (p.aliveMask[i] == 0) continue;
                Outer<path> a = outerAt<path>(p, i);
                if (!meetAcrossRange<path>(w, p, a, own.first, own, frame, tests)) continue;
                if (!p.spansCells[i]) continue;
                for (const EntryRange& r : neighbours) {
                    if (!meetAcrossRange<path>(w, p, a, r.first, r, frame, tests)) break;
                }
            }
        }
    }
    return tests;
}

int meetAllRunsSse2(World& w, int frame) { return meetAllRuns<PairPath::sse2>(w, frame); }
// Flattened: every helper of the walk is compiled into it for AVX2 (the meeting rules stay a call).
__attribute__((target("avx2,popcnt"), flatten)) int meetAllRunsAvx2(World& w, int frame) {
    return meetAllRuns<PairPath::avx2>(w, frame);
}
#endif

}  // namespace

void collideObjects(World& w, int frame) {
    w.pairTests = 0;
#if MOSSBLOOM_PAIR_BLOCKS
    const PairPath path = w.grid.pairPath;
    if (path != PairPath::scalar && pairPathAvailable(path)) {
        fillPairArrays(w.grid, w.objects, frame);
        w.pairTests = path == PairPath::avx2 ? meetAllRunsAvx2(w, frame) : meetAllRunsSse2(w, frame);
        return;
    }
#endif
    clearGrid(w.grid);
    beginIteration(w.objects);
    while (!atEnd(w.objects)) insertObject(w.grid, *nextRecord(w.objects));
    walkCellChains(w, frame);
}

bool testPair(World& w, WorldObject& a, WorldObject& b, int frame) { return testPairInline(w, a, b, frame); }

uint32_t ruleTargets(int actorKind) { return targetsOf(actorKind); }

uint32_t targetBits(const WorldObject& o) { return ruleBitsOfTarget(o); }

uint32_t actingBits(const WorldObject& o, int frame) { return ruleBitsOfActor(o, evenFrame(frame)); }

MeetingChange interact(World& w, WorldObject& actor, WorldObject& target, int frame) {
    if (launchStops(actor, target)) return changedNeither;
    if (actor.dying || target.dying) return changedNeither;
    return meetByRules(w, actor, target, frame);
}

namespace {

// The rules go by the actor's kind; within a kind they are tried in this order. Kept a call of
// its own, so that the pair pass around it stays small.
[[gnu::noinline]] MeetingChange meetByRules(World& w, WorldObject& actor, WorldObject& target, int frame) {
    const int t = target.kind;
    switch (actor.kind) {
        case aqua:
            if (t == aqua && actor.size < 300 && target.size < 300) {
                mergeAquas(w, actor, target);
                return changedBoth;
            }
            return changedNeither;
        case flare:
            if (t == leaf) {
                target.dying = true;
                spawnFlareBurst(w, target, 0);
                spawnSoil(w, target);
                return changedTarget;
            }
            return changedNeither;
        case leaf:
            if (evenFrame(frame) && actor.size < 300 && t == aqua) {
                shrinkTarget(target, 1, 30);
                const bool grows = frame % 4 == 0;
                if (grows) actor.size += 1;
                pullTarget(actor, target, 1.0f);
                return grows ? changedBoth : changedTarget;
            }
            if (t == soil && target.absorbed > 50) {
                sproutClover(w, target);
                return changedTarget;
            }
            return changedNeither;
        case soil:
            if (actor.absorbed < 100 && t == aqua) {
                shrinkTarget(target, static_cast<int>(actor.size * 0.003 * 5), 30);
                absorbInto(actor);
                pullTarget(actor, target, 4.0f);
                return changedTarget;
            }
            if (t == soil && actor.size < 300 && target.size < 300) {
                mergeSoils(w, actor, target);
                return changedBoth;
            }
            if (actor.absorbed == 100 && t == metal && target.absorbed == 100) {
                beginDying(w, actor);
                beginDying(w, target);
                spawnLifeFromPair(w, target, actor);
                return changedBoth;
            }
            return changedNeither;
        case metal:
            if (t == aqua || t == leaf || t == soil || t == metal) {
                if (!takesMetalCharge(target)) return changedNeither;
                actor.charge += 4;
                target.charge += 10;
                if (evenFrame(frame)) actor.touched = target.touched = true;
                return changedNeither;
            }
            if (actor.absorbed < 100 && t == flare) {
                shrinkTarget(target, 5, 20);
                absorbInto(actor);
                pullTarget(actor, target, 4.0f);
                return changedTarget;
            }
            return changedNeither;
        case life:
            if (evenFrame(frame) && isElement(t)) {
                shrinkTarget(target, 1, 30);
                actor.size += 1;
                return changedBoth;
            }
            if (t == dream) actor.charge = 300;
            return changedNeither;
        case sprout:
        case bud:
            if (isElement(t)) return eatElement(w, actor, target);
            return changedNeither;
        default:
            return interactWithFlower(w, actor, target, frame);
    }
}

}  // namespace

MeetingChange interactWithFlower(World& w, WorldObject& actor, WorldObject& target, int frame) {
    const int a = actor.kind, t = target.kind;
    if (a == aquaFlower && t == flare) {
        quenchFlare(w, actor, target);
        return changedBoth;
    }
    if (a == leafFlower && t == aqua) {
        drinkAquaIntoLeaves(w, actor, target);
        return changedBoth;
    }
    if (a == soilFlower && (t == metal || t == metalFlower)) {
        eatMetalIntoSoil(w, actor, target);
        return changedActor;
    }
    if (a == metalFlower && isElement(t) && t != flare && takesMetalCharge(target)) {
        target.charge += 10;
        if (evenFrame(frame)) target.touched = true;
    }
    return changedNeither;
}

void spawnLifeFromPair(World& w, const WorldObject& m, const WorldObject& s) {
    const float vy = randomFloat(w.math, 1.0f) - 0.5f;
    const float vx = randomFloat(w.math, 1.0f) - 0.5f;
    addObject(w.objects, life, (m.size + s.size) / 2, (m.x + s.x) * 0.5f, (m.y + s.y) * 0.5f, vx, vy, 0, 255,
              kWhite, kWhite, kWhite, 10, false);
    playWorldSound(w, kSlotLife);
}
