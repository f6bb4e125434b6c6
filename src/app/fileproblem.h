// Why a file could not be read or written, in the user's words. The Windows side sorts the
// system's error into one of these causes; every message about a file names the same cause.
#pragma once
#include <stdint.h>

enum FileProblem : int32_t {
  FileProblemNone = 0,
  FileProblemFolder = 1,    // a folder stands where the file should be
  FileProblemNoAccess = 2,  // the system refused access (rights, a read-only file or disk)
  FileProblemBusy = 3,      // another program holds the file
  FileProblemDiskFull = 4,  // no room left on the disk
  FileProblemOther = 5,     // any other error
};

constexpr int32_t fileNameUnits = 64;
struct FileFailure {
  int32_t problem;
  bool reading;                   // the failure came while reading, not writing
  char16_t name[fileNameUnits];   // the file's name, without its folder
};
// The last failure of a file read or write, set where the system reported it.
extern FileFailure lastFileFailure;

// Records a failure of the file at path (only its name is kept).
void NoteFileFailure(int32_t problem, bool reading, const char16_t* path);
// The cause of the failure as a phrase to stand after a colon or a dash, for example
// "файл zoltex_data.txt занят другой программой". Cut to cap; returns its length.
int32_t FormatFileCause(char16_t* out, int32_t cap, const FileFailure& failure);
// The cause of the last failure: a text valid until the next call.
const char16_t* LastFileCause();
