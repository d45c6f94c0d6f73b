#include "app/play_frame.h"

#include "app/app.h"
#include "app/hud.h"
#include "app/scenes.h"
#include "app/play_staging.h"
#include "platform/keys.h"
#include "world/player.h"
#include "world/world_drawing.h"
#include "world/world_steps.h"

namespace {

constexpr int32_t kEndFrames = 165;          // endCounter at which a finished play returns
constexpr int32_t kPlaySeconds = 180000;
// The view keys of a play: Z zooms out while held, Shift+Z holds the zoom out, A zooms in,
// X slides the HUD away or back.
void applyViewKeys(App& app) {
    InputDevice& in = app.input;
    if (keyPressed(in, platform::DIK_Z) && keyDown(in, platform::DIK_LSHIFT)) app.zoomOutLock = !app.zoomOutLock;
    // A finished play keeps the view zoomed out.
    if (app.world.endCounter > 0) app.zoomOutLock = true;
    updateZoom(app.renderer.drawing, app.zoomOutLock || keyDown(in, platform::DIK_Z), keyDown(in, platform::DIK_A));
    if (keyPressed(in, platform::DIK_X)) app.renderer.hudHidden = !app.renderer.hudHidden;
}

}  // namespace

bool readFrameInput(App& app) {
    if (!pollKeyboard(app.input)) return false;
    pollMouse(app.input);
    updateCursorPosition(app.input);
    updateCursor(app.world, app.renderer.drawing.zoom, app.renderer.drawing.zoomBlend);
    return true;
}

void startPlay(App& app, PlayMode mode) {
    World& w = app.world;
    app.playMode = mode;
    w.cloversCollectable = mode != PlayMode::normal;
    w.unlimitedTime = mode == PlayMode::endless;
    // The endless play keeps the last time; its clock holds it.
    if (mode != PlayMode::endless) w.timeLeftMs = kPlaySeconds;
    switchScene(app, scenePlay);
}

bool playFrame(App& app) {
    World& w = app.world;
    Renderer& r = app.renderer;
    if (app.sceneFrame == 0) {
        app.zoomOutLock = false;
        resetPlay(w);
        stagePlayOpening(r);
    }
    advanceSceneFrame(app);
    runPlayWorldSteps(w, r.drawing, static_cast<int>(app.sceneFrame));
    applyViewKeys(app);
    r.drawing.viewOffset = {w.viewX, w.viewY};
    drawPlay(app);
    if (w.endCounter == 1) stagePlayEnding(r);
    return w.endCounter >= kEndFrames;
}

void drawPlay(App& app) {
    World& w = app.world;
    Renderer& r = app.renderer;
    DrawContext& c = r.drawing;
    queueWaveEffects(c, w.waveX, w.waveY, w.attractWave, w.repelWave);
    clearToWhite(c.device);
    runTasks(c.backTasks);
    drawSeeds(c, w.seeds);
    drawObjects(c, w.objects, app.sceneFrame);
    if (w.endCounter == 0) {
        drawTrail(c, w.trail, app.sceneFrame);
        drawPlayCursor(app.sceneFrame, c, static_cast<float>(w.mouseX), static_cast<float>(w.mouseY));
    }
    drawBackgroundFilter(c);
    // C shows what the play has made so far instead of what lives now.
    const bool totals = keyDown(app.input, platform::DIK_C);
    drawHud(r, w.score, w.scoreCarry, totals ? w.objects.createdByKind : w.objects.liveByKind, w.objects.count,
            totals ? w.elapsedMs : w.timeLeftMs, w.aquaReserve, w.objects.kindRanking[2], w.dreamsCollected);
    drawCombo(r, w.comboTimer, w.comboCount, w.lastDreamPoints);
    drawMiniMap(c);
    runTasks(c.frontTasks);
}
