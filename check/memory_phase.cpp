#include "check/memory_phase.h"

#include "check/burst_inputs.h"
#include "check/burst_shape.h"
#include "check/fold.h"

namespace {

uint32_t theL1Table[kL1Words];
uint32_t theL2Table[kL2Words];

void Fill(uint32_t* table, int count, uint64_t* seed) {
    for (int i = 0; i < count; i += 2) {
        *seed = SplitMix64(*seed);
        table[i] = uint32_t(*seed);
        table[i + 1] = uint32_t(*seed >> 32);
    }
}

// Loads the word the walker points at, stores it back changed, and moves on by what it
// loaded. Both the new word and the new walker are bijections of the loaded word, so a
// wrong load or store stays wrong.
uint32_t Visit(uint32_t* table, uint32_t mask, uint32_t walker) {
    uint32_t* word = table + (walker & mask);
    uint32_t loaded = *word;
    *word = loaded + walker;
    return (walker << 13 | walker >> 19) ^ loaded;
}

} // namespace

uint64_t MemoryPhase(uint64_t burst) {
    uint64_t seed = MemorySeed(burst);
    Fill(theL1Table, kL1Words, &seed);
    Fill(theL2Table, kL2Words, &seed);
    uint32_t walkers[4] = {uint32_t(seed), uint32_t(seed >> 32), ~uint32_t(seed),
                           ~uint32_t(seed >> 32)};
    for (int step = 0; step < kBurstSteps; ++step) {
        walkers[0] = Visit(theL1Table, kL1Words - 1, walkers[0]);
        walkers[1] = Visit(theL2Table, kL2Words - 1, walkers[1]);
        walkers[2] = Visit(theL1Table, kL1Words - 1, walkers[2]);
        walkers[3] = Visit(theL2Table, kL2Words - 1, walkers[3]);
    }
    uint64_t fold = FoldWords32(0, walkers, 4);
    fold = FoldWords32(fold, theL1Table, kL1Words);
    return FoldWords32(fold, theL2Table, kL2Words);
}
