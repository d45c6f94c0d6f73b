// The world's part of one play frame (clock to idle hints) on busy fields of 100 to 555 objects
// with a full seed pool. Each measured frame starts from the same field, rebuilt outside the
// timing, with the mouse sweeping over it. At 555 the pool is full, so that frame also runs the
// overpopulation rule, as every frame that fills the pool does in a play. The crowded fields put
// all 555 objects into a square of 600 or 400 units, where each cell of the pair pass holds
// dozens of objects.
//
// With --digests it measures nothing and instead plays every digest field for its 60 frames,
// printing one line a frame: layout, objects, field seed, frame, world digest, pair tests.
// --pair-path=scalar|sse2|avx2 chooses how the pair pass runs, for the measurements and the
// digests alike (by default the widest this processor runs). --frames=N measures exactly N frames
// of each benchmark, for repeatable instruction counts under callgrind.

#include <benchmark/benchmark.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "bench_field.h"
#include "bench_options.h"
#include "input/input_device.h"
#include "platform/headless/headless.h"
#include "sound/sound_system.h"
#include "world/world_steps.h"
#include "world/player.h"
#include "world/world.h"

namespace {

PairPath gPairPath = fastestPairPath();

FieldRig& bench() {
    static std::unique_ptr<FieldRig> b = [] {
        auto made = std::make_unique<FieldRig>();
        platform::headless::assumeAudioFilesExist(true);
        buildFieldRig(*made);
        made->world.grid.pairPath = gPairPath;
        return made;
    }();
    return *b;
}

void playWorldSteps(benchmark::State& state, int objects, int crowdSide) {
    FieldRig& b = bench();
    World& w = b.world;
    int variant = 0;
    int64_t pairTests = 0;
    int seedsAtStart = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Eight fields and eight mouse positions, so that no one layout decides the figure.
        fillField(w, objects, kSeedCapacity, 1000u + static_cast<uint32_t>(variant % 8), crowdSide);
        clearTasks(b.drawing.backTasks);
        clearTasks(b.drawing.frontTasks);
        platform::headless::clearAudioEvents();
        const int frame = 300 + variant;
        sweepMouse(b.input, frame - 1);
        updateCursor(w, 1.0f, 1.0f);
        sweepMouse(b.input, frame);
        updateCursor(w, 1.0f, 1.0f);
        ++variant;
        seedsAtStart = w.seeds.count;
        state.ResumeTiming();
        runPlayWorldSteps(w, b.drawing, frame);
        benchmark::DoNotOptimize(w.score);
        pairTests += w.pairTests;
    }
    state.SetLabel(pairPathName(w.grid.pairPath));
    state.counters["objects"] = objects;
    state.counters["seeds"] = seedsAtStart;
    state.counters["pair_tests"] = benchmark::Counter(static_cast<double>(pairTests), benchmark::Counter::kAvgIterations);
}

void BM_PlayWorldSteps(benchmark::State& state) { playWorldSteps(state, static_cast<int>(state.range(0)), 0); }

// The argument is the side of the square that holds all 555 objects.
void BM_PlayWorldStepsCrowded(benchmark::State& state) {
    playWorldSteps(state, kObjectCapacity, static_cast<int>(state.range(0)));
}

int printDigests() {
    platform::headless::assumeAudioFilesExist(true);
    std::printf("# layout objects seed frame digest pair-tests; made by: build/bench/bench_world_step --digests "
                "--pair-path=%s\n",
                pairPathName(gPairPath));
    for (int i = 0; i < digestFieldCount(); ++i) {
        const DigestField field = digestField(i);
        FrameDigest frames[kDigestFrames];
        playDigestField(field, gPairPath, frames);
        for (int f = 0; f < kDigestFrames; ++f) {
            std::printf("%s %d %" PRIu32 " %d %016" PRIx64 " %d\n", layoutName(field.crowdSide), field.objects,
                        field.seed, kDigestFirstFrame + f, frames[f].digest, frames[f].pairTests);
        }
    }
    return 0;
}

// With iterations > 0 every benchmark runs exactly that many frames (8 plays each field once),
// so that an instruction count under callgrind is the same from run to run.
void registerBenchmarks(int iterations) {
    benchmark::internal::Benchmark* spread = benchmark::RegisterBenchmark("BM_PlayWorldSteps", BM_PlayWorldSteps);
    benchmark::internal::Benchmark* crowded =
        benchmark::RegisterBenchmark("BM_PlayWorldStepsCrowded", BM_PlayWorldStepsCrowded);
    spread->Arg(100)->Arg(300)->Arg(500)->Arg(555)->Unit(benchmark::kMicrosecond);
    crowded->Arg(600)->Arg(400)->Unit(benchmark::kMicrosecond);
    if (iterations > 0) {
        spread->Iterations(iterations);
        crowded->Iterations(iterations);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Takes this program's own arguments out; the rest go to the benchmark library.
    bool digests = false;
    int iterations = 0;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* name = nullptr;
        if (std::strcmp(argv[i], "--digests") == 0) {
            digests = true;
        } else if (countOption(argv[i], "--frames=", iterations)) {
            if (iterations < 0) return 2;
        } else if (textOption(argv[i], "--pair-path=", name)) {
            if (!parsePairPath(name, gPairPath)) {
                std::fprintf(stderr, "--pair-path must be scalar, sse2 or avx2, not '%s'\n", name);
                return 2;
            }
            if (!pairPathAvailable(gPairPath)) {
                std::fprintf(stderr, "this processor cannot run the %s pair path\n", name);
                return 2;
            }
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    if (digests) return printDigests();
    registerBenchmarks(iterations);
    return runRegisteredBenchmarks(argc, argv);
}
