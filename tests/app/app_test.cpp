// The frame loop: frame skipping, global keys, the FPS window, the debug overlay and the boot scene.
#include <cmath>
#include <string>

#include "app/main_window.h"
#include "app_fixture.h"
#include "platform/headless/headless.h"
#include "platform/keys.h"

namespace hl = platform::headless;
using apptest::AppTest;
using platform::DIK_1;
using platform::DIK_ESCAPE;
using platform::DIK_F1;
using platform::DIK_F3;
using platform::DIK_F4;
using platform::DIK_LMENU;
using platform::DIK_RETURN;
using platform::DIK_RMENU;

namespace {

uint32_t gSceneCost = 0;   // ms the test scene spends
int gSceneCalls = 0;

// Stands for any scene: counts its frames, spends gSceneCost ms and draws one rectangle.
void testScene(App& app) {
    advanceSceneFrame(app);
    ++gSceneCalls;
    hl::advanceTicks(gSceneCost);
    drawRect(app.renderer.drawing.device, BlendMode::Alpha, 0.0f, 0.0f, 640, 480, {255, 255, 255}, true);
}

class FrameLoopTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        gSceneCost = 0;
        gSceneCalls = 0;
        startApp();
    }
    void useTestScene() { switchScene(*app, testScene); }
    int audioCalls(hl::AudioCall call) {
        int n = 0;
        for (const hl::AudioEvent& e : hl::audioEvents()) n += e.call == call ? 1 : 0;
        return n;
    }
};

TEST_F(FrameLoopTest, HeavyFrameIsTwoMillisecondsOfSleepOrLessNotThree) {
    app->lastSleep = 3;
    applyGlobalKeys(*app);
    EXPECT_EQ(app->skipCounter, 0);
    app->lastSleep = 2;
    applyGlobalKeys(*app);
    EXPECT_EQ(app->skipCounter, 5);
    app->lastSleep = 3;
    for (int expected = 4; expected >= 0; --expected) {
        applyGlobalKeys(*app);
        EXPECT_EQ(app->skipCounter, expected);
    }
    applyGlobalKeys(*app);
    EXPECT_EQ(app->skipCounter, 0);
}

TEST_F(FrameLoopTest, OverrunFrameSleepsNothingAndMakesTheNextDecisionHeavy) {
    useTestScene();
    gSceneCost = 40;
    hl::clearSleeps();
    runFrame(*app);
    EXPECT_EQ(app->lastSleep, 0);
    EXPECT_TRUE(hl::sleeps().empty());
    gSceneCost = 0;
    runFrame(*app);
    EXPECT_EQ(app->skipCounter, kSkipFrames);
    EXPECT_EQ(app->lastSleep, 33);   // a quick frame sleeps out the whole slice
}

TEST_F(FrameLoopTest, WhileSkippingOddSceneFramesDrawAndPresentNothingButTheSceneRuns) {
    useTestScene();
    app->sceneFrame = 1;
    app->lastSleep = 0;
    for (int frame = 0; frame < 8; ++frame) {
        const uint32_t sceneFrameBefore = app->sceneFrame;
        const int callsBefore = gSceneCalls;
        hl::clearVideoRecord();
        runFrame(*app);
        EXPECT_EQ(gSceneCalls, callsBefore + 1) << "frame " << frame;
        const bool skipped = app->skipCounter != 0 && (sceneFrameBefore & 1u) != 0;
        EXPECT_EQ(hl::videoRecord().draws.empty(), skipped) << "frame " << frame;
        EXPECT_EQ(hl::videoRecord().presents, skipped ? 0 : 1) << "frame " << frame;
        if (frame == 0) {
            EXPECT_TRUE(skipped);
        }
        if (frame == 6) {
            EXPECT_FALSE(skipped) << "odd frames draw again once the counter is spent";
        }
    }
}

TEST_F(FrameLoopTest, ReturnPausesOncePerPressAndPauseStopsOnlyTheScene) {
    useTestScene();
    frameWithKeys({DIK_RETURN});
    EXPECT_TRUE(app->paused);
    const int calls = gSceneCalls;
    hl::clearVideoRecord();
    frameWithKeys({DIK_RETURN});   // still held: no second toggle
    frameWithKeys({});
    EXPECT_TRUE(app->paused);
    EXPECT_EQ(gSceneCalls, calls);
    EXPECT_EQ(hl::videoRecord().presents, 2) << "the overlay and the present go on while paused";
    EXPECT_FALSE(hl::videoRecord().draws.empty());
    frameWithKeys({DIK_RETURN});
    EXPECT_FALSE(app->paused);
    EXPECT_EQ(gSceneCalls, calls + 1);
}

