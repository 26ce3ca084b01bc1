#include "gfx/bmp_writer.h"

#include "gfx/bitmap_helpers.h"
#include "tests/gfx/bound_dib.h"

#include <gtest/gtest.h>
#include <winioctl.h>

#include <set>
#include <stdint.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

// Beside the executable, where the identify check looks for them.
std::string OutputPath(const std::string& name) {
    char exe[MAX_PATH];
    std::string folder(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH));
    folder = folder.substr(0, folder.find_last_of('\\') + 1) + "bmp_out\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + name;
}

std::string Contents(const std::string& path) {
    std::string bytes;
    if (FILE* file = fopen(path.c_str(), "rb")) {
        for (int c; (c = fgetc(file)) != EOF;)
            bytes += char(c);
        fclose(file);
    }
    return bytes;
}

uint32_t Le32(const std::string& bytes, size_t at) {
    return BYTE(bytes[at]) | BYTE(bytes[at + 1]) << 8 | BYTE(bytes[at + 2]) << 16 |
           uint32_t(BYTE(bytes[at + 3])) << 24;
}

// A DIB whose bytes and colour-table entries all differ, red unlike blue.
HBITMAP Sample(LONG width, LONG height, WORD bits) {
    HBITMAP bitmap = CreateDib(width, height, bits);
    BITMAP info = GetBitmapInfo(bitmap);
    for (LONG k = 0; k < height * info.bmWidthBytes; ++k)
        ((BYTE*)info.bmBits)[k] = (bits == 32 && k % 4 == 3) ? 0 : BYTE(k * 29 + bits);
    RGBQUAD table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = {BYTE(255 - i * 5), BYTE(i * 3 + 40), BYTE(i * 11 + 7), 0};
    WithDc(bitmap, [&](HDC dc) { SetDIBColorTable(dc, 0, 256, table); });
    return bitmap;
}

// Every pixel as 0x00RRGGBB, top row first, whatever the bitmap's format.
std::vector<uint32_t> Pixels(HBITMAP bitmap) {
    LONG width = BitmapWidth(bitmap), height = BitmapHeight(bitmap);
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                       {}};
    std::vector<uint32_t> pixels(size_t(width) * height);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(height, GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS));
    DeleteDC(dc);
    for (uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFFu;
    return pixels;
}

TEST(BmpWriter, HeadersAndEveryPixelThroughThePlatformLoader) {
    struct Case {
        WORD bits;
        LONG width, height;
        uint32_t offBits, imageSize;
    } cases[] = {{1, 13, 5, 62, 20}, {4, 7, 3, 118, 12},        {8, 5, 4, 1078, 32},
                 {16, 3, 3, 54, 24}, {24, 3, 2, 54, 24}, // rows of 9 bytes padded to 12
                 {32, 5, 3, 54, 60}, {24, 256, 256, 54, 196608}};
    for (const Case& c : cases) {
        char name[32];
        snprintf(name, sizeof name, "%ldx%ld_%u", long(c.width), long(c.height), c.bits);
        SCOPED_TRACE(name);
        std::string path = OutputPath(std::string(name) + ".bmp");
        HBITMAP source = Sample(c.width, c.height, c.bits);
        ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), source, nullptr));
        std::string file = Contents(path);
        ASSERT_EQ(c.offBits + c.imageSize, file.size());
        EXPECT_EQ("BM", file.substr(0, 2));
        EXPECT_EQ(file.size(), Le32(file, 2));
        EXPECT_EQ(c.offBits, Le32(file, 10));
        EXPECT_EQ(uint32_t(c.height), Le32(file, 22)); // positive: bottom row first
        EXPECT_EQ(c.imageSize, Le32(file, 34));
        EXPECT_EQ((c.offBits - 54) / 4, Le32(file, 46));

        HBITMAP loaded = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(c.bits, BitmapBitsPerPixel(loaded));
        std::vector<uint32_t> pixels = Pixels(source);
        EXPECT_EQ(pixels, Pixels(loaded));
        // What ImageMagick must find: size, colour count, the two corners.
        FILE* expected = fopen(OutputPath(std::string(name) + ".txt").c_str(), "w");
        fprintf(expected, "%ld %ld %u", long(c.width), long(c.height),
                unsigned(std::set<uint32_t>(pixels.begin(), pixels.end()).size()));
        for (uint32_t p : {pixels.front(), pixels.back()})
            fprintf(expected, " %u %u %u", p >> 16, (p >> 8) & 0xFF, p & 0xFF);
        fclose(expected);
        DeleteObject(loaded);
        DeleteObject(source);
    }
}

