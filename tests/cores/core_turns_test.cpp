#include "cores/core_turns.h"
#include "judge_run.h"

#include <gtest/gtest.h>

namespace {

// The turns over the processors that get a tool, "0 1|2 3", where processor p sits in core
// coreOf[p] (-1: left out); no cores given: the topology is unknown.
std::string Turns(const std::vector<int>& coreOf, uint64_t listed, int threads) {
    Topology t = {};
    for (size_t p = 0; p < coreOf.size(); ++p)
        t.processors[p] = {coreOf[p] >= 0, coreOf[p], 1, 1, 0, -1, 0};
    JudgeRun run(CycledProcessors(coreOf.empty() ? nullptr : &t, listed, threads), true);
    PlaceWatches(&run.judge, t);
    CoreTurn turns[kMaxProcessors];
    std::string text;
    for (int i = 0, count = PlanTurns(run.judge, turns); i < count; ++i)
        for (int k = 0; k < turns[i].count; ++k)
            text += (k   ? " "
                     : i ? "|"
                         : "") +
                    std::to_string(run.judge.watches[turns[i].watches[k]].processor);
    return text;
}

TEST(CoreTurns, TheFirstListedThreadsOfEachCoreInCoreOrder) {
    const std::vector<int> smt = {0, 0, 1, 1, 2, 2, 3, 3}, hybrid = {0, 0, 1, 1, 2, 3, 4, 5};
    struct Case {
        std::vector<int> coreOf;
        uint64_t listed;
        int threads;
        const char* turns;
    } cases[] = {
        {smt, 0xFF, 1, "0|2|4|6"},
        {smt, 0xFF, 2, "0 1|2 3|4 5|6 7"},
        {smt, 0x0E, 1, "1|2"}, // core 0 named by its second thread only
        {smt, 0x0E, 2, "1|2 3"},
        {hybrid, 0xFF, 2, "0 1|2 3|4|5|6|7"}, // single-thread efficiency cores
        {{1, 1, 0, 0}, 0x0F, 1, "2|0"},       // the system lists core 0 second
        {{0, 0, -1}, 0x07, 1, "0|2"},         // a processor left out is a core of its own
        {{}, 0x0B, 2, "0|1|3"},               // unknown: every processor a core of its own
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.turns, Turns(c.coreOf, c.listed, c.threads)) << c.listed << " " << c.threads;
}

} // namespace
