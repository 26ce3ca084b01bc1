#pragma once

#include "cores/processor_limit.h"

#include <windows.h>

// Where each logical processor sits: its core, package and level-3 cache, as
// the system reports them for processor group 0.

struct ProcessorPlace {
    bool present;
    int core;            // in the order the system lists cores, from 0
    int thread;          // within the core, from 1, by ascending processor number
    int threads;         // the core's thread count
    int package;         // in the order the system lists packages; -1: none reported
    int l3Group;         // in the order the system lists level-3 caches; -1: none reported
    int efficiencyClass; // the core's; higher: faster cores
};

struct Topology {
    ProcessorPlace processors[kMaxProcessors];
    int cores, packages, l3Groups; // those holding a processor within the limit
    int lowestClass, highestClass; // the cores differ in class where these do
};

// From the buffer GetLogicalProcessorInformationEx(RelationAll) fills, `size`
// bytes. Processors at or beyond `limit` are left out, and records holding
// only those are not numbered. False, and nothing read past the buffer, where
// a record does not fit in it or no core is listed.
bool ParseTopologyEx(const void* buffer, DWORD size, Topology* topology,
                     int limit = kMaxProcessors);

// From the SYSTEM_LOGICAL_PROCESSOR_INFORMATION array GetLogicalProcessorInformation
// fills, `size` bytes: all cores of one class.
bool ParseTopology(const void* buffer, DWORD size, Topology* topology, int limit = kMaxProcessors);

// "core 6, thread 2 of 2, package 0, L3 group 1, performance core": the class
// only where the cores differ, the package and L3 group only where reported;
// empty for a processor not present.
void FormatPlace(const Topology& topology, int processor, char* text, int size);
