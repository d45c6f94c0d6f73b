// Seeds: their step, sprouts and chains, conversion into objects, and hatching from a life.
#include "world_test_support.h"

class SeedTest : public WorldTest {
protected:
    // A life of the given size bursting now, hatching with the field's current ranking.
    void hatchFrom(int size, int elapsedMs) {
        w.elapsedMs = elapsedMs;
        WorldObject& cell = add(life, size, 640, 480);
        hatchSeeds(w, cell);
    }

    void fillField(const int (&counts)[5]) {
        for (int k = 0; k < 5; ++k)
            for (int i = 0; i < counts[k]; ++i) add(k, 30, 100, 100);
        rankKinds(w.objects);
    }
};

TEST_F(SeedTest, AStillSeedOfLeavesNeverLeavesTheFieldOrTurnsIntoAnObject) {
    WorldObject& s = addSeedOf(101, 30, 10, 10);
    for (int f = 1; f <= 50; ++f) updateSeeds(w, f);
    EXPECT_TRUE(s.active);
    EXPECT_EQ(s.charge, 50);
    EXPECT_EQ(w.objects.count, 0);
    WorldObject& gone = addSeedOf(106, 30, 10, 10);
    updateSeeds(w, 51);
    EXPECT_FALSE(gone.active);   // kind 106 outside the field just goes
    EXPECT_EQ(w.objects.count, 0);
}

TEST_F(SeedTest, StillSeedsSproutOnTheirFifthFrameUnlessTooSmall) {
    WorldObject& small = addSeedOf(101, 30, 500, 500);
    for (int f = 1; f <= 5; ++f) updateSeeds(w, f);
    EXPECT_EQ(w.seeds.count, 1);
    EXPECT_TRUE(small.active);

    WorldObject& big = addSeedOf(106, 100, 500, 500, 0, 0, 2);
    big.angle = 60;
    for (int f = 1; f <= 4; ++f) updateSeeds(w, f);
    const GeneratorSnapshot before = takeSnapshot(w);
    updateSeeds(w, 5);
    MathTables m = replay(before);
    nextRandom(m);  // the discarded draw
    const PrimaryColour colour = randomPrimary(m, 150);
    const int column = static_cast<int>(nextRandom(m) % 5u);
    const auto sprouts = seedsOfKind(106);
    ASSERT_EQ(sprouts.size(), 2u);
    const WorldObject& s = *sprouts[1];
    EXPECT_EQ(s.size, 85);
    EXPECT_EQ(s.angle, 90);
    EXPECT_EQ(s.charge, 8 + 1);  // the parent's generation and age plus one; stepped in the same pass
    EXPECT_EQ(s.cellX, column * 150);
    EXPECT_EQ(s.cellY, 0);
    EXPECT_EQ(s.cellH, 150);
    EXPECT_EQ(s.red, colour.red);
    EXPECT_EQ(s.blue, colour.blue);
    EXPECT_EQ(s.alpha, 255);
    EXPECT_FLOAT_EQ(s.vx, 0.0f);
    EXPECT_NEAR(s.x, 500.0f + 0.65f * 185 * tableCos(m, 90), 1e-3);
    EXPECT_NEAR(s.y, 500.0f - 0.65f * 185, 1e-3);
}

TEST_F(SeedTest, AnOldSproutFadesAndDropsAClover) {
    WorldObject& s = addSeedOf(101, 40, 500, 500, 0, 0, 120);
    s.absorbed = 6;
    s.angle = 90;
    updateSeeds(w, 1);
    EXPECT_TRUE(s.dying);
    EXPECT_EQ(s.fadeTimer, 8);
    const auto clovers = objectsOfKind(leaf);
    ASSERT_EQ(clovers.size(), 1u);
    EXPECT_TRUE(clovers[0]->clover);
    EXPECT_EQ(clovers[0]->size, 80);
    EXPECT_EQ(clovers[0]->angle, 0);
    for (int f = 2; f <= 9; ++f) updateSeeds(w, f);
    EXPECT_FALSE(s.active);
}

TEST_F(SeedTest, AChainLinkGrowsAChildUntilGenerationSixEndsInAFlareBurst) {
    WorldObject& link = addSeedOf(104, 40, 500, 500, 1.0f, 0.0f, 5);
    link.angle = 20;
    for (int f = 1; f <= 10; ++f) updateSeeds(w, f);
    EXPECT_EQ(w.seeds.count, 1);
    const GeneratorSnapshot before = takeSnapshot(w);
    updateSeeds(w, 11);
    MathTables m = replay(before);
    const int d = static_cast<int>(randomInt(m, 30)) + 20 - 15;
    EXPECT_TRUE(link.dying);
    const auto links = seedsOfKind(104);
    ASSERT_EQ(links.size(), 2u);
    const WorldObject& child = *links[1];
    EXPECT_EQ(child.charge, 6);
    EXPECT_EQ(child.angle, d);
    EXPECT_EQ(child.size, 40);
    EXPECT_EQ(child.cellW, 150);
    // the parent moved 11 frames; the child starts 0.7 x size further along and steps in the same pass
    EXPECT_FLOAT_EQ(child.x, 500.0f + 11.0f + 28.0f + child.vx);
    EXPECT_EQ(w.objects.count, 0);

    WorldObject& last = addSeedOf(104, 40, 300, 300, 0, 0, 6);
    last.absorbed = 10;
    updateSeeds(w, 12);
    EXPECT_TRUE(last.dying);
    const auto flares = objectsOfKind(flare);
    ASSERT_EQ(flares.size(), 3u);
    EXPECT_EQ(flares[0]->size, 144);  // (120 + 40) x 0.9
    EXPECT_EQ(seedsOfKind(104).size(), 3u);
}

