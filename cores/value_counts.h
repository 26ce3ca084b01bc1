#pragma once

#include <stdint.h>

// A multiset of whole values (figures in hundredths or tenths) kept as
// sorted value-count pairs. Tool figures repeat, so a run of days needs
// as many pairs as distinct figures, not as many as samples.
struct ValueCounts {
    ValueCounts();
    ~ValueCounts();
    ValueCounts(const ValueCounts&) = delete;
    ValueCounts& operator=(const ValueCounts&) = delete;

    // False when memory runs out: the samples are not counted.
    bool Add(uint32_t value, uint32_t count = 1);
    // Adds every sample of another multiset.
    bool AddAll(const ValueCounts& other);
    // The lower median, a value that was added; 0 when empty.
    uint32_t Median() const;
    // Forgets the samples, keeping the buffer.
    void Clear();
    // Doubles the room for pairs; false when memory runs out.
    bool Grow();

    uint32_t* values; // ascending
    uint32_t* counts;
    int pairs;
    int capacity;
    uint64_t total; // samples
};
