// Draws through the real SDL renderer into the back buffer and reads the pixels back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "graphics/graphics_device.h"
#include "graphics/test_png.h"
#include "platform/video.h"
#include "platform/window.h"

namespace {

struct Rgb8 {
    int r, g, b;
};

Rgb8 channels(uint32_t argb) {
    return {static_cast<int>((argb >> 16) & 255), static_cast<int>((argb >> 8) & 255), static_cast<int>(argb & 255)};
}

// Opaque and never black (so the colour key leaves it alone): a different colour per texel.
uint32_t texel(int x, int y) { return 0xFF000080u | (static_cast<uint32_t>(x * 16) << 16) | (y * 16 << 8); }

class Rendering : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(platform::initPlatform());
        ASSERT_TRUE(platform::createWindow("rendering test", 0, 0, 640, 480));
        initGraphics(device, true);

        std::vector<uint32_t> numbered(16 * 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) numbered[y * 16 + x] = texel(x, y);
        load(0, numbered, 16, 16);

        // Left half opaque black (keyed away), right half white.
        std::vector<uint32_t> keyed(4 * 4);
        for (int i = 0; i < 16; ++i) keyed[i] = (i % 4) < 2 ? 0xFF000000u : 0xFFFFFFFFu;
        load(1, keyed, 4, 4);

        // A half-transparent colour for the textured blend modes.
        load(2, std::vector<uint32_t>(4 * 4, 0x803CB4F0u), 4, 4);

        // White with a red right-hand column, to see where the right edge turns.
        std::vector<uint32_t> marked(8 * 8, 0xFFFFFFFFu);
        for (int y = 0; y < 8; ++y) marked[y * 8 + 7] = 0xFFFF0000u;
        load(3, marked, 8, 8);
    }
    static void TearDownTestSuite() {
        releaseGraphics(device);
        platform::destroyWindow();
        platform::shutdownPlatform();
    }
    static void load(int slot, const std::vector<uint32_t>& pixels, int w, int h) {
        std::vector<uint8_t> png = encodePng(pixels, w, h);
        ASSERT_FALSE(png.empty());
        loadTextureFromMemory(device, slot, png.data(), png.size());
    }
    void SetUp() override {
        device.drawEnabled = true;
        beginScene(device);
        fill(0, 0, 0);
    }
    void fill(int r, int g, int b) { drawRect(device, BlendMode::Alpha, 0, 0, 640, 480, {r, g, b}, true); }
    std::vector<uint32_t> frame() {
        std::vector<uint32_t> pixels(640 * 480);
        EXPECT_TRUE(platform::readBackBuffer(pixels.data()));
        return pixels;
    }
    static uint32_t at(const std::vector<uint32_t>& f, int x, int y) { return f[y * 640 + x] | 0xFF000000u; }

    static GraphicsDevice device;
};

GraphicsDevice Rendering::device;

void expectNear(Rgb8 seen, Rgb8 expected, int tolerance, const char* what) {
    EXPECT_NEAR(seen.r, expected.r, tolerance) << what;
    EXPECT_NEAR(seen.g, expected.g, tolerance) << what;
    EXPECT_NEAR(seen.b, expected.b, tolerance) << what;
}

// The seven modes as the game defines them, per channel in 0..1: s source, d destination, a source alpha.
double blendResult(int mode, double s, double d, double a) {
    double r = 0;
    switch (mode) {
        case 0: r = s * a + d * (1 - a); break;
        case 1: r = s * d + d; break;
        case 2: r = s * (1 - d) + d; break;
        case 3: r = s * a + d; break;
        case 4: r = d * (1 - s); break;
        case 5: r = s * (1 - d) + d * (1 - s); break;
        case 6: r = d * s; break;
    }
    return std::min(1.0, r);
}

Rgb8 expectedBlend(int mode, Rgb8 s, Rgb8 d, int alpha) {
    auto one = [&](int sc, int dc) {
        return static_cast<int>(blendResult(mode, sc / 255.0, dc / 255.0, alpha / 255.0) * 255 + 0.5);
    };
    return {one(s.r, d.r), one(s.g, d.g), one(s.b, d.b)};
}

}  // namespace

