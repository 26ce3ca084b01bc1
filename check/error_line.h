#pragma once

#include "check/check_burst.h"

// The errors file (vesko-check --errors FILE): one line for each wrong burst, appended whole
// by one WriteFile as it happens, for Vesko Cores to read back. The burst in plain decimal,
// the unit ("floating point", "integer" or "memory"), the expected and the got value:
//   "1237,integer,0x9E3779B97F4A7C15,0x9E3779B97F4A7C17\r\n"

// Room for the longest line, its line break and terminator included.
const int kErrorLineCapacity = 80;

// The unit a phase runs on, as the line names it.
const char* UnitName(CheckPhase phase);

// The line of a wrong result, its line break included; its length, or 0 where it does not
// fit in `size` bytes.
int FormatErrorLine(const CheckResult& wrong, char* text, int size);

// Reads the latest whole line (one that ends in a line break) of `length` bytes of the
// file: all of it, or its end from just after a line break (a line cut at its front could
// read as another burst). False when there is none or it is not a line FormatErrorLine
// writes; a line still being written is not read.
bool ParseLatestErrorLine(const char* text, int length, CheckResult* wrong);
