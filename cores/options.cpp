#include "cores/options.h"

#include "cores/judge.h"

#include <stdio.h>
#include <string.h>

namespace {

const uint32_t kLeastCycleSeconds = 10;

// A whole unsigned decimal number up to `limit`; the rest of the text after it.
const char* ReadCount(const char* text, uint32_t limit, uint32_t* value) {
    if (*text < '0' || *text > '9')
        return nullptr;
    uint64_t n = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if ((n = n * 10 + uint64_t(*text - '0')) > limit)
            return nullptr;
    *value = uint32_t(n);
    return text;
}

// The whole text a number from `least` to `most`.
bool ParseCount(const char* text, uint32_t least, uint32_t most, uint32_t* value) {
    const char* end = ReadCount(text, most, value);
    return end && !*end && *value >= least;
}

bool CopyPath(char* destination, const char* value) {
    if (!*value || strlen(value) >= size_t(kPathCapacity))
        return false;
    strcpy(destination, value);
    return true;
}

// Sets the option `name` from `value`; false when the value is not valid.
bool SetOption(CoresOptions* options, const char* name, const char* value) {
    if (strcmp(name, "processors") == 0)
        return ParseProcessorList(value, &options->processors);
    if (strcmp(name, "cycle") == 0)
        return ParseCount(value, kLeastCycleSeconds, 0xFFFFFFFFu, &options->cycleSeconds);
    if (strcmp(name, "duration") == 0)
        return ParseDuration(value, &options->durationSeconds);
    if (strcmp(name, "every") == 0)
        return ParseCount(value, 1, 0xFFFFFFFFu, &options->everySeconds);
    if (strcmp(name, "threads") == 0)
        return ParseCount(value, 1, uint32_t(kMaxThreads), &options->threads);
    if (strcmp(name, "workload") == 0) {
        bool check = strcmp(value, "check") == 0;
        options->workload = check ? checkWorkload : toolWorkload;
        return check || strcmp(value, "tool") == 0;
    }
    if (strcmp(name, "log") == 0)
        return CopyPath(options->logPath, value);
    if (strcmp(name, "chart") == 0)
        return CopyPath(options->chartPath, value);
    return CopyPath(options->toolPath, value); // "tool"
}

bool IsFlag(const char* name) {
    return strcmp(name, "help") == 0 || strcmp(name, "resume") == 0 ||
           strcmp(name, "autostart") == 0;
}

void SetFlag(CoresOptions* options, const char* name) {
    bool* flag = strcmp(name, "help") == 0     ? &options->help
                 : strcmp(name, "resume") == 0 ? &options->resume
                                               : &options->autostart;
    *flag = true;
}

// --resume takes every option from the log but the log itself.
bool ResumeAlone(const CoresOptions& options, int count, char* error, int errorSize) {
    if (!options.resume)
        return true;
    if (!options.logPath[0])
        snprintf(error, size_t(errorSize),
                 "--resume needs --log FILE: the log of the run to go "
                 "on with.");
    else if (count != 3)
        snprintf(error, size_t(errorSize),
                 "--resume takes the run's options from its log: give "
                 "--log FILE alone with it.");
    return options.logPath[0] && count == 3;
}

bool TakesValue(const char* name) {
    static const char* const names[] = {"processors", "cycle", "duration", "every",   "threads",
                                        "log",        "chart", "tool",     "workload"};
    for (const char* known : names)
        if (strcmp(name, known) == 0)
            return true;
    return false;
}

// The value's sentence: the range where the usage's word is not enough.
void RefuseValue(const char* name, const char* argument, const char* value, char* error,
                 int errorSize) {
    char range[32] = "";
    if (strcmp(name, "threads") == 0)
        snprintf(range, sizeof range, ": it takes 1 to %d", kMaxThreads);
    snprintf(error, size_t(errorSize), "\"%s\" is not a valid value for %s%s.", value, argument,
             range);
}

} // namespace

const char* CoresUsage() {
    static char usage[2000];
    if (usage[0])
        return usage;
    snprintf(
        usage, sizeof usage,
        "Usage: vesko-cores [options]\n"
        "  --processors all|LIST  processors to test, e.g. 0,2,4-7 (default: all)\n"
        "  --cycle SECONDS        a core's tools moved to the next core every SECONDS (%lu or "
        "more)\n"
        "  --threads N            with --cycle: tools on a core's first N threads at once, 1 to "
        "%d\n"
        "                         (default 1: one busy thread reaches the core's highest clock)\n"
        "  --duration TIME        end after TIME: 90s, 30m, 12h or seconds (default: until "
        "closed)\n"
        "  --every SECONDS        a figures row per processor every SECONDS (default 10)\n"
        "  --log FILE             the CSV log (default: vesko-cores-YYYYMMDD-HHMMSS.csv here)\n"
        "  --chart FILE           write the chart as a BMP file at the end\n"
        "  --workload tool|check  run the tool, or vesko-check, whose every result is checked\n"
        "                         (default: tool)\n"
        "  --tool PATH            the program to run (default: vesko.exe, or vesko-check.exe with\n"
        "                         --workload check, beside this program)\n"
        "  --resume               with --log FILE alone: go on with the run the machine cut short\n"
        "  --autostart            register the resume command for the next logon while it runs\n"
        "  --help                 this text\n"
        "Exit code: 0 PASS, 1 FAIL, 2 a bad command line, 3 NOT PROVEN (a processor finished\n"
        "fewer than %d bursts).\n",
        (unsigned long)kLeastCycleSeconds, kMaxThreads, kProvenBursts);
    return usage;
}

