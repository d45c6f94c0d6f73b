#include "script.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>

#include "options.h"

namespace {

constexpr int kMaxLineFrames = 1000000;
constexpr int kMaxCoordinate = 100000;

bool parseButtons(std::string_view token, FrameInput& in) {
    if (token == "-") return true;
    if (token.empty() || token.size() > 2) return false;
    for (char c : token) {
        if (c == 'L' || c == 'l') {
            if (in.left) return false;
            in.left = true;
        } else if (c == 'R' || c == 'r') {
            if (in.right) return false;
            in.right = true;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int readScript(const std::string& path, std::vector<ScriptLine>& lines) {
    std::ifstream file(path);
    if (!file) return usageError("cannot open the script '" + path + "'");
    std::string text;
    int number = 0;
    auto bad = [&](const std::string& why) {
        std::fprintf(stderr, "mossbloom-sim: %s:%d: %s\n", path.c_str(), number, why.c_str());
        return kExitUsage;
    };
    while (std::getline(file, text)) {
        ++number;
        const size_t hash = text.find('#');
        if (hash != std::string::npos) text.resize(hash);
        std::istringstream fields(text);
        std::vector<std::string> tokens;
        for (std::string t; fields >> t;) tokens.push_back(t);
        if (tokens.empty()) continue;
        if (tokens.size() < 4) {
            return bad("expected '<frames> <x> <y> <buttons> [keys...]', got " + std::to_string(tokens.size()) +
                       " field(s)");
        }
        ScriptLine line{};
        if (!parseWhole<int>(tokens[0], line.frames, 1, kMaxLineFrames)) {
            return bad("the frame count must be a whole number from 1 to 1000000, got '" + tokens[0] + "'");
        }
        if (!parseWhole<int>(tokens[1], line.input.x, -kMaxCoordinate, kMaxCoordinate) ||
            !parseWhole<int>(tokens[2], line.input.y, -kMaxCoordinate, kMaxCoordinate)) {
            return bad("the mouse position must be two whole numbers from -100000 to 100000, got '" + tokens[1] +
                       " " + tokens[2] + "'");
        }
        if (!parseButtons(tokens[3], line.input)) {
            return bad("the buttons must be '-', 'L', 'R' or 'LR', got '" + tokens[3] + "'");
        }
        for (size_t k = 4; k < tokens.size(); ++k) {
            bool known = false;
            for (const KeyName& key : kKeys) {
                if (tokens[k] == key.name) {
                    line.input.keys |= key.bit;
                    known = true;
                }
            }
            if (!known) return bad("unknown key '" + tokens[k] + "' (keys: space z a lshift x c)");
        }
        lines.push_back(line);
    }
    if (file.bad()) return usageError("cannot read the script '" + path + "'");
    return 0;
}

FrameInput ScriptPlayer::next() {
    while (index < lines->size() && framesLeft == 0) {
        framesLeft = (*lines)[index].frames;
        ++index;
    }
    if (framesLeft > 0) {
        --framesLeft;
        const FrameInput& in = (*lines)[index - 1].input;
        resting = FrameInput{in.x, in.y, false, false, 0};
        return in;
    }
    return resting;
}
