#pragma once
// A renderer for tests on the headless platform: its two task lists, and a 640 x 480 window
// that records every draw, with each sheet present as a white 1024 x 1024 texture so that a
// draw can be read back as the cell it showed.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/renderer.h"
#include "platform/headless/headless.h"

namespace testsupport {

constexpr int kSheetSize = 1024;

inline void constructTaskLists(Renderer& r) {
    constructTaskList(r.backTasks, r, kBackTaskCapacity);
    constructTaskList(r.frontTasks, r, kFrontTaskCapacity);
}

inline void destroyTaskLists(Renderer& r) {
    destroyTaskList(r.backTasks);
    destroyTaskList(r.frontTasks);
}

class RecordingRendererTest : public ::testing::Test {
protected:
    std::unique_ptr<Renderer> box = std::make_unique<Renderer>();
    Renderer& r = *box;

    void SetUp() override {
        namespace hl = platform::headless;
        hl::resetWindow();
        hl::setDrawRecording(true);
        platform::createWindow("test", 0, 0, 640, 480);
        constructTaskLists(r);
        initGraphics(r.device, true);
        const std::vector<uint32_t> white(static_cast<size_t>(kSheetSize) * kSheetSize, 0xFFFFFFFFu);
        for (TextureSlot& slot : r.device.textures) {
            slot.handle = platform::createTexture(white.data(), kSheetSize, kSheetSize);
            slot.width = kSheetSize;
            slot.height = kSheetSize;
        }
        hl::clearVideoRecord();
    }

    void TearDown() override {
        destroyTaskLists(r);
        releaseGraphics(r.device);
        platform::headless::resetWindow();
    }
};

}  // namespace testsupport
