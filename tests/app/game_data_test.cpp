// Checks the data files the asset tool lays out beside the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/asset_archive.h"
#include "sound/sound_system.h"

namespace {

const std::string kGameDir = MOSSBLOOM_GAME_DIR;

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }
uint32_t be16(const std::vector<uint8_t>& b, size_t at) { return (b[at] << 8) | b[at + 1]; }
uint32_t be32(const std::vector<uint8_t>& b, size_t at) { return (be16(b, at) << 16) | be16(b, at + 2); }
bool tagAt(const std::vector<uint8_t>& b, size_t at, const char* tag) {
    return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + static_cast<long>(at));
}

TEST(GameData, EveryImageArchiveUnscramblesToAPng) {
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AssetArchive archive;
    constructAssetArchive(archive, kArchiveKey);
    for (const char* name : {"logo", "objects", "objects_monochro", "objects2", "objects2_monochro", "bg_filter",
                             "effect", "effect2"}) {
        SCOPED_TRACE(name);
        const std::string path = kGameDir + "/img/" + name + ".png.bnd";
        const std::vector<uint8_t> raw = readFile(path);
        ASSERT_GT(raw.size(), 128u);
        EXPECT_FALSE(std::equal(signature, signature + 8, raw.begin())) << "the archive's head is scrambled";
        std::vector<uint8_t> plain;
        ASSERT_TRUE(unscrambleIntoMemory(archive, path.c_str(), plain));
        EXPECT_TRUE(std::equal(signature, signature + 8, plain.begin()));
        EXPECT_TRUE(tagAt(plain, 12, "IHDR"));
    }
}

struct WavInfo {
    uint32_t format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

// Walks the RIFF chunks for fmt and data, so extra chunks would not fool the check.
bool parseWav(const std::vector<uint8_t>& b, WavInfo& info) {
    if (!tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE") || le32(b, 4) + 8 != b.size()) return false;
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t size = le32(b, at + 4);
        if (at + 8 + size > b.size()) return false;
        if (tagAt(b, at, "fmt ") && size >= 16) {
            info.format = le16(b, at + 8);
            info.channels = le16(b, at + 10);
            info.rate = le32(b, at + 12);
            info.bits = le16(b, at + 22);
            haveFormat = le32(b, at + 16) == info.rate * info.channels * 2 && le16(b, at + 20) == info.channels * 2;
        } else if (tagAt(b, at, "data")) {
            for (size_t i = 0; i + 1 < size; i += 2) {
                info.samples.push_back(static_cast<int16_t>(le16(b, at + 8 + i)));
            }
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    return haveFormat && haveData;
}

TEST(GameData, EffectsAreShortCleanPcmWaves) {
    for (const char* name : {"decide", "select", "aqua", "leaf", "flare", "metal", "life", "dream", "open",
                             "get_clover", "get_dream", "atract", "repel", "mutation"}) {
        SCOPED_TRACE(name);
        WavInfo wav;
        ASSERT_TRUE(parseWav(readFile(kGameDir + "/sound/" + name + ".wav"), wav));
        EXPECT_EQ(wav.format, 1u);
        EXPECT_EQ(wav.bits, 16u);
        EXPECT_EQ(wav.rate, 44100u);
        ASSERT_TRUE(wav.channels == 1 || wav.channels == 2);
        const double seconds = static_cast<double>(wav.samples.size()) / wav.channels / wav.rate;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds * 1000.0, kLongestEffectMs) << "the effect voices are counted for effects this long";
        int peak = 0;
        for (int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, 32000) << "a peak at full scale would clip";
        EXPECT_GT(peak, 3000) << "an effect should be audible";
        // Both ends near silence, so starting or cutting an effect never clicks.
        for (uint32_t c = 0; c < wav.channels; ++c) {
            EXPECT_LT(std::abs(wav.samples[c]), 330);
            EXPECT_LT(std::abs(wav.samples[wav.samples.size() - wav.channels + c]), 330);
        }
    }
}

struct MidiSummary {
    uint32_t format = 0, declaredTracks = 0, foundTracks = 0, division = 0;
    uint32_t lastTick = 0;
    double microsPerQuarter = 500000;
    int notesOn = 0, unmatchedNotes = 0, programChanges = 0, tracksWithNotes = 0;
    bool wellFormed = false;
};

uint32_t readVariable(const std::vector<uint8_t>& b, size_t& at, size_t end) {
    uint32_t value = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        const uint8_t byte = b[at++];
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80)) return value;
    }
    return value;
}

