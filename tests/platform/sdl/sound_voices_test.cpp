// Effect voices through SDL's mixer on the dummy audio driver: as many effects as the game has
// voices play at once, and one more is dropped with a line on standard error, not a box.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "sound/sound_system.h"
#include "test_support/sound_files.h"

namespace {

using soundfiles::writeTone;

TEST(SdlSoundVoices, AsManyEffectsAsVoicesPlayAtOnceAndOneMoreIsDropped) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("mossbloom_voices_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string tone = (folder / "tone.wav").string();
    writeTone(tone, 1000);

    SoundSystem sound;
    constructSoundSystem(sound);
    ASSERT_TRUE(initSound(sound));
    ASSERT_TRUE(loadSoundEffect(sound, kSlotLeaf, tone.c_str()));
    testing::internal::CaptureStderr();
    int started = 0;
    for (int i = 0; i < kEffectVoices; ++i) started += playSoundEffect(sound, kSlotLeaf) ? 1 : 0;
    const bool extra = playSoundEffect(sound, kSlotLeaf);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(started, kEffectVoices);
    EXPECT_FALSE(extra) << "every voice holds a second-long effect";
    EXPECT_NE(errors.find("slot 6: 1 sound effect dropped"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("セカンダリ"), std::string::npos) << "no message box: " << errors;

    // The voices come free as their effects end (waits only to catch a hang).
    bool playsAgain = false;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    testing::internal::CaptureStderr();
    while (!playsAgain && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        playsAgain = playSoundEffect(sound, kSlotLeaf);
    }
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(playsAgain);

    shutdownSound(sound);
    std::filesystem::remove_all(folder);
}

}  // namespace
