#include "cores/core_turns.h"
#include "cores/topology.h"
#include "cores/win_topology.h"
#include "judge_run.h"

#include <gtest/gtest.h>

namespace {

const auto kCore = RelationProcessorCore, kCache = RelationCache, kNuma = RelationNumaNode,
           kPackage = RelationProcessorPackage;

// Cores: `count` of `threads` processors each from `first`, `value` their class. Else one
// record over `count` processors from `first`, `value` a cache's level.
struct Span {
    LOGICAL_PROCESSOR_RELATIONSHIP kind;
    int first, count, value = 0, threads = 1;
    WORD group = 0;
};

typedef SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX RecordEx;

// One record as the newer call lays it out (as long as its kind needs), or the older.
void Append(std::vector<BYTE>* buffer, const Span& span, uint64_t mask, bool older) {
    RecordEx x = {span.kind, 0, {}};
    SYSTEM_LOGICAL_PROCESSOR_INFORMATION o = {ULONG_PTR(mask), span.kind, {}};
    GROUP_AFFINITY group = {KAFFINITY(mask), span.group, {}};
    if (span.kind == kCache)
        o.Cache.Level = x.Cache.Level = BYTE(span.value), x.Cache.GroupMask = group;
    else
        x.Processor.Reserved[0] = BYTE(span.value), x.Processor.GroupCount = 1,
        x.Processor.GroupMask[0] = group;
    x.Size = sizeof group + (span.kind == kCache ? offsetof(RecordEx, Cache.GroupMask)
                                                 : offsetof(RecordEx, Processor.GroupMask));
    BYTE* from = older ? (BYTE*)&o : (BYTE*)&x;
    buffer->insert(buffer->end(), from, from + (older ? sizeof o : x.Size));
}

// "cores packages L3-groups, the first chosen processor's core", then each one's row;
// "refused" where the buffer, cut short by `cut` bytes, is.
std::string Parsed(const std::vector<Span>& spans, bool older, int limit,
                   const std::vector<int>& processors, DWORD cut = 0) {
    std::vector<BYTE> buffer;
    for (const Span& s : spans)
        for (int unit = 0, width = s.kind == kCore ? s.threads : s.count;
             unit < (s.kind == kCore ? s.count : 1); ++unit)
            Append(&buffer, s, ((uint64_t(1) << width) - 1) << (s.first + unit * width), older);
    Topology t;
    if (!(older ? ParseTopology : ParseTopologyEx)(buffer.data(), buffer.size() - cut, &t, limit))
        return "refused";
    char text[100];
    int p0 = processors[0];
    bool present = p0 < kMaxProcessors && t.processors[p0].present;
    std::string parsed = std::to_string(t.cores) + " " + std::to_string(t.packages) + " " +
                         std::to_string(t.l3Groups) + ", first in core " +
                         std::to_string(present ? t.processors[p0].core : -1) + "\n";
    for (int p : processors) {
        FormatPlace(t, p, text, sizeof text);
        parsed += std::to_string(p) + " " + text + "\n";
    }
    return parsed;
}

TEST(Topology, MadeUpMachines) {
    // 8 performance cores with SMT, 8 efficiency cores, 2 low-power ones off the L3; an L2,
    // a NUMA node and a core of group 1 to pass over.
    std::vector<Span> hybrid = {{kCore, 0, 8, 2, 2},    {kCore, 16, 8, 1}, {kCache, 0, 2, 2},
                                {kCache, 0, 24, 3},     {kCore, 24, 2, 0}, {kPackage, 0, 26},
                                {kCore, 0, 1, 0, 1, 1}, {kNuma, 0, 26}};
    std::vector<Span> chiplets = {
        {kPackage, 0, 32}, {kCore, 0, 16, 0, 2}, {kCache, 0, 16, 3}, {kCache, 16, 16, 3}};
    // 2 packages of 12 cores with SMT and an L3 each
    std::vector<Span> server = {{kPackage, 0, 24},  {kCache, 0, 24, 3},  {kCore, 0, 12, 0, 2},
                                {kPackage, 24, 24}, {kCache, 24, 24, 3}, {kCore, 24, 12, 0, 2}};
    EXPECT_EQ("18 1 1, first in core 7\n"
              "15 core 7, thread 2 of 2, package 0, L3 group 0, performance core\n"
              "16 core 8, thread 1 of 1, package 0, L3 group 0, efficiency class 1 core\n"
              "25 core 17, thread 1 of 1, package 0, efficiency core\n26 \n",
              Parsed(hybrid, false, kMaxProcessors, {15, 16, 25, 26}));
    for (bool older : {false, true})
        EXPECT_EQ("16 1 2, first in core 6\n"
                  "13 core 6, thread 2 of 2, package 0, L3 group 0\n"
                  "16 core 8, thread 1 of 2, package 0, L3 group 1\n"
                  "0 core 0, thread 1 of 2, package 0, L3 group 0\n",
                  Parsed(chiplets, older, kMaxProcessors, {13, 16, 0}));
    EXPECT_EQ("refused", Parsed(chiplets, false, kMaxProcessors, {0}, 1));
    EXPECT_EQ("1 0 0, first in core 0\n1 core 0, thread 2 of 2\n",
              Parsed({{kCore, 0, 1, 0, 2}}, false, kMaxProcessors, {1})); // one core, told alone
    if (kMaxProcessors == 64) { // the whole server fits 64-bit masks only
        EXPECT_EQ("24 2 2, first in core 23\n47 core 23, thread 2 of 2, package 1, L3 group 1\n",
                  Parsed(server, false, kMaxProcessors, {47}));
    }
    EXPECT_EQ("16 2 2, first in core -1\n32 \n31 core 15, thread 2 of 2, package 1, L3 group 1\n",
              Parsed(server, false, 32, {32, 31})); // the 32-bit build's limit
}

// Wine answers from the host's topology: every processor the system has is placed.
TEST(Topology, ThisMachineAnswers) {
    Topology t;
    DWORD_PTR process = 0, system = 0;
    ASSERT_TRUE(ReadTopology(&t) && GetProcessAffinityMask(GetCurrentProcess(), &process, &system));
    for (int p = 0; p < kMaxProcessors; ++p)
        EXPECT_TRUE(t.processors[p].present || !(system >> p & 1)) << p;
}

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
