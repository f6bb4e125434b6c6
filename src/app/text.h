// UTF-16 text helpers shared by every module. Text in the program is char16_t (Windows' wchar_t
// is 16 bits, Linux's is 32), and every write into a fixed buffer is bounded by its capacity.
#pragma once
#include <stdint.h>

int32_t TextLength(const char16_t* text);
// Copies at most cap - 1 units and always terminates (cap >= 1). Returns the units copied.
int32_t CopyText(char16_t* dst, int32_t cap, const char16_t* src);
// The same, but takes at most count units of src.
int32_t CopyTextN(char16_t* dst, int32_t cap, const char16_t* src, int32_t count);
bool TextEquals(const char16_t* a, const char16_t* b);

// Bounded printf for UTF-16: %d %u %s %c %% with the flags '-' and '0' and a width. The 'l' of
// %lu is accepted and ignored: every integer argument is 32 bits (int32_t or uint32_t), %s takes
// const char16_t*. The result is cut to cap - 1 units and always terminated. Returns its length.
int32_t FormatText(char16_t* dst, int32_t cap, const char16_t* format, ...);
