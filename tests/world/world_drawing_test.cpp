// The field's drawing passes, checked on the draw calls the headless platform recorded.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "graphics/draw_context.h"
#include "graphics/graphics_device.h"
#include "platform/headless/headless.h"
#include "test_support/recorded_quads.h"
#include "world/effects.h"
#include "world/object_pool.h"
#include "world/trail_ring.h"
#include "world/world_drawing.h"

namespace {

constexpr int kTexSide = 64;   // every test texture is 64 x 64: only the divisor of the cells matters

using Rgb3 = std::array<int, 3>;

using Seen = testsupport::SeenQuad;
using testsupport::rgbOf;

// Angles compared on the circle, so that 180 and -180 agree.
bool angleNear(float a, float b) { return std::fabs(std::remainder(a - b, 360.0f)) < 0.01f; }

class WorldDrawingTest : public ::testing::Test {
protected:
    RandomWords words;
    std::unique_ptr<DrawContext> owned = std::make_unique<DrawContext>();
    DrawContext& r = *owned;
    ObjectPool objects, seeds;
    TrailRing trail;

    void SetUp() override {
        constructDrawContext(r, words);
        ASSERT_TRUE(platform::initVideo());
        const std::vector<uint32_t> pixels(kTexSide * kTexSide, 0xFFFFFFFFu);
        for (TextureSlot& t : r.device.textures) {
            t.handle = platform::createTexture(pixels.data(), kTexSide, kTexSide);
            ASSERT_NE(t.handle, platform::kNoTexture);
            platform::textureSize(t.handle, t.width, t.height);
        }
        buildPool(objects, 20);
        buildPool(seeds, 20);
        buildTrail(trail);
        platform::headless::clearVideoRecord();
    }

    void TearDown() override {
        for (TextureSlot& t : r.device.textures) platform::destroyTexture(t.handle);
        platform::shutdownVideo();
        destroyDrawContext(r);
    }

    WorldObject& add(int kind, int size, float x = 320, float y = 240) {
        EXPECT_TRUE(addObject(objects, kind, size, x, y, 0, 0, 30, 200, 10, 20, 30, 0, false));
        return *newestRecord(objects);
    }

    // A seed coloured (100, 200, 40) with the cell (300, 150) 150 x 150, past its launch.
    WorldObject& addSeedOf(int kind, int size, int angle, float x = 320, float y = 240) {
        EXPECT_TRUE(addSeed(seeds, kind, size, x, y, 0, 0, angle, {300, 150, 150, 150}, 255, {100, 200, 40}, 0));
        WorldObject& s = *newestRecord(seeds);
        s.launchTimer = 0;
        return s;
    }

    // The draws since the last call, read back.
    std::vector<Seen> drawn() const {
        std::vector<Seen> out = testsupport::recordedQuads(r.device, kTexSide);
        platform::headless::clearVideoRecord();
        return out;
    }
};

TEST_F(WorldDrawingTest, ObjectsPickTheResolutionBlockByApparentSize) {
    add(metal, 99);                      // 50-pixel cells at 0.99, column 0 row 2
    add(metal, 100);                     // 100-pixel cells at half scale
    add(metal, 200);                     // 200-pixel cells at half scale
    add(soilFlower, 150);                // second sheet, column 1 row 1
    add(leaf, 150).clover = true;        // a clover: column 1, row 3
    drawObjects(r, objects, 0);
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 5u);
    const struct {
        int texture, cellX, cellY, side;
        float scale;
    } want[] = {{0, 600, 100, 50, 0.99f}, {0, 400, 200, 100, 0.5f}, {0, 0, 400, 200, 0.5f},
                {2, 500, 100, 100, 0.75f}, {0, 500, 300, 100, 0.75f}};
    for (size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(d[i].smooth);
        EXPECT_EQ(d[i].texture, want[i].texture);
        EXPECT_EQ((std::array{d[i].cellX, d[i].cellY, d[i].cellW}),
                  (std::array{want[i].cellX, want[i].cellY, want[i].side}));
        EXPECT_NEAR(d[i].scaleX, want[i].scale, 1e-4);
        EXPECT_NEAR(d[i].scaleY, want[i].scale, 1e-4);
        EXPECT_NEAR(d[i].centreX, 320.0f, 1e-3);
        EXPECT_EQ(d[i].a, 200);
    }
}

