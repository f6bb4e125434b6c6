// Geometry of the reminder and settings windows, and the settings window's time check.
#include "reminder/reminder_layout.h"

#include "app/text.h"
#include "reminder/settings.h"

int32_t ReminderRows(int32_t open) {
  if (open <= 0) return 1;
  return open < 7 ? open : 7;
}

Rect ReminderPlacement(const Rect& workArea, int32_t open) {
  int32_t width = s(440);
  int32_t height = s(84) + s(112) + s(30) * ReminderRows(open);
  int32_t x = workArea.right - (s(20) + width);
  int32_t y = workArea.bottom - (s(20) + height);
  return Rect{x, y, x + width, y + height};
}

ReminderButtons ReminderButtonRects(int32_t w, int32_t h) {
  ReminderButtons b;
  b.close = Rect{w - s(44), s(16), w - s(14), s(46)};
  b.more = Rect{w - (s(150) + s(22)), h - s(60), w - s(22), h - s(20)};
  b.ok = Rect{b.more.left - (s(140) + s(12)), h - s(60), b.more.left - s(12), h - s(20)};
  return b;
}

int32_t ReminderHitTest(const ReminderButtons& b, int32_t x, int32_t y) {
  if (RectContains(b.more, x, y)) return ReminderHitMore;
  if (RectContains(b.ok, x, y)) return ReminderHitOk;
  if (RectContains(b.close, x, y)) return ReminderHitClose;
  return ReminderHitNone;
}

ReminderLayout LayoutReminder(int32_t w, int32_t h, bool test, int32_t openCount) {
  ReminderLayout l;
  l.buttons = ReminderButtonRects(w, h);
  l.accentBar = Rect{0, 0, w, s(4)};
  l.hasBadge = test;
  l.badge = Rect{s(22), s(20), s(22) + s(62), s(42)};
  int32_t titleLeft = test ? s(22) + s(62) + s(10) : s(22);
  l.title = Rect{titleLeft, s(16), w - s(50), s(46)};
  l.summary = Rect{s(22), s(54), w - s(22), s(80)};
  l.rowCount = openCount < reminderListedRows ? (openCount > 0 ? openCount : 0) : reminderListedRows;
  l.moreCount = openCount > reminderListedRows ? openCount - reminderListedRows : 0;
  int32_t y = s(92) + reminderListedRows * s(30);
  l.moreLine = Rect{s(22), y, w - s(22), y + s(26)};
  return l;
}

ReminderRow ReminderRowAt(int32_t w, int32_t i) {
  int32_t y = s(92) + i * s(30);
  ReminderRow r;
  r.body = Rect{s(22), y, w - s(22), y + s(26)};
  r.dotX = s(22) + s(12);
  r.dotY = y + s(13);
  r.number = Rect{s(22) + s(24), y, s(22) + s(150), y + s(26)};
  r.description = Rect{s(22) + s(150), y, w - (s(22) + s(90)), y + s(26)};
  r.time = Rect{w - (s(22) + s(90)), y, w - (s(22) + s(10)), y + s(26)};
  return r;
}

void FormatReminderSummary(int32_t c0, int32_t c1, char16_t* out, int32_t cap) {
  if (c0 > 0 && c1 > 0)
    FormatText(out, cap, u"Скоро конец смены. В работе: %d, на уточнении: %d", c0, c1);
  else if (c0 > 0)
    FormatText(out, cap, u"Скоро конец смены. В работе осталось заявок: %d", c0);
  else if (c1 > 0)
    FormatText(out, cap, u"Скоро конец смены. На уточнении заявок: %d", c1);
  else
    CopyText(out, cap, u"Незакрытых заявок нет — всё сделано. Так держать!");
}

SettingsLayout LayoutSettings(int32_t w, int32_t h) {
  int32_t m = s(22);
  SettingsLayout l;
  l.switchRect = Rect{m, s(104), m + s(56), s(104) + s(30)};
  l.hourFrameRect = Rect{m + s(90), s(160), m + s(90) + s(64), s(160) + s(44)};
  int32_t hourRight = l.hourFrameRect.right;
  l.minuteFrameRect = Rect{hourRight + s(24), s(160), hourRight + s(24) + s(64), s(160) + s(44)};
  l.saveRect = Rect{w - (s(150) + m), h - s(62), w - m, h - s(20)};
  int32_t saveLeft = l.saveRect.left;
  l.cancelRect = Rect{saveLeft - (s(120) + s(12)), h - s(62), saveLeft - s(12), h - s(20)};
  l.testRect = Rect{m, h - s(62), m + s(110), h - s(20)};
  l.hourFieldRect = FieldInFrame(l.hourFrameRect, 8);
  l.minuteFieldRect = FieldInFrame(l.minuteFrameRect, 8);
  return l;
}

int32_t SettingsHitTest(const SettingsLayout& l, int32_t x, int32_t y) {
  if (RectContains(l.switchRect, x, y)) return SettingsHitSwitch;
  if (RectContains(l.saveRect, x, y)) return SettingsHitSave;
  if (RectContains(l.cancelRect, x, y)) return SettingsHitCancel;
  if (RectContains(l.testRect, x, y)) return SettingsHitTestButton;
  return SettingsHitNone;
}

Rect SettingsPlacement(const Rect& owner) { return CentredOn(owner, s(500), s(330)); }

// Leading digits of a field, -1 for an empty one; a text without leading digits counts as 0.
static int32_t FieldValue(const char16_t* text) {
  if (text[0] == 0) return -1;
  int32_t value = 0;
  for (int32_t i = 0; text[i] >= u'0' && text[i] <= u'9'; i++) {
    value = value * 10 + (text[i] - u'0');
    if (value > 9999) value = 9999;  // far out of range already; no overflow on long input
  }
  return value;
}

bool ParseSettingsTime(const char16_t* hourText, const char16_t* minuteText, int32_t* hour,
                       int32_t* minute) {
  int32_t h = FieldValue(hourText), m = FieldValue(minuteText);
  if (h < 0 || m < 0 || h > 23 || m > 59) return false;
  *hour = h;
  *minute = m;
  return true;
}
