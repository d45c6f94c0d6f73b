#pragma once
// Replays in the game: every play's end line on standard output, the recording of plays
// (--record DIR) and the showing of one recorded play (--replay FILE). The frame loop and the
// play scene call the hooks below; with neither option they only watch for the end of a play.

#include <cstdint>
#include <string>

#include "app/replay_file.h"
#include "app/replay_recorder.h"
#include "app/replay_state.h"

struct App;

struct ReplaySession {
    bool playRunning = false;           // a play has run a frame and has not ended
    bool playFrameRan = false;          // in this frame
    bool readWithoutPlay = false;       // since the play's last frame, a frame read input without it
    int64_t playFrames = 0;
    InputCarry carry;                   // the input state the next frame's reading starts from
    ReplayRecorder recorder;
    bool showing = false;               // the shown replay's play runs, or is still to come
    Replay shown;
    ReplayPosition shownAt;
};

// The game's command line: --record DIR, --replay FILE, --help.
struct GameOptions {
    std::string recordFolder;           // absolute
    bool showReplay = false;
};

// Reads the options and the replay to show (before the game changes its working folder);
// returns -1 to go on, or the exit code after the message (0 for --help).
int readGameOptions(int argc, char** argv, GameOptions& options, Replay& shown);
// Makes the record folder ready and puts the replay to show after the loading picture.
void applyGameOptions(App& app, const GameOptions& options, Replay& shown);

// Reads the frame's input from the devices; while a replay is shown, its play takes the mouse and
// the play keys from the file instead. False when the keyboard cannot be read.
bool readInputForFrame(App& app);
// The play scene's frame: the recording or the shown replay around playFrame. True when the
// play is over (its end shown, or the shown replay's frames run out).
bool playSceneFrame(App& app);
// After each frame that read input: notes frames the play did not run, and when the play has
// been left (its end, 1, Escape) prints its end line and finishes its recording.
void endInputFrame(App& app);
// The program ends (its window closed) during a play: the play ends there.
void endPlayAtExit(App& app);
