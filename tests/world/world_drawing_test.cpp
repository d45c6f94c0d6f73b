// The field's drawing passes, checked on the draw calls the headless platform recorded.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "app/renderer.h"
#include "app/task_list.h"
#include "graphics/graphics_device.h"
#include "platform/headless/headless.h"
#include "support/math_tables.h"
#include "world/effects.h"
#include "world/object_pool.h"
#include "world/trail_ring.h"
#include "world/world_drawing.h"

namespace {

using platform::headless::DrawCall;

constexpr int kTexSide = 64;   // every test texture is 64 x 64; only the divisor of the cells matters

// A recorded quad read back into the terms of the drawing calls.
struct Seen {
    int slot;
    bool smooth;               // drawn through drawSpriteAlpha
    platform::Blend blend;
    float centreX, centreY, left, top;
    float scaleX, scaleY;      // drawn size over cell size
    int cellX, cellY, cellW, cellH;
    bool mirroredX, mirroredY;
    int a, r, g, b;
    float angle;               // degrees, counter-clockwise on the screen
};

int slotOf(const Renderer& r, int handle) {
    for (int i = 0; i < kTextureCount; ++i)
        if (r.device.textures[i].handle == handle) return i;
    return -1;
}

Seen seen(const Renderer& rd, const DrawCall& c) {
    Seen s{};
    const platform::Vertex* v = c.vertices;
    s.slot = slotOf(rd, c.texture);
    s.smooth = c.filter == platform::Filter::Linear;
    s.blend = c.blend;
    // The smooth path puts its corners half a pixel before the pixel centres.
    const float shift = s.smooth ? 0.5f : 0.0f;
    const float texel = s.smooth ? 0.0f : 0.5f;
    s.centreX = (v[0].x + v[2].x) / 2 + shift;
    s.centreY = (v[0].y + v[2].y) / 2 + shift;
    s.left = v[0].x + shift;
    s.top = v[0].y + shift;
    s.cellX = static_cast<int>(std::lround(std::fmin(v[0].u, v[1].u) * kTexSide - texel));
    s.cellY = static_cast<int>(std::lround(std::fmin(v[0].v, v[3].v) * kTexSide - texel));
    s.cellW = static_cast<int>(std::lround(std::fabs(v[1].u - v[0].u) * kTexSide));
    s.cellH = static_cast<int>(std::lround(std::fabs(v[3].v - v[0].v) * kTexSide));
    s.mirroredX = v[0].u > v[1].u;
    s.mirroredY = v[0].v > v[3].v;
    s.scaleX = std::hypot(v[1].x - v[0].x, v[1].y - v[0].y) / static_cast<float>(s.cellW);
    s.scaleY = std::hypot(v[3].x - v[0].x, v[3].y - v[0].y) / static_cast<float>(s.cellH);
    s.angle = static_cast<float>(std::atan2(-(v[1].y - v[0].y), v[1].x - v[0].x) * 180.0 / 3.14159265358979);
    const uint32_t colour = v[0].colour;
    s.a = static_cast<int>(colour >> 24);
    s.r = static_cast<int>((colour >> 16) & 255);
    s.g = static_cast<int>((colour >> 8) & 255);
    s.b = static_cast<int>(colour & 255);
    return s;
}

// Angles compared on the circle, so that 180 and -180 agree.
bool angleNear(float a, float b) { return std::fabs(std::remainder(a - b, 360.0f)) < 0.01f; }

bool blendIs(const platform::Blend& b, int mode) {
    GraphicsDevice scratch;
    setBlendMode(scratch, mode);
    return b.source == scratch.blend.source && b.destination == scratch.blend.destination;
}

class WorldDrawingTest : public ::testing::Test {
protected:
    std::unique_ptr<Renderer> owned = std::make_unique<Renderer>();
    Renderer& r = *owned;
    ObjectPool objects;
    ObjectPool seeds;
    TrailRing trail;

