#pragma once

#include <windows.h>

// Writes a GDI bitmap as an uncompressed BMP image in its own bit depth: file
// header, BITMAPINFOHEADER, a colour table at 8 bits per pixel or fewer, and
// the rows bottom-up as GetDIBits delivers them. The colour table comes from
// the palette (may be null), overwritten by the bitmap's own table if it has
// one; with neither, it is the table GetDIBits reads the pixels through.
// Refused (FALSE): a handle that is not a bitmap, and an image whose size does
// not fit the 32-bit size fields.

// The bytes of the pixel rows, each padded to a multiple of 4; FALSE when the
// image with its headers would not fit the 32-bit size fields of the file.
BOOL BmpImageSize(LONG width, LONG height, WORD bitCount, DWORD* size);

// Writes the image into a new file beside the target and moves it over the
// target only when it is complete: on FALSE an existing file keeps every byte
// and no temporary file stays behind. A read-only target, or one held open
// without sharing, is not replaced (FALSE).
BOOL SaveBitmapFile(const char* path, HBITMAP bitmap, HPALETTE palette);

// Writes at the current position S of an open file; every offset in the image
// is relative to S. Leaves the file at S + the image size whenever the pixel
// rows were reached. A position that cannot be read or restored is a failure.
BOOL WriteBitmapFile(HANDLE file, HBITMAP bitmap, HPALETTE palette);
