#include "util/text.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

TEST(Text, NullTolerance) {
    EXPECT_EQ(0, StrLength(nullptr));
    EXPECT_EQ(0, StrLength(""));
    EXPECT_EQ(5, StrLength("hello"));

    StrCopy(nullptr, "abc");
    StrCopyN(nullptr, "abc", 2);
    char buffer[8] = "XXXXXXX";
    StrCopy(buffer, nullptr);
    EXPECT_STREQ("", buffer);
    EXPECT_EQ('X', buffer[1]);
    StrCopy(buffer, "abc");
    EXPECT_EQ(0, memcmp("abc\0XXX", buffer, 8));
}

TEST(Text, CopyNWritesNoTerminator) {
    char buffer[8] = "XXXXXXX";
    StrCopyN(buffer, "abcdef", 3);
    EXPECT_STREQ("abcXXXX", buffer);
    memcpy(buffer, "XXXXXXX", 8);
    StrCopyN(buffer, "ab", 5);
    EXPECT_STREQ("abXXXXX", buffer);
    StrCopyN(buffer, "abcdef", 0);
    EXPECT_STREQ("", buffer);
    EXPECT_EQ('b', buffer[1]);
    StrCopyN(buffer, "abc", -4); // a negative count copies nothing
    EXPECT_STREQ("", buffer);
}

TEST(Text, Duplicate) {
    char* empty = StrDuplicate(nullptr);
    ASSERT_TRUE(empty);
    EXPECT_STREQ("", empty);
    char* copy = StrDuplicate("burn");
    EXPECT_STREQ("burn", copy);
    delete[] empty;
    delete[] copy;
}

} // namespace
