// Preloaded into the game by the start-up benchmarks. It writes the moment (CLOCK_MONOTONIC
// nanoseconds) of one event to the descriptor named by MOSSBLOOM_PROBE_FD and ends the process
// at once: the first presented frame, or with MOSSBLOOM_PROBE_EVENT=message the first message
// box (after its text went to standard error; the box itself is not shown). Nothing else of the
// game is touched.
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool waitingForMessage() {
    const char* event = std::getenv("MOSSBLOOM_PROBE_EVENT");
    return event != nullptr && std::strcmp(event, "message") == 0;
}

[[noreturn]] void noteTheMomentAndEnd() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t ns = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    if (const char* fd = std::getenv("MOSSBLOOM_PROBE_FD")) {
        char line[32];
        const int n = std::snprintf(line, sizeof line, "%lld\n", static_cast<long long>(ns));
        if (write(std::atoi(fd), line, static_cast<size_t>(n)) != n) _exit(3);
    }
    _exit(0);
}

}  // namespace

extern "C" void SDL_RenderPresent(void* renderer) {
    using Present = void (*)(void*);
    static Present real = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    if (real != nullptr) real(renderer);
    if (!waitingForMessage()) noteTheMomentAndEnd();
}

extern "C" int SDL_ShowSimpleMessageBox(unsigned flags, const char* title, const char* text, void* window) {
    if (waitingForMessage()) noteTheMomentAndEnd();
    using Show = int (*)(unsigned, const char*, const char*, void*);
    static Show real = reinterpret_cast<Show>(dlsym(RTLD_NEXT, "SDL_ShowSimpleMessageBox"));
    return real != nullptr ? real(flags, title, text, window) : -1;
}
