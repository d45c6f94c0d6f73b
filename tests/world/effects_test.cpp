// The effect tasks, checked on the draw calls the headless platform recorded.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "test_support/recorded_quads.h"
#include "test_support/recording_drawing.h"
#include "world/effects.h"

namespace {

using platform::headless::DrawCall;

int redOf(const DrawCall& c) { return static_cast<int>((c.vertices[0].colour >> 16) & 255u); }
int greenOf(const DrawCall& c) { return static_cast<int>((c.vertices[0].colour >> 8) & 255u); }
float centreX(const DrawCall& c) { return (c.vertices[0].x + c.vertices[2].x) / 2; }
float centreY(const DrawCall& c) { return (c.vertices[0].y + c.vertices[2].y) / 2; }
float widthOf(const DrawCall& c) { return c.vertices[2].x - c.vertices[0].x; }
bool additive(const DrawCall& c) { return testsupport::blendModeOf(c.blend) == 3; }
bool darkening(const DrawCall& c) { return testsupport::blendModeOf(c.blend) == 4; }

class EffectsTest : public testsupport::RecordingDrawingTest {
protected:
    // Runs the back list n times and returns what was drawn.
    std::vector<DrawCall> run(int n) {
        platform::headless::clearVideoRecord();
        for (int i = 0; i < n; ++i) runTasks(r.backTasks);
        return platform::headless::videoRecord().draws;
    }

    void queue(DrawTaskCallback callback, const EffectPayload& p) {
        ASSERT_TRUE(queueEffect(r.backTasks, 0, callback, 0, p));
    }
};

TEST_F(EffectsTest, FadesOfLengthEightDrawEightTimesWithTheirFactors) {
    queue(fadeOutAdditive, fadePayload(255, 255, 255, 8));
    std::vector<DrawCall> out = run(9);
    ASSERT_EQ(out.size(), 8u);
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(redOf(out[k - 1]), 255 * (8 - k) / 8) << "drawing " << k;
        EXPECT_TRUE(additive(out[k - 1]));
        EXPECT_FLOAT_EQ(widthOf(out[k - 1]), 640.0f);
    }
    EXPECT_EQ(r.backTasks.count, 0);

    queue(fadeInDarken, fadePayload(255, 100, 255, 8));
    out = run(9);
    ASSERT_EQ(out.size(), 8u);
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(redOf(out[k - 1]), 255 * k / 8) << "drawing " << k;
        EXPECT_EQ(greenOf(out[k - 1]), 100 * k / 8);
        EXPECT_TRUE(darkening(out[k - 1]));
    }

    // A fade without a length lasts one drawing instead of dividing by zero.
    queue(fadeOutDarken, fadePayload(255, 255, 255, 0));
    EXPECT_EQ(run(3).size(), 1u);
}

TEST_F(EffectsTest, AGlowingPictureRisesHoldsAndFallsOverOneHundredFiftyDrawings) {
    queue(glowingPicture, picturePayload(320, 240, Sheet::Interface, {370, 245, 420, 64}));
    const std::vector<DrawCall> out = run(152);
    ASSERT_EQ(out.size(), 150u);
    EXPECT_EQ(redOf(out[0]), 4);     // 0.6 x 8
    EXPECT_EQ(redOf(out[29]), 144);  // age 30
    EXPECT_EQ(redOf(out[89]), 144);  // age 90
    EXPECT_EQ(redOf(out[90]), 141);  // age 91: 0.6 x 236
    EXPECT_EQ(redOf(out[149]), 0);   // age 150
    EXPECT_FLOAT_EQ(centreX(out[29]), 320.0f);
    EXPECT_FLOAT_EQ(widthOf(out[29]), 420.0f);
    EXPECT_TRUE(darkening(out[29]));
}

TEST_F(EffectsTest, TheGlowingBandIsLightInItsMiddleAndDarkAtBothEdges) {
    queue(glowingBand, picturePayload(0, 170, Sheet::Objects, {0, 0, 640, 140}));
    const std::vector<DrawCall> out = run(152);
    ASSERT_EQ(out.size(), 300u);  // two halves per drawing
    const DrawCall& upper = out[2 * 29];
    const DrawCall& lower = out[2 * 29 + 1];
    EXPECT_TRUE(additive(upper));
    EXPECT_TRUE(additive(lower));
    // Corners run top-left, top-right, bottom-right, bottom-left.
    EXPECT_EQ(upper.vertices[0].colour & 0xFFFFFFu, 0u);
    EXPECT_EQ(upper.vertices[1].colour & 0xFFFFFFu, 0u);
    EXPECT_EQ((upper.vertices[2].colour >> 16) & 255u, 144u);
    EXPECT_EQ((upper.vertices[3].colour >> 16) & 255u, 144u);
    EXPECT_EQ(redOf(lower), 144);
    EXPECT_EQ((lower.vertices[1].colour >> 16) & 255u, 144u);
    EXPECT_EQ(lower.vertices[2].colour & 0xFFFFFFu, 0u);
    EXPECT_EQ(lower.vertices[3].colour & 0xFFFFFFu, 0u);
    EXPECT_FLOAT_EQ(upper.vertices[0].y, 170.0f);
    EXPECT_FLOAT_EQ(upper.vertices[2].y, 240.0f);
    EXPECT_FLOAT_EQ(lower.vertices[0].y, 240.0f);
    EXPECT_FLOAT_EQ(lower.vertices[2].y, 310.0f);
    EXPECT_FLOAT_EQ(lower.vertices[2].x, 640.0f);
    EXPECT_EQ(r.backTasks.count, 0);
}

