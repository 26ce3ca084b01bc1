#pragma once

#include <windows.h>

#include <algorithm>
#include <cpuid.h>
#include <stddef.h>
#include <stdio.h>
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

// The processor's name, from CPUID's brand string.
inline void PrintProcessor() {
    unsigned brand[12] = {};
    for (unsigned leaf = 0; leaf < 3; ++leaf)
        __get_cpuid(0x80000002 + leaf, &brand[4 * leaf], &brand[4 * leaf + 1], &brand[4 * leaf + 2],
                    &brand[4 * leaf + 3]);
    printf("processor: %.48s\n", (const char*)brand);
}
