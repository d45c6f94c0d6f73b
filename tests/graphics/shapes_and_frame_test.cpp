#include "graphics_test_support.h"

using namespace graphics_test;
using platform::BlendFactor;

namespace {

void expectLine(const DrawCall& call, float x0, float y0, float x1, float y1) {
    EXPECT_EQ(call.kind, DrawKind::Line);
    EXPECT_FLOAT_EQ(call.vertices[0].x, x0);
    EXPECT_FLOAT_EQ(call.vertices[0].y, y0);
    EXPECT_FLOAT_EQ(call.vertices[1].x, x1);
    EXPECT_FLOAT_EQ(call.vertices[1].y, y1);
}

}  // namespace

TEST_F(DeviceTest, OutlineRectangleLinesRunPastTheFarCorner) {
    drawRect(device, BlendMode::Alpha, 10, 20, 30, 40, {150, 150, 150}, false);
    ASSERT_EQ(draws().size(), 4u);
    expectLine(draws()[0], 10, 20, 41, 20);
    expectLine(draws()[1], 10, 20, 10, 61);
    expectLine(draws()[2], 40, 60, 10, 60);
    expectLine(draws()[3], 40, 60, 40, 20);
    for (const DrawCall& call : draws()) {
        EXPECT_EQ(call.vertices[0].colour, 0xFF969696u);
        EXPECT_EQ(call.vertices[1].colour, 0xFF969696u);
    }
}

TEST_F(DeviceTest, FilledAndGradientRectanglesAreUntexturedFans) {
    drawRect(device, BlendMode::Darken, 0, -5, 640, 30, {130, 130, 130}, true);
    drawGradientRect(device, BlendMode::Additive, 3, 16, 47, 6, {255, 255, 150}, {255, 255, 150}, {255, 255, 0},
                     {255, 255, 0});
    ASSERT_EQ(draws().size(), 2u);
    const DrawCall& filled = draws()[0];
    EXPECT_EQ(filled.texture, platform::kNoTexture);
    EXPECT_FLOAT_EQ(filled.vertices[0].y, -5);
    EXPECT_FLOAT_EQ(filled.vertices[2].x, 640);
    EXPECT_FLOAT_EQ(filled.vertices[2].y, 25);
    const DrawCall& gradient = draws()[1];
    EXPECT_EQ(gradient.blend.source, BlendFactor::SrcAlpha);
    EXPECT_EQ(gradient.blend.destination, BlendFactor::One);
    EXPECT_EQ(gradient.vertices[1].colour, 0xFFFFFF96u);
    EXPECT_EQ(gradient.vertices[2].colour, 0xFFFFFF00u);
    EXPECT_FLOAT_EQ(gradient.vertices[2].x, 50);
    EXPECT_FLOAT_EQ(gradient.vertices[3].y, 22);
}

TEST_F(DeviceTest, UnknownBlendModeKeepsThePreviousFactors) {
    drawRect(device, BlendMode::Invert, 0, 0, 10, 10, {255, 255, 255}, true);
    // The alpha sprite blends with its own states and leaves the device's alone.
    installTexture(device, 0, 16, 16);
    drawSpriteAlpha(device, Sheet::Objects, true, 5, 5, {0, 0, 4, 4}, 1, 1, 0, 255, {255, 255, 255});
    drawRect(device, static_cast<BlendMode>(7), 0, 0, 10, 10, {255, 255, 255}, true);
    drawLine(device, static_cast<BlendMode>(-1), 0, 0, 5, 5, {0, 0, 0}, {0, 0, 0});
    ASSERT_EQ(draws().size(), 4u);
    for (int i : {2, 3}) {
        EXPECT_EQ(draws()[i].blend.source, BlendFactor::InvDestColour);
        EXPECT_EQ(draws()[i].blend.destination, BlendFactor::InvSrcColour);
    }
}

