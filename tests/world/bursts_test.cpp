// Bursts at charge 300, blooms at charge 1300, and the spawn operations they share.
#include "world_test_support.h"

#include <cmath>

#include "world/bursts.h"

class BurstTest : public WorldTest {
protected:
    // Bursts the object the way the walk does: with the pool's cursor just past it.
    void burstInWalk(WorldObject& o) {
        beginIteration(w.objects);
        while (nextRecord(w.objects) != &o) {}
        burstObject(w, o);
        if (o.active && !o.dying) bloomObject(w, o);
    }

    WorldObject& charged(int kind, int size, int charge) {
        WorldObject& o = add(kind, size, 600, 400);
        o.charge = charge;
        return o;
    }
};

TEST_F(BurstTest, NothingBurstsBelowCharge300) {
    WorldObject& o = charged(aqua, 100, 299);
    burstInWalk(o);
    EXPECT_FALSE(o.dying);
    EXPECT_EQ(w.objects.count, 1);
}

TEST_F(BurstTest, AnAquaBurstsIntoARingOfFiveLeavesSeventyTwoDegreesApart) {
    WorldObject& drop = charged(aqua, 100, 300);
    const GeneratorSnapshot before = takeSnapshot(w);
    burstInWalk(drop);
    MathTables m = replay(before);
    const int start = static_cast<int>(nextRandom(m) % 360u);
    EXPECT_TRUE(drop.dying);
    EXPECT_EQ(drop.fadeTimer, 8);
    EXPECT_EQ(drop.charge, 0);
    const auto leaves = objectsOfKind(leaf);
    ASSERT_EQ(leaves.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const int theta = start + 72 * i;
        EXPECT_EQ(leaves[i]->size, 45);
        EXPECT_EQ(leaves[i]->angle, theta - 90);
        EXPECT_EQ(leaves[i]->launchTimer, 10);
        EXPECT_NEAR(leaves[i]->vx, 0.15f * tableCos(m, theta), 1e-6);
        // nudged out by twice its size along its velocity
        EXPECT_NEAR(leaves[i]->x, 600.0f + 90.0f * leaves[i]->vx, 1e-3);
        EXPECT_NEAR(leaves[i]->y, 400.0f + 90.0f * leaves[i]->vy, 1e-3);
    }
    EXPECT_EQ(effectsPlayed(kSlotLeaf), 1);
    EXPECT_EQ(activeRecords(w.objects).back(), &drop);  // moved to the back to be drawn on top
}

TEST_F(BurstTest, ALeafBurstsIntoThreeFlaresAndLeavesNoFadingPicture) {
    WorldObject& l = charged(leaf, 100, 300);
    burstInWalk(l);
    EXPECT_FALSE(l.active);
    EXPECT_EQ(w.objects.liveByKind[leaf], 0);
    const auto flares = objectsOfKind(flare);
    ASSERT_EQ(flares.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(flares[i]->size, 90);
        EXPECT_EQ(flares[i]->launchTimer, 4);
        EXPECT_EQ(flares[i]->angle - flares[0]->angle, 120 * i);
        EXPECT_NEAR(flares[i]->x, 600.0f + 0.02f * 90 * flares[i]->vx, 1e-3);
    }
    EXPECT_EQ(effectsPlayed(kSlotFlare), 1);
}

TEST_F(BurstTest, SoilBurstsIntoMetalAndWetSoilAlsoDropsWater) {
    WorldObject& dry = charged(soil, 100, 300);
    dry.absorbed = 10;
    burstInWalk(dry);
    EXPECT_EQ(objectsOfKind(metal).size(), 3u);
    EXPECT_EQ(objectsOfKind(aqua).size(), 0u);
    EXPECT_EQ(objectsOfKind(metal)[0]->size, 65);
    EXPECT_EQ(effectsPlayed(kSlotMetal), 1);

    resetPool(w.objects, true);
    WorldObject& wet = charged(soil, 120, 300);
    wet.absorbed = 50;
    burstInWalk(wet);
    const auto drops = objectsOfKind(aqua);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0]->size, 120);
    EXPECT_FLOAT_EQ(drops[0]->x, 600.0f);  // not nudged
    EXPECT_FLOAT_EQ(drops[0]->y, 400.0f);

    resetPool(w.objects, true);
    WorldObject& big = charged(soil, 300, 300);
    big.absorbed = 100;
    burstInWalk(big);
    for (WorldObject* m : objectsOfKind(metal)) EXPECT_EQ(m->size, 170);
    EXPECT_EQ(objectsOfKind(aqua)[0]->size, 200);  // 300 x 2, capped
}

