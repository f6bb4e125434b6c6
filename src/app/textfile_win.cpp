#include "app/textfile.h"

#include "app/clock.h"
#include "app/fileproblem.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/textcodec.h"
#include "app/textfile_win.h"

// The buffers of a read are taken from the system for the read and given back after it: a board
// of 400 tickets reads a few hundred kilobytes once, and the memory need not stay with the program.
static char16_t noText[1];
char16_t* textBuffer = noText;
bool lastReadCut = false;
bool lastReadFailed = false;
int32_t lastReadEncoding = EncodingUtf8;
BOOL(WINAPI* fileWrite)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = WriteFile;
BOOL(WINAPI* fileMove)(LPCWSTR, LPCWSTR, DWORD) = MoveFileExW;

// Whether another program has the file open in a way that keeps it from being replaced: a
// handle that denies delete sharing makes our own open for deleting fail as well. Under Wine any
// open handle stops a replace, and then the open succeeds: what else refused it, with the rights
// and the read-only mark in order, is a holder too.
static bool HeldByAnotherProgram(const char16_t* path) {
  DWORD attributes = GetFileAttributesW(W(path));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  HANDLE probe = CreateFileW(W(path), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    return true;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

int32_t FileProblemOf(DWORD error, const char16_t* path) {
  DWORD attributes = GetFileAttributesW(W(path));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return FileProblemFolder;
  switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileProblemBusy;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileProblemDiskFull;
    case ERROR_ACCESS_DENIED:
      return attributes != INVALID_FILE_ATTRIBUTES && HeldByAnotherProgram(path)
                 ? FileProblemBusy
                 : FileProblemNoAccess;
    case ERROR_WRITE_PROTECT: return FileProblemNoAccess;
    default: return FileProblemOther;
  }
}

namespace {
// The text is encoded and written a piece at a time: UTF-8 takes at most three bytes for one
// UTF-16 unit (four for a pair of two).
constexpr int32_t pieceUnits = 4096;
uint8_t writeBytes[3 * pieceUnits];

// A file that is not there reads as empty; anything else that keeps it from being read is a
// failure the callers must not take for an empty file.
bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Records why path failed, from the error the system gave, and returns false for the caller.
bool NoteFailure(DWORD error, bool reading, const char16_t* path) {
  NoteFileFailure(FileProblemOf(error, path), reading, path);
  return false;
}

// Writes the units of text as UTF-8, a piece at a time, never splitting a surrogate pair; false
// with the error when the file took less than it was given.
bool WritePieces(HANDLE file, const char16_t* text, int32_t units, DWORD* error) {
  for (int32_t done = 0; done < units;) {
    int32_t n = units - done < pieceUnits ? units - done : pieceUnits;
    if (done + n < units && text[done + n - 1] >= 0xD800 && text[done + n - 1] <= 0xDBFF) n--;
    int32_t count = EncodeUtf8(text + done, n, writeBytes, static_cast<int32_t>(sizeof writeBytes));
    DWORD written = 0;
    SetLastError(ERROR_SUCCESS);
    if (!fileWrite(file, writeBytes, static_cast<DWORD>(count), &written, NULL)) {
      *error = GetLastError();
      return false;
    }
    // A write that takes fewer bytes than it was given without an error has run out of disk.
    if (written != static_cast<DWORD>(count)) {
      *error = ERROR_DISK_FULL;
      return false;
    }
    done += n;
  }
  return true;
}

bool WriteBytes(const char16_t* path, const char16_t* text, bool append, bool flush) {
  int32_t units = 0;
  while (text[units]) units++;
  if (units >= writeTextUnits) return false;  // longer than the program writes: not touched
  HANDLE file = CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ, NULL,
                            append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return NoteFailure(GetLastError(), false, path);
  if (append) SetFilePointer(file, 0, NULL, FILE_END);
  DWORD error = ERROR_SUCCESS;
  bool complete = WritePieces(file, text, units, &error);
  if (complete && flush && !FlushFileBuffers(file)) {
    complete = false;
    error = GetLastError();
  }
  CloseHandle(file);
  return complete || NoteFailure(error, false, path);
}
}  // namespace

void* TakeMemory(size_t bytes) {
  return VirtualAlloc(NULL, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void GiveBackMemory(void* memory) {
  if (memory) VirtualFree(memory, 0, MEM_RELEASE);
}

void ReleaseReadText() {
  if (textBuffer != noText) GiveBackMemory(textBuffer);
  textBuffer = noText;
}

int32_t ReadTextFile(const char16_t* path) {
  ReleaseReadText();
  lastReadCut = false;
  lastReadFailed = false;
  HANDLE file = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    lastReadFailed = !IsMissing(error);
    if (lastReadFailed) NoteFailure(error, true, path);
    return 0;
  }
  uint8_t* bytes = static_cast<uint8_t*>(TakeMemory(readByteLimit + 2));
  char16_t* text = static_cast<char16_t*>(TakeMemory(sizeof(char16_t) * textBufferUnits));
  DWORD n = 0;
  if (!bytes || !text) {  // no memory for the read: a failure, not an empty file
    NoteFailure(ERROR_NOT_ENOUGH_MEMORY, true, path);
    lastReadFailed = true;
  } else if (!ReadFile(file, bytes, readByteLimit, &n, NULL)) {
    NoteFailure(GetLastError(), true, path);
    n = 0;
    lastReadFailed = true;
  }
  if (n == static_cast<DWORD>(readByteLimit)) {
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    lastReadCut = high != 0 || low > static_cast<DWORD>(readByteLimit);
  }
  CloseHandle(file);
  int32_t units = 0;
  if (bytes && text) {
    bytes[n] = 0;
    bytes[n + 1] = 0;
    textBuffer = text;
    units = DecodeTextBytes(bytes, static_cast<int32_t>(n), textBuffer, textBufferUnits,
                            &lastReadEncoding, lastReadCut);
  } else if (text) {
    GiveBackMemory(text);
  }
  GiveBackMemory(bytes);
  return units;
}

// Another program that has the file open (an editor, a virus scanner, a backup) makes the
// replace fail for as long as it holds the file. Such holds are short, so the replace is tried
// again for a while before the save counts as failed.
constexpr uint32_t replaceRetryMs = 500;

bool MoveIntoPlace(const char16_t* temp, const char16_t* path) {
  uint32_t start = TickNow();
  for (;;) {
    if (fileMove(W(temp), W(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    int32_t problem = FileProblemOf(GetLastError(), path);
    if (problem != FileProblemBusy || TickNow() - start >= replaceRetryMs) {
      // The temporary file stays: it holds the new text whole, and the next save writes it anew.
      NoteFileFailure(problem, false, path);
      return false;
    }
    Sleep(10);
  }
}

bool WriteTextFile(const char16_t* path, const char16_t* text, bool append) {
  if (append) return WriteBytes(path, text, true, false);
  char16_t temp[pathBufferUnits];
  if (!FormatTempPath(temp, pathBufferUnits, path)) return false;
  return WriteTextFileDurable(temp, text) && MoveIntoPlace(temp, path);
}

bool WriteTextFileDurable(const char16_t* path, const char16_t* text) {
  if (WriteBytes(path, text, false, true)) return true;
  DeleteFileW(W(path));
  return false;
}
