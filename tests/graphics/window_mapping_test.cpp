#include "graphics_test_support.h"
#include "test_support/window_mapping.h"

using testsupport::expectLogical;

TEST(ScreenViewport, FullScreenLetterboxesToFourByThree) {
    using platform::screenViewport;
    auto wide = screenViewport(1920, 1080, true);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);
    auto tall = screenViewport(1280, 1024, true);
    EXPECT_EQ(tall.x, 0);
    EXPECT_EQ(tall.y, 32);
    EXPECT_EQ(tall.height, 960);
    // A window is always stretched over its whole client area.
    auto window = screenViewport(1000, 600, false);
    EXPECT_EQ(window.width, 1000);
    EXPECT_EQ(window.height, 600);
}

TEST(ScreenViewport, OnlyWholeNumberScalesAreDrawnCrisp) {
    using platform::drawnAtWholeScale;
    using platform::screenViewport;
    EXPECT_TRUE(drawnAtWholeScale(screenViewport(640, 480, false)));
    EXPECT_TRUE(drawnAtWholeScale(screenViewport(1280, 960, false)));
    EXPECT_TRUE(drawnAtWholeScale(screenViewport(2560, 1440, true))) << "3x between bars";
    for (int w : {800, 960, 1024, 1120}) EXPECT_FALSE(drawnAtWholeScale(screenViewport(w, w * 3 / 4, false))) << w;
    EXPECT_FALSE(drawnAtWholeScale(screenViewport(1920, 1080, true))) << "2.25x";
    EXPECT_FALSE(drawnAtWholeScale(screenViewport(1280, 480, false))) << "stretched one way only";
    EXPECT_FALSE(drawnAtWholeScale(screenViewport(0, 0, false)));
}

TEST(WindowToLogical, FollowsTheWindowScaleAndTheFullScreenBars) {
    platform::headless::resetWindow();
    platform::createWindow("test", 0, 0, 1280, 960);
    expectLogical(0, 0, 0, 0);
    expectLogical(1279, 959, 639, 479);
    expectLogical(641, 3, 320, 1);

    platform::setFullscreen(true);  // the default desktop, 1920 x 1080
    expectLogical(240, 0, 0, 0);
    expectLogical(1679, 1079, 639, 479);
    // The bars lie outside the screen, left of 0 and right of 639.
    expectLogical(239, 500, -1, 222);
    expectLogical(1680, 500, 640, 222);
    platform::headless::resetWindow();
}

TEST(HeadlessWindow, RecordsTitleFocusAndEvents) {
    platform::headless::resetWindow();
    ASSERT_TRUE(platform::createWindow("Mossbloom --- 640 × 480", 640, 280, 640, 480));
    EXPECT_FALSE(platform::createWindow("second", 0, 0, 10, 10));
    EXPECT_STREQ(platform::windowTitle(), "Mossbloom --- 640 × 480");
    EXPECT_TRUE(platform::windowHasFocus());
    platform::headless::setWindowFocus(false);
    EXPECT_FALSE(platform::windowHasFocus());

    platform::headless::pushEvent({platform::EventKind::KeyDown, platform::WindowKey::F2});
    platform::headless::pushEvent({platform::EventKind::Quit, platform::WindowKey::Other});
    platform::Event e;
    ASSERT_TRUE(platform::pollEvent(e));
    EXPECT_EQ(e.key, platform::WindowKey::F2);
    ASSERT_TRUE(platform::pollEvent(e));
    EXPECT_EQ(e.kind, platform::EventKind::Quit);
    EXPECT_FALSE(platform::pollEvent(e));
    platform::headless::resetWindow();
}
