// Start-up: from starting the game's process to its first presented frame (the loading picture),
// measured on the real game with a preloaded probe that notes the first present and ends the
// process there. Needs a display.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

int64_t nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Runs the game once; the seconds to its first present, or a negative value when it never came.
double timeToFirstPresent(std::string& error) {
    int fds[2];
    if (pipe(fds) != 0) {
        error = "pipe";
        return -1;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("MOSSBLOOM_PROBE_FD=", 0) != 0) env.push_back(entry);
    }
    env.push_back(std::string("LD_PRELOAD=") + MOSSBLOOM_PROBE);
    env.push_back("MOSSBLOOM_PROBE_FD=" + std::to_string(fds[1]));
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    char game[] = MOSSBLOOM_GAME;
    char* argv[] = {game, nullptr};

    const int64_t start = nowNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, game, nullptr, nullptr, argv, envp.data());
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        error = "the game cannot be started";
        return -1;
    }
    char line[64] = {};
    const ssize_t got = read(fds[0], line, sizeof line - 1);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (got <= 0) {
        error = "the game ended without presenting a frame (status " + std::to_string(status) + ")";
        return -1;
    }
    return static_cast<double>(std::atoll(line) - start) / 1e9;
}

void BM_StartUpToFirstPresentedFrame(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        const double seconds = timeToFirstPresent(error);
        if (seconds < 0) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
}

}  // namespace

BENCHMARK(BM_StartUpToFirstPresentedFrame)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
