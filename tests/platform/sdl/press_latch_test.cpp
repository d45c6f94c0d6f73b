// Presses shorter than a frame: a button or key pressed and released between two readings reads
// as down for one reading and up at the next, through the real SDL event queue.
#include <gtest/gtest.h>
#include <SDL.h>

#include <chrono>
#include <thread>

#include "platform/keys.h"
#include "platform/sdl/press_latch.h"
#include "platform/sdl/sdl_window.h"
#include "platform/window.h"

namespace {

void drainEvents() {
    platform::Event event;
    while (platform::pollEvent(event)) {
    }
}

// Waits for the window to take the keyboard focus (only to catch a hang).
bool focusWindow() {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < giveUp) {
        drainEvents();
        if (platform::windowHasFocus()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

void pushButton(Uint32 type, Uint8 button) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    SDL_PushEvent(&e);
}

void pushKey(Uint32 type, SDL_Scancode scancode) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    SDL_PushEvent(&e);
}

struct Readings {
    bool left, right, space, returnKey;
};

Readings read() {
    platform::MouseReading mouse;
    uint8_t keys[256] = {};
    EXPECT_TRUE(platform::readMouse(mouse));
    EXPECT_TRUE(platform::readKeyboard(keys));
    return {(mouse.buttons[0] & 0x80) != 0, (mouse.buttons[1] & 0x80) != 0, (keys[platform::DIK_SPACE] & 0x80) != 0,
            (keys[platform::DIK_RETURN] & 0x80) != 0};
}

// Every way a key can go between two readings: held, let go, pressed, tapped, or let go and pressed
// again. The last two must each read as the state they passed through, for one reading.
TEST(PressLatch, AKeyThatWentThroughAStateBetweenReadingsReadsItOnce) {
    struct Case {
        bool downNow, reportedLast, changedSince, expected;
        const char* what;
    };
    const Case cases[] = {
        {false, false, false, false, "left up"},
        {true, true, false, true, "held"},
        {true, false, true, true, "pressed and still down"},
        {false, true, true, false, "let go and still up"},
        {false, false, true, true, "pressed and let go again: a tap"},
        {true, true, true, false, "let go and pressed again"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::latchedReading(c.downNow, c.reportedLast, c.changedSince), c.expected) << c.what;
}

TEST(PressLatch, APressAndReleaseBetweenTwoReadingsReadsDownOnceThenUp) {
    ASSERT_TRUE(platform::initPlatform());
    ASSERT_TRUE(platform::createWindow("press latch test", 0, 0, 640, 480));
    SDL_RaiseWindow(platform::sdlWindow());
    ASSERT_TRUE(focusWindow()) << "the window never took the keyboard focus";
    read();   // whatever came before the test

    // An instant left click and a quick tap of the space bar, both over before the reading.
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
    pushKey(SDL_KEYUP, SDL_SCANCODE_SPACE);
    drainEvents();
    Readings first = read();
    EXPECT_TRUE(first.left);
    EXPECT_TRUE(first.space);
    EXPECT_FALSE(first.right) << "only what was pressed";
    EXPECT_FALSE(first.returnKey);
    Readings second = read();
    EXPECT_FALSE(second.left) << "up again at the next reading";
    EXPECT_FALSE(second.space);

    // The right button and Return as well.
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
    pushKey(SDL_KEYUP, SDL_SCANCODE_RETURN);
    drainEvents();
    Readings third = read();
    EXPECT_TRUE(third.right);
    EXPECT_TRUE(third.returnKey);
    EXPECT_FALSE(third.left);
    Readings fourth = read();
    EXPECT_FALSE(fourth.right);
    EXPECT_FALSE(fourth.returnKey);

    platform::destroyWindow();
    platform::shutdownPlatform();
}

}  // namespace
