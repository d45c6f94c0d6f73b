// The pair pass and the meeting rules. The pass's cases run on every pair path this processor
// has: each must meet the same pairs in the same order as the chain walk.
#include "world_test_support.h"

using CollisionTest = WorldTest;

class PairPassTest : public WorldTest, public ::testing::WithParamInterface<PairPath> {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        if (!pairPathAvailable(GetParam())) GTEST_SKIP() << "this processor has no such path";
        w.grid.pairPath = GetParam();
    }
};

INSTANTIATE_TEST_SUITE_P(EveryPath, PairPassTest,
                         ::testing::Values(PairPath::scalar, PairPath::sse2, PairPath::avx2),
                         [](const ::testing::TestParamInfo<PairPath>& info) {
                             return std::string(pairPathName(info.param));
                         });

TEST_P(PairPassTest, TouchingAquasMergeIntoTheRootOfTheirSquaresCappedAt300) {
    WorldObject& a = add(aqua, 200, 500, 500);
    WorldObject& b = add(aqua, 200, 510, 500);
    collideObjects(w, 1);
    // The newest entry heads its cell, so b acts first and merges into a; b leaves at the end
    // of the frame and the second test of the pair is skipped.
    EXPECT_TRUE(b.dying);
    EXPECT_EQ(b.fadeTimer, 0);
    EXPECT_EQ(a.size, 282);
    EXPECT_FLOAT_EQ(a.x, 505.0f);
    EXPECT_EQ(a.launchTimer, 10);
    EXPECT_EQ(w.pairTests, 1);
    EXPECT_EQ(effectsPlayed(kSlotAqua), 1);

    WorldObject& c = add(aqua, 250, 800, 500);
    WorldObject& d = add(aqua, 250, 800, 500);
    const GeneratorSnapshot before = takeSnapshot(w);
    interact(w, c, d, 1);
    MathTables m = replay(before);
    EXPECT_EQ(d.size, 300);
    EXPECT_FLOAT_EQ(d.vx, randomFloat(m, 1.4f) - 0.7f);  // the first draw is vx
    EXPECT_FLOAT_EQ(d.vy, randomFloat(m, 1.4f) - 0.7f);
}

TEST_P(PairPassTest, PairCountIncludesMissesAndExcludesDyingObjects) {
    add(leaf, 20, 300, 300);
    add(leaf, 20, 350, 350);  // same cell, far apart: tested as (a, b) and as (b, a)
    collideObjects(w, 1);
    EXPECT_EQ(w.pairTests, 2);
    add(leaf, 20, 320, 320).dying = true;
    collideObjects(w, 1);
    EXPECT_EQ(w.pairTests, 2);
}

TEST_P(PairPassTest, APairThatMeetsOnlyThroughAThirdCellIsNotTested) {
    // The metal starts in cell (2, 1) and spans right and down; the leaf starts in (1, 2).
    WorldObject& piece = add(metal, 400, 390, 190);
    WorldObject& l = add(leaf, 400, 290, 310);
    collideObjects(w, 2);
    EXPECT_EQ(w.pairTests, 0);
    EXPECT_EQ(l.charge, 0);

    l.x = 300;  // now it starts in (2, 2), below the metal's cell
    collideObjects(w, 2);
    EXPECT_EQ(w.pairTests, 1);
    EXPECT_EQ(l.charge, 10);
    EXPECT_EQ(piece.charge, 4);
    EXPECT_TRUE(l.touched);
}

TEST_P(PairPassTest, ASpanningObjectMeetsTheCellBelowFirstThenRightThenDiagonal) {
    // The large drop starts in cell (2, 2) and reaches into (3, 3); the others start in the cells
    // below, to the right and diagonally, all within its reach. It merges into the first one
    // it is tested with and takes part in nothing more.
    WorldObject& big = add(aqua, 280, 390, 390);
    WorldObject& right = add(aqua, 200, 451, 390);
    WorldObject& diagonal = add(aqua, 200, 451, 451);
    WorldObject& below = add(aqua, 200, 390, 451);
    collideObjects(w, 1);
    EXPECT_TRUE(big.dying);
    EXPECT_EQ(below.size, 300);
    EXPECT_FLOAT_EQ(below.y, 420.5f);
    // The right drop spans down into the diagonal's cell and merges into it.
    EXPECT_TRUE(right.dying);
    EXPECT_EQ(diagonal.size, 282);
    // big-below, right-diagonal, below-diagonal (launching, so no meeting)
    EXPECT_EQ(w.pairTests, 3);
    EXPECT_EQ(effectsPlayed(kSlotAqua), 2);
}

