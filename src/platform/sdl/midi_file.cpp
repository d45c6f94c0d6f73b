#include "platform/sdl/midi_file.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

uint32_t bigEndian32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}
uint16_t bigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

constexpr size_t kLargestMidiFile = 16u << 20;  // far above any music the game carries

}  // namespace

bool isWholeMidiFile(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || size < 14 || std::memcmp(bytes, "MThd", 4) != 0) return false;
    const uint32_t headerLength = bigEndian32(bytes + 4);
    if (headerLength < 6 || headerLength > size - 8) return false;
    const uint16_t format = bigEndian16(bytes + 8);
    const uint16_t tracks = bigEndian16(bytes + 10);
    const uint16_t division = bigEndian16(bytes + 12);
    if (format > 2 || tracks == 0 || division == 0 || (format == 0 && tracks != 1)) return false;
    size_t at = 8 + static_cast<size_t>(headerLength);
    unsigned trackChunks = 0;
    // Unknown chunks are allowed and skipped; every chunk must fit whole.
    while (at < size) {
        if (size - at < 8) return false;
        const uint32_t length = bigEndian32(bytes + at + 4);
        if (length > size - at - 8) return false;
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) ++trackChunks;
        at += 8 + static_cast<size_t>(length);
    }
    return trackChunks >= tracks;
}

bool isWholeMidiFileAt(const char* path) {
    if (path == nullptr) return false;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::vector<uint8_t> bytes;
    uint8_t chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= kLargestMidiFile) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    const bool readWhole = std::ferror(file) == 0 && bytes.size() <= kLargestMidiFile;
    std::fclose(file);
    return readWhole && isWholeMidiFile(bytes.data(), bytes.size());
}

}  // namespace platform
