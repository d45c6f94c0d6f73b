#include "platform/keys.h"

#include <SDL.h>

#include <cstring>

#include "platform/sdl/key_map.h"
#include "platform/sdl/press_latch.h"
#include "platform/window.h"

namespace platform {

namespace {

// Keys and buttons that went down or up since the last reading, and what that reading said.
bool gKeyChanged[SDL_NUM_SCANCODES] = {};
bool gKeyReported[SDL_NUM_SCANCODES] = {};
Uint32 gButtonsChanged = 0;
Uint32 gButtonsReported = 0;
int32_t gWheel = 0;   // notches turned away from the player since the last mouse reading

void forgetLatchedKeys() {
    std::memset(gKeyChanged, 0, sizeof gKeyChanged);
    std::memset(gKeyReported, 0, sizeof gKeyReported);
}

}  // namespace

void latchChange(const SDL_Event& event) {
    const bool keyChange = (event.type == SDL_KEYDOWN && event.key.repeat == 0) || event.type == SDL_KEYUP;
    const bool buttonChange = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
    if (keyChange) {
        const int scancode = event.key.keysym.scancode;
        if (scancode >= 0 && scancode < SDL_NUM_SCANCODES) gKeyChanged[scancode] = true;
    } else if (buttonChange && event.button.button >= 1 && event.button.button <= 32) {
        gButtonsChanged |= SDL_BUTTON(event.button.button);
    } else if (event.type == SDL_MOUSEWHEEL) {
        gWheel += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
    }
}

int directInputKeyFromScancode(int sdlScancode) {
    switch (sdlScancode) {
        case SDL_SCANCODE_ESCAPE: return 0x01;
        case SDL_SCANCODE_1: return 0x02;
        case SDL_SCANCODE_2: return 0x03;
        case SDL_SCANCODE_3: return 0x04;
        case SDL_SCANCODE_4: return 0x05;
        case SDL_SCANCODE_5: return 0x06;
        case SDL_SCANCODE_6: return 0x07;
        case SDL_SCANCODE_7: return 0x08;
        case SDL_SCANCODE_8: return 0x09;
        case SDL_SCANCODE_9: return 0x0A;
        case SDL_SCANCODE_0: return 0x0B;
        case SDL_SCANCODE_MINUS: return 0x0C;
        case SDL_SCANCODE_EQUALS: return 0x0D;
        case SDL_SCANCODE_BACKSPACE: return 0x0E;
        case SDL_SCANCODE_TAB: return 0x0F;
        case SDL_SCANCODE_Q: return 0x10;
        case SDL_SCANCODE_W: return 0x11;
        case SDL_SCANCODE_E: return 0x12;
        case SDL_SCANCODE_R: return 0x13;
        case SDL_SCANCODE_T: return 0x14;
        case SDL_SCANCODE_Y: return 0x15;
        case SDL_SCANCODE_U: return 0x16;
        case SDL_SCANCODE_I: return 0x17;
        case SDL_SCANCODE_O: return 0x18;
        case SDL_SCANCODE_P: return 0x19;
        case SDL_SCANCODE_LEFTBRACKET: return 0x1A;
        case SDL_SCANCODE_RIGHTBRACKET: return 0x1B;
        case SDL_SCANCODE_RETURN: return 0x1C;
        case SDL_SCANCODE_LCTRL: return 0x1D;
        case SDL_SCANCODE_A: return 0x1E;
        case SDL_SCANCODE_S: return 0x1F;
        case SDL_SCANCODE_D: return 0x20;
        case SDL_SCANCODE_F: return 0x21;
        case SDL_SCANCODE_G: return 0x22;
        case SDL_SCANCODE_H: return 0x23;
        case SDL_SCANCODE_J: return 0x24;
        case SDL_SCANCODE_K: return 0x25;
        case SDL_SCANCODE_L: return 0x26;
        case SDL_SCANCODE_SEMICOLON: return 0x27;
        case SDL_SCANCODE_APOSTROPHE: return 0x28;
        case SDL_SCANCODE_GRAVE: return 0x29;
        case SDL_SCANCODE_LSHIFT: return 0x2A;
        case SDL_SCANCODE_BACKSLASH: return 0x2B;
        case SDL_SCANCODE_NONUSHASH: return 0x2B;  // the same key position on ISO keyboards
        case SDL_SCANCODE_Z: return 0x2C;
        case SDL_SCANCODE_X: return 0x2D;
        case SDL_SCANCODE_C: return 0x2E;
        case SDL_SCANCODE_V: return 0x2F;
        case SDL_SCANCODE_B: return 0x30;
        case SDL_SCANCODE_N: return 0x31;
        case SDL_SCANCODE_M: return 0x32;
        case SDL_SCANCODE_COMMA: return 0x33;
        case SDL_SCANCODE_PERIOD: return 0x34;
        case SDL_SCANCODE_SLASH: return 0x35;
        case SDL_SCANCODE_RSHIFT: return 0x36;
        case SDL_SCANCODE_KP_MULTIPLY: return 0x37;
        case SDL_SCANCODE_LALT: return 0x38;
        case SDL_SCANCODE_SPACE: return 0x39;
        case SDL_SCANCODE_CAPSLOCK: return 0x3A;
        case SDL_SCANCODE_F1: return 0x3B;
        case SDL_SCANCODE_F2: return 0x3C;
        case SDL_SCANCODE_F3: return 0x3D;
        case SDL_SCANCODE_F4: return 0x3E;
        case SDL_SCANCODE_F5: return 0x3F;
        case SDL_SCANCODE_F6: return 0x40;
        case SDL_SCANCODE_F7: return 0x41;
        case SDL_SCANCODE_F8: return 0x42;
        case SDL_SCANCODE_F9: return 0x43;
        case SDL_SCANCODE_F10: return 0x44;
        case SDL_SCANCODE_NUMLOCKCLEAR: return 0x45;
        case SDL_SCANCODE_SCROLLLOCK: return 0x46;
        case SDL_SCANCODE_KP_7: return 0x47;
        case SDL_SCANCODE_KP_8: return 0x48;
        case SDL_SCANCODE_KP_9: return 0x49;
        case SDL_SCANCODE_KP_MINUS: return 0x4A;
        case SDL_SCANCODE_KP_4: return 0x4B;
        case SDL_SCANCODE_KP_5: return 0x4C;
        case SDL_SCANCODE_KP_6: return 0x4D;
        case SDL_SCANCODE_KP_PLUS: return 0x4E;
        case SDL_SCANCODE_KP_1: return 0x4F;
        case SDL_SCANCODE_KP_2: return 0x50;
        case SDL_SCANCODE_KP_3: return 0x51;
        case SDL_SCANCODE_KP_0: return 0x52;
        case SDL_SCANCODE_KP_PERIOD: return 0x53;
        case SDL_SCANCODE_NONUSBACKSLASH: return 0x56;
        case SDL_SCANCODE_F11: return 0x57;
        case SDL_SCANCODE_F12: return 0x58;
        case SDL_SCANCODE_F13: return 0x64;
        case SDL_SCANCODE_F14: return 0x65;
        case SDL_SCANCODE_F15: return 0x66;
        case SDL_SCANCODE_INTERNATIONAL2: return 0x70;  // kana
        case SDL_SCANCODE_INTERNATIONAL1: return 0x73;  // the Brazilian and Japanese extra slash key
        case SDL_SCANCODE_INTERNATIONAL4: return 0x79;  // convert
        case SDL_SCANCODE_INTERNATIONAL5: return 0x7B;  // no convert
        case SDL_SCANCODE_INTERNATIONAL3: return 0x7D;  // yen
        case SDL_SCANCODE_KP_EQUALS: return 0x8D;
        case SDL_SCANCODE_AUDIOPREV: return 0x90;
        case SDL_SCANCODE_STOP: return 0x95;
        case SDL_SCANCODE_AUDIONEXT: return 0x99;
        case SDL_SCANCODE_KP_ENTER: return 0x9C;
        case SDL_SCANCODE_RCTRL: return 0x9D;
        case SDL_SCANCODE_AUDIOMUTE: return 0xA0;
        case SDL_SCANCODE_MUTE: return 0xA0;
        case SDL_SCANCODE_CALCULATOR: return 0xA1;
        case SDL_SCANCODE_AUDIOPLAY: return 0xA2;
        case SDL_SCANCODE_AUDIOSTOP: return 0xA4;
        case SDL_SCANCODE_VOLUMEDOWN: return 0xAE;
        case SDL_SCANCODE_VOLUMEUP: return 0xB0;
        case SDL_SCANCODE_AC_HOME: return 0xB2;
        case SDL_SCANCODE_KP_COMMA: return 0xB3;
        case SDL_SCANCODE_KP_DIVIDE: return 0xB5;
        case SDL_SCANCODE_PRINTSCREEN: return 0xB7;
        case SDL_SCANCODE_SYSREQ: return 0xB7;
        case SDL_SCANCODE_RALT: return 0xB8;
        case SDL_SCANCODE_PAUSE: return 0xC5;
        case SDL_SCANCODE_HOME: return 0xC7;
        case SDL_SCANCODE_UP: return 0xC8;
        case SDL_SCANCODE_PAGEUP: return 0xC9;
        case SDL_SCANCODE_LEFT: return 0xCB;
        case SDL_SCANCODE_RIGHT: return 0xCD;
        case SDL_SCANCODE_END: return 0xCF;
        case SDL_SCANCODE_DOWN: return 0xD0;
        case SDL_SCANCODE_PAGEDOWN: return 0xD1;
        case SDL_SCANCODE_INSERT: return 0xD2;
        case SDL_SCANCODE_DELETE: return 0xD3;
        case SDL_SCANCODE_LGUI: return 0xDB;
        case SDL_SCANCODE_RGUI: return 0xDC;
        case SDL_SCANCODE_APPLICATION: return 0xDD;
        case SDL_SCANCODE_POWER: return 0xDE;
        case SDL_SCANCODE_SLEEP: return 0xDF;
        case SDL_SCANCODE_AC_SEARCH: return 0xE5;
        case SDL_SCANCODE_AC_BOOKMARKS: return 0xE6;
        case SDL_SCANCODE_AC_REFRESH: return 0xE7;
        case SDL_SCANCODE_AC_STOP: return 0xE8;
        case SDL_SCANCODE_AC_FORWARD: return 0xE9;
        case SDL_SCANCODE_AC_BACK: return 0xEA;
        case SDL_SCANCODE_COMPUTER: return 0xEB;
        case SDL_SCANCODE_MAIL: return 0xEC;
        case SDL_SCANCODE_MEDIASELECT: return 0xED;
        default: return 0;
    }
}

bool initInputDevices() {
    // Keyboard and mouse state come with the events subsystem, which the window also uses.
    return SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

void shutdownInputDevices() { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

bool readKeyboard(uint8_t keyState[256]) {
    if (!windowHasFocus()) {
        forgetLatchedKeys();
        return false;
    }
    std::memset(keyState, 0, 256);
    int count = 0;
    const Uint8* sdlState = SDL_GetKeyboardState(&count);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const bool downNow = scancode < count && sdlState[scancode] != 0;
        const bool down = latchedReading(downNow, gKeyReported[scancode], gKeyChanged[scancode]);
        gKeyReported[scancode] = down;
        gKeyChanged[scancode] = false;
        if (!down) continue;
        const int key = directInputKeyFromScancode(scancode);
        if (key > 0) keyState[key] = 0x80;
    }
    return true;
}

bool readMouse(MouseReading& reading) {
    // Like the keyboard, the mouse belongs to the game only while its window is in front.
    if (!windowHasFocus()) {
        gButtonsChanged = gButtonsReported = 0;
        gWheel = 0;
        return false;
    }
    int dx = 0, dy = 0;
    SDL_GetRelativeMouseState(&dx, &dy);
    const Uint32 downNow = SDL_GetMouseState(nullptr, nullptr);
    Uint32 buttons = 0;
    for (int button = 1; button <= 32; ++button) {
        const Uint32 bit = SDL_BUTTON(button);
        if (latchedReading((downNow & bit) != 0, (gButtonsReported & bit) != 0, (gButtonsChanged & bit) != 0))
            buttons |= bit;
    }
    gButtonsReported = buttons;
    gButtonsChanged = 0;
    reading.dx = dx;
    reading.dy = dy;
    reading.wheel = gWheel;
    gWheel = 0;
    reading.buttons[0] = (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) ? 0x80 : 0;
    reading.buttons[1] = (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) ? 0x80 : 0;
    reading.buttons[2] = (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) ? 0x80 : 0;
    reading.buttons[3] = (buttons & SDL_BUTTON(SDL_BUTTON_X1)) ? 0x80 : 0;
    return true;
}

void cursorPosition(int& x, int& y) {
    int windowX = 0, windowY = 0;
    SDL_GetMouseState(&windowX, &windowY);
    windowToLogical(windowX, windowY, x, y);
}

bool gameControllerPresent() {
    // Detected once at start and never read, so the subsystem is closed again at once.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
    const bool present = SDL_NumJoysticks() > 0;
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return present;
}

}  // namespace platform