TEST_F(Rendering, EverySevenBlendModeMatchesItsFactors) {
    const Rgb8 destination = {200, 120, 40};
    const Rgb8 source = {60, 180, 240};  // also the texture's colour, at alpha 128
    fill(destination.r, destination.g, destination.b);
    for (int mode = 0; mode < 7; ++mode) {
        drawRect(device, static_cast<BlendMode>(mode), 20 + mode * 40, 20, 20, 20, {source.r, source.g, source.b},
                 true);
        drawSprite(device, Sheet::Objects2, static_cast<BlendMode>(mode), 20 + mode * 40 + 10, 70, {0, 0, 4, 4}, 5, 5,
                   0, {255, 255, 255});
    }
    std::vector<uint32_t> f = frame();
    for (int mode = 0; mode < 7; ++mode) {
        SCOPED_TRACE(::testing::Message() << "blend mode " << mode);
        expectNear(channels(at(f, 30 + mode * 40, 30)), expectedBlend(mode, source, destination, 255), 2,
                   "untextured");
        expectNear(channels(at(f, 30 + mode * 40, 70)), expectedBlend(mode, source, destination, 128), 2, "textured");
    }
}

TEST_F(Rendering, CellAtScaleOneIsCopiedTexelForTexel) {
    fill(1, 2, 3);
    drawSprite(device, Sheet::Objects, BlendMode::Alpha, 100, 100, {4, 4, 8, 8}, 1, 1, 0, {255, 255, 255});  // nearest
    drawSpriteAlpha(device, Sheet::Objects, false, 200, 96, {4, 4, 8, 8}, 1, 1, 0, 255, {255, 255, 255});    // linear
    std::vector<uint32_t> f = frame();
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(at(f, 96 + i, 96 + j), texel(4 + i, 4 + j)) << i << ", " << j;
            expectNear(channels(at(f, 200 + i, 96 + j)), channels(texel(4 + i, 4 + j)), 1, "alpha sprite");
        }
    // Nothing spills over the cell's edges.
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(at(f, 95, 96 + k), 0xFF010203u);
        EXPECT_EQ(at(f, 104, 96 + k), 0xFF010203u);
        EXPECT_EQ(at(f, 96 + k, 95), 0xFF010203u);
        EXPECT_EQ(at(f, 96 + k, 104), 0xFF010203u);
        EXPECT_EQ(at(f, 199, 96 + k), 0xFF010203u);
        EXPECT_EQ(at(f, 208, 96 + k), 0xFF010203u);
    }
}

TEST_F(Rendering, MirroredCellAndCellsOnTheTextureEdgeAreDrawn) {
    fill(1, 2, 3);
    drawSprite(device, Sheet::Objects, BlendMode::Alpha, 300, 100, {4, 4, 8, 8}, -1, 1, 0, {255, 255, 255});
    drawSprite(device, Sheet::Objects, BlendMode::Alpha, 400, 100, {8, 8, 8, 8}, 1, 1, 0,
               {255, 255, 255});  // touches right and bottom
    std::vector<uint32_t> f = frame();
    // Mirroring swaps the half-texel coordinates, so the mirrored picture starts one texel
    // further right on the sheet: texels 12 down to 5.
    for (int j = 0; j < 8; ++j)
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(at(f, 296 + i, 96 + j), texel(12 - i, 4 + j)) << "mirrored " << i << ", " << j;
            EXPECT_EQ(at(f, 396 + i, 96 + j), texel(8 + i, 8 + j)) << "edge " << i << ", " << j;
        }
}

TEST_F(Rendering, OpaqueBlackTexelsAreTransparent) {
    fill(255, 0, 0);
    drawSprite(device, Sheet::ObjectsMonochrome, BlendMode::Alpha, 502, 102, {0, 0, 4, 4}, 1, 1, 0, {255, 255, 255});
    std::vector<uint32_t> f = frame();
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(at(f, 500, 100 + j), 0xFFFF0000u);
        EXPECT_EQ(at(f, 501, 100 + j), 0xFFFF0000u);
        EXPECT_EQ(at(f, 502, 100 + j), 0xFFFFFFFFu);
        EXPECT_EQ(at(f, 503, 100 + j), 0xFFFFFFFFu);
    }
}

