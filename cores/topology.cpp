#include "cores/topology.h"

#include "cores/log_row.h"

#include <stddef.h>
#include <stdint.h>

namespace {

// One record, whichever call reported it: the processors of group 0 it holds.
struct Relation {
    LOGICAL_PROCESSOR_RELATIONSHIP kind;
    uint64_t mask;
    int cacheLevel;
    int efficiencyClass;
};

typedef SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX RecordEx;

const DWORD kHeadEx = offsetof(RecordEx, Processor);
const DWORD kProcessorEx = offsetof(RecordEx, Processor.GroupMask);
const DWORD kCacheEx = offsetof(RecordEx, Cache.GroupMask) + sizeof(GROUP_AFFINITY);

uint64_t Below(int processor) {
    return (uint64_t(1) << processor) - 1;
}

// The processors of `mask` below `limit`, and never beyond the table.
uint64_t Kept(uint64_t mask, int limit) {
    int end = limit < kMaxProcessors ? limit : kMaxProcessors;
    return end <= 0 ? 0 : end >= 64 ? mask : mask & Below(end);
}

void Start(Topology* topology) {
    *topology = Topology();
    for (ProcessorPlace& place : topology->processors)
        place = ProcessorPlace{false, -1, 0, 0, -1, -1, 0};
}

void AddCore(Topology* topology, uint64_t mask, uint64_t kept, int efficiencyClass) {
    for (int p = 0; p < kMaxProcessors; ++p) {
        if (!(kept >> p & 1))
            continue;
        ProcessorPlace& place = topology->processors[p];
        place.present = true;
        place.core = topology->cores;
        place.thread = __builtin_popcountll(mask & Below(p)) + 1;
        place.threads = __builtin_popcountll(mask);
        place.efficiencyClass = efficiencyClass;
    }
    bool first = topology->cores++ == 0;
    if (first || efficiencyClass < topology->lowestClass)
        topology->lowestClass = efficiencyClass;
    if (first || efficiencyClass > topology->highestClass)
        topology->highestClass = efficiencyClass;
}

// Numbers the next package or L3 group for the processors it holds.
void Mark(Topology* topology, uint64_t kept, int ProcessorPlace::*field, int* counter) {
    for (int p = 0; p < kMaxProcessors; ++p)
        if (kept >> p & 1)
            topology->processors[p].*field = *counter;
    ++*counter;
}

void Apply(Topology* topology, const Relation& relation, int limit) {
    uint64_t kept = Kept(relation.mask, limit);
    if (kept == 0)
        return;
    if (relation.kind == RelationProcessorCore)
        AddCore(topology, relation.mask, kept, relation.efficiencyClass);
    else if (relation.kind == RelationProcessorPackage)
        Mark(topology, kept, &ProcessorPlace::package, &topology->packages);
    else if (relation.kind == RelationCache && relation.cacheLevel == 3)
        Mark(topology, kept, &ProcessorPlace::l3Group, &topology->l3Groups);
}

// A core's or package's group-0 processors; false where its groups overrun the record.
bool ReadProcessorEx(const RecordEx& record, Relation* relation) {
    const PROCESSOR_RELATIONSHIP& processor = record.Processor;
    if (record.Size < kProcessorEx ||
        record.Size - kProcessorEx < processor.GroupCount * sizeof(GROUP_AFFINITY))
        return false;
    // MinGW's Reserved[0] is the SDK's EfficiencyClass.
    relation->efficiencyClass = processor.Reserved[0];
    const GROUP_AFFINITY* groups = processor.GroupMask;
    for (WORD g = 0; g < processor.GroupCount; ++g)
        if (groups[g].Group == 0)
            relation->mask = groups[g].Mask;
    return true;
}

// False where the record is too short for what its kind holds.
bool ReadEx(const RecordEx& record, Relation* relation) {
    *relation = Relation{record.Relationship, 0, 0, 0};
    if (record.Relationship == RelationProcessorCore ||
        record.Relationship == RelationProcessorPackage)
        return ReadProcessorEx(record, relation);
    if (record.Relationship != RelationCache)
        return true;
    if (record.Size < kCacheEx)
        return false;
    relation->cacheLevel = record.Cache.Level;
    relation->mask = record.Cache.GroupMask.Group == 0 ? record.Cache.GroupMask.Mask : 0;
    return true;
}

const ProcessorPlace* Present(const Topology& topology, int processor) {
    bool within = processor >= 0 && processor < kMaxProcessors;
    return within && topology.processors[processor].present ? &topology.processors[processor]
                                                            : nullptr;
}

// The highest class "performance core", the lowest "efficiency core", any between by number.
void AppendClass(const Topology& topology, int efficiencyClass, char* text, int size) {
    if (efficiencyClass == topology.highestClass)
        AppendText(text, size, ", performance core");
    else if (efficiencyClass == topology.lowestClass)
        AppendText(text, size, ", efficiency core");
    else
        AppendText(text, size, ", efficiency class %d core", efficiencyClass);
}

} // namespace

bool ParseTopologyEx(const void* buffer, DWORD size, Topology* topology, int limit) {
    Start(topology);
    const BYTE* bytes = (const BYTE*)buffer;
    for (DWORD used = 0; used < size;) {
        const RecordEx* record = (const RecordEx*)(bytes + used);
        Relation relation;
        if (size - used < kHeadEx || record->Size < kHeadEx || record->Size > size - used ||
            !ReadEx(*record, &relation))
            return false;
        Apply(topology, relation, limit);
        used += record->Size;
    }
    return topology->cores > 0;
}

bool ParseTopology(const void* buffer, DWORD size, Topology* topology, int limit) {
    Start(topology);
    const SYSTEM_LOGICAL_PROCESSOR_INFORMATION* records =
        (const SYSTEM_LOGICAL_PROCESSOR_INFORMATION*)buffer;
    if (size % sizeof records[0] != 0)
        return false;
    for (DWORD i = 0; i < size / sizeof records[0]; ++i) {
        bool cache = records[i].Relationship == RelationCache;
        Relation relation = {records[i].Relationship, records[i].ProcessorMask,
                             cache ? records[i].Cache.Level : 0, 0};
        Apply(topology, relation, limit);
    }
    return topology->cores > 0;
}

void FormatPlace(const Topology& topology, int processor, char* text, int size) {
    if (size <= 0)
        return;
    text[0] = '\0';
    const ProcessorPlace* place = Present(topology, processor);
    if (!place)
        return;
    AppendText(text, size, "core %d, thread %d of %d", place->core, place->thread, place->threads);
    if (place->package >= 0)
        AppendText(text, size, ", package %d", place->package);
    if (place->l3Group >= 0)
        AppendText(text, size, ", L3 group %d", place->l3Group);
    if (topology.lowestClass != topology.highestClass)
        AppendClass(topology, place->efficiencyClass, text, size);
}
