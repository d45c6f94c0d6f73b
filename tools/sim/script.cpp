#include "script.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "options.h"

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
        const std::vector<std::string_view> words(tokens.begin(), tokens.end());
        ScriptLine line{};
        std::string why;
        if (!parseFrameWords(words, line, why)) return bad(why);
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
