#pragma once

#include "check/burst_shape.h"

#include <stdint.h>

// The paths a burst can take, and its phases.
enum CheckPath { sse2Path, avx2Path };
const int kPathCount = 2;
enum CheckPhase { floatPhase, integerPhase, memoryPhase };
const int kPhaseCount = 3;

// Each phase's right result for each path and burst (modulo kAnswerCount). Computed when
// the project is built, by the reference code built for and run on the build machine (not
// the processor under test), and compiled in from the generated known_answers.cpp.
extern const uint64_t kKnownAnswers[kPathCount][kAnswerCount][kPhaseCount];
