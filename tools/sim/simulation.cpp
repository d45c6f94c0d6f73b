#include "simulation.h"

#include <cstdio>

#include "platform/headless/headless.h"
#include "world/world.h"

namespace {

// The mouse and keys of the frame, as the headless platform will report them.
void feedInput(const FrameInput& in) {
    namespace hl = platform::headless;
    hl::setCursor(in.x, in.y);
    hl::setMouseButton(0, in.left);
    hl::setMouseButton(1, in.right);
    for (const KeyName& key : kKeys) hl::setKeyDown(key.code, (in.keys & key.bit) != 0);
}

const char* kindName(int kind) {
    switch (kind) {
        case aqua: return "aqua";
        case leaf: return "leaf";
        case flare: return "flare";
        case soil: return "soil";
        case metal: return "metal";
        case life: return "life";
        case dream: return "dream";
        case aquaFlower: return "aquaFlower";
        case leafFlower: return "leafFlower";
        case flareFlower: return "flareFlower";
        case soilFlower: return "soilFlower";
        case metalFlower: return "metalFlower";
        case sprout: return "sprout";
        case bud: return "bud";
        default: return nullptr;
    }
}

}  // namespace

void setUp(Simulation& s, uint32_t seed, PlayMode mode) {
    constructAppWithoutDevices(s.app, seed);
    s.mode = mode;
    startPlay(s.app, s.mode);
}

void runFrame(Simulation& s, const FrameInput& in) {
    feedInput(in);
    readFrameInput(s.app);
    if (s.app.sceneFrame == 0) s.plays += 1;
    if (playFrame(s.app)) startPlay(s.app, s.mode);
    s.framesRun += 1;
}

void report(const Simulation& s) {
    const World& w = s.app.world;
    std::printf("frames: %lld\n", static_cast<long long>(s.framesRun));
    std::printf("plays: %d\n", s.plays);
    std::printf("score: %d\n", w.score);
    std::printf("score carry: %d\n", w.scoreCarry);
    std::printf("time left: %d\n", w.timeLeftMs);
    std::printf("objects: %d\n", w.objects.count);
    int perKind[16] = {};
    for (const WorldObject* o = w.objects.head->next; o->active; o = o->next) {
        if (o->kind >= 0 && o->kind < 16) perKind[o->kind] += 1;
    }
    for (int kind = 0; kind < 16; ++kind) {
        if (const char* name = kindName(kind)) std::printf("%s: %d\n", name, perKind[kind]);
    }
    std::printf("seeds: %d\n", w.seeds.count);
    std::printf("dreams collected: %d\n", w.dreamsCollected);
    std::printf("digest: %016llx\n", static_cast<unsigned long long>(worldDigest(w)));
}
