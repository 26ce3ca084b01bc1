#pragma once

#include "math/matrix44.h"

// Calls RunBurnKernel with sentinels in every callee-saved register; returns
// a bit per register found changed afterwards (0: all preserved).
extern "C" int CallKernelCheckingRegisters(const Matrix44* seed);
