#include "input/input_device.h"

#include <cstring>

#include "platform/keys.h"
#include "platform/message.h"

namespace {

constexpr uint8_t kDownBit = 0x80;

bool validKey(int key) { return key >= 0 && key < kKeyCount; }

// Marks the press as acted on; true when it had not been yet.
bool takePress(InputDevice& input, int key) {
    if (input.keyEdge[key] != kKeyPressedUnread) return false;
    input.keyEdge[key] = kKeyPressedRead;
    return true;
}

}  // namespace

void constructInputDevice(InputDevice& input) { input = InputDevice{}; }

bool initInput(InputDevice& input) {
    if (!platform::initInputDevices()) platform::fatal("DirectInputの初期化に失敗しました。", "Could not read the keyboard and mouse.");
    input.joystickPresent = platform::gameControllerPresent();
    pollKeyboard(input);
    pollMouse(input);
    return true;
}

bool pollKeyboard(InputDevice& input) {
    uint8_t reading[kKeyCount] = {};
    // A failed read leaves the state, the edges and the held counts exactly as they were.
    if (!platform::readKeyboard(reading)) return false;
    for (int key = 0; key < kKeyCount; ++key) takeKeyReading(input, key, (reading[key] & kDownBit) != 0);
    return true;
}

void takeKeyReading(InputDevice& input, int key, bool down) {
    if (!validKey(key)) return;
    input.keyState[key] = down ? kDownBit : 0;
    if (!down) {
        input.keyEdge[key] = kKeyUp;
        input.keyHeldFrames[key] = 0;
    } else {
        if (input.keyEdge[key] == kKeyUp) input.keyEdge[key] = kKeyPressedUnread;
        input.keyHeldFrames[key] += 1;
    }
}

void pollMouse(InputDevice& input) {
    platform::MouseReading reading;
    const bool read = platform::readMouse(reading);
    takeMouseReading(input, read ? &reading : nullptr);
}

void takeMouseReading(InputDevice& input, const platform::MouseReading* reading) {
    if (reading != nullptr) {
        input.mouseState.dx = reading->dx;
        input.mouseState.dy = reading->dy;
        input.mouseState.wheel = reading->wheel;
        std::memcpy(input.mouseState.buttons, reading->buttons, sizeof reading->buttons);
    }
    for (int button = 0; button < 2; ++button) {
        if (!mouseButtonDown(input, button)) input.clickLatch[button] = false;
    }
}

void updateCursorPosition(InputDevice& input) {
    int x = 0, y = 0;
    platform::cursorPosition(x, y);
    input.cursorX = x;
    input.cursorY = y;
}

bool keyDown(const InputDevice& input, int key) {
    return validKey(key) && (input.keyState[key] & kDownBit) != 0;
}

bool keyPressed(InputDevice& input, int key) { return validKey(key) && takePress(input, key); }

bool keyRepeat(InputDevice& input, int key) {
    if (!validKey(key)) return false;
    if (takePress(input, key)) return true;
    const int32_t held = input.keyHeldFrames[key];
    return held >= input.repeatDelay && input.repeatInterval > 0 && held % input.repeatInterval == 0;
}

bool anyKeyPressed(InputDevice& input) {
    for (int key = 0; key < kKeyCount; ++key) {
        if (takePress(input, key)) return true;
    }
    return false;
}

bool mouseButtonDown(const InputDevice& input, int button) {
    if (button < 0 || button > 1) return false;
    return (input.mouseState.buttons[button] & kDownBit) != 0;
}

bool mouseClicked(InputDevice& input) {
    if (input.clickLatch[0] || !mouseButtonDown(input, 0)) return false;
    input.clickLatch[0] = true;
    return true;
}

void clearKeys(InputDevice& input) {
    std::memset(input.keyState, 0, sizeof input.keyState);
    std::memset(input.keyEdge, 0, sizeof input.keyEdge);
    std::memset(input.keyHeldFrames, 0, sizeof input.keyHeldFrames);
}

bool clearKey(InputDevice& input, int key) {
    if (!validKey(key)) return false;
    input.keyState[key] = 0;
    return true;
}

void shutdownInput(InputDevice&) { platform::shutdownInputDevices(); }
