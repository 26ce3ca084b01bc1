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

BYTE Channel(double value) {
    return BYTE(value * 255 + 0.5);
}

} // namespace

COLORREF ProcessorColour(int processor) {
    int p = processor & 63;
    double hue = fmod(kHues[p % 16] + kTurn[p / 16] + 360, 360) / 60;
    double x = 1 - fabs(fmod(hue, 2) - 1);
    double r = 0, g = 0, b = 0;
    switch (int(hue)) {
    case 0:
        r = 1, g = x;
        break;
    case 1:
        r = x, g = 1;
        break;
    case 2:
        g = 1, b = x;
        break;
    case 3:
        g = x, b = 1;
        break;
    case 4:
        r = x, b = 1;
        break;
    default:
        r = 1, b = x;
        break;
    }
    // Toward the tier's luma: lighter by mixing in white, darker by scaling.
    double target = kLuma[p / 16];
    double luma = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    if (luma < target) {
        double t = (target - luma) / (1 - luma);
        r += t * (1 - r), g += t * (1 - g), b += t * (1 - b);
    } else {
        double k = target / luma;
        r *= k, g *= k, b *= k;
    }
    return RGB(Channel(r), Channel(g), Channel(b));
}