TEST_F(FrameLoopTest, F1AndF4DoNothingWhilePausedAndActOncePerPressOtherwise) {
    frameWithKeys({DIK_RETURN});
    ASSERT_TRUE(app->paused);
    frameWithKeys({DIK_F1, DIK_F4});
    EXPECT_TRUE(app->renderer.windowed);
    EXPECT_FALSE(hl::windowRecord().fullscreen);
    EXPECT_FALSE(app->inverted);

    frameWithKeys({});
    frameWithKeys({DIK_RETURN});
    ASSERT_FALSE(app->paused);
    frameWithKeys({DIK_F4});
    frameWithKeys({DIK_F4});
    EXPECT_TRUE(app->inverted);
    // The inverting rectangle is the last draw of the frame: blend mode 5 over the whole screen.
    const auto& draws = hl::videoRecord().draws;
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().blend.source, platform::BlendFactor::InvDestColour);
    EXPECT_EQ(draws.back().blend.destination, platform::BlendFactor::InvSrcColour);

    const platform::WindowRect before = platform::windowRect();
    frameWithKeys({DIK_F1});
    EXPECT_FALSE(app->renderer.windowed);
    EXPECT_TRUE(hl::windowRecord().fullscreen);
    frameWithKeys({});
    frameWithKeys({DIK_F1});
    EXPECT_TRUE(app->renderer.windowed);
    EXPECT_FALSE(hl::windowRecord().fullscreen);
    const platform::WindowRect after = platform::windowRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, 640);
}

// F1 and F2 arrive as window events between frames as well as in the key state of the frame.
class DisplaySwitchTest : public FrameLoopTest {
protected:
    void frameWithWindowKey(platform::WindowKey key, std::initializer_list<int> keys) {
        hl::pushEvent({platform::EventKind::KeyDown, key});
        platform::Event event;
        while (platform::pollEvent(event)) ASSERT_TRUE(handleWindowEvent(event));
        frameWithKeys(keys);
    }
    std::string title() const { return hl::windowRecord().title; }
};

TEST_F(DisplaySwitchTest, F1WhilePausedLeavesAnEnlargedWindowAndItsTitleAsTheyAre) {
    frameWithWindowKey(platform::WindowKey::F2, {});
    frameWithWindowKey(platform::WindowKey::F2, {});
    ASSERT_EQ(title(), "Mossbloom --- 960 × 720");
    frameWithKeys({DIK_RETURN});
    ASSERT_TRUE(app->paused);
    frameWithWindowKey(platform::WindowKey::F1, {DIK_F1});
    frameWithKeys({});
    EXPECT_EQ(title(), "Mossbloom --- 960 × 720");
    EXPECT_EQ(hl::windowRecord().width, 960);
    EXPECT_FALSE(hl::windowRecord().fullscreen);
    EXPECT_EQ(mainWindow.windowScaleStep, 2);

    // Unpaused, the switch and the title reset come together.
    frameWithKeys({DIK_RETURN});
    ASSERT_FALSE(app->paused);
    frameWithWindowKey(platform::WindowKey::F1, {DIK_F1});
    EXPECT_TRUE(hl::windowRecord().fullscreen);
    EXPECT_EQ(title(), "Mossbloom --- 640 × 480");
    frameWithKeys({});
    frameWithWindowKey(platform::WindowKey::F1, {DIK_F1});
    EXPECT_FALSE(hl::windowRecord().fullscreen);
    EXPECT_EQ(hl::windowRecord().width, 640);
    EXPECT_EQ(title(), "Mossbloom --- 640 × 480");
    frameWithWindowKey(platform::WindowKey::F2, {});
    EXPECT_EQ(title(), "Mossbloom --- 800 × 600") << "the scale steps start over";
}

