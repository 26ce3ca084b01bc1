#pragma once

// The tool's window title before its first burst and the formats of its
// three status lines: one definition for the tool, which writes them, and for
// programs that read them back from its title bar.
const char kToolTitle[] = "Vesko";
const char kCyclesLineFormat[] = "Vesko 23 instructions in %3.2f CPU CLOCKS";
const char kClockRateLineFormat[] = "Vesko %02d:%02d:%02d at %4.1f MHz";
const char kDaysLineFormat[] = "Dude, its been running for %d days, I think its stable!";
