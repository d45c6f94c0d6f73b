// Nothing is allocated during a play: the world steps of 1,000 busy play frames, after 100 frames
// to settle in, make no heap allocation. Every operator new of this program is counted.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

#include "bench_field.h"
#include "input/input_device.h"
#include "platform/headless/headless.h"
#include "platform/keys.h"
#include "sound/sound_system.h"
#include "world/world_steps.h"
#include "world/player.h"
#include "world/world.h"

namespace {
std::atomic<long> gAllocations{0};

void* countedAllocation(std::size_t size, std::size_t alignment) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (size == 0) size = 1;
    void* p = alignment > alignof(std::max_align_t) ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
                                                    : std::malloc(size);
    return p;
}
}  // namespace

void* operator new(std::size_t size) {
    if (void* p = countedAllocation(size, 0)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size, 0); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size, 0); }
void* operator new(std::size_t size, std::align_val_t a) {
    if (void* p = countedAllocation(size, static_cast<std::size_t>(a))) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t a) { return operator new(size, a); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace {

constexpr int kSettleFrames = 100;
constexpr int kCountedFrames = 1000;

// A busy player: long sprays, charges, short clicks for the waves, and the space bar now and then.
void playerInput(InputDevice& in, int frame) {
    const int phase = frame % 200;
    in.cursorX = 320 + static_cast<int>(280.0 * std::cos(frame * 0.043));
    in.cursorY = 240 + static_cast<int>(200.0 * std::sin(frame * 0.061));
    const bool left = (phase < 90) || phase == 150 || phase == 151 || phase == 170;
    const bool right = (phase >= 100 && phase < 140) || phase == 160 || phase == 161;
    in.mouseState.buttons[0] = left ? 0x80 : 0;
    in.mouseState.buttons[1] = right ? 0x80 : 0;
    const bool space = frame % 350 == 0;
    in.keyState[platform::DIK_SPACE] = space ? 0x80 : 0;
    if (!space) in.keyEdge[platform::DIK_SPACE] = kKeyUp;
    else if (in.keyEdge[platform::DIK_SPACE] == kKeyUp) in.keyEdge[platform::DIK_SPACE] = kKeyPressedUnread;
}

}  // namespace

TEST(Allocation, TheCounterSeesAnAllocation) {
    const long before = gAllocations.load();
    auto box = std::make_unique<int>(5);
    EXPECT_EQ(gAllocations.load() - before, 1);
}

TEST(Allocation, AThousandBusyPlayFramesAllocateNothingInTheWorldSteps) {
    namespace hl = platform::headless;
    hl::resetAudio();
    hl::assumeAudioFilesExist(true);
    auto play = std::make_unique<FieldRig>();
    buildFieldRig(*play);
    World& w = play->world;
    DrawContext& r = play->drawing;
    // Near full pools in the clover mode, so that the pool fills up and overflows within the run.
    fillField(w, 520, kSeedCapacity, 99u);
    w.cloversCollectable = true;
    w.timeLeftMs = 170000;

    // The headless sound device records each play: give its record room for any frame first.
    for (int i = 0; i < 512; ++i) playSoundEffect(play->sound, 5);
    hl::clearAudioEvents();

    long allocations = 0;
    int worstFrame = 0, overflows = 0;
    for (int frame = 1; frame <= kSettleFrames + kCountedFrames; ++frame) {
        playerInput(play->input, frame);
        updateCursor(w, 1.0f, 1.0f);
        const int before = w.objects.count;
        const long start = gAllocations.load();
        runPlayWorldSteps(w, r, frame);
        const long made = gAllocations.load() - start;
        if (w.objects.count < before - 100) ++overflows;
        if (frame > kSettleFrames && made > 0) {
            if (allocations == 0) worstFrame = frame;
            allocations += made;
        }
        runTasks(r.backTasks);
        runTasks(r.frontTasks);
        hl::clearAudioEvents();
    }
    EXPECT_EQ(allocations, 0) << "first allocating frame: " << worstFrame;
    // The run did what a busy play does: it sprayed, scored, and filled the pool to overflowing.
    EXPECT_GT(w.objects.createdByKind[aqua], 100);
    EXPECT_GT(w.score, 0);
    EXPECT_GE(overflows, 1);
    EXPECT_EQ(w.endCounter, 0);

    destroyFieldRig(*play);
    hl::resetAudio();
}
