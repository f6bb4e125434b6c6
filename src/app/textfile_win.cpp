#include "app/textfile.h"

#include "app/clock.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/textcodec.h"
#include "app/textfile_win.h"

char16_t textBuffer[textBufferUnits];
bool lastReadCut = false;
bool lastReadFailed = false;
int32_t lastReadEncoding = EncodingUtf8;
BOOL(WINAPI* fileWrite)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = WriteFile;
BOOL(WINAPI* fileMove)(LPCWSTR, LPCWSTR, DWORD) = MoveFileExW;

namespace {
uint8_t readBytes[readByteLimit + 2];
// UTF-8 takes at most three bytes for one UTF-16 unit (four for a pair of two).
constexpr int32_t writeByteUnits = 3 * writeTextUnits;
uint8_t writeBytes[writeByteUnits];

// A file that is not there reads as empty; anything else that keeps it from being read is a
// failure the callers must not take for an empty file.
bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool WriteBytes(const char16_t* path, const char16_t* text, bool append, bool flush) {
  int32_t units = 0;
  while (text[units]) units++;
  int32_t count = EncodeUtf8(text, units, writeBytes, writeByteUnits);
  if (count < 0) return false;  // too long for the buffer: the file is not touched
  HANDLE file = CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ, NULL,
                            append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return false;
  if (append) SetFilePointer(file, 0, NULL, FILE_END);
  DWORD written = 0;
  BOOL ok = count == 0 || fileWrite(file, writeBytes, static_cast<DWORD>(count), &written, NULL);
  bool complete = ok && (count == 0 || written == static_cast<DWORD>(count));
  if (complete && flush) complete = FlushFileBuffers(file) != 0;
  CloseHandle(file);
  return complete;
}
}  // namespace

int32_t ReadTextFile(const char16_t* path) {
  textBuffer[0] = 0;
  lastReadCut = false;
  lastReadFailed = false;
  HANDLE file = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) {
    lastReadFailed = !IsMissing(GetLastError());
    return 0;
  }
  DWORD n = 0;
  if (!ReadFile(file, readBytes, readByteLimit, &n, NULL)) {
    n = 0;
    lastReadFailed = true;
  }
  if (n == static_cast<DWORD>(readByteLimit)) {
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    lastReadCut = high != 0 || low > static_cast<DWORD>(readByteLimit);
  }
  CloseHandle(file);
  readBytes[n] = 0;
  readBytes[n + 1] = 0;
  return DecodeTextBytes(readBytes, static_cast<int32_t>(n), textBuffer, textBufferUnits,
                         &lastReadEncoding, lastReadCut);
}

// Another program that has the file open (an indexer, a virus scanner, a backup; under Wine any
// open handle at all) makes the replace fail for as long as it holds the file. Such holds are
// short, so the replace is tried again for a while before the save counts as failed.
constexpr uint32_t replaceRetryMs = 500;

bool MoveIntoPlace(const char16_t* temp, const char16_t* path) {
  uint32_t start = TickNow();
  for (;;) {
    if (fileMove(W(temp), W(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DWORD error = GetLastError();
    bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
    if (!held || TickNow() - start >= replaceRetryMs) break;
    Sleep(10);
  }
  DeleteFileW(W(temp));
  return false;
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
