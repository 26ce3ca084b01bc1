#include "check/fold.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

// A wrong lane or table word is never folded away, whichever it is and whichever bit.
TEST(Fold, AnyOneValueChangedChangesTheFold) {
    uint64_t words[40];
    uint32_t halves[40];
    double values[40];
    for (int i = 0; i < 40; ++i)
        words[i] = halves[i] = i * 0x9E3779B9u, values[i] = i - 19.5;
    const uint64_t fold = FoldWords(7, words, 40), fold32 = FoldWords32(7, halves, 40);
    const uint64_t foldDoubles = FoldDoubles(values, 40);
    for (int i = 0; i < 40; ++i) {
        uint64_t bit = uint64_t(1) << (i * 13 % 64), bits;
        words[i] ^= bit, halves[i] ^= uint32_t(bit >> 32 | bit);
        memcpy(&bits, &values[i], 8), bits ^= bit, memcpy(&values[i], &bits, 8);
        EXPECT_NE(fold, FoldWords(7, words, 40)) << i;
        EXPECT_NE(fold32, FoldWords32(7, halves, 40)) << i;
        EXPECT_NE(foldDoubles, FoldDoubles(values, 40)) << i;
        words[i] ^= bit, halves[i] ^= uint32_t(bit >> 32 | bit);
        memcpy(&bits, &values[i], 8), bits ^= bit, memcpy(&values[i], &bits, 8);
    }
    EXPECT_NE(fold, FoldWords(8, words, 40)) << "the value folded into";
}

} // namespace
