#include "check/check_status.h"

#include "check/error_line.h"

#include <stdio.h>

void CountBurst(CheckStatus* status, const CheckResult& result, uint64_t seconds,
                uint32_t writeError) {
    status->seconds = seconds;
    ++status->bursts;
    if (result.ok)
        return;
    ++status->errors;
    status->latest = result;
    if (writeError) {
        ++status->unwritten;
        status->writeError = writeError;
    }
}

CheckTitle TitleOf(const CheckStatus& status) {
    return {status.seconds, status.bursts, status.errors, status.latest.burst, status.path};
}

void StatusLines(const CheckStatus& status, char lines[kStatusLineCount][kStatusLineSize]) {
    char bursts[32], errors[32], burst[32];
    FormatGrouped(status.bursts, bursts, sizeof bursts);
    FormatGrouped(status.errors, errors, sizeof errors);
    FormatGrouped(status.latest.burst, burst, sizeof burst);
    snprintf(lines[0], kStatusLineSize, "Path: %s",
             status.path == avx2Path ? "AVX2, 256-bit fused multiply-add"
                                     : "SSE2, 128-bit multiply and add");
    snprintf(lines[1], kStatusLineSize, "Bursts: %s finished, %s with a wrong result", bursts,
             errors);
    if (status.errors)
        snprintf(lines[2], kStatusLineSize,
                 "Latest wrong: burst %s, %s: expected 0x%016llX, got 0x%016llX", burst,
                 UnitName(status.latest.phase), (unsigned long long)status.latest.expected,
                 (unsigned long long)status.latest.got);
    else
        snprintf(lines[2], kStatusLineSize, "Latest wrong: none");
    if (status.unwritten)
        snprintf(lines[3], kStatusLineSize,
                 "Errors file: %llu wrong result%s NOT written to %s (error %lu)",
                 (unsigned long long)status.unwritten, status.unwritten == 1 ? "" : "s",
                 status.errorsPath, (unsigned long)status.writeError);
    else if (status.errorsPath[0])
        snprintf(lines[3], kStatusLineSize, "Errors file: %s", status.errorsPath);
    else
        snprintf(lines[3], kStatusLineSize, "Errors file: none (--errors FILE keeps them)");
}
