#include "platform/message.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

void showMessage(const char* caption, const char* text, const char* detail) {
    char both[1024];
    if (detail) {
        std::snprintf(both, sizeof(both), "%s\n%s", text, detail);
    } else {
        std::snprintf(both, sizeof(both), "%s", text);
    }
    std::fprintf(stderr, "%s\n", both);
    std::fflush(stderr);
    // The box needs the display's core fonts (xfonts-base on X11); without a display or those
    // fonts it fails at once, and standard error already has both lines.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption ? caption : "", both, nullptr) != 0) {
        std::fprintf(stderr, "(the message box could not be shown: %s)\n", SDL_GetError());
        std::fflush(stderr);
    }
}

void fatal(const char* text, const char* detail, int exitCode) {
    showMessage(nullptr, text, detail);
    std::exit(exitCode);
}

}  // namespace platform
