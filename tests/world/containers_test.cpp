// The world's fixed containers: pools, grid, trail, limiter, and a fresh play.
#include "world_test_support.h"

using ContainersTest = WorldTest;

TEST_F(ContainersTest, FullPoolRefusesTheNextAddAndKeepsEveryCounter) {
    for (int i = 0; i < kObjectCapacity; ++i) add(i % 7, 10 + i % 3, 100, 100);
    const int countBefore = w.objects.count;
    int live[kCountedKinds], created[kCountedKinds];
    for (int k = 0; k < kCountedKinds; ++k) live[k] = w.objects.liveByKind[k], created[k] = w.objects.createdByKind[k];
    const int sizeAdded = w.objects.sizeAdded;
    WorldObject* firstFree = w.objects.firstFree;

    EXPECT_FALSE(addObject(w.objects, aqua, 50, 1, 1, 0, 0, 0, 90, 255, 255, 255, 10, false));
    EXPECT_FALSE(addSeed(w.objects, 100, 50, 1, 1, 0, 0, 0, {0, 0, 150, 150}, 0, {0, 0, 0}, 0));
    EXPECT_EQ(w.objects.count, countBefore);
    EXPECT_EQ(w.objects.count, kObjectCapacity);
    EXPECT_EQ(w.objects.sizeAdded, sizeAdded);
    EXPECT_EQ(w.objects.firstFree, firstFree);
    for (int k = 0; k < kCountedKinds; ++k) {
        EXPECT_EQ(w.objects.liveByKind[k], live[k]);
        EXPECT_EQ(w.objects.createdByKind[k], created[k]);
    }
}

TEST_F(ContainersTest, RemovalDuringAPassReleasesTheTakenRecordAndGoesOn) {
    WorldObject& a = add(aqua, 40, 10, 10);
    WorldObject& b = add(leaf, 41, 10, 10);
    WorldObject& c = add(soil, 42, 10, 10);
    std::vector<WorldObject*> seen;
    beginIteration(w.objects);
    while (!atEnd(w.objects)) {
        WorldObject* r = nextRecord(w.objects);
        seen.push_back(r);
        if (r == &b) {
            EXPECT_TRUE(removeCurrent(w.objects));
        }
    }
    EXPECT_EQ(seen, (std::vector<WorldObject*>{&a, &b, &c}));
    EXPECT_EQ(activeRecords(w.objects), (std::vector<WorldObject*>{&a, &c}));
    EXPECT_FALSE(b.active);
    EXPECT_EQ(w.objects.liveByKind[leaf], 0);
    EXPECT_EQ(w.objects.createdByKind[leaf], 1);   // created counts stay
    EXPECT_EQ(w.objects.sizeAdded, 40 + 41 + 42);
    EXPECT_EQ(w.objects.tail->prev, &b);           // released to the end of the free part
}

TEST_F(ContainersTest, RecordsAddedDuringAPassAreReachedByTheSamePass) {
    add(aqua, 40, 10, 10);
    add(aqua, 40, 10, 10);
    int visited = 0, added = 0;
    beginIteration(w.objects);
    while (!atEnd(w.objects)) {
        nextRecord(w.objects);
        visited += 1;
        if (added < 3) added += addObject(w.objects, metal, 10, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, false);
    }
    EXPECT_EQ(visited, 5);
    EXPECT_EQ(w.objects.count, 5);
}

TEST_F(ContainersTest, MoveToBackAndEmptyPoolOperationsAreRefusedWhereTheyCannotAct) {
    EXPECT_FALSE(removeCurrent(w.objects));
    WorldObject& a = add(aqua, 40, 10, 10);
    EXPECT_FALSE(moveToBack(w.objects, a));
    WorldObject& b = add(leaf, 40, 10, 10);
    WorldObject& c = add(soil, 40, 10, 10);
    EXPECT_TRUE(moveToBack(w.objects, a));
    EXPECT_EQ(activeRecords(w.objects), (std::vector<WorldObject*>{&b, &c, &a}));
    EXPECT_EQ(w.objects.count, 3);
}

