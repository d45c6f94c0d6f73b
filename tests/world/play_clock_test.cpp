// The clock, the score, the mutation key, overpopulation and the end of a play.
#include "play_test_support.h"
#include "world/play_clock.h"

class PlayClockTest : public PlayTest {};

TEST_F(PlayClockTest, ThirtyFramesTakeExactlyOneSecondAndRefillTheWater) {
    w.aquaReserve = 9700;
    for (int frame = 1; frame <= 30; ++frame) advanceClock(w, frame);
    EXPECT_EQ(w.timeLeftMs, 179000);
    EXPECT_EQ(w.elapsedMs, 1000);
    EXPECT_EQ(w.aquaReserve, 10000);  // 11 a frame, held at the top
}

TEST_F(PlayClockTest, ThePlayEndsTheFrameTheTimeRunsOut) {
    w.timeLeftMs = 33;
    advanceClock(w, 1);
    EXPECT_EQ(w.timeLeftMs, 0);
    countEndOfPlay(w);
    EXPECT_EQ(w.endCounter, 1);
    advanceClock(w, 2);
    EXPECT_EQ(w.timeLeftMs, 0);
    countEndOfPlay(w);
    EXPECT_EQ(w.endCounter, 2);
}

TEST_F(PlayClockTest, TheEndlessClockHoldsTimeAndWater) {
    w.unlimitedTime = true;
    w.timeLeftMs = 10;
    w.aquaReserve = -40;
    advanceClock(w, 3);
    EXPECT_EQ(w.timeLeftMs, kEndlessTimeMs);
    EXPECT_EQ(w.aquaReserve, kAquaReserveMax);
    EXPECT_EQ(w.elapsedMs, 34);
}

TEST_F(PlayClockTest, TheScoreTakesNewSizesAndCarriesPastItsLimitOneFrameLate) {
    w.score = 99999990;
    w.objects.sizeAdded = 20;
    advanceClock(w, 1);
    EXPECT_EQ(w.score, 100000010);
    EXPECT_EQ(w.scoreCarry, 0);
    EXPECT_EQ(w.objects.sizeAdded, 0);
    advanceClock(w, 2);
    EXPECT_EQ(w.score, 0);
    EXPECT_EQ(w.scoreCarry, 1);
}

TEST_F(PlayClockTest, TheComboEndsWhenItsTimerRunsOut) {
    w.comboTimer = 2;
    w.comboCount = 3;
    advanceClock(w, 1);
    EXPECT_EQ(w.comboCount, 3);
    advanceClock(w, 2);
    EXPECT_EQ(w.comboTimer, 0);
    EXPECT_EQ(w.comboCount, 1);
}

TEST_F(PlayClockTest, MutationWithFiveSecondsLeftBurstsNearbyElementsAndEndsThePlay) {
    placeCursor(600, 400);
    WorldObject& near = add(aqua, 100, 620, 400);
    WorldObject& tiny = add(aqua, 50, 600, 420);
    WorldObject& far = add(soil, 100, 900, 900);
    WorldObject& cell = add(life, 100, 600, 400);
    rankKinds(w.objects);  // aqua 2, soil 1: the third place goes to leaf
    ASSERT_EQ(w.objects.kindRanking[2], leaf);
    w.timeLeftMs = 5000;
    pressKey(platform::DIK_SPACE);

    mutationKey(w, drawing.frontTasks);
    EXPECT_EQ(input.keyEdge[platform::DIK_SPACE], kKeyPressedRead);
    EXPECT_TRUE(near.dying);
    EXPECT_TRUE(tiny.dying);
    EXPECT_FALSE(far.dying);
    EXPECT_FALSE(cell.dying);
    // As a leaf would: 60 larger, then a ring of three leaves; the small drop does not burst.
    EXPECT_EQ(near.size, 160);
    EXPECT_EQ(tiny.size, 50);
    EXPECT_EQ(objectsOfKind(leaf).size(), 3u);
    EXPECT_EQ(w.timeLeftMs, 0);
    EXPECT_EQ(effectsPlayed(kSlotMutation), 1);

    auto flashes = tasksOf(drawing.frontTasks);
    ASSERT_EQ(flashes.size(), 1u);
    EXPECT_EQ(flashes[0]->callback, &fadeOutAdditive);
    const EffectPayload flash = readPayload(*flashes[0]);
    EXPECT_EQ(flash.red, 100);
    EXPECT_EQ(flash.green, 255);
    EXPECT_EQ(flash.blue, 100);
    EXPECT_EQ(flash.length, 8);

    // Marked without a fade, the drops leave at the end of this frame, and the play ends in it.
    releaseFaded(w);
    EXPECT_EQ(objectsOfKind(aqua).size(), 0u);
    countEndOfPlay(w);
    EXPECT_EQ(w.endCounter, 1);
}

