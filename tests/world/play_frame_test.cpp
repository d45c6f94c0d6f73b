// Whole play frames: the world steps in the play's order, with and without their effects drawn.
#include <cmath>

#include "play_test_support.h"
#include "world/play_clock.h"
#include "world/world_steps.h"

namespace {

// A small scripted player: sweeps with the left button, short clicks, a right-button charge
// and two presses of the space bar.
void scriptedInput(InputDevice& in, int frame) {
    const int phase = frame % 240;
    in.cursorX = 320 + static_cast<int>(250 * std::cos(frame * 0.05));
    in.cursorY = 240 + static_cast<int>(180 * std::sin(frame * 0.07));
    const bool left = (phase >= 20 && phase < 120) || phase == 150 || phase == 151;
    const bool right = phase >= 180 && phase < 220;
    in.mouseState.buttons[0] = left ? 0x80 : 0;
    in.mouseState.buttons[1] = right ? 0x80 : 0;
    const bool space = frame == 300 || frame == 700;
    in.keyState[platform::DIK_SPACE] = space ? 0x80 : 0;
    if (!space) in.keyEdge[platform::DIK_SPACE] = kKeyUp;
    else if (in.keyEdge[platform::DIK_SPACE] == kKeyUp) in.keyEdge[platform::DIK_SPACE] = kKeyPressedUnread;
}

}  // namespace

class PlayFrameTest : public PlayTest {
protected:
    std::unique_ptr<World> fresh;

    // Plays frames of a new play in a newly built world with a fixed generator (a reused world
    // plays the same way but hands out its records in another order); returns the world digest.
    // The effects the world queues (flashes, hint pictures) are drawn after each frame when asked.
    uint64_t play(int frames, bool drawEffects) {
        fresh = std::make_unique<World>();
        World& f = *fresh;
        buildWorld(f, words, sound);
        sound.muted = true;
        resetPlay(f);
        words = RandomWords{};
        f.math.randomState = 77u;
        f.timeLeftMs = 180000;
        f.cloversCollectable = true;
        clearTasks(drawing.backTasks);
        clearTasks(drawing.frontTasks);
        constructInputDevice(input);
        f.input = &input;
        for (int frame = 1; frame <= frames; ++frame) {
            scriptedInput(input, frame);
            updateCursor(f, 1.0f, 1.0f);
            runPlayWorldSteps(f, drawing, frame);
            if (drawEffects) {
                runTasks(drawing.backTasks);
                runTasks(drawing.frontTasks);
            }
        }
        return worldDigest(f);
    }
};

TEST_F(PlayFrameTest, EffectsChangeNothingInTheWorld) {
    const uint64_t withEffects = play(900, true);
    const RandomWords wordsAfter = words;
    const int sprayed = fresh->objects.createdByKind[aqua];
    const int score = fresh->score;
    const uint64_t without = play(900, false);
    EXPECT_EQ(withEffects, without);
    EXPECT_EQ(words.x, wordsAfter.x);
    EXPECT_EQ(words.z, wordsAfter.z);
    // The script really played: water was sprayed and the score moved.
    EXPECT_GT(sprayed, 10);
    EXPECT_GT(score, 0);
}

TEST_F(PlayFrameTest, AFixedPlayEndsInTheSameWorldEveryTime) {
    const uint64_t first = play(1500, false);
    const uint64_t again = play(1500, false);
    EXPECT_EQ(first, again);
    // Two presses of the space bar cost twenty seconds on top of the fifty seconds played.
    EXPECT_EQ(fresh->timeLeftMs, 180000 - 50000 - 20000);
}

TEST_F(PlayFrameTest, TheFrameTheTimeRunsOutEndsThePlayAndStopsThePlayersHand) {
    resetPlay(w);
    placeCursor(400, 300);
    WorldObject& drop = add(aqua, 100, 400, 300);
    drop.vx = 1.0f;
    w.timeLeftMs = 33;
    runPlayWorldSteps(w, drawing, 20);
    EXPECT_EQ(w.timeLeftMs, 0);
    EXPECT_EQ(w.endCounter, 1);
    // The drop under the cursor was still cut in that frame: the end comes after the actions.
    EXPECT_EQ(objectsOfKind(aqua).size(), 2u);

    // From now on only the field moves.
    const float x = drop.x;
    buttons(true, false);
    w.stroke = 200;
    runPlayWorldSteps(w, drawing, 21);
    EXPECT_EQ(w.endCounter, 2);
    EXPECT_EQ(objectsOfKind(aqua).size(), 2u);
    EXPECT_NE(drop.x, x);
}

TEST_F(PlayFrameTest, NewObjectsScoreTheirSizeOnTheNextFrame) {
    resetPlay(w);
    placeCursor(400, 300);
    buttons(true, false);
    w.elapsedMs = 1000;
    w.stroke = 150;
    runPlayWorldSteps(w, drawing, 31);
    auto drops = objectsOfKind(aqua);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(w.score, 0);
    runPlayWorldSteps(w, drawing, 32);
    EXPECT_EQ(w.score, drops[0]->size);
}
