#include "platform/sdl/soundfont_search.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace platform {

namespace {

std::vector<std::string> gPlaces(std::begin(kSoundFontPlaces), std::end(kSoundFontPlaces));

uint32_t littleEndian32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

bool fileExists(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// Looks at one path; true when it holds a whole SoundFont.
bool tryPath(SoundFontSearch& search, const std::string& path) {
    if (path.empty()) return false;
    search.tried.push_back(path);
    const bool whole = isWholeSoundFontAt(path.c_str());
    search.refused.push_back(!whole && fileExists(path.c_str()));
    if (whole) search.found = path;
    return whole;
}

bool tryPlayerList(SoundFontSearch& search, const char* playerList) {
    if (playerList == nullptr) return false;
    std::string path;
    for (const char* c = playerList;; ++c) {
        if (*c == ':' || *c == ';' || *c == '\0') {
            if (tryPath(search, path)) return true;
            path.clear();
            if (*c == '\0') return false;
        } else {
            path += *c;
        }
    }
}

}  // namespace

const std::vector<std::string>& soundFontPlaces() { return gPlaces; }

void setSoundFontPlaces(const std::vector<std::string>& places) {
    if (places.empty()) {
        gPlaces.assign(std::begin(kSoundFontPlaces), std::end(kSoundFontPlaces));
    } else {
        gPlaces = places;
    }
}

bool isWholeSoundFontAt(const char* path) {
    if (path == nullptr) return false;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    unsigned char head[12] = {};
    const bool headRead = std::fread(head, 1, sizeof head, file) == sizeof head;
    const bool sized = std::fseek(file, 0, SEEK_END) == 0;
    const long size = sized ? std::ftell(file) : -1;
    std::fclose(file);
    if (!headRead || size < 12) return false;
    return std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "sfbk", 4) == 0 &&
           static_cast<uint64_t>(littleEndian32(head + 4)) + 8 == static_cast<uint64_t>(size);
}

SoundFontSearch findSoundFont(const std::vector<std::string>& places, const char* playerList, bool playerFirst) {
    SoundFontSearch search;
    if (playerFirst && tryPlayerList(search, playerList)) return search;
    for (const std::string& place : places) {
        if (tryPath(search, place)) return search;
    }
    if (!playerFirst) tryPlayerList(search, playerList);
    return search;
}

std::string noSoundFontLine(const SoundFontSearch& search, const char* playerList) {
    std::string line = "No General MIDI SoundFont found, so the music stays silent (the sound effects play). Tried:";
    for (size_t i = 0; i < search.tried.size(); ++i) {
        line += i > 0 ? ", " : " ";
        line += search.tried[i];
        if (search.refused[i]) line += " (not a whole SoundFont)";
    }
    if (playerList == nullptr || playerList[0] == '\0') {
        line += "; SDL_SOUNDFONTS is not set";
    } else {
        line += "; SDL_SOUNDFONTS is \"" + std::string(playerList) + "\"";
    }
    line += ". The package timgm6mb-soundfont brings one.";
    return line;
}

}  // namespace platform
