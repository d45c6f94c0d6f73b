#include "app/scenes.h"

#include "app/app.h"
#include "app/hud.h"
#include "app/title_pictures.h"
#include "platform/keys.h"
#include "world/effects.h"
#include "world/play_frame.h"
#include "world/staging.h"
#include "world/world_drawing.h"

namespace {

constexpr int kSteadyFps = 28;
constexpr uint32_t kLongestBoot = 150;
constexpr uint32_t kTitleFrames = 255;       // the title gives way to the menu by itself
constexpr uint32_t kExitFrames = 150;        // the program ends on the frame after
constexpr int32_t kEndFrames = 165;          // endCounter at which a finished play returns
constexpr int32_t kPlaySeconds = 180000;

constexpr int kCursorTexture = 0;
constexpr int kButtonTexture = 5;
constexpr int kLightLayerOffset = 250;      // a button's light layer lies this far right of its ink
constexpr int kDarken = 4;
constexpr int kAdditive = 3;


constexpr float kZoomStep = 0.05f;

struct ButtonLayout {
    int32_t id;
    float x, y;
    int32_t cellY;
    int32_t width;
};

// Created in this order; a later button wins where two overlap.
constexpr ButtonLayout kMainMenu[6] = {
    {kButtonNormal, 180, 250, 430, 240},  {kButtonClover, 190, 300, 480, 240},
    {kButtonEndless, 160, 350, 630, 155}, {kButtonHowToPlay, 160, 400, 530, 125},
    {kButtonExit, 560, 50, 580, 155},     {kButtonAbout, 530, 370, 680, 170},
};
constexpr int32_t kButtonHeight = 50;

// Angle of a cursor turning 8 degrees a frame the other way. Whole turns are dropped before the
// product could overflow.
int cursorAngle(uint32_t frame) { return -8 * static_cast<int>(frame % 45000u); }

void clearToWhite(Renderer& r) { drawRect(r.device, 0, 0.0f, 0.0f, 640, 480, 255, 255, 255, true); }

void startPlay(App& app, bool clovers, bool endless) {
    World& w = app.world;
    w.cloversCollectable = clovers;
    w.unlimitedTime = endless;
    // The endless play keeps the last time; its clock holds it.
    if (!endless) w.timeLeftMs = kPlaySeconds;
    switchScene(app, scenePlay);
}

void actOnMenuButton(App& app, int32_t id) {
    switch (id) {
        case kButtonNormal: startPlay(app, false, false); return;
        case kButtonClover: startPlay(app, true, false); return;
        case kButtonEndless: startPlay(app, true, true); return;
        case kButtonExit:
            playSoundEffect(app.world.sound, kSlotDecide);
            switchScene(app, sceneExit);
            return;
        default:
            // How to play, about, and anything else lead to the information screen.
            playSoundEffect(app.world.sound, kSlotDecide);
            switchScene(app, sceneInfo);
            return;
    }
}

// The view keys of a play: Z zooms out while held, Shift+Z holds the zoom out, A zooms in,
// X slides the HUD away or back.
void applyViewKeys(App& app) {
    InputDevice& in = app.input;
    if (keyPressed(in, platform::DIK_Z) && keyDown(in, platform::DIK_LSHIFT)) app.zoomOutLock = !app.zoomOutLock;
    // A finished play keeps the view zoomed out.
    if (app.world.endCounter > 0) app.zoomOutLock = true;
    updateZoom(app.renderer, app.zoomOutLock || keyDown(in, platform::DIK_Z), keyDown(in, platform::DIK_A));
    if (keyPressed(in, platform::DIK_X)) app.renderer.hudHidden = !app.renderer.hudHidden;
}

void drawPlay(App& app) {
    World& w = app.world;
    Renderer& r = app.renderer;
    queueWaveEffects(r, w.waveX, w.waveY, w.attractWave, w.repelWave);
    clearToWhite(r);
    runTasks(r.backTasks);
    drawSeeds(r, w.seeds);
    drawObjects(r, w.objects, app.sceneFrame);
    if (w.endCounter == 0) {
        drawTrail(r, w.trail, app.sceneFrame);
        drawPlayCursor(app.sceneFrame, r, static_cast<float>(w.mouseX), static_cast<float>(w.mouseY));
    }
    drawBackgroundFilter(r);
    // C shows what the play has made so far instead of what lives now.
    const bool totals = keyDown(app.input, platform::DIK_C);
    drawHud(r, w.score, w.scoreCarry, totals ? w.objects.createdByKind : w.objects.liveByKind, w.objects.count,
            totals ? w.elapsedMs : w.timeLeftMs, w.aquaReserve, w.objects.kindRanking[2], w.dreamsCollected);
    drawCombo(r, w.comboTimer, w.comboCount, w.lastDreamPoints);
    drawMiniMap(r);
    runTasks(r.frontTasks);
}

}  // namespace

