// Start-up: from starting the game's process to its first presented frame (the loading picture),
// and from starting it with a damaged data file to its message, measured on the real game with a
// preloaded probe that notes the moment and ends the process there. Needs a display.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

int64_t nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

namespace fs = std::filesystem;

// Runs the game once; the seconds to the probe's event (the first present, or the first message
// box when event is "message"), or a negative value when it never came.
double timeToEvent(const char* game, const char* event, std::string& error) {
    int fds[2];
    if (pipe(fds) != 0) {
        error = "pipe";
        return -1;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("MOSSBLOOM_PROBE_", 0) != 0) env.push_back(entry);
    }
    env.push_back(std::string("LD_PRELOAD=") + MOSSBLOOM_PROBE);
    env.push_back("MOSSBLOOM_PROBE_FD=" + std::to_string(fds[1]));
    env.push_back(std::string("MOSSBLOOM_PROBE_EVENT=") + event);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string path = game;
    char* argv[] = {path.data(), nullptr};

    const int64_t start = nowNs();
    pid_t pid = 0;
    // The game's messages would flood the figures: its standard error goes nowhere.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
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
        error = std::string("the game ended without its ") + event + " (status " + std::to_string(status) + ")";
        return -1;
    }
    return static_cast<double>(std::atoll(line) - start) / 1e9;
}

void BM_StartUpToFirstPresentedFrame(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        const double seconds = timeToEvent(MOSSBLOOM_GAME, "present", error);
        if (seconds < 0) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// A copy of the laid-out game with one data file cut to half its length.
bool makeDamagedCopy(const fs::path& copy, const char* file, std::string& error) {
    std::error_code failed;
    fs::remove_all(copy, failed);
    const fs::path game = MOSSBLOOM_GAME;
    fs::copy(game.parent_path(), copy, fs::copy_options::recursive, failed);
    if (failed) {
        error = "cannot copy the game: " + failed.message();
        return false;
    }
    const fs::path damaged = copy / file;
    const auto size = fs::file_size(damaged, failed);
    if (!failed) fs::resize_file(damaged, size / 2, failed);
    if (failed) error = "cannot damage " + damaged.string() + ": " + failed.message();
    return !failed;
}

// From the start to the message of a damaged file: the first image (nothing loaded before it)
// and the last sound (everything else loaded before it).
const char* const kDamagedFiles[] = {"img/logo.png.bnd", "sound/mutation.wav"};

void BM_StartUpToDamagedDataMessage(benchmark::State& state) {
    const char* file = kDamagedFiles[state.range(0)];
    state.SetLabel(std::string(file) + " cut to half");
    const fs::path copy = fs::temp_directory_path() / ("mossbloom-bench-" + std::to_string(getpid()));
    std::string error;
    if (!makeDamagedCopy(copy, file, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::string game = (copy / "mossbloom").string();
    for (auto _ : state) {
        const double seconds = timeToEvent(game.c_str(), "message", error);
        if (seconds < 0) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
    std::error_code ignored;
    fs::remove_all(copy, ignored);
}

}  // namespace

BENCHMARK(BM_StartUpToFirstPresentedFrame)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpToDamagedDataMessage)->DenseRange(0, 1)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
