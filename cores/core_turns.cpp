#include "cores/core_turns.h"

#include <stdio.h>

namespace {

// Where the watch's turn comes: by core; a processor of unknown core after all cores.
int TurnOrder(const ProcessorWatch& watch) {
    return watch.core >= 0 ? watch.core : kMaxProcessors + watch.processor;
}

// Once a run: with the burst length where one is known, else with what the
// turn has done.
void WriteStretchNote(CoreCycle* cycle, const Judge& judge, const ProcessorWatch& watch,
                      uint64_t now) {
    if (!cycle->stretched || cycle->stretchNoted)
        return;
    cycle->stretchNoted = true;
    char done[80], ran[24];
    FormatRunTime(now - cycle->startMs, ran, sizeof ran);
    if (uint64_t burst = KnownBurstMs(judge, watch))
        snprintf(done, sizeof done, "a burst takes %.1f s here", burst / 1000.0);
    else
        snprintf(done, sizeof done, "%d in %s, no burst length known", watch.turnBursts, ran);
    EmitRow(judge, MakeLogRow(now, watch.processor, noteEvent,
                              "turns last past their %llu s until %d bursts are counted: %s",
                              (unsigned long long)((cycle->dueMs - cycle->startMs) / 1000),
                              kProvenBursts, done));
}

} // namespace

uint64_t CycledProcessors(const Topology* topology, uint64_t listed, int threads) {
    uint64_t chosen = 0;
    int taken[kMaxProcessors] = {}; // listed processors met so far, by core
    for (int p = 0; p < kMaxProcessors; ++p) {
        if (!(listed >> p & 1))
            continue;
        const ProcessorPlace* place = topology ? &topology->processors[p] : nullptr;
        bool ownCore = !place || !place->present || place->core >= kMaxProcessors;
        if (ownCore || taken[place->core]++ < threads)
            chosen |= uint64_t(1) << p;
    }
    return chosen;
}

int PlanTurns(const Judge& judge, CoreTurn* turns) {
    int count = 0;
    for (int order = 0; order < 2 * kMaxProcessors; ++order) {
        CoreTurn turn = {{}, 0};
        for (int i = 0; i < judge.count; ++i)
            if (TurnOrder(judge.watches[i]) == order && turn.count < kMaxThreads)
                turn.watches[turn.count++] = i;
        if (turn.count)
            turns[count++] = turn;
    }
    return count;
}

void PlanCycle(CoreCycle* cycle, const Judge& judge) {
    *cycle = {};
    cycle->count = PlanTurns(judge, cycle->turns);
    cycle->recheck = -1;
}

int TurnOfProcessor(const CoreCycle& cycle, const Judge& judge, int processor) {
    for (int turn = 0; turn < cycle.count; ++turn)
        for (int i = 0; i < cycle.turns[turn].count; ++i)
            if (judge.watches[cycle.turns[turn].watches[i]].processor == processor)
                return turn;
    return -1;
}

void BeginTurn(CoreCycle* cycle, int turn, uint64_t now, uint64_t lengthMs) {
    cycle->rechecking = turn == cycle->recheck;
    if (cycle->rechecking)
        cycle->recheck = -1;
    cycle->turn = turn;
    cycle->startMs = now;
    cycle->dueMs = now + lengthMs;
    cycle->stretched = false;
}

bool TurnDoneOn(const CoreCycle& cycle, const ProcessorWatch& watch, uint64_t now) {
    return now >= cycle.dueMs && watch.turnBursts >= kProvenBursts;
}

void NoteStretchedTurn(CoreCycle* cycle, const Judge& judge, const ProcessorWatch& watch,
                       uint64_t now) {
    if (now < cycle->dueMs)
        return;
    bool done = watch.turnBursts >= kProvenBursts;
    cycle->stretched |= !done;
    if (done || KnownBurstMs(judge, watch))
        WriteStretchNote(cycle, judge, watch, now);
}

void NoteLastTurn(CoreCycle* cycle, const Judge& judge, uint64_t now) {
    for (int i = 0; i < judge.count; ++i)
        if (judge.watches[i].onProcessor)
            WriteStretchNote(cycle, judge, judge.watches[i], now);
}
