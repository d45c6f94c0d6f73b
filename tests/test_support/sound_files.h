#pragma once
// Small sound files for the platform tests: a WAV tone and Standard MIDI files.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace soundfiles {

inline void putLittle(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void putBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// A quiet mono tone of this many milliseconds as a 16-bit 44.1 kHz WAV file.
inline std::vector<uint8_t> toneFile(int ms) {
    const uint32_t samples = 44100u * static_cast<uint32_t>(ms) / 1000u;
    std::vector<uint8_t> f = {'R', 'I', 'F', 'F'};
    putLittle(f, 36 + samples * 2, 4);
    f.insert(f.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittle(f, 16, 4);
    putLittle(f, 1, 2);       // PCM
    putLittle(f, 1, 2);       // mono
    putLittle(f, 44100, 4);
    putLittle(f, 88200, 4);
    putLittle(f, 2, 2);
    putLittle(f, 16, 2);
    f.insert(f.end(), {'d', 'a', 't', 'a'});
    putLittle(f, samples * 2, 4);
    for (uint32_t i = 0; i < samples; ++i)
        putLittle(f, static_cast<uint16_t>(static_cast<int16_t>(500.0 * std::sin(i * 0.05))), 2);
    return f;
}

inline void writeTone(const std::string& path, int ms) { writeBytes(path, toneFile(ms)); }

// A header and the given number of tracks, each one note and the end of the track.
inline std::vector<uint8_t> midiFile(uint16_t format, uint16_t tracks, uint16_t division = 480) {
    std::vector<uint8_t> f = {'M', 'T', 'h', 'd'};
    putBig32(f, 6);
    for (uint16_t v : {format, tracks, division}) {
        f.push_back(static_cast<uint8_t>(v >> 8));
        f.push_back(static_cast<uint8_t>(v));
    }
    const std::vector<uint8_t> events = {0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
    for (int t = 0; t < tracks; ++t) {
        f.insert(f.end(), {'M', 'T', 'r', 'k'});
        putBig32(f, static_cast<uint32_t>(events.size()));
        f.insert(f.end(), events.begin(), events.end());
    }
    return f;
}

}  // namespace soundfiles
