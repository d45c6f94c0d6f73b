#include <cmath>

#include "graphics_test_support.h"

using namespace graphics_test;
using platform::Vertex;

namespace {

constexpr float kTexW = 256, kTexH = 128;

void expectCorner(const Vertex& v, float x, float y, float cellU, float cellV) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    // Texture coordinates in texels, with the half-texel offset.
    EXPECT_FLOAT_EQ(v.u * kTexW, cellU + 0.5f);
    EXPECT_FLOAT_EQ(v.v * kTexH, cellV + 0.5f);
}

// Cell (10, 20) 30 x 40 centred on (100, 200) on a 256 x 128 texture.
void fillQuad(GraphicsDevice& device, float scaleX, float scaleY, int angle = 0) {
    setSpriteQuad(device, 100, 200, {10, 20, 30, 40}, 256, 128, scaleX, scaleY, angle, {1, 2, 3});
}

}  // namespace

TEST(SpriteQuad, CornersAndTexelsAtScaleOneAndTwo) {
    GraphicsDevice device;
    fillQuad(device, 1, 1);
    expectCorner(device.quad[0], 85, 180, 10, 20);
    expectCorner(device.quad[1], 115, 180, 40, 20);
    expectCorner(device.quad[2], 115, 220, 40, 60);
    expectCorner(device.quad[3], 85, 220, 10, 60);
    for (const Vertex& v : device.quad) EXPECT_EQ(v.colour, 0xFF010203u);

    // Twice the size about the same centre.
    fillQuad(device, 2, 2);
    expectCorner(device.quad[0], 70, 160, 10, 20);
    expectCorner(device.quad[1], 130, 160, 40, 20);
    expectCorner(device.quad[2], 130, 240, 40, 60);
    expectCorner(device.quad[3], 70, 240, 10, 60);
}

TEST(SpriteQuad, NegativeScalesSwapTexelsNotCorners) {
    GraphicsDevice device;
    fillQuad(device, -1, 1);
    expectCorner(device.quad[0], 85, 180, 40, 20);
    expectCorner(device.quad[1], 115, 180, 10, 20);
    expectCorner(device.quad[2], 115, 220, 10, 60);
    expectCorner(device.quad[3], 85, 220, 40, 60);

    fillQuad(device, -2, -2);
    expectCorner(device.quad[0], 70, 160, 40, 60);
    expectCorner(device.quad[1], 130, 160, 10, 60);
    expectCorner(device.quad[2], 130, 240, 10, 20);
    expectCorner(device.quad[3], 70, 240, 40, 20);
}

TEST(SpriteQuad, ColourChannelsKeepTheirLowEightBits) {
    GraphicsDevice device;
    setSpriteQuad(device, 0, 0, {0, 0, 1, 1}, 1, 1, 1, 1, 0, {256 + 7, -1, 512});
    EXPECT_EQ(device.quad[0].colour, 0xFF07FF00u);
}

TEST_F(DeviceTest, DrawSpriteAtNinetyDegreesTurnsTheRightEdgeUp) {
    installTexture(device, 0, 256, 128);
    ASSERT_TRUE(
        drawSprite(device, Sheet::Objects, BlendMode::Darken, 100, 200, {10, 20, 30, 40}, 1, 1, 90, {255, 255, 255}));
    ASSERT_EQ(draws().size(), 1u);
    const DrawCall& call = draws()[0];
    EXPECT_EQ(call.kind, DrawKind::TriangleFan);
    EXPECT_EQ(call.count, 4);
    EXPECT_EQ(call.texture, device.textures[0].handle);
    EXPECT_EQ(call.filter, platform::Filter::Nearest);
    EXPECT_EQ(call.blend.source, platform::BlendFactor::Zero);
    EXPECT_EQ(call.blend.destination, platform::BlendFactor::InvSrcColour);
    // The right edge (corners 1 and 2) now lies along the top, running left to right.
    const Vertex* v = call.vertices;
    EXPECT_NEAR(v[1].x, 80, 1e-3);
    EXPECT_NEAR(v[1].y, 185, 1e-3);
    EXPECT_NEAR(v[2].x, 120, 1e-3);
    EXPECT_NEAR(v[2].y, 185, 1e-3);
    EXPECT_NEAR(v[0].x, 80, 1e-3);
    EXPECT_NEAR(v[0].y, 215, 1e-3);
}

