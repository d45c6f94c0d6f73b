#include "app/app.h"

#include "app/main_window.h"
#include "app/play_frame.h"
#include "platform/clock.h"
#include "platform/keys.h"

namespace {

void updateFpsWindow(App& app) {
    app.framesThisSecond += 1;
    const uint32_t now = platform::ticksMs();
    if (static_cast<int32_t>(now - app.fpsWindowStart) > 1000) {
        app.fps = app.framesThisSecond;
        app.framesThisSecond = 0;
        app.fpsWindowStart = now;
    }
}

// Sleeps out the rest of the slice; the slice runs from the end of one frame to the end of the
// next, so an overrun is not made up later.
void paceFrame(App& app) {
    const int32_t slice = 1000 / app.targetFps;
    const int32_t wait = slice - static_cast<int32_t>(platform::ticksMs() - app.lastFrameEnd);
    if (wait > 0) {
        platform::sleepMs(static_cast<uint32_t>(wait));
        app.lastSleep = wait;
    } else {
        app.lastSleep = 0;
    }
    app.lastFrameEnd = platform::ticksMs();
}

void toggleMute(App& app) {
    SoundSystem& sound = app.sound;
    // Started without a sound output, F3 tries to open it; while it cannot, the game stays muted.
    if (sound.outputMissing && !openMissingOutput(sound)) return;
    sound.muted = !sound.muted;
    if (sound.muted) {
        stopAll(sound);
    } else {
        playCurrentMusic(app.world);
    }
}

void decideFrameSkip(App& app) {
    const bool heavy = frameLoad(app) > 0.9f;
    if (heavy) {
        app.skipCounter = kSkipFrames;
    } else if (app.skipCounter > 0) {
        app.skipCounter -= 1;
    }
    // Uses the scene frame before the scene advances it in this frame.
    app.renderer.drawing.device.drawEnabled = !(app.skipCounter != 0 && (app.sceneFrame & 1u) != 0);
}

}  // namespace

// The App's own settings and the menu buttons, the same for the game and the simulator.
void resetAppState(App& app) {
    buildMenuButtons(app.menuButtons, kMenuButtonCapacity);
    app.hoveredButton = 0;
    app.targetFps = kTargetFps;
    app.framesThisSecond = 0;
    app.fps = 0;
    app.quitRequested = false;
    app.zoomOutLock = false;
    app.inverted = false;
    app.paused = false;
    app.skipCounter = 0;
    app.overlayPeak = 0;
}

void constructApp(App& app) {
    app.randomWords = RandomWords{};
    constructSoundSystem(app.sound);
    buildWorld(app.world, app.randomWords, app.sound);
    constructRenderer(app.renderer, app.randomWords);
    constructInputDevice(app.input);
    resetAppState(app);
    app.lastFrameEnd = app.fpsWindowStart = platform::ticksMs();
    // The loading picture is on screen while the other images and the sounds load.
    drawLoadingScreen(app.renderer.drawing.device, 0);
    loadRemainingImages(app.renderer);
    loadSoundTable(app.sound);
    initInput(app.input);
    app.world.input = &app.input;
    switchScene(app, sceneBoot);
}

void destroyApp(App& app) {
    shutdownInput(app.input);
    destroyRenderer(app.renderer);
    unloadSoundTable(app.sound);
}

void constructAppWithoutDevices(App& app, uint32_t seed) {
    app.randomWords = RandomWords{};
    constructSoundSystem(app.sound);
    // No sound device: every sound is refused quietly, which changes nothing in the world.
    app.sound.muted = true;
    buildWorld(app.world, app.randomWords, app.sound);
    app.world.math.randomState = seed;
    constructDrawContext(app.renderer.drawing, app.randomWords);
    app.renderer.drawing.effectsRandom.randomState = seed;
    // The device is never opened: the drawing passes run and draw nothing, as on a skipped frame.
    app.renderer.drawing.device.drawEnabled = false;
    constructInputDevice(app.input);
    app.world.input = &app.input;
    resetAppState(app);
}

void destroyAppWithoutDevices(App& app) { destroyDrawContext(app.renderer.drawing); }

float frameLoad(const App& app) {
    const int32_t slice = 1000 / app.targetFps;
    const double ideal = 1000.0 / app.targetFps;
    return static_cast<float>((slice - app.lastSleep) / ideal);
}

void goToTitle(App& app) {
    if (app.titleScene != nullptr) switchScene(app, app.titleScene);
    app.paused = false;
}

