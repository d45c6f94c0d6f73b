// The scenes on a running App: the title's timing, the menu's buttons and clicks, the
// information and closing screens, the play's zoom and HUD keys and its end.
#include "app/scenes.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/app.h"
#include "app_fixture.h"
#include "platform/headless/headless.h"
#include "platform/keys.h"
#include "scene_test_support.h"

namespace {

namespace hl = platform::headless;
using namespace platform;
using scenetest::Seen;

// Marker tasks: a small rectangle in a colour of their own, to place the task runs among the draws.
void backMarker(DrawContext& r, DrawTask&) {
    drawRect(r.device, BlendMode::Alpha, 0.0f, 0.0f, 10, 10, {1, 2, 3}, true);
}
void frontMarker(DrawContext& r, DrawTask&) {
    drawRect(r.device, BlendMode::Alpha, 0.0f, 0.0f, 10, 10, {4, 5, 6}, true);
}

class ScenesTest : public apptest::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        startApp();
        testsupport::installWhiteSheets(app->renderer.drawing.device);
        hl::releaseAllKeys();
        hl::setCursor(320, 470);
        // The very first frame counts as heavy (nothing slept before it); let its skipping pass.
        frames(6);
        ASSERT_EQ(app->skipCounter, 0);
    }

    // The draws of the last frame, read back as sheet, cell, place, size and colour.
    std::vector<Seen> drawn() const { return testsupport::recordedQuads(app->renderer.drawing.device, testsupport::kSheetSize); }

    void frame() {
        hl::clearVideoRecord();
        runFrame(*app);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    void click(int x, int y) {
        hl::setCursor(x, y);
        hl::setMouseButton(0, true);
        frame();
        hl::setMouseButton(0, false);
    }
    int plays(hl::AudioCall call, int handleCount = -1) {
        int n = 0;
        for (const hl::AudioEvent& e : hl::audioEvents())
            n += (e.call == call && (handleCount < 0 || e.handle == handleCount)) ? 1 : 0;
        return n;
    }
    int effectPlays(int slot) { return plays(hl::AudioCall::PlayEffect, app->sound.segments[slot]); }
    // The ink layer of a button, found by its cell row.
    const Seen* buttonInk(const std::vector<Seen>& all, int cellY) {
        for (const Seen& s : all)
            if (s.texture == 5 && s.cellX == 0 && s.cellY == cellY && s.height == 50.0f) return &s;
        return nullptr;
    }
    const Seen* buttonLight(const std::vector<Seen>& all, int cellY) {
        for (const Seen& s : all)
            if (s.texture == 5 && s.cellX == 250 && s.cellY == cellY && s.height == 50.0f) return &s;
        return nullptr;
    }
    void enterMenu() {
        switchScene(*app, sceneMenu);
        frame();
    }
    void startPlay() {
        enterMenu();
        click(180, 250);
        ASSERT_EQ(app->scene, &scenePlay);
        frame();
    }
};

TEST_F(ScenesTest, TitleGivesWayToTheMenuAfter255FramesOrAtAClick) {
    switchScene(*app, sceneTitle);
    hl::clearAudioEvents();
    frame();
    EXPECT_EQ(app->world.musicSlot, 0);
    EXPECT_EQ(plays(hl::AudioCall::StopAll), 1);
    EXPECT_EQ(plays(hl::AudioCall::PlayMusic), 1);
    frames(253);
    EXPECT_EQ(app->scene, &sceneTitle);
    EXPECT_EQ(app->sceneFrame, 254u);
    frame();
    EXPECT_EQ(app->scene, &sceneMenu);

    switchScene(*app, sceneTitle);
    frames(10);
    click(50, 50);
    EXPECT_EQ(app->scene, &sceneMenu);
    EXPECT_EQ(app->sceneFrame, 0u);
}

TEST_F(ScenesTest, MenuButtonsSlideInOverTwentyFramesFromBothSides) {
    enterMenu();   // frame 1
    const std::vector<Seen> first = drawn();
    const Seen* normal = buttonInk(first, 430);
    const Seen* exit = buttonInk(first, 580);
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(exit, nullptr);
    EXPECT_FLOAT_EQ(normal->centreX, 180 + 90.25f) << "left of the middle: starts to the right";
    EXPECT_FLOAT_EQ(exit->centreX, 560 - 90.25f) << "right of the middle: starts to the left";
    frames(18);    // frame 19
    EXPECT_FLOAT_EQ(buttonInk(drawn(), 430)->centreX, 180.25f);
    frame();       // frame 20: in place
    const std::vector<Seen> placed = drawn();
    EXPECT_FLOAT_EQ(buttonInk(placed, 430)->centreX, 180.0f);
    EXPECT_FLOAT_EQ(buttonInk(placed, 630)->centreX, 160.0f);
    EXPECT_FLOAT_EQ(buttonInk(placed, 680)->centreX, 530.0f);
    int buttons = 0;
    for (int cellY : {430, 480, 530, 580, 630, 680}) buttons += buttonInk(placed, cellY) && buttonLight(placed, cellY);
    EXPECT_EQ(buttons, 6);
}

