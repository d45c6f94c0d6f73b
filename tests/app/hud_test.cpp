// The play HUD and the combo display, checked on the draw calls the headless platform recorded.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/hud.h"
#include "app/renderer.h"
#include "graphics/graphics_device.h"
#include "platform/headless/headless.h"
#include "support/math_tables.h"
#include "test_support/recorded_quads.h"

namespace {

constexpr int kTexSide = 64;

using Seen = testsupport::SeenQuad;

// The small digits (and the clock's separator, drawn as "10") of one layer at one height.
std::vector<int> smallDigitsAt(const std::vector<Seen>& d, float centreY, int blend) {
    std::vector<int> digits;
    for (const Seen& s : d)
        if (s.cellY == 105 && s.cellW == 15 && !s.smooth && s.centreY == centreY && s.blend == blend)
            digits.push_back((s.cellX - 500) / 15);
    return digits;
}

// The text-size digits drawn in one colour, most significant first.
std::vector<int> textDigitsIn(const std::vector<Seen>& d, int r, int g, int b) {
    std::vector<int> digits;
    for (const Seen& s : d)
        if (s.smooth && s.cellY == 150 && s.r == r && s.g == g && s.b == b) digits.push_back((s.cellX - 260) / 8);
    return digits;
}

class HudTest : public ::testing::Test {
protected:
    RandomWords words;
    std::unique_ptr<Renderer> owned = std::make_unique<Renderer>();
    Renderer& r = *owned;
    int32_t counts[kHudKinds] = {1, 2, 3, 4, 5, 6, 7};

    void SetUp() override {
        initMathTables(r.drawing.effectsRandom, words);
        r.drawing.effectsRandom.randomState = 77;
        ASSERT_TRUE(platform::initVideo());
        const std::vector<uint32_t> pixels(kTexSide * kTexSide, 0xFFFFFFFFu);
        const int handle = platform::createTexture(pixels.data(), kTexSide, kTexSide);
        ASSERT_NE(handle, platform::kNoTexture);
        r.drawing.device.textures[slotOf(Sheet::Interface)].handle = handle;
        platform::textureSize(handle, r.drawing.device.textures[slotOf(Sheet::Interface)].width,
                              r.drawing.device.textures[slotOf(Sheet::Interface)].height);
        platform::headless::clearVideoRecord();
    }

    void TearDown() override {
        platform::destroyTexture(r.drawing.device.textures[slotOf(Sheet::Interface)].handle);
        platform::shutdownVideo();
    }

    std::vector<Seen> drawn() const { return testsupport::recordedQuads(r.drawing.device, kTexSide); }

    void hud(int32_t timeMs, int32_t aquaReserve = 5000, int32_t highlight = -1) {
        drawHud(r, 12345678, 3, counts, 28, timeMs, aquaReserve, highlight, 42);
    }