TEST(BmpWriter, ColourTableFromPaletteThenTheBitmapsOwn) {
    LOGPALETTE logical = {0x300, 1, {{0xFF, 0x80, 0x00, 0}}};
    HPALETTE palette = CreatePalette(&logical);
    std::string path = OutputPath("palette.bin");
    // Device-dependent bitmaps have no table: the palette's entry is stored
    // blue, green, red, 0, and the rest stays zero.
    const BYTE pattern[8] = {0xA5, 0xC0, 0x5A, 0x80, 1, 9, 250, 0};
    HBITMAP mono = CreateBitmap(9, 2, 1, 1, pattern);
    HBITMAP indexed = CreateBitmap(3, 2, 1, 8, pattern);
    ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), mono, palette));
    EXPECT_EQ(std::string("\x00\x80\xFF\x00\x00\x00\x00\x00", 8), Contents(path).substr(54, 8));
    // Without a palette, the table their pixels are read through.
    for (HBITMAP ddb : {mono, indexed}) {
        ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), ddb, nullptr));
        HBITMAP loaded = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION);
        EXPECT_EQ(Pixels(ddb), Pixels(loaded));
        DeleteObject(loaded);
    }
    // A DIB's own table wins; above 8 bits the palette changes nothing.
    HBITMAP dib = Sample(5, 4, 8);
    ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), dib, palette));
    EXPECT_EQ(std::string("\xFF\x28\x07\x00", 4), Contents(path).substr(54, 4));
    HBITMAP deep = Sample(5, 3, 24);
    ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), deep, nullptr));
    std::string plain = Contents(path);
    ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), deep, palette));
    EXPECT_EQ(plain, Contents(path));
    for (HGDIOBJ object :
         {(HGDIOBJ)palette, (HGDIOBJ)mono, (HGDIOBJ)indexed, (HGDIOBJ)dib, (HGDIOBJ)deep})
        DeleteObject(object);
    DeleteFileA(path.c_str());
}

TEST(BmpWriter, ImageInsideALargerFileIsTheSameImage) {
    HBITMAP bitmap = Sample(7, 3, 4);
    std::string path = OutputPath("inside.bin");
    ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), bitmap, nullptr));
    std::string image = Contents(path);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done;
    WriteFile(file, "a container's own 30 bytes....", 30, &done, nullptr);
    ASSERT_EQ(TRUE, WriteBitmapFile(file, bitmap, nullptr));
    EXPECT_EQ(30 + image.size(), SetFilePointer(file, 0, nullptr, FILE_CURRENT));
    CloseHandle(file);
    EXPECT_EQ(image, Contents(path).substr(30)); // sizes and offsets relative to the start
    DeleteObject(bitmap);
    DeleteFileA(path.c_str());
}

// Bytes in use on the process heap, where GlobalAlloc takes its blocks.
size_t ProcessHeapInUse() {
    PROCESS_HEAP_ENTRY entry = {};
    size_t used = 0;
    while (HeapWalk(GetProcessHeap(), &entry))
        used += entry.wFlags & PROCESS_HEAP_ENTRY_BUSY ? entry.cbData : 0;
    return used;
}

TEST(BmpWriter, ThePixelBufferIsGivenBack) {
    HBITMAP bitmap = CreateDib(1024, 1024, 32); // 4 MiB of pixels
    std::string path = OutputPath("large.bmp");
    ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), bitmap, nullptr)); // caches made
    size_t before = ProcessHeapInUse();
    ASSERT_EQ(TRUE, SaveBitmapFile(path.c_str(), bitmap, nullptr));
    EXPECT_LT(ProcessHeapInUse(), before + (1 << 20));
    DeleteObject(bitmap);
    DeleteFileA(path.c_str());
}

