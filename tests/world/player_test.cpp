// The cursor, the stroke and the player's mouse actions.
#include "play_test_support.h"
#include "world/play_clock.h"

class PlayerTest : public PlayTest {};

TEST_F(PlayerTest, CursorMapsThroughTheViewAtEveryZoom) {
    w.viewX = 320;
    w.viewY = 240;
    moveMouse(320, 100);
    EXPECT_EQ(w.cursorX, 640);
    EXPECT_EQ(w.cursorY, 340);

    // Fully zoomed out the whole field is in view, wherever the view stands.
    w.viewX = 500;
    w.viewY = 100;
    moveMouse(640, 480, 0.5f, 0.0f);
    EXPECT_EQ(w.cursorX, 1280);
    EXPECT_EQ(w.cursorY, 960);

    // Zoom 2: half the mouse distance, one and a half times the view.
    w.viewX = 100;
    w.viewY = 40;
    moveMouse(200, 100, 2.0f, 3.0f);
    EXPECT_EQ(w.cursorX, 250);
    EXPECT_EQ(w.cursorY, 110);

    moveMouse(-30, 700);
    EXPECT_EQ(w.mouseX, 0);
    EXPECT_EQ(w.mouseY, 480);
}

TEST_F(PlayerTest, StrokeGrowsWithHeldMovesIgnoresJitterAndResetsWithoutButtons) {
    placeCursor(50, 50);
    buttons(true, false);
    moveMouse(100, 100);
    EXPECT_EQ(w.stroke, 70);  // trunc(50 * sqrt 2)
    EXPECT_EQ(w.prevCursorX, 50);

    // Jitter of one or two units on both axes changes neither the previous cursor nor the stroke.
    moveMouse(102, 99);
    moveMouse(101, 101);
    EXPECT_EQ(w.cursorX, 101);
    EXPECT_EQ(w.prevCursorX, 50);
    EXPECT_EQ(w.prevCursorY, 50);
    EXPECT_EQ(w.stroke, 70);

    // A move of three counts, measured from where the cursor stood.
    moveMouse(104, 101);
    EXPECT_EQ(w.prevCursorX, 101);
    EXPECT_EQ(w.stroke, 73);

    moveMouse(600, 400);
    EXPECT_EQ(w.stroke, 200);

    buttons(false, false);
    moveMouse(500, 400);
    EXPECT_EQ(w.stroke, 0);
}

TEST_F(PlayerTest, ViewScrollsAtTheEdgesAndFollowsTheMouseWhenZoomedOut) {
    w.mouseX = 640;
    w.mouseY = 240;
    updateView(w, 1.0f);
    EXPECT_FLOAT_EQ(w.viewX, 330.0f);
    EXPECT_FLOAT_EQ(w.viewY, 240.0f);
    w.mouseX = 0;
    w.mouseY = 0;
    updateView(w, 2.0f);  // the speed is divided by the zoom before squaring
    EXPECT_FLOAT_EQ(w.viewX, 327.5f);
    EXPECT_FLOAT_EQ(w.viewY, 237.5f);
    w.mouseX = 600;
    w.mouseY = 10;
    updateView(w, 0.5f);
    EXPECT_FLOAT_EQ(w.viewX, 640.0f);  // (600 - 160) x 2 = 880, held at the edge
    EXPECT_FLOAT_EQ(w.viewY, 0.0f);
    w.endCounter = 1;
    w.mouseX = 0;
    updateView(w, 0.5f);
    EXPECT_FLOAT_EQ(w.viewX, 640.0f);
}

TEST_F(PlayerTest, SprayWithTwentyWaterLeftGoesNegativeAndTheNextWaitsForTheRefill) {
    placeCursor(400, 300);
    buttons(true, false);
    w.elapsedMs = 600;
    w.aquaReserve = 20;
    w.stroke = 150;
    const GeneratorSnapshot before = takeSnapshot(w);
    sprayAqua(w);
    MathTables m = replay(before);
    const int cost = static_cast<int>(randomInt(m, 100)) + 50;
    const float vy = randomFloat(m, 1.4f) - 0.7f;
    const float vx = randomFloat(m, 1.4f) - 0.7f;

    auto drops = objectsOfKind(aqua);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0]->size, cost);
    EXPECT_FLOAT_EQ(drops[0]->x, 400.0f);
    EXPECT_FLOAT_EQ(drops[0]->vx, vx);
    EXPECT_FLOAT_EQ(drops[0]->vy, vy);
    EXPECT_EQ(drops[0]->alpha, 90);
    EXPECT_EQ(drops[0]->launchTimer, 10);
    EXPECT_EQ(w.aquaReserve, 20 - cost);
    EXPECT_LT(w.aquaReserve, 0);
    EXPECT_EQ(w.stroke, 50);
    EXPECT_EQ(effectsPlayed(kSlotAqua), 1);

    w.stroke = 150;
    sprayAqua(w);
    EXPECT_EQ(objectsOfKind(aqua).size(), 1u);

    int frame = 0;
    while (w.aquaReserve <= 0) advanceClock(w, ++frame);
    sprayAqua(w);
    EXPECT_EQ(objectsOfKind(aqua).size(), 2u);
}

