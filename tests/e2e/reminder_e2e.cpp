// The settings file of the real program.
#include <gtest/gtest.h>

#include "harness.h"

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

#include <stdio.h>

#include "reminder/settings.h"

TEST(Reminder, DueReminderAppearsWithoutFocusAndOkClosesIt) {
  App app = MakeApp("reminder-due");
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[96];
  snprintf(text, sizeof text, "remind=1\r\ntime=%02d:%02d\r\nlast=0\r\n", now.wHour, now.wMinute);
  WriteAppFile(app, L"zoltex_settings.txt", text);
  WriteAppFile(app, L"zoltex_data.txt",
               "ZOLTEX1\r\n2|2\r\n0|1|10|1796601600|1796601600|0|A-1|first\r\n"
               "2|2|20|1796601600|1796601600|0|B-2|\r\n");
  ASSERT_TRUE(StartApp(app));
  HWND reminder = NULL;
  ASSERT_TRUE(WaitFor([&] { return (reminder = FindAppWindow(app, L"ZoltexRemind")) != NULL; }, 3000));
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
