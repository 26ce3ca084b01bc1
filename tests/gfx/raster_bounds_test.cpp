// Random lines, smooth lines, samples and pixel operations with coordinates
// far outside the surface must write nothing outside its pixels: no byte
// around the pixel memory and no row padding.
#include "gfx/bilinear_sampler.h"
#include "gfx/lines.h"
#include "gfx/pixel_surfaces.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

namespace {

const BYTE kCanary = 0xA5;
const DWORD kOffset = 4096 + 4 * 7; // the DIB starts inside the section, on a DWORD

struct Random {
    uint32_t state;
    uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state ^ (state >> 15);
    }
    int Coordinate() {
        switch (Next() % 5) {
        case 0:
            return int(Next() % 120) - 40; // around the surface
        case 1:
            return int(Next() % 6000) - 3000; // about the line span limit
        case 2:
            return int(Next() % 140000) - 70000; // about the 16.16 range
        case 3:
            return int(32765 + Next() % 6) * (Next() % 2 ? 1 : -1); // at the range ends
        default:
            return int(Next());
        }
    }
};

TEST(RasterBounds, NothingOutsideThePixelsIsWritten) {
    const int width = 37, height = 23;
    Random random = {12345};
    for (WORD bits : {16, 24, 32})
        for (int slot = 0; slot < kSurfaceSlots; ++slot) {
            SCOPED_TRACE(testing::Message() << bits << " bits, slot " << slot);
            const int stride = (width * bits + 31) / 32 * 4, used = width * bits / 8;
            const DWORD size = kOffset + stride * height + 4096;
            HANDLE section =
                CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, nullptr);
            BYTE* view = (BYTE*)MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, size);
            ASSERT_TRUE(view);
            memset(view, kCanary, size);
            BITMAPINFO info = {};
            // Top-down on even slots, bottom-up on odd ones.
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = slot % 2 ? height : -height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = bits;
            void* pixels = nullptr;
            HBITMAP dib =
                CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, section, kOffset);
            ASSERT_TRUE(dib);
            BindSurface(slot, dib);

            for (int i = 0; i < 3000; ++i) {
                int x0 = random.Coordinate(), y0 = random.Coordinate();
                int x1 = random.Coordinate(), y1 = random.Coordinate();
                uint32_t c0 = random.Next(), c1 = random.Next();
                DrawLine(slot, x0, y0, c0, x1, y1, c1);
                DrawSmoothLine(slot, x0, y0, c0, x1, y1, c1);
                DrawSmoothLine(slot, x0 % 64, y0 % 64, c0, x1, y1, c1); // one end near
                theSamplers[slot](int(random.Next()), int(random.Next()));
                theSamplers[slot](x0 * 4096, y0 * 4096);
                thePixelOps[PutPixel][slot].put(x0, y1, c0);
                thePixelOps[BlendPixel][slot].blend(x1, y0, c1, int(random.Next() % 257));
                thePixelOps[ReadPixel][slot].read(x0, y0);
            }

            int drawn = 0;
            for (DWORD at = 0; at < size; ++at) {
                bool inside = at >= kOffset && at < kOffset + stride * height &&
                              (at - kOffset) % stride < DWORD(used);
                if (inside)
                    drawn += view[at] != kCanary;
                else
                    ASSERT_EQ(kCanary, view[at])
                        << "written at byte " << int(at - kOffset) << " of the image";
            }
            EXPECT_GT(drawn, used * height / 2) << "the lines reach the surface";
            BindSurface(slot, nullptr);
            DeleteObject(dib);
            UnmapViewOfFile(view);
            CloseHandle(section);
        }
}

} // namespace
