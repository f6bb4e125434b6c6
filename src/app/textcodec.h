// Byte decoding and UTF-8 encoding of text files, without the file system.
#pragma once
#include <stdint.h>

constexpr int32_t readByteLimit = 1048574;  // longest file prefix read; two zero bytes fit behind

// EncodingUtf8 is UTF-8 without a byte-order mark: the only form the program writes.
enum TextEncoding : int32_t {
  EncodingUtf8 = 0,
  EncodingUtf16 = 1,
  EncodingCp1251 = 2,
  EncodingUtf8Mark = 3,
};

// Decodes file bytes: UTF-16 LE with mark, else UTF-8 with or without mark (strictly validated),
// else code page 1251. Writes at most cap - 1 units and a terminator. Returns the unit count;
// the encoding it took goes to *encoding when given. cut says the bytes are the first part of a
// longer file: a character split by the cut is dropped, so a UTF-8 file stays UTF-8.
int32_t DecodeTextBytes(const uint8_t* bytes, int32_t count, char16_t* out, int32_t cap,
                        int32_t* encoding = nullptr, bool cut = false);
// Strict UTF-8 to UTF-16 as MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS): -1 on any invalid
// sequence or when the result does not fit in cap units (no terminator written).
int32_t DecodeUtf8Strict(const uint8_t* bytes, int32_t count, char16_t* out, int32_t cap);
// Every byte one character of code page 1251, at most cap of them (no terminator written).
int32_t DecodeCp1251(const uint8_t* bytes, int32_t count, char16_t* out, int32_t cap);
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD. -1 when the result does not fit in cap bytes.
int32_t EncodeUtf8(const char16_t* text, int32_t count, uint8_t* out, int32_t cap);
