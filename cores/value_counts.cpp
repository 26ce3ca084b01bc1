#include "cores/value_counts.h"

#include <new>
#include <string.h>

ValueCounts::ValueCounts() : values(nullptr), counts(nullptr), pairs(0), capacity(0), total(0) {}

ValueCounts::~ValueCounts() {
    delete[] values;
    delete[] counts;
}

namespace {

// The first index of the ascending values not below `value`.
int LowerBound(const uint32_t* values, int pairs, uint32_t value) {
    int low = 0, high = pairs;
    while (low < high) {
        int middle = (low + high) / 2;
        if (values[middle] < value)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

// The array with room for `grown` entries, the first `used` kept; null when
// memory runs out (the old one stays).
uint32_t* Regrown(uint32_t* old, int used, int grown) {
    uint32_t* bigger = new (std::nothrow) uint32_t[grown];
    if (bigger && used)
        memcpy(bigger, old, sizeof *old * size_t(used));
    return bigger;
}

} // namespace

bool ValueCounts::Add(uint32_t value, uint32_t count) {
    int low = LowerBound(values, pairs, value);
    if (low == pairs || values[low] != value) {
        if (pairs == capacity && !Grow())
            return false;
        memmove(values + low + 1, values + low, sizeof *values * size_t(pairs - low));
        memmove(counts + low + 1, counts + low, sizeof *counts * size_t(pairs - low));
        values[low] = value, counts[low] = 0, ++pairs;
    }
    counts[low] += count;
    total += count;
    return true;
}

bool ValueCounts::Grow() {
    int grown = capacity ? capacity * 2 : 16;
    uint32_t* newValues = Regrown(values, pairs, grown);
    uint32_t* newCounts = Regrown(counts, pairs, grown);
    if (!newValues || !newCounts) {
        delete[] newValues;
        delete[] newCounts;
        return false;
    }
    delete[] values;
    delete[] counts;
    values = newValues, counts = newCounts, capacity = grown;
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
