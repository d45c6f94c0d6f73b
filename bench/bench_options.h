#pragma once
// The measurement programs' own options, taken out of the arguments before the benchmark
// library reads the rest.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// True when arg is the option name (which ends in '=') with its value; the value then points
// after the '='.
inline bool textOption(const char* arg, const char* name, const char*& value) {
    const size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0) return false;
    value = arg + length;
    return true;
}

// True when arg is the option name (which ends in '=') with a count; the count is then the
// whole number given, or -1 after a message on standard error when it is not one above 0.
inline bool countOption(const char* arg, const char* name, int& count) {
    const char* value = nullptr;
    if (!textOption(arg, name, value)) return false;
    count = std::atoi(value);
    if (count <= 0) {
        std::fprintf(stderr, "%.*s needs a whole number above 0\n", static_cast<int>(std::strlen(name)) - 1, name);
        count = -1;
    }
    return true;
}

// Hands the arguments left to the benchmark library and runs the benchmarks registered.
inline int runRegisteredBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
