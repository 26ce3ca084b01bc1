#include "util/string.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <string>

TEST(String, GrowsOnAssignResizesExactly) {
    String s;
    s.Assign(""); // nothing to hold: still no buffer
    EXPECT_EQ(nullptr, s.Data());
    EXPECT_STREQ("", s.Text());
    s.Assign("hello");
    char* buffer = s.Data();
    s.Assign("hi");
    s.Assign(s.Text()); // onto itself: unchanged
    EXPECT_EQ(buffer, s.Data());
    EXPECT_EQ(5, s.capacity);
    EXPECT_STREQ("hi", s.Text());
    s.Assign("hello");
    s.Resize(3);
    EXPECT_STREQ("hel", s.Text());
    s.Resize(-1); // no such size: unchanged
    EXPECT_EQ(3, s.capacity);
    s.Resize(10);
    EXPECT_EQ(10, s.capacity);
    s.Compact();
    EXPECT_EQ(3, s.capacity);
    EXPECT_STREQ("hel", s.Text());
    // Resize writes its terminator: the freed buffer it likely gets back is full of x.
    s.Assign("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
    s.Resize(30);
    s.Assign("a text of 20 letters");
    s.Resize(30);
    EXPECT_STREQ("a text of 20 letters", s.Text());
    s.Free();
    const String fresh; // every field as in a new String
    EXPECT_EQ(fresh.text, s.text);
    EXPECT_EQ(fresh.capacity, s.capacity);
    s.Compact(); // a one-byte buffer holding the empty text
    EXPECT_STREQ("", s.Data());
    EXPECT_EQ(0, s.capacity);
    s.Free();
    s.Assign("again"); // a freed string takes a new buffer
    EXPECT_STREQ("again", s.Text());
    EXPECT_EQ(5, s.capacity);
}

// Bytes in use on the C runtime's heap.
static size_t HeapInUse() {
    _HEAPINFO entry = {};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        used += entry._useflag == _USEDENTRY ? entry._size : 0;
    return used;
}

TEST(String, BuffersHoldTheTerminatorAndAreGivenBack) {
    const std::string letters(1000, 'x');
    size_t before = HeapInUse();
    for (int i = 0; i < 100; ++i) {
        String s;
        s.Assign("a");
        s.Assign(letters.c_str()); // grows
        EXPECT_EQ(1001u, _msize(s.Data()));
        s.Resize(2000);
        s.Assign("text");
        s.Compact();
        EXPECT_EQ(5u, _msize(s.Data()));
    }
    EXPECT_EQ(before, HeapInUse());
}
