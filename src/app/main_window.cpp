#include "app/main_window.h"

#include <cstdio>

#include "platform/message.h"

MainWindow mainWindow;

namespace {

constexpr int kBaseWidth = 640;
constexpr int kBaseHeight = 480;
constexpr int kCaptionAllowance = 40;   // centring counts a caption above the client area
constexpr int kTitleSize = 64;

void setTitleForSize(int width, int height) {
    char title[kTitleSize];
    formatWindowTitle(title, kTitleSize, width, height);
    platform::setWindowTitle(title);
}

}  // namespace

void resetWindowScale() {
    mainWindow.windowScaleStep = 0;
    setTitleForSize(kBaseWidth, kBaseHeight);
}

void formatWindowTitle(char* out, int size, int width, int height) {
    std::snprintf(out, static_cast<size_t>(size), "%s --- %d \xC3\x97 %d", kGameName, width, height);
}

bool startWindowSystem() {
    if (mainWindow.windowSystemStarted) return true;
    if (!platform::initPlatform()) {
        platform::showMessage(nullptr, "ウィンドウの登録に失敗しました", "Could not start the display.");
        return false;
    }
    mainWindow.windowSystemStarted = true;
    return true;
}

void stopWindowSystem() {
    if (!mainWindow.windowSystemStarted) return;
    platform::destroyWindow();
    platform::shutdownPlatform();
    mainWindow.windowSystemStarted = false;
}

void readDesktopSize() {
    platform::desktopSize(mainWindow.screenWidth, mainWindow.screenHeight);
}

bool createMainWindow() {
    if (!startWindowSystem()) return false;
    char title[kTitleSize];
    formatWindowTitle(title, kTitleSize, kBaseWidth, kBaseHeight);
    // The first placement is not held on the desktop: it may start above or left of it.
    const int x = (mainWindow.screenWidth - kBaseWidth) / 2;
    const int y = (mainWindow.screenHeight - (kBaseHeight + kCaptionAllowance)) / 2;
    mainWindow.windowScaleStep = 0;
    if (!platform::createWindow(title, x, y, kBaseWidth, kBaseHeight)) {
        platform::showMessage(nullptr, "ウィンドウの作成に失敗しました", "Could not open the game's window.");
        return false;
    }
    return true;
}

void cycleWindowScale() {
    mainWindow.windowScaleStep += 1;
    if (mainWindow.windowScaleStep >= kWindowScaleCount) mainWindow.windowScaleStep = 0;
    const float scale = kWindowScales[mainWindow.windowScaleStep];
    const int width = static_cast<int>(kBaseWidth * scale);
    const int height = static_cast<int>(kBaseHeight * scale);
    int x = (mainWindow.screenWidth - width) / 2;
    int y = (mainWindow.screenHeight - height - kCaptionAllowance) / 2;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    platform::moveWindow(x, y, width, height);
    setTitleForSize(width, height);
}

bool handleWindowEvent(const platform::Event& event) {
    switch (event.kind) {
        case platform::EventKind::Quit:
            return false;
        case platform::EventKind::KeyDown:
            // F1's title reset goes with the display switch of the frame loop, which waits
            // while paused: a title reset here would name a size the window does not have.
            if (event.key == platform::WindowKey::F2) cycleWindowScale();
            return true;
        case platform::EventKind::None:
            return true;
    }
    return true;
}
