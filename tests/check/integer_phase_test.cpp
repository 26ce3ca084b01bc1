#include "check/integer_phase.h"

#include <gtest/gtest.h>

namespace {

bool operator==(IntegerValue a, IntegerValue b) {
    return a.high == b.high && a.low == b.low;
}

// A wrong bit in an integer chain is not lost, however long the chain runs on.
TEST(IntegerPhase, AFlippedBitNeverHeals) {
    for (int bit = 0; bit < 64; ++bit) {
        IntegerValue right = {0x01234567u * bit, 0x89ABCDEFu + bit}, wrong = right;
        (bit < 32 ? wrong.low : wrong.high) ^= 1u << bit % 32;
        int same = 0;
        for (int step = 0; step < 1000; ++step) {
            right = IntegerStep(right), wrong = IntegerStep(wrong);
            same += right == wrong;
        }
        EXPECT_EQ(0, same) << "bit " << bit;
    }
}

} // namespace
