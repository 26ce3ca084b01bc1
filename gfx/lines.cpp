#include "gfx/lines.h"

#include "gfx/pixel_surfaces.h"

namespace {

const int kOne = 65536;  // one pixel in 16.16
const int kHalf = 32768; // added to the minor start: rounds to nearest, ties up

// The end points left to right.
struct Line {
    int xs, ys, xe, ye;
    int dx, dy; // dx is never negative
    uint32_t cs, ce;
};

bool InRange(int coordinate) {
    return coordinate >= -32768 && coordinate <= 32767;
}

// False when an end point lies outside what 16.16 can hold.
bool SetUp(int x0, int y0, uint32_t c0, int x1, int y1, uint32_t c1, Line& line) {
    if (!InRange(x0) || !InRange(y0) || !InRange(x1) || !InRange(y1))
        return false;
    if (x1 < x0)
        line = {x1, y1, x0, y0, x0 - x1, y0 - y1, c1, c0};
    else
        line = {x0, y0, x1, y1, x1 - x0, y1 - y0, c0, c1};
    return true;
}

int StepCount(const Line& line) {
    return line.dx >= line.dy && line.dx >= -line.dy ? line.dx : line.dy < 0 ? -line.dy : line.dy;
}

// One 8.16 accumulator per channel, stepped once per pixel (or pair).
struct Gradient {
    int red, green, blue;
    int redStep, greenStep, blueStep;

    Gradient(uint32_t cs, uint32_t ce, int n)
        : red(Channel(cs, 16)), green(Channel(cs, 8)), blue(Channel(cs, 0)),
          redStep(Step(cs, ce, 16, n)), greenStep(Step(cs, ce, 8, n)),
          blueStep(Step(cs, ce, 0, n)) {}
    static int Channel(uint32_t c, int shift) { return int((c >> shift) & 0xFF) * kOne; }
    static int Step(uint32_t cs, uint32_t ce, int shift, int n) {
        return n > 0 ? (Channel(ce, shift) - Channel(cs, shift)) / n : 0;
    }
    uint32_t Colour() const {
        return uint32_t((red >> 16) & 0xFF) << 16 | uint32_t((green >> 16) & 0xFF) << 8 |
               uint32_t((blue >> 16) & 0xFF);
    }
    void Advance() {
        red += redStep;
        green += greenStep;
        blue += blueStep;
    }
};

// Equal end colours: no accumulators, the colour exactly as given.
struct Solid {
    uint32_t colour;
    uint32_t Colour() const { return colour; }
    void Advance() {}
};

// The minor coordinate accumulator is added to only between pixels, so it
// never steps past the last end point.
template <class Pen> void Walk(const Line& line, Pen& pen) {
    int dx = line.dx, dy = line.dy;
    if ((dy > 0 && dx > dy) || (dy < 0 && dx > -dy)) { // x-major
        int step = dy * kOne / dx;
        int a = line.ys * kOne + kHalf;
        for (int x = line.xs;; ++x, a += step, pen.Advance()) {
            pen.AcrossY(x, a);
            if (x == line.xe)
                break;
        }
    } else if (dy > 0 && dx < dy) { // y-major, down
        int step = dx * kOne / dy;
        int a = line.xs * kOne + kHalf;
        for (int y = line.ys;; ++y, a += step, pen.Advance()) {
            pen.AcrossX(a, y);
            if (y == line.ye)
                break;
        }
    } else if (dy < 0 && dx < -dy) { // y-major, up
        int step = -(dx * kOne / dy);
        int a = line.xs * kOne + kHalf;
        for (int y = line.ys;; --y, a += step, pen.Advance()) {
            pen.AcrossX(a, y);
            if (y == line.ye)
                break;
        }
    } else if (dx > 0) { // diagonal or horizontal
        int yStep = dy > 0 ? 1 : dy < 0 ? -1 : 0;
        for (int i = 0; i <= dx; ++i, pen.Advance())
            pen.Plot(line.xs + i, line.ys + i * yStep);
    }
    // A single point is the caller's: the two lines give it different colours.
}

template <class Colour> struct PutPen {
    int slot;
    Colour colour;
    void Plot(int x, int y) { thePixelOps[PutPixel][slot].put(x, y, colour.Colour()); }
    void AcrossY(int x, int a) { Plot(x, a >> 16); }
    void AcrossX(int a, int y) { Plot(a >> 16, y); }
    void Advance() { colour.Advance(); }
};

// The pixel at the accumulator's integer part keeps f/256 of itself, the next
// one (255 - f)/256, f being the top eight bits of the fraction.
struct SmoothPen {
    int slot;
    Gradient colour;
    void Plot(int x, int y) { thePixelOps[PutPixel][slot].put(x, y, colour.Colour()); }
    void AcrossY(int x, int a) {
        int i = a >> 16, f = (a >> 8) & 255;
        thePixelOps[BlendPixel][slot].blend(x, i, colour.Colour(), f);
        thePixelOps[BlendPixel][slot].blend(x, i + 1, colour.Colour(), 255 - f);
    }
    void AcrossX(int a, int y) {
        int i = a >> 16, f = (a >> 8) & 255;
        thePixelOps[BlendPixel][slot].blend(i, y, colour.Colour(), f);
        thePixelOps[BlendPixel][slot].blend(i + 1, y, colour.Colour(), 255 - f);
    }
    void Advance() { colour.Advance(); }
};

bool ValidSlot(int slot) {
    return slot >= 0 && slot < kSurfaceSlots;
}

} // namespace

void DrawLine(int slot, int x0, int y0, uint32_t colour0, int x1, int y1, uint32_t colour1) {
    Line line;
    if (!ValidSlot(slot) || !SetUp(x0, y0, colour0, x1, y1, colour1, line))
        return;
    if (line.dx > 2000 || line.dy > 2000 || -line.dy > 2000)
        return;
    if (line.dx == 0 && line.dy == 0) {
        thePixelOps[PutPixel][slot].put(line.xs, line.ys, colour0);
    } else if (line.cs == line.ce) {
        PutPen<Solid> pen = {slot, {line.cs}};
        Walk(line, pen);
    } else {
        PutPen<Gradient> pen = {slot, Gradient(line.cs, line.ce, StepCount(line))};
        Walk(line, pen);
    }
}

void DrawSmoothLine(int slot, int x0, int y0, uint32_t colour0, int x1, int y1, uint32_t colour1) {
    Line line;
    if (!ValidSlot(slot) || !SetUp(x0, y0, colour0, x1, y1, colour1, line))
        return;
    if (line.dx > 32767 || line.dy > 32767 || -line.dy > 32767)
        return;
    if (line.dx == 0 && line.dy == 0) {
        thePixelOps[PutPixel][slot].put(line.xs, line.ys, colour1);
        return;
    }
    SmoothPen pen = {slot, Gradient(line.cs, line.ce, StepCount(line))};
    Walk(line, pen);
}
