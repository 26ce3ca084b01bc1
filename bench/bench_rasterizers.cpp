// Pixels per second of the software lines and the bilinear sampler on 24- and
// 32-bit DIB sections, beside GDI doing the same work on the same bitmaps:
// LineTo with a one-pixel pen, StretchBlt in HALFTONE mode.
#include "gfx/bilinear_sampler.h"
#include "gfx/bitmap_helpers.h"
#include "gfx/lines.h"
#include "gfx/pixel_surfaces.h"

#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <vector>

namespace {

const int kSize = 512;
const int kRuns = 7;
const uint32_t kColour = 0x00C08040;

struct Segment {
    int x0, y0, x1, y1;
};

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return double(count.QuadPart) / double(frequency.QuadPart);
}

// The fastest of several runs: the least disturbed by the rest of the machine.
template <class Work> double BestSeconds(Work work) {
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        double start = Now();
        work();
        double seconds = Now() - start;
        if (seconds < best)
            best = seconds;
    }
    return best;
}

std::vector<Segment> RandomSegments(int count, double& pixels) {
    std::vector<Segment> segments;
    uint32_t state = 2024;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % kSize);
    };
    pixels = 0;
    for (int i = 0; i < count; ++i) {
        Segment s = {next(), next(), next(), next()};
        int dx = s.x1 > s.x0 ? s.x1 - s.x0 : s.x0 - s.x1;
        int dy = s.y1 > s.y0 ? s.y1 - s.y0 : s.y0 - s.y1;
        pixels += (dx > dy ? dx : dy) + 1;
        segments.push_back(s);
    }
    return segments;
}

double GdiLines(HBITMAP bitmap, const std::vector<Segment>& segments) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x40, 0x80, 0xC0));
    HGDIOBJ previousPen = SelectObject(dc, pen);
    double seconds = BestSeconds([&] {
        for (const Segment& s : segments) {
            MoveToEx(dc, s.x0, s.y0, nullptr);
            LineTo(dc, s.x1, s.y1);
        }
        GdiFlush();
    });
    SelectObject(dc, previousPen);
    DeleteObject(pen);
    SelectObject(dc, previousBitmap);
    DeleteDC(dc);
    return seconds;
}

double GdiHalftone(HBITMAP target, HBITMAP source) {
    HDC targetDc = CreateCompatibleDC(nullptr), sourceDc = CreateCompatibleDC(nullptr);
    HGDIOBJ previousTarget = SelectObject(targetDc, target);
    HGDIOBJ previousSource = SelectObject(sourceDc, source);
    SetStretchBltMode(targetDc, HALFTONE);
    SetBrushOrgEx(targetDc, 0, 0, nullptr);
    double seconds = BestSeconds([&] {
        StretchBlt(targetDc, 0, 0, kSize, kSize, sourceDc, 0, 0, kSize / 2, kSize / 2, SRCCOPY);
        GdiFlush();
    });
    SelectObject(sourceDc, previousSource);
    SelectObject(targetDc, previousTarget);
    DeleteDC(sourceDc);
    DeleteDC(targetDc);
    return seconds;
}

void Row(const char* name, double pixels, double ours, double gdi) {
    double oursRate = pixels / ours * 1e-6, gdiRate = pixels / gdi * 1e-6;
    printf("%-44s %10.1f %10.1f %10.2f\n", name, oursRate, gdiRate, oursRate / gdiRate);
}

} // namespace

int main() {
    double linePixels = 0;
    const std::vector<Segment> segments = RandomSegments(20000, linePixels);
    printf("%-44s %10s %10s %10s\n", "512 x 512 DIB sections, Mpixels/s", "ours", "GDI",
           "ours/GDI");
    for (WORD bits : {24, 32}) {
        HBITMAP bitmap = CreateDib(kSize, kSize, bits);
        BindSurface(0, bitmap);
        double line = BestSeconds([&] {
            for (const Segment& s : segments)
                DrawLine(0, s.x0, s.y0, kColour, s.x1, s.y1, kColour);
        });
        double smooth = BestSeconds([&] {
            for (const Segment& s : segments)
                DrawSmoothLine(0, s.x0, s.y0, kColour, s.x1, s.y1, kColour);
        });
        double gdiLine = GdiLines(bitmap, segments);
        char name[64];
        snprintf(name, sizeof name, "  DrawLine, %d-bit (GDI: LineTo)", bits);
        Row(name, linePixels, line, gdiLine);
        snprintf(name, sizeof name, "  DrawSmoothLine, %d-bit (GDI: LineTo)", bits);
        Row(name, linePixels, smooth, gdiLine);

        // A 256 x 256 picture scaled to 512 x 512: one sample per target pixel.
        HBITMAP source = CreateDib(kSize / 2, kSize / 2, bits);
        BindSurface(1, source);
        for (int y = 0; y < kSize / 2; ++y)
            for (int x = 0; x < kSize / 2; ++x)
                thePixelOps[PutPixel][1].put(x, y, uint32_t(x * 0x010203 + y * 0x030201));
        double scale = BestSeconds([] {
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x)
                    thePixelOps[PutPixelUnchecked][0].put(x, y, theSamplers[1](x << 15, y << 15));
        });
        double gdiScale = GdiHalftone(bitmap, source);
        snprintf(name, sizeof name, "  SampleBilinear x2, %d-bit (GDI: HALFTONE)", bits);
        Row(name, double(kSize) * kSize, scale, gdiScale);

        BindSurface(1, nullptr);
        BindSurface(0, nullptr);
        DeleteObject(source);
        DeleteObject(bitmap);
    }
    return 0;
}
