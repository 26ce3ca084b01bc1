#include "util/file_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FileHelpers, WriteTellAndRead) {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    strcat(path, "vesko_file_helpers.bin");
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(0u, FileTell(file));
    DWORD done = 0;
    EXPECT_EQ(TRUE, FileWrite(file, "fourteen", 8, &done));
    EXPECT_EQ(8u, done);
    EXPECT_EQ(TRUE, FileWrite(file, " bytes", 6, nullptr)); // the count not wanted
    EXPECT_EQ(14u, FileTell(file));
    EXPECT_EQ(14u, FileTell(file)) << "asking moved the position";
    SetFilePointer(file, 9, nullptr, FILE_BEGIN);
    EXPECT_EQ(9u, FileTell(file)) << "not at the end";
    char back[16] = {};
    EXPECT_EQ(TRUE, FileRead(file, back, sizeof back, &done)); // short, not failed
    EXPECT_EQ("bytes", std::string(back, done));
    SetFilePointer(file, 4, nullptr, FILE_BEGIN);
    EXPECT_EQ(TRUE, FileRead(file, back, 4, nullptr));
    EXPECT_EQ("teen", std::string(back, 4));
    CloseHandle(file);

    EXPECT_EQ(INVALID_SET_FILE_POINTER, FileTell(INVALID_HANDLE_VALUE));
    DeleteFileA(path);
}

} // namespace