    void SetUp() override {
        initMathTables(r.effectsRandom);
        constructTaskList(r.backTasks, r, kBackTaskCapacity);
        constructTaskList(r.frontTasks, r, kFrontTaskCapacity);
        const std::vector<uint32_t> pixels(kTexSide * kTexSide, 0xFFFFFFFFu);
        for (int slot = 0; slot < kTextureCount; ++slot) {
            const int handle = platform::createTexture(pixels.data(), kTexSide, kTexSide);
            ASSERT_NE(handle, platform::kNoTexture);
            r.device.textures[slot].handle = handle;
            platform::textureSize(handle, r.device.textures[slot].width, r.device.textures[slot].height);
        }
        buildPool(objects, 20);
        buildPool(seeds, 20);
        buildTrail(trail);
        platform::headless::clearVideoRecord();
    }

    void TearDown() override {
        for (TextureSlot& t : r.device.textures) platform::destroyTexture(t.handle);
        destroyTaskList(r.backTasks);
        destroyTaskList(r.frontTasks);
    }

    WorldObject& add(int kind, int size, float x = 320, float y = 240) {
        EXPECT_TRUE(addObject(objects, kind, size, x, y, 0, 0, 30, 200, 10, 20, 30, 0, false));
        return *newestRecord(objects);
    }

    WorldObject& addSeedOf(int kind, int size, int angle, float x = 320, float y = 240) {
        EXPECT_TRUE(addSeed(seeds, size, kind, x, y, 0, 0, angle, 150, 300, 150, 150, 255, 100, 200, 40, 0));
        WorldObject& s = *newestRecord(seeds);
        s.launchTimer = 0;
        return s;
    }

    std::vector<Seen> drawn() const {
        std::vector<Seen> out;
        for (const DrawCall& c : platform::headless::videoRecord().draws) out.push_back(seen(r, c));
        return out;
    }
};

TEST_F(WorldDrawingTest, ObjectsPickTheResolutionBlockByApparentSize) {
    add(metal, 99);          // 50-pixel cells, column 0 row 2
    add(metal, 100);         // 100-pixel cells at half scale
    add(metal, 200);         // 200-pixel cells at half scale
    add(soilFlower, 150);    // second sheet, column 1 row 1
    WorldObject& clover = add(leaf, 150);
    clover.clover = true;    // three rows further down: column 1, row 3
    drawObjects(r, objects, 0);

    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 5u);
    struct Expected {
        int slot, cellX, cellY, side;
        float scale;
    };
    const Expected want[] = {
        {0, 600, 100, 50, 0.99f}, {0, 400, 200, 100, 0.5f}, {0, 0, 400, 200, 0.5f},
        {2, 500, 100, 100, 0.75f}, {0, 500, 300, 100, 0.75f},
    };
    for (size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(d[i].smooth);
        EXPECT_EQ(d[i].slot, want[i].slot);
        EXPECT_EQ(d[i].cellX, want[i].cellX);
        EXPECT_EQ(d[i].cellY, want[i].cellY);
        EXPECT_EQ(d[i].cellW, want[i].side);
        EXPECT_EQ(d[i].cellH, want[i].side);
        EXPECT_NEAR(d[i].scaleX, want[i].scale, 1e-4);
        EXPECT_NEAR(d[i].scaleY, want[i].scale, 1e-4);
        EXPECT_NEAR(d[i].centreX, 320.0f, 1e-3);
        EXPECT_NEAR(d[i].centreY, 240.0f, 1e-3);
        EXPECT_EQ(d[i].a, 200);
        EXPECT_EQ(d[i].r, 10);
    }

    // Zooming in moves an object to a larger block: size 60 at zoom 2 is 120 apparent.
    const ObjectPicture zoomed = objectPicture(aqua, 60, false, 2.0f);
    EXPECT_EQ(zoomed.side, 100);
    EXPECT_NEAR(zoomed.scale, 0.6f, 1e-6);
}

