// Sprites drawn from the visible part of their cell: where exact trimming trims and where it
// leaves the cell whole, every texel of a part kept where the whole cell's quad puts it, and
// cells with nothing visible left out.
#include <cmath>
#include <vector>

#include "graphics_test_support.h"
#include "test_png.h"

using namespace graphics_test;
using platform::Vertex;

namespace {

constexpr int kSide = 64;
// A 16 x 16 cell whose only visible texels are an opaque block at offsets 4 .. 11, 6 .. 11.
constexpr Cell kCell = {16, 24, 16, 16};
constexpr Cell kBlankCell = {40, 0, 16, 16};

class SpriteTrimTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        std::vector<uint32_t> pixels(kSide * kSide, 0u);
        for (int y = 30; y <= 35; ++y)
            for (int x = 20; x <= 27; ++x) pixels[y * kSide + x] = 0xFF40C080u;
        const std::vector<uint8_t> png = encodePng(pixels, kSide, kSide);
        ASSERT_TRUE(loadTextureFromMemory(device, slotOf(Sheet::Objects), png.data(), png.size()));
        platform::headless::clearVideoRecord();
    }
    // The quad of one drawSprite call, trimmed as asked.
    std::vector<DrawCall> drawOne(SpriteTrim trim, float x, float y, float scaleX, float scaleY, int angle,
                                  BlendMode mode = BlendMode::Alpha, Cell cell = kCell) {
        device.spriteTrim = trim;
        platform::headless::clearVideoRecord();
        drawSprite(device, Sheet::Objects, mode, x, y, cell, scaleX, scaleY, angle, {255, 255, 255});
        return draws();
    }
    std::vector<DrawCall> drawOneAlpha(SpriteTrim trim, float x, float y, float scale, int angle, Cell cell = kCell) {
        device.spriteTrim = trim;
        platform::headless::clearVideoRecord();
        drawSpriteAlpha(device, Sheet::Objects, true, x, y, cell, scale, scale, angle, 200, {255, 255, 255});
        return draws();
    }
};

// The left, top, right and bottom of a recorded unturned quad.
struct Box {
    float left, top, right, bottom;
};
Box boxOf(const DrawCall& call) { return {call.vertices[0].x, call.vertices[0].y, call.vertices[2].x, call.vertices[2].y}; }

void expectBox(const std::vector<DrawCall>& d, Box expected, const char* what) {
    ASSERT_EQ(d.size(), 1u) << what;
    const Box b = boxOf(d[0]);
    EXPECT_FLOAT_EQ(b.left, expected.left) << what;
    EXPECT_FLOAT_EQ(b.top, expected.top) << what;
    EXPECT_FLOAT_EQ(b.right, expected.right) << what;
    EXPECT_FLOAT_EQ(b.bottom, expected.bottom) << what;
}

TEST_F(SpriteTrimTest, ExactTrimmingTrimsOnlyWhereEveryPixelSamplesWellInsideATexel) {
    // At scale 1 on whole coordinates each pixel samples a texel's middle: the part (offsets
    // 3 .. 12 and 5 .. 12, half a texel spare around the block) is drawn.
    expectBox(drawOne(SpriteTrim::Exact, 100, 100, 1, 1, 0), {95, 97, 104, 104}, "scale 1");
    // Mirrored, the part counts from the other side.
    expectBox(drawOne(SpriteTrim::Exact, 100, 100, -1, -1, 0), {96, 96, 105, 103}, "mirrored");
    // At scale 3 the samples fall a sixth of a texel or more from the edges.
    expectBox(drawOne(SpriteTrim::Exact, 100, 100, 3, 3, 0), {85, 91, 112, 112}, "scale 3");
    // Half a pixel over, every pixel samples a texel's edge; at scale 2 every other one does;
    // turned, some pixel comes near an edge: the whole cell, as the rasteriser rounds it.
    expectBox(drawOne(SpriteTrim::Exact, 100.5f, 100, 1, 1, 0), {92.5f, 92, 108.5f, 108}, "half a pixel over");
    expectBox(drawOne(SpriteTrim::Exact, 100, 100, 2, 2, 0), {84, 84, 116, 116}, "scale 2");
    const std::vector<DrawCall> turned = drawOne(SpriteTrim::Exact, 100, 100, 1, 1, 30);
    const std::vector<DrawCall> turnedWhole = drawOne(SpriteTrim::WholeCells, 100, 100, 1, 1, 30);
    ASSERT_EQ(turned.size(), 1u);
    EXPECT_EQ(turned[0].vertices[0].u, turnedWhole[0].vertices[0].u);
    EXPECT_EQ(turned[0].vertices[2].x, turnedWhole[0].vertices[2].x);
    // Filtering weighs texels by rounded fractions: the alpha sprite stays whole.
    const std::vector<DrawCall> smooth = drawOneAlpha(SpriteTrim::Exact, 100, 100, 1, 0);
    ASSERT_EQ(smooth.size(), 1u);
    EXPECT_FLOAT_EQ(smooth[0].vertices[0].x, 91.5f);
    EXPECT_FLOAT_EQ(smooth[0].vertices[2].x, 107.5f);
    // With whole cells nothing is trimmed; with visible parts everything is.
    expectBox(drawOne(SpriteTrim::WholeCells, 100, 100, 1, 1, 0), {92, 92, 108, 108}, "whole cells");
    expectBox(drawOne(SpriteTrim::VisibleParts, 100.5f, 100, 1, 1, 0), {95.5f, 97, 104.5f, 104}, "visible parts");
}

