#include "app/scenes.h"

#include "app/app.h"
#include "app/play_frame.h"
#include "app/title_pictures.h"
#include "world/effects.h"
#include "world/world_drawing.h"

namespace {

constexpr int kSteadyFps = 28;
constexpr uint32_t kLongestBoot = 150;
constexpr uint32_t kTitleFrames = 255;       // the title gives way to the menu by itself
constexpr uint32_t kExitFrames = 150;        // the program ends on the frame after

constexpr int kLightLayerOffset = 250;  // a button's light layer lies this far right of its ink

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

void actOnMenuButton(App& app, int32_t id) {
    switch (id) {
        case kButtonNormal: startPlay(app, PlayMode::normal); return;
        case kButtonClover: startPlay(app, PlayMode::clover); return;
        case kButtonEndless: startPlay(app, PlayMode::endless); return;
        case kButtonExit:
            playSoundEffect(app.sound, kSlotDecide);
            switchScene(app, sceneExit);
            return;
        default:
            // How to play, about, and anything else lead to the information screen.
            playSoundEffect(app.sound, kSlotDecide);
            switchScene(app, sceneInfo);
            return;
    }
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
    drawLoadingScreen(app.renderer.drawing.device, app.sceneFrame);
    // The App names its title scene (tests put a scene of their own there); without one the
    // loading picture stays.
    if (app.titleScene == nullptr) return;
    if (app.fps >= kSteadyFps || app.sceneFrame > kLongestBoot) switchScene(app, app.titleScene);
}

void sceneTitle(App& app) {
    World& w = app.world;
    DrawContext& c = app.renderer.drawing;
    if (app.sceneFrame == 0) {
        stopAll(app.sound);
        w.viewX = 0.0f;
        w.viewY = 0.0f;
        w.endCounter = 0;
        w.musicSlot = kSlotTitleMusic;
        playMusic(app.sound, kSlotTitleMusic);
        setupTitlePicture(c);
    }
    advanceSceneFrame(app);
    clearToWhite(c.device);
    runTasks(c.backTasks);
    drawTitlePicture(c, app.sceneFrame);
    drawMenuCursor(app.sceneFrame, c, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY));
    runTasks(c.frontTasks);
    if (mouseClicked(app.input) || app.sceneFrame >= kTitleFrames) switchScene(app, sceneMenu);
}

void sceneMenu(App& app) {
    World& w = app.world;
    DrawContext& c = app.renderer.drawing;
    if (app.sceneFrame == 0) {
        createMenuButtons(app.menuButtons);
        setupMenuPicture(c, w.mouseY);
    }
    advanceSceneFrame(app);
    updateMenuHover(app);
    clearToWhite(c.device);
    runTasks(c.backTasks);
    drawMenuPicture(c, app.sceneFrame, w.mouseY);
    drawMenuButtons(app.sceneFrame, c.device, app.menuButtons, app.hoveredButton);
    drawMenuCursor(app.sceneFrame, c, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY));
    runTasks(c.frontTasks);
    // A click beside every button is used up.
    if (mouseClicked(app.input) && app.hoveredButton != 0) actOnMenuButton(app, app.hoveredButton);
}

void sceneInfo(App& app) {
    World& w = app.world;
    DrawContext& c = app.renderer.drawing;
    if (app.sceneFrame == 0) {
        clearTasks(c.frontTasks);
        queueEffect(c.frontTasks, 0, fadeOutDarken, 0, fadePayload(255, 255, 255, 8));
        resetMenuButtons(app.menuButtons);
        addMenuButton(app.menuButtons, kButtonBack, 570.0f, 440.0f, slotOf(Sheet::Interface), 0, 730, 84,
                      kButtonHeight);
    }
    advanceSceneFrame(app);
    updateMenuHover(app);
    clearToWhite(c.device);
    drawSprite(c.device, Sheet::Interface, BlendMode::Darken, 320.0f, 210.0f, {500, 430, 500, 100}, 1.0f, 1.0f, 0,
               {200, 200, 200});
    drawSprite(c.device, Sheet::Interface, BlendMode::Darken, 440.0f, 260.0f, {500, 530, 170, 34}, 1.0f, 1.0f, 0,
               {150, 150, 150});
    drawBackgroundFilter(c);
    drawMenuButtons(app.sceneFrame, c.device, app.menuButtons, app.hoveredButton);
    drawMenuCursor(app.sceneFrame, c, static_cast<float>(w.cursorX), static_cast<float>(w.cursorY));
    runTasks(c.frontTasks);
    if (mouseClicked(app.input) && app.hoveredButton == kButtonBack) {
        playSoundEffect(app.sound, kSlotDecide);
        switchScene(app, sceneMenu);
    }
}

