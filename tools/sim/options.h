#pragma once
// The simulator's command line.

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

constexpr int kExitUsage = 2;

enum class Mode { normal, clover, endless };

struct Options {
    uint32_t seed = 1;
    int64_t frames = 1800;
    Mode mode = Mode::normal;
    std::string scriptPath;
    bool randomPlayer = false;
    bool checkPools = false;    // both pools checked whole after every frame
};

// The message and the usage line on standard error; returns the exit code for a bad argument.
int usageError(const std::string& why);
void printUsage();

// Returns 0 when the arguments are good, else the exit code after the message.
int parseArguments(int argc, char** argv, Options& o);

// A whole number from lo to hi, nothing else in the text.
template <typename T>
bool parseWhole(std::string_view text, T& value, T lo, T hi) {
    T parsed{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed);
    if (ec != std::errc() || ptr != end || parsed < lo || parsed > hi) return false;
    value = parsed;
    return true;
}