void advanceSceneFrame(App& app) {
    app.sceneFrame += 1;
    if (app.sceneFrame == 0) app.sceneFrame = 1;
}

void switchScene(App& app, Scene scene) {
    app.scene = scene;
    app.sceneFrame = 0;
}

void sceneBoot(App& app) {
    advanceSceneFrame(app);
    drawLoadingScreen(app.renderer, app.sceneFrame);
    // The App names its title scene (tests put a scene of their own there); without one the
    // loading picture stays.
    if (app.titleScene == nullptr) return;
    if (app.fps >= kSteadyFps || app.sceneFrame > kLongestBoot) switchScene(app, app.titleScene);
}

void sceneTitle(App& app) {
    World& w = app.world;
    Renderer& r = app.renderer;
    if (app.sceneFrame == 0) {
        stopAll(w.sound);
        w.viewX = 0.0f;
        w.viewY = 0.0f;
        w.endCounter = 0;
        w.musicSlot = kSlotTitleMusic;
        playMusic(w.sound, kSlotTitleMusic);
        setupTitlePicture(r);
    }
    advanceSceneFrame(app);
    clearToWhite(r);
    runTasks(r.backTasks);
    drawTitlePicture(r, app.sceneFrame);
    drawMenuCursor(app.sceneFrame, r, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY));
    runTasks(r.frontTasks);
    if (mouseClicked(app.input) || app.sceneFrame >= kTitleFrames) switchScene(app, sceneMenu);
}

void sceneMenu(App& app) {
    World& w = app.world;
    Renderer& r = app.renderer;
    if (app.sceneFrame == 0) {
        createMenuButtons(w);
        setupMenuPicture(r, w.mouseY);
    }
    advanceSceneFrame(app);
    updateMenuHover(w);
    clearToWhite(r);
    runTasks(r.backTasks);
    drawMenuPicture(r, app.sceneFrame, w.mouseY);
    drawMenuButtons(app.sceneFrame, r, w.menuButtons, w.hoveredButton);
    drawMenuCursor(app.sceneFrame, r, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY));
    runTasks(r.frontTasks);
    // A click beside every button is used up.
    if (mouseClicked(app.input) && w.hoveredButton != 0) actOnMenuButton(app, w.hoveredButton);
}

void sceneInfo(App& app) {
    World& w = app.world;
    Renderer& r = app.renderer;
    if (app.sceneFrame == 0) {
        clearTasks(r.frontTasks);
        queueEffect(r.frontTasks, 0, fadeOutDarken, 0, fadePayload(255, 255, 255, 8));
        resetMenuButtons(w.menuButtons);
        addMenuButton(w.menuButtons, kButtonBack, 570.0f, 440.0f, kButtonTexture, 0, 730, 84, kButtonHeight);
    }
    advanceSceneFrame(app);
    updateMenuHover(w);
    clearToWhite(r);
    drawSprite(r.device, kInterfaceTexture, kDarken, 320.0f, 210.0f, 500, 430, 500, 100, 1.0f, 1.0f, 0, 200, 200, 200);
    drawSprite(r.device, kInterfaceTexture, kDarken, 440.0f, 260.0f, 500, 530, 170, 34, 1.0f, 1.0f, 0, 150, 150, 150);
    drawBackgroundFilter(r);
    drawMenuButtons(app.sceneFrame, r, w.menuButtons, w.hoveredButton);
    drawMenuCursor(app.sceneFrame, r, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY));
    runTasks(r.frontTasks);
    if (mouseClicked(app.input) && w.hoveredButton == kButtonBack) {
        playSoundEffect(w.sound, kSlotDecide);
        switchScene(app, sceneMenu);
    }
}

void sceneExit(App& app) {
    Renderer& r = app.renderer;
    if (app.sceneFrame == 0) setupClosingPicture(r);
    advanceSceneFrame(app);
    clearToWhite(r);
    runTasks(r.backTasks);
    drawMenuPicture(r, app.sceneFrame, app.world.mouseY);
    drawRect(r.device, kDarken, 0.0f, 0.0f, 640, 480, 100, 100, 100, true);
    runTasks(r.frontTasks);
    if (app.sceneFrame > kExitFrames) app.quitRequested = true;
}

