#include "cores/verdict.h"

#include "cores/names.h"

#include <stdio.h>
#include <string.h>

namespace {

// How many processors each list of the verdict names.
const int kListed = 3;

// Not failed, and too few bursts to show that it works.
bool Unproven(const ProcessorWatch& watch) {
    return !Failed(watch) && watch.bursts < kProvenBursts;
}

// "hung, no new title for 31 s at 0:02:10", cut to fit.
struct FailureWords {
    char text[200];
};

FailureWords WordsOf(const FailureRecord& failure) {
    char at[24];
    FormatRunTime(failure.atMs, at, sizeof at);
    // Words that end with their time already ("last row at 1:23:45") are not told it twice.
    size_t length = strlen(failure.what), timeLength = strlen(at);
    bool timed = length >= timeLength && strcmp(failure.what + length - timeLength, at) == 0;
    FailureWords words;
    if (failure.state == wrongState) // its words say what it was
        snprintf(words.text, sizeof words.text, "%s at %s", failure.what, at);
    else
        snprintf(words.text, sizeof words.text, "%s, %s%s%s", WatchStateName(failure.state),
                 failure.what, timed ? "" : " at ", timed ? "" : at);
    return words;
}

// The run time at the end of the text, cut like the rest.
void AppendRunTime(char* text, int size, uint64_t ms) {
    size_t used = strlen(text);
    FormatRunTime(ms, text + used, size - int(used));
}

void AppendClosed(char* text, int size, const ProcessorWatch& watch) {
    AppendText(text, size, "closed by hand at ");
    AppendRunTime(text, size, watch.closedMs);
}

// "42 bursts in 0:10:01 under the tool"
void AppendEvidence(char* text, int size, int bursts, uint64_t underToolMs) {
    char under[24];
    FormatRunTime(underToolMs, under, sizeof under);
    AppendText(text, size, "%d burst%s in %s under the tool", bursts, bursts == 1 ? "" : "s",
               under);
}

// "processor 13 (core 6)" between `before` and `after`.
void AppendName(char* text, int size, const char* before, const ProcessorWatch& watch,
                const char* after) {
    char name[48];
    NameProcessor(watch, name, sizeof name);
    AppendText(text, size, "%s%s%s", before, name, after);
}

// "processor 1 finished 0 bursts in 0:00:45 under the tool (3 needed)", a few of them.
void AppendUnproven(const Judge& judge, uint64_t now, char* text, int size) {
    int listed = 0;
    for (int i = 0; i < judge.count; ++i) {
        const ProcessorWatch& watch = judge.watches[i];
        if (!Unproven(watch) || ++listed > kListed)
            continue;
        AppendName(text, size, listed > 1 ? ", " : "", watch, " finished ");
        AppendEvidence(text, size, watch.bursts, UnderToolMs(watch, now));
    }
    if (listed > kListed)
        AppendText(text, size, ", %d more in the end rows", listed - kListed);
    AppendText(text, size, " (%d needed)", kProvenBursts);
}

void AppendFailures(const Judge& judge, char* text, int size, int failed) {
    AppendText(text, size, "%d failed: ", failed);
    // Each list is cut after a few: the end rows name every processor.
    for (int i = 0, listed = 0; i < judge.count; ++i)
        if (Failed(judge.watches[i]) && listed++ < kListed) {
            AppendName(text, size, listed > 1 ? "; " : "", judge.watches[i],
                       judge.watches[i].failure.state == wrongState ? ": " : " ");
            AppendText(text, size, "%s", WordsOf(judge.watches[i].failure).text);
        }
    if (failed > kListed)
        AppendText(text, size, "; %d more in the end rows", failed - kListed);
}

// The least evidence of the processors that did not fail: "each at least ...".
void AppendLeast(const Judge& judge, uint64_t now, char* text, int size) {
    int bursts = -1;
    uint64_t under = 0;
    for (int i = 0; i < judge.count; ++i) {
        const ProcessorWatch& watch = judge.watches[i];
        if (Failed(watch))
            continue;
        uint64_t ms = UnderToolMs(watch, now);
        bursts = bursts < 0 || watch.bursts < bursts ? watch.bursts : bursts;
        under = under == 0 || ms < under ? ms : under;
    }
    if (bursts < 0)
        return;
    AppendText(text, size, "each at least %d burst%s and ", bursts, bursts == 1 ? "" : "s");
    AppendRunTime(text, size, under);
    AppendText(text, size, " under the tool");
}

void AppendNotes(const Judge& judge, char* text, int size) {
    int closed = 0;
    for (int i = 0; i < judge.count; ++i)
        if (judge.watches[i].closedByHand && ++closed <= kListed) {
            AppendName(text, size, "; ", judge.watches[i], " ");
            AppendClosed(text, size, judge.watches[i]);
        }
    if (closed > kListed)
        AppendText(text, size, "; %d more closed by hand", closed - kListed);
}

// One warning's count, "; warnings: " before the first and ", " before the rest.
void AppendWarning(char* text, int size, bool* begun, const ProcessorWatch* watch, const char* what,
                   int count) {
    if (!count)
        return;
    AppendText(text, size, "%s", *begun ? ", " : "; warnings: ");
    *begun = true;
    if (watch)
        AppendName(text, size, "", *watch, " ");
    AppendText(text, size, "%s (%d)", what, count);
}

// "; warnings: slowing down (2), processor 0 slower than the rest (1), ..."
void AppendWarnings(const Judge& judge, char* text, int size) {
    bool begun = false;
    AppendWarning(text, size, &begun, nullptr, "slowing down", judge.band.slowing.count);
    int warned = 0;
    for (int i = 0; i < judge.count; ++i) {
        const ProcessorWatch& watch = judge.watches[i];
        if ((!watch.warnings.slower.count && !watch.warnings.notLoaded.count) || ++warned > kListed)
            continue;
        AppendWarning(text, size, &begun, &watch, "slower than the rest",
                      watch.warnings.slower.count);
        AppendWarning(text, size, &begun, &watch, "not loaded", watch.warnings.notLoaded.count);
    }
    if (warned > kListed)
        AppendText(text, size, ", %d more processors with warnings", warned - kListed);
}

// "ok; 8 bursts in 0:00:25 under the tool; closed by hand at 0:01:02", its medians.
LogRow EndRow(const ProcessorWatch& watch, uint64_t now) {
    FailureWords failure = WordsOf(watch.failure);
    const char* outcome = Failed(watch)     ? failure.text
                          : !watch.tested   ? "not tested"
                          : Unproven(watch) ? "not proven"
                                            : "ok";
    LogRow row = MakeLogRow(now, watch.processor, endEvent, "%s; ", outcome);
    AppendEvidence(row.detail, sizeof row.detail, watch.bursts, UnderToolMs(watch, now));
    if (watch.closedByHand && !Failed(watch)) {
        AppendText(row.detail, sizeof row.detail, "; ");
        AppendClosed(row.detail, sizeof row.detail, watch);
    }
    if (watch.terminated)
        AppendText(row.detail, sizeof row.detail, "; terminated %d s after WM_CLOSE",
                   kCloseWaitSeconds);
    if (watch.run.total)
        row.ticksHundredths = int32_t(watch.run.Median());
    row.mhzTenths = watch.mhzTenths;
    return row;
}

int CountOf(const Judge& judge, bool (*holds)(const ProcessorWatch&)) {
    int count = 0;
    for (int i = 0; i < judge.count; ++i)
        count += holds(judge.watches[i]);
    return count;
}

// "2 processors in turn for 0:01:00, ", with the parts where the machine stopped.
void AppendRun(const Judge& judge, uint64_t now, char* text, int size) {
    char runTime[24];
    FormatRunTime(now, runTime, sizeof runTime);
    AppendText(text, size, "%d processor%s%s for %s, ", judge.count, judge.count == 1 ? "" : "s",
               judge.cycling ? " in turn" : "", runTime);
    if (judge.parts > 1)
        AppendText(text, size, "in %d parts, ", judge.parts);
}

void AppendPass(const Judge& judge, uint64_t now, char* text, int size) {
    AppendText(text, size, "PASS: ");
    AppendRun(judge, now, text, size);
    AppendLeast(judge, now, text, size);
    AppendText(text, size, ", none failed");
}

void AppendNotProven(const Judge& judge, uint64_t now, char* text, int size) {
    AppendText(text, size, "NOT PROVEN: ");
    AppendUnproven(judge, now, text, size);
    AppendText(text, size, "; ");
    AppendRun(judge, now, text, size);
    AppendText(text, size, "none failed");
}

// The failures, then the unproven processors or else the others' least evidence.
void AppendFail(const Judge& judge, uint64_t now, char* text, int size) {
    int failed = CountOf(judge, Failed);
    AppendText(text, size, "FAIL: ");
    AppendRun(judge, now, text, size);
    AppendFailures(judge, text, size, failed);
    if (CountOf(judge, Unproven)) {
        AppendText(text, size, "; ");
        AppendUnproven(judge, now, text, size);
    } else if (failed < judge.count) {
        AppendText(text, size, "; the others ");
        AppendLeast(judge, now, text, size);
    }
}

} // namespace

