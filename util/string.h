#pragma once

// An owned text in a heap buffer that grows only when a longer text arrives.
// Running out of memory is never reported: see each operation.
struct String {
    String();
    ~String();
    String(const String&) = delete; // one owner per buffer
    String& operator=(const String&) = delete;

    // Copies s in, reusing the buffer when it is long enough. When a larger
    // buffer cannot be had the old text is already gone: no buffer is left.
    void Assign(const char* s);
    char* Data() const { return text; }
    // Never null: a string without a buffer reads as the empty text.
    const char* Text() const;
    int Length() const;
    // A buffer of exactly n characters, the text cut to fit; unchanged when
    // memory runs out.
    void Resize(int n);
    void Free();
    // A buffer that fits the current text exactly.
    void Compact();

    char* text;   // owned; null when there is no buffer
    int capacity; // characters the buffer holds, not counting the terminator

  private:
    void Reserve(int n);
};