    // The value the next running clock will roll, without disturbing the generator.
    uint32_t nextRoll() {
        const RandomWords wordsBefore = words;
        MathTables copy = r.drawing.effectsRandom;
        const uint32_t roll = nextRandom(copy);
        words = wordsBefore;
        return roll;
    }
};

TEST_F(HudTest, KindCountersWidenForLargeCountsAndTheHighlightSitsBehindOne) {
    counts[0] = 999;
    counts[1] = 1000;
    counts[2] = 10000;
    counts[3] = 123456;    // more than five digits can show: all nines
    counts[4] = 9999;
    hud(0, 5000, 2);
    const std::vector<Seen> d = drawn();

    EXPECT_EQ(textDigitsIn(d, 100, 230, 250), (std::vector<int>{9, 9, 9}));
    EXPECT_EQ(textDigitsIn(d, 100, 250, 100), (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ(textDigitsIn(d, 250, 100, 100), (std::vector<int>{1, 0, 0, 0, 0}));
    EXPECT_EQ(textDigitsIn(d, 230, 150, 150), (std::vector<int>{9, 9, 9, 9, 9}));
    EXPECT_EQ(textDigitsIn(d, 230, 230, 230), (std::vector<int>{9, 9, 9, 9}));
    EXPECT_EQ(textDigitsIn(d, 250, 250, 100), (std::vector<int>{0, 0, 7}));
    EXPECT_EQ(textDigitsIn(d, 185, 185, 185), (std::vector<int>{0, 2, 8}));       // total
    EXPECT_EQ(textDigitsIn(d, 180, 180, 30), (std::vector<int>{0, 0, 0, 4, 2}));  // dreams

    // The highlight: one additive grey bar, untextured, just before the icon of kind 2.
    int bars = 0;
    for (size_t i = 0; i < d.size(); ++i) {
        if (d[i].textured || d[i].blend != 3) continue;
        bars += 1;
        EXPECT_EQ(d[i].left, 525.0f);
        EXPECT_EQ(d[i].top, 3.0f);
        EXPECT_EQ(d[i].width, 41.0f);
        EXPECT_EQ((std::vector<int>{d[i].r, d[i].g, d[i].b}), (std::vector<int>{100, 100, 100}));
        ASSERT_LT(i + 1, d.size());
        EXPECT_EQ(d[i + 1].cellX, 260 + 12 * 2);
        EXPECT_EQ(d[i + 1].cellY, 165);
        EXPECT_EQ(d[i + 1].centreX, 530.0f);
    }
    EXPECT_EQ(bars, 1);
}

TEST_F(HudTest, ScoreAndClockInkAndLightLayers) {
    const MathTables before = r.drawing.effectsRandom;
    hud(0);
    const std::vector<Seen> d = drawn();
    // Score: carry then score, ink at y 15 from x 139, light 2 up and left.
    EXPECT_EQ(smallDigitsAt(d, 15.0f, 4), (std::vector<int>{0, 3, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(smallDigitsAt(d, 13.0f, 3), (std::vector<int>{0, 3, 1, 2, 3, 4, 5, 6, 7, 8}));
    // A stopped clock reads 00:00.00 and rolls nothing.
    EXPECT_EQ(smallDigitsAt(d, 465.0f, 4), (std::vector<int>{0, 0, 10, 0, 0, 10, 0, 0}));
    EXPECT_EQ(smallDigitsAt(d, 463.0f, 3), (std::vector<int>{0, 0, 10, 0, 0, 10, 0, 0}));
    EXPECT_EQ(r.drawing.effectsRandom.randomState, before.randomState);

    std::vector<float> inkX, lightX;
    for (const Seen& s : d) {
        if (s.cellY != 105) continue;
        if (s.centreY == 15.0f && s.cellW == 15) inkX.push_back(s.centreX);
        if (s.centreY == 463.0f) lightX.push_back(s.centreX);
    }
    ASSERT_EQ(inkX.size(), 10u);
    EXPECT_EQ(inkX[0], 139.0f);
    EXPECT_EQ(inkX[1], 154.0f);
    EXPECT_EQ(inkX[2], 169.0f);
    EXPECT_EQ(lightX, (std::vector<float>{47, 62, 77, 92, 107, 122, 137, 152}));
}

TEST_F(HudTest, ClockFlickersOnlyWhileRunning) {
    for (int frame = 0; frame < 12; ++frame) {
        platform::headless::clearVideoRecord();
        const int expectedHundredths = static_cast<int>(nextRoll() % 4u);
        hud(180000);
        const std::vector<int> clock = smallDigitsAt(drawn(), 465.0f, 4);
        EXPECT_EQ(clock, (std::vector<int>{0, 3, 10, 0, 0, 10, 0, expectedHundredths}));
    }

    // The endless mode's held time is steady: 99:59.59 and no roll.
    for (int frame = 0; frame < 3; ++frame) {
        platform::headless::clearVideoRecord();
        const uint32_t state = r.drawing.effectsRandom.randomState;
        hud(5999590);
        EXPECT_EQ(smallDigitsAt(drawn(), 465.0f, 4), (std::vector<int>{9, 9, 10, 5, 9, 10, 5, 9}));
        EXPECT_EQ(smallDigitsAt(drawn(), 463.0f, 3), (std::vector<int>{9, 9, 10, 5, 9, 10, 5, 9}));
        EXPECT_EQ(r.drawing.effectsRandom.randomState, state);
    }

    // The last running value still rolls.
    const uint32_t state = r.drawing.effectsRandom.randomState;
    hud(kHudLastRunningMs);
    EXPECT_NE(r.drawing.effectsRandom.randomState, state);
}

TEST_F(HudTest, WaterGaugeFillsInProportion) {
    struct Case {
        int32_t reserve;
        int fill;    // 0: the frame alone
    };
    for (const Case c : {Case{5000, 85}, Case{10000, 170}, Case{1, 0}, Case{59, 1}, Case{0, 0}, Case{-40, 0}}) {
        SCOPED_TRACE(c.reserve);
        platform::headless::clearVideoRecord();
        hud(0, c.reserve);
        std::vector<Seen> strips;
        for (const Seen& s : drawn())
            if (s.textured && s.cellY == 400) strips.push_back(s);
        const bool filled = c.reserve > 0;
        ASSERT_EQ(strips.size(), filled ? 3u : 1u);
        EXPECT_EQ(strips[0].blend, 4);
        EXPECT_EQ(strips[0].cellX, 130);
        EXPECT_EQ(strips[0].width, 170.0f);
        EXPECT_EQ(strips[0].left, 225.0f);
        EXPECT_EQ(strips[0].top, 450.0f);
        if (!filled) continue;
        EXPECT_EQ(strips[1].cellX, 300);
        EXPECT_EQ(strips[1].width, static_cast<float>(c.fill));
        EXPECT_EQ(strips[1].left, 225.0f);
        EXPECT_EQ((std::vector<int>{strips[1].r, strips[1].g, strips[1].b}), (std::vector<int>{0, 100, 255}));
        EXPECT_EQ(strips[2].cellX, 130);
        EXPECT_EQ(strips[2].width, static_cast<float>(c.fill));
        EXPECT_EQ((std::vector<int>{strips[2].r, strips[2].g, strips[2].b}), (std::vector<int>{255, 255, 255}));
        for (size_t i = 1; i < strips.size(); ++i) EXPECT_EQ(strips[i].blend, 3);
    }
}

TEST_F(HudTest, HudSlidesOutOverTenFramesAndBackWithoutMovingTheCombo) {
    drawCombo(r, 60, 4, 120);
    const size_t comboDraws = platform::headless::videoRecord().draws.size();
    const std::vector<Seen> comboShown = drawn();
    ASSERT_GT(comboDraws, 0u);

    // The top strip is the first draw, the bottom strip the first untextured one below it.
    auto stripOffsets = [&](std::vector<float>& tops, std::vector<float>& bottoms) {
        platform::headless::clearVideoRecord();
        hud(1000);
        const std::vector<Seen> d = drawn();
        if (d.empty()) return;
        tops.push_back(d[0].top);
        for (const Seen& s : d)
            if (!s.textured && s.top >= 450.0f) {
                bottoms.push_back(s.top - 450.0f);
                break;
            }
    };

    r.hudHidden = true;
    std::vector<float> tops, bottoms;
    for (int frame = 1; frame <= 12; ++frame) stripOffsets(tops, bottoms);
    EXPECT_EQ(tops, (std::vector<float>{0, -1, -3, -5, -8, -12, -16, -21, -27}));
    EXPECT_EQ(bottoms, (std::vector<float>{0, 1, 3, 5, 8, 12, 16, 21, 27}));
    EXPECT_EQ(r.hudSlide, 10);

    platform::headless::clearVideoRecord();
    drawCombo(r, 60, 4, 120);
    const std::vector<Seen> comboHidden = drawn();
    ASSERT_EQ(comboHidden.size(), comboShown.size());
    for (size_t i = 0; i < comboHidden.size(); ++i) EXPECT_EQ(comboHidden[i].centreX, comboShown[i].centreX);

    r.hudHidden = false;
    tops.clear();
    bottoms.clear();
    for (int frame = 1; frame <= 11; ++frame) stripOffsets(tops, bottoms);
    EXPECT_EQ(tops, (std::vector<float>{-27, -21, -16, -12, -8, -5, -3, -1, 0, 0, 0}));
    EXPECT_EQ(r.hudSlide, 0);
}

TEST_F(HudTest, ComboSlidesInThenFades) {
    struct Case {
        int32_t timer;
        float slide;
        int bright;
    };
    for (const Case c : {Case{90, -25, 150}, Case{85, 0, 250}, Case{45, 0, 125}}) {
        SCOPED_TRACE(c.timer);
        platform::headless::clearVideoRecord();
        drawCombo(r, c.timer, 12, 345);
        const std::vector<Seen> d = drawn();
        ASSERT_EQ(d.size(), 8u);   // banner, 2 digits, word, 3 digits, "pts"
        EXPECT_EQ(d[0].centreX, 500.0f);   // the banner stays put
        EXPECT_EQ(d[0].centreY, 105.0f);
        EXPECT_EQ(d[0].width, 450.0f);
        EXPECT_EQ(d[0].blend, 3);
        // The count ends at x 455 + slide; the points at 572 + slide.
        EXPECT_EQ(d[1].cellX, 530);
        EXPECT_EQ(d[2].cellX, 560);
        EXPECT_EQ(d[2].left + d[2].width, 455.0f + c.slide);
        EXPECT_EQ(d[3].centreX, 535.0f + c.slide);
        EXPECT_EQ(d[6].left + d[6].width, 572.0f + c.slide);
        EXPECT_EQ(d[6].cellX, 500 + 15 * 5);
        EXPECT_EQ(d[7].centreX, 592.0f + c.slide);
        for (size_t i = 0; i < d.size(); ++i) {
            SCOPED_TRACE(i);
            const int want = i == 3 ? c.bright / 2 : c.bright;
            EXPECT_EQ((std::vector<int>{d[i].r, d[i].g, d[i].b}), (std::vector<int>{want, want, want}));
            if (i > 0) {
                EXPECT_EQ(d[i].blend, 4);
            }
        }
    }

    platform::headless::clearVideoRecord();
    drawCombo(r, 0, 12, 345);
    drawCombo(r, -5, 12, 345);
    EXPECT_TRUE(platform::headless::videoRecord().draws.empty());
}

}  // namespace
