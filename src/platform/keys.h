#pragma once
// Keyboard and mouse state in the game's own key codes (DirectInput scan codes).
#include <cstdint>

namespace platform {

constexpr int DIK_ESCAPE = 0x01;
constexpr int DIK_1 = 0x02;
constexpr int DIK_RETURN = 0x1C;
constexpr int DIK_A = 0x1E;
constexpr int DIK_LSHIFT = 0x2A;
constexpr int DIK_Z = 0x2C;
constexpr int DIK_X = 0x2D;
constexpr int DIK_C = 0x2E;
constexpr int DIK_LMENU = 0x38;   // left Alt
constexpr int DIK_SPACE = 0x39;
constexpr int DIK_F1 = 0x3B;
constexpr int DIK_F2 = 0x3C;
constexpr int DIK_F3 = 0x3D;
constexpr int DIK_F4 = 0x3E;
constexpr int DIK_RMENU = 0xB8;   // right Alt (AltGr)

struct MouseReading {
    int32_t dx = 0, dy = 0;          // pointer motion since the last reading
    int32_t wheel = 0;               // wheel notches turned away from the player since then
    uint8_t buttons[4] = {};         // bit 7 set = down; 0 left, 1 right, 2 middle, 3 back
};

bool initInputDevices();            // false on failure
void shutdownInputDevices();
// Fills 256 bytes indexed by key code, bit 7 = down. False while the window lacks keyboard focus.
bool readKeyboard(uint8_t keyState[256]);
bool readMouse(MouseReading& reading);      // false when the mouse cannot be read
// The pointer relative to the window's client area, mapped to the 640 x 480 logical screen.
void cursorPosition(int& x, int& y);
bool gameControllerPresent();

}  // namespace platform
