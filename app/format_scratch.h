#pragma once

#include <stdint.h>

const int kScratchBuffers = 8;
const int kScratchBufferSize = 512;

// Eight 512-byte buffers used in turn; the call count picks the next one.
extern char theScratchRing[kScratchBuffers * kScratchBufferSize];
extern uint32_t theScratchCount;

// printf-style formatting into the next scratch buffer. The text stays valid
// until the eighth following call; longer texts are cut at 511 characters.
// Not for concurrent callers.
const char* FormatScratch(const char* format, ...) __attribute__((format(ms_printf, 1, 2)));