void sceneExit(App& app) {
    DrawContext& c = app.renderer.drawing;
    if (app.sceneFrame == 0) setupClosingPicture(c);
    advanceSceneFrame(app);
    clearToWhite(c.device);
    runTasks(c.backTasks);
    drawMenuPicture(c, app.sceneFrame, app.world.mouseY);
    drawRect(c.device, BlendMode::Darken, 0.0f, 0.0f, 640, 480, {100, 100, 100}, true);
    runTasks(c.frontTasks);
    if (app.sceneFrame > kExitFrames) app.quitRequested = true;
}

void scenePlay(App& app) {
    if (playSceneFrame(app)) switchScene(app, sceneTitle);
}

void clearToWhite(GraphicsDevice& d) { drawRect(d, BlendMode::Alpha, 0.0f, 0.0f, 640, 480, {255, 255, 255}, true); }

void createMenuButtons(MenuButtonPool& buttons) {
    resetMenuButtons(buttons);
    for (const ButtonLayout& b : kMainMenu)
        addMenuButton(buttons, b.id, b.x, b.y, slotOf(Sheet::Interface), 0, b.cellY, b.width, kButtonHeight);
}

void updateMenuHover(App& app) {
    const World& w = app.world;
    const int32_t previous = app.hoveredButton;
    app.hoveredButton = 0;
    MenuButtonPool& pool = app.menuButtons;
    for (beginIteration(pool); !atEnd(pool);) {
        const MenuButton& b = *nextRecord(pool);
        const int left = static_cast<int>(b.x - static_cast<float>(b.width / 2));
        const int top = static_cast<int>(b.y - static_cast<float>(b.height / 2));
        if (left < w.mouseX && w.mouseX < left + b.width && top < w.mouseY && w.mouseY < top + b.height)
            app.hoveredButton = b.id;
    }
    if (app.hoveredButton != previous && app.hoveredButton != 0) playSoundEffect(app.sound, kSlotSelect);
}

void drawMenuButtons(uint32_t sceneFrame, GraphicsDevice& d, MenuButtonPool& pool, int32_t hoveredButton) {
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
        drawSprite(d, sheetAt(b.texture), BlendMode::Darken, x, y, {b.cellX, b.cellY, b.width, b.height}, 1.0f, 1.0f, 0,
                   {255, 255, 255});
        const int lightGreenBlue = hovered ? 105 : 255;
        drawSprite(d, sheetAt(b.texture), BlendMode::Additive, x, y,
                   {b.cellX + kLightLayerOffset, b.cellY, b.width, b.height}, 1.0f, 1.0f, 0,
                   {255, lightGreenBlue, lightGreenBlue});
    }
}

void drawMenuCursor(uint32_t sceneFrame, DrawContext& c, float x, float y) {
    const int angle = cursorAngle(sceneFrame);
    drawSprite(c.device, Sheet::Objects, BlendMode::Additive, x, y, {700, 290, 50, 50}, 1.0f, 1.0f, angle,
               {200, 200, 200});
    drawSprite(c.device, Sheet::Objects, BlendMode::Darken, x, y, {700, 240, 50, 50}, 1.0f, 1.0f, angle,
               {255, 255, 255});
}

void drawPlayCursor(uint32_t sceneFrame, DrawContext& c, float x, float y) {
    drawSpriteAlpha(c.device, Sheet::Objects, true, x, y, {141, 701, 48, 48}, c.zoom, c.zoom, cursorAngle(sceneFrame),
                    255, {255, 255, 255});
}

void updateZoom(DrawContext& c, bool zoomOut, bool zoomIn) {
    if (zoomOut) zoomIn = false;
    if (zoomOut) {
        c.zoom -= kZoomStep;
    } else if (c.zoom < 1.0f) {
        c.zoom += kZoomStep;
        if (c.zoom > 1.0f) c.zoom = 1.0f;
    }
    if (zoomIn) {
        c.zoom += kZoomStep;
    } else if (c.zoom > 1.0f) {
        c.zoom -= kZoomStep;
        if (c.zoom < 1.0f) c.zoom = 1.0f;
    }
    clampFloat(c.zoom, 0.5f, 2.0f);
    c.zoomBlend = c.zoom < 1.0f ? (c.zoom - 0.5f) * 2.0f : c.zoom * 2.0f - 1.0f;
}
