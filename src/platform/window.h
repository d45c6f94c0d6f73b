#pragma once
// The main window: creation, placement, title, full screen, events.
// Sizes and positions are client-area pixels; titles are UTF-8. Without a window, moving it or
// switching to full screen does nothing, and its rectangle is empty.

namespace platform {

struct WindowRect {
    int left, top, right, bottom;   // the client area in desktop coordinates
};

bool initPlatform();                // starts the windowing system; false on failure
void shutdownPlatform();
void desktopSize(int& width, int& height);

// Creates the one visible window with the system pointer hidden over it; false on failure.
bool createWindow(const char* title, int x, int y, int clientWidth, int clientHeight);
void destroyWindow();
void setWindowTitle(const char* title);
const char* windowTitle();
void moveWindow(int x, int y, int clientWidth, int clientHeight);
WindowRect windowRect();
void setFullscreen(bool fullscreen);    // desktop-sized full screen, or back to a window
bool isFullscreen();                    // the state the window is really in
bool windowHasFocus();                  // keyboard focus: input is read only while it has it

// Maps a point of the client area to the 640 x 480 logical screen (letterboxed in full screen).
// Points outside the picture map outside 0..639 x 0..479; the caller decides what to do with them.
void windowToLogical(int windowX, int windowY, int& logicalX, int& logicalY);

// Where the 640 x 480 picture lies in a client area: stretched over all of it in a window,
// the largest centred 4:3 rectangle (black bars beside or above it) in full screen.
struct ScreenViewport {
    int x, y, width, height;
};
inline ScreenViewport screenViewport(int clientWidth, int clientHeight, bool fullscreen) {
    if (!fullscreen || clientWidth <= 0 || clientHeight <= 0) return {0, 0, clientWidth, clientHeight};
    // Compare the aspect ratios in integers: width / height against 4 / 3.
    long long w = clientWidth, h = clientHeight;
    if (w * 3 > h * 4) {
        int width = static_cast<int>(h * 4 / 3);
        return {(clientWidth - width) / 2, 0, width, clientHeight};
    }
    int height = static_cast<int>(w * 3 / 4);
    return {0, (clientHeight - height) / 2, clientWidth, height};
}
// Whether the picture is drawn at a whole-number scale (1x, 2x, ...), where each of its pixels
// becomes a square of whole pixels: those are drawn crisp, the fractional scales smoothed.
inline bool drawnAtWholeScale(const ScreenViewport& v) {
    return v.width > 0 && v.width % 640 == 0 && v.height % 480 == 0 && v.width / 640 == v.height / 480;
}
// The logical point of a client point for a given viewport (rounding toward minus infinity).
inline void viewportToLogical(const ScreenViewport& v, int windowX, int windowY, int& logicalX, int& logicalY) {
    if (v.width <= 0 || v.height <= 0) {
        logicalX = windowX;
        logicalY = windowY;
        return;
    }
    long long dx = static_cast<long long>(windowX - v.x) * 640, dy = static_cast<long long>(windowY - v.y) * 480;
    long long lx = dx >= 0 ? dx / v.width : -((-dx + v.width - 1) / v.width);
    long long ly = dy >= 0 ? dy / v.height : -((-dy + v.height - 1) / v.height);
    logicalX = static_cast<int>(lx);
    logicalY = static_cast<int>(ly);
}

enum class EventKind { None, Quit, KeyDown };
// The keys a key-down event names; the others are read as keyboard state.
enum class WindowKey { Other, F1, F2 };
struct Event {
    EventKind kind = EventKind::None;
    WindowKey key = WindowKey::Other;   // KeyDown only
};
// Takes one waiting event; false when none is waiting.
bool pollEvent(Event& event);

}  // namespace platform
