#include "bench_field.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>

#include "input/input_device.h"
#include "world/object_pool.h"
#include "world/world_steps.h"
#include "world/player.h"
#include "world/seeds.h"
#include "world/world.h"

namespace {

// Its own generator, so that building a field never depends on the world's.
struct FieldRandom {
    uint32_t state;
    uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int between(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1)); }
    float unit() { return static_cast<float>(next() % 10000u) / 10000.0f; }
};

// A field some minutes into a busy play: mostly water and leaves, every element, lives with
// their dreams, the plants at every stage.
struct KindShare {
    int kind;
    int weight;     // out of 100
    int minSize, maxSize;
    int maxCharge;
};
constexpr KindShare kMix[] = {
    {aqua, 34, 30, 179, 250},       {leaf, 14, 50, 250, 250},       {flare, 9, 40, 200, 250},
    {soil, 9, 80, 250, 250},        {metal, 8, 80, 250, 250},       {life, 6, 100, 290, 0},
    {dream, 5, 30, 90, 0},          {aquaFlower, 1, 150, 250, 1200}, {leafFlower, 1, 150, 250, 1200},
    {flareFlower, 1, 150, 250, 1200}, {soilFlower, 1, 150, 250, 1200}, {metalFlower, 1, 150, 250, 1200},
    {sprout, 5, 100, 250, 0},       {bud, 5, 150, 250, 250},
};

int pickKind(FieldRandom& rng, KindShare& share) {
    int roll = rng.between(0, 99);
    for (const KindShare& s : kMix) {
        if (roll < s.weight) {
            share = s;
            return s.kind;
        }
        roll -= s.weight;
    }
    share = kMix[0];
    return aqua;
}

// Where the objects of a field go: the whole field, or a square at its centre.
struct FieldArea {
    float left, top, width, height;
};

FieldArea fieldArea(int crowdSide) {
    if (crowdSide <= 0) return {0.0f, 0.0f, static_cast<float>(kFieldWidth), static_cast<float>(kFieldHeight)};
    const float side = static_cast<float>(crowdSide);
    return {(kFieldWidth - side) * 0.5f, (kFieldHeight - side) * 0.5f, side, side};
}

}  // namespace

void fillField(World& w, int objectCount, int seedCount, uint32_t seed, int crowdSide) {
    resetPlay(w);
    w.timeLeftMs = 120000;
    w.elapsedMs = 60000;
    FieldRandom rng{seed};
    const FieldArea area = fieldArea(crowdSide);
    for (int i = 0; i < objectCount; ++i) {
        KindShare share{};
        const int kind = pickKind(rng, share);
        const float x = area.left + rng.unit() * area.width;
        const float y = area.top + rng.unit() * area.height;
        const float vx = rng.unit() - 0.5f, vy = rng.unit() - 0.5f;
        const bool clover = kind == leaf && rng.between(0, 9) == 0;
        const int alpha = kind == aqua ? 90 : 255;
        if (!addObject(w.objects, kind, rng.between(share.minSize, share.maxSize), x, y, vx, vy, rng.between(0, 359),
                       alpha, 255, 255, 255, 0, clover))
            break;
        WorldObject* o = newestRecord(w.objects);
        o->charge = share.maxCharge > 0 ? rng.between(0, share.maxCharge) : 0;
        o->absorbed = rng.between(0, 60);
        o->content = rng.between(0, 4);
    }
    // Lives burst all over the field, three seeds each, until the pool holds what was asked. The
    // seeds a life gives depend on the middle element of the ranking and on the clock.
    rankKinds(w.objects);
    w.math.randomState = seed;
    for (int tries = 0; tries < 1000 && w.seeds.count < seedCount && w.seeds.count < w.seeds.capacity; ++tries) {
        w.elapsedMs = 60000 + 10 * tries;
        WorldObject lifeCell;
        lifeCell.kind = life;
        lifeCell.size = rng.between(150, 290);
        lifeCell.x = area.left + rng.unit() * area.width;
        lifeCell.y = area.top + rng.unit() * area.height;
        hatchSeeds(w, lifeCell);
    }
    w.elapsedMs = 60000;
    w.math.randomState = seed;
}

void sweepMouse(InputDevice& in, int frame) {
    in.cursorX = 320 + static_cast<int>(300.0 * std::cos(frame * 0.05));
    in.cursorY = 240 + static_cast<int>(220.0 * std::sin(frame * 0.07));
    in.mouseState.buttons[0] = 0;
    in.mouseState.buttons[1] = 0;
}

namespace {

// Three layouts, three object counts (at 555 the first frame fills the pool and runs the
// overpopulation rule; 450 fills it within a few frames of meetings), six fields of each.
constexpr int kDigestLayouts[] = {0, 600, 400};
constexpr int kDigestObjectCounts[] = {300, 450, 555};

}  // namespace

int digestFieldCount() {
    return static_cast<int>(std::size(kDigestLayouts) * std::size(kDigestObjectCounts)) * kDigestFieldsPerShape;
}

DigestField digestField(int index) {
    const int seedIndex = index % kDigestFieldsPerShape;
    const int shape = index / kDigestFieldsPerShape;
    const int counts = static_cast<int>(std::size(kDigestObjectCounts));
    return {kDigestLayouts[shape / counts], kDigestObjectCounts[shape % counts],
            1000u + static_cast<uint32_t>(seedIndex)};
}

const char* layoutName(int crowdSide) {
    switch (crowdSide) {
        case 0:
            return "spread";
        case 600:
            return "crowded600";
        case 400:
            return "crowded400";
        default:
            return "crowded";
    }
}

void buildFieldRig(FieldRig& rig) {
    rig.words = RandomWords{};
    constructSoundSystem(rig.sound);
    buildWorld(rig.world, rig.words, rig.sound);
    loadSoundTable(rig.sound);
    constructDrawContext(rig.drawing, rig.words);
    rig.drawing.device.drawEnabled = false;
    constructInputDevice(rig.input);
    rig.world.input = &rig.input;
}

void destroyFieldRig(FieldRig& rig) {
    destroyDrawContext(rig.drawing);
    unloadSoundTable(rig.sound);
}

void playDigestField(const DigestField& field, PairPath path, FrameDigest (&frames)[kDigestFrames]) {
    auto rig = std::make_unique<FieldRig>();
    buildFieldRig(*rig);
    World& w = rig->world;
    w.grid.pairPath = path;
    rig->words = RandomWords{};
    fillField(w, field.objects, kSeedCapacity, field.seed, field.crowdSide);
    sweepMouse(rig->input, kDigestFirstFrame - 1);
    updateCursor(w, 1.0f, 1.0f);
    for (int i = 0; i < kDigestFrames; ++i) {
        const int frame = kDigestFirstFrame + i;
        sweepMouse(rig->input, frame);
        updateCursor(w, 1.0f, 1.0f);
        runPlayWorldSteps(w, rig->drawing, frame);
        frames[i] = {worldDigest(w), w.pairTests};
    }
    destroyFieldRig(*rig);
}

bool parsePairPath(const char* name, PairPath& path) {
    for (PairPath p : {PairPath::scalar, PairPath::sse2, PairPath::avx2}) {
        if (std::strcmp(name, pairPathName(p)) == 0) {
            path = p;
            return true;
        }
    }
    return false;
}