TEST_F(EffectsTest, TheSlideInGlowComesFromTheLeftThenGrowsAndDimsUntilItsSeventyFifthDrawing) {
    EffectPayload p = picturePayload(300, 200, Sheet::Effect, {0, 0, 0, 0});
    p.scaleX = p.scaleY = 0.5f;
    queue(slideInGlow, p);
    const std::vector<DrawCall> out = run(77);
    ASSERT_EQ(out.size(), 75u);
    EXPECT_FLOAT_EQ(centreX(out[0]), 300.0f - 4 * 81);  // age 1
    EXPECT_FLOAT_EQ(centreX(out[9]), 300.0f);            // age 10
    EXPECT_FLOAT_EQ(widthOf(out[9]), 100.0f);            // cell 200 at scale 0.5
    EXPECT_EQ(redOf(out[9]), 200);
    EXPECT_EQ(greenOf(out[9]), 0);
    EXPECT_TRUE(darkening(out[9]));
    EXPECT_FLOAT_EQ(widthOf(out[59]), 100.0f);           // age 60: scale 0 / 30 + 0.5
    EXPECT_EQ(redOf(out[59]), 200);                       // 980 - 13 x 60
    EXPECT_NEAR(widthOf(out[74]), 200.0f, 1e-3);         // age 75: scale 15 / 30 + 0.5
    EXPECT_EQ(redOf(out[74]), 5);
}

TEST_F(EffectsTest, TheRepelRingGrowsOverThirtyDrawingsAndTheAttractRingEndsBlack) {
    r.viewOffset = {100.0f, 50.0f};
    EffectPayload ring = picturePayload(400, 300, Sheet::ObjectsMonochrome, {400, 400, 400, 400});
    ring.red = ring.green = 160;
    ring.blue = 90;
    queue(repelRing, ring);
    std::vector<DrawCall> out = run(31);
    ASSERT_EQ(out.size(), 30u);
    EXPECT_NEAR(widthOf(out[0]), 400.0f / 30.0f, 1e-3);
    EXPECT_NEAR(widthOf(out[29]), 400.0f, 1e-3);
    EXPECT_FLOAT_EQ(centreX(out[0]), 300.0f);  // world 400 seen from a view at 100
    EXPECT_FLOAT_EQ(centreY(out[0]), 250.0f);
    EXPECT_EQ(redOf(out[0]), 154);  // 160 x 29 / 30
    EXPECT_EQ(redOf(out[29]), 0);

    queue(attractRing, ring);
    out = run(31);
    ASSERT_EQ(out.size(), 30u);
    EXPECT_NEAR(widthOf(out[0]), 400.0f * 29.0f / 30.0f, 1e-3);
    EXPECT_NEAR(widthOf(out[29]), 0.0f, 1e-3);
    EXPECT_EQ(out[29].vertices[0].colour & 0xFFFFFFu, 0u);

    // The zoom scales the ring and its place.
    r.zoom = 2.0f;
    r.zoomBlend = 3.0f;
    queue(repelRing, ring);
    out = run(30);
    EXPECT_NEAR(widthOf(out[29]), 800.0f, 1e-3);
    EXPECT_FLOAT_EQ(centreX(out[29]), 500.0f);  // 400 x 2 - 100 x 3
}

TEST_F(EffectsTest, AHintPictureGlowsSlidesUpRightAndFadesOut) {
    queue(hintPicture, picturePayload(320, 240, Sheet::Effect2, {500, 800, 500, 200}));
    const std::vector<DrawCall> out = run(241);
    ASSERT_EQ(out.size(), 480u);  // a glow and the picture per drawing
    auto glowAt = [&](int age) { return out[2 * (age - 1)]; };
    auto pictureAt = [&](int age) { return out[2 * (age - 1) + 1]; };
    EXPECT_TRUE(additive(glowAt(1)));
    EXPECT_EQ(redOf(glowAt(1)), 7);
    EXPECT_EQ(redOf(pictureAt(1)), 14);
    EXPECT_EQ(redOf(pictureAt(100)), 210);
    EXPECT_EQ(redOf(pictureAt(230)), 70);

    EXPECT_FLOAT_EQ(centreX(pictureAt(60)), 320.0f);
    EXPECT_FLOAT_EQ(centreY(pictureAt(60)), 240.0f);
    EXPECT_FLOAT_EQ(centreX(pictureAt(61)), 323.0f);
    EXPECT_FLOAT_EQ(centreY(pictureAt(61)), 235.0f);
    for (int age : {82, 150, 211, 240}) {
        EXPECT_FLOAT_EQ(centreX(pictureAt(age)), 385.0f) << age;
        EXPECT_FLOAT_EQ(centreY(pictureAt(age)), 130.0f) << age;
        EXPECT_FLOAT_EQ(centreX(glowAt(age)), 385.0f) << age;
    }
    EXPECT_EQ(r.backTasks.count, 0);
}