TEST_F(DisplaySwitchTest, AltEnterWhilePausedDoesNothingEvenWhenAltIsLetGoFirst) {
    frameWithWindowKey(platform::WindowKey::F2, {});
    frameWithKeys({DIK_RETURN});
    frameWithKeys({});
    ASSERT_TRUE(app->paused);
    frameWithKeys({DIK_LMENU, DIK_RETURN});
    EXPECT_TRUE(app->paused);
    EXPECT_FALSE(hl::windowRecord().fullscreen);
    EXPECT_EQ(title(), "Mossbloom --- 800 × 600");
    frameWithKeys({DIK_RETURN});   // Alt let go first, Enter still down
    EXPECT_TRUE(app->paused) << "the Enter of Alt+Enter never resumes";
    frameWithKeys({});
    EXPECT_EQ(hl::windowRecord().width, 800);

    frameWithKeys({DIK_RETURN});
    frameWithKeys({});
    ASSERT_FALSE(app->paused);
    frameWithKeys({DIK_RMENU, DIK_RETURN});
    EXPECT_TRUE(hl::windowRecord().fullscreen);
    EXPECT_EQ(title(), "Mossbloom --- 640 × 480");
}

TEST_F(DisplaySwitchTest, PauseAndF1TogetherNeverLeaveTheTitleNamingAnotherSize) {
    frameWithWindowKey(platform::WindowKey::F2, {});
    // Return and F1 between the same two frames: the pause comes first and the switch waits.
    frameWithWindowKey(platform::WindowKey::F1, {DIK_RETURN, DIK_F1});
    ASSERT_TRUE(app->paused);
    EXPECT_FALSE(hl::windowRecord().fullscreen);
    EXPECT_EQ(title(), "Mossbloom --- 800 × 600");
}

TEST_F(FrameLoopTest, AQuickAltEnterWhoseAltIsGoneByTheEnterReadingStillSwitches) {
    // A chord sent at once can be split by a reading: Alt seen down, then Enter seen with Alt up.
    frameWithKeys({DIK_LMENU});
    frameWithKeys({DIK_RETURN});
    EXPECT_FALSE(app->paused);
    EXPECT_TRUE(hl::windowRecord().fullscreen);
    frameWithKeys({});
    // Enter a reading later than that is Enter alone again.
    frameWithKeys({DIK_RETURN});
    EXPECT_TRUE(app->paused);
}

TEST_F(FrameLoopTest, AltEnterSwitchesTheDisplayAsF1DoesAndNeverPauses) {
    for (int alt : {DIK_LMENU, DIK_RMENU}) {
        frameWithKeys({alt, DIK_RETURN});
        EXPECT_FALSE(app->paused);
        EXPECT_FALSE(app->renderer.windowed);
        EXPECT_TRUE(hl::windowRecord().fullscreen);
        frameWithKeys({alt, DIK_RETURN});   // held: no second switch
        EXPECT_TRUE(hl::windowRecord().fullscreen);
        frameWithKeys({alt});               // Alt stays down, Enter comes again
        frameWithKeys({alt, DIK_RETURN});
        EXPECT_TRUE(app->renderer.windowed);
        EXPECT_FALSE(hl::windowRecord().fullscreen);
        EXPECT_EQ(hl::windowRecord().width, 640);
        EXPECT_FALSE(app->paused);
        frameWithKeys({});
    }
    // Enter alone still pauses; Alt pressed while Enter is held adds nothing.
    frameWithKeys({DIK_RETURN});
    EXPECT_TRUE(app->paused);
    frameWithKeys({DIK_RETURN, DIK_LMENU});
    EXPECT_TRUE(app->paused);
    EXPECT_TRUE(app->renderer.windowed);
    // F1 and Alt+Enter in the same frame are one switch.
    frameWithKeys({});
    frameWithKeys({DIK_RETURN});
    ASSERT_FALSE(app->paused);
    frameWithKeys({DIK_F1, DIK_LMENU, DIK_RETURN});
    frameWithKeys({});
    EXPECT_TRUE(hl::windowRecord().fullscreen);
}

TEST_F(FrameLoopTest, EscapeOneAndF3WorkWhilePausedAndOneEndsThePause) {
    frameWithKeys({DIK_RETURN});
    ASSERT_TRUE(app->paused);
    frameWithKeys({DIK_F3});
    EXPECT_TRUE(app->sound.muted);
    frameWithKeys({DIK_1});
    EXPECT_FALSE(app->paused);
    EXPECT_EQ(app->scene, &sceneTitle);
    frameWithKeys({DIK_ESCAPE});
    EXPECT_TRUE(app->quitRequested);
}

