#include "gfx/bmp_writer.h"

#include "gfx/bitmap_helpers.h"
#include "util/file_helpers.h"

namespace {

const UINT kMaxColours = 256;
// The info header followed by room for the largest colour table: 1064 bytes.
const UINT kWorkingBlockSize = sizeof(BITMAPINFOHEADER) + kMaxColours * sizeof(RGBQUAD);

// The colour table GetDIBits reads the pixels through. It rewrites the header
// it is given, so it gets a copy.
void ReportedColourTable(HDC dc, HBITMAP bitmap, BITMAPINFOHEADER* info) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[kMaxColours];
    } asked;
    asked.header = *info;
    if (GetDIBits(dc, bitmap, 0, 0, nullptr, (BITMAPINFO*)&asked, DIB_RGB_COLORS))
        CopyMemory(info + 1, asked.colours, info->biClrUsed * sizeof(RGBQUAD));
}

// Palette entries first, then the bitmap's own table over them if it has one.
// With neither, the table GetDIBits reports, so the file shows what the screen
// shows.
void FillColourTable(BITMAPINFOHEADER* info, HBITMAP bitmap, HPALETTE palette) {
    RGBQUAD* table = (RGBQUAD*)(info + 1);
    if (palette) {
        PALETTEENTRY entries[kMaxColours];
        UINT got = GetPaletteEntries(palette, 0, info->biClrUsed, entries);
        for (UINT i = 0; i < got; ++i)
            table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    UINT own = GetDIBColorTable(dc, 0, info->biClrUsed, table); // 0 without a table
    SelectObject(dc, previous);
    if (!own && !palette)
        ReportedColourTable(dc, bitmap, info);
    DeleteDC(dc);
}

// Entries in the colour table: one per value up to 8 bits per pixel, none above.
UINT ColourCount(WORD bitCount) {
    return bitCount <= 8 ? 1u << bitCount : 0;
}

BOOL Seek(HANDLE file, DWORD position) {
    LONG high = 0; // positions up to 4 GB, the range FileTell reports
    return SetFilePointer(file, LONG(position), &high, FILE_BEGIN) == position && high == 0;
}

// Writes the pixel rows in the format the info header names, also when
// GetDIBits falls short, so that the size in the file header stays true.
BOOL WritePixels(HANDLE file, HBITMAP bitmap, BITMAPINFOHEADER* info) {
    BYTE* pixels = (BYTE*)GlobalAlloc(GMEM_FIXED, info->biSizeImage);
    if (!pixels)
        return FALSE;
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, info->biHeight, pixels, (BITMAPINFO*)info, DIB_RGB_COLORS);
    DeleteDC(dc);
    BOOL result = lines == info->biHeight;
    result &= FileWrite(file, pixels, info->biSizeImage, nullptr);
    GlobalFree(pixels);
    return result;
}

// Rewrites the file header at start with the size written since, and leaves
// the file after the image. FALSE when a position cannot be read or set: a
// size taken from a failed FileTell would be garbage.
BOOL FinishHeader(HANDLE file, BITMAPFILEHEADER* header, DWORD start) {
    DWORD end = FileTell(file);
    if (end == INVALID_SET_FILE_POINTER || !Seek(file, start))
        return FALSE;
    header->bfSize = end - start;
    BOOL written = FileWrite(file, header, sizeof *header, nullptr);
    return Seek(file, end) && written;
}

// Makes a new empty file in the target's folder, so that moving it over the
// target is a rename on the same volume; its name goes into temporary.
BOOL NewFileBeside(const char* path, char* temporary) {
    char folder[MAX_PATH];
    char* name = nullptr;
    DWORD length = GetFullPathNameA(path, MAX_PATH, folder, &name);
    if (length == 0 || length >= MAX_PATH || !name)
        return FALSE;
    *name = '\0';
    return GetTempFileNameA(folder, "bmp", 0, temporary) != 0;
}

} // namespace

BOOL BmpImageSize(LONG width, LONG height, WORD bitCount, DWORD* size) {
    if (width < 0 || height < 0)
        return FALSE;
    // In 64 bits: a size wrapped to 32 would under-allocate the pixel buffer.
    unsigned long long rowBytes = ((unsigned long long)width * bitCount + 31) / 32 * 4;
    unsigned long long bytes = rowBytes * (unsigned long long)height;
    unsigned long long colours = ColourCount(bitCount);
    unsigned long long headers =
        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
    if (bytes > 0xFFFFFFFFull - headers)
        return FALSE;
    *size = DWORD(bytes);
    return TRUE;
}

BOOL SaveBitmapFile(const char* path, HBITMAP bitmap, HPALETTE palette) {
    // Wine would replace a read-only file; Windows refuses. Refuse on both.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return FALSE;
    char temporary[MAX_PATH];
    if (!NewFileBeside(path, temporary))
        return FALSE;
    HANDLE file = CreateFileA(temporary, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    BOOL result = file != INVALID_HANDLE_VALUE;
    if (result) {
        result = WriteBitmapFile(file, bitmap, palette);
        result &= CloseHandle(file);
    }
    // The target changes only now, whole, and only if it can be replaced.
    if (result)
        result = MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!result)
        DeleteFileA(temporary);
    return result;
}

BOOL WriteBitmapFile(HANDLE file, HBITMAP bitmap, HPALETTE palette) {
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    LONG width = BitmapWidth(bitmap);
    LONG height = BitmapHeight(bitmap);
    WORD bitCount = BitmapBitsPerPixel(bitmap);
    DWORD imageSize;
    // Not a bitmap (its description reads all zero), or too big for the file.
    if (bitCount == 0 || !BmpImageSize(width, height, bitCount, &imageSize))
        return FALSE;
    // Zero-filled, so no table left unfilled carries stray memory into the file.
    BYTE* block = (BYTE*)LocalAlloc(LPTR, kWorkingBlockSize);
    if (!block)
        return FALSE;

    BITMAPINFOHEADER* info = (BITMAPINFOHEADER*)block;
    info->biSize = sizeof(BITMAPINFOHEADER);
    info->biWidth = width;
    info->biHeight = height;
    info->biPlanes = BitmapPlanes(bitmap);
    info->biBitCount = bitCount;
    info->biCompression = BI_RGB;
    info->biSizeImage = imageSize;
    info->biClrUsed = ColourCount(bitCount);
    if (info->biClrUsed)
        FillColourTable(info, bitmap, palette);

    // Sizes and offsets are differences from the start, so the image can sit
    // anywhere inside a larger file; without a start it cannot be finished.
    DWORD start = FileTell(file);
    if (start == INVALID_SET_FILE_POINTER) {
        LocalFree(block);
        return FALSE;
    }
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42; // "BM"
    BOOL headersWritten = FileWrite(file, &header, sizeof header, nullptr);
    headersWritten &=
        FileWrite(file, block, info->biSize + info->biClrUsed * sizeof(RGBQUAD), nullptr);
    DWORD pixelsAt = FileTell(file);
    // Without that position the pixels' offset is unknown: stop, as after a
    // failed write.
    if (!headersWritten || pixelsAt == INVALID_SET_FILE_POINTER) {
        LocalFree(block);
        return FALSE;
    }
    header.bfOffBits = pixelsAt - start;
    BOOL result = WritePixels(file, bitmap, info);
    result &= FinishHeader(file, &header, start);
    LocalFree(block);
    return result;
}
