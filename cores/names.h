#pragma once

#include "cores/judge.h"

// The words the rows and the verdict name things with.

// "processor 13 (core 6)", or "processor 13" where the core is unknown.
void NameProcessor(const ProcessorWatch& watch, char* text, int size);
// "access violation" for 0xC0000005 and the like; empty when unknown.
const char* ExitCodeName(uint32_t code);
const char* WatchStateName(WatchState state);
