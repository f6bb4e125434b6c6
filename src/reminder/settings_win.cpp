// The settings file and the once-a-second reminder check.
#include "reminder/reminder_win.h"

#include "app/clock.h"
#include "app/paths.h"
#include "app/textfile.h"
#include "reminder/settings.h"

bool SaveSettings() {
  char16_t text[settingsTextUnits];
  FormatSettingsText(settings, text, settingsTextUnits);
  return WriteTextFile(appPaths.settingsPath, text, false);
}

void LoadSettings() {
  ResetSettings();
  int32_t n = ReadTextFile(appPaths.settingsPath);
  if (n < 1) {
    SaveSettings();
    return;
  }
  ParseSettingsText(textBuffer, n, &settings);
  ReleaseReadText();
}

bool UpdateSettings(int32_t remind, int32_t hour, int32_t minute) {
  ApplySettingsUpdate(&settings, remind, hour, minute, LocalNow());
  return SaveSettings();
}

void CheckReminder() {
  if (settings.remind == 0) return;
  LocalTime now = LocalNow();
  int32_t action = StepReminder(&settings, now, OpenTicketCount());
  if (action == ReminderNothing) return;
  SaveSettings();  // a failed daily mark is not worth a message: at worst the reminder repeats
  if (action == ReminderShowNow) ShowReminder(false);
}