TEST_P(PairPassTest, AnObjectThatGrowsInAMeetingReachesTheNextObjectOfTheSameTurn) {
    // Added far, near, life: the chain puts the life first, then the near metal, then the far one.
    // The far metal is just beyond a life of 100 and within a life of 101, so the life's bite of
    // the near metal lets it bite the far one in the same turn; on its own turn, the far metal is
    // bitten again.
    WorldObject& far = add(metal, 100, 540.1f, 500);
    WorldObject& near = add(metal, 100, 500, 510);
    WorldObject& cell = add(life, 100, 500, 500);
    collideObjects(w, 2);
    EXPECT_EQ(far.size, 98);
    EXPECT_EQ(near.size, 98);   // bitten by the life's turn and by its own
    EXPECT_EQ(cell.size, 104);
    EXPECT_EQ(w.pairTests, 6);
}

TEST_P(PairPassTest, ASproutThatGrowsByTenInOneTurnReachesALeafItsFirstSizeDidNot) {
    // Chain order: the sprout, ten leaves where it stands, then one leaf 63.5 away, which a sprout
    // of 110 reaches ((110 + 40) x 0.85 / 2 = 63.75) and one of 109 does not. The sprout eats the
    // ten (growing by one each) and then the far one, in its own turn; each leaf's own turn is
    // another bite, which leaves the far one too small to live.
    WorldObject& far = add(leaf, 40, 563.5f, 500);
    for (int i = 0; i < 10; ++i) add(leaf, 40, 500, 500);
    WorldObject& s = add(sprout, 100, 500, 500);
    collideObjects(w, 1);
    EXPECT_EQ(s.size, 122);
    EXPECT_EQ(far.size, 24);
    EXPECT_TRUE(far.dying);
    EXPECT_FLOAT_EQ(far.x, 543.5f);   // pulled by 10 with each bite
}

TEST_P(PairPassTest, AnObjectThatDiesInAMeetingIsTestedNoFurtherAndItsLaterPairsAreNotCounted) {
    // Chain order a, b, c: a merges into b and dies; a-c is neither tested nor counted. b, now
    // launching, and c touch but do not meet; c is tested against b only.
    WorldObject& c = add(aqua, 100, 520, 500);
    WorldObject& b = add(aqua, 100, 510, 500);
    WorldObject& a = add(aqua, 100, 500, 500);
    collideObjects(w, 1);
    EXPECT_TRUE(a.dying);
    EXPECT_EQ(b.size, 141);
    EXPECT_EQ(b.launchTimer, 10);
    EXPECT_EQ(c.size, 100);
    EXPECT_EQ(w.pairTests, 3);
}

TEST_P(PairPassTest, ACellOfMoreThanSixtyFourObjectsMeetsInChainOrderAcrossItsRuns) {
    // 150 small metals, all touching, in one cell: every pair is tested twice, as (a, b) and as
    // (b, a), and each test charges both ways, so each metal gains 2 x (4 + 10) from each other.
    for (int i = 0; i < 150; ++i) {
        add(metal, 40, 500.0f + 0.5f * static_cast<float>(i % 10), 500.0f + 0.5f * static_cast<float>(i / 10));
    }
    collideObjects(w, 1);
    EXPECT_EQ(w.pairTests, 150 * 149);
    for (WorldObject* m : objectsOfKind(metal)) EXPECT_EQ(m->charge, 149 * 28) << "metal " << m->serial;
}

