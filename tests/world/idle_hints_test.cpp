// The idle hints of a player who has not started spraying.
#include "play_test_support.h"
#include "world/idle_hints.h"
#include "world/play_clock.h"

class IdleHintsTest : public PlayTest {
protected:
    // Runs the clock and the hints for one frame, as the play does.
    void hintFrame(int frame) {
        advanceClock(w, frame);
        stageIdleHints(w, drawing.frontTasks);
    }
};

TEST_F(IdleHintsTest, HintsStartAfterThreeSecondsForAPlayerWithFewerThanTenDrops) {
    for (int i = 0; i < 9; ++i) add(aqua, 40, 100, 100);
    std::vector<int> queuedAt;  // elapsed times at which a hint appeared
    std::vector<int> cells;
    int frame = 0;
    while (w.elapsedMs < 40000) {
        const int before = drawing.frontTasks.count;
        hintFrame(++frame);
        if (drawing.frontTasks.count > before) {
            queuedAt.push_back(w.elapsedMs);
            const EffectPayload p = readPayload(*drawing.frontTasks.lastAdded);
            cells.push_back(p.cellX * 1000 + p.cellY);
            EXPECT_EQ(drawing.frontTasks.lastAdded->callback, &hintPicture);
            EXPECT_EQ(drawing.frontTasks.lastAdded->order, 2000);
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

TEST_F(IdleHintsTest, TenDropsInTheFirstThreeSecondsMeanNoHintsLaterDropsDoNotStopThem) {
    for (int i = 0; i < 10; ++i) add(aqua, 40, 100, 100);
    int frame = 0;
    while (w.elapsedMs < 20000) hintFrame(++frame);
    EXPECT_FALSE(w.hintShown);
    EXPECT_EQ(drawing.frontTasks.count, 0);

    // A new play: the hints start, and drops made afterwards do not stop them.
    resetPlay(w);
    frame = 0;
    while (w.elapsedMs < 3100) hintFrame(++frame);
    ASSERT_TRUE(w.hintShown);
    for (int i = 0; i < 20; ++i) add(aqua, 40, 100, 100);
    while (w.elapsedMs < 5000) hintFrame(++frame);
    EXPECT_EQ(w.hintStage, 1);
}

TEST_F(IdleHintsTest, ASequenceCutShortByTheEndOfAPlayDoesNotGoOnInTheNext) {
    int frame = 0;
    while (w.elapsedMs < 6000) hintFrame(++frame);
    ASSERT_EQ(w.hintStage, 1);

    // The next play: this player sprays at once, and is shown nothing all play long.
    resetPlay(w);
    clearTasks(drawing.frontTasks);
    for (int i = 0; i < 10; ++i) add(aqua, 40, 100, 100);
    frame = 0;
    while (w.elapsedMs < 40000) hintFrame(++frame);
    EXPECT_FALSE(w.hintShown);
    EXPECT_EQ(drawing.frontTasks.count, 0);
}
