// Effect voices against the sound limiter: its worst case always finds a voice, and an effect
// that finds none is dropped with a line on standard error, never a message box.
#include <string>

#include "platform/clock.h"
#include "world_test_support.h"

namespace hl = platform::headless;

namespace {

constexpr int kEffectSlots[] = {kSlotDecide, kSlotSelect, kSlotAqua,    kSlotLeaf,       kSlotFlare,
                                kSlotMetal,  kSlotLife,   kSlotDream,   kSlotOpen,       kSlotGetClover,
                                kSlotGetDream, kSlotAttract, kSlotRepel, kSlotMutation};

int refusedPlays() {
    int n = 0;
    for (const hl::AudioEvent& e : hl::audioEvents()) n += e.call == hl::AudioCall::PlayEffect && !e.succeeded;
    return n;
}

int linesIn(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

using SoundVoicesTest = WorldTest;

TEST_F(SoundVoicesTest, EveryEffectAskedForAsOftenAsTheLimiterAllowsFindsAVoice) {
    EXPECT_EQ(hl::effectVoices(), kEffectVoices);
    // Every effect as long as the longest, with the mixer's buffer on top.
    hl::setEffectLength(kLongestEffectMs + 100);
    testing::internal::CaptureStderr();
    int peak = 0;
    for (int frame = 1; frame <= 600; ++frame) {
        hl::advanceTicks(frame % 3 == 0 ? 34 : 33);
        decayLimiter(w.soundLimiter);
        for (int slot : kEffectSlots)
            while (playLimited(w.soundLimiter, sound, slot)) {
            }
        // A wave of each kind, played outside the limiter, as often as waves can start.
        if (frame % 31 == 1) {
            playSoundEffect(sound, kSlotAttract);
            playSoundEffect(sound, kSlotRepel);
        }
        peak = std::max(peak, hl::busyVoices());
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(refusedPlays(), 0);
    EXPECT_EQ(errors, "");
    EXPECT_TRUE(hl::messages().empty());
    // The run did fill the voices as far as the rules allow: nine plays a slot and two waves
    // of each kind while a voice is busy.
    EXPECT_EQ(peak, 14 * limitedPlaysWithin(kVoiceBusyFrames) + kUnlimitedPlaysWhileBusy);
    EXPECT_GT(peak, 32) << "more than the voices there used to be";
}

TEST_F(SoundVoicesTest, AnEffectThatFindsNoVoiceIsDroppedWithALineASecondAtMost) {
    hl::setEffectLength(600000);  // nothing ends during the test
    for (int i = 0; i < kEffectVoices; ++i) ASSERT_TRUE(playSoundEffect(sound, kSlotLeaf));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(playSoundEffect(sound, kSlotLeaf));
    for (int i = 0; i < 20; ++i) {
        hl::advanceTicks(33);
        EXPECT_FALSE(playSoundEffect(sound, kSlotAqua));
    }
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(linesIn(errors), 1) << errors;
    EXPECT_NE(errors.find("slot 6: 1 sound effect dropped"), std::string::npos) << errors;
    EXPECT_TRUE(hl::messages().empty()) << "a play never waits for a message box";

    // A second later the next drop is reported with the count of those since.
    hl::advanceTicks(1000);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(playSoundEffect(sound, kSlotAqua));
    errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("slot 5: 21 sound effects dropped"), std::string::npos) << errors;
    EXPECT_TRUE(hl::messages().empty());

    // Once the voices come free the effects play again.
    hl::advanceTicks(600000);
    EXPECT_TRUE(playSoundEffect(sound, kSlotAqua));
}

}  // namespace