TEST_F(FrameLoopTest, OneSwitchesToTheTitleSceneFromItsStart) {
    app->titleScene = testScene;
    app->sceneFrame = 40;
    frameWithKeys({DIK_RETURN});
    frameWithKeys({DIK_1});
    EXPECT_FALSE(app->paused);
    EXPECT_EQ(app->scene, &testScene);
    EXPECT_EQ(app->sceneFrame, 1u) << "the new scene ran from frame 0 in the same frame";
    frameWithKeys({DIK_1});   // held: no second switch
    EXPECT_EQ(app->sceneFrame, 2u);
}

TEST_F(FrameLoopTest, F3MutesWithStopAndUnmutesWithTheCurrentMusicOnly) {
    World& world = app->world;
    world.musicSlot = kSlotTitleMusic;
    hl::clearAudioEvents();
    frameWithKeys({DIK_F3});
    EXPECT_TRUE(app->sound.muted);
    EXPECT_EQ(audioCalls(hl::AudioCall::StopAll), 1);
    EXPECT_FALSE(playSoundEffect(app->sound, kSlotDecide));

    frameWithKeys({});
    frameWithKeys({DIK_F3});
    EXPECT_FALSE(app->sound.muted);
    ASSERT_EQ(audioCalls(hl::AudioCall::PlayMusic), 1);
    EXPECT_EQ(hl::playingMusic(), app->sound.segments[kSlotTitleMusic]);

    frameWithKeys({});
    frameWithKeys({DIK_F3});
    world.musicSlot = kNoMusic;
    frameWithKeys({});
    hl::clearAudioEvents();
    frameWithKeys({DIK_F3});
    EXPECT_FALSE(app->sound.muted);
    EXPECT_EQ(audioCalls(hl::AudioCall::PlayMusic), 0);
}

// Started where the sound output cannot open: the game runs muted and F3 opens the output later.
class NoSoundOutputTest : public FrameLoopTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        hl::setAudioInitFails(true);
        testing::internal::CaptureStderr();
        startApp();
        errors = testing::internal::GetCapturedStderr();
    }
    std::string errors;
};

TEST_F(NoSoundOutputTest, TheGameRunsMutedAndF3BringsTheSoundBackOnceTheOutputOpens) {
    SoundSystem& sound = app->sound;
    EXPECT_NE(errors.find("No sound: the sound output could not be opened"), std::string::npos) << errors;
    EXPECT_TRUE(hl::messages().empty());
    EXPECT_TRUE(sound.muted) << "the overlay shows MUTE";
    hl::clearVideoRecord();
    for (int frame = 0; frame < 3; ++frame) frameWithKeys({});
    EXPECT_GE(hl::videoRecord().presents, 3) << "the game goes on";
    app->world.musicSlot = kSlotTitleMusic;

    // The output still refuses: another line, still muted.
    testing::internal::CaptureStderr();
    frameWithKeys({DIK_F3});
    errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("F3 tries again"), std::string::npos) << errors;
    EXPECT_TRUE(sound.muted);
    EXPECT_FALSE(hl::audioOpen());

    // Now it opens: the table loads, the sound comes on and the current music starts.
    frameWithKeys({});
    hl::setAudioInitFails(false);
    hl::clearAudioEvents();
    frameWithKeys({DIK_F3});
    EXPECT_FALSE(sound.muted);
    EXPECT_TRUE(hl::audioOpen());
    EXPECT_EQ(hl::loadedSoundCount(), 16);
    EXPECT_EQ(hl::playingMusic(), sound.segments[kSlotTitleMusic]);
    EXPECT_TRUE(playSoundEffect(sound, kSlotDecide));

    // From then on F3 mutes and unmutes as ever, without loading anything again.
    frameWithKeys({});
    frameWithKeys({DIK_F3});
    EXPECT_TRUE(sound.muted);
    EXPECT_EQ(hl::playingMusic(), -1);
    frameWithKeys({});
    frameWithKeys({DIK_F3});
    EXPECT_FALSE(sound.muted);
    EXPECT_EQ(audioCalls(hl::AudioCall::LoadMusic), 2);
    EXPECT_EQ(audioCalls(hl::AudioCall::Init), 1);
}