namespace {

// What the pair pass keeps a copy of.
struct PairTestView {
    float x, y;
    int size, kind;
    bool dying, launching;
    bool operator==(const PairTestView&) const = default;
};

PairTestView viewOf(const WorldObject& o) { return {o.x, o.y, o.size, o.kind, o.dying, o.launchTimer > 0}; }

}  // namespace

TEST_F(CollisionTest, EveryMeetingReportsWhatItChangedAndKindsWithoutARuleChangeNothing) {
    // Every ordered pair of kinds, at sizes around each rule's limits, dry, half-full and full of
    // water or heat, on frames of each parity: a change the report leaves out would leave the
    // pair pass testing a stale copy, and a rule its kind table leaves out would never be met.
    const int kinds[] = {aqua, leaf, flare, soil, metal, life, dream, aquaFlower, leafFlower,
                         flareFlower, soilFlower, metalFlower, sprout, bud};
    const int sizes[] = {32, 150, 210, 299};
    const int absorbed[] = {0, 60, 100};
    int meetings = 0;
    for (int actorKind : kinds) {
        for (int targetKind : kinds) {
            for (int size : sizes) {
                for (int water : absorbed) {
                    for (int frame = 1; frame <= 4; ++frame) {
                        resetPlay(w);
                        WorldObject& actor = add(actorKind, size, 500, 500);
                        WorldObject& target = add(targetKind, 330 - size, 520, 505);
                        actor.absorbed = target.absorbed = water;
                        const PairTestView actorBefore = viewOf(actor), targetBefore = viewOf(target);
                        const uint64_t worldBefore = worldDigest(w);
                        const MeetingChange change = interact(w, actor, target, frame);
                        const std::string where = "kinds " + std::to_string(actorKind) + " on " +
                                                  std::to_string(targetKind) + ", size " + std::to_string(size) +
                                                  ", absorbed " + std::to_string(water) + ", frame " +
                                                  std::to_string(frame);
                        // The pass skips pairs of kinds no rule joins: they must change nothing.
                        if ((ruleTargets(actorKind) & (1u << targetKind)) == 0) {
                            EXPECT_EQ(worldDigest(w), worldBefore) << where;
                        }
                        if (!(viewOf(actor) == actorBefore)) {
                            EXPECT_TRUE(change & changedActor) << where;
                            ++meetings;
                        }
                        if (!(viewOf(target) == targetBefore)) {
                            EXPECT_TRUE(change & changedTarget) << where;
                            ++meetings;
                        }
                    }
                }
            }
        }
    }
    // The sweep reached the rules: many meetings changed what is tested.
    EXPECT_GT(meetings, 500);
}

TEST_F(CollisionTest, APairWhoseRuleBitsShareNoneChangesNothingWhenItMeets) {
    // The pair pass calls a side of a meeting only where the actor's acting bits and the target's
    // bits share one. Every ordered pair of kinds (and one beyond the table), on both sides of
    // each size a rule asks for, dry, half-full and full, launching or not, on frames of each
    // parity: a side left out must be one that changes nothing at all.
    const int kinds[] = {aqua, leaf, flare, soil, metal, life, dream, aquaFlower, leafFlower,
                         flareFlower, soilFlower, metalFlower, sprout, bud, 20};
    const int sizes[] = {32, 199, 200, 299, 300};
    const int absorbed[] = {0, 60, 100};
    int leftOut = 0, called = 0;
    for (int actorKind : kinds) {
        for (int targetKind : kinds) {
            for (int size : sizes) {
                for (int water : absorbed) {
                    for (int launch = 0; launch < 4; ++launch) {
                        for (int frame = 1; frame <= 2; ++frame) {
                            resetPlay(w);
                            WorldObject& actor = add(actorKind, size, 500, 500, 0, 0, launch & 1 ? 3 : 0);
                            WorldObject& target = add(targetKind, 500 - size, 520, 505, 0, 0, launch & 2 ? 3 : 0);
                            actor.absorbed = target.absorbed = water;
                            if ((actingBits(actor, frame) & targetBits(target)) != 0) {
                                ++called;
                                continue;
                            }
                            ++leftOut;
                            const uint64_t before = worldDigest(w);
                            interact(w, actor, target, frame);
                            EXPECT_EQ(worldDigest(w), before)
                                << "kinds " << actorKind << " on " << targetKind << ", sizes " << size << " and "
                                << 500 - size << ", absorbed " << water << ", launch " << launch << ", frame " << frame;
                        }
                    }
                }
            }
        }
    }
    // Both kinds of pair were met often: most are left out, and many are called.
    EXPECT_GT(leftOut, 20000);
    EXPECT_GT(called, 1000);
}

