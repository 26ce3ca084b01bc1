#include "app/format_scratch.h"

#include <stdarg.h>
#include <stdio.h>

char theScratchRing[kScratchBuffers * kScratchBufferSize];
uint32_t theScratchCount = 0;

const char* FormatScratch(const char* format, ...) {
    char* buffer = theScratchRing + (theScratchCount & 7) * kScratchBufferSize;
    va_list args;
    va_start(args, format);
    // The C runtime's own formatter keeps the product small.
    _vsnprintf(buffer, kScratchBufferSize, format, args);
    va_end(args);
    // _vsnprintf leaves a cut text unterminated.
    buffer[kScratchBufferSize - 1] = '\0';
    ++theScratchCount;
    return buffer;
}
