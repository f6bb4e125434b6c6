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