TEST_F(CollisionTest, LaunchingObjectsDoNotMeetButSproutsActWhileLaunching) {
    WorldObject& piece = add(metal, 100, 500, 500, 0, 0, 3);
    WorldObject& l = add(leaf, 100, 500, 500);
    interact(w, piece, l, 2);
    EXPECT_EQ(l.charge, 0);
    piece.launchTimer = 0;
    l.launchTimer = 1;
    interact(w, piece, l, 2);
    EXPECT_EQ(l.charge, 0);

    WorldObject& s = add(sprout, 100, 200, 200, 0, 0, 5);
    WorldObject& food = add(soil, 100, 220, 200);
    interact(w, s, food, 1);
    EXPECT_EQ(food.size, 92);
}

TEST_F(CollisionTest, SoilDrinksWaterByItsSizeAndAlwaysGainsTen) {
    WorldObject& clod = add(soil, 60, 500, 500);
    WorldObject& drop = add(aqua, 100, 520, 500);
    interact(w, clod, drop, 1);
    EXPECT_EQ(drop.size, 100);  // 60 x 0.015 truncates to 0
    EXPECT_EQ(clod.absorbed, 10);
    EXPECT_FLOAT_EQ(drop.x, 516.0f);  // pulled by 4

    WorldObject& bigClod = add(soil, 200, 700, 500);
    bigClod.absorbed = 95;
    WorldObject& small = add(aqua, 32, 700, 500);
    interact(w, bigClod, small, 1);
    EXPECT_EQ(small.size, 29);
    EXPECT_TRUE(small.dying);
    EXPECT_EQ(bigClod.absorbed, 100);
}

TEST_F(CollisionTest, MetalChargesOnlyAquasOf200AndMore) {
    WorldObject& piece = add(metal, 100, 500, 500);
    WorldObject& small = add(aqua, 150, 500, 500);
    WorldObject& big = add(aqua, 200, 500, 500);
    interact(w, piece, small, 2);
    EXPECT_EQ(small.charge, 0);
    EXPECT_EQ(piece.charge, 0);
    interact(w, piece, big, 3);
    EXPECT_EQ(big.charge, 10);
    EXPECT_EQ(piece.charge, 4);
    EXPECT_FALSE(big.touched);  // glows on even frames only
}

TEST_F(CollisionTest, MetalMeltsFlaresUntilItIsFullOfHeat) {
    WorldObject& piece = add(metal, 100, 500, 500);
    WorldObject& fire = add(flare, 40, 510, 500);
    piece.absorbed = 90;
    interact(w, piece, fire, 1);
    EXPECT_EQ(fire.size, 35);
    EXPECT_EQ(piece.absorbed, 100);
    interact(w, piece, fire, 1);
    EXPECT_EQ(fire.size, 35);  // not melted at 100
    EXPECT_FALSE(fire.dying);
}

TEST_F(CollisionTest, WetSoilAndHotMetalGiveLife) {
    WorldObject& clod = add(soil, 100, 400, 500);
    WorldObject& piece = add(metal, 201, 500, 500);
    clod.absorbed = piece.absorbed = 100;
    const GeneratorSnapshot before = takeSnapshot(w);
    interact(w, clod, piece, 1);
    MathTables m = replay(before);
    EXPECT_TRUE(clod.dying);
    EXPECT_TRUE(piece.dying);
    EXPECT_EQ(clod.fadeTimer, 8);
    const auto lives = objectsOfKind(life);
    ASSERT_EQ(lives.size(), 1u);
    EXPECT_EQ(lives[0]->size, 150);
    EXPECT_FLOAT_EQ(lives[0]->x, 450.0f);
    EXPECT_FLOAT_EQ(lives[0]->vy, randomFloat(m, 1.0f) - 0.5f);  // the first draw is vy
    EXPECT_FLOAT_EQ(lives[0]->vx, randomFloat(m, 1.0f) - 0.5f);
    EXPECT_EQ(effectsPlayed(kSlotLife), 1);
}

