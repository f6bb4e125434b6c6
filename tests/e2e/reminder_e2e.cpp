// The settings file, the settings window and the reminder window of the real program.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "app/geometry.h"
#include "board/layout.h"
#include "draw/theme.h"
#include "harness.h"
#include "reminder/reminder_layout.h"
#include "reminder/settings.h"
#include "store/ticket.h"

namespace {

// Today's day number as the program writes it, e.g. "20261208".
std::string TodayText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  snprintf(text, sizeof text, "%lu",
           static_cast<unsigned long>(DayNumber(now.wYear, now.wMonth, now.wDay)));
  return text;
}

// A settings file whose reminder already fired today, so the daily check leaves it alone.
std::string QuietSettings(int hour, int minute) {
  char text[96];
  snprintf(text, sizeof text, "remind=1\r\ntime=%02d:%02d\r\nlast=%s\r\n", hour, minute,
           TodayText().c_str());
  return text;
}

// A settings file whose reminder is due this very minute. The reminder is due from its minute
// to the end of its day, so in the day's last two minutes the file waits for the next day.
std::string DueSettings() {
  SYSTEMTIME now;
  WaitFor([&] {
    GetLocalTime(&now);
    return now.wHour * 60 + now.wMinute < 23 * 60 + 58;
  }, 3 * 60 * 1000);
  char text[96];
  snprintf(text, sizeof text, "remind=1\r\ntime=%02d:%02d\r\nlast=0\r\n", now.wHour, now.wMinute);
  return text;
}

bool IsForeground(HWND window) { return GetForegroundWindow() == window; }

POINT Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void ClickRect(HWND window, const Rect& r) {
  POINT p = Centre(r);
  Click(window, p.x, p.y);
}

// The board's settings button, clicked as a user would; the settings window it opens, once it
// has the keyboard.
HWND ClickSettingsButton(const App& app) {
  if (!BringToFront(app.main)) return NULL;
  dpi = 96;
  ResetTicketStore();
  SIZE size = ClientSize(app.main);
  ComputeLayout(size.cx, size.cy);
  ClickRect(app.main, boardLayout.settingsButtonRect);
  HWND window = WaitForPaintedWindow(app, L"ZoltexSet");
  WaitFor([&] { return IsForeground(window); });
  Settle(app);
  return window;
}

SettingsLayout SettingsLayoutOf(HWND window) {
  dpi = 96;
  SIZE size = ClientSize(window);
  return LayoutSettings(size.cx, size.cy);
}

// Empties the focused two-digit field with the keyboard.
void ClearField() {
  PressKey(VK_END);
  PressKey(VK_BACK);
  PressKey(VK_BACK);
}

struct FoundText {
  std::wstring text;
};

BOOL CALLBACK FindStaticText(HWND child, LPARAM param) {
  wchar_t name[32];
  GetClassNameW(child, name, 32);
  std::wstring text = RemoteControlText(child);
  if (lstrcmpiW(name, L"Static") == 0 && !text.empty()) {
    reinterpret_cast<FoundText*>(param)->text = text;
    return FALSE;
  }
  return TRUE;
}

// Enter in the settings window must bring up the refusal owned by it; OK closes it again and
// the focus is back in the hour field.
void ExpectTimeRefused(const App& app, HWND settings, const char* what) {
  SCOPED_TRACE(what);
  PressKey(VK_RETURN);
  HWND box = NULL;
  ASSERT_TRUE((box = WaitForWindow(app, L"#32770")));
  Settle(app);
  EXPECT_EQ(GetWindow(box, GW_OWNER), settings);
  EXPECT_EQ(WindowText(box), L"KALMEX");
  FoundText found;
  EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&found));
  EXPECT_EQ(found.text, L"Укажи время: часы 0–23, минуты 0–59.");
  HWND ok = GetDlgItem(box, IDOK);
  ASSERT_NE(ok, static_cast<HWND>(NULL));
  SIZE size = ClientSize(ok);
  Click(ok, size.cx / 2, size.cy / 2);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_TRUE(IsWindowVisible(settings));
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(settings) == GetDlgItem(settings, 401); }));
  Settle(app);
}

