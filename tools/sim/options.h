#pragma once
// The simulator's command line.

#include <cstdint>
#include <string>

#include "app/play_frame.h"

constexpr int kExitUsage = 2;
constexpr int kExitReplayDiffers = 3;

struct Options {
    uint32_t seed = 1;
    int64_t frames = 1800;
    PlayMode mode = PlayMode::normal;
    std::string scriptPath;
    bool randomPlayer = false;
    bool replay = false;        // run a replay instead of a script or the random player
    std::string replayPath;
    bool checkPools = false;    // both pools checked whole after every frame
};

// The message and the usage line on standard error; returns the exit code for a bad argument.
int usageError(const std::string& why);
void printUsage();

// Returns 0 when the arguments are good, else the exit code after the message.
int parseArguments(int argc, char** argv, Options& o);
