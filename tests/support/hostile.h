// Building blocks of hostile files for the program's readers.
#pragma once
#include <string>

// Reproducible binary garbage.
std::string Garbage(size_t size);
// UTF-16 big-endian with its byte-order mark, from ASCII text.
std::string Utf16Be(const std::string& ascii);
// UTF-16 little-endian without a mark, from ASCII text.
std::string Utf16Le(const std::string& ascii);
// count copies of line.
std::string Repeated(const std::string& line, int count);