TEST_F(PlayerTest, NoSprayInTheFirstHalfSecondWhileHoldingAFlowerOrWithoutStroke) {
    placeCursor(400, 300);
    buttons(true, false);
    w.stroke = 150;
    w.elapsedMs = 499;
    sprayAqua(w);
    EXPECT_EQ(w.objects.count, 0);

    w.elapsedMs = 500;
    w.grabbed = &add(leafFlower, 300, 900, 800);
    sprayAqua(w);
    EXPECT_EQ(objectsOfKind(aqua).size(), 0u);

    w.grabbed = nullptr;
    w.stroke = 100;
    sprayAqua(w);
    EXPECT_EQ(objectsOfKind(aqua).size(), 0u);
    w.stroke = 101;
    sprayAqua(w);
    EXPECT_EQ(objectsOfKind(aqua).size(), 1u);
}

TEST_F(PlayerTest, AnAquaIsCutInTwoOnlyWhenLargerThanFiftyAndSettled) {
    placeCursor(380, 300);
    moveMouse(400, 300);  // moving right: the cut runs across, the halves fly up and down
    WorldObject& small = add(aqua, 50, 400, 300);
    WorldObject& flying = add(aqua, 120, 400, 300, 0, 0, 1);
    touchObjects(w);
    EXPECT_EQ(small.size, 50);
    EXPECT_EQ(flying.size, 120);
    EXPECT_EQ(w.objects.count, 2);

    resetPool(w.objects, true);
    WorldObject& drop = add(aqua, 100, 400, 300);
    touchObjects(w);
    auto halves = objectsOfKind(aqua);
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(drop.size, 70);
    EXPECT_EQ(halves[1]->size, 70);
    EXPECT_NEAR(drop.vy, 1.0f, 1e-6);
    EXPECT_NEAR(halves[1]->vy, -1.0f, 1e-6);
    EXPECT_FLOAT_EQ(drop.y, 317.5f);
    EXPECT_FLOAT_EQ(halves[1]->y, 300.0f);
    EXPECT_EQ(drop.launchTimer, 10);
    EXPECT_EQ(halves[1]->launchTimer, 10);
    EXPECT_EQ(effectsPlayed(kSlotAqua), 1);

    // Still flying, neither half is cut again.
    touchObjects(w);
    EXPECT_EQ(w.objects.count, 2);
}

TEST_F(PlayerTest, DreamsScoreWithTheComboAndTheFirstGivesASprout) {
    placeCursor(600, 400);
    WorldObject& first = add(dream, 100, 600, 400);
    const GeneratorSnapshot before = takeSnapshot(w);
    touchObjects(w);
    MathTables m = replay(before);
    const float sproutY = randomFloat(m, 810.0f) + 75.0f;
    const float sproutX = randomFloat(m, 1130.0f) + 75.0f;

    EXPECT_TRUE(first.dying);
    EXPECT_EQ(w.score, 550);  // 5.5 x size
    EXPECT_EQ(w.lastDreamPoints, 550);
    EXPECT_EQ(w.dreamsCollected, 1);
    EXPECT_EQ(w.comboTimer, 90);
    EXPECT_EQ(w.nextBonusAt, 20);
    auto sprouts = objectsOfKind(sprout);
    ASSERT_EQ(sprouts.size(), 1u);
    EXPECT_EQ(sprouts[0]->size, 200);
    EXPECT_FLOAT_EQ(sprouts[0]->x, sproutX);
    EXPECT_FLOAT_EQ(sprouts[0]->y, sproutY);
    EXPECT_EQ(effectsPlayed(kSlotGetDream), 1);

    // A second dream within 90 frames counts 1.2 x 5 x size and gives no sprout.
    w.comboTimer = 40;
    add(dream, 100, 600, 400);
    touchObjects(w);
    EXPECT_EQ(w.comboCount, 2);
    EXPECT_EQ(w.lastDreamPoints, 600);
    EXPECT_EQ(w.score, 1150);
    EXPECT_EQ(objectsOfKind(sprout).size(), 1u);
}

