#include "options.h"

#include <cstdio>

namespace {

constexpr int64_t kMaxFrames = 1000000000;
constexpr const char* kUsage =
    "usage: mossbloom-sim [--seed N] [--frames N] [--mode normal|clover|endless] "
    "(--script FILE | --random-player) [--check-pools]\n";

}  // namespace

int usageError(const std::string& why) {
    std::fprintf(stderr, "mossbloom-sim: %s\n", why.c_str());
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

void printUsage() { std::fputs(kUsage, stdout); }

int parseArguments(int argc, char** argv, Options& o) {
    bool sawScript = false;
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
        if (arg != "--seed" && arg != "--frames" && arg != "--mode" && arg != "--script") {
            return usageError("unknown argument '" + arg + "'");
        }
        if (i + 1 >= argc) return usageError(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--seed") {
            if (!parseWhole<uint32_t>(value, o.seed, 0u, UINT32_MAX)) {
                return usageError("--seed needs a whole number from 0 to 4294967295, got '" + value + "'");
            }
        } else if (arg == "--frames") {
            if (!parseWhole<int64_t>(value, o.frames, 0, kMaxFrames)) {
                return usageError("--frames needs a whole number from 0 to 1000000000, got '" + value + "'");
            }
        } else if (arg == "--mode") {
            if (value == "normal") o.mode = Mode::normal;
            else if (value == "clover") o.mode = Mode::clover;
            else if (value == "endless") o.mode = Mode::endless;
            else return usageError("--mode must be normal, clover or endless, got '" + value + "'");
        } else {
            o.scriptPath = value;
            sawScript = true;
        }
    }
    if (sawScript == o.randomPlayer) return usageError("give exactly one of --script FILE and --random-player");
    return 0;
}
