#include "platform/executable_folder.h"

#include <SDL.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace platform {

namespace {
std::string gFailure;
}  // namespace

bool enterExecutableFolder() {
    gFailure.clear();
    // SDL asks the system where the program lies (on Linux, where /proc/self/exe points).
    char* base = SDL_GetBasePath();
    if (base == nullptr) {
        gFailure = SDL_GetError();
        return false;
    }
    const std::filesystem::path folder(base);
    SDL_free(base);
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) {
        gFailure = folder.string() + ": " + error.message();
        return false;
    }
    return true;
}

const char* executableFolderFailure() { return gFailure.c_str(); }

}  // namespace platform
