#include "app/paths.h"

#include "app/text.h"

AppPaths appPaths;

namespace {
constexpr int32_t folderUnits = sizeof(appPaths.programFolder) / sizeof(char16_t);
constexpr int32_t pathUnits = sizeof(appPaths.dataPath) / sizeof(char16_t);
}  // namespace

void BuildAppPaths(const char16_t* moduleFileName) {
  AppPaths& p = appPaths;
  CopyText(p.programFolder, folderUnits, moduleFileName);
  int32_t lastSlash = -1;
  for (int32_t i = 0; p.programFolder[i]; i++)
    if (p.programFolder[i] == u'\\') lastSlash = i;
  p.programFolder[lastSlash < 0 ? 0 : lastSlash] = 0;
  FormatText(p.dataPath, pathUnits, u"%s\\zoltex_data.txt", p.programFolder);
  FormatText(p.tempPath, pathUnits, u"%s\\zoltex_data.tmp", p.programFolder);
  FormatText(p.historyPath, pathUnits, u"%s\\zoltex_history.txt", p.programFolder);
  FormatText(p.bindsFolder, pathUnits, u"%s\\binds", p.programFolder);
  FormatText(p.settingsPath, pathUnits, u"%s\\zoltex_settings.txt", p.programFolder);
  FormatText(p.backupPath, pathUnits, u"%s\\zoltex_data.bak", p.programFolder);
}

void FormatBindPath(char16_t* out, int32_t cap, int32_t slot) {
  FormatText(out, cap, u"%s\\F%d.txt", appPaths.bindsFolder, slot);
}