// Where the whole quad puts texture coordinate (u, v): its corners 0, 1 and 3 span it.
void expectOnWholeQuad(const Vertex& p, const Vertex* whole, const char* what) {
    const float s = (p.u - whole[0].u) / (whole[1].u - whole[0].u);
    const float t = (p.v - whole[0].v) / (whole[3].v - whole[0].v);
    const float x = whole[0].x + s * (whole[1].x - whole[0].x) + t * (whole[3].x - whole[0].x);
    const float y = whole[0].y + s * (whole[1].y - whole[0].y) + t * (whole[3].y - whole[0].y);
    EXPECT_NEAR(p.x, x, 2e-3f) << what;
    EXPECT_NEAR(p.y, y, 2e-3f) << what;
    EXPECT_GE(s, -1e-6f) << what;
    EXPECT_LE(s, 1.0f + 1e-6f) << what;
    EXPECT_GE(t, -1e-6f) << what;
    EXPECT_LE(t, 1.0f + 1e-6f) << what;
}

TEST_F(SpriteTrimTest, AVisiblePartPutsEveryTexelWhereTheWholeCellDoes) {
    struct Way {
        float scaleX, scaleY;
        int angle;
    };
    const Way ways[] = {{1, 1, 0}, {0.7f, 0.7f, 0}, {1.3f, -1.3f, 0}, {-2, 2, 45}, {0.55f, 0.8f, 200}, {3, 3, -90}};
    for (const Way& w : ways) {
        SCOPED_TRACE(::testing::Message() << w.scaleX << " x " << w.scaleY << " turned " << w.angle);
        const std::vector<DrawCall> whole = drawOne(SpriteTrim::WholeCells, 210.3f, 140.6f, w.scaleX, w.scaleY, w.angle);
        const std::vector<DrawCall> part = drawOne(SpriteTrim::VisibleParts, 210.3f, 140.6f, w.scaleX, w.scaleY, w.angle);
        ASSERT_EQ(part.size(), 1u);
        for (const Vertex& v : part[0].vertices) expectOnWholeQuad(v, whole[0].vertices, "sprite");
        // The part spans offsets 3 .. 12 of the cell's 16 texels across.
        EXPECT_FLOAT_EQ(std::fabs(part[0].vertices[1].u - part[0].vertices[0].u) * kSide, 9.0f);

        const std::vector<DrawCall> smoothWhole = drawOneAlpha(SpriteTrim::WholeCells, 210.3f, 140.6f, w.scaleY, w.angle);
        const std::vector<DrawCall> smoothPart = drawOneAlpha(SpriteTrim::VisibleParts, 210.3f, 140.6f, w.scaleY, w.angle);
        ASSERT_EQ(smoothPart.size(), 1u);
        for (const Vertex& v : smoothPart[0].vertices) expectOnWholeQuad(v, smoothWhole[0].vertices, "alpha sprite");
        // Filtered, one texel more on the right: offsets 3 .. 13.
        EXPECT_FLOAT_EQ((smoothPart[0].vertices[1].u - smoothPart[0].vertices[0].u) * kSide, 10.0f);
    }
}

TEST_F(SpriteTrimTest, NothingVisibleDrawsNothingAndMultiplyDrawsTheWholeCell) {
    for (SpriteTrim trim : {SpriteTrim::Exact, SpriteTrim::VisibleParts}) {
        EXPECT_TRUE(drawOne(trim, 100, 100, 1, 1, 0, BlendMode::Darken, kBlankCell).empty());
        // The blend mode of a left-out sprite is still the device's last one.
        EXPECT_EQ(device.blend.source, platform::BlendFactor::Zero);
        EXPECT_EQ(device.blend.destination, platform::BlendFactor::InvSrcColour);
        // Exact trimming looks only at unturned sprites sampled nearest.
        const bool leftOut = trim == SpriteTrim::VisibleParts;
        EXPECT_EQ(drawOne(trim, 100, 100, 0.7f, 0.7f, 33, BlendMode::Additive, kBlankCell).empty(), leftOut);
        EXPECT_EQ(drawOneAlpha(trim, 100, 100, 1, 0, kBlankCell).empty(), leftOut);
        // Multiply turns the picture black under a blank texel: never trimmed, never left out.
        expectBox(drawOne(trim, 100, 100, 1, 1, 0, BlendMode::Multiply), {92, 92, 108, 108}, "multiply");
        expectBox(drawOne(trim, 100, 100, 1, 1, 0, BlendMode::Multiply, kBlankCell), {92, 92, 108, 108}, "blank");
    }
    EXPECT_EQ(drawOne(SpriteTrim::WholeCells, 100, 100, 1, 1, 0, BlendMode::Darken, kBlankCell).size(), 1u);
}

}  // namespace