// Reads every track event: sizes must add up, each track ends with End of Track, and every
// note that starts also stops.
MidiSummary summariseMidi(const std::vector<uint8_t>& b) {
    MidiSummary m;
    if (!tagAt(b, 0, "MThd") || be32(b, 4) != 6) return m;
    m.format = be16(b, 8);
    m.declaredTracks = be16(b, 10);
    m.division = be16(b, 12);
    size_t at = 14;
    bool allEnded = true;
    while (at + 8 <= b.size() && tagAt(b, at, "MTrk")) {
        const size_t end = at + 8 + be32(b, at + 4);
        if (end > b.size()) return m;
        ++m.foundTracks;
        at += 8;
        uint32_t tick = 0;
        uint8_t running = 0;
        bool ended = false, hasNotes = false;
        std::map<int, int> sounding;
        while (at < end && !ended) {
            tick += readVariable(b, at, end);
            uint8_t status = b[at];
            if (status & 0x80) ++at; else status = running;
            if (status == 0xFF) {
                const uint8_t type = b[at++];
                const uint32_t length = readVariable(b, at, end);
                if (type == 0x51 && length == 3) m.microsPerQuarter = (b[at] << 16) | (b[at + 1] << 8) | b[at + 2];
                if (type == 0x2F) ended = true;
                at += length;
            } else if (status == 0xF0 || status == 0xF7) {
                at += readVariable(b, at, end);
            } else {
                running = status;
                const int kind = status & 0xF0;
                const size_t data = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (running < 0x80 || at + data > end) break;  // malformed: the track never ends
                const int key = (status & 0x0F) * 128 + b[at];
                if (kind == 0x90 && b[at + 1] > 0) {
                    ++sounding[key];
                    ++m.notesOn;
                    hasNotes = true;
                } else if (kind == 0x80 || kind == 0x90) {
                    --sounding[key];
                }
                if (kind == 0xC0) ++m.programChanges;
                at += data;
            }
        }
        for (const auto& [key, count] : sounding) m.unmatchedNotes += std::abs(count);
        allEnded = allEnded && ended && at == end;
        m.tracksWithNotes += hasNotes ? 1 : 0;
        m.lastTick = std::max(m.lastTick, tick);
        at = end;
    }
    m.wellFormed = allEnded && at == b.size();
    return m;
}

TEST(GameData, MusicIsWellFormedFormatOneMidiOfTheRightLength) {
    struct Piece {
        const char* name;
        double minSeconds, maxSeconds;
    };
    for (const Piece& piece : {Piece{"Mossdrift", 50, 80}, Piece{"Mossbloom", 120, 240}}) {
        SCOPED_TRACE(piece.name);
        const MidiSummary m = summariseMidi(readFile(kGameDir + "/sound/" + piece.name + ".mid"));
        EXPECT_TRUE(m.wellFormed);
        EXPECT_EQ(m.format, 1u);
        EXPECT_GE(m.declaredTracks, 4u);
        EXPECT_EQ(m.foundTracks, m.declaredTracks);
        EXPECT_GT(m.division, 0u);
        EXPECT_LT(m.division, 0x8000u);
        EXPECT_GE(m.tracksWithNotes, 3);
        EXPECT_GE(m.programChanges, 3);
        EXPECT_GT(m.notesOn, 100);
        EXPECT_EQ(m.unmatchedNotes, 0) << "a note left sounding would hang over the loop";
        const double seconds = m.lastTick / static_cast<double>(m.division) * m.microsPerQuarter / 1e6;
        EXPECT_GE(seconds, piece.minSeconds);
        EXPECT_LE(seconds, piece.maxSeconds);
        // The loop point falls on a bar line (four beats to the bar).
        EXPECT_EQ(m.lastTick % (4 * m.division), 0u);
    }
}

}  // namespace
