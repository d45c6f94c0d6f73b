#include "app/replay_recorder.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr size_t kHeaderBytes = 64u << 10;   // the largest header: both pools all in pieces
constexpr size_t kFooterRoom = 2048;         // kept free in the buffer for the result
constexpr int kMaxSameNames = 99;

// Ends this play's recording after a failure; the partial file, if there is one, stays as it was.
void dropRecording(ReplayRecorder& r, const char* what) {
    std::fprintf(stderr, "Replay not saved: %s %s: %s. The game goes on.\n", what, r.path, platform::fileError());
    platform::closeFile(r.partialFile);
    r.partialFile = platform::kNoFile;
    platform::removeFile(r.temporaryPath);
    r.recording = false;
}

// The frames of the open run become a line; false when the buffer has no room left for it.
bool closeRun(ReplayRecorder& r) {
    if (r.run.frames == 0) return true;
    char line[96];
    const size_t length = formatFrameLine(line, sizeof line, r.run);
    if (length == 0 || r.text.length + length + kFooterRoom > r.capacity) return false;
    std::memcpy(r.text.data + r.text.length, line, length + 1);
    r.text.length += length;
    r.run.frames = 0;
    return true;
}

// Writes pieces to the temporary name and renames the file over the replay's own name.
bool writeInPlace(ReplayRecorder& r, const char* head, size_t headLength, const char* rest, size_t restLength) {
    const platform::FileHandle file = platform::createFile(r.temporaryPath);
    if (file == platform::kNoFile) return false;
    const bool written = platform::writeFile(file, head, headLength) && platform::writeFile(file, rest, restLength);
    platform::closeFile(file);
    if (!written || !platform::renameFile(r.temporaryPath, r.path)) {
        platform::removeFile(r.temporaryPath);
        return false;
    }
    return true;
}

// The recording stops here, kept as a partial replay; the play goes on.
void stopTooLong(ReplayRecorder& r) {
    std::fprintf(stderr,
                 "Replay: the play outgrew the %zu MiB kept for its recording; it is saved up to frame %lld as a "
                 "partial replay, and the play goes on.\n",
                 r.capacity >> 20, static_cast<long long>(r.frames));
    platform::closeFile(r.partialFile);
    r.partialFile = platform::kNoFile;
    if (!writeInPlace(r, r.text.data, r.text.length, "", 0)) {
        dropRecording(r, "cannot write");
        return;
    }
    r.recording = false;
}

// The lines since the last time go into the partial file; the first time makes the file,
// under a temporary name renamed into place.
void savePartial(ReplayRecorder& r, uint32_t nowMs) {
    r.lastSaveMs = nowMs;
    if (!closeRun(r)) {
        stopTooLong(r);
        return;
    }
    if (r.partialFile == platform::kNoFile) {
        r.partialFile = platform::createFile(r.temporaryPath);
        if (r.partialFile == platform::kNoFile) return dropRecording(r, "cannot write");
        if (!platform::writeFile(r.partialFile, r.text.data, r.text.length) ||
            !platform::renameFile(r.temporaryPath, r.path)) {
            return dropRecording(r, "cannot write");
        }
        r.savedLength = r.text.length;
        return;
    }
    const size_t added = r.text.length - r.savedLength;
    if (!platform::writeFile(r.partialFile, r.text.data + r.savedLength, added)) {
        // Cut back what went in, so that the file ends after whole lines as before.
        platform::cutFile(r.partialFile, r.savedLength);
        return dropRecording(r, "cannot add to");
    }
    r.savedLength = r.text.length;
}