TEST_F(Rendering, WhiteRectangleInModeFiveInvertsThePicture) {
    drawGradientRect(device, BlendMode::Alpha, 0, 0, 640, 480, {255, 0, 30}, {0, 255, 90}, {20, 40, 255},
                     {128, 128, 128});
    drawSprite(device, Sheet::Objects, BlendMode::Alpha, 320, 240, {0, 0, 16, 16}, 4, 4, 0, {255, 255, 255});
    std::vector<uint32_t> before = frame();
    drawRect(device, BlendMode::Invert, 0, 0, 640, 480, {255, 255, 255}, true);
    endScene(device);
    presentFrame(device);
    std::vector<uint32_t> after = frame();
    int wrong = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        Rgb8 b = channels(before[i]), a = channels(after[i]);
        if (std::abs(a.r - (255 - b.r)) > 1 || std::abs(a.g - (255 - b.g)) > 1 || std::abs(a.b - (255 - b.b)) > 1)
            ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Rendering, KeptScenePictureComesBackWithoutWhatWasDrawnOverIt) {
    drawGradientRect(device, BlendMode::Alpha, 0, 0, 640, 480, {255, 0, 30}, {0, 255, 90}, {20, 40, 255},
                     {128, 128, 128});
    drawSprite(device, Sheet::Objects, BlendMode::Alpha, 320, 240, {0, 0, 16, 16}, 4, 4, 0, {255, 255, 255});
    const std::vector<uint32_t> scene = frame();
    keepScenePicture(device);
    // Three paused frames: the kept picture, an overlay and one inversion over it each time.
    for (int paused = 0; paused < 3; ++paused) {
        showKeptScenePicture(device);
        EXPECT_EQ(frame(), scene) << "paused frame " << paused << ": the kept picture, exactly";
        drawRect(device, BlendMode::Alpha, 3, 3, 50, 10, {255, 255, 0}, true);
        drawRect(device, BlendMode::Invert, 0, 0, 640, 480, {255, 255, 255}, true);
        endScene(device);
        presentFrame(device);
        beginScene(device);
        const std::vector<uint32_t> shown = frame();
        Rgb8 s = channels(scene[300 * 640 + 500]), a = channels(shown[300 * 640 + 500]);
        EXPECT_EQ(a.r, 255 - s.r) << "inverted once, not once more each frame";
        EXPECT_EQ(a.g, 255 - s.g);
    }
    // Nothing drawn while drawing is off reaches either picture.
    device.drawEnabled = false;
    showKeptScenePicture(device);
    keepScenePicture(device);
    device.drawEnabled = true;
    EXPECT_NE(frame(), scene);
    showKeptScenePicture(device);
    EXPECT_EQ(frame(), scene);
}

// A keep copies nothing until something is drawn over the kept picture: notes in the top-left
// corner save that corner, anything else the whole picture. Whatever was drawn after the keep,
// the picture shown again is the one kept.
TEST_F(Rendering, KeptScenePictureSurvivesNotesWholeDrawsAndTheNextScene) {
    const auto drawScene = [](Rgb8 top) {
        drawGradientRect(device, BlendMode::Alpha, 0, 0, 640, 480, {top.r, top.g, top.b}, {0, 255, 90},
                         {20, 40, 255}, {128, 128, 128});
        drawSprite(device, Sheet::Objects, BlendMode::Alpha, 60, 12, {0, 0, 16, 16}, 4, 4, 0, {255, 255, 255});
    };
    const auto drawNotes = [] {
        drawRect(device, BlendMode::Alpha, 3, 16, 47, 6, {255, 0, 0}, true);
        drawSprite(device, Sheet::Objects2, BlendMode::Alpha, 90, 20, {0, 0, 4, 4}, 16, 2, 0, {255, 255, 255});
    };
    const auto nextFrame = [] {
        endScene(device);
        presentFrame(device);
        beginScene(device);
    };
    const std::vector<uint32_t> black(640 * 480, 0xFF000000u);

    dropKeptScenePicture(device);
    drawScene({255, 0, 30});
    const std::vector<uint32_t> first = frame();
    keepScenePicture(device);
    drawNotes();
    ASSERT_NE(frame(), first) << "the notes change the corner";
    nextFrame();
    // Paused frames with notes alone: the corner comes back each time.
    for (int paused = 0; paused < 3; ++paused) {
        showKeptScenePicture(device);
        EXPECT_EQ(frame(), first) << "paused frame " << paused;
        drawNotes();
        nextFrame();
    }
    // A draw over the whole picture after the notes: the kept picture is copied, corner and all.
    showKeptScenePicture(device);
    drawNotes();
    drawRect(device, BlendMode::Invert, 0, 0, 640, 480, {255, 255, 255}, true);
    nextFrame();
    showKeptScenePicture(device);
    EXPECT_EQ(frame(), first) << "after an inversion over the notes";

    // The next scene gives the old picture up; shown before it is kept, the picture is black.
    dropKeptScenePicture(device);
    drawScene({0, 0, 255});
    const std::vector<uint32_t> second = frame();
    ASSERT_NE(second, first);
    showKeptScenePicture(device);
    EXPECT_EQ(frame(), black) << "a dropped picture is black";
    drawScene({0, 0, 255});
    keepScenePicture(device);
    // Drawn over outside the corner without notes first, then shown twice.
    drawSprite(device, Sheet::Objects, BlendMode::Alpha, 320, 240, {0, 0, 16, 16}, 8, 8, 30, {255, 255, 255});
    nextFrame();
    showKeptScenePicture(device);
    EXPECT_EQ(frame(), second) << "after a sprite in the middle";
    drawNotes();
    nextFrame();
    showKeptScenePicture(device);
    EXPECT_EQ(frame(), second) << "after notes over the picture copied whole";
}

