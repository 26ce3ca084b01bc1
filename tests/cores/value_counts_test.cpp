#include "cores/value_counts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Sorted pairs and counts from values in any order; the lower median counts every sample.
TEST(ValueCounts, RepeatedValuesInAnyOrder) {
    ValueCounts counts, more;
    EXPECT_EQ(0u, counts.Median()) << "empty";
    for (uint32_t v : {700u, 900u, 800u, 700u, 750u, 900u, 900u})
        counts.Add(v);
    auto list = [&](const uint32_t* a) { return std::vector<uint32_t>(a, a + counts.pairs); };
    EXPECT_EQ((std::vector<uint32_t>{700, 750, 800, 900}), list(counts.values));
    EXPECT_EQ((std::vector<uint32_t>{2, 1, 1, 3}), list(counts.counts));
    EXPECT_EQ(800u, counts.Median());
    more.Add(750);
    more.AddAll(counts);
    EXPECT_EQ(8u, more.total);
    EXPECT_EQ(750u, more.Median()) << "the lower of 750 and 800";
    counts.Clear();
    EXPECT_EQ(0u, counts.Median());
}

} // namespace
