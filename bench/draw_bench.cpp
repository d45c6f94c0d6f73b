// The drawing of one heavy play frame: full object and seed pools, the whole cursor trail, wave
// rings in the back task list, the overpopulation flash in the front one, the HUD with a combo,
// the mini-map and the debug overlay, bracketed by the device's frame and presented; and the
// floor under every frame, with and without keeping the scene picture for a pause, and a paused
// frame. Built twice:
// through the SDL renderer (under a display) and through the headless platform, which draws
// nothing and so shows the game's own cost.
//
// The heavy frame runs with each way of trimming sprites to the visible part of their cells:
// /trim:0 whole cells, /trim:1 exact trimming (as the game draws), /trim:2 visible parts only.
// The headless build counts the screens of pixels the rasteriser fills; the SDL build draws the
// frame each way from the same state and counts the pixels that differ from whole cells (none,
// for exact trimming), with the flash and without it. Options of the SDL build:
// --save-frames=PREFIX writes the frame as the game draws it to PREFIX.ppm and the same without
// the flash to PREFIX-without-flash.ppm, to compare with another build's; --compare-frames=N
// draws N frames of other fields, zooms and views every way and prints the differing pixels of
// each. --frames=N runs every benchmark exactly N times, for callgrind.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/main_window.h"
#include "app/play_frame.h"
#include "app/scenes.h"
#include "app/hud.h"
#include "bench_field.h"
#include "bench_options.h"
#include "platform/keys.h"
#include "world/effects.h"
#include "world/play_clock.h"
#include "world/world_drawing.h"
#if MOSSBLOOM_BENCH_HEADLESS
#include "platform/headless/headless.h"
#else
#include "platform/video.h"
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

// Wave rings of several ages under the field, the white flash over it (which washes out most of
// the field; the frames compared pixel for pixel are drawn without it too).
void queueEffects(DrawContext& r, bool flash) {
    clearTasks(r.backTasks);
    clearTasks(r.frontTasks);
    const bool drawing = r.device.drawEnabled;
    r.device.drawEnabled = false;
    for (int i = 0; i < 6; ++i) {
        queueWaveEffects(r, 200 + 150 * i, 300 + 60 * i, i % 2 == 0 ? 1 : 0, i % 2 == 0 ? 0 : 1);
        for (int k = 0; k < 3; ++k) runTasks(r.backTasks);
    }
    if (flash) queueEffect(r.frontTasks, 0, fadeOutAdditive, 0, fadePayload(255, 255, 255, 8));
    r.device.drawEnabled = drawing;
}

void fillTrail(World& w) {
    for (int i = 0; i < kTrailCapacity; ++i) {
        spawnTrail(w.trail, 200.0f + 6.0f * i, 200.0f + 3.0f * i, 2.0f, -1.5f, i % 7);
    }
}

#if MOSSBLOOM_BENCH_HEADLESS
// The part of a drawn polygon that lies on the screen, in pixels (Sutherland-Hodgman against the
// four screen edges, then the shoelace area).
double areaOnScreen(const platform::Vertex* corners, int count) {
    double xs[16], ys[16], nx[16], ny[16];
    int n = 0;
    for (int i = 0; i < count; ++i) xs[n] = corners[i].x, ys[n] = corners[i].y, ++n;
    const double limits[4] = {0.0, 640.0, 0.0, 480.0};
    for (int edge = 0; edge < 4 && n > 0; ++edge) {
        const bool vertical = edge < 2, low = edge % 2 == 0;
        auto inside = [&](int i) {
            const double c = vertical ? xs[i] : ys[i];
            return low ? c >= limits[edge] : c <= limits[edge];
        };
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const int j = (i + 1) % n;
            if (inside(i)) nx[m] = xs[i], ny[m] = ys[i], ++m;
            if (inside(i) != inside(j)) {
                const double ci = vertical ? xs[i] : ys[i], cj = vertical ? xs[j] : ys[j];
                const double t = (limits[edge] - ci) / (cj - ci);
                nx[m] = xs[i] + (xs[j] - xs[i]) * t, ny[m] = ys[i] + (ys[j] - ys[i]) * t, ++m;
            }
        }
        for (int i = 0; i < m; ++i) xs[i] = nx[i], ys[i] = ny[i];
        n = m;
    }
    double twice = 0;
    for (int i = 0; i < n; ++i) twice += xs[i] * ys[(i + 1) % n] - xs[(i + 1) % n] * ys[i];
    return twice < 0 ? -twice / 2 : twice / 2;
}
#endif

