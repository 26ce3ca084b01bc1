#pragma once

#include <stdint.h>

// The hung rule and the burst timing it rests on: how long a tool may show
// no new title, from the longest burst seen and its processor's load.

struct Judge;
struct ProcessorWatch;
struct LoadReadings;

const uint64_t kHungMinimumMs = 30000;
// Before a tool's first burst, while its processor is busy.
const uint64_t kFirstBurstHungMs = 120000;
// A processor below this busy share (hundredths) is idle.
const int32_t kLoadedHundredths = 50;

// How long the tool on the processor may show no new title before it counts
// as hung: kHungMinimumMs when its processor has been idle since, else at
// least 10 of the longest bursts, and before its first burst at least
// kFirstBurstHungMs.
uint64_t HungAfterMs(const Judge& judge, const ProcessorWatch& watch);
// The busy share (hundredths) between a reading and the latest; -1: unknown.
int32_t BusyShare(const LoadReadings& load, uint64_t busy, uint64_t total);
// A busy share (-1: unknown) that tells a processor was idle.
bool IsIdle(int32_t share);
// A burst's length on the processor where one was measured, else the longest
// one known; 0: unknown.
uint64_t KnownBurstMs(const Judge& judge, const ProcessorWatch& watch);
// A status line ended a burst at `now`: its length measured from the last one.
void TimeBurst(Judge* judge, ProcessorWatch* watch, uint64_t now);
// A counted cycles line: the burst it stands for at the latest clock rate.
void TimeBurstFromTicks(Judge* judge, const ProcessorWatch& watch, uint32_t ticks);
// A running tool silent for longer than HungAfterMs fails as hung.
void JudgeHung(Judge* judge, ProcessorWatch* watch, uint64_t now);
