#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound_system.h"

namespace {

namespace fs = std::filesystem;
namespace hl = platform::headless;
using hl::AudioCall;

const std::vector<std::string> kMusicFiles = {"sound/Mossdrift.mid", "sound/Mossbloom.mid"};
const std::vector<std::string> kEffectFiles = {
    "sound/decide.wav", "sound/select.wav",     "sound/aqua.wav",      "sound/leaf.wav",
    "sound/flare.wav",  "sound/metal.wav",      "sound/life.wav",      "sound/dream.wav",
    "sound/open.wav",   "sound/get_clover.wav", "sound/get_dream.wav", "sound/atract.wav",
    "sound/repel.wav",  "sound/mutation.wav"};
const std::vector<int> kEffectSlots = {2, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17};

std::vector<hl::AudioEvent> eventsOf(AudioCall call) {
    std::vector<hl::AudioEvent> found;
    for (const hl::AudioEvent& e : hl::audioEvents())
        if (e.call == call) found.push_back(e);
    return found;
}

// Each test runs in a folder of its own, holding the sound files it asks for.
struct SoundTest : ::testing::Test {
    SoundSystem sound;
    fs::path oldDirectory;
    fs::path folder;

    void SetUp() override {
        hl::resetAudio();
        hl::clearMessages();
        constructSoundSystem(sound);
        oldDirectory = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("mossbloom_sound_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "sound");
        fs::current_path(folder);
    }
    void TearDown() override {
        fs::current_path(oldDirectory);
        fs::remove_all(folder);
    }

    void writeFiles(const std::vector<std::string>& names) {
        for (const std::string& name : names) std::ofstream(folder / name) << "x";
    }
    void writeTable() {
        writeFiles(kMusicFiles);
        writeFiles(kEffectFiles);
    }
};

TEST_F(SoundTest, TheTableLoadsEveryFileIntoItsSlotInOrderThenSetsTheVolumes) {
    writeTable();
    loadSoundTable(sound);

    const std::vector<hl::AudioEvent>& events = hl::audioEvents();
    ASSERT_EQ(events.size(), 17u);
    EXPECT_EQ(events[0].call, AudioCall::Init);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(events[1 + i].call, AudioCall::LoadMusic);
        EXPECT_EQ(events[1 + i].path, kMusicFiles[i]);
        EXPECT_EQ(sound.segments[i], events[1 + i].handle);
    }
    for (size_t i = 0; i < kEffectFiles.size(); ++i) {
        EXPECT_EQ(events[3 + i].call, AudioCall::LoadEffect);
        EXPECT_EQ(events[3 + i].path, kEffectFiles[i]);
        EXPECT_EQ(sound.segments[kEffectSlots[i]], events[3 + i].handle);
        EXPECT_GE(events[3 + i].handle, 0);
    }
    EXPECT_EQ(sound.segments[3], -1);
    EXPECT_EQ(sound.segments[8], -1);
    EXPECT_EQ(sound.bgmVolume, 0);
    EXPECT_EQ(sound.seVolume, -384);

    hl::clearAudioEvents();
    EXPECT_TRUE(playMusic(sound, kSlotTitleMusic));
    EXPECT_TRUE(playSoundEffect(sound, kSlotMutation));
    ASSERT_EQ(hl::audioEvents().size(), 2u);
    EXPECT_EQ(hl::audioEvents()[0].volume, 0);
    EXPECT_EQ(hl::audioEvents()[1].volume, -384);
    EXPECT_EQ(hl::audioEvents()[1].handle, sound.segments[kSlotMutation]);
}

TEST_F(SoundTest, UnloadingStopsEverythingAndReleasesEverySlot) {
    writeTable();
    loadSoundTable(sound);
    playMusic(sound, kSlotPlayMusic);
    hl::clearAudioEvents();
    unloadSoundTable(sound);

    const std::vector<hl::AudioEvent>& events = hl::audioEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().call, AudioCall::StopAll);
    EXPECT_EQ(events.back().call, AudioCall::Shutdown);
    EXPECT_EQ(eventsOf(AudioCall::Free).size(), 16u);
    EXPECT_EQ(hl::loadedSoundCount(), 0);
    EXPECT_EQ(hl::playingMusic(), -1);
    for (int slot = 0; slot < kSoundSlotCount; ++slot) EXPECT_EQ(sound.segments[slot], -1);
}