// The heavy frame's field and view, set once.
void setUpHeavyFrame(App& app) {
    static bool ready = false;
    if (ready) return;
    ready = true;
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
}

// The effects, the trail and the combo of the next heavy frame, which the drawing uses up.
void prepareHeavyFrame(App& app, bool flash = true) {
    queueEffects(app.renderer.drawing, flash);
    fillTrail(app.world);
    app.world.comboTimer = 60;
    app.sceneFrame += 1;
}

// Out of line, so that callgrind can count it: --toggle-collect='*drawHeavyFrame*'.
[[gnu::noinline]] void drawHeavyFrame(App& app) {
    GraphicsDevice& d = app.renderer.drawing.device;
    beginScene(d);
    dropKeptScenePicture(d);  // as every frame with a scene does, for a pause
    drawPlay(app);
    keepScenePicture(d);
    drawDebugOverlay(app);
    endScene(d);
    presentFrame(d);
}

#if MOSSBLOOM_BENCH_HEADLESS
// The draws of one heavy frame, recorded.
std::vector<platform::headless::DrawCall> recordHeavyFrame(App& app) {
    namespace hl = platform::headless;
    prepareHeavyFrame(app);
    hl::setDrawRecording(true);
    hl::clearVideoRecord();
    drawHeavyFrame(app);
    std::vector<hl::DrawCall> draws = hl::videoRecord().draws;
    hl::setDrawRecording(false);
    return draws;
}

// An untextured quad of one opaque colour over the whole screen that replaces the picture: the
// SDL platform clears the back buffer for it instead of blending.
bool clearsTheScreen(const platform::headless::DrawCall& d) {
    using platform::BlendFactor;
    const platform::Vertex* q = d.vertices;
    const bool replaces = (d.blend.source == BlendFactor::SrcAlpha && d.blend.destination == BlendFactor::InvSrcAlpha) ||
                          (d.blend.source == BlendFactor::One && d.blend.destination == BlendFactor::Zero);
    if (d.texture != platform::kNoTexture || d.count != 4 || !replaces || (q[0].colour >> 24) != 255) return false;
    for (int i = 1; i < 4; ++i)
        if (q[i].colour != q[0].colour) return false;
    return q[0].x <= 0 && q[0].y <= 0 && q[2].x >= 640 && q[2].y >= 480 && q[0].x == q[3].x && q[1].x == q[2].x &&
           q[0].y == q[1].y && q[2].y == q[3].y;
}

// Screens of pixels blended (cleared ones aside), and screens cleared.
struct Fill {
    double blended = 0, cleared = 0;
};

Fill screensFilled(const std::vector<platform::headless::DrawCall>& draws) {
    Fill fill;
    for (const platform::headless::DrawCall& d : draws) {
        if (d.kind != platform::headless::DrawKind::TriangleFan) continue;
        (clearsTheScreen(d) ? fill.cleared : fill.blended) += areaOnScreen(d.vertices, d.count) / (640.0 * 480.0);
    }
    return fill;
}

// How many draws one more frame makes, how often the drawing state (texture, blend, filter)
// changes between consecutive draws, which is what ends a batch in the renderer, and the screens
// of pixels it fills, as trimmed now and from whole cells.
void countDraws(App& app, benchmark::State& state) {
    namespace hl = platform::headless;
    GraphicsDevice& d = app.renderer.drawing.device;
    const SpriteTrim trim = d.spriteTrim;
    d.spriteTrim = SpriteTrim::WholeCells;
    const Fill wholeFill = screensFilled(recordHeavyFrame(app));
    d.spriteTrim = trim;
    const std::vector<hl::DrawCall> draws = recordHeavyFrame(app);
    int changes = 0;
    for (size_t i = 1; i < draws.size(); ++i) {
        const hl::DrawCall& a = draws[i - 1];
        const hl::DrawCall& b = draws[i];
        if (a.texture != b.texture || a.filter != b.filter || a.blend.source != b.blend.source ||
            a.blend.destination != b.blend.destination || a.kind != b.kind)
            ++changes;
    }
    state.counters["draws"] = static_cast<double>(draws.size());
    state.counters["state_changes"] = changes;
    // Screens of blended pixels: what the rasteriser fills, whatever the game's own cost.
    const Fill fill = screensFilled(draws);
    state.counters["fill_screens"] = fill.blended;
    state.counters["fill_screens_whole_cells"] = wholeFill.blended;
    state.counters["cleared_screens"] = fill.cleared;
}
#else
std::vector<uint32_t> readFrame() {
    std::vector<uint32_t> pixels(platform::kScreenWidth * platform::kScreenHeight);
    if (!platform::readBackBuffer(pixels.data())) pixels.clear();
    return pixels;
}