TEST_F(FrameLoopTest, FpsIsZeroUntilMoreThanOneSecondHasPassed) {
    const uint32_t start = app->fpsWindowStart;
    for (int i = 0; i < 10; ++i) runFrame(*app);
    hl::setTicks(start + 1000);
    runFrame(*app);
    EXPECT_EQ(app->fps, 0);
    EXPECT_EQ(app->framesThisSecond, 11);
    hl::setTicks(start + 1001);
    runFrame(*app);
    EXPECT_EQ(app->fps, 12);
    EXPECT_EQ(app->framesThisSecond, 0);
    EXPECT_EQ(app->fpsWindowStart, start + 1001);
}

TEST_F(FrameLoopTest, UnreadableKeyboardSkipsTheFrameButKeepsThePace) {
    useTestScene();
    hl::setWindowFocus(false);
    hl::clearVideoRecord();
    hl::clearSleeps();
    runFrame(*app);
    EXPECT_EQ(gSceneCalls, 0);
    EXPECT_EQ(hl::videoRecord().presents, 0);
    EXPECT_TRUE(hl::videoRecord().draws.empty());
    EXPECT_EQ(hl::sleeps().size(), 1u);
    hl::setWindowFocus(true);
    runFrame(*app);
    EXPECT_EQ(gSceneCalls, 1);
}

// Width of a recorded untextured quad.
float quadWidth(const hl::DrawCall& call) { return call.vertices[1].x - call.vertices[0].x; }

TEST_F(FrameLoopTest, OverlayMeterFollowsTheLoadAndItsPeakFallsByTwo) {
    app->overlayPeak = 0;
    app->lastSleep = 0;   // load 0.99: a meter of 46
    hl::clearVideoRecord();
    drawDebugOverlay(*app);
    const auto& draws = hl::videoRecord().draws;
    ASSERT_GE(draws.size(), 2u);
    EXPECT_FLOAT_EQ(quadWidth(draws[0]), 44.0f);
    EXPECT_FLOAT_EQ(quadWidth(draws[1]), 46.0f);
    EXPECT_FLOAT_EQ(draws[1].vertices[0].x, 3.0f);

    app->lastSleep = 33;  // idle: the meter drops at once, the peak falls slowly
    for (int expectedPeak : {42, 40, 38}) {
        hl::clearVideoRecord();
        drawDebugOverlay(*app);
        EXPECT_FLOAT_EQ(quadWidth(hl::videoRecord().draws[0]), static_cast<float>(expectedPeak));
        EXPECT_FLOAT_EQ(quadWidth(hl::videoRecord().draws[1]), 0.0f);
    }

    app->lastSleep = -10;  // more than a whole slice of work is drawn 47 wide
    hl::clearVideoRecord();
    drawDebugOverlay(*app);
    EXPECT_FLOAT_EQ(quadWidth(hl::videoRecord().draws[1]), 47.0f);
    EXPECT_EQ(app->overlayPeak, 45);
}

TEST_F(FrameLoopTest, OverlayShowsMuteAndAFrameSkipNoteThatDimsAsSkippingEnds) {
    auto overlayDraws = [&] {
        hl::clearVideoRecord();
        drawDebugOverlay(*app);
        return hl::videoRecord().draws;
    };
    app->lastSleep = 33;
    const size_t plain = overlayDraws().size();
    app->sound.muted = true;
    EXPECT_EQ(overlayDraws().size(), plain + 4) << "M, U, T, E";
    app->sound.muted = false;

    app->skipCounter = 5;
    auto draws = overlayDraws();
    ASSERT_EQ(draws.size(), plain + 9) << "FRAME SKIP without its space";
    // The first glyph after the meter box (two quads and four lines) is the F of FRAME.
    const uint32_t bright = draws[6].vertices[0].colour;
    app->skipCounter = 1;
    draws = overlayDraws();
    const uint32_t dim = draws[6].vertices[0].colour;
    EXPECT_EQ((bright >> 16) & 0xFF, 250u);   // 255 faded by (5 x 20 + 150) / 255
    EXPECT_EQ((dim >> 16) & 0xFF, 170u);      // 255 faded by (1 x 20 + 150) / 255
}

// The draws of one frame, split at the copies of the scene picture.
struct FrameSteps {
    int keeps = 0, shows = 0, drops = 0;
    bool dropIsFirst = false;     // the old picture is given up before the scene draws
    int drawsBeforeFirstCopy = 0;
    int inversions = 0;           // whole-screen rectangles in blend mode 5
    bool inversionIsLast = false;
    bool keepBeforeOverlay = false;
    int muteGlyphs = 0;           // glyphs where the MUTE note stands
};

