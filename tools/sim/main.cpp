// mossbloom-sim: whole plays without a window or a sound device. Each frame is the game's own play
// frame (readFrameInput and playFrame, as the play scene runs them) on an App whose device draws
// nothing (the HUD clock still takes its flicker from the effects generator, which shares its
// words with the world's). Same arguments, same output. A replay runs the recorded play.
//
// The parts: options (the command line), script (the script reader and player), random_player,
// and simulation (the frame, the replay's run and the result lines).

#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "options.h"
#include "random_player.h"
#include "script.h"
#include "simulation.h"
#include "world/pool_check.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            printUsage();
            return 0;
        }
    }
    Options options;
    if (const int code = parseArguments(argc, argv, options)) return code;
    if (options.replay) return runReplay(options.replayPath.c_str(), options.checkPools);

    std::vector<ScriptLine> script;
    if (!options.randomPlayer) {
        if (const int code = readScript(options.scriptPath, script)) return code;
    }

    auto sim = std::make_unique<Simulation>();
    setUp(*sim, options.seed, options.mode);
    ScriptPlayer scripted;
    scripted.lines = &script;
    RandomPlayer random{PlayerRandom{options.seed ^ 0x5EEDC0FFEEull}, Aim{&sim->app.world, &sim->app.renderer.drawing}};
    for (int64_t f = 0; f < options.frames; ++f) {
        runFrame(*sim, options.randomPlayer ? random.next() : scripted.next());
        const char* fault = options.checkPools ? worldPoolFault(sim->app.world) : nullptr;
        if (fault != nullptr) {
            std::fprintf(stderr, "mossbloom-sim: frame %lld: %s\n", static_cast<long long>(f + 1), fault);
            return 1;
        }
    }
    report(*sim);
    return 0;
}
