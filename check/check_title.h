#pragma once

#include "check/known_answers.h"

#include <stdint.h>

// The check workload's title: vesko-check writes it after every burst and
// Vesko Cores reads it back, both by these formats alone.
//   "Vesko check 0:12:34, 1,234 bursts, 0 errors, AVX2"
//   "Vesko check 0:12:40, 1,240 bursts, 1 error (burst 1,237), AVX2"

// The title before the first burst has ended.
extern const char kCheckBareTitle[];

struct CheckTitle {
    uint64_t seconds;    // run time
    uint64_t bursts;     // finished
    uint64_t errors;     // bursts with a wrong result
    uint64_t errorBurst; // the latest wrong one; read only where there are errors
    CheckPath path;
};

// The title as text; false when it does not fit in `size` bytes.
bool FormatCheckTitle(const CheckTitle& title, char* text, int size);

// Reads a title written by FormatCheckTitle; false for any other text.
bool ParseCheckTitle(const char* text, CheckTitle* title);

// "1,234,567": thousands set apart, as a reader of the title expects them; cut to fit `size`.
void FormatGrouped(uint64_t value, char* text, int size);

// "SSE2" or "AVX2".
const char* PathName(CheckPath path);