bool ParseProcessorList(const char* text, uint64_t* mask) {
    if (strcmp(text, "all") == 0) {
        *mask = 0;
        return true;
    }
    uint64_t chosen = 0;
    const uint32_t last = uint32_t(kMaxProcessors - 1);
    for (;;) {
        uint32_t first, to;
        if (!(text = ReadCount(text, last, &first)))
            return false;
        to = first;
        if (*text == '-' && (!(text = ReadCount(text + 1, last, &to)) || to < first))
            return false;
        for (uint32_t p = first; p <= to; ++p)
            chosen |= uint64_t(1) << p;
        if (!*text)
            break;
        if (*text++ != ',')
            return false;
    }
    *mask = chosen;
    return true;
}

bool ParseDuration(const char* text, uint32_t* seconds) {
    uint32_t count;
    const char* end = ReadCount(text, 0xFFFFFFFFu, &count);
    if (!end || count == 0)
        return false;
    uint32_t unit = 1;
    if (*end == 'm')
        unit = 60;
    else if (*end == 'h')
        unit = 3600;
    else if (*end && *end != 's')
        return false;
    if ((*end && end[1]) || count > 0xFFFFFFFFu / unit)
        return false;
    *seconds = count * unit;
    return true;
}

bool ParseOptions(int count, char** arguments, CoresOptions* options, char* error, int errorSize) {
    memset(options, 0, sizeof *options);
    options->everySeconds = 10;
    options->threads = 1;
    bool threadsGiven = false;
    for (int i = 0; i < count; ++i) {
        const char* argument = arguments[i];
        const char* name = argument + (strncmp(argument, "--", 2) == 0 ? 2 : *argument == '/');
        if (name == argument || (!IsFlag(name) && !TakesValue(name))) {
            snprintf(error, size_t(errorSize), "\"%s\" is not an option.", argument);
            return false;
        }
        if (IsFlag(name)) {
            SetFlag(options, name);
        } else if (i + 1 == count) {
            snprintf(error, size_t(errorSize), "%s needs a value.", argument);
            return false;
        } else if (!SetOption(options, name, arguments[++i])) {
            RefuseValue(name, argument, arguments[i], error, errorSize);
            return false;
        }
        threadsGiven |= strcmp(name, "threads") == 0;
    }
    if (threadsGiven && !options->cycleSeconds) { // one tool per processor already
        snprintf(error, size_t(errorSize), "--threads goes with --cycle only.");
        return false;
    }
    return ResumeAlone(*options, count, error, errorSize);
}

bool JoinArguments(int count, char** arguments, char* text, int size) {
    int used = 0;
    text[0] = '\0';
    for (int i = 0; i < count; ++i) {
        const char* argument = arguments[i];
        bool quote = !*argument || strchr(argument, ' ');
        int wrote = snprintf(text + used, size_t(size - used), "%s%s%s%s", i ? " " : "",
                             quote ? "\"" : "", argument, quote ? "\"" : "");
        if (strchr(argument, '"') || wrote < 0 || wrote >= size - used)
            return false;
        used += wrote;
    }
    return true;
}

int SplitArguments(char* text, char** arguments, int most) {
    int count = 0;
    for (char* at = text; *at;) {
        if (count == most || *at == ' ')
            return -1;
        bool quoted = *at == '"';
        char* start = at + quoted;
        char* end = quoted ? strchr(start, '"') : start + strcspn(start, " \"");
        if (!end || (!quoted && *end == '"'))
            return -1;
        char* next = end + quoted; // the space after it, or the end
        if (*next && *next != ' ')
            return -1;
        bool last = !*next;
        *end = '\0';
        arguments[count++] = start;
        if (last)
            break;
        at = next + 1;
        if (!*at) // a space at the end
            return -1;
    }
    return count;
}

bool ChooseProcessors(uint64_t wanted, uint64_t present, uint64_t* chosen, char* error,
                      int errorSize) {
    if (!present) { // an affinity mask of 0: the system did not answer
        snprintf(error, size_t(errorSize),
                 "The system did not tell which processors this machine has: none to test.");
        return false;
    }
    uint64_t missing = wanted & ~present;
    if (missing) {
        int p = 0;
        while (!(missing >> p & 1))
            ++p;
        snprintf(error, size_t(errorSize), "This machine has no processor %d.", p);
        return false;
    }
    *chosen = wanted ? wanted : present;
    return true;
}