TEST_F(CollisionTest, FireBurnsLeavesIntoFlaresAndSoil) {
    WorldObject& fire = add(flare, 40, 500, 500);
    WorldObject& l = add(leaf, 100, 500, 500);
    interact(w, fire, l, 1);
    EXPECT_TRUE(l.dying);
    EXPECT_EQ(l.fadeTimer, 0);
    EXPECT_EQ(objectsOfKind(flare).size(), 4u);
    ASSERT_EQ(objectsOfKind(soil).size(), 1u);
    EXPECT_EQ(objectsOfKind(soil)[0]->size, 80);
}

TEST_F(CollisionTest, LeavesDrinkOnEvenFramesAndSproutCloversOnWetSoil) {
    WorldObject& l = add(leaf, 100, 500, 500);
    WorldObject& drop = add(aqua, 100, 540, 500);
    interact(w, l, drop, 1);
    EXPECT_EQ(drop.size, 100);
    interact(w, l, drop, 2);
    EXPECT_EQ(drop.size, 99);
    EXPECT_EQ(l.size, 100);
    interact(w, l, drop, 4);
    EXPECT_EQ(l.size, 101);
    EXPECT_FLOAT_EQ(drop.x, 538.0f);

    WorldObject& wet = add(soil, 100, 300, 300);
    wet.absorbed = 51;
    interact(w, l, wet, 1);
    EXPECT_EQ(wet.size, 70);
    EXPECT_FALSE(wet.dying);
    WorldObject& clover = *newestRecord(w.objects);
    EXPECT_EQ(clover.kind, leaf);
    EXPECT_TRUE(clover.clover);
    EXPECT_EQ(clover.size, 90);
    EXPECT_EQ(clover.launchTimer, 30);
}

TEST_F(CollisionTest, SoilsMergeAndShareWhatTheyAbsorbed) {
    WorldObject& a = add(soil, 120, 500, 500);
    WorldObject& b = add(soil, 160, 520, 500);
    a.absorbed = 30;
    b.absorbed = 61;
    interact(w, a, b, 1);
    EXPECT_TRUE(a.dying);
    EXPECT_EQ(a.fadeTimer, 8);
    EXPECT_EQ(b.size, 200);
    EXPECT_EQ(b.absorbed, 45);
    EXPECT_EQ(b.launchTimer, 0);
}

TEST_F(CollisionTest, LifeEatsOnEvenFramesAndBurstsWhenItMeetsADream) {
    WorldObject& cell = add(life, 100, 500, 500);
    WorldObject& food = add(metal, 30, 500, 500);
    interact(w, cell, food, 1);
    EXPECT_EQ(food.size, 30);
    interact(w, cell, food, 2);
    EXPECT_EQ(food.size, 29);
    EXPECT_TRUE(food.dying);
    EXPECT_EQ(cell.size, 101);
    WorldObject& d = add(dream, 50, 500, 500);
    interact(w, cell, d, 1);
    EXPECT_EQ(cell.charge, 300);
}

TEST_F(CollisionTest, ASproutOf299ThatBitesBecomesABudInTheSameCall) {
    WorldObject& s = add(sprout, 299, 500, 500);
    s.charge = 50;
    WorldObject& food = add(flare, 37, 560, 500);
    interact(w, s, food, 1);
    EXPECT_EQ(food.size, 29);
    EXPECT_TRUE(food.dying);
    EXPECT_EQ(s.kind, bud);
    EXPECT_EQ(s.size, 300);
    EXPECT_EQ(s.charge, 0);
    EXPECT_EQ(s.content, flare);
    EXPECT_EQ(s.launchTimer, 10);
    EXPECT_EQ(w.score, 58);
    EXPECT_FLOAT_EQ(food.x, 550.0f);
    EXPECT_EQ(effectsPlayed(kSlotLife), 1);

    WorldObject& food2 = add(soil, 100, 500, 500);
    s.launchTimer = 0;
    interact(w, s, food2, 1);  // a bud eats but no longer grows
    EXPECT_EQ(s.size, 300);
    EXPECT_EQ(food2.size, 92);
    EXPECT_EQ(s.launchTimer, 7);
}

