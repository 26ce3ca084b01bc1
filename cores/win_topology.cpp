#include "cores/win_topology.h"

namespace {

typedef BOOL(WINAPI* ReadEx)(LOGICAL_PROCESSOR_RELATIONSHIP,
                             PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX, PDWORD);
typedef BOOL(WINAPI* ReadOlder)(PSYSTEM_LOGICAL_PROCESSOR_INFORMATION, PDWORD);
typedef BOOL (*Ask)(void* buffer, DWORD* size);
typedef bool (*Parse)(const void*, DWORD, Topology*, int);

// Each call found at run time, so the program still starts on systems without it.
FARPROC Kernel32(const char* name) {
    return GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
}

BOOL AskEx(void* buffer, DWORD* size) {
    ReadEx read = (ReadEx)(void*)Kernel32("GetLogicalProcessorInformationEx");
    return read && read(RelationAll, (PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX)buffer, size);
}

BOOL AskOlder(void* buffer, DWORD* size) {
    ReadOlder read = (ReadOlder)(void*)Kernel32("GetLogicalProcessorInformation");
    return read && read((PSYSTEM_LOGICAL_PROCESSOR_INFORMATION)buffer, size);
}

// The size the call asks for, a heap buffer of that size, its answer parsed.
bool Answer(Ask ask, Parse parse, Topology* topology) {
    DWORD size = 0;
    if (ask(nullptr, &size) || GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return false;
    void* buffer = HeapAlloc(GetProcessHeap(), 0, size);
    bool read = buffer && ask(buffer, &size) && parse(buffer, size, topology, kMaxProcessors);
    if (buffer)
        HeapFree(GetProcessHeap(), 0, buffer);
    return read;
}

} // namespace

bool ReadTopology(Topology* topology) {
    return Answer(AskEx, ParseTopologyEx, topology) || Answer(AskOlder, ParseTopology, topology);
}
