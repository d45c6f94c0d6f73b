#include <gtest/gtest.h>

#include <vector>

#include "input/input_device.h"
#include "platform/headless/headless.h"
#include "platform/keys.h"

namespace {

namespace hl = platform::headless;

struct InputTest : ::testing::Test {
    InputDevice input;

    void SetUp() override {
        hl::resetInput();
        hl::clearMessages();
        constructInputDevice(input);
        initInput(input);
    }

    // One frame as the loop runs it: the keyboard, and the rest only when it could be read.
    bool frame() {
        if (!pollKeyboard(input)) return false;
        pollMouse(input);
        updateCursorPosition(input);
        return true;
    }
};

TEST_F(InputTest, AHeldKeyIsReportedPressedOnItsFirstFrameOnly) {
    hl::setKeyDown(platform::DIK_Z);
    std::vector<bool> pressed;
    for (int i = 0; i < 3; ++i) {
        frame();
        pressed.push_back(keyPressed(input, platform::DIK_Z));
        EXPECT_TRUE(keyDown(input, platform::DIK_Z));
    }
    EXPECT_EQ(pressed, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(input.keyHeldFrames[platform::DIK_Z], 3);

    hl::setKeyDown(platform::DIK_Z, false);
    frame();
    EXPECT_FALSE(keyDown(input, platform::DIK_Z));
    EXPECT_EQ(input.keyEdge[platform::DIK_Z], kKeyUp);
    EXPECT_EQ(input.keyHeldFrames[platform::DIK_Z], 0);
    hl::setKeyDown(platform::DIK_Z);
    frame();
    EXPECT_TRUE(keyPressed(input, platform::DIK_Z));  // a new press counts again
}

TEST_F(InputTest, APressWaitsForItsReaderButIsLostOnceReleased) {
    hl::setKeyDown(platform::DIK_X);
    for (int i = 0; i < 4; ++i) frame();
    EXPECT_TRUE(keyPressed(input, platform::DIK_X));  // read late, still reported once
    EXPECT_FALSE(keyPressed(input, platform::DIK_X));

    hl::setKeyDown(platform::DIK_C);
    frame();
    hl::setKeyDown(platform::DIK_C, false);
    frame();
    EXPECT_FALSE(keyPressed(input, platform::DIK_C));
}

TEST_F(InputTest, RepeatFiresOnThePressThenEveryFifthFrameFromTheFifteenth) {
    hl::setKeyDown(platform::DIK_SPACE);
    std::vector<int> firingFrames;
    for (int held = 1; held <= 31; ++held) {
        frame();
        if (keyRepeat(input, platform::DIK_SPACE)) firingFrames.push_back(held);
    }
    EXPECT_EQ(firingFrames, (std::vector<int>{1, 15, 20, 25, 30}));
}

TEST_F(InputTest, AnyKeyTakesTheLowestUnreadPressFirst) {
    hl::setKeyDown(platform::DIK_SPACE);
    hl::setKeyDown(platform::DIK_RETURN);
    hl::setKeyDown(platform::DIK_ESCAPE);
    frame();
    EXPECT_TRUE(keyPressed(input, platform::DIK_ESCAPE));  // already read: skipped below
    EXPECT_TRUE(anyKeyPressed(input));
    EXPECT_EQ(input.keyEdge[platform::DIK_RETURN], kKeyPressedRead);
    EXPECT_EQ(input.keyEdge[platform::DIK_SPACE], kKeyPressedUnread);
    EXPECT_TRUE(anyKeyPressed(input));
    EXPECT_FALSE(anyKeyPressed(input));
}

TEST_F(InputTest, AClickIsReportedOncePerPressOfTheLeftButton) {
    hl::setMouseButton(0, true);
    int clicks = 0;
    for (int i = 0; i < 5; ++i) {
        frame();
        clicks += mouseClicked(input);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(mouseButtonDown(input, 0));

    hl::setMouseButton(0, false);
    frame();
    EXPECT_FALSE(mouseClicked(input));
    hl::setMouseButton(0, true);
    frame();
    EXPECT_TRUE(mouseClicked(input));
}

TEST_F(InputTest, MouseButtonsMotionAndCursorComeFromTheLatestReading) {
    hl::setMouseButton(1, true);
    hl::setMouseButton(2, true);
    hl::setMouseMotion(4, -3);
    hl::setCursor(639, 479);
    frame();
    EXPECT_FALSE(mouseButtonDown(input, 0));
    EXPECT_TRUE(mouseButtonDown(input, 1));
    EXPECT_FALSE(mouseButtonDown(input, 2));  // only the left and right buttons are asked about
    EXPECT_EQ(input.mouseState.dx, 4);
    EXPECT_EQ(input.mouseState.dy, -3);
    EXPECT_EQ(input.cursorX, 639);
    EXPECT_EQ(input.cursorY, 479);

    // An unreadable mouse keeps the previous reading; a button seen up still frees its latch.
    hl::setMouseButton(0, true);
    frame();
    EXPECT_TRUE(mouseClicked(input));
    hl::setMouseReadable(false);
    hl::setMouseButton(0, false);
    frame();
    EXPECT_TRUE(mouseButtonDown(input, 0));
    EXPECT_FALSE(mouseClicked(input));
}

TEST_F(InputTest, AFailedKeyboardReadLeavesEveryKeyAsItWas) {
    hl::setKeyDown(platform::DIK_A);
    frame();
    frame();
    hl::setWindowFocus(false);
    hl::setKeyDown(platform::DIK_A, false);
    hl::setKeyDown(platform::DIK_F1);
    hl::setMouseButton(0, true);
    EXPECT_FALSE(frame());
    EXPECT_FALSE(frame());
    EXPECT_TRUE(keyDown(input, platform::DIK_A));
    EXPECT_EQ(input.keyEdge[platform::DIK_A], kKeyPressedUnread);
    EXPECT_EQ(input.keyHeldFrames[platform::DIK_A], 2);
    EXPECT_EQ(input.keyEdge[platform::DIK_F1], kKeyUp);
    EXPECT_FALSE(mouseButtonDown(input, 0));  // the frame stopped before the mouse

    hl::setWindowFocus(true);
    EXPECT_TRUE(frame());
    EXPECT_FALSE(keyPressed(input, platform::DIK_A));
    EXPECT_TRUE(keyPressed(input, platform::DIK_F1));
}

TEST_F(InputTest, ClearingKeysForgetsStateEdgesAndHeldFrames) {
    hl::setKeyDown(platform::DIK_LSHIFT);
    hl::setKeyDown(platform::DIK_F2);
    frame();
    frame();
    EXPECT_TRUE(clearKey(input, platform::DIK_F2));
    EXPECT_FALSE(keyDown(input, platform::DIK_F2));
    EXPECT_EQ(input.keyEdge[platform::DIK_F2], kKeyPressedUnread);  // only the state is cleared
    EXPECT_FALSE(clearKey(input, 256));
    EXPECT_FALSE(clearKey(input, -1));
    EXPECT_FALSE(keyPressed(input, 256));
    EXPECT_FALSE(keyRepeat(input, -1));

    clearKeys(input);
    EXPECT_FALSE(keyDown(input, platform::DIK_LSHIFT));
    EXPECT_FALSE(keyPressed(input, platform::DIK_LSHIFT));
    EXPECT_FALSE(anyKeyPressed(input));
    EXPECT_EQ(input.keyHeldFrames[platform::DIK_LSHIFT], 0);
    frame();  // still held: it counts as a new press
    EXPECT_TRUE(keyPressed(input, platform::DIK_LSHIFT));
}

TEST(InputDeathTest, InputDevicesThatCannotOpenEndTheProgram) {
    hl::resetInput();
    hl::setInputDevicesFail(true);
    InputDevice input;
    EXPECT_EXIT(initInput(input), ::testing::ExitedWithCode(1), "DirectInputの初期化に失敗しました。");
    hl::resetInput();
}

}  // namespace