// A frame's draws reach the rasteriser in handfuls; every one still lands in the order it was
// made, across the handfuls, whatever texture and blend each uses.
TEST_F(Rendering, ManyDrawsLandInTheOrderTheyWereMade) {
    fill(0, 0, 0);
    for (int i = 0; i < 301; ++i) {
        const int x = (i * 37) % 600;
        const Rgb colour = i % 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
        drawRect(device, BlendMode::Alpha, static_cast<float>(x), 100, 40, 40, colour, true);
        drawRect(device, BlendMode::Alpha, 300, 300, 20, 20, colour, true);
        drawSprite(device, Sheet::Objects, i % 3 ? BlendMode::Alpha : BlendMode::Additive, 400, 400, {0, 0, 4, 4}, 1,
                   1, 0, {255, 255, 255});
    }
    const std::vector<uint32_t> f = frame();
    EXPECT_EQ(at(f, 310, 310), 0xFF0000FFu) << "the last of 301 squares in one place is blue";
    EXPECT_EQ(at(f, (300 * 37) % 600 + 20, 120), 0xFF0000FFu) << "the last square of the row is on top";
    EXPECT_EQ(at(f, (299 * 37) % 600 + 20, 120), 0xFFFF0000u) << "and the one before it is red";
}

TEST_F(Rendering, OutlineLeavesOutEachLineEndPixel) {
    drawRect(device, BlendMode::Alpha, 50, 300, 20, 10, {255, 255, 255}, false);
    std::vector<uint32_t> f = frame();
    for (int y = 290; y < 320; ++y)
        for (int x = 40; x < 80; ++x) {
            bool onOutline = ((x == 50 || x == 70) && y >= 300 && y <= 310) || ((y == 300 || y == 310) && x >= 50 && x <= 70);
            EXPECT_EQ(at(f, x, y), onOutline ? 0xFFFFFFFFu : 0xFF000000u) << x << ", " << y;
        }
}

TEST_F(Rendering, SpritesTurnOppositeWays) {
    fill(0, 0, 0);
    // The red right-hand column goes to the top for drawSprite and to the bottom for drawSpriteAlpha.
    drawSprite(device, Sheet::Objects2Monochrome, BlendMode::Alpha, 100, 400, {0, 0, 8, 8}, 1, 1, 90, {255, 255, 255});
    drawSpriteAlpha(device, Sheet::Objects2Monochrome, true, 200, 400, {0, 0, 8, 8}, 1, 1, 90, 255, {255, 255, 255});
    std::vector<uint32_t> f = frame();
    // Turned, the quad's half-texel offset points off the cell's right edge, past the
    // texture: that half texel is cut away, so the red column lands on the second row.
    EXPECT_EQ(at(f, 99, 397), 0xFFFF0000u);
    EXPECT_EQ(at(f, 99, 403), 0xFFFFFFFFu);
    Rgb8 bottom = channels(at(f, 199, 403)), top = channels(at(f, 199, 396));
    EXPECT_GT(bottom.r, 200);
    EXPECT_LT(bottom.g, 60);
    EXPECT_GT(top.g, 200);
}

TEST_F(Rendering, AnOpaqueFillOverTheWholeScreenReplacesEveryPixelAndAShorterOneLeavesTheRest) {
    auto gradient = [] {
        drawGradientRect(device, BlendMode::Alpha, 0, 0, 640, 480, {255, 0, 30}, {0, 255, 90}, {20, 40, 255},
                         {128, 128, 128});
    };
    gradient();
    const std::vector<uint32_t> picture = frame();
    for (const Rgb fill : {Rgb{10, 20, 30}, Rgb{255, 255, 255}}) {
        gradient();
        drawRect(device, BlendMode::Alpha, -3.0f, -2.0f, 650, 490, fill, true);
        const uint32_t expected = 0xFF000000u | static_cast<uint32_t>(fill.r << 16 | fill.g << 8 | fill.b);
        const std::vector<uint32_t> f = frame();
        EXPECT_EQ(std::count_if(f.begin(), f.end(), [&](uint32_t p) { return (p | 0xFF000000u) != expected; }), 0);
    }
    // One row short of the bottom, or added on top of the picture, the fill leaves the rest.
    gradient();
    drawRect(device, BlendMode::Alpha, 0.0f, 0.0f, 640, 479, {10, 20, 30}, true);
    drawRect(device, BlendMode::Additive, 0.0f, 0.0f, 640, 480, {0, 0, 0}, true);
    const std::vector<uint32_t> f = frame();
    for (int x = 0; x < 640; x += 7) {
        EXPECT_EQ(at(f, x, 478), 0xFF0A141Eu);
        EXPECT_EQ(at(f, x, 479), picture[479 * 640 + x] | 0xFF000000u);
    }
}
