#pragma once
// The main window: creation and placement, the six window scales stepped with F2, the title
// reset that goes with the display switch (F1), and the handling of the platform's events
// between frames.

#include "platform/window.h"

inline constexpr const char* kGameName = "Mossbloom";
inline constexpr int kWindowScaleCount = 6;
inline constexpr float kWindowScales[kWindowScaleCount] = {1.0f, 1.25f, 1.5f, 1.6f, 1.75f, 2.0f};

// Process-wide values of the window. The platform sizes windows by their client area, so
// there is no frame size to measure.
struct MainWindow {
    int screenWidth = 0;        // desktop size, read once at start
    int screenHeight = 0;
    int windowScaleStep = 0;    // index into kWindowScales
    bool windowSystemStarted = false;
};

extern MainWindow mainWindow;

// Writes "Mossbloom --- <width> × <height>" (UTF-8, with the real multiplication sign).
void formatWindowTitle(char* out, int size, int width, int height);

// Starts the windowing system; on failure shows "ウィンドウの登録に失敗しました" and returns false.
bool startWindowSystem();
// Undoes startWindowSystem (and closes the window if one is open).
void stopWindowSystem();
// Reads the desktop size into screenWidth and screenHeight.
void readDesktopSize();
// Opens the 640 x 480 window centred on the desktop (40 pixels of caption allowed for); on
// failure shows "ウィンドウの作成に失敗しました" and returns false.
bool createMainWindow();
// Steps to the next window scale, re-centres the window and sets its title.
void cycleWindowScale();
// Back to the first scale step with the title of the 640 x 480 window, without moving the
// window: the display switch (F1) calls it as it puts the window back at its first placement.
void resetWindowScale();
// Handles one platform event; returns false when the event asks the program to end.
bool handleWindowEvent(const platform::Event& event);
