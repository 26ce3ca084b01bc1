#pragma once

// Zero-terminated byte texts. A null pointer stands for no text and reads as
// the empty text wherever a text is read.

// Bytes before the terminator; 0 for null.
int StrLength(const char* s);

// Copies the text and its terminator. A null destination does nothing; a null
// source leaves the empty text. The destination must have room: no bound.
void StrCopy(char* destination, const char* source);

// Copies at most n bytes of the text and writes no terminator after them;
// the destination holds the empty text when nothing is copied.
void StrCopyN(char* destination, const char* source, int n);

// A new copy (a new empty text for null) that the caller releases with
// delete[]; null when memory runs out.
char* StrDuplicate(const char* source);
