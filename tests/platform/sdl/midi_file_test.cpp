// The structure check a MIDI file passes before the game loads it: whole files of each format
// pass; a file cut short, with a bad header or with too few tracks does not.
#include "platform/sdl/midi_file.h"

#include "test_support/sound_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using soundfiles::midiFile;

bool whole(const std::vector<uint8_t>& f) { return platform::isWholeMidiFile(f.data(), f.size()); }

}  // namespace

TEST(MidiFileCheck, WholeFilesPassWithUnknownChunksSkipped) {
    EXPECT_TRUE(whole(midiFile(0, 1)));
    EXPECT_TRUE(whole(midiFile(1, 3)));
    std::vector<uint8_t> f = midiFile(1, 2);
    f.insert(f.end(), {'X', 't', 'r', 'a', 0, 0, 0, 2, 7, 7});
    EXPECT_TRUE(whole(f));
}

TEST(MidiFileCheck, DamagedFilesFail) {
    const std::vector<uint8_t> good = midiFile(1, 2);
    EXPECT_FALSE(platform::isWholeMidiFile(nullptr, 0));
    EXPECT_FALSE(whole({}));
    // Cut anywhere inside, including one byte short and right after the header.
    for (size_t cut : {size_t{3}, size_t{14}, size_t{20}, good.size() / 2, good.size() - 1}) {
        EXPECT_FALSE(whole(std::vector<uint8_t>(good.begin(), good.begin() + cut))) << "cut at " << cut;
    }
    std::vector<uint8_t> noise = good;
    noise[0] = 'N';
    EXPECT_FALSE(whole(noise));
    EXPECT_FALSE(whole(midiFile(3, 1)));          // no such format
    EXPECT_FALSE(whole(midiFile(0, 2)));          // format 0 has exactly one track
    EXPECT_FALSE(whole(midiFile(1, 2, 0)));       // no time division
    std::vector<uint8_t> fewer = midiFile(1, 2);
    fewer[11] = 3;                                // the header names a track that is not there
    EXPECT_FALSE(whole(fewer));
    std::vector<uint8_t> huge = good;
    huge[4] = 0xFF;                               // a header longer than the file
    EXPECT_FALSE(whole(huge));
    std::vector<uint8_t> trailing = good;
    trailing.insert(trailing.end(), {'M', 'T'});  // a chunk head cut short at the end
    EXPECT_FALSE(whole(trailing));
}

TEST(MidiFileCheck, TheGamesOwnMusicPasses) {
    for (const char* name : {"/sound/Mossdrift.mid", "/sound/Mossbloom.mid"}) {
        const std::string path = std::string(MOSSBLOOM_GAME_DIR) + name;
        std::ifstream in(path, std::ios::binary);
        if (!in) GTEST_SKIP() << path << " is not laid out yet";
        EXPECT_TRUE(platform::isWholeMidiFileAt(path.c_str())) << path;
    }
    EXPECT_FALSE(platform::isWholeMidiFileAt("/nonexistent/music.mid"));
}
