#pragma once

#include "cores/judge.h"
#include "cores/verdict.h"

#include <new>
#include <stdio.h>
#include <string.h>
#include <string>
#include <vector>

using Rows = std::vector<std::string>;
const uint64_t kSecond = 10000000; // in the 100 ns units of processor times

// A judge fed made-up titles, loads and times; rows as "event processor ticks mhz detail [busy]".
struct JudgeRun {
    // In dirty memory, as on the heap: StartJudge must set every field it reads.
    explicit JudgeRun(uint64_t processors, bool cycling = false, uint32_t everySeconds = 10)
        : judge(*new (memset(storage, 0xA5, sizeof storage)) Judge) {
        StartJudge(&judge, processors, everySeconds, cycling, {Collect, this});
    }
    ~JudgeRun() { judge.~Judge(); }
    static void Collect(void* context, const LogRow& row) {
        char text[1200];
        snprintf(text, sizeof text, "%s %d %d %d %s", EventName(row.event), row.processor,
                 row.ticksHundredths, row.mhzTenths, row.detail);
        std::string busy = row.busyHundredths < 0 ? "" : " " + std::to_string(row.busyHundredths);
        ((JudgeRun*)context)->rows.push_back(text + busy);
    }
    // A tool started at `now`, then its bursts one a second from its start.
    ProcessorWatch* Start(int processor, uint64_t now = 0, int bursts = 0) {
        ProcessorWatch* watch = FindWatch(&judge, processor);
        TellStarted(&judge, watch, now, "vesko.exe");
        TellWindow(watch, now);
        for (int i = 0; i < bursts; ++i)
            Burst(watch, "7.00", watch->onSinceMs + 1000 * uint64_t(i + 1));
        return watch;
    }
    void Cycles(ProcessorWatch* watch, const char* ticks, uint64_t now) {
        TellTitle(&judge, watch,
                  (std::string("Vesko 23 instructions in ") + ticks + " CPU CLOCKS").c_str(), now);
    }
    // A burst's cycles line, news even when it repeats the last one's.
    void Burst(ProcessorWatch* watch, const char* ticks, uint64_t now) {
        TellTitle(&judge, watch, "Vesko", now);
        Cycles(watch, ticks, now);
    }
    // Rows of one event, taken from the list; after a tick at `tickAt` where one is given.
    Rows Take(const char* event, uint64_t tickAt = 0) {
        if (tickAt)
            JudgeTick(&judge, tickAt);
        Rows taken, kept;
        for (const std::string& row : rows)
            (row.rfind(std::string(event) + " ", 0) == 0 ? taken : kept).push_back(row);
        rows = kept;
        return taken;
    }
    alignas(Judge) unsigned char storage[sizeof(Judge)];
    Judge& judge;
    Rows rows;
};