TEST_F(PlayerTest, CloversAreCollectedOnlyInTheCloverModesOtherwiseTheyDrift) {
    placeCursor(500, 500);
    WorldObject& clover = add(leaf, 100, 500, 500);
    clover.clover = true;
    clover.angle = 30;
    w.cloversCollectable = false;
    touchObjects(w);
    EXPECT_FALSE(clover.dying);
    EXPECT_FLOAT_EQ(clover.vx, tableCos(w.math, 120) * 0.15f);
    EXPECT_FLOAT_EQ(clover.vy, tableSin(w.math, 120) * 0.15f);
    EXPECT_EQ(clover.launchTimer, 20);
    EXPECT_EQ(w.score, 0);

    w.cloversCollectable = true;
    touchObjects(w);
    EXPECT_TRUE(clover.dying);
    EXPECT_EQ(w.score, 300);
    EXPECT_EQ(w.timeLeftMs, 180600);
    EXPECT_EQ(effectsPlayed(kSlotGetClover), 1);
}

TEST_F(PlayerTest, HoveringNudgesLifeAlongTheMoveAndDoesNothingWithAButtonHeld) {
    placeCursor(380, 300);
    moveMouse(400, 300);
    WorldObject& cell = add(life, 100, 400, 300);
    WorldObject& drop = add(aqua, 100, 400, 300);
    buttons(false, true);
    touchObjects(w);
    EXPECT_EQ(drop.size, 100);
    EXPECT_EQ(cell.launchTimer, 0);

    buttons(false, false);
    touchObjects(w);
    EXPECT_NEAR(cell.vx, 0.5f, 1e-6);
    EXPECT_NEAR(cell.vy, 0.0f, 1e-6);
    EXPECT_EQ(cell.launchTimer, 10);
    EXPECT_EQ(effectsPlayed(kSlotLife), 1);

    // After the end of the play hovering does nothing.
    cell.launchTimer = 0;
    cell.vx = 0;
    w.endCounter = 1;
    touchObjects(w);
    EXPECT_EQ(cell.launchTimer, 0);
}

TEST_F(PlayerTest, AFlowerIsGrabbedDraggedAndLetGoButNotBySlidingOntoIt) {
    WorldObject& flower = add(leafFlower, 300, 500, 400);
    placeCursor(500, 400);
    buttons(true, false);
    grabAndCharge(w, 1);
    EXPECT_EQ(w.grabbed, &flower);
    EXPECT_FALSE(w.grabBlocked);
    moveMouse(520, 410);
    grabAndCharge(w, 2);
    EXPECT_FLOAT_EQ(flower.x, 520.0f);
    EXPECT_FLOAT_EQ(flower.y, 410.0f);
    buttons(false, false);
    grabAndCharge(w, 3);
    EXPECT_EQ(w.grabbed, nullptr);

    // A press that starts on empty ground is blocked until released.
    placeCursor(100, 100);
    buttons(true, false);
    grabAndCharge(w, 4);
    EXPECT_TRUE(w.grabBlocked);
    moveMouse(520, 410);
    grabAndCharge(w, 5);
    EXPECT_EQ(w.grabbed, nullptr);

    // A dying flower slips out of the hand.
    buttons(false, false);
    grabAndCharge(w, 6);
    buttons(true, false);
    grabAndCharge(w, 7);
    ASSERT_EQ(w.grabbed, &flower);
    flower.dying = true;
    grabAndCharge(w, 8);
    EXPECT_EQ(w.grabbed, nullptr);

    // A held flower whose record was released (it left the field) is let go, not dragged as a free record.
    flower.dying = false;
    buttons(false, false);
    grabAndCharge(w, 9);
    buttons(true, false);
    grabAndCharge(w, 10);
    ASSERT_EQ(w.grabbed, &flower);
    beginIteration(w.objects);
    while (nextRecord(w.objects) != &flower) {
    }
    removeCurrent(w.objects);
    grabAndCharge(w, 11);
    EXPECT_EQ(w.grabbed, nullptr);
}