// The board's settings button as it is on the screen, with the mouse away from every button.
std::basic_string<uint32_t> SettingsButtonPixels(const App& app) {
  MoveMouseTo(app.main, 3, 3);
  MoveMouseTo(app.main, 4, 4);
  Settle(app);
  dpi = 96;
  SIZE size = ClientSize(app.main);
  ComputeLayout(size.cx, size.cy);
  const Rect& r = boardLayout.settingsButtonRect;
  Pixels all = SteadyClient(app.main);
  std::basic_string<uint32_t> out;
  for (int32_t y = r.top; y < r.bottom; y++)
    for (int32_t x = r.left; x < r.right; x++) out.push_back(all.At(x, y));
  return out;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

// Waits for the reminder window of the process and for its first paint.
HWND WaitForReminder(const App& app) {
  HWND reminder = WaitForPaintedWindow(app, L"ZoltexRemind", 3000);
  if (reminder) Settle(app);
  return reminder;
}

// The card's frame: accent bar on top, 1-pixel lines left, right and bottom.
void ExpectReminderFrame(const Pixels& p) {
  int32_t w = p.width, h = p.height;
  EXPECT_TRUE(Near(p.At(1, 1), Theme::accentBlue, 3));
  EXPECT_TRUE(Near(p.At(w - 2, 1), Theme::accentViolet, 3));
  EXPECT_EQ(p.At(0, h / 2), Theme::slotLineColor);
  EXPECT_EQ(p.At(w - 1, h / 2), Theme::slotLineColor);
  EXPECT_EQ(p.At(w / 2, h - 1), Theme::slotLineColor);
  EXPECT_NE(p.At(w / 2, 0), Theme::slotLineColor);
  EXPECT_EQ(p.At(w - 44 + 3, 16 + 15), Theme::closeButtonColor);
}

const char threeOpen[] =
    "ZOLTEX1\r\n3|1796601600\r\n0|3|10|1796601600|1796601600|0|A-1|first\r\n"
    "0|2|20|1796601600|1796601600|0|A-2|\r\n2|1|30|1796601600|1796601600|0|B-3|asked\r\n";

}  // namespace

TEST(Reminder, FirstStartWritesTheDefaultSettingsFile) {
  App app = MakeApp("settings-default");
  ASSERT_TRUE(StartApp(app));
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), "remind=1\r\ntime=19:30\r\nlast=0\r\n");
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Reminder, AReadFileIsNotWrittenBackAtStart) {
  App app = MakeApp("settings-kept");
  WriteAppFile(app, L"zoltex_settings.txt", "time=7:5\r\n");
  ASSERT_TRUE(StartApp(app));
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), "time=7:5\r\n");
}

TEST(Reminder, DueReminderAppearsWithoutFocusAndOkClosesIt) {
  App app = MakeApp("reminder-due");
  WriteAppFile(app, L"zoltex_settings.txt", DueSettings());
  WriteAppFile(app, L"zoltex_data.txt",
               "ZOLTEX1\r\n2|2\r\n0|1|10|1796601600|1796601600|0|A-1|first\r\n"
               "2|2|20|1796601600|1796601600|0|B-2|\r\n");
  ASSERT_TRUE(StartApp(app));
  HWND reminder = NULL;
  ASSERT_TRUE((reminder = WaitForWindow(app, L"ZoltexRemind", 3000)));
  EXPECT_TRUE(GetWindowLongW(reminder, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetForegroundWindow(), reminder);
  RECT r, work;
  GetWindowRect(reminder, &r);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(work.right - r.right, 20);
  EXPECT_EQ(work.bottom - r.bottom, 20);
  EXPECT_EQ(r.bottom - r.top, 256);  // two rows
  Settle(app);
  SaveScreenshot(CaptureClient(reminder), "reminder-two-open");
  EXPECT_NE(ReadAppFile(app, L"zoltex_settings.txt").find("last=2"), std::string::npos);
  ReminderButtons b = ReminderButtonRects(r.right - r.left, r.bottom - r.top);
  Click(reminder, b.ok.left + 20, b.ok.top + 20);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(reminder); }));
  EXPECT_EQ(CloseApp(app), 0);
}

