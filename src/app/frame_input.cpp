#include "app/frame_input.h"

#include <cstdio>

bool parseButtons(std::string_view text, bool& left, bool& right) {
    left = right = false;
    if (text == "-") return true;
    if (text.empty() || text.size() > 2) return false;
    for (char c : text) {
        bool& button = (c == 'L' || c == 'l') ? left : right;
        if ((c != 'L' && c != 'l' && c != 'R' && c != 'r') || button) return false;
        button = true;
    }
    return true;
}

const char* buttonsText(bool left, bool right) {
    if (left) return right ? "LR" : "L";
    return right ? "R" : "-";
}

bool parseFrameWords(std::span<const std::string_view> words, FrameLine& line, std::string& why) {
    if (words.size() < 4) {
        why = "expected '<frames> <x> <y> <buttons> [keys...]', got " + std::to_string(words.size()) + " field(s)";
        return false;
    }
    line = FrameLine{};
    if (!parseWhole<int32_t>(words[0], line.frames, 1, kMaxLineFrames)) {
        why = "the frame count must be a whole number from 1 to 1000000, got '" + std::string(words[0]) + "'";
        return false;
    }
    if (!parseWhole<int32_t>(words[1], line.input.x, -kMaxCoordinate, kMaxCoordinate) ||
        !parseWhole<int32_t>(words[2], line.input.y, -kMaxCoordinate, kMaxCoordinate)) {
        why = "the mouse position must be two whole numbers from -100000 to 100000, got '" + std::string(words[1]) +
              " " + std::string(words[2]) + "'";
        return false;
    }
    if (!parseButtons(words[3], line.input.left, line.input.right)) {
        why = "the buttons must be '-', 'L', 'R' or 'LR', got '" + std::string(words[3]) + "'";
        return false;
    }
    for (size_t k = 4; k < words.size(); ++k) {
        bool known = false;
        for (const PlayKey& key : kPlayKeys) {
            if (words[k] == key.name) {
                line.input.keys |= key.bit;
                known = true;
            }
        }
        if (!known) {
            why = "unknown key '" + std::string(words[k]) + "' (keys: space z a lshift x c)";
            return false;
        }
    }
    return true;
}

size_t formatFrameLine(char* out, size_t capacity, const FrameLine& line) {
    const FrameInput& in = line.input;
    int length = std::snprintf(out, capacity, "%d %d %d %s", line.frames, in.x, in.y, buttonsText(in.left, in.right));
    for (const PlayKey& key : kPlayKeys) {
        if (length < 0 || static_cast<size_t>(length) >= capacity) return 0;
        if ((in.keys & key.bit) != 0) length += std::snprintf(out + length, capacity - length, " %s", key.name);
    }
    if (length < 0 || static_cast<size_t>(length) + 1 >= capacity) return 0;
    out[length++] = '\n';
    out[length] = '\0';
    return static_cast<size_t>(length);
}
