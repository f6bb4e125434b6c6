// Whole-file text reading and writing (Windows side in textfile_win.cpp; decoding in textcodec).
#pragma once
#include <stdint.h>

constexpr int32_t textBufferUnits = 1048576;
// Decoded text of the last file read, always terminated (room for textBufferUnits units); valid
// until the next ReadTextFile or ReleaseReadText.
extern char16_t* textBuffer;

// Units decoded into textBuffer; 0 when the file is missing, unreadable, empty or undecodable.
int32_t ReadTextFile(const char16_t* path);
// The text read is no longer needed: its memory goes back to the system, textBuffer is empty.
void ReleaseReadText();
// The longest text WriteTextFile takes, its terminator included: the data file's save buffer,
// the largest text the program writes.
constexpr int32_t writeTextUnits = 88256;
// UTF-8 without byte-order mark. A longer text is not written. append false replaces the file through a temporary file beside
// it (".tmp" for ".txt"), flushed and then moved over it: the old text or the new one, never a
// cut one. True when every byte was written (and, replacing, the file was put in place);
// otherwise lastFileFailure (fileproblem.h) says why.
bool WriteTextFile(const char16_t* path, const char16_t* text, bool append);
// Writes the file in place, then FlushFileBuffers: the bytes are on disk when it returns true.
// A failed write leaves no file behind. For temporary files that are then moved into place.
bool WriteTextFileDurable(const char16_t* path, const char16_t* text);
// Moves temp over path (replacing it, written through), waiting out a short hold by another
// program; when that fails temp is kept whole and lastFileFailure says why.
bool MoveIntoPlace(const char16_t* temp, const char16_t* path);
// Whether the last ReadTextFile had to leave bytes of the file behind (longer than the read limit).
extern bool lastReadCut;
// Whether the last ReadTextFile found a file it could not open or read (held by another program,
// not readable, a folder): not the same as a missing file, which reads as empty.
extern bool lastReadFailed;
// The encoding the last ReadTextFile took (TextEncoding of textcodec.h).
extern int32_t lastReadEncoding;
