// The window: first placement, the six scales on F2 with their titles, F1's title reset.
#include <gtest/gtest.h>

#include <string>

#include "app/main_window.h"
#include "app_fixture.h"
#include "platform/headless/headless.h"

namespace hl = platform::headless;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { apptest::resetPlatform(); }
    void TearDown() override { stopWindowSystem(); }

    void open(int desktopWidth, int desktopHeight) {
        hl::setDesktopSize(desktopWidth, desktopHeight);
        ASSERT_TRUE(startWindowSystem());
        readDesktopSize();
        ASSERT_TRUE(createMainWindow());
    }
    // Delivers a key-down event the way the message pump does.
    void press(platform::WindowKey key) {
        hl::pushEvent({platform::EventKind::KeyDown, key});
        platform::Event event;
        while (platform::pollEvent(event)) ASSERT_TRUE(handleWindowEvent(event));
    }
};

std::string title(int w, int h) {
    return "Mossbloom --- " + std::to_string(w) + " \xC3\x97 " + std::to_string(h);
}

TEST_F(MainWindowTest, OpensCentredAt640By480WithTheSizeInItsTitleAndNoPointer) {
    open(1920, 1080);
    const hl::WindowRecord& w = hl::windowRecord();
    EXPECT_EQ(w.title, "Mossbloom --- 640 × 480");
    EXPECT_EQ(w.width, 640);
    EXPECT_EQ(w.height, 480);
    EXPECT_EQ(w.x, 640);
    EXPECT_EQ(w.y, 280);   // (1080 - 520) / 2
    EXPECT_TRUE(w.cursorHidden);
}

TEST_F(MainWindowTest, FirstPlacementMayStartOffASmallDesktop) {
    open(600, 401);
    EXPECT_EQ(hl::windowRecord().x, -20);
    EXPECT_EQ(hl::windowRecord().y, -59);   // -119 / 2 truncates toward zero
}

TEST_F(MainWindowTest, SixF2PressesWalkThroughEveryScaleAndBack) {
    open(1920, 1080);
    const int sizes[6][2] = {{800, 600}, {960, 720}, {1024, 768}, {1120, 840}, {1280, 960}, {640, 480}};
    for (const auto& size : sizes) {
        press(platform::WindowKey::F2);
        const hl::WindowRecord& w = hl::windowRecord();
        EXPECT_EQ(w.title, title(size[0], size[1]));
        EXPECT_EQ(w.width, size[0]);
        EXPECT_EQ(w.height, size[1]);
        EXPECT_EQ(w.x, (1920 - size[0]) / 2);
        EXPECT_EQ(w.y, (1080 - size[1] - 40) / 2);
    }
    EXPECT_EQ(mainWindow.windowScaleStep, 0);
}

TEST_F(MainWindowTest, LargeScalesOnASmallDesktopStayAtTheTopLeft) {
    open(1024, 768);
    for (int i = 0; i < 5; ++i) press(platform::WindowKey::F2);
    EXPECT_EQ(hl::windowRecord().width, 1280);
    EXPECT_EQ(hl::windowRecord().x, 0);
    EXPECT_EQ(hl::windowRecord().y, 0);
}

TEST_F(MainWindowTest, ScaleResetSetsTheStepAndTitleWithoutMovingAndF2StartsOver) {
    open(1920, 1080);
    press(platform::WindowKey::F2);
    press(platform::WindowKey::F2);
    const int moves = hl::windowRecord().moves;
    press(platform::WindowKey::F1);
    EXPECT_EQ(hl::windowRecord().title, title(960, 720)) << "F1 itself waits for the display switch";
    EXPECT_EQ(mainWindow.windowScaleStep, 2);
    resetWindowScale();
    EXPECT_EQ(hl::windowRecord().title, title(640, 480));
    EXPECT_EQ(hl::windowRecord().moves, moves);
    EXPECT_EQ(hl::windowRecord().width, 960) << "the window itself is left as it is";
    press(platform::WindowKey::F2);
    EXPECT_EQ(hl::windowRecord().title, title(800, 600));
}

TEST_F(MainWindowTest, CloseEndsTheLoopAndFailuresAreReported) {
    open(1920, 1080);
    EXPECT_FALSE(handleWindowEvent({platform::EventKind::Quit, platform::WindowKey::Other}));
    EXPECT_TRUE(handleWindowEvent({platform::EventKind::KeyDown, platform::WindowKey::Other}));
    stopWindowSystem();

    hl::resetWindow();
    hl::clearMessages();
    hl::setWindowCreationFails(true);
    EXPECT_FALSE(createMainWindow());
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(hl::messages()[0].text, "ウィンドウの作成に失敗しました");
    EXPECT_EQ(hl::messages()[0].detail, "Could not open the game's window.");
}

}  // namespace
