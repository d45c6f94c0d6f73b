#include "graphics/graphics_device.h"

#include "platform/message.h"

namespace {
constexpr const char* kModeSwitchFailed = "Could not switch between full screen and a window.";
}  // namespace

bool initGraphics(GraphicsDevice& device, bool windowed) {
    // The window's place now is where a return from full screen puts it back.
    device.windowRect = platform::windowRect();
    resetDevice(device, windowed);
    if (!platform::initVideo()) {
        platform::fatal("DIRECT3Dデバイスの作成に失敗しました。", "Could not start the drawing device.");
    }
    if (!windowed) {
        platform::setFullscreen(true);
        if (!platform::isFullscreen()) platform::fatal("画面モードの切り替えに失敗しました。", kModeSwitchFailed);
    }
    device.cullingEnabled = true;
    return true;
}

void resetDevice(GraphicsDevice& device, bool windowed) {
    device.windowed = windowed;
    if (!device.deviceCreated) {
        // The first call only records the mode: the device is created in that mode.
        device.deviceCreated = true;
        return;
    }
    platform::setFullscreen(!windowed);
    if (platform::isFullscreen() == windowed) platform::fatal("画面モードの切り替えに失敗しました。", kModeSwitchFailed);
    if (windowed) {
        const platform::WindowRect& r = device.windowRect;
        platform::moveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    device.cullingEnabled = true;
}

void beginScene(GraphicsDevice&) { platform::beginScene(); }

// Every draw already went into the back buffer: the end of a scene has nothing left to do.
void endScene(GraphicsDevice&) {}

void presentFrame(GraphicsDevice& device) {
    // A skipped frame is not shown: the window keeps the previous picture.
    if (device.drawEnabled) platform::present();
}

void keepScenePicture(GraphicsDevice& device) {
    if (device.drawEnabled) platform::keepScenePicture();
}

void dropKeptScenePicture(GraphicsDevice& device) {
    if (device.drawEnabled) platform::dropKeptScenePicture();
}

void showKeptScenePicture(GraphicsDevice& device) {
    if (device.drawEnabled) platform::showKeptScenePicture();
}

void releaseGraphics(GraphicsDevice& device) {
    for (TextureSlot& slot : device.textures) {
        if (slot.handle != platform::kNoTexture) platform::destroyTexture(slot.handle);
        slot = TextureSlot{};
    }
    platform::shutdownVideo();
}