TEST_F(WorldDrawingTest, ScreenMappingAndCulling) {
    r.viewOffset = {100.0f, 50.0f};
    add(aqua, 100, 840.0f, 300.0f);   // screen x 740: drawn
    add(aqua, 100, 841.0f, 300.0f);   // screen x 741: skipped
    add(aqua, 100, 0.0f, 300.0f);     // screen x -100: drawn
    add(aqua, 100, -1.0f, 300.0f);    // screen x -101: skipped
    add(aqua, 100, 300.0f, 630.0f);   // screen y 580: drawn
    add(aqua, 100, 300.0f, 631.0f);   // screen y 581: skipped
    add(aqua, 100, 300.0f, -51.0f);   // screen y -101: skipped
    drawObjects(r, objects, 0);
    std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NEAR(d[0].centreX, 740.0f, 1e-3);
    EXPECT_NEAR(d[1].centreX, -100.0f, 1e-3);
    EXPECT_NEAR(d[2].centreY, 580.0f, 1e-3);

    // Seeds are culled alike; the zoom scales the field and zoomBlend the view offset.
    platform::headless::clearVideoRecord();
    r.zoom = 2.0f;
    r.zoomBlend = 3.0f;
    addSeedOf(100, 100, 0, 300.0f, 200.0f);    // (600 - 300, 400 - 150)
    addSeedOf(100, 100, 0, 521.0f, 200.0f);    // screen x 742: skipped
    drawSeeds(r, seeds);
    d = drawn();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_NEAR(d[0].centreX, 300.0f, 1e-3);
    EXPECT_NEAR(d[0].centreY, 250.0f, 1e-3);
}

TEST_F(WorldDrawingTest, LaunchedWaterLifeSproutAndBudWobble) {
    WorldObject& drop = add(aqua, 100);
    drop.launchTimer = 2;
    add(leaf, 100).launchTimer = 2;    // leaves never wobble
    add(bud, 100).launchTimer = 1;
    const uint32_t frame = 4;          // phase 400 mod 360 = 40 degrees
    drawObjects(r, objects, frame);

    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 4u);   // the bud has eaten aqua: its overlay follows, wobbling alike
    const float s = tableSin(r.effectsRandom, 40), c = tableCos(r.effectsRandom, 40);
    EXPECT_NEAR(d[0].scaleX, 0.5f * (1.0f + 0.06f * s), 1e-4);
    EXPECT_NEAR(d[0].scaleY, 0.5f * (1.0f + 0.06f * c), 1e-4);
    EXPECT_NE(d[0].scaleX, d[0].scaleY);
    EXPECT_NEAR(d[1].scaleX, 0.5f, 1e-5);
    EXPECT_NEAR(d[1].scaleY, 0.5f, 1e-5);
    EXPECT_NEAR(d[2].scaleX, 0.5f * (1.0f + 0.03f * s), 1e-4);
    EXPECT_NEAR(d[2].scaleY, 0.5f * (1.0f + 0.03f * c), 1e-4);
    EXPECT_NEAR(d[3].scaleX, d[2].scaleX, 1e-5);
    EXPECT_NEAR(d[3].scaleY, d[2].scaleY, 1e-5);
}

