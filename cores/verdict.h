#pragma once

#include "cores/judge.h"

// The run's outcome over the judge's watches. The values are the exit codes.
enum Verdict {
    passVerdict = 0,     // every processor proven, none failed
    failVerdict = 1,     // a processor's tool stopped with an error, hung or could not run
    notProvenVerdict = 3 // none failed, but a processor finished fewer than kProvenBursts
};

// The verdict as a person reads it, "PASS: ...", "FAIL: ..." or "NOT PROVEN: ...",
// with `note` (may be null) at the end; its kind.
Verdict VerdictText(const Judge& judge, uint64_t now, const char* note, char* text, int size);

// The end rows, one per processor.
void WriteEndRows(Judge* judge, uint64_t now);
// The verdict row, with `note` (may be null) at the end; the exit code.
int WriteVerdict(Judge* judge, uint64_t now, const char* note);
// Both, in that order.
int FinishJudge(Judge* judge, uint64_t now, const char* note);
