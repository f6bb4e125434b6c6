// Settings file text, the daily decision, re-arming, and the reminder and settings geometry.
#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "app/text.h"
#include "reminder/reminder_layout.h"
#include "reminder/settings.h"
#include "store/ticket.h"

namespace {

Settings Parsed(const std::u16string& text) {
  Settings s{1, 19, 30, 0};
  ParseSettingsText(text.c_str(), static_cast<int32_t>(text.size()), &s);
  return s;
}

std::u16string Text(const Settings& s) {
  char16_t out[settingsTextUnits];
  FormatSettingsText(s, out, settingsTextUnits);
  return out;
}

LocalTime At(int32_t hour, int32_t minute, int32_t second = 0) {
  return LocalTime{2026, 12, 7, hour, minute, second};
}

}  // namespace

TEST(Settings, FileTextAndLenientReading) {
  EXPECT_EQ(Text(Settings{1, 19, 30, 0}), u"remind=1\r\ntime=19:30\r\nlast=0\r\n");
  EXPECT_EQ(Text(Settings{1, 7, 5, 20261207}), u"remind=1\r\ntime=07:05\r\nlast=20261207\r\n");
  Settings s = Parsed(u"time=7:5");
  EXPECT_EQ(s.remind, 1);
  EXPECT_EQ(s.hour, 7);
  EXPECT_EQ(s.minute, 5);
  EXPECT_EQ(Parsed(u"time=24:00").hour, 19);
  EXPECT_EQ(Parsed(u"time=12:60").minute, 30);
  EXPECT_EQ(Parsed(u"time=12:60").hour, 19);
  EXPECT_EQ(Parsed(u"time=19").minute, 0);
  EXPECT_EQ(Parsed(u"time=19|30").minute, 30);
  EXPECT_EQ(Parsed(u"remind=0").remind, 0);
  EXPECT_EQ(Parsed(u"remind=yes").remind, 0);
  EXPECT_EQ(Parsed(u"remind=").remind, 0);
  EXPECT_EQ(Parsed(u"Remind=0").remind, 1);
  EXPECT_EQ(Parsed(u" remind=0").remind, 1);
  // Keys only at the start of a line; the first occurrence counts; order does not matter.
  s = Parsed(u"xlast=5\r\nlast=20261207\r\n\r\ntime=08:15\r\nremind=0\r\ntime=09:00\r\n");
  EXPECT_EQ(s.lastDay, 20261207u);
  EXPECT_EQ(s.hour, 8);
  EXPECT_EQ(s.minute, 15);
  EXPECT_EQ(s.remind, 0);
  // A number too large for 32 bits stays out of range instead of wrapping to a valid hour.
  EXPECT_EQ(Parsed(u"time=4294967315:00").hour, 19);
  EXPECT_EQ(Parsed(u"last=").lastDay, 0u);
}

TEST(Settings, DailyDecision) {
  Settings s{1, 19, 30, 0};
  EXPECT_EQ(DayNumber(2026, 12, 7), 20261207u);
  EXPECT_EQ(DecideReminder(s, At(19, 29, 59), 3), ReminderNothing);
  EXPECT_EQ(DecideReminder(s, At(19, 30, 0), 3), ReminderShowNow);
  EXPECT_EQ(DecideReminder(s, At(21, 30), 3), ReminderShowNow);  // 120 minutes late
  EXPECT_EQ(DecideReminder(s, At(21, 31), 3), ReminderMarkDay);  // 121
  EXPECT_EQ(DecideReminder(s, At(19, 45), 0), ReminderMarkDay);  // nothing open
  s.lastDay = 20261207;
  EXPECT_EQ(DecideReminder(s, At(19, 30), 3), ReminderNothing);
  s.lastDay = 20271207;  // the clock was set back: only equality blocks
  EXPECT_EQ(DecideReminder(s, At(19, 30), 3), ReminderShowNow);
  s.remind = 0;
  s.lastDay = 0;
  EXPECT_EQ(DecideReminder(s, At(19, 30), 3), ReminderNothing);
}

// The next minute of a calendar that only needs December and January.
LocalTime NextMinute(LocalTime t) {
  if (++t.minute < 60) return t;
  t.minute = 0;
  if (++t.hour < 24) return t;
  t.hour = 0;
  if (++t.day <= 31) return t;
  t.day = 1;
  if (++t.month <= 12) return t;
  t.month = 1;
  t.year++;
  return t;
}

