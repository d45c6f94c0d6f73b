// The world's part of one play frame (clock to idle hints) on busy fields of 100 to 555 objects
// with a full seed pool. Each measured frame starts from the same field, rebuilt outside the
// timing, with the mouse sweeping over it. At 555 the pool is full, so that frame also runs the
// overpopulation rule, as every frame that fills the pool does in a play.

#include <benchmark/benchmark.h>

#include <memory>

#include "app/renderer.h"
#include "bench_field.h"
#include "input/input_device.h"
#include "platform/headless/headless.h"
#include "sound/sound_system.h"
#include "world/play_frame.h"
#include "world/player.h"
#include "world/world.h"

namespace {

struct StepBench {
    World world;
    Renderer renderer;
    InputDevice input;
};

StepBench& bench() {
    static std::unique_ptr<StepBench> b = [] {
        auto made = std::make_unique<StepBench>();
        platform::headless::assumeAudioFilesExist(true);
        buildWorld(made->world, nullptr);
        loadSoundTable(made->world.sound);
        constructInputDevice(made->input);
        constructTaskList(made->renderer.backTasks, made->renderer, kBackTaskCapacity);
        constructTaskList(made->renderer.frontTasks, made->renderer, kFrontTaskCapacity);
        made->renderer.device.drawEnabled = false;
        made->world.input = &made->input;
        made->world.renderer = &made->renderer;
        return made;
    }();
    return *b;
}

void BM_PlayWorldSteps(benchmark::State& state) {
    StepBench& b = bench();
    World& w = b.world;
    const int objects = static_cast<int>(state.range(0));
    int variant = 0;
    int64_t pairTests = 0;
    int seedsAtStart = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // Eight fields and eight mouse positions, so that no one layout decides the figure.
        fillField(w, objects, kSeedCapacity, 1000u + static_cast<uint32_t>(variant % 8));
        clearTasks(b.renderer.backTasks);
        clearTasks(b.renderer.frontTasks);
        platform::headless::clearAudioEvents();
        const int frame = 300 + variant;
        sweepMouse(b.input, frame - 1);
        updateCursor(w, 1.0f, 1.0f);
        sweepMouse(b.input, frame);
        updateCursor(w, 1.0f, 1.0f);
        ++variant;
        seedsAtStart = w.seeds.count;
        state.ResumeTiming();
        runPlayWorldSteps(w, frame, 1.0f);
        benchmark::DoNotOptimize(w.score);
        pairTests += w.pairTests;
    }
    state.counters["objects"] = objects;
    state.counters["seeds"] = seedsAtStart;
    state.counters["pair_tests"] = benchmark::Counter(static_cast<double>(pairTests), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_PlayWorldSteps)->Arg(100)->Arg(300)->Arg(500)->Arg(555)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
