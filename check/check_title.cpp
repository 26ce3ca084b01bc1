#include "check/check_title.h"

#include <stdio.h>
#include <string.h>

const char kCheckBareTitle[] = "Vesko check";

void FormatGrouped(uint64_t value, char* text, int size) {
    char digits[24];
    int count = snprintf(digits, sizeof digits, "%llu", (unsigned long long)value), used = 0;
    for (int i = 0; i < count && used + 2 < size; ++i) {
        if (i && (count - i) % 3 == 0)
            text[used++] = ',';
        text[used++] = digits[i];
    }
    text[used] = '\0';
}

namespace {

// A grouped number at `text` (commas only between groups of three); the text
// after it, or null.
const char* ReadGrouped(const char* text, uint64_t* value) {
    if (!text)
        return nullptr;
    uint64_t n = 0;
    int digits = 0, group = 0;
    for (;; ++text) {
        if (*text >= '0' && *text <= '9') {
            if (n > (UINT64_MAX - 9) / 10)
                return nullptr;
            n = n * 10 + uint64_t(*text - '0'), ++digits, ++group;
        } else if (*text == ',' && text[1] >= '0' && text[1] <= '9' && group && group <= 3 &&
                   (digits == group || group == 3)) {
            group = 0;
        } else {
            break;
        }
    }
    if (!digits || (digits != group && group != 3))
        return nullptr;
    *value = n;
    return text;
}

// Two digits at `text`, up to 59; -1 otherwise.
int Sixty(const char* text) {
    bool digits = text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
    int value = digits ? (text[0] - '0') * 10 + (text[1] - '0') : -1;
    return value < 60 ? value : -1;
}

// `words` at `text`; the text after them, or null.
const char* Expect(const char* text, const char* words) {
    size_t length = strlen(words);
    return text && strncmp(text, words, length) == 0 ? text + length : nullptr;
}

} // namespace

const char* PathName(CheckPath path) {
    return path == avx2Path ? "AVX2" : "SSE2";
}

bool FormatCheckTitle(const CheckTitle& title, char* text, int size) {
    char bursts[32], errors[32], burst[32], latest[48] = "";
    FormatGrouped(title.bursts, bursts, sizeof bursts);
    FormatGrouped(title.errors, errors, sizeof errors);
    if (title.errors) {
        FormatGrouped(title.errorBurst, burst, sizeof burst);
        snprintf(latest, sizeof latest, " (burst %s)", burst);
    }
    int length = snprintf(text, size_t(size), "%s %llu:%02u:%02u, %s burst%s, %s error%s%s, %s",
                          kCheckBareTitle, (unsigned long long)(title.seconds / 3600),
                          unsigned(title.seconds / 60 % 60), unsigned(title.seconds % 60), bursts,
                          title.bursts == 1 ? "" : "s", errors, title.errors == 1 ? "" : "s",
                          latest, PathName(title.path));
    return length > 0 && length < size;
}

bool ParseCheckTitle(const char* text, CheckTitle* title) {
    CheckTitle read = {};
    uint64_t hours = 0;
    const char* at = Expect(Expect(text, kCheckBareTitle), " ");
    for (; at && *at >= '0' && *at <= '9' && hours < UINT64_MAX / 3600 / 10; ++at)
        hours = hours * 10 + uint64_t(*at - '0');
    if (!at || at[0] != ':' || strlen(at) < 6 || at[3] != ':' || Sixty(at + 1) < 0 ||
        Sixty(at + 4) < 0)
        return false;
    read.seconds = hours * 3600 + uint64_t(Sixty(at + 1) * 60 + Sixty(at + 4));
    if (!(at = ReadGrouped(Expect(at + 6, ", "), &read.bursts)) ||
        !(at = Expect(at, read.bursts == 1 ? " burst, " : " bursts, ")) ||
        !(at = ReadGrouped(at, &read.errors)) ||
        !(at = Expect(at, read.errors == 1 ? " error" : " errors")))
        return false;
    if (read.errors &&
        (!(at = ReadGrouped(Expect(at, " (burst "), &read.errorBurst)) || !(at = Expect(at, ")"))))
        return false;
    if (!(at = Expect(at, ", ")))
        return false;
    bool avx2 = strcmp(at, "AVX2") == 0;
    if (!avx2 && strcmp(at, "SSE2") != 0)
        return false;
    read.path = avx2 ? avx2Path : sse2Path;
    *title = read;
    return true;
}