TEST(Settings, RunningAcrossMidnightFiresEachNewDayOnce) {
  for (int32_t hour : {19, 0}) {
    SCOPED_TRACE(hour);
    Settings s{1, hour, 0, 0};
    std::u16string fired;
    LocalTime t{2026, 12, 30, 18, 0, 0};
    for (int32_t minutes = 0; minutes < 3 * 24 * 60; minutes++, t = NextMinute(t)) {
      for (int32_t second : {0, 30}) {
        t.second = second;
        if (StepReminder(&s, t, 2) == ReminderShowNow) {
          char16_t at[32];
          FormatText(at, 32, u"%d.%02d %02d:%02d;", t.day, t.month, t.hour, t.minute);
          fired += at;
        }
      }
    }
    EXPECT_EQ(fired, hour == 19 ? u"30.12 19:00;31.12 19:00;1.01 19:00;"
                                : u"31.12 00:00;1.01 00:00;2.01 00:00;");
  }
  // A day with nothing open is marked without a window, and tickets added later that day do not
  // bring it back; the next day counts again.
  Settings s{1, 19, 30, 0};
  EXPECT_EQ(StepReminder(&s, At(19, 30), 0), ReminderMarkDay);
  EXPECT_EQ(StepReminder(&s, At(19, 31), 3), ReminderNothing);
  EXPECT_EQ(StepReminder(&s, LocalTime{2026, 12, 8, 19, 30, 0}, 3), ReminderShowNow);
  EXPECT_EQ(s.lastDay, 20261208u);
}

TEST(Settings, SavingRearmsOnlyWhenChangedAndStillAhead) {
  Settings s{1, 19, 30, 20261207};
  ApplySettingsUpdate(&s, 1, 19, 30, At(18, 0));  // nothing changed
  EXPECT_EQ(s.lastDay, 20261207u);
  ApplySettingsUpdate(&s, 1, 20, 0, At(19, 40));  // still ahead today
  EXPECT_EQ(s.lastDay, 0u);
  s.lastDay = 20261207;
  ApplySettingsUpdate(&s, 1, 19, 35, At(19, 40));  // already passed
  EXPECT_EQ(s.lastDay, 20261207u);
  EXPECT_EQ(s.minute, 35);
  // Off all day, switched on at 20:00 for 19:30: the next tick shows it, 30 minutes late.
  Settings off{0, 19, 30, 0};
  ApplySettingsUpdate(&off, 1, 19, 30, At(20, 0));
  EXPECT_EQ(DecideReminder(off, At(20, 0), 2), ReminderShowNow);
  EXPECT_EQ(DecideReminder(off, At(22, 0), 2), ReminderMarkDay);
}

TEST(Settings, SettingsWindowTimeFields) {
  int32_t h = -1, m = -1;
  EXPECT_TRUE(ParseSettingsTime(u"7", u"05", &h, &m));
  EXPECT_EQ(h, 7);
  EXPECT_EQ(m, 5);
  EXPECT_FALSE(ParseSettingsTime(u"24", u"00", &h, &m));
  EXPECT_FALSE(ParseSettingsTime(u"12", u"60", &h, &m));
  EXPECT_FALSE(ParseSettingsTime(u"", u"00", &h, &m));
  EXPECT_FALSE(ParseSettingsTime(u"12", u"", &h, &m));
  EXPECT_TRUE(ParseSettingsTime(u"ab", u"3x", &h, &m));  // pasted text: no digits count as 0
  EXPECT_EQ(h, 0);
  EXPECT_EQ(m, 3);
  char16_t out[80];
  FormatSettingsStatus(Settings{1, 7, 0, 0}, out, 80);
  EXPECT_EQ(std::u16string(out), u"Напоминание включено на 07:00");
  FormatSettingsStatus(Settings{0, 7, 0, 0}, out, 80);
  EXPECT_EQ(std::u16string(out), u"Напоминание выключено");
  FormatSettingsBadge(Settings{0, 7, 0, 0}, out, 80);
  EXPECT_EQ(std::u16string(out), u"выкл");
}