TEST_F(SeedTest, AFullSeedPoolMakesNoChildrenButTheParentsCarryOn) {
    WorldObject& link = addSeedOf(104, 40, 500, 500, 0, 0, 1);
    link.absorbed = 10;
    WorldObject& still = addSeedOf(101, 60, 600, 600);
    still.absorbed = 4;
    while (addSeed(w.seeds, 100, 40, 500, 500, 0, 0, 0, {0, 0, 150, 150}, 0, {0, 0, 0}, 0)) {
    }
    updateSeeds(w, 1);
    EXPECT_EQ(w.seeds.count, kSeedCapacity);
    EXPECT_TRUE(link.dying);
    EXPECT_EQ(still.absorbed, 5);
    EXPECT_FALSE(still.dying);
}

TEST_F(SeedTest, SeedsLeavingTheFieldTurnIntoTheirElementEvenWhileFading) {
    struct Case {
        int seedKind, objectKind, size, alpha;
        float speed;
    };
    const Case cases[] = {{100, aqua, 45, 90, -0.25f}, {105, aqua, 45, 90, -0.25f}, {102, metal, 45, 255, -0.25f},
                          {107, metal, 45, 255, -0.25f}, {103, soil, 45, 255, -0.2f}, {108, soil, 45, 255, -0.2f},
                          {104, flare, 60, 255, -3.0f},  {109, flare, 60, 255, -3.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seedKind);
        resetPool(w.objects, true);
        resetPool(w.seeds, true);
        WorldObject& s = addSeedOf(c.seedKind, 30, 41, 500, -2.0f, 0.0f);
        s.dying = true;
        s.fadeTimer = 5;
        updateSeeds(w, 1);
        EXPECT_FALSE(s.active);
        EXPECT_EQ(w.seeds.count, 0);
        ASSERT_EQ(w.objects.count, 1);
        const WorldObject& o = *w.objects.head->next;
        EXPECT_EQ(o.kind, c.objectKind);
        EXPECT_EQ(o.size, c.size);
        EXPECT_EQ(o.alpha, c.alpha);
        EXPECT_FLOAT_EQ(o.vx, -2.0f * c.speed);
        EXPECT_FLOAT_EQ(o.x, 39.0f);
        EXPECT_EQ(o.launchTimer, 10);
    }
}

TEST_F(SeedTest, WanderingSeedsAgeOutIntoObjects) {
    WorldObject& spinner = addSeedOf(107, 30, 500, 500, 0, 0, 120);
    updateSeeds(w, 1);
    EXPECT_FALSE(spinner.active);
    ASSERT_EQ(objectsOfKind(metal).size(), 1u);

    WorldObject& drifter = addSeedOf(109, 30, 500, 500, 0, 0, 120);
    drifter.alpha = 5;
    updateSeeds(w, 2);
    EXPECT_TRUE(drifter.dying);
    EXPECT_EQ(objectsOfKind(flare).size(), 3u);
}

TEST_F(SeedTest, APulsingSeedComesToRestOverTwentyFramesThenTurnsByOneDraw) {
    WorldObject& s = addSeedOf(105, 30, 640, 480);
    s.angle = 40;
    updateSeeds(w, 1);
    EXPECT_EQ(s.absorbed, 95);
    EXPECT_NEAR(s.vx, 5.7f * tableCos(w.math, 220), 1e-5);
    EXPECT_NEAR(s.vy, 5.7f * tableSin(w.math, 220), 1e-5);
    for (int f = 2; f <= 19; ++f) updateSeeds(w, f);
    EXPECT_EQ(s.angle, 40);
    const GeneratorSnapshot before = takeSnapshot(w);
    updateSeeds(w, 20);
    MathTables m = replay(before);
    const int turn = (static_cast<int>(randomInt(m, 5)) - 2) * 20;
    EXPECT_NEAR(s.vx, 0.0f, 1e-6);
    EXPECT_NEAR(s.vy, 0.0f, 1e-6);
    EXPECT_EQ(s.angle, 40 + turn);
    EXPECT_EQ(s.charge, 20);   // it ages
    EXPECT_EQ(m.randomState, w.math.randomState);
    updateSeeds(w, 21);        // and sets off again along the new heading
    EXPECT_NEAR(s.vx, 5.7f * tableCos(w.math, 220 + turn), 1e-5);
}