// What drawing a heavy frame moves on: the generators (the HUD clock flickers), the animations.
struct FrameState {
    RandomWords words;
    MathTables effects;
    uint32_t sceneFrame;
    int32_t comboTimer, overlayPeak, hudSlide;
};

FrameState frameStateOf(const App& app) {
    return {app.randomWords, app.renderer.drawing.effectsRandom, app.sceneFrame, app.world.comboTimer,
            app.overlayPeak, app.renderer.hudSlide};
}

void restoreFrameState(App& app, const FrameState& s) {
    app.randomWords = s.words;
    app.renderer.drawing.effectsRandom = s.effects;
    app.sceneFrame = s.sceneFrame;
    app.world.comboTimer = s.comboTimer;
    app.overlayPeak = s.overlayPeak;
    app.renderer.hudSlide = s.hudSlide;
}

// One heavy frame as it stands after drawing, with sprites trimmed as asked, from the same state
// each time, so that every way draws the same frame.
std::vector<uint32_t> heavyFrame(App& app, SpriteTrim trim, bool flash) {
    const FrameState before = frameStateOf(app);
    const SpriteTrim trimBefore = app.renderer.drawing.device.spriteTrim;
    app.renderer.drawing.device.spriteTrim = trim;
    prepareHeavyFrame(app, flash);
    GraphicsDevice& d = app.renderer.drawing.device;
    beginScene(d);
    drawPlay(app);
    drawDebugOverlay(app);
    std::vector<uint32_t> pixels = readFrame();
    endScene(d);
    presentFrame(d);
    restoreFrameState(app, before);
    app.renderer.drawing.device.spriteTrim = trimBefore;
    return pixels;
}

// The pixels of the heavy frame drawn with sprites trimmed as asked that differ from the frame
// drawn from whole cells; -1 when the frame cannot be read or the same frame drawn twice differs.
int pixelsDifferingFromWholeCells(App& app, SpriteTrim trim, bool flash) {
    const std::vector<uint32_t> whole = heavyFrame(app, SpriteTrim::WholeCells, flash);
    const std::vector<uint32_t> again = heavyFrame(app, SpriteTrim::WholeCells, flash);
    const std::vector<uint32_t> trimmed = heavyFrame(app, trim, flash);
    if (whole.empty() || whole != again || trimmed.size() != whole.size()) return -1;
    int differing = 0;
    for (size_t i = 0; i < whole.size(); ++i) differing += whole[i] != trimmed[i];
    return differing;
}

// Heavy frames of many fields, zooms, views and animation frames, without the flash, each drawn
// from whole cells and with the two ways of trimming; one line a frame with the pixels that
// differ from the whole cells. Ends with 1 when exact trimming changed a pixel or a frame could
// not be read.
int compareFrames(App& app, int count) {
    World& w = app.world;
    DrawContext& r = app.renderer.drawing;
    int exactDiffers = 0;
    std::printf("# frame objects zoom differing-exact differing-visible-parts\n");
    for (int i = 0; i < count; ++i) {
        fillField(w, 300 + (i * 37) % 256, kSeedCapacity, 1000u + static_cast<uint32_t>(i));
        r.zoom = 0.5f + 0.05f * static_cast<float>(i % 31);
        r.zoomBlend = r.zoom < 1.0f ? (r.zoom - 0.5f) * 2.0f : r.zoom * 2.0f - 1.0f;
        r.viewOffset = {w.viewX + 7.3f * static_cast<float>(i % 13), w.viewY - 3.1f * static_cast<float>(i % 7)};
        app.sceneFrame = 100u + 7u * static_cast<uint32_t>(i);
        const int exact = pixelsDifferingFromWholeCells(app, SpriteTrim::Exact, false);
        const int visible = pixelsDifferingFromWholeCells(app, SpriteTrim::VisibleParts, false);
        std::printf("%d %d %.2f %d %d\n", i, w.objects.count, static_cast<double>(r.zoom), exact, visible);
        if (exact != 0) ++exactDiffers;
    }
    std::fflush(stdout);
    return exactDiffers == 0 ? 0 : 1;
}

