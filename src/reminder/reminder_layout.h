// Geometry of the reminder and settings windows (core): every rectangle their paints and hit tests use.
#pragma once
#include <stdint.h>

#include "app/geometry.h"

// Reminder window. rows = min(open, 7), at least 1.
int32_t ReminderRows(int32_t open);
// Screen rectangle of the window for a work area, 20 px from its right and bottom edges.
Rect ReminderPlacement(const Rect& workArea, int32_t open);
struct ReminderButtons {
  Rect close, more, ok;
};
ReminderButtons ReminderButtonRects(int32_t width, int32_t height);
enum ReminderHit : int32_t {
  ReminderHitNone = 0,
  ReminderHitOk = 1,
  ReminderHitMore = 2,
  ReminderHitClose = 3,
};
int32_t ReminderHitTest(const ReminderButtons& b, int32_t x, int32_t y);
// The summary line for c0 tickets in work and c1 on clarification.
void FormatReminderSummary(int32_t c0, int32_t c1, char16_t* out, int32_t cap);

constexpr int32_t reminderListedRows = 6;  // ticket rows shown; the rest are counted in "и ещё"
struct ReminderRow {
  Rect body;
  int32_t dotX, dotY;
  Rect number, description, time;
};
struct ReminderLayout {
  ReminderButtons buttons;
  Rect accentBar;
  bool hasBadge;  // the "ТЕСТ" badge of a test run, before the title
  Rect badge;
  Rect title;
  Rect summary;
  int32_t rowCount;   // rows of tickets, at most reminderListedRows
  int32_t moreCount;  // tickets left out of the rows, 0 for none
  Rect moreLine;
};
// The client area of width x height showing openCount tickets in work or on clarification.
ReminderLayout LayoutReminder(int32_t width, int32_t height, bool test, int32_t openCount);
// Row i (0-based) of the ticket list.
ReminderRow ReminderRowAt(int32_t width, int32_t i);

// Settings window geometry for a client area of width x height.
struct SettingsLayout {
  Rect switchRect, hourFrameRect, minuteFrameRect, testRect, cancelRect, saveRect;
  Rect hourFieldRect, minuteFieldRect;  // the EDIT controls inside the frames
};
SettingsLayout LayoutSettings(int32_t width, int32_t height);
enum SettingsHit : int32_t {
  SettingsHitNone = 0,
  SettingsHitCancel = 1,
  SettingsHitSave = 2,
  SettingsHitTestButton = 3,  // shows the reminder as a test
  SettingsHitSwitch = 4,      // turns the reminder on or off
};
int32_t SettingsHitTest(const SettingsLayout& l, int32_t x, int32_t y);
// Which time field shows its frame as focused.
enum SettingsField : int32_t { SettingsFieldNone = 0, SettingsFieldHour = 1, SettingsFieldMinute = 2 };
// Outer rectangle of the settings window centred on its owner's screen rectangle.
Rect SettingsPlacement(const Rect& owner);
