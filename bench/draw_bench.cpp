// The drawing of one heavy play frame: full object and seed pools, the whole cursor trail, wave
// rings in the back task list, the overpopulation flash in the front one, the HUD with a combo,
// the mini-map and the debug overlay, bracketed by the device's frame and presented; and the
// floor under every frame, with and without keeping the scene picture for a pause, and a paused
// frame. Built twice:
// through the SDL renderer (under a display) and through the headless platform, which draws
// nothing and so shows the game's own cost.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "app/main_window.h"
#include "app/play_frame.h"
#include "app/scenes.h"
#include "app/hud.h"
#include "bench_field.h"
#include "platform/keys.h"
#include "world/effects.h"
#include "world/play_clock.h"
#include "world/world_drawing.h"
#if MOSSBLOOM_BENCH_HEADLESS
#include "platform/headless/headless.h"
#endif

namespace {

App gApp;  // the game's own App, with its window, device and images

bool gOpened = false;

void openGame() {
    if (gOpened) return;
    gOpened = true;
    if (chdir(MOSSBLOOM_GAME_DIR) != 0) {
        std::perror("bench: " MOSSBLOOM_GAME_DIR);
        std::exit(1);
    }
#if MOSSBLOOM_BENCH_HEADLESS
    // Count the draws but keep none: a recording would be the test platform's cost, not ours.
    platform::headless::setDrawRecording(false);
#endif
    if (!startWindowSystem()) std::exit(1);
    readDesktopSize();
    if (!createMainWindow()) std::exit(1);
    constructApp(gApp);
}

// Wave rings of several ages under the field, the white flash over it.
void queueEffects(DrawContext& r) {
    clearTasks(r.backTasks);
    clearTasks(r.frontTasks);
    const bool drawing = r.device.drawEnabled;
    r.device.drawEnabled = false;
    for (int i = 0; i < 6; ++i) {
        queueWaveEffects(r, 200 + 150 * i, 300 + 60 * i, i % 2 == 0 ? 1 : 0, i % 2 == 0 ? 0 : 1);
        for (int k = 0; k < 3; ++k) runTasks(r.backTasks);
    }
    queueEffect(r.frontTasks, 0, fadeOutAdditive, 0, fadePayload(255, 255, 255, 8));
    r.device.drawEnabled = drawing;
}

void fillTrail(World& w) {
    for (int i = 0; i < kTrailCapacity; ++i) {
        spawnTrail(w.trail, 200.0f + 6.0f * i, 200.0f + 3.0f * i, 2.0f, -1.5f, i % 7);
    }
}

#if MOSSBLOOM_BENCH_HEADLESS
// One more frame, recorded: how many draws it makes, and how often the drawing state (texture,
// blend, filter) changes between consecutive draws, which is what ends a batch in the renderer.
void countDraws(App& app, benchmark::State& state) {
    namespace hl = platform::headless;
    DrawContext& r = app.renderer.drawing;
    queueEffects(r);
    fillTrail(app.world);
    hl::setDrawRecording(true);
    hl::clearVideoRecord();
    beginScene(r.device);
    drawPlay(app);
    drawDebugOverlay(app);
    endScene(r.device);
    presentFrame(r.device);
    const std::vector<hl::DrawCall>& draws = hl::videoRecord().draws;
    int changes = 0;
    for (size_t i = 1; i < draws.size(); ++i) {
        const hl::DrawCall& a = draws[i - 1];
        const hl::DrawCall& b = draws[i];
        if (a.texture != b.texture || a.filter != b.filter || a.blend.source != b.blend.source ||
            a.blend.destination != b.blend.destination || a.kind != b.kind)
            ++changes;
    }
    hl::setDrawRecording(false);
    state.counters["draws"] = static_cast<double>(draws.size());
    state.counters["state_changes"] = changes;
}
#endif

void BM_HeavyPlayFrameDrawing(benchmark::State& state) {
    openGame();
    App& app = gApp;
    World& w = app.world;
    DrawContext& r = app.renderer.drawing;
    fillField(w, kObjectCapacity, kSeedCapacity, 4242u);
    w.score = 1234567;
    w.mouseX = 300;
    w.mouseY = 220;
    w.comboCount = 7;
    w.lastDreamPoints = 850;
    app.sceneFrame = 100;
    r.device.drawEnabled = true;
    // A view a little off the middle, zoomed out, so that most of the field is on screen.
    r.zoom = 0.7f;
    r.zoomBlend = 0.4f;
    r.viewOffset = {w.viewX + 40.0f, w.viewY - 30.0f};
    for (auto _ : state) {
        state.PauseTiming();
        queueEffects(r);
        fillTrail(w);
        w.comboTimer = 60;
        app.sceneFrame += 1;
        state.ResumeTiming();
        beginScene(r.device);
        drawPlay(app);
        keepScenePicture(r.device);  // as every frame with a scene does, for a pause
        drawDebugOverlay(app);
        endScene(r.device);
        presentFrame(r.device);
    }
    state.counters["objects"] = w.objects.count;
    state.counters["seeds"] = w.seeds.count;
#if MOSSBLOOM_BENCH_HEADLESS
    countDraws(app, state);
#endif
}

// The floor under every frame: a white screen, begun, ended and presented; with argument 1 the
// scene picture is kept afterwards, as every frame with a scene does, and the difference is the
// cost of keeping it for a pause.
void BM_WhiteFrame(benchmark::State& state) {
    openGame();
    DrawContext& r = gApp.renderer.drawing;
    r.device.drawEnabled = true;
    const bool keep = state.range(0) != 0;
    for (auto _ : state) {
        beginScene(r.device);
        drawRect(r.device, BlendMode::Alpha, 0.0f, 0.0f, 640, 480, {255, 255, 255}, true);
        if (keep) keepScenePicture(r.device);
        endScene(r.device);
        presentFrame(r.device);
    }
}

// A paused frame with inverted colours: the kept picture, the overlay and the inversion.
void BM_PausedInvertedFrame(benchmark::State& state) {
    openGame();
    App& app = gApp;
    DrawContext& r = app.renderer.drawing;
    r.device.drawEnabled = true;
    for (auto _ : state) {
        beginScene(r.device);
        showKeptScenePicture(r.device);
        drawDebugOverlay(app);
        drawRect(r.device, BlendMode::Invert, 0.0f, 0.0f, 640, 480, {255, 255, 255}, true);
        endScene(r.device);
        presentFrame(r.device);
    }
}

}  // namespace

BENCHMARK(BM_WhiteFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PausedInvertedFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_HeavyPlayFrameDrawing)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