TEST_F(ContainersTest, BuiltPoolNumbersItsRecordsInChainOrder) {
    EXPECT_EQ(w.objects.head->serial, 1);
    EXPECT_EQ(w.objects.head->next->serial, 2);
    EXPECT_EQ(w.objects.tail->serial, 0);
    EXPECT_EQ(w.objects.tail->prev->serial, kObjectCapacity + 2);
    int records = 0;
    for (WorldObject* r = w.objects.head->next; r != w.objects.tail; r = r->next) records += 1;
    EXPECT_EQ(records, kObjectCapacity + 1);
}

TEST_F(ContainersTest, ResetAfterFullPoolsLeavesEverythingFree) {
    for (int i = 0; i < kObjectCapacity; ++i) add(i % 5, 30, 100, 100);
    for (int i = 0; i < kSeedCapacity; ++i) addSeedOf(100, 30, 100, 100);
    EXPECT_FALSE(addSeed(w.seeds, 100, 30, 0, 0, 0, 0, 0, {0, 0, 150, 150}, 0, {0, 0, 0}, 0));
    rankKinds(w.objects);
    resetPlay(w);
    EXPECT_EQ(w.objects.count, 0);
    EXPECT_EQ(w.seeds.count, 0);
    for (int k = 0; k < kCountedKinds; ++k) {
        EXPECT_EQ(w.objects.liveByKind[k], 0);
        EXPECT_EQ(w.objects.createdByKind[k], 0);
    }
    for (int k : w.objects.kindRanking) EXPECT_EQ(k, -1);
    int free = 0;
    for (int i = 0; i < kObjectCapacity; ++i) free += addObject(w.objects, aqua, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, false);
    EXPECT_EQ(free, kObjectCapacity);
    free = 0;
    for (int i = 0; i < kSeedCapacity; ++i)
        free += addSeed(w.seeds, 100, 1, 0, 0, 0, 0, 0, {0, 0, 0, 0}, 0, {0, 0, 0}, 0);
    EXPECT_EQ(free, kSeedCapacity);
}

TEST_F(ContainersTest, RankingSortsByLiveCountWithTiesKeepingTheSmallerKind) {
    const int counts[5] = {3, 5, 5, 0, 1};
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < counts[k]; ++i) add(k, 30, 100, 100);
    rankKinds(w.objects);
    EXPECT_EQ(std::vector<int>(w.objects.kindRanking, w.objects.kindRanking + 5), (std::vector<int>{1, 2, 0, 4, 3}));

    resetPool(w.objects, true);
    const int field[5] = {20, 5, 9, 9, 0};
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < field[k]; ++i) add(k, 30, 100, 100);
    add(life, 300, 100, 100);  // lives and dreams never take part
    add(life, 300, 100, 100);
    rankKinds(w.objects);
    EXPECT_EQ(std::vector<int>(w.objects.kindRanking, w.objects.kindRanking + 5), (std::vector<int>{0, 2, 3, 1, 4}));
}

TEST_F(ContainersTest, GridColumnsTruncateTowardZeroSoColumnOneIsTwiceAsWide) {
    int c;
    ASSERT_TRUE(gridIndex(-150.0f, 200, 8, c));
    EXPECT_EQ(c, 1);
    ASSERT_TRUE(gridIndex(150.0f, 200, 8, c));
    EXPECT_EQ(c, 1);
    ASSERT_TRUE(gridIndex(-200.0f, 200, 8, c));
    EXPECT_EQ(c, 0);
    ASSERT_TRUE(gridIndex(200.0f, 200, 8, c));
    EXPECT_EQ(c, 2);
    ASSERT_TRUE(gridIndex(1399.0f, 200, 8, c));
    EXPECT_EQ(c, 7);
    EXPECT_FALSE(gridIndex(-400.0f, 200, 8, c));
    EXPECT_FALSE(gridIndex(1400.0f, 200, 8, c));
    EXPECT_FALSE(gridIndex(1200.0f, 200, 7, c));
}

