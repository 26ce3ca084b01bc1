#include "cores/win_processor_times.h"

#include <winternl.h>

namespace {

typedef NTSTATUS(WINAPI* QuerySystemInformation)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);

QuerySystemInformation Query() {
    static QuerySystemInformation query = (QuerySystemInformation)(void*)GetProcAddress(
        GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
    return query;
}

uint64_t Value(LARGE_INTEGER time) {
    return time.QuadPart > 0 ? uint64_t(time.QuadPart) : 0;
}

} // namespace

BOOL ReadProcessorTimes(ProcessorTimes* times) {
    times->count = 0;
    SYSTEM_PROCESSOR_PERFORMANCE_INFORMATION answer[64];
    ULONG length = 0;
    if (!Query() ||
        Query()(SystemProcessorPerformanceInformation, answer, sizeof answer, &length) != 0)
        return FALSE;
    times->count = int(length / sizeof answer[0]);
    for (int p = 0; p < times->count; ++p) {
        // Kernel time includes the idle time; where it does not, the figures are made up.
        uint64_t idle = Value(answer[p].IdleTime), kernel = Value(answer[p].KernelTime);
        bool sound = idle <= kernel;
        times->total[p] = sound ? kernel + Value(answer[p].UserTime) : 0;
        times->busy[p] = sound ? times->total[p] - idle : 0;
    }
    return TRUE;
}
