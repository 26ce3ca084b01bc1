#pragma once

#include <windows.h>

#include <stdint.h>

// Four process-wide surface slots, each drawing straight into the memory of
// one bound DIB section. Colours are 0x00RRGGBB, the byte order of a DIB
// pixel in memory. For one drawing thread: nothing here is locked.

const int kSurfaceSlots = 4;

struct Surface {
    HBITMAP bitmap; // not owned
    // As GetBitmapInfo gave it, except bmWidthBytes: the row stride used for
    // addressing, in pixels at 16 and 32 bits, in bytes at 24 bits.
    BITMAP info;
};

extern Surface theSurfaces[kSurfaceSlots];

// The kinds of pixel operation, the first index of both tables.
enum PixelOpKind {
    PutPixel,           // x, y, colour; nothing outside the surface
    ReadPixel,          // x, y -> colour; 0 outside the surface
    PutPixelUnchecked,  // for callers that have clipped already
    ReadPixelUnchecked, //
    BlendPixel,         // x, y, colour, weight: keeps weight/256 of the old pixel
    kPixelOpKinds
};

typedef void (*PutPixelOp)(int x, int y, uint32_t colour);
typedef uint32_t (*ReadPixelOp)(int x, int y);
typedef void (*BlendPixelOp)(int x, int y, uint32_t colour, int weight);

// One operation; the member in use is the one its kind calls for.
union PixelOp {
    PutPixelOp put;
    ReadPixelOp read;
    BlendPixelOp blend;
    constexpr PixelOp(PutPixelOp op) : put(op) {}
    constexpr PixelOp(ReadPixelOp op) : read(op) {}
    constexpr PixelOp(BlendPixelOp op) : blend(op) {}
};

// The current operations of every slot: thePixelOps[kind][slot]. Each is made
// for one slot and one format and reads its slot's record on every call.
extern PixelOp thePixelOps[kPixelOpKinds][kSurfaceSlots];

// Per kind, indexed by bytes per pixel * 4 + slot: the defaults (puts and
// blends do nothing, reads give 0) for 0 and 1 byte, then the 16-, 24- and
// 32-bit operations of slots 0 to 3.
const int kFormatOpEntries = 5 * kSurfaceSlots;
extern const PixelOp theFormatOps[kPixelOpKinds][kFormatOpEntries];

// Binds a bitmap to a slot and installs the operations of its format; the
// handle bound before. Null, a non-bitmap, 1 to 8 bits per pixel and bitmaps
// without pixel memory (device-dependent ones) get the defaults. A slot
// outside 0 to 3 binds nothing and gives null. The slot keeps using the
// bitmap's memory until it is bound again.
HBITMAP BindSurface(int slot, HBITMAP bitmap);