TEST_F(SoundTest, MusicReplacesThePieceThatPlaysAndRestartsTheSamePiece) {
    writeTable();
    loadSoundTable(sound);
    hl::clearAudioEvents();
    EXPECT_TRUE(playMusic(sound, kSlotTitleMusic));
    EXPECT_TRUE(playMusic(sound, kSlotPlayMusic));
    EXPECT_EQ(hl::playingMusic(), sound.segments[kSlotPlayMusic]);
    EXPECT_TRUE(playMusic(sound, kSlotPlayMusic));  // from the beginning again
    const std::vector<hl::AudioEvent> plays = eventsOf(AudioCall::PlayMusic);
    ASSERT_EQ(plays.size(), 3u);
    EXPECT_EQ(plays[1].handle, plays[2].handle);
    stopAll(sound);
    EXPECT_EQ(hl::playingMusic(), -1);
}

TEST_F(SoundTest, TwoEffectsInOneFrameBothPlay) {
    writeTable();
    loadSoundTable(sound);
    hl::clearAudioEvents();
    EXPECT_TRUE(playSoundEffect(sound, kSlotAqua));
    EXPECT_TRUE(playSoundEffect(sound, kSlotAqua));
    const std::vector<hl::AudioEvent> plays = eventsOf(AudioCall::PlayEffect);
    ASSERT_EQ(plays.size(), 2u);
    EXPECT_EQ(plays[0].handle, sound.segments[kSlotAqua]);
    EXPECT_EQ(plays[1].handle, sound.segments[kSlotAqua]);
    EXPECT_TRUE(plays[0].succeeded && plays[1].succeeded);
}

TEST_F(SoundTest, WhileMutedNothingStartsAndBothPlaysReturnFalse) {
    writeTable();
    loadSoundTable(sound);
    sound.muted = true;
    hl::clearAudioEvents();
    EXPECT_FALSE(playMusic(sound, kSlotTitleMusic));
    EXPECT_FALSE(playSoundEffect(sound, kSlotAqua));
    EXPECT_TRUE(hl::audioEvents().empty());
    EXPECT_TRUE(hl::messages().empty());
    sound.muted = false;
    EXPECT_TRUE(playMusic(sound, kSlotTitleMusic));
}

TEST_F(SoundTest, ARefusedMusicOrEmptySlotShowsItsMessageAndARefusedEffectIsDropped) {
    writeTable();
    loadSoundTable(sound);
    hl::failNextAudioPlay();
    EXPECT_FALSE(playMusic(sound, kSlotTitleMusic));
    // An effect that cannot start is left out without stopping the game for a box.
    hl::failNextAudioPlay();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(playSoundEffect(sound, kSlotLeaf));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("sound effect dropped"), std::string::npos) << errors;
    // Empty and unknown slots fail with the message instead of playing nothing unnoticed.
    EXPECT_FALSE(playSoundEffect(sound, 3));
    EXPECT_FALSE(playMusic(sound, 18));
    ASSERT_EQ(hl::messages().size(), 3u);
    EXPECT_EQ(hl::messages()[0].text, "プライマリ・セグメントの再生に失敗しました。");
    EXPECT_EQ(hl::messages()[0].detail, "Could not play the music.");
    EXPECT_EQ(hl::messages()[1].text, "セカンダリ・セグメントの再生に失敗しました。");
    EXPECT_EQ(hl::messages()[1].detail, "Could not play a sound effect: its slot holds none.");
    EXPECT_EQ(hl::messages()[2].text, "プライマリ・セグメントの再生に失敗しました。");
    EXPECT_TRUE(playSoundEffect(sound, kSlotLeaf));
}

