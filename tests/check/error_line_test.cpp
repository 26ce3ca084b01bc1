#include "check/error_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool ParseLatest(const std::string& text, CheckResult* wrong) {
    return ParseLatestErrorLine(text.data(), int(text.size()), wrong);
}

// Vesko Cores reads back what vesko-check wrote, each unit and the widest numbers too.
TEST(ErrorLine, WrittenAndReadByTheSameFormat) {
    const CheckResult wrongs[] = {{false, integerPhase, 1237, 0x9E3779B97F4A7C15, 0x1ull << 17},
                                  {false, floatPhase, 0, 0, UINT64_MAX},
                                  {false, memoryPhase, UINT64_MAX, 0xABCDEF, 0xABCDEE}};
    const char* lines[] = {"1237,integer,0x9E3779B97F4A7C15,0x0000000000020000\r\n",
                           "0,floating point,0x0000000000000000,0xFFFFFFFFFFFFFFFF\r\n",
                           "18446744073709551615,memory,0x0000000000ABCDEF,0x0000000000ABCDEE\r\n"};
    std::string file;
    for (int i = 0; i < 3; ++i) {
        char text[kErrorLineCapacity];
        ASSERT_EQ(int(strlen(lines[i])), FormatErrorLine(wrongs[i], text, sizeof text));
        EXPECT_STREQ(lines[i], text);
        EXPECT_EQ(0, FormatErrorLine(wrongs[i], text, int(strlen(lines[i])))) << "no room";
        file += lines[i];
        CheckResult back = {};
        ASSERT_TRUE(ParseLatest(file, &back)) << file;
        EXPECT_EQ(std::make_tuple(false, wrongs[i].phase, wrongs[i].burst, wrongs[i].expected,
                                  wrongs[i].got),
                  std::make_tuple(back.ok, back.phase, back.burst, back.expected, back.got));
    }
    CheckResult back = {};
    ASSERT_TRUE(ParseLatest(file + "12,integer,0x00", &back)) << "the line before one cut short";
    EXPECT_EQ(UINT64_MAX, back.burst);
}

TEST(ErrorLine, AnyOtherTextIsNoLine) {
    CheckResult back;
    for (const char* other :
         {"", "\r\n", "7,integer,0x0000000000000001,0x0000000000000003",
          "7,integer,0x0000000000000001,0x0000000000000003\n",
          "7,integer,0x0000000000000001,0x0000000000000003 \r\n",
          "7,integer,0x0000000000000001,0x000000000000000a\r\n",
          "7,integer,0x1,0x0000000000000003\r\n",
          "+7,integer,0x0000000000000001,0x0000000000000003\r\n",
          "07,integer,0x0000000000000001,0x0000000000000003\r\n",
          "7,float,0x0000000000000001,0x0000000000000003\r\n",
          "18446744073709551616,memory,0x0000000000000001,0x0000000000000003\r\n",
          "7,memory,0x0000000000000001\r\n",
          "7,integer,0x0000000000000001,0x0000000000000003,0x0000000000000003,0x000000000003\r\n"})
        EXPECT_FALSE(ParseLatest(other, &back)) << other;
}

} // namespace
