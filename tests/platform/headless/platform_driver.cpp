// The contract test's driver for the headless platform: the player is the headless controls.
#include "test_support/platform_driver.h"

#include "platform/headless/headless.h"
#include "platform/keys.h"
#include "platform/video.h"
#include "platform/window.h"

namespace hl = platform::headless;

namespace platformdriver {

bool openWindow() {
    hl::resetWindow();
    hl::resetInput();
    hl::resetAudio();
    hl::setDrawRecording(true);
    return platform::initPlatform() && platform::createWindow("platform contract", 100, 100, 640, 480) &&
           platform::initVideo() && platform::initInputDevices();
}

void closeWindow() {
    platform::shutdownInputDevices();
    platform::shutdownVideo();
    platform::destroyWindow();
    platform::shutdownPlatform();
}

bool setFocus(bool focused) {
    hl::setWindowFocus(focused);
    return platform::windowHasFocus() == focused;
}

bool holdKey(int key, bool down) {
    hl::setKeyDown(key, down);
    return true;
}

bool holdButton(int button, bool down) {
    hl::setMouseButton(button, down);
    return true;
}

bool tapKey(int key) { return holdKey(key, true) && holdKey(key, false); }
bool tapButton(int button) { return holdButton(button, true) && holdButton(button, false); }

bool movePointer(int dx, int dy) {
    hl::setMouseMotion(dx, dy);
    return true;
}

bool turnWheel(int notches) {
    hl::setMouseMotion(0, 0, notches);
    return true;
}

bool changesWorkingDirectory() { return false; }

}  // namespace platformdriver
