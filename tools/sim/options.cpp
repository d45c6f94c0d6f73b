#include "options.h"

#include <cstdio>

#include "app/frame_input.h"
#include "app/replay_file.h"

namespace {

constexpr int64_t kMaxFrames = 1000000000;
constexpr const char* kUsage =
    "usage: mossbloom-sim [--seed N] [--frames N] [--mode normal|clover|endless] "
    "(--script FILE | --random-player) [--check-pools]\n"
    "       mossbloom-sim --replay FILE [--check-pools]\n";

}  // namespace

int usageError(const std::string& why) {
    std::fprintf(stderr, "mossbloom-sim: %s\n", why.c_str());
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

void printUsage() { std::fputs(kUsage, stdout); }

int parseArguments(int argc, char** argv, Options& o) {
    bool sawScript = false, sawPlayOption = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--random-player") {
            o.randomPlayer = true;
            continue;
        }
        if (arg == "--check-pools") {
            o.checkPools = true;
            continue;
        }
        if (arg != "--seed" && arg != "--frames" && arg != "--mode" && arg != "--script" && arg != "--replay") {
            return usageError("unknown argument '" + arg + "'");
        }
        if (i + 1 >= argc) return usageError(arg + " needs a value");
        const std::string value = argv[++i];
        sawPlayOption = sawPlayOption || arg != "--replay";
        if (arg == "--replay") {
            o.replay = true;
            o.replayPath = value;
        } else if (arg == "--seed") {
            if (!parseWhole<uint32_t>(value, o.seed, 0u, UINT32_MAX)) {
                return usageError("--seed needs a whole number from 0 to 4294967295, got '" + value + "'");
            }
        } else if (arg == "--frames") {
            if (!parseWhole<int64_t>(value, o.frames, 0, kMaxFrames)) {
                return usageError("--frames needs a whole number from 0 to 1000000000, got '" + value + "'");
            }
        } else if (arg == "--mode") {
            if (!parsePlayMode(value, o.mode)) {
                return usageError("--mode must be normal, clover or endless, got '" + value + "'");
            }
        } else {
            o.scriptPath = value;
            sawScript = true;
        }
    }
    if (o.replay) {
        // A replay brings its own start, mode and input.
        if (sawPlayOption || o.randomPlayer) {
            return usageError("--replay takes none of --seed, --frames, --mode, --script and --random-player");
        }
        return 0;
    }
    if (sawScript == o.randomPlayer) return usageError("give exactly one of --script FILE and --random-player");
    return 0;
}
