#include "chart/axes.h"

#include <math.h>

namespace {

const double kMargin = 0.05;  // of the data's span, each side
const double kMinimum = 0.10; // the least span, of the values' size
const double kSlack = 1e-9;   // a quotient this close to whole counts as whole

// Tick numbers of the first and last multiples of step around lo and hi.
double FirstTick(double lo, double step) {
    return floor(lo / step + kSlack);
}
double LastTick(double hi, double step) {
    return ceil(hi / step - kSlack);
}

// Writes the decimal digits of n, most significant first; the end of text.
char* WriteDigits(char* text, unsigned long long n, int minimumDigits) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + n % 10);
        n /= 10;
    } while (n > 0 || count < minimumDigits);
    while (count > 0)
        *text++ = digits[--count];
    return text;
}

// The range the ticks must cover: the data with its margins, at least the
// least span, not below zero for data that is not; 0 to 1 without data.
void ValueRange(double smallest, double largest, double* low, double* high) {
    double lo = 0, hi = 1; // no data
    if (smallest <= largest) {
        double margin = (largest - smallest) * kMargin;
        lo = smallest - margin, hi = largest + margin;
        double size = fmax(fabs(smallest), fabs(largest));
        double least = size > 0 ? size * kMinimum : 1;
        if (hi - lo < least) {
            double middle = (smallest + largest) / 2;
            lo = middle - least / 2, hi = middle + least / 2;
            if (smallest >= 0 && lo < 0)
                hi -= lo, lo = 0;
        } else if (smallest >= 0 && lo < 0) {
            lo = 0;
        }
    }
    if (!isfinite(lo) || !isfinite(hi))
        lo = 0, hi = 1;
    *low = lo, *high = hi;
}

} // namespace

ValueAxis ChooseValueAxis(double smallest, double largest, int maxIntervals) {
    if (maxIntervals < 1)
        maxIntervals = 1;
    double lo, hi;
    ValueRange(smallest, largest, &lo, &hi);
    static const double mantissas[] = {1, 2, 5};
    double power = pow(10, floor(log10((hi - lo) / maxIntervals)));
    for (int i = 0;; ++i) {
        double step = mantissas[i % 3] * power * pow(10, i / 3);
        double first = FirstTick(lo, step), last = LastTick(hi, step);
        if (last - first <= maxIntervals) {
            int decimals = int(-floor(log10(step) + kSlack));
            return {first * step, last * step, step, int(last - first),
                    decimals > 0 ? decimals : 0};
        }
    }
}

TimeAxis ChooseTimeAxis(uint32_t runSeconds, int maxIntervals) {
    static const uint32_t steps[] = {60,   120,  300,   600,   900,   1800,
                                     3600, 7200, 10800, 21600, 43200, 86400};
    const int count = sizeof steps / sizeof steps[0];
    if (maxIntervals < 1)
        maxIntervals = 1;
    uint32_t span = runSeconds < 60 ? 60 : runSeconds;
    uint32_t step = 0;
    for (int i = 0; i < count && !step; ++i)
        if (span / steps[i] <= uint32_t(maxIntervals))
            step = steps[i];
    if (!step) { // whole days, as few as keep within maxIntervals
        uint64_t most = uint64_t(maxIntervals) * 86400;
        step = uint32_t((span + most - 1) / most * 86400);
    }
    return {span, step};
}

void FormatAxisValue(double value, int decimals, char* text) {
    if (decimals < 0)
        decimals = 0;
    if (decimals > 6)
        decimals = 6;
    double scale = pow(10, decimals);
    long long scaled = llround(value * scale);
    if (scaled < 0)
        *text++ = '-';
    unsigned long long n = scaled < 0 ? 0ull - (unsigned long long)scaled : scaled;
    unsigned long long unit = (unsigned long long)scale;
    text = WriteDigits(text, n / unit, 1);
    if (decimals > 0) {
        *text++ = '.';
        text = WriteDigits(text, n % unit, decimals);
    }
    *text = 0;
}

void FormatAxisTime(uint32_t seconds, char* text) {
    text = WriteDigits(text, seconds / 3600, 1);
    *text++ = ':';
    text = WriteDigits(text, seconds / 60 % 60, 2);
    *text = 0;
}