TEST_F(EffectsTest, ADriftingPictureEndsOnceItIsHalfItsWidthPastTheLeftEdge) {
    int32_t cursorY = 340;
    EffectPayload p = picturePayload(0, 200, Sheet::Effect, {0, 500, 200, 200});
    p.scaleX = p.scaleY = 1.5f;
    p.followY = &cursorY;
    queue(driftingPicture, p);
    const std::vector<DrawCall> out = run(20);
    ASSERT_FALSE(out.empty());
    ASSERT_LT(out.size(), 20u);
    const float lastX = centreX(out.back());
    const float beforeX = centreX(out[out.size() - 2]);
    EXPECT_LT(lastX, -100.0f);
    EXPECT_GE(beforeX, -100.0f);
    // The parallax follows the value behind the reference, times the grown scale.
    const float scale = 1.5f * 1.001f;
    const float y = 200.0f + (1.5f - 0.3f);
    EXPECT_NEAR(centreY(out[0]), y - scale * 100.0f * 0.23f, 1e-3);
}

TEST_F(EffectsTest, MovingPicturesKeepTheirMotionInThePayload) {
    EffectPayload p = picturePayload(300, 300, Sheet::Effect, {400, 0, 150, 150});
    p.dx = -100.0f;
    p.dy = -10.0f;
    p.angle = 20;
    queue(acceleratingPicture, p);
    std::vector<DrawCall> out = run(1);
    ASSERT_EQ(out.size(), 1u);
    const EffectPayload after = readPayload(*r.backTasks.head->next);
    EXPECT_FLOAT_EQ(after.dx, -101.0f);
    EXPECT_FLOAT_EQ(after.x, 199.0f);
    EXPECT_FLOAT_EQ(after.y, 289.9f);
    // It leaves once it is half its width past the left edge: 199 - 101 x 1.01 ... < -75.
    out = run(5);
    EXPECT_EQ(r.backTasks.count, 0);
    EXPECT_EQ(out.size(), 3u);

    p.length = 4;
    p.dx = 5.0f;
    queue(movingPictureFadeOut, p);
    out = run(5);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_FLOAT_EQ(centreX(out[3]), 320.0f);
    EXPECT_EQ(redOf(out[0]), 191);  // 255 x 3 / 4
}

TEST_F(EffectsTest, APayloadReadsBackAsWrittenReferenceIncluded) {
    int32_t followed = 7;
    EffectPayload p = picturePayload(1.5f, -2.25f, Sheet::Effect, {1, 2, 3, 4});
    p.scaleBase = 0.75f;
    p.angle = -30;
    p.red = 9;
    p.length = 12;
    p.scaleX = 2.0f;
    p.scaleY = -1.0f;
    p.followY = &followed;
    p.dx = 0.125f;
    p.dy = -8.0f;
    DrawTask task;
    writePayload(task, p);
    const EffectPayload q = readPayload(task);
    EXPECT_FLOAT_EQ(q.x, 1.5f);
    EXPECT_FLOAT_EQ(q.y, -2.25f);
    EXPECT_FLOAT_EQ(q.scaleBase, 0.75f);
    EXPECT_EQ(q.cellH, 4);
    EXPECT_EQ(q.angle, -30);
    EXPECT_EQ(q.length, 12);
    EXPECT_FLOAT_EQ(q.scaleX, 2.0f);
    EXPECT_FLOAT_EQ(q.scaleY, -1.0f);
    EXPECT_EQ(q.followY, &followed);
    EXPECT_FLOAT_EQ(q.dx, 0.125f);
    EXPECT_FLOAT_EQ(q.dy, -8.0f);
}

TEST_F(EffectsTest, AZoomingPictureSettlesTowardItsFinalScaleAndNeverEnds) {
    EffectPayload p = picturePayload(100, 0, Sheet::Effect, {0, 500, 150, 200});
    p.scaleBase = 0.5f;
    queue(zoomingPicture, p);
    const std::vector<DrawCall> out = run(400);
    ASSERT_EQ(out.size(), 400u);
    EXPECT_NEAR(widthOf(out[0]), 150.0f * (1.0f + 0.5f) * 0.5f, 1e-3);  // age 1: r = 1
    EXPECT_NEAR(widthOf(out[399]), 150.0f * 0.25f, 0.1f);
    EXPECT_NEAR(centreX(out[0]), 0.75f * 100.0f + 320.0f, 1e-3);
}

}  // namespace
