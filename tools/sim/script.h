#pragma once
// Scripts: the input of a play as lines of "frames x y buttons keys", each held for its frames.

#include <cstddef>
#include <string>
#include <vector>

#include "app/frame_input.h"

using ScriptLine = FrameLine;

// Reads the whole script before anything runs; a bad line ends the program with its number.
// Returns 0, or the exit code after the message.
int readScript(const std::string& path, std::vector<ScriptLine>& lines);

// Plays the script's lines in turn; after the last one the mouse rests where it was.
struct ScriptPlayer {
    const std::vector<ScriptLine>* lines = nullptr;
    size_t index = 0;
    int framesLeft = 0;
    FrameInput resting;

    FrameInput next();
};
