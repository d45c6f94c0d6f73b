// The SDL window under a real X server: title, placement, full screen and the pointer mapping.
#include <gtest/gtest.h>

#include "graphics/graphics_device.h"
#include "platform/window.h"
#include "test_support/window_mapping.h"

using testsupport::expectLogical;

TEST(SdlWindow, TitlePlacementAndDisplayModeSwitch) {
    ASSERT_TRUE(platform::initPlatform());
    ASSERT_TRUE(platform::createWindow("Mossbloom --- 640 × 480", 100, 60, 640, 480));
    EXPECT_STREQ(platform::windowTitle(), "Mossbloom --- 640 × 480");
    GraphicsDevice device;
    initGraphics(device, true);
    EXPECT_FALSE(platform::isFullscreen());

    // A bigger window scales the pointer down to the logical screen.
    platform::moveWindow(10, 20, 1280, 960);
    platform::WindowRect moved = platform::windowRect();
    EXPECT_EQ(moved.right - moved.left, 1280);
    EXPECT_EQ(moved.bottom - moved.top, 960);
    expectLogical(1279, 959, 639, 479);
    expectLogical(640, 480, 320, 240);

    // Full screen and back: the window returns to where the device was created.
    resetDevice(device, false);
    EXPECT_TRUE(platform::isFullscreen());
    resetDevice(device, true);
    EXPECT_FALSE(platform::isFullscreen());
    platform::WindowRect back = platform::windowRect();
    EXPECT_EQ(back.right - back.left, 640);
    EXPECT_EQ(back.bottom - back.top, 480);
    EXPECT_EQ(back.left, device.windowRect.left);
    EXPECT_EQ(back.top, device.windowRect.top);

    // The back buffer survives the switches and can still be drawn and read.
    beginScene(device);
    drawRect(device, BlendMode::Alpha, 0, 0, 640, 480, {10, 20, 30}, true);
    std::vector<uint32_t> pixels(640 * 480);
    ASSERT_TRUE(platform::readBackBuffer(pixels.data()));
    EXPECT_EQ(pixels[1234] & 0xFFFFFFu, 0x0A141Eu);
    endScene(device);
    presentFrame(device);

    releaseGraphics(device);
    platform::destroyWindow();
    platform::shutdownPlatform();
}