TEST_F(BurstTest, MetalBurstsIntoFourDropsAndHotMetalAddsAFlare) {
    WorldObject& cool = charged(metal, 100, 300);
    cool.absorbed = 10;
    const GeneratorSnapshot before = takeSnapshot(w);
    burstInWalk(cool);
    const auto drops = objectsOfKind(aqua);
    ASSERT_EQ(drops.size(), 4u);
    EXPECT_EQ(objectsOfKind(flare).size(), 0u);
    MathTables m = replay(before);
    for (WorldObject* d : drops) {
        const float vy = randomFloat(m, 1.4f) - 0.7f;  // the first of the two draws gives vy
        const float vx = randomFloat(m, 1.4f) - 0.7f;
        EXPECT_EQ(d->size, 80);
        EXPECT_FLOAT_EQ(d->vx, vx);
        EXPECT_FLOAT_EQ(d->vy, vy);
        EXPECT_NEAR(d->x, 600.0f + 40.0f * vx, 1e-3);
    }
    EXPECT_EQ(effectsPlayed(kSlotAqua), 1);

    resetPool(w.objects, true);
    WorldObject& hot = charged(metal, 100, 300);
    hot.absorbed = 11;
    burstInWalk(hot);
    EXPECT_EQ(objectsOfKind(aqua).size(), 4u);
    ASSERT_EQ(objectsOfKind(flare).size(), 1u);
    EXPECT_EQ(objectsOfKind(flare)[0]->size, 80);
}

TEST_F(BurstTest, LifeBurstsIntoThreeDreamsAndThreeSeeds) {
    WorldObject& cell = charged(life, 300, 300);
    burstInWalk(cell);
    const auto dreams = objectsOfKind(dream);
    ASSERT_EQ(dreams.size(), 3u);
    for (WorldObject* d : dreams) {
        EXPECT_EQ(d->size, 240);
        EXPECT_EQ(d->launchTimer, 13);
    }
    EXPECT_EQ(w.seeds.count, 3);
    EXPECT_EQ(w.seeds.head->next->size, 100);
    EXPECT_TRUE(cell.dying);
    EXPECT_EQ(effectsPlayed(kSlotDream), 1);
}

TEST_F(BurstTest, DreamsFlyOutFromOneStartAngleEachTurnedByADrawOfItsOwn) {
    WorldObject& cell = add(life, 250, 600, 400);
    const GeneratorSnapshot before = takeSnapshot(w);
    spawnDreams(w, cell);
    MathTables m = replay(before);
    const int start = static_cast<int>(nextRandom(m) % 360u);
    const auto dreams = objectsOfKind(dream);
    ASSERT_EQ(dreams.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        // the drawing angle of each dream is drawn after the start, in turn
        EXPECT_EQ(dreams[i]->angle, static_cast<int>(nextRandom(m) % 360u));
        EXPECT_EQ(dreams[i]->size, 200);
        EXPECT_NEAR(dreams[i]->vx, tableCos(m, start + 120 * i), 1e-6);
        EXPECT_NEAR(dreams[i]->vy, tableSin(m, start + 120 * i), 1e-6);
        EXPECT_FLOAT_EQ(dreams[i]->x, 600.0f);  // not nudged
    }
    EXPECT_EQ(m.randomState, w.math.randomState);
}

TEST_F(BurstTest, ABudOpensIntoTheFlowerOfWhatItAteLast) {
    WorldObject& leafy = charged(bud, 160, 300);
    leafy.content = leaf;
    burstInWalk(leafy);
    auto flowers = objectsOfKind(leafFlower);
    ASSERT_EQ(flowers.size(), 1u);
    EXPECT_EQ(flowers[0]->size, 230);
    EXPECT_EQ(flowers[0]->alpha, 255);
    EXPECT_TRUE(leafy.dying);
    EXPECT_EQ(effectsPlayed(kSlotOpen), 1);

    WorldObject& watery = charged(bud, 160, 300);
    burstInWalk(watery);
    flowers = objectsOfKind(aquaFlower);
    ASSERT_EQ(flowers.size(), 1u);
    EXPECT_EQ(flowers[0]->size, 160);
    EXPECT_EQ(flowers[0]->alpha, 205);

    WorldObject& metallic = charged(bud, 160, 300);
    metallic.content = metal;
    burstInWalk(metallic);
    EXPECT_EQ(objectsOfKind(metalFlower).size(), 1u);
}

TEST_F(BurstTest, FlowersKeepTheirChargeUntilTheyBloomAt1300) {
    WorldObject& f = charged(soilFlower, 200, 1299);
    burstInWalk(f);
    EXPECT_FALSE(f.dying);
    EXPECT_EQ(f.charge, 1299);
    EXPECT_EQ(w.objects.count, 1);
}

