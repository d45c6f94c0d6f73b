#include "platform/window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstring>
#include <string>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#define MOSSBLOOM_CHECKS_X11_WINDOW_MANAGER 1
#endif

#include "platform/sdl/press_latch.h"
#include "platform/sdl/sdl_window.h"

namespace platform {

namespace {

constexpr int kVideoAttempts = 5;

SDL_Window* gWindow = nullptr;
std::string gTitle;
// Full screen without a window manager: the window itself covers the display.
bool gCoversDisplay = false;

void reportSdlError(const char* what) {
    std::fprintf(stderr, "%s: %s\n", what, SDL_GetError());
    std::fflush(stderr);
}

#ifdef MOSSBLOOM_CHECKS_X11_WINDOW_MANAGER
bool gXError = false;
int noteXError(Display*, XErrorEvent*) {
    gXError = true;
    return 0;
}

// The window named by a window's _NET_SUPPORTING_WM_CHECK, or None.
Window supportingWindow(Display* display, Window of, Atom check) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window found = None;
    if (XGetWindowProperty(display, of, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        type == XA_WINDOW && format == 32 && count == 1)
        found = *reinterpret_cast<Window*>(data);
    if (data) XFree(data);
    return found;
}

// A running window manager names a window of its own on the root window, and that window
// names itself; a manager that has gone may leave the root's name behind.
bool x11WindowManagerRuns(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    const Window named = supportingWindow(display, DefaultRootWindow(display), check);
    if (named == None) return false;
    XSync(display, False);
    gXError = false;
    auto previous = XSetErrorHandler(noteXError);
    const Window self = supportingWindow(display, named, check);
    XSync(display, False);
    XSetErrorHandler(previous);
    return !gXError && self == named;
}
#endif

// Whether something will make the window cover the display when SDL asks for full screen.
// Only an X server can run without a window manager; elsewhere there always is one.
bool windowManagerRuns() {
#ifdef MOSSBLOOM_CHECKS_X11_WINDOW_MANAGER
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(gWindow, &info) && info.subsystem == SDL_SYSWM_X11)
        return x11WindowManagerRuns(info.info.x11.display);
#endif
    return true;
}

// Without a window manager SDL would only believe the window fills the display, and draw and
// map the pointer for a size the window does not have: the window is moved and sized itself.
void coverDisplay() {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(gWindow), &bounds) != 0) {
        reportSdlError("SDL_GetDisplayBounds");
        return;
    }
    SDL_SetWindowPosition(gWindow, bounds.x, bounds.y);
    SDL_SetWindowSize(gWindow, bounds.w, bounds.h);
    gCoversDisplay = true;
}

// SDL's drivers that show nothing on any screen.
bool invisibleDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

}  // namespace

SDL_Window* sdlWindow() { return gWindow; }

bool initPlatform() {
    // Now and then SDL's X11 driver fails to start on a display that works; SDL would then try
    // Wayland (a line on standard error) and settle on its offscreen driver: the game would run
    // in a window nobody sees, and its message boxes could not be shown. On an X display the X11
    // driver is asked for by name and tried again; only the last try lets SDL choose, unless
    // SDL_VIDEODRIVER already says what to use.
    const bool chooseX11 = SDL_getenv("SDL_VIDEODRIVER") == nullptr && SDL_getenv("DISPLAY") != nullptr;
    for (int attempt = 1; attempt <= kVideoAttempts; ++attempt) {
        const bool last = attempt == kVideoAttempts;
        if (chooseX11 && !last) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        if (chooseX11 && last) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
            if (!last) continue;
            reportSdlError("SDL_Init");
            return false;
        }
        if (!invisibleDriver(SDL_GetCurrentVideoDriver()) || !chooseX11) return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    std::fprintf(stderr, "SDL_Init: no display could be opened (SDL offered only its offscreen driver)\n");
    std::fflush(stderr);
    return false;
}

void shutdownPlatform() { SDL_Quit(); }

void desktopSize(int& width, int& height) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        reportSdlError("SDL_GetDesktopDisplayMode");
        width = 640;
        height = 480;
        return;
    }
    width = mode.w;
    height = mode.h;
}

bool createWindow(const char* title, int x, int y, int clientWidth, int clientHeight) {
    if (gWindow) return false;  // there is only ever one main window
    gWindow = SDL_CreateWindow(title, x, y, clientWidth, clientHeight, SDL_WINDOW_SHOWN | SDL_WINDOW_OPENGL);
    if (!gWindow) {
        reportSdlError("SDL_CreateWindow");
        return false;
    }
    gTitle = title;
    // The game draws its own pointer; SDL hides the system one only while it is over our window.
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

void destroyWindow() {
    if (!gWindow) return;
    SDL_DestroyWindow(gWindow);
    gWindow = nullptr;
    gCoversDisplay = false;
}

void setWindowTitle(const char* title) {
    gTitle = title;
    if (gWindow) SDL_SetWindowTitle(gWindow, title);
}

const char* windowTitle() { return gTitle.c_str(); }

void moveWindow(int x, int y, int clientWidth, int clientHeight) {
    // Like SDL's own full screen, a window covering the display stays over it until F1.
    if (!gWindow || gCoversDisplay) return;
    SDL_SetWindowSize(gWindow, clientWidth, clientHeight);
    SDL_SetWindowPosition(gWindow, x, y);
}

WindowRect windowRect() {
    if (!gWindow) return {0, 0, 0, 0};
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(gWindow, &x, &y);
    SDL_GetWindowSize(gWindow, &w, &h);
    return {x, y, x + w, y + h};
}

void setFullscreen(bool fullscreen) {
    if (!gWindow || fullscreen == isFullscreen()) return;
    if (gCoversDisplay) {
        // Back to a window: the caller puts it back where it was.
        gCoversDisplay = false;
        return;
    }
    if (fullscreen && !windowManagerRuns()) {
        coverDisplay();
        return;
    }
    if (SDL_SetWindowFullscreen(gWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        reportSdlError("SDL_SetWindowFullscreen");
}

bool isFullscreen() {
    return gWindow && (gCoversDisplay || (SDL_GetWindowFlags(gWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0);
}

bool windowHasFocus() {
    return gWindow && (SDL_GetWindowFlags(gWindow) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void windowToLogical(int windowX, int windowY, int& logicalX, int& logicalY) {
    int w = 640, h = 480;
    if (gWindow) SDL_GetWindowSize(gWindow, &w, &h);
    viewportToLogical(screenViewport(w, h, isFullscreen()), windowX, windowY, logicalX, logicalY);
}

bool pollEvent(Event& event) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        latchChange(e);
        switch (e.type) {
            case SDL_QUIT:
                event = {EventKind::Quit, WindowKey::Other};
                return true;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    event = {EventKind::Quit, WindowKey::Other};
                    return true;
                }
                break;
            case SDL_KEYDOWN: {
                WindowKey key = WindowKey::Other;
                if (e.key.keysym.sym == SDLK_F1) key = WindowKey::F1;
                if (e.key.keysym.sym == SDLK_F2) key = WindowKey::F2;
                event = {EventKind::KeyDown, key};
                return true;
            }
            default:
                break;  // everything else is read as state (with its presses latched), not as events
        }
    }
    return false;
}

}  // namespace platform
