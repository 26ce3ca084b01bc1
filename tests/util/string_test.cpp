#include "util/string.h"

#include <gtest/gtest.h>

namespace {

TEST(String, NewAndFreedStringsHaveNoBuffer) {
    String s;
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_STREQ("", s.Text());
    EXPECT_EQ(0, s.Length());
    EXPECT_EQ(0, s.capacity);
    s.Assign(""); // nothing to hold: still no buffer
    s.Assign(nullptr);
    EXPECT_EQ(nullptr, s.Data());
    s.Assign("text");
    s.Free();
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_EQ(0, s.capacity);
}

TEST(String, AssignNeverShrinks) {
    String s;
    s.Assign("hello");
    EXPECT_EQ(5, s.capacity);
    char* buffer = s.Data();
    s.Assign("hi");
    EXPECT_EQ(buffer, s.Data());
    EXPECT_EQ(5, s.capacity);
    EXPECT_STREQ("hi", s.Text());
    EXPECT_EQ(2, s.Length());
    s.Assign(nullptr);
    EXPECT_EQ(buffer, s.Data());
    EXPECT_STREQ("", s.Text());
    s.Assign("hey");
    s.Assign(s.Text()); // onto itself: unchanged
    EXPECT_STREQ("hey", s.Text());
    s.Assign("longer text");
    EXPECT_EQ(11, s.capacity);
    EXPECT_STREQ("longer text", s.Text());
}

TEST(String, ResizeAndCompact) {
    String s;
    s.Assign("hello");
    s.Resize(3);
    EXPECT_STREQ("hel", s.Text());
    EXPECT_EQ(3, s.capacity);
    s.Resize(10);
    EXPECT_STREQ("hel", s.Text());
    EXPECT_EQ(10, s.capacity);
    s.Compact();
    EXPECT_STREQ("hel", s.Text());
    EXPECT_EQ(3, s.capacity);
    s.Resize(0);
    ASSERT_NE(nullptr, s.Data());
    EXPECT_STREQ("", s.Data());

    String empty;
    empty.Compact();
    ASSERT_NE(nullptr, empty.Data());
    EXPECT_EQ(0, empty.capacity);
}

} // namespace