// The heavy frame as the game draws it, with the flash or without, as a binary PPM.
bool saveHeavyFrame(App& app, const std::string& path, bool flash) {
    const std::vector<uint32_t> pixels = heavyFrame(app, app.renderer.drawing.device.spriteTrim, flash);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || pixels.empty()) {
        std::fprintf(stderr, "bench: cannot save the frame to %s\n", path.c_str());
        if (f) std::fclose(f);
        return false;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", platform::kScreenWidth, platform::kScreenHeight);
    for (uint32_t p : pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                      static_cast<unsigned char>(p)};
        std::fwrite(rgb, 1, 3, f);
    }
    return std::fclose(f) == 0;
}
#endif

const char* trimName(SpriteTrim trim) {
    switch (trim) {
        case SpriteTrim::WholeCells: return "whole cells";
        case SpriteTrim::Exact: return "exact trimming (the game's)";
        case SpriteTrim::VisibleParts: return "visible parts only";
    }
    return "";
}

// The argument is the sprite trimming: 0 whole cells, 1 exact (as the game draws), 2 visible parts.
void BM_HeavyPlayFrameDrawing(benchmark::State& state) {
    openGame();
    App& app = gApp;
    setUpHeavyFrame(app);
    const SpriteTrim trim = static_cast<SpriteTrim>(state.range(0));
    app.renderer.drawing.device.spriteTrim = trim;
    state.SetLabel(trimName(trim));
    for (auto _ : state) {
        state.PauseTiming();
        prepareHeavyFrame(app);
        state.ResumeTiming();
        drawHeavyFrame(app);
    }
    state.counters["objects"] = app.world.objects.count;
    state.counters["seeds"] = app.world.seeds.count;
#if MOSSBLOOM_BENCH_HEADLESS
    countDraws(app, state);
#else
    if (trim != SpriteTrim::WholeCells) {
        state.counters["pixels_differing"] = pixelsDifferingFromWholeCells(app, trim, true);
        state.counters["pixels_differing_without_flash"] = pixelsDifferingFromWholeCells(app, trim, false);
    }
#endif
    app.renderer.drawing.device.spriteTrim = SpriteTrim::Exact;
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
        if (keep) dropKeptScenePicture(r.device);
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

// With iterations > 0 every benchmark runs exactly that many frames, so that an instruction
// count under callgrind (with LP_NUM_THREADS=0, the rasteriser runs in this thread) is the same
// from run to run.
void registerBenchmarks(int iterations) {
    benchmark::internal::Benchmark* white = benchmark::RegisterBenchmark("BM_WhiteFrame", BM_WhiteFrame);
    benchmark::internal::Benchmark* paused =
        benchmark::RegisterBenchmark("BM_PausedInvertedFrame", BM_PausedInvertedFrame);
    benchmark::internal::Benchmark* heavy =
        benchmark::RegisterBenchmark("BM_HeavyPlayFrameDrawing", BM_HeavyPlayFrameDrawing);
    white->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
    paused->Unit(benchmark::kMillisecond);
    // The rasteriser's threads count in the processor time.
    heavy->ArgName("trim")->DenseRange(0, 2)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
    if (iterations > 0) {
        white->Iterations(iterations);
        paused->Iterations(iterations);
        heavy->Iterations(iterations);
    } else {
        white->MinTime(1.0);
        paused->MinTime(1.0);
        heavy->MinTime(2.0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Takes this program's own arguments out; the rest go to the benchmark library.
    int iterations = 0, comparedFrames = 0;
    const char* saveFramePath = nullptr;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (!countOption(argv[i], "--frames=", iterations) && !countOption(argv[i], "--compare-frames=", comparedFrames) &&
            !textOption(argv[i], "--save-frames=", saveFramePath))
            argv[kept++] = argv[i];
        if (iterations < 0 || comparedFrames < 0) return 2;
    }
    argc = kept;
    if (saveFramePath || comparedFrames > 0) {
#if MOSSBLOOM_BENCH_HEADLESS
        std::fprintf(stderr, "--save-frames and --compare-frames need the SDL build, bench_draw_sdl\n");
        return 2;
#else
        openGame();
        setUpHeavyFrame(gApp);
        if (saveFramePath) {
            const std::string prefix = saveFramePath;
            const bool saved = saveHeavyFrame(gApp, prefix + ".ppm", true) &&
                               saveHeavyFrame(gApp, prefix + "-without-flash.ppm", false);
            return saved ? 0 : 1;
        }
        return compareFrames(gApp, comparedFrames);
#endif
    }
    registerBenchmarks(iterations);
    return runRegisteredBenchmarks(argc, argv);
}
