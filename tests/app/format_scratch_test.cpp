#include "app/format_scratch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatScratch, EightBuffersInTurnThenTheFirstAgain) {
    const char* texts[9];
    for (int i = 0; i < 9; ++i)
        texts[i] = FormatScratch("text %d of %s", i, "nine");
    for (int i = 1; i < 8; ++i) {
        // Consecutive buffers, 512 bytes apart (wrapping within the ring).
        EXPECT_EQ(512, (texts[i] - texts[i - 1] + 4096) % 4096);
        EXPECT_GE(texts[i], theScratchRing);
        EXPECT_LT(texts[i], theScratchRing + sizeof theScratchRing);
        EXPECT_EQ("text " + std::to_string(i) + " of nine", texts[i]);
    }
    EXPECT_EQ(texts[0], texts[8]);
    EXPECT_STREQ("text 8 of nine", texts[0]);
}

TEST(FormatScratch, EmptyFormatStillAdvances) {
    uint32_t count = theScratchCount;
    const char* text = FormatScratch("%s", "");
    EXPECT_STREQ("", text);
    EXPECT_EQ(count + 1, theScratchCount);
    EXPECT_EQ(theScratchRing + (count & 7) * 512, text);
}

TEST(FormatScratch, LongTextIsCutWithoutTouchingTheNextBuffer) {
    // Park the counter so the long text lands in the last buffer, just
    // before the end of the ring.
    theScratchCount = 0xFFFFFFFFu; // buffer 7, then the count wraps to buffer 0
    std::string big(700, 'x');
    strcpy(theScratchRing, "N"); // the next buffer
    const char* text = FormatScratch("%s", big.c_str());
    EXPECT_EQ(theScratchRing + 7 * 512, text);
    EXPECT_EQ(511u, strlen(text));
    EXPECT_STREQ("N", theScratchRing);
    EXPECT_EQ(theScratchRing, FormatScratch("after the wrap"));
    EXPECT_EQ(1u, theScratchCount);
}

} // namespace
