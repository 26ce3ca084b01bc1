#include "util/string.h"

#include "util/text.h"

#include <new>
#include <stddef.h>

namespace {
const char kEmptyText[1] = {0};
}

String::String() : text(nullptr), capacity(0) {}

String::~String() {
    Free();
}

void String::Reserve(int n) {
    Free();
    text = new (std::nothrow) char[size_t(n) + 1];
    if (text)
        capacity = n;
}

void String::Assign(const char* s) {
    int length = StrLength(s);
    if (capacity < length)
        Reserve(length);
    StrCopy(text, s);
}

const char* String::Text() const {
    return text ? text : kEmptyText;
}

int String::Length() const {
    return StrLength(text);
}

void String::Resize(int n) {
    if (n < 0)
        return;
    char* buffer = new (std::nothrow) char[size_t(n) + 1];
    if (!buffer)
        return;
    int length = StrLength(text);
    int kept = length < n ? length : n;
    StrCopyN(buffer, text, kept);
    buffer[kept] = 0;
    delete[] text;
    text = buffer;
    capacity = n;
}

void String::Free() {
    delete[] text;
    text = nullptr;
    capacity = 0;
}

void String::Compact() {
    Resize(Length());
}