TEST_F(WorldDrawingTest, DyingObjectsFadeWithTheirKindsBlend) {
    struct Case {
        int kind, fadeTimer, blend, slot;
    };
    const Case cases[] = {
        {aqua, 8, 3, 0}, {aqua, 4, 3, 0}, {life, 1, 3, 0}, {leaf, 6, 5, 0},
        {dream, 2, 5, 0}, {metal, 4, 4, 0}, {aquaFlower, 8, 4, 2}, {bud, 2, 4, 2},
    };
    for (const Case& c : cases) {
        WorldObject& o = add(c.kind, 100);
        o.dying = true;
        o.fadeTimer = c.fadeTimer;
        o.red = 200;
        o.green = 101;
        o.blue = 255;
        o.touched = true;    // a dying object shows no glow and no overlay
    }
    drawObjects(r, objects, 0);
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), std::size(cases));
    for (size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(i);
        const float f = cases[i].fadeTimer * 0.125f;
        EXPECT_FALSE(d[i].smooth);
        EXPECT_EQ(d[i].slot, cases[i].slot);
        EXPECT_TRUE(blendIs(d[i].blend, cases[i].blend));
        EXPECT_EQ(d[i].r, static_cast<int>(200 * f));
        EXPECT_EQ(d[i].g, static_cast<int>(101 * f));
        EXPECT_EQ(d[i].b, static_cast<int>(255 * f));
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
    ASSERT_EQ(d.size(), 5u);
    // The bud itself, column 1 row 3 of the 200-pixel block of the second sheet.
    EXPECT_TRUE(d[0].smooth);
    EXPECT_EQ(d[0].slot, 2);
    EXPECT_EQ(d[0].cellX, 200);
    EXPECT_EQ(d[0].cellY, 600);
    // Its overlay, one row up on the monochrome sheet, in the colour of what it ate.
    EXPECT_EQ(d[1].slot, 3);
    EXPECT_TRUE(blendIs(d[1].blend, 4));
    EXPECT_EQ(d[1].cellX, 200);
    EXPECT_EQ(d[1].cellY, 400);
    EXPECT_EQ((std::vector<int>{d[1].r, d[1].g, d[1].b}), (std::vector<int>{0, 250, 170}));
    EXPECT_NEAR(d[1].scaleX, 0.5f, 1e-5);
    EXPECT_TRUE(angleNear(d[1].angle, 30.0f));
    // The glows (draws 2 and 4) of the bud (draw 0) and the leaf (draw 3): their own cells on
    // the monochrome twins, additive grey.
    const int glowOf[][2] = {{2, 0}, {4, 3}};
    for (const auto& [glow, body] : glowOf) {
        SCOPED_TRACE(glow);
        EXPECT_TRUE(blendIs(d[glow].blend, 3));
        EXPECT_EQ(d[glow].slot, d[body].slot + 1);
        EXPECT_EQ(d[glow].cellX, d[body].cellX);
        EXPECT_EQ(d[glow].cellY, d[body].cellY);
        EXPECT_EQ((std::vector<int>{d[glow].r, d[glow].g, d[glow].b}), (std::vector<int>{120, 120, 120}));
    }
    EXPECT_EQ(d[3].cellX, 650);   // leaf of size 50: the 50-pixel block
}

TEST_F(WorldDrawingTest, SeedsMirrorRockAndFadeIn) {
    const int angles[] = {90, 91, 180, 269, 270};
    for (int a : angles) addSeedOf(103, 100, a);
    drawSeeds(r, seeds);
    std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 5u);
    const bool mirrored[] = {false, true, true, true, false};
    for (size_t i = 0; i < d.size(); ++i) {
        SCOPED_TRACE(angles[i]);
        EXPECT_EQ(d[i].mirroredY, mirrored[i]);
        EXPECT_FALSE(d[i].mirroredX);
        EXPECT_NEAR(d[i].scaleY, 1.0f, 1e-5);
        EXPECT_TRUE(angleNear(d[i].angle, static_cast<float>(angles[i])));
    }

    platform::headless::clearVideoRecord();
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
    EXPECT_TRUE(angleNear(d[0].angle, 0.0f));
    EXPECT_NEAR(d[0].scaleX, 0.6f, 1e-5);
    EXPECT_EQ(d[0].slot, 6);
    EXPECT_EQ(d[0].cellX, 300);
    EXPECT_EQ(d[0].cellY, 150);
    EXPECT_TRUE(angleNear(d[1].angle, 9.0f));
    EXPECT_TRUE(angleNear(d[2].angle, -6.0f));
    EXPECT_EQ(d[2].slot, 7);
    EXPECT_EQ((std::vector<int>{d[3].r, d[3].g, d[3].b}), (std::vector<int>{50, 100, 20}));  // fade 4/8
    EXPECT_EQ((std::vector<int>{d[4].r, d[4].g, d[4].b}), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ((std::vector<int>{d[5].r, d[5].g, d[5].b}), (std::vector<int>{80, 160, 32}));
    for (const Seen& s : d) EXPECT_TRUE(blendIs(s.blend, 4));
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
    EXPECT_EQ((std::vector<int>{d[0].r, d[0].g, d[0].b}), (std::vector<int>{0, 75, 75}));
    EXPECT_EQ((std::vector<int>{d[1].r, d[1].g, d[1].b}), (std::vector<int>{125, 40, 40}));
    EXPECT_EQ((std::vector<int>{d[2].r, d[2].g, d[2].b}), (std::vector<int>{20, 70, 125}));
    EXPECT_NEAR(d[1].centreX, 7500.0f, 1e-2);
    for (const Seen& s : d) {
        EXPECT_TRUE(angleNear(s.angle, -80.0f));
        EXPECT_NEAR(s.scaleX, 1.5f, 1e-4);
        EXPECT_EQ(s.cellX, 770);
        EXPECT_EQ(s.cellW, 16);
        EXPECT_TRUE(blendIs(s.blend, 4));
    }
}