TEST_F(SoundTest, LoadingASlotAgainReleasesTheSoundItHeld) {
    writeFiles({"sound/aqua.wav", "sound/leaf.wav"});
    initSound(sound);
    loadSoundEffect(sound, 5, "sound/aqua.wav");
    const int first = sound.segments[5];
    loadSoundEffect(sound, 5, "sound/leaf.wav");
    const std::vector<hl::AudioEvent> frees = eventsOf(AudioCall::Free);
    ASSERT_EQ(frees.size(), 1u);
    EXPECT_EQ(frees[0].handle, first);
    EXPECT_EQ(hl::loadedSoundCount(), 1) << "the first sound was freed before the second loaded";
}

using SoundDeathTest = SoundTest;

TEST_F(SoundDeathTest, ASlotOutsideTheTableEndsTheProgram) {
    writeTable();
    initSound(sound);
    EXPECT_EXIT(loadSoundEffect(sound, 18, "sound/aqua.wav"), ::testing::ExitedWithCode(1),
                "Segment index error\\.\nCould not load a sound: slot 18 does not exist\\.");
    EXPECT_EXIT(loadMusic(sound, -1, "sound/Mossdrift.mid"), ::testing::ExitedWithCode(1),
                "Segment index error\\.");
}

TEST_F(SoundDeathTest, AMissingSoundFileEndsTheProgramAtStart) {
    writeTable();
    fs::remove(folder / "sound/get_dream.wav");
    EXPECT_EXIT(loadSoundTable(sound), ::testing::ExitedWithCode(1),
                "セグメントのデータロードに失敗しました。\nCould not load the sound sound/get_dream\\.wav");
}

TEST_F(SoundDeathTest, StartingFromAnotherFolderFailsTheFirstLoad) {
    writeTable();
    fs::current_path(folder / "sound");
    EXPECT_EXIT(loadSoundTable(sound), ::testing::ExitedWithCode(1),
                "セグメントのデータロードに失敗しました。\nCould not load the music sound/Mossdrift\\.mid");
}

TEST_F(SoundDeathTest, WithoutAnOutputADamagedOrMissingFileStillEndsTheProgramAtStart) {
    hl::setAudioInitFails(true);
    writeTable();
    hl::failAudioLoad("sound/Mossbloom.mid");
    EXPECT_EXIT(loadSoundTable(sound), ::testing::ExitedWithCode(1),
                "セグメントのデータロードに失敗しました。\nCould not load the music sound/Mossbloom\\.mid");
    fs::remove(folder / "sound/repel.wav");
    EXPECT_EXIT(
        {
            hl::resetAudio();
            hl::setAudioInitFails(true);
            loadSoundTable(sound);
        },
        ::testing::ExitedWithCode(1), "セグメントのデータロードに失敗しました。\nCould not load the sound sound/repel\\.wav");
}

// A machine without a sound device: the game plays muted, and the output can be opened later.
struct NoOutputTest : SoundTest {
    std::string errors;

    void loadTableWithoutOutput() {
        writeTable();
        hl::setAudioInitFails(true);
        testing::internal::CaptureStderr();
        loadSoundTable(sound);
        errors = testing::internal::GetCapturedStderr();
    }
};

TEST_F(NoOutputTest, EveryFileIsCheckedInTableOrderAndTheGamePlaysMutedWithOneLineSayingWhy) {
    loadTableWithoutOutput();
    EXPECT_TRUE(sound.muted);
    EXPECT_TRUE(sound.outputMissing);
    EXPECT_FALSE(sound.started);
    EXPECT_EQ(errors,
              "No sound: the sound output could not be opened (the headless output was told to refuse). "
              "The game plays muted; F3 tries again.\n");
    EXPECT_TRUE(hl::messages().empty()) << "no box: a machine without sound is no reason to stop";

    const std::vector<hl::AudioEvent> checks = eventsOf(AudioCall::Check);
    ASSERT_EQ(checks.size(), 16u);
    for (size_t i = 0; i < checks.size(); ++i) {
        const std::string& expected = i < 2 ? kMusicFiles[i] : kEffectFiles[i - 2];
        EXPECT_EQ(checks[i].path, expected);
    }
    EXPECT_TRUE(eventsOf(AudioCall::LoadMusic).empty());
    EXPECT_TRUE(eventsOf(AudioCall::LoadEffect).empty());
    for (int slot = 0; slot < kSoundSlotCount; ++slot) EXPECT_EQ(sound.segments[slot], -1);

    // Muted, nothing reaches the closed output and nothing shows a box; stopping is harmless.
    hl::clearAudioEvents();
    EXPECT_FALSE(playMusic(sound, kSlotTitleMusic));
    EXPECT_FALSE(playSoundEffect(sound, kSlotAqua));
    stopAll(sound);
    EXPECT_TRUE(hl::audioEvents().empty());
    EXPECT_TRUE(hl::messages().empty());
}

