#pragma once

#include "math/matrix44.h"

// One burst: FINIT, eight seed elements onto the x87 stack, 10,000,000 passes
// of the 23-instruction loop, eight pops. Leaves the x87 unit in its initial
// state (control word 0x037F, stack empty); has no output but its run time.
extern "C" void RunBurnKernel(const Matrix44* seed);

const int kBurnIterations = 10000000;
