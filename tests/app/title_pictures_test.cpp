// The title, menu and closing pictures, read back from the draws they make over their frames.
#include "app/title_pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "scene_test_support.h"
#include "world/effects.h"

namespace {

namespace hl = platform::headless;
using scenetest::Seen;

constexpr int kLogo = 5;
constexpr int kEffect = 6;

class TitlePicturesTest : public scenetest::RendererTest {
protected:
    // One title frame as the title scene draws it: back tasks, the picture, front tasks.
    std::vector<Seen> titleFrame(uint32_t f) {
        hl::clearVideoRecord();
        runTasks(r.backTasks);
        drawTitlePicture(r, f);
        runTasks(r.frontTasks);
        return drawn();
    }

    struct GeneratorState {
        RandomWords words;
        uint32_t own;
    };
    GeneratorState generator() const { return {words, r.effectsRandom.randomState}; }
    void restore(const GeneratorState& g) {
        words = g.words;
        r.effectsRandom.randomState = g.own;
    }
    // How many values were drawn between two states (up to 100).
    int drawsBetween(const GeneratorState& from, const GeneratorState& to) {
        const GeneratorState after = generator();
        restore(from);
        int n = 0;
        while (n <= 100 && !(r.effectsRandom.randomState == to.own && words.x == to.words.x &&
                             words.y == to.words.y && words.z == to.words.z)) {
            nextRandom(r.effectsRandom);
            ++n;
        }
        restore(after);
        return n;
    }
};

TEST_F(TitlePicturesTest, ScatteredPlantsAppearTogetherAtFrame171AndTheLettersOneByOneFrom196) {
    setupTitlePicture(r);
    const int letterDelays[9] = {195, 198, 201, 204, 210, 213, 216, 219, 222};
    for (uint32_t f = 1; f <= 240; ++f) {
        const std::vector<Seen> all = titleFrame(f);
        const int plants = countCells(all, kEffect, 500, 200);
        EXPECT_EQ(plants, f < 171 ? 0 : 40) << "frame " << f;
        int lettersDue = 0;
        for (int d : letterDelays) lettersDue += static_cast<int>(f) > d ? 1 : 0;
        EXPECT_EQ(countCells(all, kLogo, 0, 150), lettersDue) << "frame " << f;
    }
    // The nine letters are cut at their own edges and together make the whole word.
    const std::vector<Seen> all = titleFrame(241);
    std::vector<int> edges;
    for (const Seen& s : all)
        if (s.texture == kLogo && s.cellY == 0 && s.cellH == 150) edges.push_back(s.cellX);
    EXPECT_EQ(edges, (std::vector<int>{0, 72, 99, 144, 204, 274, 337, 392, 423}));
}

TEST_F(TitlePicturesTest, ScatteredPlantsSettleWhereTheirDrawsPutThemLargerOnesLower) {
    const GeneratorState start = generator();
    setupTitlePicture(r);
    // The same draws again, in the order the title takes them: root, colour, picture, place.
    const GeneratorState afterSetup = generator();
    restore(start);
    struct Expected {
        float h, u;
        int k;
        PrimaryColour colour;
    };
    std::vector<Expected> expected;
    for (int i = 0; i < 40; ++i) {
        Expected e{};
        e.h = randomFloat(r.effectsRandom, 0.6f) + 0.45f;
        e.colour = randomPrimary(r.effectsRandom, 200);
        e.k = static_cast<int>(randomInt(r.effectsRandom, 5));
        e.u = randomFloat(r.effectsRandom, 640.0f);
        expected.push_back(e);
    }
    EXPECT_EQ(r.effectsRandom.randomState, afterSetup.own) << "the setup takes exactly the plants' draws";

    hl::setDrawRecording(false);
    for (int run = 0; run < 3000; ++run) runTasks(r.backTasks);
    hl::setDrawRecording(true);
    hl::clearVideoRecord();
    runTasks(r.backTasks);
    std::vector<Seen> plants;
    for (const Seen& s : drawn())
        if (s.texture == kEffect && s.cellY == 500) plants.push_back(s);
    ASSERT_EQ(plants.size(), 40u);
    for (size_t i = 0; i < plants.size(); ++i) {
        const Expected& e = expected[i];
        SCOPED_TRACE(i);
        EXPECT_NEAR(plants[i].centreX, e.u, 0.05f);
        EXPECT_NEAR(plants[i].centreY, 240.0f + 200.0f * e.h * e.h * e.h, 0.05f);
        EXPECT_NEAR(plants[i].width, 150.0f * e.h * e.h, 0.05f);
        EXPECT_EQ(plants[i].cellX, 150 * e.k);
        EXPECT_EQ(plants[i].r, e.colour.red);
        EXPECT_EQ(plants[i].g, e.colour.green);
        EXPECT_EQ(plants[i].b, e.colour.blue);
    }
}

TEST_F(TitlePicturesTest, CaptionsFlashBlinkTwiceThenSwellAndFade) {
    std::set<uint32_t> firstFrames, secondFrames;
    for (uint32_t f = 1; f <= 300; ++f) {
        hl::clearVideoRecord();
        drawTitlePicture(r, f);
        for (const Seen& s : drawn()) {
            if (s.texture != kLogo || s.cellX != 0) continue;
            if (s.cellY == 260 && s.cellW == 370) firstFrames.insert(f);
            if (s.cellY != 180) continue;
            secondFrames.insert(f);
            // Only the part of its cell left of the font (x 350 on) is drawn, and its left edge
            // stays where the whole 370-wide cell centred at x 320 puts it, at every scale.
            EXPECT_EQ(s.cellW, 350);
            EXPECT_NEAR(s.centreX - s.width / 2, 320 - 185 * s.width / 350, 0.01f);
            if (f == 55) {
                EXPECT_EQ(s.r, 125);
            }
            if (f == 60) {
                EXPECT_EQ(s.r, 255);
            }
            if (f == 101) {
                EXPECT_NEAR(s.width, 350 * 1.02f, 0.01f);
            }
            if (f == 109) {
                EXPECT_NEAR(s.width, 350 * 2.62f, 0.01f);
                EXPECT_EQ(s.r, 25);
            }
        }
    }
    std::set<uint32_t> expectedFirst, expectedSecond;
    for (uint32_t f = 40; f <= 59; ++f) expectedFirst.insert(f);
    for (uint32_t f = 50; f <= 109; ++f)
        if (f != 70 && f != 72) expectedSecond.insert(f);
    EXPECT_EQ(firstFrames, expectedFirst);
    EXPECT_EQ(secondFrames, expectedSecond);
}

TEST_F(TitlePicturesTest, CaptionFlashesOverTheTitleComeGreyAtFrame71ThenOliveAt94And98) {
    setupTitlePicture(r);
    // The caption pictures the front list draws on each run, widest first within a run.
    std::vector<std::vector<Seen>> flashes(121);
    for (int run = 1; run <= 120; ++run) {
        hl::clearVideoRecord();
        runTasks(r.frontTasks);
        for (const Seen& s : drawn())
            if (s.texture == kLogo && s.cellY == 260 && s.cellW == 370) flashes[run].push_back(s);
    }
    for (int run = 1; run <= 120; ++run) {
        const bool grey = run >= 71 && run <= 73;
        const bool olive = (run >= 94 && run <= 97) || (run >= 98 && run <= 101);
        EXPECT_EQ(flashes[run].size(), (grey || olive) ? 1u : 0u) << "run " << run;
    }
    const Seen& first = flashes[71][0];
    EXPECT_NEAR(first.width, 370.0f * 3.0f, 0.5f);
    EXPECT_GT(first.r, 0);
    EXPECT_EQ(first.r, first.g);
    EXPECT_EQ(first.r, first.b) << "the first flash is grey";
    for (int run : {94, 98}) {
        SCOPED_TRACE(run);
        const Seen& late = flashes[run][0];
        EXPECT_NEAR(late.width, 370.0f * 2.0f, 0.5f);
        EXPECT_GT(late.r, 0);
        EXPECT_EQ(late.r, late.g);
        EXPECT_EQ(late.b, 0) << "the late flashes leave blue on the paper";
    }
}

TEST_F(TitlePicturesTest, EachFrameTakesItsOwnCountOfRandomDrawsAndTasks) {
    struct Case {
        uint32_t f;
        int draws, tasks;
    };
    // Bubbles take 3 draws each, two a frame; rising seeds 5; floating blossoms 8; the six large
    // pictures none; sweeping creatures 6.
    const Case cases[] = {{1, 0, 0},   {69, 0, 0},  {70, 6, 2},   {75, 11, 3}, {104, 11, 3}, {105, 14, 3},
                          {110, 8, 7}, {154, 8, 1}, {155, 0, 0}, {164, 0, 0}, {165, 6, 1}, {189, 6, 1},
                          {190, 0, 0}, {254, 0, 0}};
    for (const Case& c : cases) {
        clearTasks(r.backTasks);
        const GeneratorState before = generator();
        drawTitlePicture(r, c.f);
        EXPECT_EQ(drawsBetween(before, generator()), c.draws) << "frame " << c.f;
        EXPECT_EQ(r.backTasks.count, c.tasks) << "frame " << c.f;
    }
}

TEST_F(TitlePicturesTest, AFullBackListLeavesOutPicturesButKeepsTheDraws) {
    setupTitlePicture(r);
    while (r.backTasks.count < kBackTaskCapacity) addTask(r.backTasks, 0, zoomingPicture, 1000);
    const GeneratorState before = generator();
    drawTitlePicture(r, 80);
    EXPECT_EQ(drawsBetween(before, generator()), 11);
    EXPECT_EQ(r.backTasks.count, kBackTaskCapacity);
}

TEST_F(TitlePicturesTest, MenuPlantsFollowTheMouseInProportionToTheirSize) {
    int32_t mouseY = 240;
    setupMenuPicture(r, mouseY);
    EXPECT_EQ(r.backTasks.count, 90);
    EXPECT_EQ(r.frontTasks.count, 1) << "the fade in from black";

    runTasks(r.backTasks);
    const std::vector<Seen> before = drawn();
    mouseY = 480;
    hl::clearVideoRecord();
    runTasks(r.backTasks);
    const std::vector<Seen> after = drawn();
    ASSERT_EQ(before.size(), 90u);
    ASSERT_EQ(after.size(), 90u);
    for (size_t i = 0; i < after.size(); ++i) {
        const float scale = after[i].width / 150.0f;
        EXPECT_NEAR(before[i].centreY - after[i].centreY, 0.23f * 240.0f * scale, 1.2f) << i;
    }
}

TEST_F(TitlePicturesTest, MenuAddsAPlantFromTheRightOnEvenFramesAndShadesTheTop) {
    int32_t mouseY = 300;
    setupMenuPicture(r, mouseY);
    hl::clearVideoRecord();
    drawMenuPicture(r, 3, mouseY);
    EXPECT_EQ(r.backTasks.count, 90);
    drawMenuPicture(r, 4, mouseY);
    ASSERT_EQ(r.backTasks.count, 91);
    const EffectPayload added = readPayload(*r.backTasks.lastAdded);
    EXPECT_FLOAT_EQ(added.x, 715.0f);
    EXPECT_EQ(added.followY, &mouseY);

    const std::vector<Seen> all = drawn();
    ASSERT_EQ(all.size(), 10u) << "four pictures and the shade, twice";
    const Seen& shade = all[4];
    EXPECT_EQ(shade.texture, -1);
    EXPECT_FLOAT_EQ(shade.centreY - shade.height / 2, -20.0f) << "300 / 15 above the top";
    EXPECT_FLOAT_EQ(shade.height, 200.0f);
    const Seen& mirroredPlant = all[2];
    EXPECT_EQ(mirroredPlant.texture, kEffect);
    EXPECT_GT(mirroredPlant.call.vertices[0].v, mirroredPlant.call.vertices[3].v) << "upside down";
}

TEST_F(TitlePicturesTest, ClosingPictureFlashesThenWhitensUntilFrame151) {
    setupClosingPicture(r);
    EXPECT_EQ(r.frontTasks.count, 4);
    int lastWhite = 0;
    for (int run = 1; run <= 170; ++run) {
        hl::clearVideoRecord();
        runTasks(r.frontTasks);
        for (const Seen& s : drawn()) {
            if (s.texture == -1 && s.width == 640.0f && s.height == 480.0f && s.r == 255) lastWhite = run;
        }
    }
    EXPECT_EQ(lastWhite, 151) << "full white on the closing scene's last frame";
    EXPECT_EQ(r.frontTasks.count, 0) << "every closing task has ended";
}

}  // namespace