// Three open tickets: the card is 286 px high, rows in column order with their dots, and the
// details button brings a minimised main window back to the front.
TEST(Reminder, DetailsRestoresTheMinimisedMainWindow) {
  App app = MakeApp("reminder-details");
  WriteAppFile(app, L"zoltex_settings.txt", DueSettings());
  WriteAppFile(app, L"zoltex_data.txt", threeOpen);
  ASSERT_TRUE(StartApp(app));
  HWND reminder = WaitForReminder(app);
  ASSERT_NE(reminder, static_cast<HWND>(NULL));
  RECT r;
  GetWindowRect(reminder, &r);
  EXPECT_EQ(r.right - r.left, 440);
  EXPECT_EQ(r.bottom - r.top, 286);

  Pixels p = CaptureClient(reminder);
  SaveScreenshot(p, "reminder-three-open");
  ExpectReminderFrame(p);
  for (int32_t i = 0; i < 3; i++) {
    SCOPED_TRACE(i);
    int32_t y = 92 + i * 30;
    EXPECT_EQ(p.At(26, y + 13), Theme::fieldColor);
    EXPECT_EQ(p.At(34, y + 13), i < 2 ? Theme::accentBlue : Theme::amber);
  }
  EXPECT_NE(p.At(26, 92 + 3 * 30 + 13), Theme::fieldColor);  // no fourth row

  ShowWindow(app.main, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(app.main) != FALSE; }));
  Settle(app);
  ReminderButtons b = ReminderButtonRects(r.right - r.left, r.bottom - r.top);
  MoveMouseTo(reminder, b.more.left + 10, b.more.top + 10);
  ClickRect(reminder, b.more);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(reminder); }));
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(app.main) && IsForeground(app.main); }));
  EXPECT_TRUE(IsWindowVisible(app.main));
  EXPECT_EQ(CloseApp(app), 0);
}

// Ten open tickets: six rows, then the "more" line, in a card of seven rows.
TEST(Reminder, TenOpenTicketsShowSixRowsAndTheRest) {
  App app = MakeApp("reminder-ten");
  std::string data = "ZOLTEX1\r\n10|1796601600\r\n";
  for (int i = 1; i <= 10; i++) {
    char line[96];
    snprintf(line, sizeof line, "0|%d|%d|1796601600|1796601600|0|T-%d|\r\n", i, i, i);
    data += line;
  }
  WriteAppFile(app, L"zoltex_settings.txt", DueSettings());
  WriteAppFile(app, L"zoltex_data.txt", data);
  ASSERT_TRUE(StartApp(app));
  HWND reminder = WaitForReminder(app);
  ASSERT_NE(reminder, static_cast<HWND>(NULL));
  SIZE size = ClientSize(reminder);
  EXPECT_EQ(size.cy, 84 + 112 + 7 * 30);
  Pixels p = CaptureClient(reminder);
  SaveScreenshot(p, "reminder-ten-open");
  EXPECT_EQ(p.At(size.cx - 30, 92 + 5 * 30 + 13), Theme::fieldColor);
  EXPECT_NE(p.At(size.cx - 30, 92 + 6 * 30 + 13), Theme::fieldColor);
  EXPECT_EQ(CloseApp(app), 0);
}

