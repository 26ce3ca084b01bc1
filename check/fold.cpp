#include "check/fold.h"

#include <string.h>

namespace {

uint64_t FoldIn(uint64_t fold, uint64_t word) {
    return (fold << 11 | fold >> 53) ^ word;
}

} // namespace

uint64_t FoldWords(uint64_t fold, const uint64_t* words, int count) {
    for (int i = 0; i < count; ++i)
        fold = FoldIn(fold, words[i]);
    return fold;
}

uint64_t FoldWords32(uint64_t fold, const uint32_t* words, int count) {
    for (int i = 0; i < count; ++i)
        fold = FoldIn(fold, words[i]);
    return fold;
}

uint64_t FoldDoubles(const double* values, int count) {
    uint64_t fold = 0;
    for (int i = 0; i < count; ++i) {
        uint64_t bits;
        memcpy(&bits, &values[i], sizeof bits);
        fold = FoldIn(fold, bits);
    }
    return fold;
}
