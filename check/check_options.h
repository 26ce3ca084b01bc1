#pragma once

#include "check/known_answers.h"

// vesko-check's command line: --path sse2|avx2 and --errors FILE, each as --name or /name
// with its value after a space, each at most once.

const int kErrorsPathCapacity = 260;

struct CheckOptions {
    CheckPath path;
    char errorsPath[kErrorsPathCapacity]; // empty: no errors file
};

// Parses the arguments after the program's name. The path defaults to the heaviest one
// `avx2Allowed` leaves. False with what is wrong in `error`: the usage after a bad argument,
// or why --path avx2 cannot run here.
bool ParseCheckOptions(int count, char** arguments, bool avx2Allowed, CheckOptions* options,
                       char* error, int errorSize);
