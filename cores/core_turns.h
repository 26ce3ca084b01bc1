#pragma once

#include "cores/judge.h"
#include "cores/options.h"
#include "cores/topology.h"

// Cycle mode goes by core: which processors get a tool, and the turns in core order.

// For each core with a processor in `listed`, its first `threads` listed processors.
// Where the topology is unknown (null) or leaves a processor out, that processor is
// a core of its own.
uint64_t CycledProcessors(const Topology* topology, uint64_t listed, int threads);

// One core's turn: the judge's watches of its processors that get a tool, ascending.
struct CoreTurn {
    int watches[kMaxThreads];
    int count;
};

// The watches grouped by core into `turns`, in core order; a watch whose core is
// unknown is a turn of its own, after the cores. The number of turns.
int PlanTurns(const Judge& judge, CoreTurn* turns);
