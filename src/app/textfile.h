// Whole-file text reading and writing (Windows side in textfile_win.cpp; decoding in textcodec).
#pragma once
#include <stdint.h>

constexpr int32_t textBufferUnits = 1048576;
// Decoded text of the last file read, always terminated; valid until the next ReadTextFile.
extern char16_t textBuffer[textBufferUnits];

// Units decoded into textBuffer; 0 when the file is missing, unreadable, empty or undecodable.
int32_t ReadTextFile(const char16_t* path);
// UTF-8 without byte-order mark; append false replaces the file. True when every byte was written.
bool WriteTextFile(const char16_t* path, const char16_t* text, bool append);
// The same, then FlushFileBuffers before closing: the bytes are on disk when it returns true.
bool WriteTextFileDurable(const char16_t* path, const char16_t* text);
// Whether the last ReadTextFile had to leave bytes of the file behind (longer than the read limit).
extern bool lastReadCut;
// The encoding the last ReadTextFile took (TextEncoding of textcodec.h).
extern int32_t lastReadEncoding;
