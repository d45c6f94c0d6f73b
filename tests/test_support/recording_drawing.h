#pragma once
// A drawing context for tests on the headless platform: its two task lists, its effects
// generator on words of its own, and a 640 x 480 window that records every draw, with each
// sheet present as a white 1024 x 1024 texture so that a draw can be read back as the cell it
// showed.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/draw_context.h"
#include "platform/headless/headless.h"

namespace testsupport {

constexpr int kSheetSize = 1024;

// Makes every sheet of the device a white kSheetSize square, so that each draw can be read back
// as the cell it showed.
inline void installWhiteSheets(GraphicsDevice& device) {
    const std::vector<uint32_t> white(static_cast<size_t>(kSheetSize) * kSheetSize, 0xFFFFFFFFu);
    for (TextureSlot& slot : device.textures) {
        slot.handle = platform::createTexture(white.data(), kSheetSize, kSheetSize);
        slot.width = kSheetSize;
        slot.height = kSheetSize;
    }
}

// Opens a recording window and the device in it, with every sheet a white kSheetSize square.
inline void openRecordingDevice(GraphicsDevice& device) {
    namespace hl = platform::headless;
    hl::resetWindow();
    hl::setDrawRecording(true);
    platform::createWindow("test", 0, 0, 640, 480);
    initGraphics(device, true);
    installWhiteSheets(device);
    hl::clearVideoRecord();
}

inline void closeRecordingDevice(GraphicsDevice& device) {
    releaseGraphics(device);
    platform::headless::resetWindow();
}

class RecordingDrawingTest : public ::testing::Test {
protected:
    RandomWords words;
    std::unique_ptr<DrawContext> box = std::make_unique<DrawContext>();
    DrawContext& r = *box;

    void SetUp() override {
        constructDrawContext(r, words);
        openRecordingDevice(r.device);
    }

    void TearDown() override {
        destroyDrawContext(r);
        closeRecordingDevice(r.device);
    }
};

}  // namespace testsupport
