// Timing for the benchmarks: one run's milliseconds, the median of several.
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

inline double Milliseconds(const std::function<void()>& work) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    work();
    QueryPerformanceCounter(&b);
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Of no values: -1, which the report shows as no floor.
inline double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