TEST_F(DeviceTest, SkippedFrameDrawsAndPresentsNothing) {
    installTexture(device, 5, 1024, 1024);
    device.drawEnabled = false;
    beginScene(device);
    EXPECT_FALSE(
        drawSprite(device, Sheet::Interface, BlendMode::Alpha, 10, 10, {0, 0, 8, 8}, 1, 1, 0, {255, 255, 255}));
    EXPECT_FALSE(drawSpriteAlpha(device, Sheet::Interface, true, 10, 10, {0, 0, 8, 8}, 1, 1, 0, 255, {255, 255, 255}));
    EXPECT_FALSE(drawCellStrip(device, BlendMode::Alpha, 0, 0, 0, 10, 1, 1, 255, 255));
    EXPECT_FALSE(drawRect(device, BlendMode::Alpha, 0, 0, 10, 10, {255, 255, 255}, true));
    EXPECT_FALSE(drawRect(device, BlendMode::Alpha, 0, 0, 10, 10, {255, 255, 255}, false));
    EXPECT_FALSE(drawGradientRect(device, BlendMode::Alpha, 0, 0, 10, 10, {}, {}, {}, {}));
    EXPECT_FALSE(drawLine(device, BlendMode::Alpha, 0, 0, 10, 10, {0, 0, 0}, {0, 0, 0}));
    EXPECT_FALSE(drawQuad(device, 5, BlendMode::Alpha));
    drawText(device, "FPS", 3, 3, 1, 1, 255, 255, 255, 255);
    drawNumber(device, -12, BlendMode::Alpha, false, 0, 0, Sheet::Interface, {500, 0, 30, 40}, 1, 1, {255, 255, 255});
    drawSmallNumber(device, 3, BlendMode::Alpha, 7, 0, 0, 1, 1);
    drawNumberAlpha(device, 2, 30, Sheet::Interface, 35, 3, {260, 150, 8, 12}, 1, 1, 255, {255, 255, 255});
    endScene(device);
    presentFrame(device);
    const auto& record = platform::headless::videoRecord();
    EXPECT_EQ(record.drawCount, 0);
    EXPECT_EQ(record.presents, 0);
    EXPECT_EQ(record.beginScenes, 1);

    device.drawEnabled = true;
    presentFrame(device);
    EXPECT_EQ(platform::headless::videoRecord().presents, 1);
}

TEST_F(DeviceTest, DisplayModeToggleReturnsTheWindowToItsFirstPlace) {
    const auto& window = platform::headless::windowRecord();
    // Creating the device in a window neither switches nor moves it.
    EXPECT_FALSE(window.fullscreen);
    EXPECT_EQ(window.moves, 0);
    EXPECT_TRUE(device.cullingEnabled);

    platform::moveWindow(300, 200, 960, 720);
    resetDevice(device, false);
    EXPECT_TRUE(window.fullscreen);
    EXPECT_FALSE(device.windowed);
    resetDevice(device, true);
    EXPECT_FALSE(window.fullscreen);
    EXPECT_EQ(window.x, 100);
    EXPECT_EQ(window.y, 50);
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.height, 480);
}

TEST(GraphicsStart, StartingInFullScreenSwitchesOnce) {
    platform::headless::resetWindow();
    platform::createWindow("test", 0, 0, 640, 480);
    GraphicsDevice device;
    initGraphics(device, false);
    EXPECT_TRUE(device.deviceCreated);
    EXPECT_TRUE(platform::headless::windowRecord().fullscreen);
    releaseGraphics(device);
    platform::headless::resetWindow();
}

TEST(GraphicsStart, NoRendererEndsTheProgramWithTheDeviceMessage) {
    EXPECT_EXIT(
        {
            platform::headless::setVideoFailures(true, false);
            GraphicsDevice device;
            initGraphics(device, true);
        },
        ::testing::ExitedWithCode(1), "DIRECT3Dデバイスの作成に失敗しました。");
}
