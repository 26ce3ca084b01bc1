#include "gfx/pixel_surfaces.h"

#include "gfx/bitmap_helpers.h"
#include "gfx/colour_arithmetic.h"

#include <stddef.h>

Surface theSurfaces[kSurfaceSlots];

namespace {

void DefaultPut(int, int, uint32_t) {}
uint32_t DefaultRead(int, int) {
    return 0;
}
void DefaultBlend(int, int, uint32_t, int) {}

bool Outside(const BITMAP& info, int x, int y) {
    return (x | y) < 0 || x >= info.bmWidth || y >= info.bmHeight;
}

// Row y starts at base + y * stride; the stride counts bytes only at 24 bits.
template <int bytes> BYTE* Address(const BITMAP& info, int x, int y) {
    ptrdiff_t row = ptrdiff_t(y) * info.bmWidthBytes * (bytes == 3 ? 1 : bytes);
    return (BYTE*)info.bmBits + row + ptrdiff_t(x) * bytes;
}

template <int bytes> void Store(BYTE* pixel, uint32_t colour) {
    if constexpr (bytes == 2) {
        // 5-5-5: the top five bits of each channel.
        *(uint16_t*)pixel = uint16_t(((colour >> 9) & 0x7C00) | ((colour >> 6) & 0x03E0) |
                                     ((colour >> 3) & 0x001F));
    } else if constexpr (bytes == 3) {
        pixel[0] = BYTE(colour);
        pixel[1] = BYTE(colour >> 8);
        pixel[2] = BYTE(colour >> 16);
    } else {
        *(uint32_t*)pixel = colour; // top byte kept as given
    }
}

template <int bytes> uint32_t Load(const BYTE* pixel) {
    if constexpr (bytes == 2) {
        uint32_t p = *(const uint16_t*)pixel;
        return ((p & 0x7C00) << 9) | ((p & 0x03E0) << 6) | ((p & 0x001F) << 3);
    } else if constexpr (bytes == 3) {
        return pixel[0] | pixel[1] << 8 | pixel[2] << 16;
    } else {
        return *(const uint32_t*)pixel & 0x00FFFFFF;
    }
}

template <int slot, int bytes> void Put(int x, int y, uint32_t colour) {
    const BITMAP& info = theSurfaces[slot].info;
    if (!Outside(info, x, y))
        Store<bytes>(Address<bytes>(info, x, y), colour);
}

template <int slot, int bytes> uint32_t Read(int x, int y) {
    const BITMAP& info = theSurfaces[slot].info;
    return Outside(info, x, y) ? 0 : Load<bytes>(Address<bytes>(info, x, y));
}

template <int slot, int bytes> void PutUnchecked(int x, int y, uint32_t colour) {
    Store<bytes>(Address<bytes>(theSurfaces[slot].info, x, y), colour);
}

template <int slot, int bytes> uint32_t ReadUnchecked(int x, int y) {
    return Load<bytes>(Address<bytes>(theSurfaces[slot].info, x, y));
}

template <int slot, int bytes> void Blend(int x, int y, uint32_t colour, int weight) {
    const BITMAP& info = theSurfaces[slot].info;
    if (Outside(info, x, y))
        return;
    BYTE* pixel = Address<bytes>(info, x, y);
    Store<bytes>(pixel, BlendColour(Load<bytes>(pixel), colour, weight));
}

} // namespace

#define VESKO_DEFAULTS(op) op, op, op, op, op, op, op, op
#define VESKO_FORMAT(op, bytes) op<0, bytes>, op<1, bytes>, op<2, bytes>, op<3, bytes>
#define VESKO_FAMILIES(op, fallback)                                                               \
    { VESKO_DEFAULTS(fallback), VESKO_FORMAT(op, 2), VESKO_FORMAT(op, 3), VESKO_FORMAT(op, 4) }

const PixelOp theFormatOps[kPixelOpKinds][kFormatOpEntries] = {
    VESKO_FAMILIES(Put, DefaultPut),          VESKO_FAMILIES(Read, DefaultRead),
    VESKO_FAMILIES(PutUnchecked, DefaultPut), VESKO_FAMILIES(ReadUnchecked, DefaultRead),
    VESKO_FAMILIES(Blend, DefaultBlend),
};

PixelOp thePixelOps[kPixelOpKinds][kSurfaceSlots] = {
    {DefaultPut, DefaultPut, DefaultPut, DefaultPut},
    {DefaultRead, DefaultRead, DefaultRead, DefaultRead},
    {DefaultPut, DefaultPut, DefaultPut, DefaultPut},
    {DefaultRead, DefaultRead, DefaultRead, DefaultRead},
    {DefaultBlend, DefaultBlend, DefaultBlend, DefaultBlend},
};

#undef VESKO_FAMILIES
#undef VESKO_FORMAT
#undef VESKO_DEFAULTS

HBITMAP BindSurface(int slot, HBITMAP bitmap) {
    if (slot < 0 || slot >= kSurfaceSlots)
        return nullptr;
    Surface& surface = theSurfaces[slot];
    HBITMAP previous = surface.bitmap;
    surface.bitmap = bitmap;
    surface.info = GetBitmapInfo(bitmap);
    int bits = surface.info.bmBitsPixel;
    if (bits != 24 && bits != 0)
        surface.info.bmWidthBytes = surface.info.bmWidthBytes * 8 / bits;
    // Nothing to address without pixel memory, nor beyond 32 bits: defaults.
    int bytes = bits / 8;
    if (!surface.info.bmBits || bytes > 4)
        bytes = 0;
    for (int kind = 0; kind < kPixelOpKinds; ++kind)
        thePixelOps[kind][slot] = theFormatOps[kind][bytes * 4 + slot];
    return previous;
}
