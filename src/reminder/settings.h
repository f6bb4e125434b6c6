// Reminder settings (core): the record, the file text and the daily decision.
#pragma once
#include <stdint.h>

struct Settings {
  int32_t remind;   // 0 or 1
  int32_t hour;     // 0..23
  int32_t minute;   // 0..59
  uint32_t lastDay; // DayNumber of the last day the reminder fired, 0 for never
};

extern Settings settings;

void ResetSettings();  // the defaults: on, 19:30, never fired