TEST_F(WorldDrawingTest, ScreenMappingAndCulling) {
    r.viewOffset = {100.0f, 50.0f};
    const float places[][2] = {{840, 300}, {841, 300}, {0, 300}, {-1, 300}, {300, 630}, {300, 631}, {300, -51}};
    for (const auto& p : places) add(aqua, 100, p[0], p[1]);
    drawObjects(r, objects, 0);
    std::vector<Seen> d = drawn();   // only screen x 740, x -100 and y 580 stay inside
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NEAR(d[0].centreX, 740.0f, 1e-3);
    EXPECT_NEAR(d[1].centreX, -100.0f, 1e-3);
    EXPECT_NEAR(d[2].centreY, 580.0f, 1e-3);

    // Seeds alike; the zoom scales the field and zoomBlend the view offset.
    r.zoom = 2.0f;
    r.zoomBlend = 3.0f;
    addSeedOf(100, 100, 0, 300.0f, 200.0f);
    addSeedOf(100, 100, 0, 521.0f, 200.0f);   // screen x 742
    drawSeeds(r, seeds);
    d = drawn();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NEAR(d[0].centreX, 300.0f, 1e-3);
    EXPECT_NEAR(d[0].centreY, 250.0f, 1e-3);
}

TEST_F(WorldDrawingTest, LaunchedWaterLifeSproutAndBudWobble) {
    add(aqua, 100).launchTimer = 2;
    add(leaf, 100).launchTimer = 2;   // leaves never wobble
    add(bud, 100).launchTimer = 1;    // its overlay wobbles with it
    drawObjects(r, objects, 4);       // phase 400 mod 360 = 40 degrees
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 4u);
    const float s = tableSin(r.effectsRandom, 40), c = tableCos(r.effectsRandom, 40);
    EXPECT_NEAR(d[0].scaleX, 0.5f * (1.0f + 0.06f * s), 1e-4);
    EXPECT_NEAR(d[0].scaleY, 0.5f * (1.0f + 0.06f * c), 1e-4);
    EXPECT_NEAR(d[1].scaleX, 0.5f, 1e-5);
    EXPECT_NEAR(d[1].scaleY, 0.5f, 1e-5);
    for (int i : {2, 3}) {
        EXPECT_NEAR(d[i].scaleX, 0.5f * (1.0f + 0.03f * s), 1e-4);
        EXPECT_NEAR(d[i].scaleY, 0.5f * (1.0f + 0.03f * c), 1e-4);
    }
}

TEST_F(WorldDrawingTest, DyingObjectsFadeWithTheirKindsBlend) {
    const struct {
        int kind, fadeTimer, blend, texture;
    } cases[] = {{aqua, 8, 3, 0}, {aqua, 4, 3, 0}, {life, 1, 3, 0}, {leaf, 6, 5, 0},
                 {dream, 2, 5, 0}, {metal, 4, 4, 0}, {aquaFlower, 8, 4, 2}, {bud, 2, 4, 2}};
    for (const auto& c : cases) {
        WorldObject& o = add(c.kind, 100);
        o.dying = true;
        o.fadeTimer = c.fadeTimer;
        o.red = 200, o.green = 101, o.blue = 255;
        o.touched = true;   // a dying object shows no glow and no overlay
    }
    drawObjects(r, objects, 0);
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), std::size(cases));
    for (size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(i);
        const float f = cases[i].fadeTimer * 0.125f;
        EXPECT_EQ(d[i].texture, cases[i].texture);
        EXPECT_EQ(d[i].blend, cases[i].blend);
        EXPECT_EQ(rgbOf(d[i]), (Rgb3{static_cast<int>(200 * f), static_cast<int>(101 * f), static_cast<int>(255 * f)}));
        EXPECT_TRUE(angleNear(d[i].angle, 30.0f));
    }
}

