#pragma once
// The replay file: a play kept as the state it started from (the header), the input of each of
// its frames as run-length script lines, and its result (the footer). Text, written and read
// here; replay_state moves the state between this and the App. The README shows an example.
//
//   mossbloom replay: 1                 format version
//   partial: no                         yes while the play was still running
//   mode: clover
//   recorded: 2026-11-01 14:03:22
//   generator words: ...                the shared words, then each generator's own word
//   ...                                 time, hints, view, zoom, HUD, trail, input, pools
//   play:
//   30 320 240 -                        frames x y buttons keys
//   resume: mouse ... keys -            the input state after frames the play did not run
//   frames: 5400                        the result, as the simulator prints it
//   ...
//   digest: 0123456789abcdef
//
// Reading never allocates more than the text's size calls for and refuses, with its line, any
// line out of place or any number out of the range the game itself keeps it in.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/frame_input.h"
#include "app/play_frame.h"
#include "input/input_device.h"
#include "support/math_tables.h"
#include "world/world.h"

constexpr int kReplayVersion = 1;
constexpr size_t kMaxReplayBytes = 64u << 20;
constexpr int64_t kMaxReplayFrames = 1000000000;

// "normal", "clover" or "endless".
const char* playModeName(PlayMode mode);
bool parsePlayMode(std::string_view text, PlayMode& mode);

struct KeyCarry {
    uint8_t edge = kKeyUp;          // kKeyUp, kKeyPressedUnread or kKeyPressedRead
    int32_t heldFrames = 0;
};

// What a frame's input reading starts from, kept from the frames before it: the world's cursor
// with the stroke it measures, the presses of the play keys and the click latches.
struct InputCarry {
    int32_t mouseX = 0, mouseY = 0;
    int32_t cursorX = 0, cursorY = 0;
    int32_t previousX = 0, previousY = 0;
    int32_t stroke = 0;
    KeyCarry keys[kPlayKeyCount];
    bool latch[2] = {};
};

// The fields of a record that no add sets: they stay from its last use.
struct RecordLeftover {
    int32_t cellY = 0, cellX = 0, cellW = 0, cellH = 0;
    bool clover = false;
};

constexpr int kMaxPoolSerial = kObjectCapacity + 2;   // head 1, records 2 ... capacity + 2, tail 0

// What a pool keeps from one play to the next: the order of its records (the next play takes
// them in that order), the record its walk stopped on, and the leftover fields.
struct PoolStart {
    int32_t records = 0;                          // between head and tail: capacity + 1
    int32_t order[kMaxPoolSerial] = {};           // their serials in chain order
    int32_t cursor = 1;                           // serial of the record the walk stopped on
    RecordLeftover leftover[kMaxPoolSerial + 1];  // by serial
};

// Everything a play reads that its start does not set, as it was just before its first frame.
struct PlayStart {
    PlayMode mode = PlayMode::normal;
    RandomWords words;
    uint32_t worldRandom = 1, effectsRandom = 1;
    int32_t timeLeftMs = 0;
    int32_t hintStage = 0, hintStageStart = 0;
    float viewX = 0, viewY = 0;
    float zoom = 1, zoomBlend = 1;
    int32_t hudSlide = 0;
    int32_t trailSlot = 0;
    InputCarry input;
    PoolStart objects, seeds;
};

constexpr int kKindSlots = 16;   // object kinds 0 ... 15; the result names the 14 that are made

// What a play left: the simulator's result lines.
struct PlayResult {
    int64_t frames = 0;
    int32_t score = 0, scoreCarry = 0, timeLeftMs = 0, objects = 0;
    int32_t byKind[kKindSlots] = {};
    int32_t seeds = 0, dreamsCollected = 0;
    uint64_t digest = 0;
};

// The name of a kind in the result lines; nullptr for the two kinds that are never made.
const char* kindName(int kind);

// One input held for a number of frames; carry, when not -1, is set before its first frame.
struct ReplayStep {
    int32_t frames = 0;
    FrameInput input;
    int32_t carry = -1;
};

struct Replay {
    bool partial = false;
    std::string recorded;
    PlayStart start;
    std::vector<ReplayStep> steps;
    std::vector<InputCarry> carries;
    int64_t frames = 0;                   // all steps together
    bool hasResult = false;
    PlayResult result;
};

struct ReplayError {
    int line = 0;
    std::string why;
};

// Reads a replay from its whole text; false with the line and what is wrong. A partial replay
// whose last line has no end (the game stopped while writing it) is read up to the line before.
bool readReplay(std::string_view text, Replay& replay, ReplayError& error);

// Reads the replay in the file at path; line 0 in the error when the file cannot be read.
bool readReplayFile(const char* path, Replay& replay, ReplayError& error);

// Text written into a buffer of fixed size.
struct TextBuffer {
    char* data = nullptr;
    size_t capacity = 0;
    size_t length = 0;
    bool overflowed = false;       // something did not fit and was left out
};
// Appends the formatted text whole, or nothing and sets overflowed.
void appendText(TextBuffer& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The header from its first line to "play:".
void formatReplayHeader(TextBuffer& text, const PlayStart& start, const char* recorded, bool partial);
// A "resume:" line.
void formatResumeLine(TextBuffer& text, const InputCarry& carry);
// The result lines from "score:" to "digest:" (the footer puts "frames:" before them).
void formatResultLines(TextBuffer& text, const PlayResult& result);
void formatReplayFooter(TextBuffer& text, const PlayResult& result);
// A whole replay as read: header, steps with their resume lines, and the result if it has one.
void formatReplay(TextBuffer& text, const Replay& replay);

// Describes the first field in which two results differ ("score: recorded 120, replayed 96");
// false when they are the same.
bool firstDifference(const PlayResult& recorded, const PlayResult& replayed, std::string& what);