TEST_F(ContainersTest, GridEntersObjectsByTheirUpperLeftCornerAndRefusesBoxesOutside) {
    clearGrid(w.grid);
    WorldObject& left = add(aqua, 40, -150, 500);    // box -160..-140: column 1, row 3
    WorldObject& right = add(aqua, 40, 150, 500);    // column 1 as well
    WorldObject& spanning = add(aqua, 40, 395, 500); // 385..405 crosses into column 3
    WorldObject& beyond = add(aqua, 40, -385, 500);  // corner at -395 is still inside
    WorldObject& outside = add(aqua, 40, -390, 500); // corner at -400 is outside
    WorldObject& low = add(aqua, 40, 500, 1190);     // corner at 1200 is outside
    EXPECT_TRUE(insertObject(w.grid, left));
    EXPECT_TRUE(insertObject(w.grid, right));
    EXPECT_TRUE(insertObject(w.grid, spanning));
    EXPECT_TRUE(insertObject(w.grid, beyond));
    EXPECT_FALSE(insertObject(w.grid, outside));
    EXPECT_FALSE(insertObject(w.grid, low));
    EXPECT_EQ(w.grid.inserted, 4);

    GridEntry* e = cellAt(w.grid, 1, 3);  // the newest entry first
    EXPECT_EQ(e->object, &right);
    EXPECT_FALSE(e->spansCells);
    EXPECT_EQ(e->next->object, &left);
    EXPECT_EQ(e->next->next->object, nullptr);
    EXPECT_EQ(cellAt(w.grid, 2, 3)->object, &spanning);
    EXPECT_TRUE(cellAt(w.grid, 2, 3)->spansCells);
    EXPECT_EQ(cellAt(w.grid, 0, 3)->object, &beyond);
    EXPECT_EQ(cellAt(w.grid, 8, 0)->object, nullptr);
    EXPECT_EQ(cellAt(w.grid, -1, 0)->object, nullptr);

    clearGrid(w.grid);
    EXPECT_EQ(cellAt(w.grid, 1, 3)->object, nullptr);
    EXPECT_EQ(w.grid.inserted, 0);
}

TEST_F(ContainersTest, GridTakesAFullPoolEveryFrameWithoutRunningOutOfEntries) {
    for (int i = 0; i < kObjectCapacity; ++i) add(aqua, 20, 100.0f + (i % 50) * 20, 100.0f + (i / 50) * 60);
    for (int frame = 0; frame < 3; ++frame) {
        clearGrid(w.grid);
        int entered = 0;
        for (WorldObject* r : activeRecords(w.objects)) entered += insertObject(w.grid, *r);
        EXPECT_EQ(entered, kObjectCapacity);
        int chained = 0;
        for (int row = 0; row < kGridRows; ++row)
            for (int col = 0; col < kGridColumns; ++col)
                for (GridEntry* e = cellAt(w.grid, col, row); e->object; e = e->next) chained += 1;
        EXPECT_EQ(chained, kObjectCapacity);
    }
}

TEST_F(ContainersTest, TrailHoldsAtMostFortyFourParticlesAndFreesThemAfterTwentyFrames) {
    for (int i = 0; i < 44; ++i) EXPECT_TRUE(spawnTrail(w.trail, 0, 0, 1, 2, i % 7));
    EXPECT_FALSE(spawnTrail(w.trail, 0, 0, 1, 2, 0));
    EXPECT_EQ(w.trail.live, 44);
    for (int f = 0; f < 19; ++f) updateTrail(w.trail);
    EXPECT_EQ(w.trail.live, 44);
    EXPECT_FLOAT_EQ(w.trail.particles[0].x, 19.0f);
    updateTrail(w.trail);
    EXPECT_EQ(w.trail.live, 0);
    EXPECT_TRUE(spawnTrail(w.trail, 0, 0, 0, 0, 0));
}