TEST_F(WorldDrawingTest, BudOverlayAndChargeGlow) {
    WorldObject& b = add(bud, 200);
    b.content = 2;
    b.touched = true;
    add(leaf, 50).touched = true;
    drawObjects(r, objects, 0);
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 5u);   // bud, overlay, glow; leaf, glow
    EXPECT_EQ((std::array{d[0].texture, d[0].cellX, d[0].cellY}), (std::array{2, 200, 600}));
    // The overlay: one row up on the monochrome sheet, darkening in the colour of what it ate.
    EXPECT_EQ((std::array{d[1].texture, d[1].blend, d[1].cellX, d[1].cellY}), (std::array{3, 4, 200, 400}));
    EXPECT_EQ(rgbOf(d[1]), (Rgb3{0, 250, 170}));
    EXPECT_NEAR(d[1].scaleX, 0.5f, 1e-5);
    // The glows: their own cells on the monochrome twins, additive grey.
    for (const auto& [glow, body] : {std::pair{2, 0}, std::pair{4, 3}}) {
        SCOPED_TRACE(glow);
        EXPECT_EQ((std::array{d[glow].texture, d[glow].blend, d[glow].cellX, d[glow].cellY}),
                  (std::array{d[body].texture + 1, 3, d[body].cellX, d[body].cellY}));
        EXPECT_EQ(rgbOf(d[glow]), (Rgb3{120, 120, 120}));
    }
}

TEST_F(WorldDrawingTest, SeedsMirrorRockAndFadeIn) {
    const int angles[] = {90, 91, 180, 269, 270};
    for (int a : angles) addSeedOf(103, 100, a);
    drawSeeds(r, seeds);
    std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 5u);
    for (size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(angles[i]);
        EXPECT_EQ(d[i].mirroredY, angles[i] > 90 && angles[i] < 270);
        EXPECT_TRUE(angleNear(d[i].angle, static_cast<float>(angles[i])));
    }

    resetPool(seeds, true);
    r.zoom = 0.5f;
    addSeedOf(101, 120, 77);                   // stationary: never turned
    addSeedOf(106, 100, 77).launchTimer = 3;   // rocks +9 ...
    addSeedOf(106, 100, 77).launchTimer = 2;   // ... and -6
    WorldObject& fading = addSeedOf(105, 100, 0);
    fading.dying = true;
    fading.fadeTimer = 4;
    addSeedOf(104, 100, 0).launchTimer = 5;    // just launched: black
    addSeedOf(100, 100, 0).launchTimer = 1;    // nearly through its launch: 4/5 bright
    drawSeeds(r, seeds);
    d = drawn();
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ((std::array{d[0].texture, d[0].cellX, d[0].cellY}), (std::array{6, 300, 150}));
    EXPECT_NEAR(d[0].scaleX, 0.6f, 1e-5);
    EXPECT_TRUE(angleNear(d[0].angle, 0.0f));
    EXPECT_TRUE(angleNear(d[1].angle, 9.0f));
    EXPECT_TRUE(angleNear(d[2].angle, -6.0f));
    EXPECT_EQ(d[3].texture, 7);
    EXPECT_EQ(rgbOf(d[3]), (Rgb3{50, 100, 20}));
    EXPECT_EQ(rgbOf(d[4]), (Rgb3{0, 0, 0}));
    EXPECT_EQ(rgbOf(d[5]), (Rgb3{80, 160, 32}));
    for (const Seen& s : d) EXPECT_EQ(s.blend, 4);
}

