// Sprites trimmed to the visible part of their cells, drawn through the real SDL renderer: the
// frames must be the frames of whole cells, pixel for pixel, in every blend mode.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graphics/graphics_device.h"
#include "graphics/test_png.h"
#include "platform/video.h"
#include "platform/window.h"

namespace {

constexpr int kWidth = 96, kHeight = 72;  // padded to 128 x 128 on the texture

// Cells of the sheet: a soft blob with blank margins, a blob cut by the image's right and
// bottom edges, a blank cell, and a cell that runs off the image.
constexpr Cell kBlob = {0, 0, 32, 32};
constexpr Cell kEdge = {64, 40, 32, 32};
constexpr Cell kBlank = {32, 0, 32, 32};
constexpr Cell kOffImage = {80, 56, 32, 32};
constexpr Cell kCells[] = {kBlob, kEdge, kBlank, kOffImage};

// A blob centred at (cx, cy): opaque inside, fading over its rim, with a few texels that have
// colour but no alpha and alpha but no colour scattered over the blank around it.
uint32_t blobTexel(int x, int y, float cx, float cy, float radius) {
    const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
    if (d < radius) return 0xFF000000u | static_cast<uint32_t>(x * 9 % 256) << 16 | static_cast<uint32_t>(y * 7 % 256) << 8 | 0x60u;
    if (d < radius + 3) return static_cast<uint32_t>(255 - (d - radius) * 80) << 24 | 0x00C0A040u;
    if ((x * 7 + y * 3) % 53 == 0) return 0x00405060u;  // colour, no alpha
    if ((x * 5 + y * 11) % 61 == 0) return 0x90000000u; // alpha, no colour
    return 0u;
}

std::vector<uint32_t> sheetPixels() {
    std::vector<uint32_t> pixels(kWidth * kHeight, 0u);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint32_t p = 0;
            if (x < 32 && y < 32) p = blobTexel(x, y, 17.0f, 14.0f, 8.0f);
            if (x >= 64 && y >= 40) p = blobTexel(x, y, 92.0f, 68.0f, 9.0f);
            if (x >= 32 && x < 64 && y < 32) p = 0u;
            pixels[y * kWidth + x] = p;
        }
    return pixels;
}

struct Way {
    float x, y;  // offset of the sprite's centre in its slot
    float scaleX, scaleY;
    int angle;
};

// Scales, mirroring and turns, on whole and half pixels and in between.
constexpr Way kWays[] = {
    {40, 40, 1, 1, 0},         {40.5f, 40, 1, 1, 0},     {40.3f, 39.6f, 1, 1, 0}, {40, 40, -1, 1, 0},
    {40, 40, 1, -1, 0},        {40, 40, 3, 3, 0},        {40, 40, 2, 2, 0},       {40.25f, 40.7f, 0.7f, 0.7f, 0},
    {39.8f, 40.1f, 1.3f, -1.3f, 0}, {40, 40, 1, 1, 17}, {40.4f, 40.2f, 0.9f, 0.9f, 90}, {40, 40, -1.6f, 1.6f, 200},
};

class SpriteTrimRendering : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(platform::initPlatform());
        ASSERT_TRUE(platform::createWindow("sprite trim test", 0, 0, 640, 480));
        initGraphics(device, true);
        const std::vector<uint8_t> png = encodePng(sheetPixels(), kWidth, kHeight);
        ASSERT_FALSE(png.empty());
        loadTextureFromMemory(device, slotOf(Sheet::Objects), png.data(), png.size());
    }
    static void TearDownTestSuite() {
        releaseGraphics(device);
        platform::destroyWindow();
        platform::shutdownPlatform();
    }

    // A coloured backdrop, then every cell drawn every way in the mode (nearest sprites), as
    // alpha sprites (kAlphaSprites) or not at all (kBackdrop), each in its own 80 x 80 slot; the
    // frame read back. midTexelsOnly keeps to the unturned ways on whole pixels at scales 1
    // and 3, whose every pixel samples a texel well inside its edges.
    static constexpr int kAlphaSprites = -1, kBackdrop = -2;
    static std::vector<uint32_t> frame(SpriteTrim trim, int mode, bool midTexelsOnly = false) {
        device.spriteTrim = trim;
        device.drawEnabled = true;
        beginScene(device);
        drawGradientRect(device, BlendMode::Alpha, 0, 0, 640, 480, {250, 20, 90}, {30, 240, 60}, {20, 60, 250},
                         {200, 200, 200});
        int slot = 0;
        for (const Cell& cell : kCells)
            for (const Way& w : kWays) {
                const float x = static_cast<float>(slot % 8 * 80) + w.x, y = static_cast<float>(slot / 8 * 80) + w.y;
                ++slot;
                const float scale = std::fabs(w.scaleX);
                const bool midTexels = w.angle == 0 && w.x == std::floor(w.x) && w.y == std::floor(w.y) &&
                                       (scale == 1.0f || scale == 3.0f) && std::fabs(w.scaleY) == scale;
                if (mode == kBackdrop || (midTexelsOnly && !midTexels)) continue;
                if (mode == kAlphaSprites) {
                    drawSpriteAlpha(device, Sheet::Objects, true, x, y, cell, w.scaleX, w.scaleY, w.angle, 220,
                                    {255, 200, 150});
                } else {
                    drawSprite(device, Sheet::Objects, static_cast<BlendMode>(mode), x, y, cell, w.scaleX, w.scaleY,
                               w.angle, {230, 180, 255});
                }
            }
        std::vector<uint32_t> pixels(640 * 480);
        EXPECT_TRUE(platform::readBackBuffer(pixels.data()));
        endScene(device);
        presentFrame(device);
        device.spriteTrim = SpriteTrim::Exact;
        return pixels;
    }

    static int differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        int count = 0;
        for (size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
        return count;
    }

    static GraphicsDevice device;
};

GraphicsDevice SpriteTrimRendering::device;

TEST_F(SpriteTrimRendering, ExactTrimmingLeavesEveryPixelAsWholeCellsDo) {
    const std::vector<uint32_t> backdrop = frame(SpriteTrim::WholeCells, kBackdrop);
    for (int mode = kAlphaSprites; mode < 7; ++mode) {
        SCOPED_TRACE(mode == kAlphaSprites ? "alpha sprites" : "nearest sprites, blend mode");
        SCOPED_TRACE(mode);
        const std::vector<uint32_t> whole = frame(SpriteTrim::WholeCells, mode);
        EXPECT_EQ(differing(whole, frame(SpriteTrim::Exact, mode)), 0);
        // The sprites changed the backdrop, so there was something to compare.
        EXPECT_GT(differing(whole, backdrop), 10000);
    }
}

// Where every pixel samples a texel well inside its edges, the visible parts alone (margins,
// the half-texel offset, mirroring, the texel past the cell, the image's edge) draw exactly the
// pixels of the whole cells; these are the sprites exact trimming trims.
TEST_F(SpriteTrimRendering, VisiblePartsSampledMidTexelDrawExactlyTheWholeCellsPixels) {
    for (int mode = 0; mode < 7; ++mode) {
        SCOPED_TRACE(mode);
        const std::vector<uint32_t> whole = frame(SpriteTrim::WholeCells, mode, true);
        EXPECT_EQ(differing(whole, frame(SpriteTrim::VisibleParts, mode, true)), 0);
    }
}

}  // namespace
