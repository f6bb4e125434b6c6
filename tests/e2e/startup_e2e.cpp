// Starting the real program: folder layout, window, single instance, saving on close.
#include <gtest/gtest.h>

#include "harness.h"

TEST(Startup, FirstStartInAnEmptyFolderShowsTheMainWindow) {
  App app = MakeApp("first-start");
  ASSERT_TRUE(StartApp(app));
  DWORD attributes = GetFileAttributesW(AppPath(app, L"binds").c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(WindowText(app.main), L"KALMEX \x2014 tavisel");
  // 1280 x 800 in the middle of the screen, whatever its size (room for it assumed).
  RECT r;
  GetWindowRect(app.main, &r);
  int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_GE(screenWidth, 1280 + 40);
  ASSERT_GE(screenHeight, 800 + 80);
  EXPECT_EQ(r.left, (screenWidth - 1280) / 2);
  EXPECT_EQ(r.top, (screenHeight - 800) / 2);
  EXPECT_EQ(r.right - r.left, 1280);
  EXPECT_EQ(r.bottom - r.top, 800);
  SaveScreenshot(CaptureClient(app.main), "startup-empty");
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_EQ(ReadAppFile(app, L"zoltex_data.txt").substr(0, 11), "ZOLTEX1\r\n0|");
}

TEST(Startup, SecondStartRestoresTheFirstAndLeaves) {
  App first = MakeApp("single-instance");
  ASSERT_TRUE(StartApp(first));
  ShowWindow(first.main, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(first.main) != 0; }));

  App second;  // the same program file, started again
  second.folder = first.folder;
  std::wstring exe = first.folder + L"\\kalmex.exe";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring command = exe;
  ASSERT_TRUE(CreateProcessW(exe.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL,
                             first.folder.c_str(), &si, &second.process));
  EXPECT_EQ(WaitExit(second, 10000), 0);
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(first.main); }));
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == first.main; }));
  int mains = 0;
  for (HWND w = FindWindowW(L"ZoltexMain", NULL); w; w = FindWindowExW(NULL, w, L"ZoltexMain", NULL))
    mains++;
  EXPECT_EQ(mains, 1);
  EXPECT_EQ(CloseApp(first), 0);
}

TEST(Startup, TicketsSurviveARestart) {
  App app = MakeApp("restart");
  WriteAppFile(app, L"zoltex_data.txt", threeStates);
  ASSERT_TRUE(StartApp(app));
  EXPECT_EQ(CloseApp(app), 0);
  std::string saved = ReadAppFile(app, L"zoltex_data.txt");
  EXPECT_EQ(saved.substr(0, 11), "ZOLTEX1\r\n3|");
  EXPECT_NE(saved.find("\r\n0|1|10|1796601600|1796601600|0|A-1|first\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\n2|2|20|1796601600|1796601600|0|B-2|\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\n1|3|30|1796601600|1796601600|1796601700|C-3|done\r\n"), std::string::npos);
  EXPECT_FALSE(AppFileExists(app, L"zoltex_data.bak"));
}