void applyGlobalKeys(App& app) {
    InputDevice& in = app.input;
    // Alt+Enter is the display switch too, never a pause; paused, it does nothing, and its
    // Enter is used up so that letting go of Alt first does not resume the play.
    // A quick chord can let go of Alt before the reading that sees Enter, so Alt down at the
    // reading before counts as held too.
    const bool altDown = keyDown(in, platform::DIK_LMENU) || keyDown(in, platform::DIK_RMENU);
    const bool altHeld = altDown || app.altDownBefore;
    app.altDownBefore = altDown;
    const bool altEnter = altHeld && keyPressed(in, platform::DIK_RETURN) && !app.paused;
    if (!altHeld && keyPressed(in, platform::DIK_RETURN)) app.paused = !app.paused;
    if (keyPressed(in, platform::DIK_ESCAPE)) app.quitRequested = true;
    // The display switch waits while paused; its press stays unread until then. The window
    // and its title change together, so a paused F1 leaves both as they are.
    const bool f1 = !app.paused && keyPressed(in, platform::DIK_F1);
    if (f1 || altEnter) {
        app.renderer.windowed = !app.renderer.windowed;
        resetDevice(app.renderer.drawing.device, app.renderer.windowed);
        resetWindowScale();
    }
    if (keyPressed(in, platform::DIK_1)) goToTitle(app);
    if (keyPressed(in, platform::DIK_F3)) toggleMute(app);
    if (!app.paused && keyPressed(in, platform::DIK_F4)) app.inverted = !app.inverted;
    decideFrameSkip(app);
}

void drawDebugOverlay(App& app) {
    GraphicsDevice& d = app.renderer.drawing.device;
    int meter = static_cast<int>(frameLoad(app) * kLoadMeterWidth);
    if (meter > kLoadMeterWidth) meter = kLoadMeterWidth;
    if (app.overlayPeak < meter) app.overlayPeak = meter;
    if (app.overlayPeak > 0) app.overlayPeak -= 2;
    // A peak of -1 would be a reversed quad, which the original device culled: draw it as empty.
    const int peakWidth = app.overlayPeak > 0 ? app.overlayPeak : 0;
    drawGradientRect(d, BlendMode::Alpha, 3.0f, 16.0f, peakWidth, 6, {255, 255, 150}, {255, 255, 150}, {255, 255, 0},
                     {255, 255, 0});
    drawGradientRect(d, BlendMode::Alpha, 3.0f, 16.0f, meter, 6, {255, 100, 100}, {255, 100, 100}, {255, 0, 0},
                     {255, 0, 0});
    drawRect(d, BlendMode::Alpha, 3.0f, 16.0f, kLoadMeterWidth, 5, {150, 150, 150}, false);
    // The notes start right after the frame rate, so that they end before the HUD's SCORE label
    // and the first digits of the score beneath them.
    if (app.sound.muted) drawText(d, "MUTE", kOverlayNoteX, 3.0f, 1.0f, 1.0f, 255, 155, 205, 255);
    if (app.skipCounter > 0) {
        // Brighter while more skipped frames remain.
        drawText(d, "FRAME SKIP", kOverlayNoteX, 16.0f, 1.0f, 1.0f, app.skipCounter * 20 + 150, 255, 155, 155);
    }
    drawText(d, "FPS", 3.0f, 3.0f, 1.0f, 1.0f, 255, 255, 255, 255);
    drawNumberAlpha(d, 2, app.fps, Sheet::Interface, 35.0f, 3.0f, {260, 150, 8, 12}, 1.0f, 1.0f, 255, {255, 255, 255});
}

void runFrame(App& app) {
    updateFpsWindow(app);
    if (readInputForFrame(app)) {
        applyGlobalKeys(app);
        GraphicsDevice& d = app.renderer.drawing.device;
        beginScene(d);
        // While paused the scene stands still: its last picture is shown again, and the
        // overlay and the inversion go over it once, fresh each frame.
        if (app.paused) {
            showKeptScenePicture(d);
        } else {
            dropKeptScenePicture(d);
            app.scene(app);
            keepScenePicture(d);
        }
        drawDebugOverlay(app);
        if (app.inverted) drawRect(d, BlendMode::Invert, 0.0f, 0.0f, 640, 480, {255, 255, 255}, true);
        endScene(d);
        presentFrame(d);
        endInputFrame(app);
    }
    paceFrame(app);
}
