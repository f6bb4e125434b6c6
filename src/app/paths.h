// The program folder and the paths derived from it.
#pragma once
#include <stdint.h>

struct AppPaths {
  char16_t programFolder[520];
  char16_t dataPath[560];
  char16_t tempPath[560];
  char16_t historyPath[560];
  char16_t bindsFolder[560];
  char16_t settingsPath[560];
  char16_t backupPath[560];  // zoltex_data.bak: copy of a data file the loader could not fully use
};

extern AppPaths appPaths;

// Fills every path from the module file name: the folder is the name up to its last backslash.
void BuildAppPaths(const char16_t* moduleFileName);
// "%s\F%d.txt" in the binds folder, slot n from 1 to 12.
void FormatBindPath(char16_t* out, int32_t cap, int32_t slot);