bool isInversion(const hl::DrawCall& c) {
    return c.kind == hl::DrawKind::TriangleFan && c.blend.source == platform::BlendFactor::InvDestColour &&
           c.vertices[0].x == 0.0f && c.vertices[2].x == 640.0f && c.vertices[2].y == 480.0f;
}

FrameSteps stepsOf(const std::vector<hl::DrawCall>& draws, int fontTexture) {
    FrameSteps s;
    bool copied = false;
    for (size_t i = 0; i < draws.size(); ++i) {
        const hl::DrawCall& c = draws[i];
        if (c.kind == hl::DrawKind::KeepScenePicture) {
            ++s.keeps;
            // The overlay's first draw, the meter's peak, is an untextured quad at (3, 16).
            s.keepBeforeOverlay = i + 1 < draws.size() && draws[i + 1].vertices[0].x == 3.0f &&
                                  draws[i + 1].vertices[0].y == 16.0f;
        }
        if (c.kind == hl::DrawKind::ShowKeptScenePicture) ++s.shows;
        if (c.kind == hl::DrawKind::DropKeptScenePicture) {
            ++s.drops;
            s.dropIsFirst = i == 0;
            continue;
        }
        if (c.kind == hl::DrawKind::KeepScenePicture || c.kind == hl::DrawKind::ShowKeptScenePicture) {
            copied = true;
            continue;
        }
        if (!copied) ++s.drawsBeforeFirstCopy;
        if (isInversion(c)) s.inversions += 1;
        const float x = c.vertices[0].x;
        if (c.texture == fontTexture && x >= kOverlayNoteX - 1.0f && x < kOverlayNoteX + 40.0f && c.vertices[0].y < 12.0f)
            ++s.muteGlyphs;
    }
    s.inversionIsLast = !draws.empty() && isInversion(draws.back());
    return s;
}

TEST_F(FrameLoopTest, PausedFramesShowTheKeptScenePictureWithOneFreshOverlayAndOneInversion) {
    useTestScene();
    app->lastSleep = 33;
    const int font = app->renderer.drawing.device.textures[slotOf(Sheet::Interface)].handle;
    frameWithKeys({DIK_F4});
    ASSERT_TRUE(app->inverted);
    hl::clearVideoRecord();
    frameWithKeys({});
    FrameSteps running = stepsOf(hl::videoRecord().draws, font);
    EXPECT_EQ(running.keeps, 1);
    EXPECT_EQ(running.shows, 0);
    EXPECT_EQ(running.drops, 1);
    EXPECT_TRUE(running.dropIsFirst);
    EXPECT_EQ(running.drawsBeforeFirstCopy, 1) << "the scene's own rectangle, then the keep";
    EXPECT_TRUE(running.keepBeforeOverlay) << "the kept picture holds neither overlay nor inversion";
    EXPECT_EQ(running.inversions, 1);

    frameWithKeys({DIK_RETURN});
    const int sceneCalls = gSceneCalls;
    for (int frame = 0; frame < 8; ++frame) {
        hl::clearVideoRecord();
        frameWithKeys({});
        const FrameSteps paused = stepsOf(hl::videoRecord().draws, font);
        EXPECT_EQ(paused.shows, 1) << "frame " << frame;
        EXPECT_EQ(paused.keeps, 0) << "frame " << frame;
        EXPECT_EQ(paused.drops, 0) << "frame " << frame << ": the kept picture stays kept";
        EXPECT_EQ(paused.drawsBeforeFirstCopy, 0) << "the kept picture covers whatever was there";
        EXPECT_EQ(paused.inversions, 1) << "frame " << frame;
        EXPECT_TRUE(paused.inversionIsLast) << "frame " << frame;
        EXPECT_EQ(hl::videoRecord().presents, 1) << "frame " << frame;
    }
    EXPECT_EQ(gSceneCalls, sceneCalls);
}