TEST_F(PlayClockTest, MutationAlsoBurstsObjectsAlreadyFadingAnywhereOnTheField) {
    placeCursor(100, 100);
    WorldObject& fading = add(soil, 100, 1000, 800);
    WorldObject& smallFading = add(soil, 50, 900, 800);
    fading.dying = smallFading.dying = true;
    fading.fadeTimer = smallFading.fadeTimer = 4;
    rankKinds(w.objects);  // soil first, then aqua and leaf: the third place goes to leaf
    ASSERT_EQ(w.objects.kindRanking[2], leaf);
    pressKey(platform::DIK_SPACE);

    mutationKey(w, drawing.frontTasks);
    EXPECT_EQ(fading.size, 160);
    EXPECT_EQ(smallFading.size, 50);
    EXPECT_EQ(objectsOfKind(leaf).size(), 3u);
    EXPECT_EQ(fading.fadeTimer, 4);
}

TEST_F(PlayClockTest, TheSpaceBarIsUsedUpButDoesNothingOnceTheTimeIsOut) {
    placeCursor(600, 400);
    WorldObject& near = add(aqua, 100, 600, 400);
    w.timeLeftMs = 0;
    pressKey(platform::DIK_SPACE);
    mutationKey(w, drawing.frontTasks);
    EXPECT_EQ(input.keyEdge[platform::DIK_SPACE], kKeyPressedRead);
    EXPECT_FALSE(near.dying);
    EXPECT_EQ(drawing.frontTasks.count, 0);

    // A held key acts once.
    w.timeLeftMs = 50000;
    mutationKey(w, drawing.frontTasks);
    EXPECT_FALSE(near.dying);
}

TEST_F(PlayClockTest, AFullPoolIsClearedAndRefilledWithExactly388ObjectsAndAWhiteFlash) {
    for (int i = 0; i < kObjectCapacity - 1; ++i) add(aqua, 40, 100.0f + i, 300);
    addSeedOf(100, 40, 500, 500);
    checkOverpopulation(w, drawing.frontTasks);
    EXPECT_EQ(w.objects.count, kObjectCapacity - 1);  // not full yet

    WorldObject& flower = add(aquaFlower, 300, 700, 700);
    w.grabbed = &flower;
    w.objects.sizeAdded = 0;
    const GeneratorSnapshot before = takeSnapshot(w);
    checkOverpopulation(w, drawing.frontTasks);
    MathTables m = replay(before);

    int clovers = 0, sizes = 0;
    for (int i = 0; i < kOverpopulationRefill; ++i) {
        if (nextRandom(m) % 100u >= 90u) {
            ++clovers;
            nextRandom(m);
            sizes += static_cast<int>(nextRandom(m) % 150u) + 100;
            nextRandom(m);
            nextRandom(m);
        } else {
            sizes += static_cast<int>(nextRandom(m) % 150u) + 30;
            for (int k = 0; k < 4; ++k) nextRandom(m);
        }
    }
    EXPECT_EQ(m.randomState, w.math.randomState);
    EXPECT_EQ(w.objects.count, kOverpopulationRefill);
    EXPECT_EQ(w.seeds.count, 0);
    EXPECT_GT(clovers, 20);
    EXPECT_LT(clovers, 60);
    EXPECT_EQ(objectsOfKind(leaf).size(), static_cast<size_t>(clovers));
    EXPECT_EQ(objectsOfKind(aqua).size(), static_cast<size_t>(kOverpopulationRefill - clovers));
    for (WorldObject* c : objectsOfKind(leaf)) {
        EXPECT_TRUE(c->clover);
        EXPECT_GE(c->size, 100);
        EXPECT_LT(c->size, 250);
    }
    for (WorldObject* d : objectsOfKind(aqua)) {
        EXPECT_FALSE(d->clover);
        EXPECT_EQ(d->alpha, 90);
        EXPECT_GE(d->x, 0.0f);
        EXPECT_LT(d->x, 1280.0f);
        EXPECT_GE(d->vy, -0.7f);
        EXPECT_LT(d->vy, 0.7f);
    }
    // The created counts go on over the whole play.
    EXPECT_EQ(w.objects.createdByKind[aqua], kObjectCapacity - 1 + kOverpopulationRefill - clovers);
    // The held flower's record is free now: the hand lets go of it.
    EXPECT_EQ(w.grabbed, nullptr);

    auto flashes = tasksOf(drawing.frontTasks);
    ASSERT_EQ(flashes.size(), 1u);
    EXPECT_EQ(flashes[0]->callback, &fadeOutAdditive);
    const EffectPayload flash = readPayload(*flashes[0]);
    EXPECT_EQ(flash.red + flash.green + flash.blue, 3 * 255);
    EXPECT_EQ(flash.length, 8);
    EXPECT_FLOAT_EQ(flash.scaleBase, 1.0f);

    // The new sizes score on the next clock step.
    w.score = 0;
    advanceClock(w, 1);
    EXPECT_EQ(w.score, sizes);
}

TEST_F(PlayClockTest, FadedRecordsAreReleasedFadingOnesStay) {
    WorldObject& gone = add(leaf, 100, 100, 100);
    WorldObject& fading = add(leaf, 100, 200, 100);
    add(leaf, 100, 300, 100);
    gone.dying = true;
    fading.dying = true;
    fading.fadeTimer = 2;
    releaseFaded(w);
    EXPECT_FALSE(gone.active);
    EXPECT_TRUE(fading.active);
    EXPECT_EQ(w.objects.count, 2);
}
