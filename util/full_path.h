#pragma once

// The full path of `path` in `full`, or the path as given when the full one
// cannot be had or does not fit in `size` bytes.
void FullPathOrAsGiven(const char* path, char* full, int size);
