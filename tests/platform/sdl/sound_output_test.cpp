// SDL's sound output where it cannot open, and the General MIDI SoundFont the music looks for.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/sdl/soundfont_search.h"
#include "test_support/sound_files.h"

namespace {

namespace fs = std::filesystem;
using soundfiles::writeBytes;

// A SoundFont as far as the search looks: a RIFF form "sfbk" of the file's length.
std::vector<uint8_t> soundFontFile(size_t bodyBytes) {
    std::vector<uint8_t> f = {'R', 'I', 'F', 'F'};
    soundfiles::putLittle(f, static_cast<uint32_t>(4 + bodyBytes), 4);
    f.insert(f.end(), {'s', 'f', 'b', 'k'});
    f.resize(f.size() + bodyBytes, 0);
    return f;
}

// Sets an environment variable for one test and puts the old value back afterwards.
struct ScopedEnv {
    std::string name;
    bool had = false;
    std::string old;
    ScopedEnv(const char* n, const char* value) : name(n) {
        if (const char* v = std::getenv(n)) {
            had = true;
            old = v;
        }
        if (value) {
            setenv(n, value, 1);
        } else {
            unsetenv(n);
        }
    }
    ~ScopedEnv() {
        if (had) {
            setenv(name.c_str(), old.c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
};

struct SoundFolderTest : ::testing::Test {
    fs::path folder;
    void SetUp() override {
        folder = fs::temp_directory_path() / ("mossbloom_output_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        platform::shutdownAudio();
        platform::setSoundFontPlaces({});
        fs::remove_all(folder);
    }
    std::string at(const std::string& name) const { return (folder / name).string(); }
};

using SoundFontSearchTest = SoundFolderTest;

TEST_F(SoundFontSearchTest, OnlyAWholeSoundFontCounts) {
    writeBytes(at("whole.sf2"), soundFontFile(100));
    std::vector<uint8_t> cut = soundFontFile(100);
    cut.resize(60);
    writeBytes(at("cut.sf2"), cut);
    std::vector<uint8_t> wave = soundFontFile(100);
    wave[8] = 'W', wave[9] = 'A', wave[10] = 'V', wave[11] = 'E';
    writeBytes(at("wave.sf2"), wave);
    writeBytes(at("empty.sf2"), {});
    EXPECT_TRUE(platform::isWholeSoundFontAt(at("whole.sf2").c_str()));
    EXPECT_FALSE(platform::isWholeSoundFontAt(at("cut.sf2").c_str()));
    EXPECT_FALSE(platform::isWholeSoundFontAt(at("wave.sf2").c_str()));
    EXPECT_FALSE(platform::isWholeSoundFontAt(at("empty.sf2").c_str()));
    EXPECT_FALSE(platform::isWholeSoundFontAt(at("none.sf2").c_str()));
    EXPECT_FALSE(platform::isWholeSoundFontAt(folder.c_str())) << "a folder";
    EXPECT_FALSE(platform::isWholeSoundFontAt(nullptr));
}

TEST_F(SoundFontSearchTest, ThePlacesComeInOrderThenThePlayersListUnlessItIsForcedFirst) {
    writeBytes(at("broken.sf2"), {'R', 'I', 'F', 'F'});
    writeBytes(at("a.sf2"), soundFontFile(10));
    writeBytes(at("b.sf2"), soundFontFile(20));
    writeBytes(at("mine.sf3"), soundFontFile(30));
    const std::vector<std::string> places = {at("missing.sf2"), at("broken.sf2"), at("a.sf2"), at("b.sf2")};

    platform::SoundFontSearch search = platform::findSoundFont(places, at("mine.sf3").c_str(), false);
    EXPECT_EQ(search.found, at("a.sf2"));
    EXPECT_EQ(search.tried, (std::vector<std::string>{at("missing.sf2"), at("broken.sf2"), at("a.sf2")}));
    EXPECT_EQ(search.refused, (std::vector<bool>{false, true, false}));

    // SDL_FORCE_SOUNDFONTS puts the player's list first.
    search = platform::findSoundFont(places, at("mine.sf3").c_str(), true);
    EXPECT_EQ(search.found, at("mine.sf3"));

    // Nothing in the places: the player's list, separated by ':' or ';', empty parts skipped.
    const std::vector<std::string> nowhere = {at("missing.sf2"), at("broken.sf2")};
    const std::string list = at("gone.sf2") + "::" + at("broken.sf2") + ";" + at("mine.sf3") + ";" + at("b.sf2");
    search = platform::findSoundFont(nowhere, list.c_str(), false);
    EXPECT_EQ(search.found, at("mine.sf3"));
    EXPECT_EQ(search.tried.size(), 5u);

    search = platform::findSoundFont(nowhere, nullptr, false);
    EXPECT_EQ(search.found, "");
    EXPECT_EQ(search.tried, nowhere);
}

TEST_F(SoundFontSearchTest, TheLineForNoSoundFontNamesEveryPathTried) {
    writeBytes(at("broken.sf2"), {'R', 'I', 'F', 'F'});
    const std::vector<std::string> places = {at("missing.sf2"), at("broken.sf2")};
    platform::SoundFontSearch search = platform::findSoundFont(places, nullptr, false);
    EXPECT_EQ(platform::noSoundFontLine(search, nullptr),
              "No General MIDI SoundFont found, so the music stays silent (the sound effects play). Tried: " +
                  at("missing.sf2") + ", " + at("broken.sf2") +
                  " (not a whole SoundFont); SDL_SOUNDFONTS is not set. The package timgm6mb-soundfont brings one.");

    const std::string list = at("mine.sf2");
    search = platform::findSoundFont(places, list.c_str(), false);
    const std::string line = platform::noSoundFontLine(search, list.c_str());
    EXPECT_NE(line.find(at("broken.sf2") + " (not a whole SoundFont), " + at("mine.sf2") + "; SDL_SOUNDFONTS is \"" +
                        list + "\"."),
              std::string::npos)
        << line;
    EXPECT_EQ(line.find('\n'), std::string::npos) << "one line";
}

// The scripts and the Debian package install timgm6mb-soundfont: its SoundFont is the first
// place, and on this machine the search finds it there.
TEST_F(SoundFontSearchTest, TheSoundFontThePackageInstallsIsFoundFirst) {
    std::string listed;
    if (FILE* pipe = popen("dpkg -L timgm6mb-soundfont 2>/dev/null", "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, pipe)) listed += line;
        pclose(pipe);
    }
    const std::string first = platform::kSoundFontPlaces[0];
    EXPECT_NE(listed.find(first + "\n"), std::string::npos) << "timgm6mb-soundfont installs:\n" << listed;
    const platform::SoundFontSearch search = platform::findSoundFont(platform::soundFontPlaces(), nullptr, false);
    EXPECT_EQ(search.found, first);
    EXPECT_EQ(search.tried.size(), 1u);
}

using SdlSoundOutputTest = SoundFolderTest;

// Files are checked the same with the output closed: whole ones pass, damaged ones do not.
TEST_F(SdlSoundOutputTest, AnOutputThatCannotOpenSaysWhyAndOpensOnceItCan) {
    std::vector<uint8_t> cutTone = soundfiles::toneFile(100);
    cutTone.resize(cutTone.size() / 2);
    std::vector<uint8_t> cutMidi = soundfiles::midiFile(1, 2);
    cutMidi.resize(cutMidi.size() - 4);
    writeBytes(at("tone.wav"), soundfiles::toneFile(100));
    writeBytes(at("cut.wav"), cutTone);
    writeBytes(at("music.mid"), soundfiles::midiFile(1, 2));
    writeBytes(at("cut.mid"), cutMidi);

    {
        ScopedEnv driver("SDL_AUDIODRIVER", "no_such_driver");
        EXPECT_FALSE(platform::initAudio(8));
        EXPECT_NE(std::string(platform::audioFailure()).find("no_such_driver"), std::string::npos)
            << platform::audioFailure();
        EXPECT_FALSE(platform::musicAvailable());
        EXPECT_EQ(platform::loadEffectFile(at("tone.wav").c_str()), -1) << "nothing loads into a closed output";
        EXPECT_TRUE(platform::checkEffectFile(at("tone.wav").c_str()));
        EXPECT_TRUE(platform::checkMusicFile(at("music.mid").c_str()));
        EXPECT_FALSE(platform::checkEffectFile(at("cut.wav").c_str()));
        EXPECT_FALSE(platform::checkMusicFile(at("cut.mid").c_str()));
        EXPECT_FALSE(platform::checkEffectFile(at("none.wav").c_str()));
        EXPECT_FALSE(platform::checkMusicFile(nullptr));
    }

    // The disk driver writes the output to a file: in a folder that is not there yet, it cannot
    // open; once the folder is made, the next try opens it, as F3 does for a player.
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv file("SDL_DISKAUDIOFILE", at("later/output.raw").c_str());
    EXPECT_FALSE(platform::initAudio(8));
    EXPECT_NE(std::string(platform::audioFailure()).find(at("later/output.raw")), std::string::npos)
        << platform::audioFailure();
    fs::create_directories(folder / "later");
    ASSERT_TRUE(platform::initAudio(8));
    EXPECT_STREQ(platform::audioFailure(), "");
    const int tone = platform::loadEffectFile(at("tone.wav").c_str());
    ASSERT_GE(tone, 0);
    EXPECT_TRUE(platform::playEffect(tone, 0));
    platform::shutdownAudio();
    EXPECT_TRUE(fs::exists(folder / "later/output.raw"));
}

TEST_F(SdlSoundOutputTest, WithoutASoundFontMusicLoadsCheckedAndPlaysNothingWhileEffectsPlay) {
    writeBytes(at("tone.wav"), soundfiles::toneFile(100));
    writeBytes(at("music.mid"), soundfiles::midiFile(1, 2));
    writeBytes(at("noise.mid"), {'n', 'o', 'i', 's', 'e'});
    ScopedEnv fonts("SDL_SOUNDFONTS", nullptr);
    platform::setSoundFontPlaces({at("missing.sf2"), at("also_missing.sf3")});

    testing::internal::CaptureStderr();
    ASSERT_TRUE(platform::initAudio(8));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("No General MIDI SoundFont found, so the music stays silent (the sound effects play). Tried: " +
                          at("missing.sf2") + ", " + at("also_missing.sf3") + "; SDL_SOUNDFONTS is not set."),
              std::string::npos)
        << errors;
    EXPECT_FALSE(platform::musicAvailable());
    const int music = platform::loadMusicFile(at("music.mid").c_str());
    EXPECT_GE(music, 0);
    EXPECT_EQ(platform::loadMusicFile(at("noise.mid").c_str()), -1) << "a damaged file is refused as ever";
    EXPECT_FALSE(platform::playMusic(music, 0));
    const int tone = platform::loadEffectFile(at("tone.wav").c_str());
    ASSERT_GE(tone, 0);
    EXPECT_NE(tone, music) << "the silent music keeps its handle";
    EXPECT_TRUE(platform::playEffect(tone, 0));

    // With the packaged SoundFont the same music plays.
    platform::shutdownAudio();
    platform::setSoundFontPlaces({});
    testing::internal::CaptureStderr();
    ASSERT_TRUE(platform::initAudio(8));
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("SoundFont"), std::string::npos);
    EXPECT_TRUE(platform::musicAvailable());
    const int playable = platform::loadMusicFile(at("music.mid").c_str());
    ASSERT_GE(playable, 0);
    EXPECT_TRUE(platform::playMusic(playable, 0));
}

}  // namespace
