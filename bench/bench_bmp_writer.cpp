// Throughput of SaveBitmapFile for a large 24-bit bitmap, against a plain
// writer that hands an already prepared image to one WriteFile.
#include "gfx/bitmap_helpers.h"
#include "gfx/bmp_writer.h"

#include <windows.h>

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string TempPath(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// The reference: create, one WriteFile of the whole image, close.
bool WritePrepared(const std::string& path, const std::string& image) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    BOOL written = WriteFile(file, image.data(), DWORD(image.size()), &done, nullptr);
    CloseHandle(file);
    return written && done == image.size();
}

} // namespace

int main() {
    const LONG side = 2048;
    const int runs = 15;
    HBITMAP bitmap = CreateDib(side, side, 24);
    BITMAP info = GetBitmapInfo(bitmap);
    for (LONG y = 0; y < side; ++y)
        for (LONG k = 0; k < info.bmWidthBytes; ++k)
            ((BYTE*)info.bmBits)[y * info.bmWidthBytes + k] = BYTE(k * 7 + y * 13);

    std::string saved = TempPath("vesko_bench_save.bmp");
    std::string plain = TempPath("vesko_bench_plain.bmp");
    DWORD imageSize = 0;
    BmpImageSize(side, side, 24, &imageSize);
    std::string image(54 + imageSize, 'x'); // as many bytes as the BMP file
    double megabytes = double(image.size()) / (1024.0 * 1024.0);

    std::vector<double> saveSeconds, plainSeconds;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        BOOL ok = SaveBitmapFile(saved.c_str(), bitmap, nullptr);
        double middle = Now();
        bool plainOk = WritePrepared(plain, image);
        double end = Now();
        if (!ok || !plainOk) {
            printf("a write failed\n");
            return 1;
        }
        saveSeconds.push_back(middle - start);
        plainSeconds.push_back(end - middle);
    }
    DeleteFileA(saved.c_str());
    DeleteFileA(plain.c_str());
    DeleteObject(bitmap);

    double save = megabytes / Median(saveSeconds);
    double reference = megabytes / Median(plainSeconds);
    char title[64];
    snprintf(title, sizeof title, "BMP save, %ld x %ld x 24 (%.1f MB, %d runs)", long(side),
             long(side), megabytes, runs);
    printf("%-44s %10s %10s %10s\n", title, "MB/s", "reference", "ratio");
    printf("%-44s %10.0f %10.0f %10.2f\n", "  SaveBitmapFile vs one WriteFile", save, reference,
           save / reference);
    return 0;
}