// The settings window is modal to the board, refuses times out of range or missing with its
// message, and Esc leaves everything as it was.
TEST(SettingsWindow, RefusesBadTimesAndEscKeepsTheFile) {
  App app = MakeApp("settings-refuse");
  const std::string before = QuietSettings(19, 30);
  WriteAppFile(app, L"zoltex_settings.txt", before);
  ASSERT_TRUE(StartApp(app));
  HWND settings = ClickSettingsButton(app);
  ASSERT_NE(settings, static_cast<HWND>(NULL));
  EXPECT_EQ(WindowText(settings), L"Настройки — KALMEX");
  EXPECT_FALSE(IsWindowEnabled(app.main));
  EXPECT_EQ(GetWindow(settings, GW_OWNER), app.main);
  RECT outer, main;
  GetWindowRect(settings, &outer);
  GetWindowRect(app.main, &main);
  EXPECT_EQ(outer.right - outer.left, 500);
  EXPECT_EQ(outer.bottom - outer.top, 330);
  EXPECT_EQ(outer.left, main.left + ((main.right - main.left) - 500) / 2);
  EXPECT_EQ(outer.top, main.top + ((main.bottom - main.top) - 330) / 2);
  HWND hourField = GetDlgItem(settings, 401), minuteField = GetDlgItem(settings, 402);
  EXPECT_EQ(RemoteControlText(hourField), L"19");
  EXPECT_EQ(RemoteControlText(minuteField), L"30");
  EXPECT_EQ(FocusedWindow(settings), hourField);

  // A click on the disabled board does nothing.
  POINT binds = Centre(boardLayout.bindsButtonRect);
  POINT onScreen = ScreenPoint(app.main, binds.x, binds.y);
  ASSERT_FALSE(PtInRect(&outer, onScreen));
  Click(app.main, binds.x, binds.y);
  Settle(app);
  EXPECT_EQ(FindAppWindow(app, L"ZoltexBinds"), static_cast<HWND>(NULL));
  ASSERT_TRUE(BringToFront(settings));

  // Keyboard focus selects a field's digits, so typing replaces them.
  TypeText(L"24");
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(hourField) == L"24"; }));
  ExpectTimeRefused(app, settings, "hour 24");
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), before);

  TypeText(L"12");
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(hourField) == L"12"; }));
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(settings) == minuteField; }));
  TypeText(L"60");
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(minuteField) == L"60"; }));
  ExpectTimeRefused(app, settings, "minute 60");
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), before);

  ClearField();
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(hourField).empty(); }));
  ExpectTimeRefused(app, settings, "empty hour");
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), before);

  // Flip the switch, then Esc: nothing is stored and the board takes input again.
  ClickRect(settings, SettingsLayoutOf(settings).switchRect);
  Settle(app);
  ASSERT_TRUE(BringToFront(settings));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(settings); }));
  EXPECT_TRUE(IsWindowEnabled(app.main));
  EXPECT_TRUE(WaitFor([&] { return IsForeground(app.main); }));
  Settle(app);
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), before);

  // Opened again it shows the stored time, not what was typed.
  settings = ClickSettingsButton(app);
  ASSERT_NE(settings, static_cast<HWND>(NULL));
  EXPECT_EQ(RemoteControlText(GetDlgItem(settings, 401)), L"19");
  EXPECT_EQ(RemoteControlText(GetDlgItem(settings, 402)), L"30");
  PostMessageW(settings, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(settings); }));
  EXPECT_TRUE(IsWindowEnabled(app.main));
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), before);
  EXPECT_EQ(CloseApp(app), 0);
}

// A single 7 in the hour field saves 07, and the board's badge shows the new time: the same
// pixels as a board started afresh with that file.
TEST(SettingsWindow, SavingSevenWritesZeroSevenAndTheBadgeFollows) {
  App app = MakeApp("settings-save");
  const std::string startDay = TodayText();
  WriteAppFile(app, L"zoltex_settings.txt", QuietSettings(19, 30));
  ASSERT_TRUE(StartApp(app));
  std::basic_string<uint32_t> badgeBefore = SettingsButtonPixels(app);
  HWND settings = ClickSettingsButton(app);
  ASSERT_NE(settings, static_cast<HWND>(NULL));
  SaveScreenshot(CaptureClient(settings), "settings-window");

  TypeText(L"7");
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(GetDlgItem(settings, 401)) == L"7"; }));
  // 07:30 still ahead re-arms the reminder; once passed, the day it last fired stays. The
  // program reads its clock between the two looks here, so either look may be the one it saw.
  auto expectedAt = [&](const SYSTEMTIME& t) {
    bool ahead = t.wHour * 60 + t.wMinute < 7 * 60 + 30;
    return "remind=1\r\ntime=07:30\r\nlast=" + (ahead ? std::string("0") : startDay) + "\r\n";
  };
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(settings); }));
  EXPECT_TRUE(IsWindowEnabled(app.main));
  Settle(app);
  GetLocalTime(&after);
  std::string saved = ReadAppFile(app, L"zoltex_settings.txt");
  EXPECT_TRUE(saved == expectedAt(before) || saved == expectedAt(after)) << saved;

  std::basic_string<uint32_t> badgeAfter = SettingsButtonPixels(app);
  EXPECT_NE(badgeAfter, badgeBefore);
  EXPECT_EQ(CloseApp(app), 0);
  ASSERT_TRUE(StartApp(app));
  EXPECT_EQ(SettingsButtonPixels(app), badgeAfter);
  EXPECT_EQ(CloseApp(app), 0);
}

