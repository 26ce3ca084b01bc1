#include "util/text.h"

#include <new>
#include <stddef.h>

int StrLength(const char* s) {
    int length = 0;
    if (s)
        while (s[length])
            ++length;
    return length;
}

void StrCopy(char* destination, const char* source) {
    if (!destination)
        return;
    if (!source) {
        destination[0] = 0;
        return;
    }
    // Front to back, terminator included. Measured first, so a text copied
    // onto itself stays as it was.
    int count = StrLength(source) + 1;
    for (int i = 0; i < count; ++i)
        destination[i] = source[i];
}

void StrCopyN(char* destination, const char* source, int n) {
    if (!destination)
        return;
    int length = StrLength(source);
    int count = n < length ? n : length;
    if (count <= 0)
        destination[0] = 0;
    for (int i = 0; i < count; ++i)
        destination[i] = source[i];
}

char* StrDuplicate(const char* source) {
    char* copy = new (std::nothrow) char[size_t(StrLength(source)) + 1];
    StrCopy(copy, source);
    return copy;
}