TEST(BmpWriter, APositionFileTellCannotReportIsAFailure) {
    std::string path = OutputPath("far.bin");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done; // sparse, where the file system can: no 4 GB of zeros
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &done, nullptr);
    // FileTell reads 0xFFFFFFFF as INVALID_SET_FILE_POINTER: the headers, or
    // the whole image, ending there leave no offset or size to store.
    HBITMAP bitmap = Sample(15, 16, 24); // 54 + 768 bytes
    for (DWORD before : {54u, 54u + 768}) {
        LONG high = 0;
        SetFilePointer(file, LONG(0xFFFFFFFF - before), &high, FILE_BEGIN);
        EXPECT_EQ(FALSE, WriteBitmapFile(file, bitmap, nullptr)) << before;
    }
    CloseHandle(file);
    DeleteFileA(path.c_str());
    DeleteObject(bitmap);
}

// Names in a folder, "." and ".." left out.
std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (found.cFileName[0] != '.')
            names.insert(found.cFileName);
    FindClose(search);
    return names;
}

TEST(BmpWriter, AFailedSaveLeavesTheOldFileWhole) {
    std::string folder = OutputPath("replace\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "old.bmp";
    FILE* old = fopen(path.c_str(), "wb");
    fputs("the old file's bytes", old);
    fclose(old);
    std::set<std::string> names = Names(folder);
    HBITMAP bitmap = Sample(3, 2, 24);
    EXPECT_EQ(FALSE, SaveBitmapFile(path.c_str(), nullptr, nullptr)); // no bitmap
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FALSE, SaveBitmapFile(path.c_str(), bitmap, nullptr));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(FALSE, SaveBitmapFile(path.c_str(), bitmap, nullptr));
    CloseHandle(held);
    EXPECT_EQ("the old file's bytes", Contents(path));
    EXPECT_EQ(names, Names(folder)) << "no temporary file stays";
    EXPECT_EQ(TRUE, SaveBitmapFile(path.c_str(), bitmap, nullptr));
    EXPECT_EQ(54u + 2 * 12, Contents(path).size());
    EXPECT_EQ(names, Names(folder));
    DeleteFileA(path.c_str());
    DeleteObject(bitmap);
}

TEST(BmpWriter, FailuresAreFalseAndLeaveNoFileBehind) {
    std::string path = OutputPath("refused.bin");
    HBITMAP bitmap = Sample(3, 2, 24);
    // A handle that is no bitmap: no file is made.
    EXPECT_EQ(FALSE, SaveBitmapFile(path.c_str(), nullptr, nullptr));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    // Names with no file to make beside them: empty, a folder, one whose
    // full path is too long, one in a folder that does not exist.
    std::string tooLong(255, 'n');
    for (std::string name : {std::string(), OutputPath(""), tooLong, OutputPath("none\\a.bmp")})
        EXPECT_EQ(FALSE, SaveBitmapFile(name.c_str(), bitmap, nullptr)) << name;
    EXPECT_EQ(FALSE, WriteBitmapFile(INVALID_HANDLE_VALUE, bitmap, nullptr));
    // Failed writes: FALSE. A pipe has no position to come back to for the
    // header: refused before its first byte.
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    HANDLE readOnly =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(FALSE, WriteBitmapFile(readOnly, bitmap, nullptr));
    CloseHandle(readOnly);
    DeleteFileA(path.c_str());
    HANDLE readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16));
    EXPECT_EQ(FALSE, WriteBitmapFile(writeEnd, bitmap, nullptr));
    DWORD waiting = 1;
    PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr);
    EXPECT_EQ(0u, waiting);
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    DeleteObject(bitmap);

    // Sizes that do not fit 32 bits with the headers, not even wrapped to 0.
    DWORD size = 0;
    EXPECT_EQ(TRUE, BmpImageSize(1, 1073741810, 32, &size));
    EXPECT_EQ(0xFFFFFFFFu - 54 - 1, size);
    const LONG refused[][3] = {{1, 1073741811, 32}, {65536, 65536, 8}, {-1, 2, 8}, {2, -1, 8}};
    for (const LONG* r : refused)
        EXPECT_EQ(FALSE, BmpImageSize(r[0], r[1], WORD(r[2]), &size)) << r[0] << " x " << r[1];
}

} // namespace
