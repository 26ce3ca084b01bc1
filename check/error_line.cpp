#include "check/error_line.h"

#include <stdio.h>
#include <string.h>

namespace {

const char* const kUnitNames[kPhaseCount] = {"floating point", "integer", "memory"};

// One line without its line break, read back by the format that wrote it.
bool ParseErrorLine(const char* line, int length, CheckResult* wrong) {
    char copy[kErrorLineCapacity], unit[16] = "", again[kErrorLineCapacity];
    unsigned long long burst, expected, got;
    if (length + 2 >= kErrorLineCapacity)
        return false;
    memcpy(copy, line, size_t(length));
    copy[length] = '\0';
    if (sscanf(copy, "%llu,%15[^,],0x%llX,0x%llX", &burst, unit, &expected, &got) != 4)
        return false;
    CheckResult read = {false, floatPhase, burst, expected, got};
    while (read.phase < memoryPhase && strcmp(unit, UnitName(read.phase)) != 0)
        read.phase = CheckPhase(read.phase + 1);
    // Only the text the format writes: no sign, space, short or lower-case number.
    int written = FormatErrorLine(read, again, sizeof again);
    if (written != length + 2 || memcmp(again, copy, size_t(length)) != 0)
        return false;
    *wrong = read;
    return true;
}

} // namespace

const char* UnitName(CheckPhase phase) {
    return kUnitNames[phase];
}

int FormatErrorLine(const CheckResult& wrong, char* text, int size) {
    int length = snprintf(text, size_t(size), "%llu,%s,0x%016llX,0x%016llX\r\n",
                          (unsigned long long)wrong.burst, UnitName(wrong.phase),
                          (unsigned long long)wrong.expected, (unsigned long long)wrong.got);
    return length > 0 && length < size ? length : 0;
}

bool ParseLatestErrorLine(const char* text, int length, CheckResult* wrong) {
    int end = length;
    while (end > 0 && text[end - 1] != '\n')
        --end; // past a line still being written
    if (end < 2 || text[end - 2] != '\r')
        return false;
    int start = end - 2;
    while (start > 0 && text[start - 1] != '\n')
        --start;
    return ParseErrorLine(text + start, end - 2 - start, wrong);
}
