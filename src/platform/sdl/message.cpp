#include "platform/message.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

void showMessage(const char* caption, const char* text) {
    std::fprintf(stderr, "%s\n", text);
    std::fflush(stderr);
    // Without a display the box cannot be shown; standard error already has the text.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption ? caption : "", text, nullptr);
}

void fatal(const char* text, int exitCode) {
    showMessage(nullptr, text);
    std::exit(exitCode);
}

}  // namespace platform
