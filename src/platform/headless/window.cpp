#include "platform/window.h"

#include <deque>

#include "platform/headless/headless.h"

namespace platform {

namespace {

headless::WindowRecord gWindow;
int gDesktopWidth = 1920, gDesktopHeight = 1080;
bool gCreationFails = false;
std::deque<Event> gEvents;

}  // namespace

bool initPlatform() { return true; }
void shutdownPlatform() {}

void desktopSize(int& width, int& height) {
    width = gDesktopWidth;
    height = gDesktopHeight;
}

bool createWindow(const char* title, int x, int y, int clientWidth, int clientHeight) {
    if (gCreationFails || gWindow.created) return false;
    gWindow.created = true;
    gWindow.title = title;
    gWindow.x = x;
    gWindow.y = y;
    gWindow.width = clientWidth;
    gWindow.height = clientHeight;
    gWindow.fullscreen = false;
    gWindow.cursorHidden = true;
    return true;
}

void destroyWindow() {
    gWindow.created = false;
    gWindow.fullscreen = false;
}

void setWindowTitle(const char* title) { gWindow.title = title; }
const char* windowTitle() { return gWindow.title.c_str(); }

// Like SDL's, the calls that change or measure the window do nothing without one.
void moveWindow(int x, int y, int clientWidth, int clientHeight) {
    if (!gWindow.created) return;
    gWindow.x = x;
    gWindow.y = y;
    gWindow.width = clientWidth;
    gWindow.height = clientHeight;
    ++gWindow.moves;
}

WindowRect windowRect() {
    if (!gWindow.created) return {0, 0, 0, 0};
    return {gWindow.x, gWindow.y, gWindow.x + gWindow.width, gWindow.y + gWindow.height};
}

void setFullscreen(bool fullscreen) {
    if (gWindow.created) gWindow.fullscreen = fullscreen;
}
bool isFullscreen() { return gWindow.created && gWindow.fullscreen; }
// Unlike SDL's, the headless window is in front even before it is made: the simulator and the
// logic tests read the keyboard and mouse without one.
bool windowHasFocus() { return gWindow.focus; }

void windowToLogical(int windowX, int windowY, int& logicalX, int& logicalY) {
    // In full screen the client area is the whole desktop.
    int w = gWindow.fullscreen ? gDesktopWidth : gWindow.width;
    int h = gWindow.fullscreen ? gDesktopHeight : gWindow.height;
    viewportToLogical(screenViewport(w, h, gWindow.fullscreen), windowX, windowY, logicalX, logicalY);
}

bool pollEvent(Event& event) {
    if (gEvents.empty()) return false;
    event = gEvents.front();
    gEvents.pop_front();
    return true;
}

namespace headless {

const WindowRecord& windowRecord() { return gWindow; }
void setWindowFocus(bool focus) { gWindow.focus = focus; }
void setDesktopSize(int width, int height) {
    gDesktopWidth = width;
    gDesktopHeight = height;
}
void setWindowCreationFails(bool fails) { gCreationFails = fails; }
void pushEvent(const Event& event) { gEvents.push_back(event); }

void resetWindow() {
    gWindow = WindowRecord{};
    gDesktopWidth = 1920;
    gDesktopHeight = 1080;
    gCreationFails = false;
    gEvents.clear();
}

}  // namespace headless

}  // namespace platform
