#include "check/check_options.h"

#include <stdio.h>
#include <string.h>

namespace {

const char kUsage[] =
    "Usage: vesko-check [--path sse2|avx2] [--errors FILE]\n"
    "  --path sse2|avx2  the floating-point path (default: AVX2 where the processor and\n"
    "                    Windows allow it, else SSE2)\n"
    "  --errors FILE     append a line for each wrong result to FILE:\n"
    "                    burst,unit,expected,got\n"
    "Exit code: 0 after the window is closed, 2 a bad command line.";

enum PathChoice { pathDefault, sse2Chosen, avx2Chosen };

// "--name" or "/name": the name; null for anything else.
const char* OptionName(const char* argument) {
    if (strncmp(argument, "--", 2) == 0)
        return argument + 2;
    return *argument == '/' ? argument + 1 : nullptr;
}

// Takes one option with its value; false for an unknown name, a bad value or a repeat.
bool TakeOption(const char* name, const char* value, PathChoice* path, CheckOptions* options) {
    if (strcmp(name, "path") == 0 && *path == pathDefault) {
        bool avx2 = strcmp(value, "avx2") == 0;
        if (!avx2 && strcmp(value, "sse2") != 0)
            return false;
        *path = avx2 ? avx2Chosen : sse2Chosen;
        return true;
    }
    if (strcmp(name, "errors") != 0 || options->errorsPath[0] || !*value ||
        strlen(value) >= size_t(kErrorsPathCapacity))
        return false;
    strcpy(options->errorsPath, value);
    return true;
}

} // namespace

bool ParseCheckOptions(int count, char** arguments, bool avx2Allowed, CheckOptions* options,
                       char* error, int errorSize) {
    memset(options, 0, sizeof *options);
    PathChoice path = pathDefault;
    for (int i = 0; i < count; i += 2) {
        const char* name = OptionName(arguments[i]);
        if (!name || i + 1 == count || !TakeOption(name, arguments[i + 1], &path, options)) {
            bool valued = i + 1 < count;
            snprintf(error, size_t(errorSize), "\"%s%s%s\" is not understood here.\n\n%s",
                     arguments[i], valued ? " " : "", valued ? arguments[i + 1] : "", kUsage);
            return false;
        }
    }
    if (path == avx2Chosen && !avx2Allowed) {
        snprintf(error, size_t(errorSize),
                 "--path avx2: this processor, or this Windows, does not allow AVX2 with fused "
                 "multiply-add. Leave --path out, or give --path sse2.");
        return false;
    }
    bool avx2 = path == avx2Chosen || (path == pathDefault && avx2Allowed);
    options->path = avx2 ? avx2Path : sse2Path;
    return true;
}
