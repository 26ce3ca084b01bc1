#pragma once

#include "cores/options.h"

#include <windows.h>

#include <stdint.h>

// Each processor's cumulative busy and total time since the system started,
// in 100 ns units, as the system counts them for every program together.
struct ProcessorTimes {
    int count; // processors answered for, numbered from 0
    uint64_t busy[64];
    uint64_t total[64]; // 0 where the system's figures make no sense
};

// Asks NtQuerySystemInformation (found at run time). FALSE, with count 0,
// when the system does not tell.
BOOL ReadProcessorTimes(ProcessorTimes* times);
