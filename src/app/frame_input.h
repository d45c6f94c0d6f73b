#pragma once
// The input of one play frame as scripts and replays hold it: the mouse on the 640 x 480
// screen, its two buttons and the play's six keys; and its text, the line
// "frames x y buttons keys" that holds one input for a number of frames.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/keys.h"

enum PlayKeyBit : uint32_t { kSpace = 1, kZoomOut = 2, kZoomIn = 4, kShift = 8, kHud = 16, kCreated = 32 };

struct PlayKey {
    const char* name;
    PlayKeyBit bit;
    int code;
};
constexpr int kPlayKeyCount = 6;
// The keys a play reads, in the order a line lists them.
constexpr PlayKey kPlayKeys[kPlayKeyCount] = {
    {"space", kSpace, platform::DIK_SPACE}, {"z", kZoomOut, platform::DIK_Z}, {"a", kZoomIn, platform::DIK_A},
    {"lshift", kShift, platform::DIK_LSHIFT}, {"x", kHud, platform::DIK_X}, {"c", kCreated, platform::DIK_C},
};

struct FrameInput {
    int32_t x = 320, y = 240;
    bool left = false, right = false;
    uint32_t keys = 0;
};

inline bool sameInput(const FrameInput& a, const FrameInput& b) {
    return a.x == b.x && a.y == b.y && a.left == b.left && a.right == b.right && a.keys == b.keys;
}

constexpr int32_t kMaxLineFrames = 1000000;
constexpr int32_t kMaxCoordinate = 100000;

// One input held for a number of frames.
struct FrameLine {
    int32_t frames = 0;
    FrameInput input;
};

// A whole number from lo to hi, nothing else in the text.
template <typename T>
bool parseWhole(std::string_view text, T& value, T lo, T hi) {
    T parsed{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || parsed < lo || parsed > hi) return false;
    value = parsed;
    return true;
}

// "-", "L", "R" or "LR" (either case), each button once; false for anything else.
bool parseButtons(std::string_view text, bool& left, bool& right);
const char* buttonsText(bool left, bool right);

// The words of a frame line: frames (1 to 1000000), x and y (-100000 to 100000), buttons and any
// number of the keys' names. False with what is wrong.
bool parseFrameWords(std::span<const std::string_view> words, FrameLine& line, std::string& why);

// Writes the line with its end into out; returns its length, or 0 when it does not fit.
size_t formatFrameLine(char* out, size_t capacity, const FrameLine& line);
