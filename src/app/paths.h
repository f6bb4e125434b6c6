// The program folder and the paths derived from it.
#pragma once
#include <stdint.h>

constexpr int32_t folderUnits = 520;      // the program folder with its terminator
constexpr int32_t pathBufferUnits = 600;  // room for any file path of the program
constexpr int32_t backupGenerations = 5;  // copies of doubtful data files kept side by side

struct AppPaths {
  char16_t programFolder[folderUnits];
  char16_t dataPath[560];
  char16_t tempPath[560];
  char16_t historyPath[560];
  char16_t bindsFolder[560];
  char16_t settingsPath[560];
  char16_t backupPath[560];  // zoltex_data.bak: the newest copy of a data file kept before a save
};

extern AppPaths appPaths;

// Fills every path from the module file name: the folder is the name up to its last backslash.
// False when that folder does not fit the path buffers: cutting it would name another folder.
bool BuildAppPaths(const char16_t* moduleFileName);
// "%s\F%d.txt" in the binds folder, slot n from 1 to 12.
void FormatBindPath(char16_t* out, int32_t cap, int32_t slot);
// The temporary file a replace writes first: path with its ".txt" turned into ".tmp", or with
// ".tmp" added. False when it does not fit in cap.
bool FormatTempPath(char16_t* out, int32_t cap, const char16_t* path);
// Copy number generation (1 = newest) of the data file: zoltex_data.bak, zoltex_data-2.bak, ...
void FormatBackupPath(char16_t* out, int32_t cap, int32_t generation);