TEST_F(ContainersTest, LimiterLetsASlotRequestedEveryFramePlayOnFrames1To3ThenEveryFifth) {
    std::vector<int> played;
    for (int frame = 1; frame <= 23; ++frame) {
        decayLimiter(w.soundLimiter);
        if (playLimited(w.soundLimiter, sound, kSlotAqua)) played.push_back(frame);
    }
    EXPECT_EQ(played, (std::vector<int>{1, 2, 3, 8, 13, 18, 23}));
    EXPECT_EQ(effectsPlayed(kSlotAqua), 7);
    EXPECT_EQ(effectsPlayed(kSlotLeaf), 0);
    clearLimiter(w.soundLimiter);
    EXPECT_TRUE(playLimited(w.soundLimiter, sound, kSlotAqua));
    EXPECT_FALSE(playLimited(w.soundLimiter, sound, 18));
    EXPECT_FALSE(playLimited(w.soundLimiter, sound, -1));
}

TEST_F(ContainersTest, FreshPlayStartsWithTheViewCentredWaterAndPlayMusic) {
    w.score = 500;
    w.comboCount = 4;
    w.endCounter = 9;
    w.timeLeftMs = 1234;
    w.soundLimiter.credits[3] = 7;
    spawnTrail(w.trail, 0, 0, 0, 0, 0);
    add(aqua, 30, 10, 10);
    platform::headless::clearAudioEvents();
    resetPlay(w);
    EXPECT_FLOAT_EQ(w.viewX, 320.0f);
    EXPECT_FLOAT_EQ(w.viewY, 240.0f);
    EXPECT_EQ(w.aquaReserve, 5000);
    EXPECT_EQ(w.comboCount, 1);
    EXPECT_EQ(w.score, 0);
    EXPECT_EQ(w.endCounter, 0);
    EXPECT_EQ(w.timeLeftMs, 1234);  // the menu sets the time
    EXPECT_EQ(w.soundLimiter.credits[3], 0);
    EXPECT_EQ(w.trail.live, 0);
    EXPECT_EQ(w.objects.count, 0);
    EXPECT_EQ(w.seeds.count, 0);
    EXPECT_EQ(w.musicSlot, kSlotPlayMusic);
    EXPECT_EQ(platform::headless::playingMusic(), sound.segments[kSlotPlayMusic]);
}

TEST_F(ContainersTest, TimeUpStartsTheEndCounterWhichThenCountsEveryFrame) {
    w.timeLeftMs = 1;
    checkTimeUp(w);
    advanceEnd(w);
    EXPECT_EQ(w.endCounter, 0);
    w.timeLeftMs = 0;
    checkTimeUp(w);
    EXPECT_EQ(w.endCounter, 1);
    checkTimeUp(w);
    advanceEnd(w);
    EXPECT_EQ(w.endCounter, 2);
}

TEST(WorldWithoutSound, StepsSafelyWhenItsSoundWasNeverStarted) {
    platform::headless::resetAudio();
    RandomWords words;
    auto sound = std::make_unique<SoundSystem>();
    constructSoundSystem(*sound);
    auto world = std::make_unique<World>();
    buildWorld(*world, words, *sound);
    EXPECT_TRUE(world->math.clockSeeded);
    resetPlay(*world);
    rankKinds(world->objects);
    addObject(world->objects, metal, 100, 500, 500, 0, 0, 0, 255, 255, 255, 255, 0, false);
    world->objects.head->next->charge = 300;
    updateObjects(*world, 1);  // bursts and plays its sound into an empty slot
    EXPECT_GT(world->objects.count, 1);
}
