// Fuzz target over the replay reader: any bytes are read as a replay file. A refusal must name
// a line of the text; a replay that is read, written again, must read back to the same text.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "app/replay_file.h"

namespace {

constexpr size_t kWrittenBytes = 4u << 20;

// Any broken promise is a finding: abort so that the fuzzer keeps the input.
void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "replay fuzz: %s\n", what);
    std::abort();
}

int linesIn(std::string_view text) {
    int lines = 1;
    for (char c : text) lines += c == '\n' ? 1 : 0;
    return lines;
}

std::string written(const Replay& replay, char* buffer) {
    TextBuffer text{buffer, kWrittenBytes};
    formatReplay(text, replay);
    require(!text.overflowed, "a replay read from the input does not fit four times its size when written");
    return std::string(buffer, text.length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::unique_ptr<char[]> buffer(new char[kWrittenBytes]);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto replay = std::make_unique<Replay>();
    ReplayError error;
    if (!readReplay(text, *replay, error)) {
        require(error.line >= 1 && error.line <= linesIn(text) + 1, "a refusal names a line outside the text");
        require(!error.why.empty(), "a refusal says nothing");
        return 0;
    }
    require(replay->frames >= 0 && replay->frames <= kMaxReplayFrames, "a read replay is too long");
    const std::string once = written(*replay, buffer.get());
    auto again = std::make_unique<Replay>();
    require(readReplay(once, *again, error), "a written replay does not read back");
    require(written(*again, buffer.get()) == once, "a written replay reads back to another text");
    return 0;
}
