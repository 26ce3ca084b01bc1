#include "cores/names.h"

#include <stdio.h>

void NameProcessor(const ProcessorWatch& watch, char* text, int size) {
    if (watch.core >= 0)
        snprintf(text, size_t(size), "processor %d (core %d)", watch.processor, watch.core);
    else
        snprintf(text, size_t(size), "processor %d", watch.processor);
}

const char* ExitCodeName(uint32_t code) {
    static const struct {
        uint32_t code;
        const char* name;
    } names[] = {
        {0xC0000005, "access violation"},
        {0xC000001D, "illegal instruction"},
        {0xC0000096, "privileged instruction"},
        {0xC0000094, "integer division by zero"},
        {0xC0000095, "integer overflow"},
        {0xC000008E, "floating-point division by zero"},
        {0xC0000090, "floating-point invalid operation"},
        {0xC0000091, "floating-point overflow"},
        {0xC0000092, "floating-point stack check"},
        {0xC0000093, "floating-point underflow"},
        {0xC00000FD, "stack overflow"},
        {0xC0000409, "stack buffer overrun"},
        {0xC0000374, "heap corruption"},
        {0xC0000006, "in-page error"},
        {0xC000013A, "ended by Ctrl+C"},
        {0x80000003, "breakpoint"},
    };
    for (const auto& entry : names)
        if (entry.code == code)
            return entry.name;
    return "";
}

const char* WatchStateName(WatchState state) {
    static const char* const names[] = {"waiting", "starting", "running", "hung",
                                        "stopped", "closed",   "wrong"};
    return names[state];
}
