#include "check/check_burst.h"

#include "check/float_phase.h"
#include "check/integer_phase.h"
#include "check/memory_phase.h"

CheckResult CheckBurst(CheckPath path, uint64_t burst, ResultFlip flip) {
    uint64_t got[kPhaseCount] = {
        path == avx2Path ? FloatPhaseAvx2(burst) : FloatPhaseSse2(burst),
        IntegerPhase(burst),
        MemoryPhase(burst),
    };
    got[flip.phase] ^= flip.bits;
    const uint64_t* expected = kKnownAnswers[path][burst % kAnswerCount];
    for (int phase = 0; phase < kPhaseCount; ++phase) {
        if (got[phase] != expected[phase])
            return {false, CheckPhase(phase), burst, expected[phase], got[phase]};
    }
    return {true, floatPhase, burst, 0, 0};
}
