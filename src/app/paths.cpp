#include "app/paths.h"

#include "app/text.h"

AppPaths appPaths;

namespace {
constexpr int32_t pathUnits = sizeof(appPaths.dataPath) / sizeof(char16_t);
}  // namespace

bool BuildAppPaths(const char16_t* moduleFileName) {
  AppPaths& p = appPaths;
  int32_t lastSlash = -1;
  for (int32_t i = 0; moduleFileName[i]; i++)
    if (moduleFileName[i] == u'\\') lastSlash = i;
  if (lastSlash >= folderUnits) return false;
  CopyTextN(p.programFolder, folderUnits, moduleFileName, lastSlash < 0 ? 0 : lastSlash);
  FormatText(p.dataPath, pathUnits, u"%s\\zoltex_data.txt", p.programFolder);
  FormatText(p.tempPath, pathUnits, u"%s\\zoltex_data.tmp", p.programFolder);
  FormatText(p.historyPath, pathUnits, u"%s\\zoltex_history.txt", p.programFolder);
  FormatText(p.bindsFolder, pathUnits, u"%s\\binds", p.programFolder);
  FormatText(p.settingsPath, pathUnits, u"%s\\zoltex_settings.txt", p.programFolder);
  FormatBackupPath(p.backupPath, pathUnits, 1);
  return true;
}

void FormatBindPath(char16_t* out, int32_t cap, int32_t slot) {
  FormatText(out, cap, u"%s\\F%d.txt", appPaths.bindsFolder, slot);
}

bool FormatTempPath(char16_t* out, int32_t cap, const char16_t* path) {
  int32_t n = TextLength(path);
  bool txt = n >= 4 && path[n - 4] == u'.' && path[n - 3] == u't' && path[n - 2] == u'x' &&
             path[n - 1] == u't';
  int32_t stem = txt ? n - 4 : n;
  if (stem + 5 > cap) return false;
  CopyTextN(out, cap, path, stem);
  CopyText(out + stem, cap - stem, u".tmp");
  return true;
}

void FormatBackupPath(char16_t* out, int32_t cap, int32_t generation) {
  if (generation <= 1)
    FormatText(out, cap, u"%s\\zoltex_data.bak", appPaths.programFolder);
  else
    FormatText(out, cap, u"%s\\zoltex_data-%d.bak", appPaths.programFolder, generation);
}
