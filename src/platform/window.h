#pragma once
// The main window: creation, placement, title, full screen, events.
// Sizes and positions are client-area pixels; titles are UTF-8.

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
bool windowHasFocus();

// Maps a point of the client area to the 640 x 480 logical screen (letterboxed in full screen).
void windowToLogical(int windowX, int windowY, int& logicalX, int& logicalY);

enum class EventKind { None, Quit, KeyDown };
// Virtual key codes of key-down events, as the window procedure sees them.
constexpr int kVirtualKeyF1 = 0x70;
constexpr int kVirtualKeyF2 = 0x71;
struct Event {
    EventKind kind = EventKind::None;
    int virtualKey = 0;     // KeyDown only: kVirtualKeyF1, kVirtualKeyF2, or 0 for other keys
};
// Takes one waiting event; false when none is waiting.
bool pollEvent(Event& event);

}  // namespace platform
