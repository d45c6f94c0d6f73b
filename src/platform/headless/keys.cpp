#include "platform/keys.h"

#include "platform/headless/headless.h"
#include "platform/latched_reading.h"
#include "platform/window.h"

namespace {

// A key or button as a test sets it: its state now, whether it went down or up since the last
// reading, and what that reading said, so that a press and release in between is read once.
struct Latched {
    bool down = false;
    bool changed = false;
    bool reported = false;
};

struct HeadlessInput {
    Latched keys[256];
    Latched mouseButtons[4];
    int dx = 0, dy = 0, wheel = 0;
    bool mouseReadable = true;
    int cursorX = 0, cursorY = 0;
    bool initFails = false;
    bool controller = false;
    bool open = false;
    int keyboardReads = 0;
};

HeadlessInput gInput;

void set(Latched& latched, bool down) {
    if (latched.down == down) return;
    latched.down = down;
    latched.changed = true;
}

bool read(Latched& latched) {
    const bool down = platform::latchedReading(latched.down, latched.reported, latched.changed);
    latched.reported = down;
    latched.changed = false;
    return down;
}

// Without focus the window sees no presses: what happened before is forgotten.
void forget(Latched& latched) { latched.changed = latched.reported = false; }

}  // namespace

namespace platform {

bool initInputDevices() {
    gInput.open = !gInput.initFails;
    return gInput.open;
}

void shutdownInputDevices() { gInput.open = false; }

bool readKeyboard(uint8_t keyState[256]) {
    gInput.keyboardReads += 1;
    if (!windowHasFocus()) {
        for (Latched& key : gInput.keys) forget(key);
        return false;
    }
    for (int key = 0; key < 256; ++key) keyState[key] = read(gInput.keys[key]) ? 0x80 : 0;
    return true;
}

bool readMouse(MouseReading& reading) {
    if (!gInput.mouseReadable) return false;
    // Like the keyboard, the mouse belongs to the game only while its window is in front.
    if (!windowHasFocus()) {
        for (Latched& button : gInput.mouseButtons) forget(button);
        gInput.wheel = 0;
        return false;
    }
    reading.dx = gInput.dx;
    reading.dy = gInput.dy;
    reading.wheel = gInput.wheel;
    gInput.dx = gInput.dy = gInput.wheel = 0;  // motion is relative: reported once
    for (int button = 0; button < 4; ++button) reading.buttons[button] = read(gInput.mouseButtons[button]) ? 0x80 : 0;
    return true;
}

void cursorPosition(int& x, int& y) {
    x = gInput.cursorX;
    y = gInput.cursorY;
}

bool gameControllerPresent() { return gInput.controller; }

namespace headless {

void setKeyDown(int key, bool down) {
    if (key >= 0 && key < 256) set(gInput.keys[key], down);
}
void releaseAllKeys() {
    for (Latched& key : gInput.keys) set(key, false);
}
void setMouseButton(int button, bool down) {
    if (button >= 0 && button < 4) set(gInput.mouseButtons[button], down);
}
void setMouseMotion(int dx, int dy, int wheel) {
    gInput.dx = dx;
    gInput.dy = dy;
    gInput.wheel = wheel;
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
