#include "chart/processor_colour.h"

#include <math.h>

namespace {

// Hues in degrees: the first few as far apart as red, blue, green, orange
// and purple, yellows late as they read worst on white.
const double kHues[16] = {0, 225, 120, 30, 280, 185, 325, 60, 150, 255, 15, 200, 345, 90, 300, 45};

// Brightness (luma, 0 to 1) per group of 16 processors, each group's hues
// turned a little further, so equal hues in different groups still differ.
const double kLuma[4] = {0.42, 0.26, 0.48, 0.34};
const double kTurn[4] = {0, 8, -8, 16};

struct Rgb {
    double r, g, b;
};

BYTE Channel(double value) {
    return BYTE(value * 255 + 0.5);
}

// The fully saturated colour of a hue in sixths of the circle (0 to 6).
Rgb FromHue(double hue) {
    double x = 1 - fabs(fmod(hue, 2) - 1);
    switch (int(hue)) {
    case 0:
        return {1, x, 0};
    case 1:
        return {x, 1, 0};
    case 2:
        return {0, 1, x};
    case 3:
        return {0, x, 1};
    case 4:
        return {x, 0, 1};
    default:
        return {1, 0, x};
    }
}

// Toward the luma: lighter by mixing in white, darker by scaling.
Rgb TowardLuma(Rgb c, double target) {
    double luma = 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
    if (luma < target) {
        double t = (target - luma) / (1 - luma);
        return {c.r + t * (1 - c.r), c.g + t * (1 - c.g), c.b + t * (1 - c.b)};
    }
    double k = target / luma;
    return {c.r * k, c.g * k, c.b * k};
}

} // namespace

COLORREF ProcessorColour(int processor) {
    int p = processor & 63;
    double hue = fmod(kHues[p % 16] + kTurn[p / 16] + 360, 360) / 60;
    Rgb c = TowardLuma(FromHue(hue), kLuma[p / 16]);
    return RGB(Channel(c.r), Channel(c.g), Channel(c.b));
}
