#include "cores/value_counts.h"

#include <new>
#include <string.h>

ValueCounts::ValueCounts() : values(nullptr), counts(nullptr), pairs(0), capacity(0), total(0) {}

ValueCounts::~ValueCounts() {
    delete[] values;
    delete[] counts;
}

bool ValueCounts::Add(uint32_t value, uint32_t count) {
    int low = 0, high = pairs;
    while (low < high) {
        int middle = (low + high) / 2;
        if (values[middle] < value)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == pairs || values[low] != value) {
        if (pairs == capacity) {
            int grown = capacity ? capacity * 2 : 16;
            uint32_t* newValues = new (std::nothrow) uint32_t[grown];
            uint32_t* newCounts = new (std::nothrow) uint32_t[grown];
            if (!newValues || !newCounts) {
                delete[] newValues;
                delete[] newCounts;
                return false;
            }
            if (pairs) {
                memcpy(newValues, values, sizeof *values * size_t(pairs));
                memcpy(newCounts, counts, sizeof *counts * size_t(pairs));
            }
            delete[] values;
            delete[] counts;
            values = newValues, counts = newCounts, capacity = grown;
        }
        memmove(values + low + 1, values + low, sizeof *values * size_t(pairs - low));
        memmove(counts + low + 1, counts + low, sizeof *counts * size_t(pairs - low));
        values[low] = value, counts[low] = 0, ++pairs;
    }
    counts[low] += count;
    total += count;
    return true;
}

bool ValueCounts::AddAll(const ValueCounts& other) {
    for (int i = 0; i < other.pairs; ++i)
        if (!Add(other.values[i], other.counts[i]))
            return false;
    return true;
}

uint32_t ValueCounts::Median() const {
    if (!total)
        return 0;
    uint64_t wanted = (total + 1) / 2; // the lower middle sample, counted from 1
    uint64_t seen = 0;
    int i = 0;
    while ((seen += counts[i]) < wanted)
        ++i;
    return values[i];
}

void ValueCounts::Clear() {
    pairs = 0;
    total = 0;
}
