// The per-frame object step: motion, margins, each kind's behaviour, splitting and fading.
#include "world_test_support.h"

using ObjectStepTest = WorldTest;

TEST_F(ObjectStepTest, AnObjectOnTheMarginStaysAndOneBeyondItIsRemoved) {
    // size 30: a third is 10; size 2: no margin at all
    WorldObject& onLeft = add(leaf, 30, -10, 500);
    WorldObject& onRight = add(leaf, 30, 1290, 500);
    WorldObject& onBottom = add(leaf, 30, 600, 970);
    WorldObject& small = add(leaf, 2, 0, 0);
    WorldObject& pastLeft = add(leaf, 30, -11, 500);
    WorldObject& pastTop = add(leaf, 30, 600, -11);
    WorldObject& smallPast = add(leaf, 2, 1281, 10);
    updateObjects(w, 1);
    EXPECT_TRUE(onLeft.active);
    EXPECT_TRUE(onRight.active);
    EXPECT_TRUE(onBottom.active);
    EXPECT_TRUE(small.active);
    EXPECT_FALSE(pastLeft.active);
    EXPECT_FALSE(pastTop.active);
    EXPECT_FALSE(smallPast.active);
    EXPECT_EQ(w.objects.count, 4);
    EXPECT_EQ(w.objects.liveByKind[leaf], 4);
}

TEST_F(ObjectStepTest, LaunchSpeedsAFreshObjectUpAndRunsDown) {
    WorldObject& o = add(leaf, 50, 500, 500, 1.0f, -2.0f, 10);
    updateObjects(w, 1);
    EXPECT_FLOAT_EQ(o.x, 503.5f);
    EXPECT_FLOAT_EQ(o.y, 493.0f);
    EXPECT_EQ(o.launchTimer, 9);
    for (int f = 2; f <= 12; ++f) updateObjects(w, f);
    EXPECT_EQ(o.launchTimer, 0);
    const float x = o.x;
    updateObjects(w, 13);
    EXPECT_FLOAT_EQ(o.x, x + 1.0f);
}

TEST_F(ObjectStepTest, ALargeLifeSplitsIntoTwoHalvesOnce) {
    for (int size : {300, 301}) {
        resetPool(w.objects, true);
        platform::headless::clearAudioEvents();
        clearLimiter(w.soundLimiter);
        WorldObject& parent = add(life, size, 500, 500);
        updateObjects(w, 1);
        EXPECT_TRUE(parent.dying);
        EXPECT_EQ(parent.fadeTimer, 8);
        auto children = objectsOfKind(life);
        ASSERT_EQ(children.size(), 3u);
        int halves = 0;
        for (WorldObject* c : children) {
            if (c == &parent) continue;
            EXPECT_EQ(c->size, 150);
            EXPECT_EQ(c->launchTimer, 9);  // they took their first step in the same walk
            halves += 1;
        }
        EXPECT_EQ(halves, 2);
        EXPECT_EQ(effectsPlayed(kSlotLife), 1);

        // Fading, it stays at 300 and does not split again.
        updateObjects(w, 2);
        EXPECT_EQ(objectsOfKind(life).size(), 3u);
    }
}

TEST_F(ObjectStepTest, LifeChildrenDrawTheirVerticalSpeedFirst) {
    WorldObject& parent = add(life, 200, 300, 400);
    const GeneratorSnapshot before = takeSnapshot(w);
    spawnLifeChild(w, parent, 77);
    const WorldObject child = *newestRecord(w.objects);
    MathTables m = replay(before);
    const float vy = randomFloat(m, 1.0f) - 0.5f;
    const float vx = randomFloat(m, 1.0f) - 0.5f;
    EXPECT_EQ(child.size, 77);
    EXPECT_FLOAT_EQ(child.vy, vy);
    EXPECT_FLOAT_EQ(child.vx, vx);
    EXPECT_EQ(child.launchTimer, 10);
    EXPECT_EQ(m.randomState, w.math.randomState);
}

TEST_F(ObjectStepTest, ARecordMovedToTheBackDuringTheWalkTakesASecondStep) {
    WorldObject& splitter = add(life, 300, 500, 500, 1.0f, 0.0f);
    WorldObject& other = add(leaf, 30, 100, 100);
    updateObjects(w, 1);
    // The splitter moved behind the leaf and was walked again: two moves, two timer ticks.
    EXPECT_FLOAT_EQ(splitter.x, 502.0f);
    EXPECT_EQ(splitter.fadeTimer, 7);
    const auto order = activeRecords(w.objects);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], &other);
    EXPECT_EQ(order[1], &splitter);
}