TEST_F(FrameLoopTest, OverlayNotesStayCurrentWhilePaused) {
    useTestScene();
    app->lastSleep = 33;
    const int font = app->renderer.drawing.device.textures[slotOf(Sheet::Interface)].handle;
    frameWithKeys({DIK_RETURN});
    ASSERT_TRUE(app->paused);
    hl::clearVideoRecord();
    frameWithKeys({DIK_F3});
    ASSERT_TRUE(app->sound.muted);
    EXPECT_EQ(stepsOf(hl::videoRecord().draws, font).muteGlyphs, 4) << "M, U, T, E";
    frameWithKeys({});
    hl::clearVideoRecord();
    frameWithKeys({DIK_F3});
    ASSERT_FALSE(app->sound.muted);
    const FrameSteps after = stepsOf(hl::videoRecord().draws, font);
    EXPECT_EQ(after.shows, 1) << "the note's old pixels go with the kept picture";
    EXPECT_EQ(after.drawsBeforeFirstCopy, 0);
    EXPECT_EQ(after.muteGlyphs, 0);
}

TEST_F(FrameLoopTest, SkippedFramesNeitherKeepNorShowThePicture) {
    useTestScene();
    app->sceneFrame = 1;
    app->lastSleep = 0;   // heavy: odd scene frames are skipped
    hl::clearVideoRecord();
    runFrame(*app);
    ASSERT_FALSE(app->renderer.drawing.device.drawEnabled);
    EXPECT_TRUE(hl::videoRecord().draws.empty()) << "no keep of a picture the scene did not draw";
    app->paused = true;
    app->sceneFrame = 1;   // a paused scene does not advance its frame
    app->lastSleep = 0;
    hl::clearVideoRecord();
    runFrame(*app);
    ASSERT_FALSE(app->renderer.drawing.device.drawEnabled);
    EXPECT_TRUE(hl::videoRecord().draws.empty());
}

TEST_F(FrameLoopTest, BootSceneShowsTheLoadingPictureEveryFrame) {
    ASSERT_EQ(app->scene, &sceneBoot);
    hl::clearVideoRecord();
    app->sceneFrame = 17;   // the boot scene draws frame 18: the spinner turned by 90 degrees
    app->lastSleep = 33;    // a calm previous frame, so this odd frame is not skipped
    runFrame(*app);
    const auto& all = hl::videoRecord().draws;
    ASSERT_GE(all.size(), 5u);
    EXPECT_EQ(all[0].kind, hl::DrawKind::DropKeptScenePicture) << "a scene that will be kept";
    const std::vector<hl::DrawCall> draws(all.begin() + 1, all.end());
    EXPECT_EQ(draws[0].texture, platform::kNoTexture);
    EXPECT_EQ(draws[0].vertices[0].colour, 0xFF000000u);
    EXPECT_FLOAT_EQ(quadWidth(draws[0]), 640.0f);
    const int logo = app->renderer.drawing.device.textures[slotOf(Sheet::Interface)].handle;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(draws[i].texture, logo);
        EXPECT_EQ(draws[i].blend.source, platform::BlendFactor::SrcAlpha);
        EXPECT_EQ(draws[i].blend.destination, platform::BlendFactor::One);
    }
    EXPECT_FLOAT_EQ(draws[1].vertices[0].y, draws[1].vertices[1].y);
    EXPECT_NEAR(draws[2].vertices[0].x, draws[2].vertices[1].x, 1e-3) << "the spinner stands on end";
    EXPECT_EQ(hl::videoRecord().presents, 2) << "the loading picture, then the frame with the overlay";
}

TEST_F(FrameLoopTest, BootSceneStaysWithoutATitleSceneAndLeavesForOneWhenSteady) {
    EXPECT_EQ(app->titleScene, &sceneTitle) << "the game's own title scene";
    app->titleScene = nullptr;
    app->fps = 30;
    for (int i = 0; i < 200; ++i) runFrame(*app);
    EXPECT_EQ(app->scene, &sceneBoot);
    EXPECT_EQ(app->sceneFrame, 200u);

    app->titleScene = testScene;
    app->sceneFrame = 0;
    app->fps = 27;
    for (int i = 0; i < 150; ++i) sceneBoot(*app);
    EXPECT_EQ(app->scene, &sceneBoot);
    sceneBoot(*app);   // frame 151
    EXPECT_EQ(app->scene, &testScene);
    EXPECT_EQ(app->sceneFrame, 0u);

    switchScene(*app, sceneBoot);
    app->fps = 28;
    sceneBoot(*app);
    EXPECT_EQ(app->scene, &testScene);
}

TEST_F(FrameLoopTest, SceneFrameWrapsToOne) {
    app->sceneFrame = UINT32_MAX;
    advanceSceneFrame(*app);
    EXPECT_EQ(app->sceneFrame, 1u);
}

}  // namespace
