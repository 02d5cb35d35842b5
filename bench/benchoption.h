#pragma once

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
