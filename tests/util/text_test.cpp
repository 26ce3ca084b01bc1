#include "util/text.h"

#include <gtest/gtest.h>

#include <string.h>

TEST(Text, NullsAndUnterminatedCopies) {
    EXPECT_EQ(0, StrLength(nullptr) + StrLength(""));
    StrCopy(nullptr, "abc");
    StrCopyN(nullptr, "abc", 2);
    char buffer[8] = "XXXXXXX";
    StrCopy(buffer, nullptr);
    EXPECT_EQ(0, memcmp("\0XXXXXX", buffer, 8));
    StrCopyN(buffer, "abcdef", 3); // no terminator after the copy
    EXPECT_STREQ("abcXXXX", buffer);
    StrCopyN(buffer, "AB", 5);
    EXPECT_STREQ("ABcXXXX", buffer);
    StrCopyN(buffer, "abcdef", 0);
    EXPECT_EQ(0, memcmp("\0BcXXXX", buffer, 8));
    char* empty = StrDuplicate(nullptr);
    EXPECT_STREQ("", empty);
    delete[] empty;
}
