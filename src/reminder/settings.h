// Reminder settings (core): the record, the file text and the daily decision.
#pragma once
#include <stdint.h>

#include "app/clock.h"

struct Settings {
  int32_t remind;   // 0 or 1
  int32_t hour;     // 0..23
  int32_t minute;   // 0..59
  uint32_t lastDay; // DayNumber of the last day the reminder fired, 0 for never
};

extern Settings settings;

void ResetSettings();  // the defaults: on, 19:30, never fired

constexpr int32_t settingsTextUnits = 64;

// "remind=%d\r\ntime=%02d:%02d\r\nlast=%lu\r\n"
void FormatSettingsText(const Settings& from, char16_t* out, int32_t cap);
// Lenient reading of a settings file's text into *into; missing keys leave their fields alone.
void ParseSettingsText(const char16_t* text, int32_t length, Settings* into);
// year * 10000 + month * 100 + day
uint32_t DayNumber(int32_t year, int32_t month, int32_t day);

enum ReminderAction : int32_t { ReminderNothing = 0, ReminderMarkDay = 1, ReminderShowNow = 2 };
// The once-a-second decision at local time now with openCount tickets in work or on clarification.
int32_t DecideReminder(const Settings& current, const LocalTime& now, int32_t openCount);
// One tick of the schedule: the decision, with the day marked in *current whenever it is not
// ReminderNothing (the caller then saves the settings, and shows the window for ReminderShowNow).
int32_t StepReminder(Settings* current, const LocalTime& now, int32_t openCount);
// Stores new values; re-arms today's reminder when they changed and the new time is still ahead.
void ApplySettingsUpdate(Settings* into, int32_t remind, int32_t hour, int32_t minute,
                         const LocalTime& now);
// Tickets in work or on clarification.
int32_t OpenTicketCount();
// Settings badge of the board: "%02d:%02d" while on, "выкл" while off.
void FormatSettingsBadge(const Settings& from, char16_t* out, int32_t cap);

// The two field texts to a valid time; false for an empty field, hour > 23 or minute > 59.
bool ParseSettingsTime(const char16_t* hourText, const char16_t* minuteText, int32_t* hour,
                       int32_t* minute);
// "Напоминание включено на %02d:%02d" or "Напоминание выключено".
void FormatSettingsStatus(const Settings& from, char16_t* out, int32_t cap);