struct BloomCase {
    int flower;
    int ringKind;
    int ringSize;       // from a flower of size 250
    int ringCount;
    int launchTimer;
    int soundSlot;
};

TEST_F(BurstTest, EachFlowerBloomsIntoARingOfItsElement) {
    const BloomCase cases[] = {
        {aquaFlower, aqua, 250, 12, 17, kSlotAqua},  {leafFlower, leaf, 170, 12, 17, kSlotLeaf},
        {flareFlower, flare, 250, 8, 17, kSlotFlare}, {soilFlower, soil, 200, 12, 17, kSlotMetal},
        {metalFlower, metal, 200, 12, 17, kSlotMetal},
    };
    for (const BloomCase& c : cases) {
        SCOPED_TRACE(c.flower);
        resetPool(w.objects, true);
        clearLimiter(w.soundLimiter);
        platform::headless::clearAudioEvents();
        WorldObject& f = charged(c.flower, 250, 1300);
        burstInWalk(f);
        EXPECT_TRUE(f.dying);
        const auto ring = objectsOfKind(c.ringKind);
        ASSERT_EQ(static_cast<int>(ring.size()), c.ringCount);
        for (int i = 0; i < c.ringCount; ++i) {
            const int theta = i * 360 / c.ringCount;
            EXPECT_EQ(ring[i]->size, c.ringSize);
            EXPECT_EQ(ring[i]->launchTimer, c.launchTimer);
            const float speed = std::sqrt(ring[i]->vx * ring[i]->vx + ring[i]->vy * ring[i]->vy);
            EXPECT_NEAR(ring[i]->vx / speed, tableCos(w.math, theta), 1e-5);
            EXPECT_NEAR(ring[i]->vy / speed, tableSin(w.math, theta), 1e-5);
        }
        EXPECT_EQ(effectsPlayed(c.soundSlot), 1);
    }
}

TEST_F(BurstTest, TheFireFlowerAddsASecondRingOfSoilAndTheLeafFlowerDrawsItsClovers) {
    WorldObject& fire = charged(flareFlower, 250, 1300);
    burstInWalk(fire);
    const auto soils = objectsOfKind(soil);
    ASSERT_EQ(soils.size(), 8u);
    EXPECT_EQ(soils[0]->size, 125);
    EXPECT_EQ(soils[0]->launchTimer, 15);
    EXPECT_EQ(soils[0]->red, 100);
    EXPECT_NEAR(soils[1]->vx, tableCos(w.math, 67), 1e-6);

    resetPool(w.objects, true);
    WorldObject& leafy = charged(leafFlower, 250, 1300);
    const GeneratorSnapshot before = takeSnapshot(w);
    burstInWalk(leafy);
    MathTables m = replay(before);
    const auto leaves = objectsOfKind(leaf);
    ASSERT_EQ(leaves.size(), 12u);
    int clovers = 0;
    for (WorldObject* l : leaves) {
        EXPECT_EQ(l->clover, nextRandom(m) % 100u < 90u);
        clovers += l->clover;
    }
    EXPECT_GT(clovers, 0);
    EXPECT_EQ(m.randomState, w.math.randomState);
}

TEST_F(BurstTest, AFullPoolDropsTheSpawnsButTheSourceStillDiesAndSounds) {
    WorldObject& drop = charged(aqua, 100, 300);
    while (addObject(w.objects, leaf, 10, 10, 10, 0, 0, 0, 255, 255, 255, 255, 0, false)) {}
    burstInWalk(drop);
    EXPECT_TRUE(drop.dying);
    EXPECT_EQ(w.objects.count, kObjectCapacity);
    EXPECT_EQ(effectsPlayed(kSlotLeaf), 1);
    for (WorldObject* l : objectsOfKind(leaf)) EXPECT_FLOAT_EQ(l->x, 10.0f);  // nothing was nudged
}

TEST_F(BurstTest, SoilSpawnDrawsItsAngleThenTwoSpeedsTheSecondForVx) {
    WorldObject& src = add(leaf, 100, 300, 300);
    const GeneratorSnapshot before = takeSnapshot(w);
    spawnSoil(w, src);
    MathTables m = replay(before);
    const uint32_t r0 = nextRandom(m);
    const float d1 = randomFloat(m, 1.0f);
    const float d2 = randomFloat(m, 1.0f);
    const WorldObject& s = *newestRecord(w.objects);
    EXPECT_EQ(s.kind, soil);
    EXPECT_EQ(s.size, 80);
    EXPECT_EQ(s.angle, static_cast<int>(r0 % 360u));
    EXPECT_FLOAT_EQ(s.vx, d2 - 0.5f);
    EXPECT_FLOAT_EQ(s.vy, d1 - 0.5f);
    EXPECT_EQ(s.launchTimer, 0);
}
