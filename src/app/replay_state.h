#pragma once
// Moves a play's state between the App and a replay: the start a replay's header keeps, the
// input state a frame's reading starts from, a frame's input, and the play's result.

#include <cstdint>

#include "app/replay_file.h"

struct App;

// The input state the next frame's reading starts from.
InputCarry carryOf(App& app);
void applyCarry(App& app, const InputCarry& carry);

// What a play about to run its first frame reads: the App's state now, with input the carry
// from before that frame's reading.
void capturePlayStart(const App& app, const InputCarry& input, PlayStart& start);
// Starts a play of the start's mode and puts the rest of its state in place, so that its
// first frame runs as the recorded one did.
void beginPlayFrom(App& app, const PlayStart& start);

// The frame's input as the reading just made it: the cursor on the screen (held to it, as the
// play holds it), the buttons and the play keys.
FrameInput frameInputOf(const App& app);
// Reads a frame's play keys, mouse and cursor from a replay instead of the devices, exactly as
// readFrameInput reads that input from them. The other keys are left as the keyboard read them.
void readReplayedInput(App& app, const FrameInput& input);
// Where a replay's frames have got to.
struct ReplayPosition {
    size_t step = 0;                // the step the next frame comes from
    int32_t stepFrames = 0;         // frames of it read so far
};
// Reads the replay's next frame into the App as readFrameInput reads a frame, after the input
// state that comes before it, if one does; false when the replay's frames have run out.
bool readNextReplayedFrame(App& app, const Replay& replay, ReplayPosition& position);
bool replayFramesLeft(const Replay& replay, const ReplayPosition& position);

// Reads the keyboard and the mouse for all but the shown play: the play keys keep the state the
// replay gave them and the world's cursor stays where the replay put it. False when the keyboard
// cannot be read.
bool readInputBesideReplay(App& app);

// The play's result after frames frames.
PlayResult resultOf(const World& world, int64_t frames);
