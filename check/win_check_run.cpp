#include "check/win_check_run.h"

#include "check/win_errors_file.h"

CheckTitle RecordBurst(CheckRun* run, const CheckResult& result, uint64_t seconds) {
    DWORD writeError = 0;
    if (!result.ok && run->errorsFile != INVALID_HANDLE_VALUE)
        writeError = AppendErrorLine(run->errorsFile, result);
    EnterCriticalSection(&run->lock);
    CountBurst(&run->status, result, seconds, writeError);
    CheckTitle title = TitleOf(run->status);
    LeaveCriticalSection(&run->lock);
    return title;
}

CheckStatus ReadStatus(CheckRun* run) {
    EnterCriticalSection(&run->lock);
    CheckStatus status = run->status;
    LeaveCriticalSection(&run->lock);
    return status;
}
