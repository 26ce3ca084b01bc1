#include "cores/hung_rule.h"

#include "app/burn_kernel.h"
#include "cores/judge.h"

#include <stdio.h>

namespace {

// The burst a cycles line stands for: ticks for every iteration at the clock rate.
uint64_t BurstMs(int32_t ticksHundredths, int32_t mhzTenths) {
    if (mhzTenths <= 0)
        return 0;
    double ms = ticksHundredths / 100.0 * kBurnIterations / (mhzTenths / 10.0 * 1e6) * 1e3;
    return uint64_t(ms);
}

void KeepLongest(Judge* judge, uint64_t burstMs) {
    if (burstMs > judge->longestBurstMs)
        judge->longestBurstMs = burstMs;
}

} // namespace

uint64_t HungAfterMs(const Judge& judge, const ProcessorWatch& watch) {
    int32_t share = BusyShare(watch.load, watch.load.heardBusy, watch.load.heardTotal);
    if (IsIdle(share))
        return kHungMinimumMs; // no title and an idle processor: the tool stopped
    uint64_t tenBursts = 10 * judge.longestBurstMs;
    // Until a burst has ended here and a burst's length is known, the longest a
    // first burst may take is not known either.
    bool known = watch.sawBurst && judge.longestBurstMs;
    uint64_t least = known ? kHungMinimumMs : kFirstBurstHungMs;
    return tenBursts > least ? tenBursts : least;
}

int32_t BusyShare(const LoadReadings& load, uint64_t busy, uint64_t total) {
    if (!load.known || load.total <= total || load.busy < busy)
        return -1;
    uint64_t share = ((load.busy - busy) * 200 / (load.total - total) + 1) / 2; // rounded
    return int32_t(share < 100 ? share : 100);
}

bool IsIdle(int32_t share) {
    return share >= 0 && share < kLoadedHundredths;
}

uint64_t KnownBurstMs(const Judge& judge, const ProcessorWatch& watch) {
    return watch.burstGapMs ? watch.burstGapMs : judge.longestBurstMs;
}

void TimeBurst(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    if (watch->lastTitleMs) { // a burst's length, measured: no clock rate needed
        watch->burstGapMs = now - watch->lastTitleMs;
        KeepLongest(judge, watch->burstGapMs);
    }
    watch->lastTitleMs = now;
}

void TimeBurstFromTicks(Judge* judge, const ProcessorWatch& watch, uint32_t ticks) {
    int32_t mhz = watch.mhzTenths > 0 ? watch.mhzTenths : judge->mhzTenths;
    KeepLongest(judge, BurstMs(int32_t(ticks), mhz));
}

void JudgeHung(Judge* judge, ProcessorWatch* watch, uint64_t now) {
    uint64_t silent = now - watch->changedMs;
    if (watch->state != runningState || silent <= HungAfterMs(*judge, *watch))
        return;
    char what[80];
    int32_t share = BusyShare(watch->load, watch->load.heardBusy, watch->load.heardTotal);
    if (IsIdle(share))
        snprintf(what, sizeof what, "no new title for %llu s, its processor idle (busy %d.%02d)",
                 (unsigned long long)(silent / 1000), int(share / 100), int(share % 100));
    else
        snprintf(what, sizeof what, "no new title for %llu s", (unsigned long long)(silent / 1000));
    RecordFailure(judge, watch, now, hungState, hungEvent, what);
}