void scenePlay(App& app) {
    World& w = app.world;
    Renderer& r = app.renderer;
    if (app.sceneFrame == 0) {
        app.zoomOutLock = false;
        resetPlay(w);
        stagePlayOpening(r);
    }
    advanceSceneFrame(app);
    runPlayWorldSteps(w, static_cast<int>(app.sceneFrame), r.zoom);
    applyViewKeys(app);
    r.viewOffset = {w.viewX, w.viewY};
    drawPlay(app);
    if (w.endCounter == 1) stagePlayEnding(r);
    if (w.endCounter >= kEndFrames) switchScene(app, sceneTitle);
}

void createMenuButtons(World& w) {
    resetMenuButtons(w.menuButtons);
    for (const ButtonLayout& b : kMainMenu)
        addMenuButton(w.menuButtons, b.id, b.x, b.y, kButtonTexture, 0, b.cellY, b.width, kButtonHeight);
}

void updateMenuHover(World& w) {
    const int32_t previous = w.hoveredButton;
    w.hoveredButton = 0;
    MenuButtonPool& pool = w.menuButtons;
    for (beginIteration(pool); !atEnd(pool);) {
        const MenuButton& b = *nextRecord(pool);
        const int left = static_cast<int>(b.x - static_cast<float>(b.width / 2));
        const int top = static_cast<int>(b.y - static_cast<float>(b.height / 2));
        if (left < w.mouseX && w.mouseX < left + b.width && top < w.mouseY && w.mouseY < top + b.height)
            w.hoveredButton = b.id;
    }
    if (w.hoveredButton != previous && w.hoveredButton != 0) playSoundEffect(w.sound, kSlotSelect);
}

void drawMenuButtons(uint32_t sceneFrame, Renderer& r, MenuButtonPool& pool, int32_t hoveredButton) {
    for (beginIteration(pool); !atEnd(pool);) {
        const MenuButton& b = *nextRecord(pool);
        float slide = 0.0f;
        if (sceneFrame <= 19) {
            const float away = static_cast<float>(20 - static_cast<int>(sceneFrame));
            // Buttons left of the middle come in from the right, the others from the left.
            slide = away * away * 0.25f * (b.x < 320.0f ? 1.0f : -1.0f);
        }
        const bool hovered = b.id == hoveredButton;
        const float lift = hovered ? 2.0f : 0.0f;
        const float x = b.x + lift + slide, y = b.y - lift;
        drawSprite(r.device, b.texture, kDarken, x, y, b.cellX, b.cellY, b.width, b.height, 1.0f, 1.0f, 0, 255, 255,
                   255);
        const int lightGreenBlue = hovered ? 105 : 255;
        drawSprite(r.device, b.texture, kAdditive, x, y, b.cellX + kLightLayerOffset, b.cellY, b.width, b.height, 1.0f,
                   1.0f, 0, 255, lightGreenBlue, lightGreenBlue);
    }
}

void drawMenuCursor(uint32_t sceneFrame, Renderer& r, float x, float y) {
    const int angle = cursorAngle(sceneFrame);
    drawSprite(r.device, kCursorTexture, kAdditive, x, y, 700, 290, 50, 50, 1.0f, 1.0f, angle, 200, 200, 200);
    drawSprite(r.device, kCursorTexture, kDarken, x, y, 700, 240, 50, 50, 1.0f, 1.0f, angle, 255, 255, 255);
}

void drawPlayCursor(uint32_t sceneFrame, Renderer& r, float x, float y) {
    drawSpriteAlpha(r.device, kCursorTexture, true, x, y, 141, 701, 48, 48, r.zoom, r.zoom, cursorAngle(sceneFrame),
                    255, 255, 255, 255);
}

void updateZoom(Renderer& r, bool zoomOut, bool zoomIn) {
    if (zoomOut) zoomIn = false;
    if (zoomOut) {
        r.zoom -= kZoomStep;
    } else if (r.zoom < 1.0f) {
        r.zoom += kZoomStep;
        if (r.zoom > 1.0f) r.zoom = 1.0f;
    }
    if (zoomIn) {
        r.zoom += kZoomStep;
    } else if (r.zoom > 1.0f) {
        r.zoom -= kZoomStep;
        if (r.zoom < 1.0f) r.zoom = 1.0f;
    }
    clampFloat(r.zoom, 0.5f, 2.0f);
    r.zoomBlend = r.zoom < 1.0f ? (r.zoom - 0.5f) * 2.0f : r.zoom * 2.0f - 1.0f;
}
