#pragma once
// The input of one simulated frame: where the mouse is, which buttons and which of the play's
// keys are down.

#include <cstdint>

#include "platform/keys.h"

enum KeyBit : uint32_t { kSpace = 1, kZoomOut = 2, kZoomIn = 4, kShift = 8, kHud = 16, kCreated = 32 };

struct KeyName {
    const char* name;
    KeyBit bit;
    int code;
};
constexpr KeyName kKeys[] = {
    {"space", kSpace, platform::DIK_SPACE}, {"z", kZoomOut, platform::DIK_Z}, {"a", kZoomIn, platform::DIK_A},
    {"lshift", kShift, platform::DIK_LSHIFT}, {"x", kHud, platform::DIK_X}, {"c", kCreated, platform::DIK_C},
};

struct FrameInput {
    int x = 320, y = 240;
    bool left = false, right = false;
    uint32_t keys = 0;
};
