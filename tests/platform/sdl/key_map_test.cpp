#include <gtest/gtest.h>

#include <SDL.h>

#include <set>

#include "platform/keys.h"
#include "platform/sdl/key_map.h"

namespace {

using platform::directInputKeyFromScancode;

TEST(KeyMapTest, TheGamesKeysMapToTheirCodes) {
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_ESCAPE), platform::DIK_ESCAPE);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_1), platform::DIK_1);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_RETURN), platform::DIK_RETURN);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_A), platform::DIK_A);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_LSHIFT), platform::DIK_LSHIFT);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_Z), platform::DIK_Z);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_X), platform::DIK_X);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_C), platform::DIK_C);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_SPACE), platform::DIK_SPACE);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_F1), platform::DIK_F1);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_F2), platform::DIK_F2);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_F3), platform::DIK_F3);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_F4), platform::DIK_F4);
}

TEST(KeyMapTest, ArrowsFunctionKeysAndTheRightHandKeysSitWhereTheTableIsNotInOrder) {
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_0), 0x0B);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_F11), 0x57);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_UP), 0xC8);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_LEFT), 0xCB);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_RIGHT), 0xCD);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_DOWN), 0xD0);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_KP_ENTER), 0x9C);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_RALT), 0xB8);
}

TEST(KeyMapTest, EveryScancodeMapsInsideTheTableAndNoTwoKeysShareACodeByAccident) {
    // Three pairs are one key on purpose: backslash and the ISO hash key, print screen and
    // system request, and the two mute keys.
    const std::set<int> sharedOnPurpose = {SDL_SCANCODE_NONUSHASH, SDL_SCANCODE_SYSREQ, SDL_SCANCODE_MUTE};
    std::set<int> seen;
    int mapped = 0;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const int key = directInputKeyFromScancode(scancode);
        ASSERT_GE(key, 0);
        ASSERT_LT(key, 256);
        if (key == 0) continue;
        ++mapped;
        if (sharedOnPurpose.count(scancode) == 0) {
            EXPECT_TRUE(seen.insert(key).second) << "scancode " << scancode;
        }
    }
    EXPECT_GT(mapped, 100);
    EXPECT_EQ(directInputKeyFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(directInputKeyFromScancode(-1), 0);
    EXPECT_EQ(directInputKeyFromScancode(SDL_NUM_SCANCODES), 0);
}

}  // namespace