TEST_F(PlayerTest, TheRightButtonPoursTheStrokeIntoChargeableObjects) {
    WorldObject& clod = add(soil, 100, 300, 300);
    WorldObject& fire = add(flare, 100, 600, 100);
    WorldObject& smallDrop = add(aqua, 199, 100, 400);
    WorldObject& bigDrop = add(aqua, 200, 500, 400);
    buttons(false, true);

    placeCursor(300, 300);
    w.stroke = 80;
    grabAndCharge(w, 1);
    EXPECT_EQ(clod.charge, 80);
    EXPECT_TRUE(clod.touched);
    EXPECT_EQ(w.stroke, 0);

    placeCursor(600, 100);
    w.stroke = 80;
    grabAndCharge(w, 1);
    EXPECT_EQ(fire.charge, 0);
    EXPECT_EQ(w.stroke, 80);

    placeCursor(100, 400);
    grabAndCharge(w, 1);
    EXPECT_EQ(smallDrop.charge, 0);

    // Holding a button on an even frame gathers 13 before the charge is poured.
    placeCursor(500, 400);
    w.stroke = 3;
    grabAndCharge(w, 2);
    EXPECT_EQ(bigDrop.charge, 16);
    EXPECT_TRUE(bigDrop.touched);

    placeCursor(620, 20);
    grabAndCharge(w, 4);
    EXPECT_EQ(w.stroke, 13);
}

TEST_F(PlayerTest, ShortClicksSendWavesLongPressesDoNot) {
    placeCursor(300, 200);
    int frame = 20;
    auto press = [&](bool left, int frames) {
        buttons(left, !left);
        for (int i = 0; i < frames; ++i) clickWaves(w, frame++);
        buttons(false, false);
        clickWaves(w, frame++);
    };

    press(true, 6);
    EXPECT_EQ(w.repelWave, 0);
    EXPECT_EQ(w.pressFrames, 0);

    press(true, 5);
    EXPECT_EQ(w.repelWave, 1);
    EXPECT_EQ(w.waveX, 300);
    EXPECT_EQ(w.waveY, 200);
    EXPECT_EQ(effectsPlayed(kSlotRepel), 1);

    // A second click while the wave runs only moves its centre.
    placeCursor(350, 250);
    press(true, 1);
    EXPECT_EQ(w.repelWave, 3);
    EXPECT_EQ(w.waveX, 350);
    EXPECT_EQ(effectsPlayed(kSlotRepel), 1);

    press(false, 2);
    EXPECT_EQ(w.attractWave, 1);
    EXPECT_EQ(effectsPlayed(kSlotAttract), 1);

    // A wave runs 30 frames.
    for (int i = 0; i < 30; ++i) clickWaves(w, frame++);
    EXPECT_EQ(w.attractWave, 0);
    EXPECT_EQ(w.repelWave, 0);

    // Nothing in the first ten frames of a play.
    buttons(true, false);
    clickWaves(w, 9);
    EXPECT_EQ(w.pressFrames, 0);
}

TEST_F(PlayerTest, ARingPushesOnlyObjectsInItsBandDyingOnesToo) {
    w.waveX = 500;
    w.waveY = 500;
    WorldObject& onRing = add(metal, 50, 600, 500);
    WorldObject& outside = add(metal, 50, 616, 500);
    WorldObject& innerEdge = add(metal, 50, 500, 585);
    onRing.dying = true;

    pushRing(w, 100, RingPush::repel);
    EXPECT_FLOAT_EQ(onRing.vx, 1.0f);
    EXPECT_FLOAT_EQ(onRing.vy, 0.0f);
    EXPECT_FLOAT_EQ(outside.vx, 0.0f);
    EXPECT_FLOAT_EQ(innerEdge.vy, 0.0f);

    pushRing(w, 100, RingPush::attract);
    EXPECT_FLOAT_EQ(onRing.vx, -1.0f);
    pushRing(w, 110, RingPush::attract);
    EXPECT_FLOAT_EQ(outside.vx, -116.0f / 110.0f);
}

TEST_F(PlayerTest, TheTrailLeavesTwoParticlesBackAlongTheMove) {
    placeCursor(100, 100);
    moveMouse(140, 100);
    const GeneratorSnapshot before = takeSnapshot(w);
    spawnCursorTrail(w);
    MathTables m = replay(before);
    // Back along the move: (-40, 0) raised so its smaller part is 2 (unchanged below 0.01), then
    // limited to 8.
    const float vx = -8.0f + (randomFloat(m, 6.0f) - 3.0f);
    const float vy = 0.0f + (randomFloat(m, 6.0f) - 3.0f);
    const int variant = static_cast<int>(nextRandom(m) % 7u);
    EXPECT_EQ(w.trail.live, 2);
    int first = 0;
    while (first < kTrailCapacity - 1 && !w.trail.particles[first].active) ++first;
    const TrailParticle& p = w.trail.particles[first];
    EXPECT_FLOAT_EQ(p.x, 140.0f);
    EXPECT_FLOAT_EQ(p.vx, vx);
    EXPECT_FLOAT_EQ(p.vy, vy);
    EXPECT_EQ(p.variant, variant);
}
