#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string_view>

// Takes the first argument that starts with prefix out of argv, so that Google Benchmark, which
// refuses arguments it does not know, never sees it. Returns what follows the prefix, or null
// when no argument starts with it.
inline const char *takeBenchOption(int &argc, char **argv, std::string_view prefix)
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::string_view(arg).substr(0, prefix.size()) != prefix)
            continue;
        std::copy(argv + i + 1, argv + argc, argv + i);
        --argc;
        return arg + prefix.size();
    }
    return nullptr;
}

// Runs the benchmarks the arguments choose; 1 for an argument Google Benchmark does not know.
inline int runBenchmarks(int &argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
