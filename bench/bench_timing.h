#pragma once

#include <windows.h>

#include <algorithm>
#include <stddef.h>
#include <vector>

// Seconds on the performance counter.
inline double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

// The value below which `share` of the values lie.
inline double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(share * values.size()))];
}

inline double Median(const std::vector<double>& values) {
    return Percentile(values, 0.5);
}
