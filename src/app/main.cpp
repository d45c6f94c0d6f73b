// The game's entry: the executable's folder becomes the working directory (the images and
// sounds lie beside the program), the window opens, and the message pump runs one frame
// whenever no event is waiting.

#include <cstdio>

#include "app/app.h"
#include "app/main_window.h"
#include "platform/executable_folder.h"
#include "platform/message.h"
#include "platform/window.h"

namespace {

// Built once; it holds fixed pools far too large for the stack.
App gApp;
Replay gShownReplay;

// Drains the waiting events; false once one of them ends the program.
bool pumpEvents() {
    platform::Event event;
    while (platform::pollEvent(event)) {
        if (!handleWindowEvent(event)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Read before the working folder changes, so that relative paths name what the player meant.
    GameOptions options;
    if (const int code = readGameOptions(argc, argv, options, gShownReplay); code >= 0) return code;
    if (!platform::enterExecutableFolder()) {
        char text[512];
        std::snprintf(text, sizeof(text), "The game's folder cannot be opened: %s", platform::executableFolderFailure());
        platform::showMessage(nullptr, text);
        return 1;
    }
    // A window that cannot be made ends the program with its message and exit code 1, so that
    // a launcher or script sees the failure (0 would report it as a clean run).
    if (!startWindowSystem()) return 1;
    readDesktopSize();
    if (!createMainWindow()) {
        stopWindowSystem();
        return 1;
    }
    constructApp(gApp);
    applyGameOptions(gApp, options, gShownReplay);
    while (pumpEvents()) {
        runFrame(gApp);
        if (gApp.quitRequested) break;
    }
    endPlayAtExit(gApp);
    // The sounds, textures and input go before the window they belong to.
    destroyApp(gApp);
    stopWindowSystem();
    return 0;
}