TEST_F(ScenesTest, HoveredButtonLiftsGlowsRedAndSelectSoundsOnEachNewButton) {
    enterMenu();
    frames(20);
    hl::clearAudioEvents();
    hl::setCursor(180, 250);
    frame();
    EXPECT_EQ(app->hoveredButton, kButtonNormal);
    std::vector<Seen> all = drawn();
    EXPECT_FLOAT_EQ(buttonInk(all, 430)->centreX, 182.0f);
    EXPECT_FLOAT_EQ(buttonInk(all, 430)->centreY, 248.0f);
    EXPECT_EQ(buttonLight(all, 430)->g, 105);
    EXPECT_EQ(buttonLight(all, 480)->g, 255);
    EXPECT_FLOAT_EQ(buttonInk(all, 480)->centreY, 300.0f);
    EXPECT_EQ(effectPlays(kSlotSelect), 1);
    frame();
    EXPECT_EQ(effectPlays(kSlotSelect), 1) << "staying on a button is quiet";
    hl::setCursor(190, 300);
    frame();
    EXPECT_EQ(app->hoveredButton, kButtonClover);
    EXPECT_EQ(effectPlays(kSlotSelect), 2) << "straight onto another button";
    hl::setCursor(400, 200);
    frame();
    EXPECT_EQ(app->hoveredButton, 0);
    EXPECT_EQ(effectPlays(kSlotSelect), 2) << "off every button is quiet";
    // Edges do not count: button 3's top edge is y 375.
    hl::setCursor(160, 375);
    frame();
    EXPECT_EQ(app->hoveredButton, 0);
}

TEST_F(ScenesTest, AClickBesideTheButtonsIsUsedUpAndDoesNotActLater) {
    enterMenu();
    hl::setCursor(400, 200);
    hl::setMouseButton(0, true);
    frame();
    hl::setCursor(180, 250);   // still held, now over NORMAL
    frames(3);
    EXPECT_EQ(app->scene, &sceneMenu);
    hl::setMouseButton(0, false);
    frame();
    click(180, 250);
    EXPECT_EQ(app->scene, &scenePlay);
}

