// Replays of whole plays of the game's own frame loop on the headless platform: a play recorded
// after another play of the same run (its pools, generators, view and keys left "dirty" by the
// first) runs again from its file in a fresh game to the same end, and the game shows it again
// with the player's own mouse ignored.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/replay_state.h"
#include "app_fixture.h"
#include "platform/headless/file_recorder.h"
#include "platform/headless/headless.h"

namespace hl = platform::headless;
using apptest::AppTest;

namespace {

// Strokes with the left button, charges with the right, short clicks and the play keys, from a
// generator of the test's own.
struct BusyHand {
    uint32_t state = 12345;
    FrameInput held;
    int left = 0;

    uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }

    FrameInput nextFrame(int frame) {
        if (left-- <= 0) {
            held = FrameInput{static_cast<int32_t>(next() % 700) - 30, static_cast<int32_t>(next() % 540) - 30};
            const uint32_t gesture = next() % 10;
            held.left = gesture < 5;
            held.right = gesture == 5 || gesture == 6;
            left = gesture == 7 ? 1 : static_cast<int>(next() % 40);
            if (next() % 8 == 0) held.keys = kPlayKeys[next() % kPlayKeyCount].bit;
        }
        FrameInput in = held;
        if (in.left) {
            in.x += (frame % 7) * 9;
            in.y += (frame % 5) * 11;
        }
        // A mutation now and then, so that the clock runs down within a few thousand frames.
        if (frame % 250 == 0) in.keys |= kSpace;
        return in;
    }
};

class ReplayPlayTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        hl::resetFiles();
        startApp();
        hl::setDrawRecording(false);
    }

    // Each key is set straight to its state: let go and pressed again between two readings, a
    // held key would read as let go once.
    void frame(const FrameInput& in, int extraKey = -1) {
        if (lastExtraKey >= 0 && lastExtraKey != extraKey) hl::setKeyDown(lastExtraKey, false);
        lastExtraKey = extraKey;
        hl::setCursor(in.x, in.y);
        hl::setMouseButton(0, in.left);
        hl::setMouseButton(1, in.right);
        for (const PlayKey& key : kPlayKeys) hl::setKeyDown(key.code, (in.keys & key.bit) != 0);
        if (extraKey >= 0) hl::setKeyDown(extraKey, true);
        runFrame(*app);
    }

    void key(int code) { frame(FrameInput{}, code); }

    int lastExtraKey = -1;

    void untilTitle() {
        for (int i = 0; i < 400 && app->scene != &sceneTitle; ++i) frame(FrameInput{});
        ASSERT_EQ(app->scene, &sceneTitle);
    }

    // From the title through the menu into a play of the button at (x, y).
    void choose(int x, int y) {
        untilTitle();
        frame(FrameInput{400, 200, true});
        frame(FrameInput{400, 200});
        ASSERT_EQ(app->scene, &sceneMenu);
        frame(FrameInput{x, y, true});
        ASSERT_EQ(app->scene, &scenePlay);
    }

    void record() {
        GameOptions options;
        options.recordFolder = "/replays";
        Replay none;
        applyGameOptions(*app, options, none);
        ASSERT_TRUE(app->replay.recorder.enabled);
    }

    // The play of the clover button, paused once with the mouse moving and Z let go and pressed
    // again while paused, played until it ends; returns what it printed.
    std::string playDirtyCloverPlay() {
        choose(190, 300);
        BusyHand hand;
        testing::internal::CaptureStdout();
        int frames = 0;
        for (; frames < 8000 && app->scene == &scenePlay; ++frames) {
            if (frames == 300) {
                frame(FrameInput{100, 100, false, false, kZoomOut});
                frame(FrameInput{100, 100, false, false, kZoomOut}, platform::DIK_RETURN);
                EXPECT_TRUE(app->paused);
                for (int i = 0; i < 20; ++i) frame(FrameInput{100 + 20 * i, 300, i > 10, false, i % 3 ? kZoomOut : 0u});
                frame(FrameInput{500, 300, false, false, kZoomOut}, platform::DIK_RETURN);
                EXPECT_FALSE(app->paused);
            }
            frame(hand.nextFrame(frames));
        }
        EXPECT_EQ(app->scene, &sceneTitle) << "the clover play ends within " << frames << " frames";
        return testing::internal::GetCapturedStdout();
    }

    std::string onlyReplay(const std::string& mode) {
        std::string found;
        for (const std::string& path : hl::filePaths()) {
            if (path.find("-" + mode + ".replay") != std::string::npos) found = path;
        }
        EXPECT_FALSE(found.empty()) << "no " << mode << " replay among " << hl::filePaths().size() << " files";
        return hl::fileText(found);
    }
};

std::string endLine(const Replay& replay) {
    char line[128];
    std::snprintf(line, sizeof line, "play ended: mode %s score %d digest %016llx\n", playModeName(replay.start.mode),
                  replay.result.score, static_cast<unsigned long long>(replay.result.digest));
    return line;
}