TEST_F(CollisionTest, AnAquaFlowerQuenchesAFlareIntoSprayAndARing) {
    WorldObject& f = add(aquaFlower, 200, 500, 500);
    WorldObject& fire = add(flare, 100, 520, 500);
    interact(w, f, fire, 1);
    EXPECT_EQ(f.size, 199);
    EXPECT_EQ(f.launchTimer, 10);
    EXPECT_TRUE(fire.dying);
    const auto drops = objectsOfKind(aqua);
    ASSERT_EQ(drops.size(), 9u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(drops[i]->size, 66);   // 100 x 100 / 150
    for (int i = 3; i < 9; ++i) {
        EXPECT_EQ(drops[i]->size, 80);
        EXPECT_FLOAT_EQ(drops[i]->x, 500.0f);
    }

    WorldObject& f2 = add(aquaFlower, 150, 900, 500);
    WorldObject& spark = add(flare, 80, 900, 500);
    interact(w, f2, spark, 1);
    EXPECT_TRUE(f2.dying);
    EXPECT_EQ(objectsOfKind(aqua).size(), 12u);  // 0.8 x 80 = 64: no ring
}

TEST_F(CollisionTest, ALeafFlowerTurnsLargeDropsIntoTwoLeaves) {
    WorldObject& f = add(leafFlower, 250, 500, 500);
    WorldObject& drop = add(aqua, 100, 520, 500);
    const GeneratorSnapshot before = takeSnapshot(w);
    interact(w, f, drop, 1);
    MathTables m = replay(before);
    const int r = static_cast<int>(randomInt(m, 360));
    EXPECT_EQ(f.size, 249);
    EXPECT_TRUE(drop.dying);
    const auto leaves = objectsOfKind(leaf);
    ASSERT_EQ(leaves.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        const bool clover = nextRandom(m) % 100u < 70u;
        EXPECT_EQ(leaves[i]->size, 70);
        EXPECT_EQ(leaves[i]->angle, r - 90 + 10 * i);
        EXPECT_EQ(leaves[i]->clover, clover);
        EXPECT_NEAR(leaves[i]->x, 500.0f + 14.0f * 0.9f * tableCos(m, r + 20 * i), 1e-3);
    }
}

TEST_F(CollisionTest, ASoilFlowerEatsMetalAndThrowsSoilBackThroughItself) {
    WorldObject& f = add(soilFlower, 180, 500, 500);
    WorldObject& piece = add(metal, 250, 600, 500);  // to the right: soil flies left
    interact(w, f, piece, 2);
    EXPECT_EQ(f.size, 179);
    EXPECT_TRUE(f.dying);
    EXPECT_EQ(piece.charge, 4);
    EXPECT_TRUE(piece.touched);
    const auto soils = objectsOfKind(soil);
    ASSERT_EQ(soils.size(), 1u);
    EXPECT_EQ(soils[0]->size, 150);
    EXPECT_LT(soils[0]->vx, -5.9f);
    EXPECT_EQ(soils[0]->launchTimer, 5);
}

TEST_F(CollisionTest, AMetalFlowerChargesElementsButNotFlaresOrSmallDrops) {
    WorldObject& f = add(metalFlower, 250, 500, 500);
    WorldObject& l = add(leaf, 50, 500, 500);
    WorldObject& fire = add(flare, 50, 500, 500);
    WorldObject& drop = add(aqua, 199, 500, 500);
    for (WorldObject* t : {&l, &fire, &drop}) interact(w, f, *t, 2);
    EXPECT_EQ(l.charge, 10);
    EXPECT_TRUE(l.touched);
    EXPECT_EQ(fire.charge, 0);
    EXPECT_EQ(drop.charge, 0);
}