// "mossbloom-2026-11-01-140322-clover.replay", or with "-2" ... before ".replay" when taken.
bool nameReplay(ReplayRecorder& r, int64_t calendarSeconds) {
    const std::time_t seconds = static_cast<std::time_t>(calendarSeconds);
    const std::tm* found = std::localtime(&seconds);
    const std::tm local = found != nullptr ? *found : std::tm{};
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    std::strftime(r.recorded, sizeof r.recorded, "%Y-%m-%d %H:%M:%S", &local);
    const char* mode = playModeName(r.start.mode);
    for (int n = 1; n <= kMaxSameNames; ++n) {
        char suffix[8] = "";
        if (n > 1) std::snprintf(suffix, sizeof suffix, "-%d", n);
        const int length = std::snprintf(r.path, sizeof r.path, "%s/mossbloom-%s-%s%s.replay", r.folder, stamp,
                                         mode, suffix);
        if (length < 0 || static_cast<size_t>(length) >= sizeof r.path) return false;
        if (!platform::fileExists(r.path)) break;
    }
    const int length = std::snprintf(r.temporaryPath, sizeof r.temporaryPath, "%s.writing", r.path);
    return length > 0 && static_cast<size_t>(length) < sizeof r.temporaryPath;
}

}  // namespace

bool openRecorder(ReplayRecorder& r, const char* folder, size_t capacity) {
    r.enabled = false;
    const size_t length = std::strlen(folder);
    if (length == 0 || length + 64 >= sizeof r.folder || !platform::makeFolders(folder)) {
        std::fprintf(stderr, "Replays are not recorded: the folder %s cannot be made (%s). The game goes on.\n",
                     folder, length == 0 ? "no name" : platform::fileError());
        return false;
    }
    std::memcpy(r.folder, folder, length + 1);
    // The time zone is read now, not when the first play is named.
    const std::time_t now = std::time(nullptr);
    std::localtime(&now);
    r.capacity = capacity;
    r.buffer = std::make_unique<char[]>(capacity);
    r.headerBuffer = std::make_unique<char[]>(kHeaderBytes);
    r.enabled = true;
    return true;
}

void startRecording(ReplayRecorder& r, const PlayStart& start, uint32_t nowMs, int64_t calendarSeconds) {
    if (!r.enabled) return;
    r.start = start;
    r.recording = false;
    if (!nameReplay(r, calendarSeconds)) {
        std::fprintf(stderr, "Replay not saved: the folder's name %s is too long. The game goes on.\n", r.folder);
        return;
    }
    r.text = TextBuffer{r.buffer.get(), r.capacity - kFooterRoom, 0, false};
    formatReplayHeader(r.text, start, r.recorded, true);
    r.text.capacity = r.capacity;
    r.headerLength = r.savedLength = r.text.length;
    r.run = FrameLine{};
    r.frames = 0;
    r.partialFile = platform::kNoFile;
    r.lastSaveMs = nowMs;
    r.recording = !r.text.overflowed;
}

void recordResume(ReplayRecorder& r, const InputCarry& carry) {
    if (!r.recording) return;
    if (!closeRun(r)) return stopTooLong(r);
    TextBuffer line{r.text.data + r.text.length, r.capacity - kFooterRoom - r.text.length, 0, false};
    formatResumeLine(line, carry);
    if (line.overflowed) return stopTooLong(r);
    r.text.length += line.length;
}

void recordFrame(ReplayRecorder& r, const FrameInput& input, uint32_t nowMs) {
    if (!r.recording) return;
    if (r.run.frames > 0 && (!sameInput(r.run.input, input) || r.run.frames >= kMaxLineFrames) && !closeRun(r)) {
        return stopTooLong(r);
    }
    if (r.run.frames == 0) r.run.input = input;
    r.run.frames += 1;
    r.frames += 1;
    if (nowMs - r.lastSaveMs >= kPartialEveryMs) savePartial(r, nowMs);
}

void finishRecording(ReplayRecorder& r, const PlayResult& result) {
    if (!r.recording) return;
    r.recording = false;
    if (!closeRun(r)) return stopTooLong(r);
    // The room kept free takes the result.
    TextBuffer footer{r.text.data + r.text.length, r.capacity - r.text.length, 0, false};
    formatReplayFooter(footer, result);
    TextBuffer header{r.headerBuffer.get(), kHeaderBytes, 0, false};
    formatReplayHeader(header, r.start, r.recorded, false);
    platform::closeFile(r.partialFile);
    r.partialFile = platform::kNoFile;
    if (footer.overflowed || header.overflowed ||
        !writeInPlace(r, header.data, header.length, r.text.data + r.headerLength,
                      r.text.length + footer.length - r.headerLength)) {
        dropRecording(r, "cannot write");
    }
}
