#include "store/datafile.h"

#include <string.h>

#include "app/clock.h"
#include "app/fileproblem.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/textfile.h"
#include "app/textfile_win.h"
#include "store/ticket.h"

int32_t lastSaveProblem = SaveProblemNone;

namespace {
// The data file on disk holds something a save would not write back (see DataFileNeedsCopy), or
// could not be read at all: it is copied aside before the first save replaces it.
bool backupPending = false;
bool dataUnread = false;
// Locks by other programs (a sync client, a backup tool, a virus scanner) last a moment.
constexpr DWORD busyRetryMs = 2000;
constexpr DWORD copyChunk = 65536;
uint8_t copyBytes[copyChunk], otherBytes[copyChunk];

enum CopyResult { CopyDone, CopyNothing, CopySourceBusy, CopyFailed };

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Whether the file at path holds exactly the bytes of the open source (read from its start).
bool SameBytes(HANDLE source, const char16_t* path) {
  HANDLE other = CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
  if (other == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER a, b;
  bool same = GetFileSizeEx(source, &a) && GetFileSizeEx(other, &b) && a.QuadPart == b.QuadPart;
  SetFilePointer(source, 0, NULL, FILE_BEGIN);
  while (same) {
    DWORD n = 0, m = 0;
    same = ReadFile(source, copyBytes, copyChunk, &n, NULL) &&
           ReadFile(other, otherBytes, copyChunk, &m, NULL) && n == m &&
           memcmp(copyBytes, otherBytes, n) == 0;
    if (n == 0) break;
  }
  CloseHandle(other);
  SetFilePointer(source, 0, NULL, FILE_BEGIN);
  return same;
}

// Makes zoltex_data.bak free: the copies up to the first free generation move one generation on
// (with every generation taken, the oldest is dropped). Nothing moves while the newest is free,
// so saves that keep failing never push older copies out. A folder under a copy's name is the
// user's: it is never moved, and no copy is made.
bool FreeNewestGeneration() {
  char16_t from[pathBufferUnits], to[pathBufferUnits];
  int32_t free = backupGenerations;
  for (int32_t g = 1; g <= backupGenerations; g++) {
    FormatBackupPath(to, pathBufferUnits, g);
    DWORD attributes = GetFileAttributesW(W(to));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      free = g;
      break;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      NoteFileFailure(FileProblemFolder, false, to);
      return false;
    }
  }
  for (int32_t g = free; g > 1; g--) {
    FormatBackupPath(from, pathBufferUnits, g - 1);
    FormatBackupPath(to, pathBufferUnits, g);
    if (!fileMove(W(from), W(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      NoteFileFailure(FileProblemOf(GetLastError(), to), false, to);
      return false;
    }
  }
  return true;
}

// Copies the open source into the open target, flushed. A failure is noted for the copy's name:
// the read of a file that opened is not what fails in practice.
bool CopyBytes(HANDLE source, HANDLE target) {
  for (;;) {
    DWORD n = 0, written = 0;
    bool ok = ReadFile(source, copyBytes, copyChunk, &n, NULL) != 0;
    if (ok && n == 0 && FlushFileBuffers(target)) return true;
    if (ok && n > 0) {
      SetLastError(ERROR_SUCCESS);
      if (fileWrite(target, copyBytes, n, &written, NULL) && written == n) continue;
      if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_DISK_FULL);  // taken short
    }
    NoteFileFailure(FileProblemOf(GetLastError(), appPaths.backupPath), false, appPaths.backupPath);
    return false;
  }
}

// Copies the data file's bytes to zoltex_data.bak, flushed, keeping older copies under their
// generation names. A newest copy that already holds the same bytes is the copy.
CopyResult CopyDataAside() {
  HANDLE source = CreateFileW(W(appPaths.dataPath), GENERIC_READ, FILE_SHARE_READ, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (source == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (IsMissing(error)) return CopyNothing;
    NoteFileFailure(FileProblemOf(error, appPaths.dataPath), true, appPaths.dataPath);
    return CopySourceBusy;
  }
  CopyResult result = CopyDone;
  if (!SameBytes(source, appPaths.backupPath)) {
    result = CopyFailed;
    if (FreeNewestGeneration()) {
      HANDLE target = CreateFileW(W(appPaths.backupPath), GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
      if (target != INVALID_HANDLE_VALUE) {
        bool copied = CopyBytes(source, target);
        CloseHandle(target);
        if (copied) result = CopyDone;
        else DeleteFileW(W(appPaths.backupPath));
      } else {
        NoteFileFailure(FileProblemOf(GetLastError(), appPaths.backupPath), false,
                        appPaths.backupPath);
      }
    }
  }
  CloseHandle(source);
  return result;
}

bool Fail(int32_t problem) {
  lastSaveProblem = problem;
  return false;
}
}  // namespace

SaveBufferTaken::SaveBufferTaken() : kept_(saveBuffer) {
  void* room = TakeMemory(sizeof(char16_t) * saveBufferUnits);
  if (room) saveBuffer = static_cast<char16_t*>(room);  // without memory, the room there is serves
}

SaveBufferTaken::~SaveBufferTaken() {
  if (saveBuffer != kept_) GiveBackMemory(saveBuffer);
  saveBuffer = kept_;
}

void LoadTickets() {
  int32_t n = ReadTextFile(appPaths.dataPath);
  DWORD start = GetTickCount();
  // Only a hold by another program passes; a folder in the way or a refused access stays.
  while (lastReadFailed && lastFileFailure.problem == FileProblemBusy &&
         GetTickCount() - start < busyRetryMs) {
    Sleep(100);
    n = ReadTextFile(appPaths.dataPath);
  }
  dataUnread = lastReadFailed;
  if (dataUnread) {
    backupPending = true;
    return;
  }
  ParseTicketText(textBuffer, n, UnixNow());
  SaveBufferTaken room;  // the store's text is made once more to be compared with the file
  backupPending = DataFileNeedsCopy(textBuffer, n, lastReadEncoding, lastReadCut);
  ReleaseReadText();
}

bool DataFileUnread() { return dataUnread; }

bool SaveTickets() {
  lastSaveProblem = SaveProblemNone;
  SaveBufferTaken room;
  FormatTicketText(UnixNow());
  if (!WriteTextFileDurable(appPaths.tempPath, saveBuffer)) return Fail(SaveProblemNotWritten);
  if (backupPending) {
    CopyResult copied = CopyDataAside();
    if (copied == CopySourceBusy || copied == CopyFailed) {
      DeleteFileW(W(appPaths.tempPath));
      return Fail(copied == CopySourceBusy ? SaveProblemDataBusy : SaveProblemNoCopy);
    }
    backupPending = dataUnread = false;  // copied, or nothing left to copy
  }
  if (!MoveIntoPlace(appPaths.tempPath, appPaths.dataPath)) return Fail(SaveProblemNotReplaced);
  return true;
}

bool SaveTicketsReported() {
  bool saved = SaveTickets();
  if (!saved) ShowStatus(SaveProblemText(lastSaveProblem));
  return saved;
}