TEST_F(ScenesTest, EachMenuButtonLeadsWhereItSays) {
    struct Case {
        int x, y;
        Scene scene;
        bool clovers, endless;
        int32_t timeLeft;
        int decides;
    };
    const Case cases[] = {
        {180, 250, scenePlay, false, false, 180000, 0}, {190, 300, scenePlay, true, false, 180000, 0},
        {160, 350, scenePlay, true, true, 1234, 0},     {160, 400, sceneInfo, false, false, 1234, 1},
        {560, 50, sceneExit, false, false, 1234, 1},    {530, 370, sceneInfo, false, false, 1234, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        enterMenu();
        app->world.timeLeftMs = 1234;
        app->world.cloversCollectable = false;
        app->world.unlimitedTime = false;
        hl::setCursor(c.x, c.y);
        frame();
        hl::clearAudioEvents();
        click(c.x, c.y);
        EXPECT_EQ(app->scene, c.scene);
        EXPECT_EQ(app->sceneFrame, 0u);
        if (c.scene == scenePlay) {
            EXPECT_EQ(app->world.cloversCollectable, c.clovers);
            EXPECT_EQ(app->world.unlimitedTime, c.endless);
            EXPECT_EQ(app->world.timeLeftMs, c.timeLeft) << "the endless play keeps the clock it had";
        }
        EXPECT_EQ(effectPlays(kSlotDecide), c.decides);
    }
}

TEST_F(ScenesTest, InformationScreenFadesInAndItsBackButtonReturnsToTheMenu) {
    switchScene(*app, sceneInfo);
    frame();
    EXPECT_EQ(app->menuButtons.count, 1);
    click(400, 200);
    EXPECT_EQ(app->scene, &sceneInfo);
    frame();
    hl::clearAudioEvents();
    click(570, 440);
    EXPECT_EQ(app->scene, &sceneMenu);
    EXPECT_EQ(effectPlays(kSlotDecide), 1);
}

TEST_F(ScenesTest, InformationScreenLeavesTheMenusDriftingPlantsUndrawnAndShowsItsPageUnderThePaper) {
    enterMenu();
    frames(2);
    ASSERT_GT(app->renderer.drawing.backTasks.count, 0);
    click(160, 400);
    ASSERT_EQ(app->scene, &sceneInfo);
    frame();
    const std::vector<Seen> all = drawn();
    int plants = 0, filters = 0, filterAt = -1, pageAt = -1;
    for (size_t i = 0; i < all.size(); ++i) {
        const Seen& s = all[i];
        plants += (s.texture == 6) ? 1 : 0;
        if (s.texture == 4) ++filters, filterAt = static_cast<int>(i);
        if (s.texture == 5 && s.cellX == 500 && s.cellY == 430 && pageAt < 0) pageAt = static_cast<int>(i);
    }
    EXPECT_EQ(plants, 0) << "the information screen does not run the back tasks";
    EXPECT_EQ(filters, 1);
    ASSERT_GE(pageAt, 0);
    EXPECT_LT(pageAt, filterAt) << "the page lies under the paper filter";
    EXPECT_EQ(all[pageAt].r, 200);
    EXPECT_FLOAT_EQ(all[pageAt].centreX, 320.0f);
    EXPECT_FLOAT_EQ(all[pageAt].centreY, 210.0f);
}

TEST_F(ScenesTest, ExitEndsTheProgram151FramesAfterTheClickUnlessOneReturnsToTheTitle) {
    enterMenu();
    click(560, 50);
    ASSERT_EQ(app->scene, &sceneExit);
    frames(150);
    EXPECT_FALSE(app->quitRequested);
    frame();
    EXPECT_TRUE(app->quitRequested);

    app->quitRequested = false;
    enterMenu();
    click(560, 50);
    frames(100);
    hl::setKeyDown(DIK_1, true);
    frame();
    hl::setKeyDown(DIK_1, false);
    frames(60);
    EXPECT_FALSE(app->quitRequested);
    EXPECT_EQ(app->scene, &sceneTitle);
}

TEST_F(ScenesTest, ZoomOutWinsOverZoomInAndReleasingBothReturnsToExactlyOne) {
    DrawContext& r = app->renderer.drawing;
    r.zoom = 1.0f;
    for (int i = 0; i < 7; ++i) updateZoom(r, true, true);
    EXPECT_NEAR(r.zoom, 0.65f, 1e-5f);
    EXPECT_NEAR(r.zoomBlend, 0.3f, 1e-5f);
    int steps = 0;
    while (r.zoom != 1.0f && steps < 100) {
        updateZoom(r, false, false);
        ++steps;
    }
    EXPECT_EQ(r.zoom, 1.0f);
    EXPECT_EQ(steps, 7);
    EXPECT_EQ(r.zoomBlend, 1.0f);

    for (int i = 0; i < 40; ++i) updateZoom(r, false, true);
    EXPECT_EQ(r.zoom, 2.0f);
    EXPECT_EQ(r.zoomBlend, 3.0f);
    for (int i = 0; i < 40; ++i) updateZoom(r, true, false);
    EXPECT_EQ(r.zoom, 0.5f);
    EXPECT_EQ(r.zoomBlend, 0.0f);
    for (int i = 0; i < 40; ++i) updateZoom(r, false, false);
    EXPECT_EQ(r.zoom, 1.0f);
}

TEST_F(ScenesTest, PlayKeysZoomLockTheZoomAndHideTheHud) {
    startPlay();
    DrawContext& r = app->renderer.drawing;
    EXPECT_EQ(r.zoom, 1.0f);
    hl::setKeyDown(DIK_Z, true);
    hl::setKeyDown(DIK_A, true);
    frames(4);
    EXPECT_NEAR(r.zoom, 0.8f, 1e-5f);
    hl::releaseAllKeys();
    frames(4);
    EXPECT_EQ(r.zoom, 1.0f);

    hl::setKeyDown(DIK_LSHIFT, true);
    hl::setKeyDown(DIK_Z, true);
    frame();
    EXPECT_TRUE(app->zoomOutLock);
    hl::releaseAllKeys();
    frames(20);
    EXPECT_EQ(r.zoom, 0.5f) << "held out after the keys are let go";
    hl::setKeyDown(DIK_LSHIFT, true);
    hl::setKeyDown(DIK_Z, true);
    frame();
    EXPECT_FALSE(app->zoomOutLock);

    hl::releaseAllKeys();
    frame();
    hl::setKeyDown(DIK_X, true);
    frame();
    EXPECT_TRUE(app->renderer.hudHidden);
    frame();
    EXPECT_TRUE(app->renderer.hudHidden) << "once per press";
}

TEST_F(ScenesTest, AZPressWithoutShiftIsUsedUpSoShiftAddedLaterDoesNotLock) {
    startPlay();
    hl::setKeyDown(DIK_Z, true);
    frame();
    hl::setKeyDown(DIK_LSHIFT, true);   // Z still held from before
    frames(2);
    EXPECT_FALSE(app->zoomOutLock);
    hl::releaseAllKeys();
    frames(10);
    EXPECT_EQ(app->renderer.drawing.zoom, 1.0f) << "nothing holds the view out";
}

TEST_F(ScenesTest, PlayFrameDrawsBackTasksFieldCursorFilterHudComboMapThenFrontTasks) {
    startPlay();
    World& w = app->world;
    DrawContext& r = app->renderer.drawing;
    clearTasks(r.backTasks);
    clearTasks(r.frontTasks);
    addTask(r.backTasks, 0, backMarker, 0);
    addTask(r.frontTasks, 0, frontMarker, 0);
    // A still metal block in the middle of the view, and a combo on show.
    ASSERT_TRUE(addObject(w.objects, metal, 100, w.viewX + 320.0f, w.viewY + 240.0f, 0, 0, 0, 255, 255, 255, 255, 0,
                          false));
    w.comboTimer = 50;
    hl::setCursor(300, 200);
    frame();
    const std::vector<Seen> all = drawn();
    auto firstIndex = [&](auto&& match) {
        for (size_t i = 0; i < all.size(); ++i)
            if (match(all[i])) return static_cast<int>(i);
        return -1;
    };
    auto near = [](int value, int want) { return value >= want - 1 && value <= want + 1; };
    const int back = firstIndex([](const Seen& s) { return s.texture == -1 && s.r == 1 && s.g == 2 && s.b == 3; });
    const int object = firstIndex([&](const Seen& s) { return s.texture == 0 && near(s.cellX, 400) && near(s.cellY, 200); });
    const int cursor = firstIndex([](const Seen& s) { return s.texture == 0 && s.cellX == 141 && s.cellY == 701; });
    const int filter = firstIndex([](const Seen& s) { return s.texture == 4; });
    const int hud = firstIndex([](const Seen& s) { return s.texture == -1 && s.width == 640.0f && s.height == 30.0f; });
    const int combo = firstIndex([](const Seen& s) { return s.texture == 5 && s.cellX == 500 && s.cellY == 125; });
    const int map = firstIndex([&](const Seen& s) { return s.texture == 0 && near(s.cellX, 700) && near(s.cellY, 190); });
    const int front = firstIndex([](const Seen& s) { return s.texture == -1 && s.r == 4 && s.g == 5 && s.b == 6; });
    const std::vector<int> order = {back, object, cursor, filter, hud, combo, map, front};
    for (size_t i = 0; i < order.size(); ++i) ASSERT_GE(order[i], 0) << "draw " << i << " is missing";
    for (size_t i = 1; i < order.size(); ++i) EXPECT_LT(order[i - 1], order[i]) << "draws " << i - 1 << " and " << i;
    EXPECT_EQ(all[0].texture, -1) << "the paper is cleared first";
    EXPECT_EQ(all[0].width, 640.0f);
}

TEST_F(ScenesTest, AFinishedPlayZoomsOutHidesTheCursorAndReturnsToTheTitle164FramesLater) {
    startPlay();
    hl::setCursor(300, 200);
    frame();
    auto playCursors = [&] {
        int n = 0;
        for (const Seen& s : drawn()) n += (s.texture == 0 && s.cellX == 141 && s.cellY == 701) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(playCursors(), 1);
    app->world.timeLeftMs = 0;
    frame();
    ASSERT_EQ(app->world.endCounter, 1);
    EXPECT_TRUE(app->zoomOutLock);
    EXPECT_EQ(playCursors(), 0);
    frames(20);
    EXPECT_EQ(app->renderer.drawing.zoom, 0.5f);
    frames(143);
    EXPECT_EQ(app->scene, &scenePlay);
    frame();
    EXPECT_EQ(app->world.endCounter, 165);
    EXPECT_EQ(app->scene, &sceneTitle);
}

}  // namespace