TEST(Settings, ReminderGeometryAndSummary) {
  Rect work{0, 0, 1920, 1040};
  Rect r = ReminderPlacement(work, 3);
  EXPECT_EQ(r.bottom - r.top, 286);
  EXPECT_EQ(r.right - r.left, 440);
  EXPECT_EQ(r.right, 1900);
  EXPECT_EQ(r.bottom, 1020);
  EXPECT_EQ(ReminderPlacement(work, 10).bottom - ReminderPlacement(work, 10).top, 406);
  EXPECT_EQ(ReminderPlacement(work, 0).bottom - ReminderPlacement(work, 0).top, 226);
  dpi = 144;
  r = ReminderPlacement(work, 3);
  EXPECT_EQ(r.right - r.left, 660);
  EXPECT_EQ(work.bottom - r.bottom, 30);
  dpi = 96;
  ReminderButtons b = ReminderButtonRects(440, 286);
  EXPECT_TRUE(RectEquals(b.more, Rect{268, 226, 418, 266}));
  EXPECT_TRUE(RectEquals(b.ok, Rect{116, 226, 256, 266}));
  EXPECT_EQ(ReminderHitTest(b, 300, 230), 2);
  EXPECT_EQ(ReminderHitTest(b, 120, 230), 1);
  EXPECT_EQ(ReminderHitTest(b, 400, 20), 3);
  EXPECT_EQ(ReminderHitTest(b, 260, 230), 0);
  // Rows: as many as open tickets up to six, the rest counted on the line below the sixth.
  struct { int32_t open, rows, more; } lists[] = {{0, 0, 0}, {3, 3, 0}, {6, 6, 0}, {7, 6, 1}, {10, 6, 4}};
  for (const auto& c : lists) {
    ReminderLayout l = LayoutReminder(440, 406, false, c.open);
    EXPECT_EQ(l.rowCount, c.rows) << c.open;
    EXPECT_EQ(l.moreCount, c.more) << c.open;
  }
  ReminderLayout withBadge = LayoutReminder(440, 406, true, 10);
  EXPECT_TRUE(RectEquals(withBadge.moreLine, Rect{22, 272, 418, 298}));
  EXPECT_TRUE(RectEquals(ReminderRowAt(440, 5).body, Rect{22, 242, 418, 268}));
  EXPECT_TRUE(withBadge.hasBadge);
  EXPECT_EQ(withBadge.title.left, 94);  // behind the "ТЕСТ" badge
  EXPECT_EQ(LayoutReminder(440, 406, false, 10).title.left, 22);
  char16_t out[128];
  FormatReminderSummary(2, 2, out, 128);
  EXPECT_EQ(std::u16string(out), u"Скоро конец смены. В работе: 2, на уточнении: 2");
  FormatReminderSummary(3, 0, out, 128);
  EXPECT_EQ(std::u16string(out), u"Скоро конец смены. В работе осталось заявок: 3");
  FormatReminderSummary(0, 1, out, 128);
  EXPECT_EQ(std::u16string(out), u"Скоро конец смены. На уточнении заявок: 1");
  FormatReminderSummary(0, 0, out, 128);
  EXPECT_EQ(std::u16string(out), u"Незакрытых заявок нет — всё сделано. Так держать!");

  SettingsLayout l = LayoutSettings(484, 291);
  EXPECT_TRUE(RectEquals(l.hourFrameRect, Rect{112, 160, 176, 204}));
  EXPECT_TRUE(RectEquals(l.minuteFrameRect, Rect{200, 160, 264, 204}));
  EXPECT_TRUE(RectEquals(l.saveRect, Rect{312, 229, 462, 271}));
  EXPECT_TRUE(RectEquals(l.cancelRect, Rect{180, 229, 300, 271}));
  EXPECT_TRUE(RectEquals(l.hourFieldRect, Rect{120, 171, 168, 193}));
  // The switch is hit like the buttons; the time fields are controls of their own.
  struct {
    int32_t x, y, hit;
  } points[] = {
      {22, 104, SettingsHitSwitch}, {77, 133, SettingsHitSwitch},   {78, 120, SettingsHitNone},
      {312, 229, SettingsHitSave},  {299, 270, SettingsHitCancel},  {305, 250, SettingsHitNone},
      {22, 229, SettingsHitTestButton}, {131, 270, SettingsHitTestButton}, {140, 180, SettingsHitNone},
  };
  for (const auto& p : points) EXPECT_EQ(SettingsHitTest(l, p.x, p.y), p.hit) << p.x << "," << p.y;
  EXPECT_TRUE(RectEquals(SettingsPlacement(Rect{320, 140, 1600, 940}), Rect{710, 375, 1210, 705}));
}

TEST(Settings, OpenCountLeavesDoneTicketsOut) {
  ResetTicketStore();
  ticketStore.ticketCount = 3;
  ticketStore.tickets[0].state = StateInWork;
  ticketStore.tickets[1].state = StateDone;
  ticketStore.tickets[2].state = StateClarify;
  EXPECT_EQ(OpenTicketCount(), 2);
  ResetTicketStore();
}
