#pragma once
// A graphics device on the headless platform with textures of chosen real sizes.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/graphics_device.h"
#include "platform/headless/headless.h"
#include "test_support/recorded_quads.h"

namespace graphics_test {

using platform::headless::DrawCall;
using platform::headless::DrawKind;

inline void installTexture(GraphicsDevice& device, int slot, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xFFFFFFFFu);
    int handle = platform::createTexture(pixels.data(), width, height);
    ASSERT_NE(handle, platform::kNoTexture);
    device.textures[slot].handle = handle;
    platform::textureSize(handle, device.textures[slot].width, device.textures[slot].height);
}

inline const std::vector<DrawCall>& draws() { return platform::headless::videoRecord().draws; }

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::resetWindow();
        platform::createWindow("test", 100, 50, 640, 480);
        initGraphics(device, true);
        platform::headless::clearVideoRecord();
    }
    void TearDown() override {
        releaseGraphics(device);
        platform::headless::resetWindow();
    }
    GraphicsDevice device;
};

}  // namespace graphics_test
