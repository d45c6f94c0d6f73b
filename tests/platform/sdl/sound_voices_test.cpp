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

namespace {

void put16(std::ofstream& out, uint16_t v) { out.put(static_cast<char>(v & 255)).put(static_cast<char>(v >> 8)); }
void put32(std::ofstream& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

// A quiet mono tone of this many milliseconds as a 16-bit 44.1 kHz WAV file.
void writeTone(const std::string& path, int ms) {
    const uint32_t samples = 44100u * static_cast<uint32_t>(ms) / 1000u;
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    put32(out, 36 + samples * 2);
    out << "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, 44100);
    put32(out, 88200);
    put16(out, 2);
    put16(out, 16);
    out << "data";
    put32(out, samples * 2);
    for (uint32_t i = 0; i < samples; ++i)
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(500.0 * std::sin(i * 0.05))));
}

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