TEST_F(SeedTest, ASpiralSeedTurnsADegreeAFrameAndSpeedsUp) {
    WorldObject& s = addSeedOf(102, 30, 640, 480);
    for (int f = 1; f <= 10; ++f) updateSeeds(w, f);
    EXPECT_EQ(s.absorbed, 110);
    EXPECT_EQ(s.angle, -10);
    EXPECT_NEAR(s.vx, 3.3f * tableCos(w.math, 120), 1e-5);
    EXPECT_NEAR(s.vy, 3.3f * tableSin(w.math, 120), 1e-5);
    EXPECT_EQ(s.charge, 0);    // it never ages
}

TEST_F(SeedTest, ADriftingFireSeedDrawsItsTurnRateBeforeItsCountdown) {
    WorldObject& s = addSeedOf(109, 30, 640, 480);
    s.angle = 10;
    const GeneratorSnapshot before = takeSnapshot(w);
    updateSeeds(w, 1);
    MathTables m = replay(before);
    const int rate = static_cast<int>(randomInt(m, 3)) - 1;
    const int countdown = static_cast<int>(randomInt(m, 30));
    EXPECT_EQ(s.absorbed, rate);
    EXPECT_EQ(s.alpha, countdown - 1);
    EXPECT_EQ(s.angle, 10 + rate);
    EXPECT_NEAR(s.vx, 3.0f * tableCos(m, 100 + rate), 1e-5);
    EXPECT_NEAR(s.vy, 3.0f * tableSin(m, 100 + rate), 1e-5);
    EXPECT_EQ(s.charge, 1);
    EXPECT_EQ(m.randomState, w.math.randomState);
}

TEST_F(SeedTest, HatchedSeedsAreAThirdOfTheLife) {
    hatchFrom(300, 0);
    ASSERT_EQ(w.seeds.count, 3);
    EXPECT_EQ(w.seeds.head->next->size, 100);
    resetPool(w.seeds, true);
    hatchFrom(200, 0);
    EXPECT_EQ(w.seeds.head->next->size, 66);
}

TEST_F(SeedTest, TheMedianElementAndTheClockChooseTheSeedKind) {
    fillField({20, 5, 9, 9, 0});
    ASSERT_EQ(w.objects.kindRanking[2], soil);
    const int expected[] = {103, 108, 103, 108};
    const int elapsed[] = {9, 10, 29, 30};
    for (int i = 0; i < 4; ++i) {
        resetPool(w.seeds, true);
        hatchFrom(150, elapsed[i]);
        const auto seeds = activeRecords(w.seeds);
        ASSERT_EQ(seeds.size(), 3u);
        for (WorldObject* s : seeds) EXPECT_EQ(s->kind, expected[i]) << "elapsed " << elapsed[i];
    }
}

TEST_F(SeedTest, HatchingDrawsColourThenAngleThenColumn) {
    fillField({5, 9, 0, 0, 9});  // median aqua
    ASSERT_EQ(w.objects.kindRanking[2], aqua);
    const GeneratorSnapshot before = takeSnapshot(w);
    hatchFrom(300, 0);
    MathTables m = replay(before);
    for (WorldObject* s : activeRecords(w.seeds)) {
        EXPECT_EQ(s->kind, 100);
        EXPECT_EQ(s->red, 50 + static_cast<int>(nextRandom(m) % 90u));
        EXPECT_EQ(s->green, 50 + static_cast<int>(nextRandom(m) % 60u));
        EXPECT_EQ(s->blue, 50 + static_cast<int>(nextRandom(m) % 30u));
        const int theta = static_cast<int>(nextRandom(m) % 360u);
        EXPECT_EQ(s->angle, theta);
        EXPECT_EQ(s->cellX, 400 + 150 * static_cast<int>(nextRandom(m) % 3u));
        EXPECT_NEAR(s->vx, 4.0f * tableCos(m, theta + 180), 1e-5);
        EXPECT_EQ(s->alpha, 0);
        EXPECT_EQ(s->charge, 0);
        EXPECT_EQ(s->launchTimer, 5);
    }
}

TEST_F(SeedTest, StillSeedsStartMotionlessSpreadAlongTheirOwnDirections) {
    fillField({0, 5, 9, 9, 0});  // median leaf
    ASSERT_EQ(w.objects.kindRanking[2], leaf);
    hatchFrom(300, 15);
    const auto seeds = activeRecords(w.seeds);
    ASSERT_EQ(seeds.size(), 3u);
    float x = 640.0f, y = 480.0f;
    for (WorldObject* s : seeds) {
        EXPECT_EQ(s->kind, 106);
        EXPECT_FLOAT_EQ(s->vx, 0.0f);
        EXPECT_FLOAT_EQ(s->vy, 0.0f);
        x += 75.0f * tableCos(w.math, s->angle);
        y += 75.0f * tableSin(w.math, s->angle);
        EXPECT_NEAR(s->x, x, 1e-3);
        EXPECT_NEAR(s->y, y, 1e-3);
    }
}
