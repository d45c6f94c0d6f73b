// The staged opening and ending of a play, and the idle hints.
#include "play_test_support.h"
#include "world/play_clock.h"
#include "world/staging.h"

class StagingTest : public PlayTest {
protected:
    // Runs the clock and the hints for one frame, as the play does.
    void hintFrame(int frame) {
        advanceClock(w, frame);
        stageIdleHints(w);
    }
};

TEST_F(StagingTest, TheOpeningClearsOldTasksAndQueuesTheFadeAndTwoTitlePictures) {
    queueEffect(renderer.backTasks, 0, fadeOutDarken, 0, fadePayload(1, 2, 3, 4));
    queueEffect(renderer.frontTasks, 0, fadeOutDarken, 0, fadePayload(1, 2, 3, 4));
    renderer.zoom = 0.5f;
    renderer.zoomBlend = 0.0f;
    renderer.hudHidden = true;

    stagePlayOpening(renderer);
    EXPECT_EQ(renderer.backTasks.count, 0);
    auto tasks = tasksOf(renderer.frontTasks);
    ASSERT_EQ(tasks.size(), 3u);
    // Greater orders run first: the two pictures, then the fade over them.
    EXPECT_EQ(tasks[0]->callback, &glowingPicture);
    EXPECT_EQ(tasks[0]->order, 3000);
    EXPECT_EQ(tasks[1]->callback, &glowingPicture);
    EXPECT_EQ(tasks[2]->callback, &fadeOutDarken);
    const EffectPayload title = readPayload(*tasks[0]);
    EXPECT_FLOAT_EQ(title.x, 320.0f);
    EXPECT_EQ(title.texture, 5);
    EXPECT_EQ(title.cellY, 245);
    EXPECT_EQ(title.angle, 255);
    EXPECT_FLOAT_EQ(title.scaleX, 1.0f);
    const EffectPayload second = readPayload(*tasks[1]);
    EXPECT_FLOAT_EQ(second.x, 160.0f);
    EXPECT_FLOAT_EQ(second.y, 65.0f);
    EXPECT_EQ(second.cellX, 470);
    const EffectPayload fade = readPayload(*tasks[2]);
    EXPECT_EQ(fade.length, 8);
    EXPECT_EQ(fade.red, 255);
    EXPECT_FLOAT_EQ(fade.scaleX, 0.0f);

    EXPECT_FLOAT_EQ(renderer.zoom, 1.0f);
    EXPECT_FLOAT_EQ(renderer.zoomBlend, 1.0f);
    EXPECT_FALSE(renderer.hudHidden);
}

TEST_F(StagingTest, TheEndingQueuesThePictureOverItsBandAFlashAndALateWhiteFade) {
    stagePlayEnding(renderer);
    auto tasks = tasksOf(renderer.frontTasks);
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_EQ(tasks[0]->callback, &glowingBand);
    EXPECT_EQ(tasks[0]->delay, 15);
    EXPECT_EQ(tasks[1]->callback, &glowingPicture);
    EXPECT_EQ(tasks[1]->delay, 15);
    EXPECT_EQ(tasks[2]->callback, &fadeOutAdditive);
    EXPECT_EQ(tasks[2]->delay, 0);
    EXPECT_EQ(tasks[3]->callback, &fadeInAdditive);
    EXPECT_EQ(tasks[3]->delay, 135);
    const EffectPayload band = readPayload(*tasks[0]);
    EXPECT_FLOAT_EQ(band.y, 170.0f);
    EXPECT_EQ(band.cellW, 640);
    EXPECT_EQ(band.cellH, 140);
    // The end picture's cell (370, 180) 420 x 64 holds part of the bitmap font at its left: only
    // the part from x 454 is drawn, moved right by 42 so that it lands where the whole cell did.
    const EffectPayload timeUp = readPayload(*tasks[1]);
    EXPECT_EQ(timeUp.cellX, 454);
    EXPECT_EQ(timeUp.cellY, 180);
    EXPECT_EQ(timeUp.cellW, 336);
    EXPECT_EQ(timeUp.cellH, 64);
    EXPECT_FLOAT_EQ(timeUp.x, 362.0f);
    EXPECT_FLOAT_EQ(timeUp.y, 240.0f);
    EXPECT_EQ(readPayload(*tasks[3]).length, 30);
}