TEST_F(WorldDrawingTest, MiniMapMarksTheViewAndTheFilterCoversTheScreen) {
    r.viewOffset = {640.0f, 480.0f};
    drawMiniMap(r);
    drawBackgroundFilter(r);
    const std::vector<Seen> d = drawn();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_NEAR(d[0].left, 571.0f, 1e-3);
    EXPECT_NEAR(d[0].top, 427.0f, 1e-3);
    EXPECT_EQ((std::vector<int>{d[0].a, d[0].r, d[0].g, d[0].b}), (std::vector<int>{80, 0, 0, 255}));
    EXPECT_NEAR(d[1].left, 603.0f, 1e-3);
    EXPECT_NEAR(d[1].top, 451.0f, 1e-3);
    EXPECT_NEAR(d[1].scaleX, 0.5f, 1e-5);
    EXPECT_EQ((std::vector<int>{d[1].a, d[1].r, d[1].g, d[1].b}), (std::vector<int>{100, 255, 255, 0}));
    EXPECT_EQ(d[2].slot, 4);
    EXPECT_NEAR(d[2].left, 0.0f, 1e-3);
    EXPECT_NEAR(d[2].top, 0.0f, 1e-3);
    EXPECT_EQ(d[2].cellW, 640);
}

TEST_F(WorldDrawingTest, WaveRingsAreQueuedOnTheFirstFrameOnly) {
    for (int frame = 1; frame <= 30; ++frame) queueWaveEffects(r, 500, 400, frame, 0);
    ASSERT_EQ(r.backTasks.count, 1);
    DrawTask& attract = *r.backTasks.head->next;
    EXPECT_EQ(attract.callback, &attractRing);
    EXPECT_EQ(attract.order, 5000);
    EXPECT_EQ(attract.delay, 0);
    EffectPayload p = readPayload(attract);
    EXPECT_EQ(p.x, 500.0f);
    EXPECT_EQ(p.y, 400.0f);
    EXPECT_EQ(p.texture, 1);
    EXPECT_EQ((std::vector<int>{p.cellX, p.cellY, p.cellW, p.cellH}), (std::vector<int>{400, 400, 400, 400}));
    EXPECT_EQ(p.scaleX, 1.0f);
    EXPECT_EQ(p.scaleY, 1.0f);
    EXPECT_EQ((std::vector<int>{p.red, p.green, p.blue}), (std::vector<int>{70, 120, 120}));

    queueWaveEffects(r, 7, 9, 0, 1);
    queueWaveEffects(r, 7, 9, 0, 2);
    ASSERT_EQ(r.backTasks.count, 2);
    DrawTask& repel = *attract.next;
    EXPECT_EQ(repel.callback, &repelRing);
    p = readPayload(repel);
    EXPECT_EQ(p.x, 7.0f);
    EXPECT_EQ((std::vector<int>{p.red, p.green, p.blue}), (std::vector<int>{160, 160, 90}));

    // A full list refuses the ring and nothing is disturbed.
    while (r.backTasks.count < r.backTasks.capacity) addTask(r.backTasks, 0, &attractRing, 0);
    const int32_t before = r.backTasks.head->next->payload[kSlotRed];
    queueWaveEffects(r, 1, 1, 1, 1);
    EXPECT_EQ(r.backTasks.count, r.backTasks.capacity);
    EXPECT_EQ(r.backTasks.head->next->payload[kSlotRed], before);
}

}  // namespace