TEST_F(NoOutputTest, OpeningAgainFailsWithAnotherLineUntilTheOutputOpensThenTheTableLoadsIntoIt) {
    loadTableWithoutOutput();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openMissingOutput(sound));
    errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("could not be opened (the headless output was told to refuse)"), std::string::npos) << errors;
    EXPECT_TRUE(sound.outputMissing);
    EXPECT_TRUE(sound.muted);

    hl::setAudioInitFails(false);
    hl::clearAudioEvents();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(openMissingOutput(sound));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(sound.outputMissing);
    EXPECT_TRUE(sound.started);
    EXPECT_TRUE(sound.muted) << "unmuting is F3's, after the output opened";
    EXPECT_EQ(eventsOf(AudioCall::LoadMusic).size(), 2u);
    EXPECT_EQ(eventsOf(AudioCall::LoadEffect).size(), 14u);
    EXPECT_EQ(hl::loadedSoundCount(), 16);
    EXPECT_EQ(sound.seVolume, -384);

    sound.muted = false;
    EXPECT_TRUE(playMusic(sound, kSlotPlayMusic));
    EXPECT_TRUE(playSoundEffect(sound, kSlotRepel));
    EXPECT_EQ(hl::playingMusic(), sound.segments[kSlotPlayMusic]);
    // Open already, another try changes nothing.
    hl::clearAudioEvents();
    EXPECT_TRUE(openMissingOutput(sound));
    EXPECT_TRUE(hl::audioEvents().empty());

    unloadSoundTable(sound);
    EXPECT_EQ(hl::loadedSoundCount(), 0);
    EXPECT_FALSE(hl::audioOpen());
}

TEST_F(NoOutputTest, UnloadingWithoutAnOutputReleasesNothingAndForgetsTheMissingOutput) {
    loadTableWithoutOutput();
    hl::clearAudioEvents();
    unloadSoundTable(sound);
    EXPECT_TRUE(hl::audioEvents().empty());
    EXPECT_FALSE(sound.outputMissing);
    EXPECT_FALSE(openMissingOutput(sound)) << "nothing to open once the table is unloaded";
}

TEST_F(SoundTest, WithoutASoundFontTheMusicSlotsPlayNothingWithoutABoxAndEffectsPlay) {
    writeTable();
    hl::setMusicAvailable(false);
    loadSoundTable(sound);
    EXPECT_GE(sound.segments[kSlotTitleMusic], 0) << "the music files are loaded and checked all the same";
    EXPECT_GE(sound.segments[kSlotPlayMusic], 0);
    hl::clearAudioEvents();
    EXPECT_FALSE(playMusic(sound, kSlotTitleMusic));
    EXPECT_FALSE(playMusic(sound, kSlotPlayMusic));
    EXPECT_TRUE(hl::messages().empty());
    EXPECT_EQ(hl::playingMusic(), -1);
    EXPECT_TRUE(playSoundEffect(sound, kSlotGetDream));
    // A slot that holds nothing is still the game's fault, and says so.
    EXPECT_FALSE(playMusic(sound, 3));
    ASSERT_EQ(hl::messages().size(), 1u);
    EXPECT_EQ(hl::messages()[0].text, "プライマリ・セグメントの再生に失敗しました。");
}

}  // namespace
