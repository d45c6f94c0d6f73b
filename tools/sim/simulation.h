#pragma once
// A simulated run: an App without devices playing one play after another of one mode, frame by
// frame through the game's own play frame, or playing a replay; and the lines it prints at the end.

#include <cstdint>
#include <memory>

#include "app/app.h"
#include "app/frame_input.h"
#include "app/play_frame.h"

struct Simulation {
    std::unique_ptr<App> appBox = std::make_unique<App>();
    App& app = *appBox;
    PlayMode mode = PlayMode::normal;
    int64_t framesRun = 0;
    int plays = 0;
};

// Builds the App from the seed and starts the first play of the mode.
void setUp(Simulation& s, uint32_t seed, PlayMode mode);
// One play frame of the game with this input. Where the game returns to the title, the
// simulator starts the next play of the same mode at once.
void runFrame(Simulation& s, const FrameInput& in);
// The result lines on standard output.
void report(const Simulation& s);
// Runs the replay in the file (with the pools checked after every frame when asked) and prints
// the result lines: exit code 0 when they are the replay's own, 3 with the first difference, 2
// for a file that is no replay (1 for a pool fault).
int runReplay(const char* path, bool checkPools);