TEST_F(ObjectStepTest, FlaresShrinkByTwoAndGoAtTenOrLess) {
    WorldObject& eleven = add(flare, 11, 500, 500, 1.0f, 0.0f);
    WorldObject& twelve = add(flare, 12, 500, 500);
    WorldObject& thirteen = add(flare, 13, 500, 500, 1.0f, 0.0f);
    updateObjects(w, 1);
    EXPECT_FALSE(eleven.active);
    EXPECT_FALSE(twelve.active);
    ASSERT_TRUE(thirteen.active);
    EXPECT_EQ(thirteen.size, 11);
    EXPECT_EQ(thirteen.angle, 8);
    EXPECT_FLOAT_EQ(thirteen.vx, 0.99f);
    EXPECT_FALSE(thirteen.dying);   // removed at once, never fading
    EXPECT_EQ(w.objects.liveByKind[flare], 1);
}

TEST_F(ObjectStepTest, DreamsShrinkOnEvenFramesAndGoAtTen) {
    WorldObject& d = add(dream, 12, 500, 500);
    updateObjects(w, 1);
    EXPECT_EQ(d.size, 12);
    EXPECT_EQ(d.angle, -8);
    updateObjects(w, 2);
    EXPECT_EQ(d.size, 11);
    updateObjects(w, 3);
    updateObjects(w, 4);
    EXPECT_FALSE(d.active);
}

TEST_F(ObjectStepTest, ElementsShowWhatTheyAbsorbed) {
    WorldObject& bigDrop = add(aqua, 201, 500, 500);
    WorldObject& drop = add(aqua, 200, 500, 500);
    WorldObject& clod = add(soil, 50, 500, 500);
    WorldObject& piece = add(metal, 50, 500, 500);
    clod.absorbed = 40;
    piece.absorbed = 30;
    updateObjects(w, 1);
    EXPECT_EQ(bigDrop.alpha, 205);
    EXPECT_EQ(drop.alpha, 90);
    EXPECT_EQ(clod.green, 90);
    EXPECT_EQ(clod.blue, 80);
    EXPECT_EQ(clod.angle, 4);
    EXPECT_EQ(piece.green, 195);
    EXPECT_EQ(piece.blue, 195);
    EXPECT_EQ(piece.angle, -4);
}

TEST_F(ObjectStepTest, AnAquaFlowerThatShrinksBelow150StillSpraysItsLastRing) {
    WorldObject& flower = add(aquaFlower, 150, 600, 500);
    updateObjects(w, 59);
    EXPECT_EQ(flower.size, 150);
    EXPECT_EQ(objectsOfKind(aqua).size(), 0u);
    updateObjects(w, 60);
    EXPECT_EQ(flower.size, 149);
    EXPECT_TRUE(flower.dying);
    EXPECT_EQ(flower.fadeTimer, 0);
    const auto drops = objectsOfKind(aqua);
    ASSERT_EQ(drops.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(drops[i]->size, 80);
        EXPECT_EQ(drops[i]->alpha, 90);
        EXPECT_EQ(drops[i]->launchTimer, 9);  // stepped already: 5 times its velocity
        EXPECT_NEAR(drops[i]->vx, 4.0f * tableCos(w.math, 60 * i), 1e-6);
        EXPECT_NEAR(drops[i]->vy, 4.0f * tableSin(w.math, 60 * i), 1e-6);
    }
    EXPECT_NEAR(drops[0]->x, 620.0f, 1e-3);
    removeFadedRecords(w.objects);
    EXPECT_FALSE(flower.active);
    EXPECT_EQ(w.objects.count, 6);
}

TEST_F(ObjectStepTest, FlowersAreBrakedAndTheFireFlowerShedsFlaresOnlyWhenSlow) {
    WorldObject& fast = add(flareFlower, 200, 400, 400, 0.3f, 0.0f);
    updateObjects(w, 8);
    EXPECT_FLOAT_EQ(fast.vx, 0.285f);
    EXPECT_NEAR(fast.x, 400.0f + 0.3f + 0.285f, 1e-4);  // launch motion, then once more after braking
    EXPECT_EQ(objectsOfKind(flare).size(), 0u);

    WorldObject& slow = add(flareFlower, 200, 800, 400, 0.1f, 0.0f);
    updateObjects(w, 16);
    const auto flares = objectsOfKind(flare);
    ASSERT_EQ(flares.size(), 1u);
    // Shed at half the flower's size against its motion, then stepped in the same walk.
    EXPECT_EQ(flares[0]->size, 100 - 2);
    EXPECT_FLOAT_EQ(flares[0]->vx, -4.0f * 0.99f);
    EXPECT_EQ(flares[0]->angle, slow.angle + 8);

    WorldObject& bud_ = add(bud, 100, 300, 300, 1.0f, 0.0f);
    updateObjects(w, 17);
    EXPECT_FLOAT_EQ(bud_.vx, 0.95f);
    EXPECT_EQ(bud_.angle, 0);
}
