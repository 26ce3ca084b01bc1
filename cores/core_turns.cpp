#include "cores/core_turns.h"

namespace {

// Where the watch's turn comes: by core; a processor of unknown core after all cores.
int TurnOrder(const ProcessorWatch& watch) {
    return watch.core >= 0 ? watch.core : kMaxProcessors + watch.processor;
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