// Runs the replay in an App of its own, as the simulator does; its result.
PlayResult runAlone(const Replay& replay) {
    auto alone = std::make_unique<App>();
    constructAppWithoutDevices(*alone, 987654321u);
    beginPlayFrom(*alone, replay.start);
    ReplayPosition at;
    int64_t frames = 0;
    bool ended = false;
    while (!ended && readNextReplayedFrame(*alone, replay, at)) {
        ended = playFrame(*alone);
        frames += 1;
    }
    const PlayResult result = resultOf(alone->world, frames);
    destroyAppWithoutDevices(*alone);
    return result;
}

Replay readOrFail(const std::string& text) {
    Replay replay;
    ReplayError error;
    EXPECT_TRUE(readReplay(text, replay, error)) << error.line << ": " << error.why;
    return replay;
}

TEST_F(ReplayPlayTest, APlayRecordedAfterAnotherRunsInAFreshGameToItsPrintedEnd) {
    record();
    choose(180, 250);
    BusyHand first;
    first.state = 777;
    for (int f = 0; f < 1500; ++f) frame(first.nextFrame(f));
    key(platform::DIK_1);
    ASSERT_EQ(app->scene, &sceneTitle);

    const std::string printed = playDirtyCloverPlay();
    EXPECT_EQ(hl::openFileCount(), 0);
    EXPECT_EQ(hl::filePaths().size(), 2u) << "one file a play, no temporary left";

    const Replay clover = readOrFail(onlyReplay("clover"));
    ASSERT_TRUE(clover.hasResult);
    EXPECT_FALSE(clover.partial);
    EXPECT_EQ(printed, endLine(clover));
    // The first play left its mark on what the second one started from.
    EXPECT_NE(clover.start.objects.order[0], 2) << "the records come in the order the first play left them";
    EXPECT_FALSE(clover.carries.empty()) << "the pause left a resume line";

    std::string difference;
    EXPECT_FALSE(firstDifference(clover.result, runAlone(clover), difference)) << difference;
    const Replay normal = readOrFail(onlyReplay("normal"));
    EXPECT_FALSE(firstDifference(normal.result, runAlone(normal), difference)) << difference;
    EXPECT_EQ(normal.result.frames, 1500) << "the frame 1 was pressed in ran no play";
}

TEST_F(ReplayPlayTest, TheGameShowsAReplayWithThePlayersMouseIgnoredAndGoesBackToTheTitle) {
    record();
    const std::string printed = playDirtyCloverPlay();
    Replay shown = readOrFail(onlyReplay("clover"));

    GameOptions options;
    options.showReplay = true;
    applyGameOptions(*app, options, shown);
    key(platform::DIK_1);   // the title, which now is the shown replay's start
    ASSERT_EQ(app->scene, &scenePlay);
    testing::internal::CaptureStdout();
    BusyHand viewer;
    viewer.state = 4242;
    int frames = 0;
    for (; frames < 8000 && app->scene == &scenePlay; ++frames) {
        if (frames == 100) {
            key(platform::DIK_RETURN);
            const uint32_t sceneFrame = app->sceneFrame;
            for (int i = 0; i < 5; ++i) frame(viewer.nextFrame(i));
            EXPECT_EQ(app->sceneFrame, sceneFrame) << "paused, the replay waits";
            key(platform::DIK_RETURN);
        }
        frame(viewer.nextFrame(frames));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), printed);
    EXPECT_EQ(app->scene, &sceneTitle);
    EXPECT_FALSE(app->replay.showing);
    EXPECT_EQ(hl::filePaths().size(), 1u) << "a shown replay is not recorded again";

    // The player's mouse is the game's again.
    frame(FrameInput{123, 234});
    EXPECT_EQ(app->world.mouseX, 123);
}

TEST_F(ReplayPlayTest, OneLeavesAShownReplayWithItsEndLine) {
    record();
    choose(160, 350);
    BusyHand hand;
    for (int f = 0; f < 400; ++f) frame(hand.nextFrame(f));
    testing::internal::CaptureStdout();
    key(platform::DIK_1);
    const std::string printed = testing::internal::GetCapturedStdout();
    Replay shown = readOrFail(onlyReplay("endless"));
    EXPECT_EQ(printed, endLine(shown));

    GameOptions options;
    options.showReplay = true;
    applyGameOptions(*app, options, shown);
    frame(FrameInput{});
    key(platform::DIK_1);
    ASSERT_EQ(app->scene, &scenePlay);
    for (int f = 0; f < 50; ++f) frame(FrameInput{});
    testing::internal::CaptureStdout();
    key(platform::DIK_1);
    const std::string left = testing::internal::GetCapturedStdout();
    EXPECT_EQ(left.rfind("play ended: mode endless score ", 0), 0u) << left;
    EXPECT_EQ(app->scene, &sceneTitle);
    EXPECT_FALSE(app->replay.showing);
}

}  // namespace
