#include "check/check_title.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What vesko-check writes, Vesko Cores reads back whole; any other text is no title.
TEST(CheckTitle, WrittenAndReadByTheSameFormats) {
    CheckTitle titles[] = {{754, 1234, 0, 0, avx2Path},
                           {760, 1, 1, 1237, sse2Path},
                           {360000 + 59, 12345678901, 1000, 999, avx2Path}};
    const char* texts[] = {"Vesko check 0:12:34, 1,234 bursts, 0 errors, AVX2",
                           "Vesko check 0:12:40, 1 burst, 1 error (burst 1,237), SSE2",
                           "Vesko check 100:00:59, 12,345,678,901 bursts, 1,000 errors (burst "
                           "999), AVX2"};
    for (int i = 0; i < 3; ++i) {
        char text[120];
        ASSERT_TRUE(FormatCheckTitle(titles[i], text, sizeof text));
        EXPECT_STREQ(texts[i], text);
        CheckTitle back;
        ASSERT_TRUE(ParseCheckTitle(text, &back)) << text;
        EXPECT_EQ(std::make_tuple(titles[i].seconds, titles[i].bursts, titles[i].errors,
                                  titles[i].errors ? titles[i].errorBurst : 0, titles[i].path),
                  std::make_tuple(back.seconds, back.bursts, back.errors,
                                  back.errors ? back.errorBurst : 0, back.path));
        EXPECT_FALSE(FormatCheckTitle(titles[i], text, int(strlen(texts[i])))) << "no room";
    }
    for (const char* other : {"Vesko check", "Vesko 0:12:34, 1,234 bursts, 0 errors, AVX2",
                              "Vesko check 0:12:34, 1,234 bursts, 0 errors, AVX",
                              "Vesko check 0:60:34, 1 burst, 0 "
                              "errors, SSE2",
                              "Vesko check 0:12:3, 1 burst, 0 errors, SSE2",
                              "Vesko check 0:12:34, 1,23 bursts, 0 errors, SSE2",
                              "Vesko check 0:12:34, 12,345 bursts, 1 errors (burst 3), SSE2",
                              "Vesko check 0:12:34, 2 bursts, 1 error, SSE2",
                              "Vesko check 0:12:34, 2 bursts, 0 errors, SSE2 "}) {
        CheckTitle back;
        EXPECT_FALSE(ParseCheckTitle(other, &back)) << other;
    }
    char grouped[8];
    memset(grouped, 'x', sizeof grouped);
    FormatGrouped(1234567, grouped, 5);
    EXPECT_STREQ("1,2", grouped) << "cut to fit, never past its room";
    EXPECT_EQ('x', grouped[5]);
}

} // namespace