Verdict VerdictText(const Judge& judge, uint64_t now, const char* note, char* text, int size) {
    Verdict verdict = CountOf(judge, Failed)                         ? failVerdict
                      : CountOf(judge, Unproven) || judge.count == 0 ? notProvenVerdict
                                                                     : passVerdict;
    text[0] = '\0';
    if (judge.count == 0)
        AppendText(text, size, "NOT PROVEN: no processor was tested");
    else if (verdict == failVerdict)
        AppendFail(judge, now, text, size);
    else if (verdict == notProvenVerdict)
        AppendNotProven(judge, now, text, size);
    else
        AppendPass(judge, now, text, size);
    AppendNotes(judge, text, size);
    if (judge.stoppedAtOnce)
        AppendText(text, size,
                   "; the machine stopped with %d processors under the tool at once: a cycle run "
                   "(--cycle) tells which core it was",
                   judge.stoppedAtOnce);
    AppendWarnings(judge, text, size);
    if (note && *note)
        AppendText(text, size, "; %s", note);
    return verdict;
}

void WriteEndRows(Judge* judge, uint64_t now) {
    for (int i = 0; i < judge->count; ++i)
        EmitRow(*judge, EndRow(judge->watches[i], now));
}

int WriteVerdict(Judge* judge, uint64_t now, const char* note) {
    LogRow verdict = MakeLogRow(now, -1, verdictEvent, "%s", "");
    int code = VerdictText(*judge, now, note, verdict.detail, sizeof verdict.detail);
    EmitRow(*judge, verdict);
    return code;
}

int FinishJudge(Judge* judge, uint64_t now, const char* note) {
    WriteEndRows(judge, now);
    return WriteVerdict(judge, now, note);
}