// The test button shows the reminder with its badge although nothing is open and the switch is
// off; the settings window stays open and nothing is stored.
TEST(SettingsWindow, TestButtonShowsTheReminderWithNothingOpen) {
  App app = MakeApp("settings-test");
  const std::string before = "remind=0\r\ntime=19:30\r\nlast=0\r\n";
  WriteAppFile(app, L"zoltex_settings.txt", before);
  ASSERT_TRUE(StartApp(app));
  HWND settings = ClickSettingsButton(app);
  ASSERT_NE(settings, static_cast<HWND>(NULL));
  SettingsLayout l = SettingsLayoutOf(settings);
  Pixels shot = CaptureClient(settings);
  SaveScreenshot(shot, "settings-window-off");
  int32_t mid = (l.switchRect.top + l.switchRect.bottom) / 2;
  EXPECT_EQ(shot.At(l.switchRect.right - 6, mid), Theme::toggleOffColor);
  EXPECT_EQ(shot.At(l.switchRect.left + 15, mid), Theme::textColor);  // the knob sits left
  EXPECT_EQ(shot.At(l.hourFrameRect.left, 182), Theme::accentBlue);   // the focused field
  EXPECT_EQ(shot.At(l.minuteFrameRect.left, 182), Theme::lineColor);
  EXPECT_EQ(shot.At(l.hourFrameRect.left + 3, 182), Theme::fieldColor);
  EXPECT_EQ(shot.At(l.testRect.left + 8, (l.testRect.top + l.testRect.bottom) / 2),
            Theme::warnButtonColor);
  EXPECT_EQ(shot.At(l.testRect.left, (l.testRect.top + l.testRect.bottom) / 2),
            Theme::warnLineColor);
  EXPECT_TRUE(Near(shot.At(l.saveRect.left + 8, (l.saveRect.top + l.saveRect.bottom) / 2),
                   Theme::accentBlue, 12));

  ClickRect(settings, l.testRect);
  HWND reminder = WaitForReminder(app);
  ASSERT_NE(reminder, static_cast<HWND>(NULL));
  EXPECT_TRUE(IsWindowVisible(settings));
  EXPECT_NE(GetForegroundWindow(), reminder);
  EXPECT_EQ(ClientSize(reminder).cy, 84 + 112 + 30);  // one row's height with nothing open
  Pixels p = CaptureClient(reminder);
  SaveScreenshot(p, "reminder-test-empty");
  ExpectReminderFrame(p);
  EXPECT_EQ(p.At(26, 31), Theme::warnBadgeColor);
  EXPECT_EQ(p.At(22 + 62 - 4, 31), Theme::warnBadgeColor);
  EXPECT_NE(p.At(22 + 62 + 4, 31), Theme::warnBadgeColor);
  EXPECT_NE(p.At(26, 92 + 13), Theme::fieldColor);  // no ticket rows
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), before);

  ReminderButtons b = ReminderButtonRects(p.width, p.height);
  ClickRect(reminder, b.close);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(reminder); }));
  EXPECT_TRUE(IsWindow(settings));
  ASSERT_TRUE(BringToFront(settings));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(settings); }));
  EXPECT_EQ(ReadAppFile(app, L"zoltex_settings.txt"), before);
  EXPECT_EQ(CloseApp(app), 0);
}