TEST_F(StagingTest, HintsStartAfterThreeSecondsForAPlayerWithFewerThanTenDrops) {
    for (int i = 0; i < 9; ++i) add(aqua, 40, 100, 100);
    std::vector<int> queuedAt;  // elapsed times at which a hint appeared
    std::vector<int> cells;
    int frame = 0;
    while (w.elapsedMs < 40000) {
        const int before = renderer.frontTasks.count;
        hintFrame(++frame);
        if (renderer.frontTasks.count > before) {
            queuedAt.push_back(w.elapsedMs);
            const EffectPayload p = readPayload(*renderer.frontTasks.lastAdded);
            cells.push_back(p.cellX * 1000 + p.cellY);
            EXPECT_EQ(renderer.frontTasks.lastAdded->callback, &hintPicture);
            EXPECT_EQ(renderer.frontTasks.lastAdded->order, 2000);
            EXPECT_EQ(p.texture, 7);
            EXPECT_EQ(p.cellW, 500);
        }
        if (w.elapsedMs == 3033) {
            EXPECT_TRUE(w.hintShown);
        }
    }
    // Started at 3033 ms (the first frame past 3000); the stages follow more than 1 s and 11 s apart.
    EXPECT_EQ(w.hintStage, 3);
    ASSERT_EQ(queuedAt.size(), 3u);
    EXPECT_EQ(queuedAt[0], 4066);
    EXPECT_EQ(queuedAt[1], 15100);
    EXPECT_EQ(queuedAt[2], 26133);
    EXPECT_EQ(cells, (std::vector<int>{500800, 600, 500600}));
}

TEST_F(StagingTest, TenDropsInTheFirstThreeSecondsMeanNoHintsLaterDropsDoNotStopThem) {
    for (int i = 0; i < 10; ++i) add(aqua, 40, 100, 100);
    int frame = 0;
    while (w.elapsedMs < 20000) hintFrame(++frame);
    EXPECT_FALSE(w.hintShown);
    EXPECT_EQ(renderer.frontTasks.count, 0);

    // A new play: the hints start, and drops made afterwards do not stop them.
    resetPlay(w);
    frame = 0;
    while (w.elapsedMs < 3100) hintFrame(++frame);
    ASSERT_TRUE(w.hintShown);
    for (int i = 0; i < 20; ++i) add(aqua, 40, 100, 100);
    while (w.elapsedMs < 5000) hintFrame(++frame);
    EXPECT_EQ(w.hintStage, 1);
}

TEST_F(StagingTest, ASequenceCutShortByTheEndOfAPlayDoesNotGoOnInTheNext) {
    int frame = 0;
    while (w.elapsedMs < 6000) hintFrame(++frame);
    ASSERT_EQ(w.hintStage, 1);

    // The next play: this player sprays at once, and is shown nothing all play long.
    resetPlay(w);
    clearTasks(renderer.frontTasks);
    for (int i = 0; i < 10; ++i) add(aqua, 40, 100, 100);
    frame = 0;
    while (w.elapsedMs < 40000) hintFrame(++frame);
    EXPECT_FALSE(w.hintShown);
    EXPECT_EQ(renderer.frontTasks.count, 0);
}

TEST_F(StagingTest, HintStagesAdvanceWithoutARendererToo) {
    w.renderer = nullptr;
    int frame = 0;
    while (w.elapsedMs < 30000) hintFrame(++frame);
    EXPECT_EQ(w.hintStage, 3);
}
