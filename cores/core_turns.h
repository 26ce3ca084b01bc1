#pragma once

#include "cores/judge.h"
#include "cores/options.h"
#include "cores/topology.h"

// Cycle mode goes by core: which processors get a tool, the turns in core
// order, the turn under way and the note a stretched turn gets.

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

// A cycle run's turns and the one under way.
struct CoreCycle {
    CoreTurn turns[kMaxProcessors]; // in core order
    int count;
    int turn;          // the turn under way
    uint64_t startMs;  // when its tools came onto its core
    uint64_t dueMs;    // when its time is up
    bool stretched;    // it ran past its time for want of bursts
    bool stretchNoted; // the first stretched turn of the run was noted
    int recheck;       // a turn owed again, before the run ends; -1: none
    bool rechecking;   // the turn under way is one owed again
};

// The turns planned over the judge's watches, none under way.
void PlanCycle(CoreCycle* cycle, const Judge& judge);
// The turn holding the processor's watch; -1 where none does.
int TurnOfProcessor(const CoreCycle& cycle, const Judge& judge, int processor);
// Turn `turn` begins at `now`, its time up `lengthMs` later; where it is the
// turn owed again, it no longer is owed.
void BeginTurn(CoreCycle* cycle, int turn, uint64_t now, uint64_t lengthMs);
// Whether the processor has had its share of the turn: its time is up and
// it finished kProvenBursts counted bursts since its tool came onto it.
bool TurnDoneOn(const CoreCycle& cycle, const ProcessorWatch& watch, uint64_t now);
// A turn past its time without its bursts is stretched; the first stretched
// turn of a run gets one note row, as soon as a burst's length is known or
// the processor's bursts are done.
void NoteStretchedTurn(CoreCycle* cycle, const Judge& judge, const ProcessorWatch& watch,
                       uint64_t now);
// As the run ends: a stretched turn not noted yet, with what it did.
void NoteLastTurn(CoreCycle* cycle, const Judge& judge, uint64_t now);
