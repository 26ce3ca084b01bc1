#pragma once

#include <stdint.h>

// Folds values, in order, into one word (rotate, then xor): any one value changed, by
// any bits, changes the fold, so one wrong lane or table word is never lost.
uint64_t FoldWords(uint64_t fold, const uint64_t* words, int count);
uint64_t FoldWords32(uint64_t fold, const uint32_t* words, int count);
// Doubles by their bit patterns.
uint64_t FoldDoubles(const double* values, int count);
