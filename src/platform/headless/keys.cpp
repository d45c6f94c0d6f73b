#include "platform/keys.h"

#include "platform/headless/headless.h"

namespace {

struct HeadlessInput {
    bool keys[256] = {};
    bool focused = true;
    bool mouseButtons[4] = {};
    int dx = 0, dy = 0, dz = 0;
    bool mouseReadable = true;
    int cursorX = 0, cursorY = 0;
    bool initFails = false;
    bool controller = false;
    bool open = false;
    int keyboardReads = 0;
};

HeadlessInput gInput;

}  // namespace

namespace platform {

bool initInputDevices() {
    gInput.open = !gInput.initFails;
    return gInput.open;
}

void shutdownInputDevices() { gInput.open = false; }

bool readKeyboard(uint8_t keyState[256]) {
    gInput.keyboardReads += 1;
    if (!gInput.focused) return false;
    for (int key = 0; key < 256; ++key) keyState[key] = gInput.keys[key] ? 0x80 : 0;
    return true;
}

bool readMouse(MouseReading& reading) {
    if (!gInput.mouseReadable) return false;
    reading.dx = gInput.dx;
    reading.dy = gInput.dy;
    reading.dz = gInput.dz;
    gInput.dx = gInput.dy = gInput.dz = 0;  // motion is relative: reported once
    for (int button = 0; button < 4; ++button) reading.buttons[button] = gInput.mouseButtons[button] ? 0x80 : 0;
    return true;
}

void cursorPosition(int& x, int& y) {
    x = gInput.cursorX;
    y = gInput.cursorY;
}

bool gameControllerPresent() { return gInput.controller; }

namespace headless {

void setKeyDown(int key, bool down) {
    if (key >= 0 && key < 256) gInput.keys[key] = down;
}
void releaseAllKeys() {
    for (bool& key : gInput.keys) key = false;
}
void setKeyboardFocus(bool focused) { gInput.focused = focused; }
void setMouseButton(int button, bool down) {
    if (button >= 0 && button < 4) gInput.mouseButtons[button] = down;
}
void setMouseMotion(int dx, int dy, int dz) {
    gInput.dx = dx;
    gInput.dy = dy;
    gInput.dz = dz;
}
void setMouseReadable(bool readable) { gInput.mouseReadable = readable; }
void setCursor(int x, int y) {
    gInput.cursorX = x;
    gInput.cursorY = y;
}
void setInputDevicesFail(bool fail) { gInput.initFails = fail; }
void setGameController(bool present) { gInput.controller = present; }
bool inputDevicesOpen() { return gInput.open; }
int keyboardReads() { return gInput.keyboardReads; }
void resetInput() { gInput = HeadlessInput{}; }

}  // namespace headless
}  // namespace platform
