#include "platform/window.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/sdl/sdl_window.h"

namespace platform {

namespace {

constexpr int kVideoAttempts = 5;

SDL_Window* gWindow = nullptr;
std::string gTitle;

void reportSdlError(const char* what) {
    std::fprintf(stderr, "%s: %s\n", what, SDL_GetError());
    std::fflush(stderr);
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
}

void setWindowTitle(const char* title) {
    gTitle = title;
    if (gWindow) SDL_SetWindowTitle(gWindow, title);
}

const char* windowTitle() { return gTitle.c_str(); }

void moveWindow(int x, int y, int clientWidth, int clientHeight) {
    if (!gWindow) return;
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
    if (!gWindow) return;
    if (SDL_SetWindowFullscreen(gWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        reportSdlError("SDL_SetWindowFullscreen");
}

bool isFullscreen() {
    return gWindow && (SDL_GetWindowFlags(gWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
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
        switch (e.type) {
            case SDL_QUIT:
                event = {EventKind::Quit, 0};
                return true;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    event = {EventKind::Quit, 0};
                    return true;
                }
                break;
            case SDL_KEYDOWN: {
                int key = 0;
                if (e.key.keysym.sym == SDLK_F1) key = kVirtualKeyF1;
                if (e.key.keysym.sym == SDLK_F2) key = kVirtualKeyF2;
                event = {EventKind::KeyDown, key};
                return true;
            }
            default:
                break;  // everything else is read as state, not as events
        }
    }
    return false;
}

}  // namespace platform
