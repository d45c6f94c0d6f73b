#pragma once
// Records plays into replay files in a folder, one file a play, named by the date and time of
// its start and its mode. The frames are kept in a buffer reserved once, before any play; a
// frame only adds to it. Every 10 s the lines since the last time are added to the file, which
// carries "partial: yes" and stands under its own name from the first time on, so that a game
// that is killed loses at most the last seconds. At the end of the play the whole replay, with
// its result, is written under a temporary name and renamed over it. A play too long for the
// buffer ends its recording (kept as a partial replay) and goes on; a folder that cannot be
// written costs the recording of that play, with one message on standard error.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/replay_file.h"
#include "platform/files.h"

constexpr size_t kRecordingBytes = 8u << 20;    // about four hours of a mouse that never rests
constexpr uint32_t kPartialEveryMs = 10000;
constexpr size_t kPathCapacity = 4096;

struct ReplayRecorder {
    bool enabled = false;                       // a folder to record into was made
    char folder[kPathCapacity] = {};
    std::unique_ptr<char[]> buffer;             // the header and the frame lines of this play
    std::unique_ptr<char[]> headerBuffer;       // the finished file's header
    size_t capacity = 0;
    TextBuffer text;
    size_t headerLength = 0;                    // where the frame lines start in text
    size_t savedLength = 0;                     // bytes of text the partial file holds
    PlayStart start;                            // for the finished file's header
    char recorded[32] = {};                     // date and time of the play's start
    char path[kPathCapacity] = {};
    char temporaryPath[kPathCapacity] = {};
    FrameLine run;                              // the input of the last frames, not yet a line
    int64_t frames = 0;
    bool recording = false;                     // this play is being recorded
    platform::FileHandle partialFile = platform::kNoFile;
    uint32_t lastSaveMs = 0;
};

// Makes the folder (and those above it) and reserves the buffers; false, with one message on
// standard error, when the folder cannot be made (the game then records nothing).
bool openRecorder(ReplayRecorder& recorder, const char* folder, size_t capacity = kRecordingBytes);

// A play begins from this start at nowMs; its file is named after calendarSeconds.
void startRecording(ReplayRecorder& recorder, const PlayStart& start, uint32_t nowMs, int64_t calendarSeconds);
// The input state after frames in which the play did not run, before the next frame.
void recordResume(ReplayRecorder& recorder, const InputCarry& carry);
// One play frame's input; the partial file takes the new lines when 10 s have passed.
void recordFrame(ReplayRecorder& recorder, const FrameInput& input, uint32_t nowMs);
// The play ended (or was left) with this result: the whole replay goes into place.
void finishRecording(ReplayRecorder& recorder, const PlayResult& result);
