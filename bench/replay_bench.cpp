// What recording a play costs the frame that does it, on the real file system: a frame added to
// the buffer (a new line every frame, the worst a moving mouse makes), the 10 s save that adds
// the lines since the last one to the partial file, and the end of a play, when the whole
// replay is written under a temporary name and renamed into place (a 3-minute play and a
// 2-hour endless one, a line every frame). The files go to a folder under $TMPDIR (or /tmp).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/replay_recorder.h"

namespace {

constexpr uint32_t kFrameMs = 33;

std::string benchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp != nullptr ? tmp : "/tmp") + "/mossbloom-replay-bench-" + std::to_string(getpid());
}

struct Rig {
    ReplayRecorder recorder;
    PlayStart start;
    uint32_t now = 0;
    int frame = 0;

    Rig() {
        start.objects.records = kObjectCapacity + 1;
        start.seeds.records = kSeedCapacity + 1;
        for (int i = 0; i < start.objects.records; ++i) start.objects.order[i] = i + 2;
        for (int i = 0; i < start.seeds.records; ++i) start.seeds.order[i] = i + 2;
        if (!openRecorder(recorder, benchFolder().c_str())) std::abort();
    }
    ~Rig() { std::filesystem::remove_all(benchFolder()); }

    void begin() {
        frame = 0;
        startRecording(recorder, start, now, 1793620800 + now / 1000);
    }
    // A frame whose input differs from the last one's, at the clock's time.
    void add(uint32_t at) {
        FrameInput in;
        in.x = 100 + frame % 400;
        in.y = 80 + (frame * 7) % 300;
        in.left = frame % 5 != 0;
        recordFrame(recorder, in, at);
        frame += 1;
    }
};

Rig& rig() {
    static Rig r;
    return r;
}

// One frame with the clock standing still: only the buffer.
void BM_RecordFrame(benchmark::State& state) {
    Rig& r = rig();
    r.begin();
    for (auto _ : state) {
        if (r.frame >= 200000) {
            state.PauseTiming();
            r.begin();
            state.ResumeTiming();
        }
        r.add(r.now);
    }
    r.recorder.recording = false;
}
BENCHMARK(BM_RecordFrame);

// The frame that saves: 10 s of lines (about 300) added to the partial file, the first save
// (which makes the file and renames it into place) left out.
void BM_PartialSave(benchmark::State& state) {
    Rig& r = rig();
    r.begin();
    for (auto _ : state) {
        state.PauseTiming();
        // A new play before this one outgrows the buffer (three hours of lines).
        if (r.frame > 300000) {
            finishRecording(r.recorder, PlayResult{});
            r.begin();
        }
        for (int i = 0; i < 299; ++i) r.add(r.now += kFrameMs);
        r.now = r.recorder.lastSaveMs + kPartialEveryMs;   // this frame is 10 s after the last save
        const int64_t savedBefore = static_cast<int64_t>(r.recorder.savedLength);
        state.ResumeTiming();
        r.add(r.now);
        if (static_cast<int64_t>(r.recorder.savedLength) <= savedBefore && r.recorder.recording) {
            state.SkipWithError("the frame did not save");
        }
    }
    r.recorder.recording = false;
}
BENCHMARK(BM_PartialSave)->Unit(benchmark::kMicrosecond)->Iterations(3000);

// The end of a play of this many frames: the whole replay written and renamed into place.
void BM_FinishRecording(benchmark::State& state) {
    Rig& r = rig();
    for (auto _ : state) {
        state.PauseTiming();
        r.begin();
        for (int i = 0; i < state.range(0); ++i) r.add(r.now);   // no save on the way
        PlayResult result;
        result.frames = state.range(0);
        state.ResumeTiming();
        finishRecording(r.recorder, result);
    }
}
BENCHMARK(BM_FinishRecording)->Arg(5400)->Arg(216000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