TEST_F(DeviceTest, DrawSpriteAlphaAtNinetyDegreesTurnsTheRightEdgeDown) {
    installTexture(device, 6, 256, 128);
    ASSERT_TRUE(drawSpriteAlpha(device, Sheet::Effect, false, 100, 200, {10, 20, 30, 40}, 1, 1, 90, 128, {10, 20, 30}));
    ASSERT_EQ(draws().size(), 1u);
    const DrawCall& call = draws()[0];
    EXPECT_EQ(call.filter, platform::Filter::Linear);
    EXPECT_EQ(call.blend.source, platform::BlendFactor::SrcAlpha);
    EXPECT_EQ(call.blend.destination, platform::BlendFactor::InvSrcAlpha);
    EXPECT_EQ(call.vertices[0].colour, 0x800A141Eu);
    // Turned about the middle of the cell, (115, 220); corners lie half a pixel before the centres.
    const Vertex* v = call.vertices;
    EXPECT_NEAR(v[1].x, 134.5, 2e-3);
    EXPECT_NEAR(v[1].y, 234.5, 2e-3);
    EXPECT_NEAR(v[2].x, 94.5, 2e-3);
    EXPECT_NEAR(v[2].y, 234.5, 2e-3);
}

TEST_F(DeviceTest, DrawSpriteAlphaGrowsFromTheCornerOrAboutTheCentre) {
    installTexture(device, 6, 256, 128);
    drawSpriteAlpha(device, Sheet::Effect, false, 100, 200, {10, 20, 30, 40}, 2, 2, 0, 255, {255, 255, 255});
    drawSpriteAlpha(device, Sheet::Effect, true, 100, 200, {10, 20, 30, 40}, 2, 2, 0, 255, {255, 255, 255});
    ASSERT_EQ(draws().size(), 2u);
    const Vertex* corner = draws()[0].vertices;
    EXPECT_FLOAT_EQ(corner[0].x, 99.5f);
    EXPECT_FLOAT_EQ(corner[0].y, 199.5f);
    EXPECT_FLOAT_EQ(corner[2].x, 159.5f);
    EXPECT_FLOAT_EQ(corner[2].y, 279.5f);
    // Texture coordinates run edge to edge of the cell.
    EXPECT_FLOAT_EQ(corner[0].u * kTexW, 10);
    EXPECT_FLOAT_EQ(corner[2].u * kTexW, 40);
    EXPECT_FLOAT_EQ(corner[2].v * kTexH, 60);
    const Vertex* centred = draws()[1].vertices;
    EXPECT_FLOAT_EQ(centred[0].x, 69.5f);
    EXPECT_FLOAT_EQ(centred[0].y, 159.5f);
    EXPECT_FLOAT_EQ(centred[2].x, 129.5f);
    EXPECT_FLOAT_EQ(centred[2].y, 239.5f);
}

TEST_F(DeviceTest, CellStripTakesTheGaugeRowOfTheInterfaceSheet) {
    installTexture(device, 5, 1024, 1024);
    drawCellStrip(device, BlendMode::Alpha, 225, 450, 300, 85, 1, 1, 40, 50);
    ASSERT_EQ(draws().size(), 1u);
    const testsupport::SeenQuad seen = testsupport::readQuad(draws()[0], device, 1024);
    EXPECT_FLOAT_EQ(seen.centreX, 225 + 42.5f);
    EXPECT_FLOAT_EQ(seen.centreY, 465);
    EXPECT_EQ(seen.cellX, 300);
    EXPECT_EQ(seen.cellY, 400);
    EXPECT_FLOAT_EQ(draws()[0].vertices[1].x - draws()[0].vertices[0].x, 85);
    EXPECT_EQ(draws()[0].vertices[0].colour, 0xFF2832FFu);
}

TEST_F(DeviceTest, EmptyOrUnknownSlotsNeverCrash) {
    // An empty slot draws the colour alone; a slot outside the table draws nothing.
    EXPECT_TRUE(
        drawSprite(device, Sheet::Objects2Monochrome, BlendMode::Alpha, 10, 10, {0, 0, 8, 8}, 1, 1, 0, {255, 0, 0}));
    ASSERT_EQ(draws().size(), 1u);
    EXPECT_EQ(draws()[0].texture, platform::kNoTexture);
    EXPECT_FALSE(drawSprite(device, sheetAt(8), BlendMode::Alpha, 10, 10, {0, 0, 8, 8}, 1, 1, 0, {255, 0, 0}));
    EXPECT_FALSE(drawSpriteAlpha(device, sheetAt(-1), true, 10, 10, {0, 0, 8, 8}, 1, 1, 0, 255, {255, 0, 0}));
    EXPECT_EQ(draws().size(), 1u);
}
