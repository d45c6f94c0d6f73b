// What a replay takes from the App and gives back: a replayed frame is read exactly as the
// devices read the same input, a play's start goes into another App whole, and nothing of a
// free record but its leftover fields reaches the next play.
#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "app/replay_state.h"
#include "platform/headless/headless.h"

namespace hl = platform::headless;

namespace {

struct Apps {
    std::unique_ptr<App> a = std::make_unique<App>();
    std::unique_ptr<App> b = std::make_unique<App>();
    Apps() {
        hl::resetInput();
        constructAppWithoutDevices(*a, 31337);
        constructAppWithoutDevices(*b, 31337);
    }
    ~Apps() {
        destroyAppWithoutDevices(*a);
        destroyAppWithoutDevices(*b);
    }
};

// Inputs that change often: every button and key goes down, stays and comes up again.
FrameInput choppy(uint32_t& state, int frame) {
    state = state * 1103515245u + 12345u;
    FrameInput in;
    in.x = static_cast<int32_t>((state >> 4) % 760) - 60;
    in.y = static_cast<int32_t>((state >> 14) % 600) - 60;
    in.left = (frame / 3) % 4 == 1 || (state >> 24) % 9 == 0;
    in.right = (frame / 7) % 5 == 2;
    in.keys = (state >> 20) & 63u;
    if (frame % 11 < 6) in.keys &= ~static_cast<uint32_t>(kSpace);
    return in;
}

void feedDevices(const FrameInput& in) {
    hl::setCursor(in.x, in.y);
    hl::setMouseButton(0, in.left);
    hl::setMouseButton(1, in.right);
    for (const PlayKey& key : kPlayKeys) hl::setKeyDown(key.code, (in.keys & key.bit) != 0);
}

void expectSameReading(const App& a, const App& b, int frame) {
    for (const PlayKey& key : kPlayKeys) {
        ASSERT_EQ(a.input.keyState[key.code], b.input.keyState[key.code]) << key.name << " frame " << frame;
        ASSERT_EQ(a.input.keyEdge[key.code], b.input.keyEdge[key.code]) << key.name << " frame " << frame;
        ASSERT_EQ(a.input.keyHeldFrames[key.code], b.input.keyHeldFrames[key.code]) << key.name;
    }
    for (int button = 0; button < 2; ++button) {
        ASSERT_EQ(a.input.mouseState.buttons[button], b.input.mouseState.buttons[button]) << "frame " << frame;
        ASSERT_EQ(a.input.clickLatch[button], b.input.clickLatch[button]) << "frame " << frame;
    }
    ASSERT_EQ(a.input.cursorX, b.input.cursorX);
    ASSERT_EQ(a.input.cursorY, b.input.cursorY);
    ASSERT_EQ(a.world.cursorX, b.world.cursorX) << "frame " << frame;
    ASSERT_EQ(a.world.prevCursorX, b.world.prevCursorX) << "frame " << frame;
    ASSERT_EQ(a.world.prevCursorY, b.world.prevCursorY) << "frame " << frame;
    ASSERT_EQ(a.world.stroke, b.world.stroke) << "frame " << frame;
}

TEST(ReplayState, AReplayedFrameIsReadExactlyAsTheDevicesReadTheSameInput) {
    Apps apps;
    startPlay(*apps.a, PlayMode::clover);
    startPlay(*apps.b, PlayMode::clover);
    uint32_t state = 99;
    for (int frame = 0; frame < 3000; ++frame) {
        const FrameInput in = choppy(state, frame);
        feedDevices(in);
        readFrameInput(*apps.a);
        readReplayedInput(*apps.b, in);
        expectSameReading(*apps.a, *apps.b, frame);
        // A mouse click as the title reads it, now and then, so that the latches differ from none.
        if (frame % 50 == 0) {
            EXPECT_EQ(mouseClicked(apps.a->input), mouseClicked(apps.b->input));
        }
        if (playFrame(*apps.a)) startPlay(*apps.a, PlayMode::clover);
        if (playFrame(*apps.b)) startPlay(*apps.b, PlayMode::clover);
    }
    EXPECT_EQ(worldDigest(apps.a->world), worldDigest(apps.b->world));
}

std::string headerOf(const PlayStart& start) {
    static char buffer[1 << 16];
    TextBuffer text{buffer, sizeof buffer};
    formatReplayHeader(text, start, "-", false);
    return std::string(buffer, text.length);
}

TEST(ReplayState, APlaysStartGoesIntoAnotherAppWhole) {
    Apps apps;
    App& a = *apps.a;
    startPlay(a, PlayMode::endless);
    uint32_t state = 5;
    for (int frame = 0; frame < 2500; ++frame) {
        feedDevices(choppy(state, frame));
        readFrameInput(a);
        playFrame(a);
    }
    PlayStart dirty;
    capturePlayStart(a, carryOf(a), dirty);
    ASSERT_NE(dirty.objects.order[0], 2) << "the play has shuffled its records";

    beginPlayFrom(*apps.b, dirty);
    PlayStart copied;
    capturePlayStart(*apps.b, carryOf(*apps.b), copied);
    EXPECT_EQ(headerOf(copied), headerOf(dirty));
    EXPECT_EQ(apps.b->playMode, PlayMode::endless);
    EXPECT_EQ(apps.b->scene, &scenePlay);
    EXPECT_EQ(apps.b->sceneFrame, 0u);
}

// Every field of a free record but the leftovers is set by the add that takes it again: two
// worlds whose free records differ in everything else play the same play.
TEST(ReplayState, NothingOfAFreeRecordButItsLeftoverFieldsReachesThePlay) {
    Apps apps;
    for (ObjectPool* pool : {&apps.a->world.objects, &apps.a->world.seeds}) {
        for (WorldObject* r = pool->head->next; r != pool->tail; r = r->next) {
            const int32_t g = 1000 + r->serial;
            r->dying = true;
            r->kind = g;
            r->x = r->y = r->vx = r->vy = static_cast<float>(g);
            r->size = r->angle = r->alpha = r->red = r->green = r->blue = g;
            r->launchTimer = r->charge = r->absorbed = r->fadeTimer = r->content = g;
            r->touched = true;
        }
    }
    startPlay(*apps.a, PlayMode::endless);
    startPlay(*apps.b, PlayMode::endless);
    uint32_t state = 77;
    for (int frame = 0; frame < 1500; ++frame) {
        FrameInput in = choppy(state, frame);
        in.keys &= ~static_cast<uint32_t>(kSpace);
        feedDevices(in);
        readFrameInput(*apps.a);
        playFrame(*apps.a);
        readFrameInput(*apps.b);
        playFrame(*apps.b);
    }
    ASSERT_GT(apps.a->world.objects.count, 20);
    EXPECT_EQ(worldDigest(apps.a->world), worldDigest(apps.b->world));
}

}  // namespace
