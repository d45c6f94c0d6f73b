#include "simulation.h"

#include <cstdio>
#include <string>

#include "app/replay_state.h"
#include "options.h"
#include "platform/headless/headless.h"
#include "world/pool_check.h"
#include "world/world.h"

namespace {

// The mouse and keys of the frame, as the headless platform will report them.
void feedInput(const FrameInput& in) {
    namespace hl = platform::headless;
    hl::setCursor(in.x, in.y);
    hl::setMouseButton(0, in.left);
    hl::setMouseButton(1, in.right);
    for (const PlayKey& key : kPlayKeys) hl::setKeyDown(key.code, (in.keys & key.bit) != 0);
}

// A fault of either pool after frame; 0 when there is none, else the exit code after the message.
int poolFault(const Simulation& s, int64_t frame) {
    const char* fault = worldPoolFault(s.app.world);
    if (fault == nullptr) return 0;
    std::fprintf(stderr, "mossbloom-sim: frame %lld: %s\n", static_cast<long long>(frame), fault);
    return 1;
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
    std::printf("frames: %lld\n", static_cast<long long>(s.framesRun));
    std::printf("plays: %d\n", s.plays);
    char lines[2048];
    TextBuffer text{lines, sizeof lines};
    formatResultLines(text, resultOf(s.app.world, s.framesRun));
    std::fputs(lines, stdout);
}

int runReplay(const char* path, bool checkPools) {
    auto replay = std::make_unique<Replay>();
    ReplayError error;
    if (!readReplayFile(path, *replay, error)) {
        if (error.line == 0) return usageError(error.why);
        std::fprintf(stderr, "mossbloom-sim: %s:%d: %s\n", path, error.line, error.why.c_str());
        return kExitUsage;
    }
    auto sim = std::make_unique<Simulation>();
    constructAppWithoutDevices(sim->app, 0);
    beginPlayFrom(sim->app, replay->start);
    sim->mode = replay->start.mode;
    // The play's frames, as the game ran them, up to its end.
    ReplayPosition at;
    bool ended = false;
    while (!ended && readNextReplayedFrame(sim->app, *replay, at)) {
        if (sim->app.sceneFrame == 0) sim->plays += 1;
        ended = playFrame(sim->app);
        sim->framesRun += 1;
        if (checkPools) {
            if (const int code = poolFault(*sim, sim->framesRun)) return code;
        }
    }
    report(*sim);
    if (replay->partial) std::printf("partial: yes\n");
    std::string difference;
    if (replay->hasResult && firstDifference(replay->result, resultOf(sim->app.world, sim->framesRun), difference)) {
        std::fprintf(stderr, "mossbloom-sim: %s: the replay does not end as it was recorded: %s\n", path,
                     difference.c_str());
        return kExitReplayDiffers;
    }
    return 0;
}
