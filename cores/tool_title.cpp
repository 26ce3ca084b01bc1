#include "cores/tool_title.h"

#include "app/status_lines.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Skips a conversion's flags, width and precision; the conversion letter.
char ConversionLetter(const char** format) {
    const char* f = *format;
    while (strchr("-+ #0", *f) && *f)
        ++f;
    while ((*f >= '0' && *f <= '9') || *f == '.')
        ++f;
    *format = f + (*f ? 1 : 0);
    return *f;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as printf writes it for %d or %f: padding spaces, a sign, digits
// and, for %f, a fraction. Null when there is none.
const char* ReadNumber(const char* text, char letter, double* value) {
    while (*text == ' ')
        ++text;
    const char* p = text + (*text == '-' || *text == '+');
    if (!IsDigit(*p))
        return nullptr;
    while (IsDigit(*p))
        ++p;
    if (letter == 'f' && *p == '.')
        for (++p; IsDigit(*p);)
            ++p;
    *value = strtod(text, nullptr);
    return p;
}

int32_t Scaled(double value, double scale) {
    return int32_t(llround(value * scale));
}

// Figures a title may carry without overflowing what keeps them.
bool InRange(const double* values, int count) {
    for (int i = 0; i < count; ++i)
        if (!(values[i] >= 0 && values[i] < 1e7))
            return false;
    return true;
}

} // namespace

int MatchFormat(const char* format, const char* text, double* values, int maxValues) {
    int count = 0;
    while (*format) {
        if (format[0] == '%' && format[1] != '%') {
            ++format;
            char letter = ConversionLetter(&format);
            double value = 0;
            if ((letter != 'd' && letter != 'f') || !(text = ReadNumber(text, letter, &value)))
                return -1;
            if (count < maxValues)
                values[count] = value;
            ++count;
            continue;
        }
        format += format[0] == '%'; // "%%" stands for one '%'
        if (*format++ != *text++)
            return -1;
    }
    return *text ? -1 : count;
}

ToolTitle ParseToolTitle(const char* title) {
    ToolTitle parsed = {unknownTitle, 0, 0, 0, 0};
    double v[4];
    if (!title)
        return parsed;
    if (strcmp(title, kToolTitle) == 0) {
        parsed.kind = bareTitle;
    } else if (MatchFormat(kCyclesLineFormat, title, v, 4) == 1 && InRange(v, 1)) {
        parsed.kind = cyclesTitle;
        parsed.ticksHundredths = Scaled(v[0], 100);
    } else if (MatchFormat(kClockRateLineFormat, title, v, 4) == 4 && InRange(v, 4) &&
               v[0] * 3600 + v[1] * 60 + v[2] <= INT32_MAX) { // more hours than int32 holds
        parsed.kind = clockRateTitle;
        parsed.runSeconds = int32_t(v[0] * 3600 + v[1] * 60 + v[2]);
        parsed.mhzTenths = Scaled(v[3], 10);
    } else if (MatchFormat(kDaysLineFormat, title, v, 4) == 1 && InRange(v, 1)) {
        parsed.kind = daysTitle;
        parsed.days = int32_t(v[0]);
    }
    return parsed;
}
