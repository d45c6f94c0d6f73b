// The contract test's driver for the SDL platform under a real X server: keys, buttons and the
// pointer go through xdotool (real X input, as the end-to-end tests use), focus through Xlib, and
// each step waits until SDL's event queue has received what it caused.
#include "test_support/platform_driver.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/keys.h"
#include "platform/sdl/sdl_window.h"
#include "platform/video.h"
#include "platform/window.h"
// Last: Xlib's macros (None among them) would change the names of the platform's headers.
#include <SDL_syswm.h>

namespace {

constexpr int kButtonSlots = 8;

// Key and button changes and pointer motion as they reach SDL's queue.
struct Seen {
    int keyDowns[SDL_NUM_SCANCODES] = {};
    int keyUps[SDL_NUM_SCANCODES] = {};
    int buttonDowns[kButtonSlots] = {};
    int buttonUps[kButtonSlots] = {};
    int motionX = 0, motionY = 0;
    int wheel = 0;
};

Seen gSeen;

int SDLCALL noteEvent(void*, SDL_Event* e) {
    const int scancode = e->key.keysym.scancode;
    const int button = e->button.button;
    switch (e->type) {
        case SDL_KEYDOWN:
            if (e->key.repeat == 0 && scancode < SDL_NUM_SCANCODES) ++gSeen.keyDowns[scancode];
            break;
        case SDL_KEYUP:
            if (scancode < SDL_NUM_SCANCODES) ++gSeen.keyUps[scancode];
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (button < kButtonSlots) ++gSeen.buttonDowns[button];
            break;
        case SDL_MOUSEBUTTONUP:
            if (button < kButtonSlots) ++gSeen.buttonUps[button];
            break;
        case SDL_MOUSEMOTION:
            gSeen.motionX += e->motion.xrel;
            gSeen.motionY += e->motion.yrel;
            break;
        case SDL_MOUSEWHEEL:
            gSeen.wheel += e->wheel.y;
            break;
        default:
            break;
    }
    return 0;
}

struct DrivenKey {
    int key;
    SDL_Scancode scancode;
    const char* keysym;   // xdotool's name for it
};

constexpr DrivenKey kDrivenKeys[] = {
    {platform::DIK_SPACE, SDL_SCANCODE_SPACE, "space"},
    {platform::DIK_RETURN, SDL_SCANCODE_RETURN, "Return"},
    {platform::DIK_A, SDL_SCANCODE_A, "a"},
};

const DrivenKey* drivenKey(int key) {
    for (const DrivenKey& k : kDrivenKeys) {
        if (k.key == key) return &k;
    }
    return nullptr;
}

// The X button number of the game's button 0 (left) or 1 (right).
int xButton(int button) { return button == 0 ? 1 : 3; }
int sdlButton(int button) { return button == 0 ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT; }

bool xdotool(const std::string& arguments) {
    const std::string command = "xdotool " + arguments;
    if (std::system(command.c_str()) == 0) return true;
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    return false;
}

// Takes the window's events (as the game's pump does) until done() holds.
template <class Done>
bool pumpUntil(Done done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        platform::Event event;
        while (platform::pollEvent(event)) {
        }
        if (done()) return true;
        if (std::chrono::steady_clock::now() > giveUp) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

Display* xDisplay() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(platform::sdlWindow(), &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    return info.info.x11.display;
}

// Puts the pointer over the middle of the window.
bool pointerOverWindow() {
    const platform::WindowRect r = platform::windowRect();
    const std::string to = std::to_string((r.left + r.right) / 2) + " " + std::to_string((r.top + r.bottom) / 2);
    return xdotool("mousemove " + to) && pumpUntil([] { return SDL_GetMouseFocus() == platform::sdlWindow(); });
}

}  // namespace

namespace platformdriver {

bool openWindow() {
    gSeen = Seen{};
    if (!platform::initPlatform()) return false;
    SDL_AddEventWatch(noteEvent, nullptr);
    return platform::createWindow("platform contract", 100, 100, 640, 480) && platform::initVideo() &&
           platform::initInputDevices() && pointerOverWindow() && setFocus(true);
}

void closeWindow() {
    SDL_DelEventWatch(noteEvent, nullptr);
    platform::shutdownInputDevices();
    platform::shutdownVideo();
    platform::destroyWindow();
    platform::shutdownPlatform();
}

bool setFocus(bool focused) {
    if (focused) {
        SDL_RaiseWindow(platform::sdlWindow());
        SDL_SetWindowInputFocus(platform::sdlWindow());
    } else {
        // As when another window takes the keyboard: ours loses it.
        Display* display = xDisplay();
        if (display == nullptr) return false;
        XSetInputFocus(display, None, RevertToNone, CurrentTime);
        XFlush(display);
    }
    return pumpUntil([focused] { return platform::windowHasFocus() == focused; });
}

bool holdKey(int key, bool down) {
    const DrivenKey* k = drivenKey(key);
    if (k == nullptr) return false;
    const int* count = down ? gSeen.keyDowns : gSeen.keyUps;
    const int before = count[k->scancode];
    return xdotool(std::string(down ? "keydown " : "keyup ") + k->keysym) &&
           pumpUntil([&] { return count[k->scancode] > before; });
}

bool holdButton(int button, bool down) {
    const int* count = down ? gSeen.buttonDowns : gSeen.buttonUps;
    const int before = count[sdlButton(button)];
    return xdotool(std::string(down ? "mousedown " : "mouseup ") + std::to_string(xButton(button))) &&
           pumpUntil([&] { return count[sdlButton(button)] > before; });
}

bool tapKey(int key) {
    const DrivenKey* k = drivenKey(key);
    if (k == nullptr) return false;
    const int downs = gSeen.keyDowns[k->scancode], ups = gSeen.keyUps[k->scancode];
    return xdotool(std::string("key ") + k->keysym) &&
           pumpUntil([&] { return gSeen.keyDowns[k->scancode] > downs && gSeen.keyUps[k->scancode] > ups; });
}

bool tapButton(int button) {
    const int b = sdlButton(button);
    const int downs = gSeen.buttonDowns[b], ups = gSeen.buttonUps[b];
    return xdotool("click " + std::to_string(xButton(button))) &&
           pumpUntil([&] { return gSeen.buttonDowns[b] > downs && gSeen.buttonUps[b] > ups; });
}

bool movePointer(int dx, int dy) {
    const int x = gSeen.motionX + dx, y = gSeen.motionY + dy;
    return xdotool("mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy)) &&
           pumpUntil([&] { return gSeen.motionX == x && gSeen.motionY == y; });
}

bool turnWheel(int notches) {
    const int wheel = gSeen.wheel + notches;
    // X gives the wheel as buttons 4 (away) and 5 (toward), one click a notch.
    const std::string clicks = std::to_string(notches > 0 ? notches : -notches);
    return xdotool("click --repeat " + clicks + " --delay 1 " + (notches > 0 ? "4" : "5")) &&
           pumpUntil([&] { return gSeen.wheel == wheel; });
}

bool changesWorkingDirectory() { return true; }

}  // namespace platformdriver