TEST_F(WorldDrawingTest, TrailSpinsFadesAndIsNeverCulled) {
    spawnTrail(trail, 100, 100, 0, 0, 0);
    spawnTrail(trail, 5000, -900, 0, 0, 4);   // far off the field, still drawn
    spawnTrail(trail, 200, 100, 0, 0, 9);     // an unknown variant
    trail.particles[0].framesLeft = 3;
    r.zoom = 1.5f;
    drawTrail(r, trail, 5);
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(rgbOf(d[0]), (Rgb3{0, 75, 75}));
    EXPECT_EQ(rgbOf(d[1]), (Rgb3{125, 40, 40}));
    EXPECT_EQ(rgbOf(d[2]), (Rgb3{20, 70, 125}));
    EXPECT_NEAR(d[1].centreX, 7500.0f, 1e-2);
    for (const Seen& s : d) {
        EXPECT_TRUE(angleNear(s.angle, -80.0f));
        EXPECT_NEAR(s.scaleX, 1.5f, 1e-4);
        EXPECT_EQ((std::array{s.texture, s.blend, s.cellX, s.cellW}), (std::array{0, 4, 770, 16}));
    }
}

TEST_F(WorldDrawingTest, MiniMapMarksTheViewAtQuarterArea) {
    r.viewOffset = {640.0f, 480.0f};
    drawMiniMap(r);
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ((std::array{d[0].left, d[0].top, d[0].scaleX}), (std::array{571.0f, 427.0f, 1.0f}));
    EXPECT_EQ(d[0].a, 80);
    EXPECT_EQ(rgbOf(d[0]), (Rgb3{0, 0, 255}));
    EXPECT_EQ((std::array{d[1].left, d[1].top, d[1].scaleX}), (std::array{603.0f, 451.0f, 0.5f}));
    EXPECT_EQ(d[1].a, 100);
    EXPECT_EQ(rgbOf(d[1]), (Rgb3{255, 255, 0}));
}

TEST_F(WorldDrawingTest, WaveRingsAreQueuedOnTheFirstFrameOnly) {
    for (int frame = 1; frame <= 30; ++frame) queueWaveEffects(r, 500, 400, frame, 0);
    queueWaveEffects(r, 7, 9, 0, 1);
    queueWaveEffects(r, 7, 9, 0, 2);
    ASSERT_EQ(r.backTasks.count, 2);
    const DrawTask& attract = *r.backTasks.head->next;
    const DrawTask& repel = *attract.next;
    EXPECT_EQ(attract.callback, &attractRing);
    EXPECT_EQ(repel.callback, &repelRing);
    EXPECT_EQ((std::array{attract.order, attract.delay, repel.order}), (std::array{5000, 0, 5000}));
    const EffectPayload a = readPayload(attract), p = readPayload(repel);
    EXPECT_EQ((std::array{a.x, a.y, a.scaleX, a.scaleY}), (std::array{500.0f, 400.0f, 1.0f, 1.0f}));
    EXPECT_EQ((std::array{a.texture, a.cellX, a.cellY, a.cellW, a.cellH}), (std::array{1, 400, 400, 400, 400}));
    EXPECT_EQ((std::array{a.red, a.green, a.blue}), (std::array{70, 120, 120}));
    EXPECT_EQ((std::array{p.x, p.y}), (std::array{7.0f, 9.0f}));
    EXPECT_EQ((std::array{p.red, p.green, p.blue}), (std::array{160, 160, 90}));

    // A full list refuses the rings without writing into a task.
    while (r.backTasks.count < r.backTasks.capacity) addTask(r.backTasks, 0, &attractRing, 0);
    const int32_t before = r.backTasks.head->next->payload[kSlotRed];
    queueWaveEffects(r, 1, 1, 1, 1);
    EXPECT_EQ(r.backTasks.count, r.backTasks.capacity);
    EXPECT_EQ(r.backTasks.head->next->payload[kSlotRed], before);
}

}  // namespace
