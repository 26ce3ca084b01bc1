// Built for the build machine and run there: writes known_answers.cpp from the reference.
// usage: make_answers OUTPUT
#include "check/burst_inputs.h"
#include "check/burst_shape.h"
#include "check/fold.h"
#include "check/known_answers.h"
#include "check/memory_phase.h"
#include "check/reference.h"

#include <stdio.h>
#include <string>

namespace {

uint64_t theAnswers[kPathCount][kAnswerCount][kPhaseCount];

// A burst's results from the final values of the chains its lanes run.
uint64_t FloatAnswer(const double* chainFinals, int burst) {
    double lanes[kFloatLanes];
    for (int lane = 0; lane < kFloatLanes; ++lane)
        lanes[lane] = chainFinals[ChainOfLane(burst, lane)];
    return FoldDoubles(lanes, kFloatLanes);
}

uint64_t IntegerAnswer(const uint64_t* chainFinals, int burst) {
    uint64_t lanes[kIntegerLanes];
    for (int lane = 0; lane < kIntegerLanes; ++lane)
        lanes[lane] = chainFinals[ChainOfLane(burst, lane)];
    return FoldWords(0, lanes, kIntegerLanes);
}

void ComputeAnswers() {
    static double sse2Finals[kAnswerCount], fmaFinals[kAnswerCount];
    static uint64_t integerFinals[kAnswerCount];
    for (uint32_t chain = 0; chain < kAnswerCount; ++chain) {
        sse2Finals[chain] = FloatChainSse2(chain);
        fmaFinals[chain] = FloatChainFma(chain);
        integerFinals[chain] = IntegerChain(chain);
    }
    for (int burst = 0; burst < kAnswerCount; ++burst) {
        uint64_t integer = IntegerAnswer(integerFinals, burst), memory = MemoryPhase(burst);
        for (int path = 0; path < kPathCount; ++path) {
            uint64_t* answers = theAnswers[path][burst];
            answers[floatPhase] = FloatAnswer(path == avx2Path ? fmaFinals : sse2Finals, burst);
            answers[integerPhase] = integer;
            answers[memoryPhase] = memory;
        }
    }
}

bool WriteAnswers(FILE* out) {
    fprintf(out, "// Written at build time by make_answers on the build machine.\n"
                 "#include \"check/known_answers.h\"\n\n"
                 "const uint64_t kKnownAnswers[kPathCount][kAnswerCount][kPhaseCount] = {\n");
    for (int path = 0; path < kPathCount; ++path) {
        fprintf(out, "    {\n");
        for (int burst = 0; burst < kAnswerCount; ++burst) {
            const uint64_t* a = theAnswers[path][burst];
            fprintf(out, "        {0x%016llxull, 0x%016llxull, 0x%016llxull},\n",
                    (unsigned long long)a[0], (unsigned long long)a[1], (unsigned long long)a[2]);
        }
        fprintf(out, "    },\n");
    }
    return fprintf(out, "};\n") > 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_answers OUTPUT\n");
        return 2;
    }
    ComputeAnswers();
    // Written whole under another name first: a build cut short leaves no half table.
    std::string part = std::string(argv[1]) + ".part";
    FILE* out = fopen(part.c_str(), "w");
    bool written = out && WriteAnswers(out);
    if (!out || fclose(out) != 0 || !written || rename(part.c_str(), argv[1]) != 0) {
        fprintf(stderr, "make_answers: cannot write %s\n", argv[1]);
        remove(part.c_str());
        return 1;
    }
    return 0;
}
