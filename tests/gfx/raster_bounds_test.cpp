// Random lines, smooth lines, samples and pixel operations with coordinates
// far outside the surface must write nothing outside its pixels: no byte
// around the pixel memory and no row padding.
#include "gfx/bilinear_sampler.h"
#include "gfx/lines.h"
#include "gfx/pixel_surfaces.h"

#include <gtest/gtest.h>

#include <string.h>

static const BYTE kCanary = 0xA5;
static const DWORD kOffset = 4096 + 4 * 7; // the DIB starts inside the section, on a DWORD

static uint32_t state = 12345;
static uint32_t Random() {
    state = state * 1664525u + 1013904223u;
    return state ^ (state >> 15);
}

// Around the surface, about the 2000-pixel span limit, about the 16.16 range,
// anywhere.
static int Coordinate() {
    const int spreads[] = {120, 6000, 70000};
    uint32_t kind = Random() % 4;
    return kind == 3 ? int(Random()) : int(Random() % spreads[kind]) - spreads[kind] / 2;
}

TEST(RasterBounds, NothingOutsideThePixelsIsWritten) {
    const int width = 37, height = 23;
    for (WORD bits : {16, 24, 32})
        for (int slot = 0; slot < kSurfaceSlots; ++slot) {
            SCOPED_TRACE(testing::Message() << bits << " bits, slot " << slot);
            const DWORD stride = (width * bits + 31) / 32 * 4, used = width * bits / 8;
            const DWORD size = kOffset + stride * height + 4096;
            HANDLE section =
                CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, nullptr);
            BYTE* view = (BYTE*)MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, size);
            ASSERT_TRUE(view);
            memset(view, kCanary, size);
            // Bottom-up on odd slots.
            BITMAPINFO info = {{sizeof info.bmiHeader, width, slot % 2 ? height : -height, 1, bits,
                                BI_RGB, 0, 0, 0, 0, 0},
                               {}};
            void* pixels = nullptr;
            HBITMAP dib =
                CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, section, kOffset);
            ASSERT_TRUE(dib);
            BindSurface(slot, dib);
            for (int i = 0; i < 3000; ++i) {
                int x0 = Coordinate(), y0 = Coordinate(), x1 = Coordinate(), y1 = Coordinate();
                uint32_t c0 = Random(), c1 = Random();
                DrawLine(slot, x0, y0, c0, x1, y1, c1);
                DrawSmoothLine(slot, x0, y0, c0, x1, y1, c1);
                DrawSmoothLine(slot, x0 % 64, y0 % 64, c0, x1, y1, c1);
                theSamplers[slot](int(Random()), int(Random()) % (64 << 16));
                thePixelOps[BlendPixel][slot].blend(x1, y0, c1, int(Random() % 257));
            }
            int drawn = 0;
            for (DWORD at = 0; at < size; ++at) {
                DWORD in = at - kOffset;
                if (at >= kOffset && in < stride * height && in % stride < used)
                    drawn += view[at] != kCanary;
                else
                    ASSERT_EQ(kCanary, view[at]) << "at byte " << int(in) << " of the image";
            }
            EXPECT_GT(drawn, int(used * height / 2)) << "the lines reach the surface";
            BindSurface(slot, nullptr);
            DeleteObject(dib);
            UnmapViewOfFile(view);
            CloseHandle(section);
        }
}
