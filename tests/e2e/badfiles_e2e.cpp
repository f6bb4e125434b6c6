// Hostile data and settings files: the real program starts on each, shows what it can, closes
// normally, keeps a copy of every data file it could not take in whole and never rewrites a
// settings file it only read.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "board/layout.h"
#include "harness.h"
#include "hostile.h"

namespace {

struct BadFile {
  const char* name;
  std::string bytes;
  bool backup;  // the original must be kept as zoltex_data.bak
};

std::string ManyLines(int count) {
  std::string out = "ZOLTEX1\r\n0|0\r\n";
  for (int i = 0; i < count; i++) out += "0|" + std::to_string(i) + "|0|1|1|0|N" + std::to_string(i) + "|\r\n";
  return out;
}

// A fresh folder holding the one file; the program starts on it, shows its window and closes
// normally. Returns the folder for a look at what is left.
App RunOnFile(const char* name, const wchar_t* file, const std::string& bytes) {
  App app = MakeApp(name);
  WriteAppFile(app, file, bytes);
  EXPECT_TRUE(StartApp(app));
  EXPECT_TRUE(app.main && IsWindowVisible(app.main));
  EXPECT_EQ(CloseApp(app), 0);
  return app;
}

void CheckProgramSurvives(const BadFile& file) {
  SCOPED_TRACE(file.name);
  App app = RunOnFile(file.name, L"zoltex_data.txt", file.bytes);
  std::string saved = ReadAppFile(app, L"zoltex_data.txt");
  EXPECT_EQ(saved.substr(0, 9), "ZOLTEX1\r\n");
  EXPECT_EQ(AppFileExists(app, L"zoltex_data.bak"), file.backup);
  if (file.backup) EXPECT_TRUE(ReadAppFile(app, L"zoltex_data.bak") == file.bytes);
}

}  // namespace

TEST(BadDataFiles, NeverCrashAndKeepWhatWasNotUnderstood) {
  const std::string header = "ZOLTEX1\r\n0|0\r\n";
  const BadFile files[] = {
      {"garbage", Garbage(200000), true},
      {"nul-bytes", header + std::string("0|1|0|1|1|0|A\0B|x\r\n\0\0\0", 22), true},
      {"utf16-big-endian", Utf16Be(header + "0|1|0|1|1|0|A|x\r\n"), true},
      {"lone-mark", "\xEF\xBB\xBF", false},
      {"five-megabyte-line", header + "0|1|0|1|1|0|" + std::string(5 << 20, 'x'), true},
      {"hundred-thousand-lines", ManyLines(100000), true},
      {"huge-numbers", header + "0|4294967295|4294967295|4294967295|4294967295|4294967295|A|\r\n"
                                "1|99999999999999999999|99999999999999999999|1|1|1|B|\r\n", true},
      {"every-state", header + "0|1|0|1|1|0|S0|\r\n1|2|0|1|1|0|S1|\r\n2|3|0|1|1|0|S2|\r\n"
                               "3|4|0|1|1|0|S3|\r\n4294967295|5|0|1|1|0|S4|\r\n", true},
      // Each read without loss of a ticket or written back as it was, or kept as a copy.
      {"cr-only", "ZOLTEX1\r2|0\r0|1|0|1|1|0|A-1|first\r2|2|0|1|1|0|B-2|\r", true},
      {"no-header", "ZOLTEX1\r\n0|1|0|1|1|0|FIRST|\r\n0|2|0|1|1|0|SECOND|\r\n", true},
      {"control-character", header + "0|1\x02|60|1|1|0|A|d\r\n", true},
      {"negative-field", header + "0|-5|0|1|1|0|A|d\r\n", true},
      {"extra-fields", header + "0|1|0|1|1|0|A|d|more|fields\r\n", true},
      {"utf16-lone-surrogate", "\xFF\xFE" + Utf16Le(header + "0|1|0|1|1|0|A") +
                                   std::string("\x00\xD8", 2) + Utf16Le("|\r\n"), true},
      {"own-file", "ZOLTEX1\r\n1|5\r\n0|1|0|1|1|0|A|\r\n", false},
      {"separators-only", "ZOL||||\r\n|||||||||||\r\n||||||\r\n", true},
      {"broken-utf8", header + "0|1|0|1|1|0|\xD0\x97-1|\xD0\xBF\xD1\x80\xFF\xD0\xB8\r\n", true},
  };
  for (const BadFile& file : files) CheckProgramSurvives(file);
}

namespace {

// The one rewrite a start may make: the reminder marking today as done, in the file's own form.
bool IsSettingsText(const std::string& bytes) {
  size_t time = bytes.find("\r\ntime="), last = bytes.find("\r\nlast=");
  return bytes.rfind("remind=", 0) == 0 && time != std::string::npos && last == time + 12 &&
         bytes.size() > last + 8 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
}

}  // namespace

TEST(BadSettingsFiles, NeverCrashAndAreNotRewrittenAtStart) {
  const std::pair<const char*, std::string> files[] = {
      {"set-garbage", Garbage(200000)},
      {"set-nul-bytes", std::string("remind=1\0\r\ntime=07:\0 05\r\nlast=0\r\n", 32)},
      {"set-utf16-big-endian", Utf16Be("remind=0\r\ntime=08:15\r\nlast=0\r\n")},
      {"set-lone-mark", "\xEF\xBB\xBF"},
      {"set-five-megabyte-line", "remind=1\r\ntime=" + std::string(5 << 20, '9')},
      {"set-hundred-thousand-lines", Repeated("time=1:1\r\n", 100000)},
      {"set-huge-numbers", "remind=4294967295\r\ntime=9999999999:99999999999999999999\r\n"
                           "last=99999999999999999999\r\n"},
      {"set-every-value", "remind=-1\r\ntime=-1:-1\r\nlast=-1\r\nremind=2\r\n"},
      {"set-separators-only", "===:::|||\r\n=\r\n:\r\n|"},
      {"set-broken-utf8", "remind=1\r\ntime=\xD0\xFF" "12:30\r\nlast=0\r\n"},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.first);
    App app = RunOnFile(file.first, L"zoltex_settings.txt", file.second);
    std::string after = ReadAppFile(app, L"zoltex_settings.txt");
    EXPECT_TRUE(after == file.second || IsSettingsText(after)) << after.substr(0, 80);
  }
}

// Another program (a sync client, a backup tool, a virus scanner) holds the data file with share
// mode 0 while the program starts. A lock that ends within the start's retry changes nothing; a
// longer one is told, and the file is copied before it is replaced, or left alone while it lasts.
TEST(LockedDataFile, NeverReplacedBeforeItIsReadOrCopied) {
  const std::string three = "ZOLTEX1\r\n3|1\r\n0|1|10|1796601600|1796601600|0|A-1|first\r\n"
                            "2|2|20|1796601600|1796601600|0|B-2|\r\n"
                            "1|3|30|1796601600|1796601600|1796601700|C-3|done\r\n";
  const std::wstring busy = L"Заявки не загружены \x2014 файл zoltex_data.txt занят другой программой";
  const struct {
    const char* name;
    DWORD releaseMs;  // INFINITE: held until the program has been closed
  } cases[] = {{"lock-released-at-once", 300}, {"lock-released-later", 5000}, {"lock-never-released", INFINITE}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    App app = MakeApp(c.name);
    WriteAppFile(app, L"zoltex_data.txt", three);
    HANDLE held = CreateFileW(AppPath(app, L"zoltex_data.txt").c_str(), GENERIC_READ, 0, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DWORD start = GetTickCount();
    std::thread release;
    if (c.releaseMs != INFINITE) release = std::thread([&] {
      while (GetTickCount() - start < c.releaseMs) Sleep(10);
      CloseHandle(held);
    });
    ASSERT_TRUE(StartApp(app));
    bool told = WaitFor([&] { return ProcessMemoryHolds(app, busy); }, c.releaseMs == 300 ? 0 : 5000);
    EXPECT_EQ(told, c.releaseMs != 300);
    if (release.joinable()) release.join();
    if (c.releaseMs != INFINITE) {
      EXPECT_EQ(CloseApp(app), 0);
      std::string saved = ReadAppFile(app, L"zoltex_data.txt");
      if (c.releaseMs == 300) {  // read at start: the tickets are saved back, no copy needed
        EXPECT_EQ(saved.substr(saved.find("\r\n0|1|")), three.substr(three.find("\r\n0|1|")));
        EXPECT_FALSE(AppFileExists(app, L"zoltex_data.bak"));
      } else {  // never read: copied whole before the first save replaced it
        EXPECT_EQ(ReadAppFile(app, L"zoltex_data.bak"), three);
        EXPECT_EQ(saved.find("A-1"), std::string::npos);
      }
      continue;
    }
    // Still held at close: the save fails and says why, and the question's default is No.
    PostMessageW(app.main, WM_CLOSE, 0, 0);
    HWND box = NULL;
    ASSERT_TRUE((box = WaitForWindow(app, L"#32770")));
    LONG no = GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE);  // Enter presses this button
    EXPECT_EQ(no & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(ProcessMemoryHolds(
        app, L"Не удалось сохранить заявки \x2014 файл zoltex_data.txt занят другой программой"));
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(WaitExit(app, 10000), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadAppFile(app, L"zoltex_data.txt"), three);
    EXPECT_FALSE(AppFileExists(app, L"zoltex_data.bak"));
    EXPECT_FALSE(AppFileExists(app, L"zoltex_data.tmp"));
  }
}

namespace {

POINT Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Whether the folder at the file's name still holds only the one file the test put there.
bool FolderUntouched(const App& app, const wchar_t* file) {
  std::wstring inside = std::wstring(file) + L"\\inside.txt";
  DWORD attributes = GetFileAttributesW(AppPath(app, file).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         ReadAppFile(app, inside.c_str()) == "mine";
}

}  // namespace

// A folder where one of the program's files should be: the user is told at start (the data
// file) or at the file's first use, each time with that cause, and the folder is left alone.
TEST(FolderInPlaceOfAFile, IsToldWithItsCauseAndLeftAlone) {
  enum FirstUse { AddATicket, SaveTheSettings, PressItsHotKey };
  const struct {
    const wchar_t* file;
    FirstUse use;
    const wchar_t* told;  // the status line after the first use
  } cases[] = {
      {L"zoltex_data.txt", AddATicket, L"Не удалось сохранить заявки \x2014 на месте файла zoltex_data.txt лежит папка"},
      {L"zoltex_settings.txt", SaveTheSettings, L"Настройки не сохранены: на месте файла zoltex_settings.txt лежит "
                               L"папка \x2014 после перезапуска вернётся прежнее время"},
      {L"binds\\F1.txt", PressItsHotKey, L"Бинд Ctrl+F1 не прочитан: на месте файла F1.txt лежит папка"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file);
    App app = MakeApp("folder-in-place");
    WriteAppFile(app, (std::wstring(c.file) + L"\\inside.txt").c_str(), "mine");
    bool data = c.use == AddATicket;
    if (!data) WriteAppFile(app, L"zoltex_data.txt", threeStates);
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(BringToFront(app.main));
    LoadBoardLayout(app, data ? "" : threeStates);
    if (data) {
      EXPECT_TRUE(WaitFor([&] {
        return ProcessMemoryHolds(app, L"Заявки не загружены \x2014 на месте файла zoltex_data.txt лежит папка");
      }));
      TypeText(L"N-1");  // the number input has the keyboard at start
      PressKey(VK_RETURN);
    } else if (c.use == SaveTheSettings) {
      POINT p = Centre(boardLayout.settingsButtonRect);
      Click(app.main, p.x, p.y);
      ASSERT_TRUE(WaitForPaintedWindow(app, L"ZoltexSet"));
      PressKey(VK_RETURN);
    } else {
      KeyDown(VK_CONTROL);
      PressKey(VK_F1);
      KeyUp(VK_CONTROL);
    }
    EXPECT_TRUE(WaitFor([&] { return ProcessMemoryHolds(app, c.told); }));
    PostMessageW(app.main, WM_CLOSE, 0, 0);
    if (data) {  // the close asks, naming the same cause
      HWND box = WaitForWindow(app, L"#32770");
      ASSERT_TRUE(box);
      EXPECT_EQ(MessageBoxText(box), L"Заявки не сохранены: на месте файла zoltex_data.txt лежит "
                                     L"папка.\nЗакрыть всё равно? Несохранённые изменения пропадут.");
      PostMessageW(box, WM_COMMAND, IDYES, 0);
    }
    EXPECT_EQ(WaitExit(app, 10000), 0);
    EXPECT_TRUE(FolderUntouched(app, c.file));
    EXPECT_FALSE(AppFileExists(app, L"zoltex_data.bak"));
  }
}

// A reader (an editor, a backup tool, a virus scan) holds the data file with read sharing but
// without delete sharing right when a ticket is added and the program is closed. A short hold
// only delays the save; a longer one is told at the close, and both files stay whole.
TEST(LockedDataFile, AReaderAtCloseDelaysTheSaveOrIsTold) {
  for (DWORD holdMs : {DWORD(300), DWORD(INFINITE)}) {
    SCOPED_TRACE(holdMs);
    App app = MakeApp(holdMs == INFINITE ? "reader-stays" : "reader-leaves");
    ASSERT_TRUE(StartOnData(app, threeStates));
    HANDLE held = CreateFileW(AppPath(app, L"zoltex_data.txt").c_str(), GENERIC_READ,
                              FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release;
    if (holdMs != INFINITE) release = std::thread([&] {
      Sleep(holdMs);
      CloseHandle(held);
    });
    // The ticket and then Alt+F4, typed at once: the close comes in behind the ticket's keys.
    TypeText(L"N-9");
    PressKey(VK_RETURN);
    KeyDown(VK_MENU);
    PressKey(VK_F4);
    KeyUp(VK_MENU);
    if (holdMs != INFINITE) {
      EXPECT_EQ(WaitExit(app, 10000), 0);
      release.join();
      EXPECT_NE(ReadAppFile(app, L"zoltex_data.txt").find("|N-9|"), std::string::npos);
      EXPECT_FALSE(AppFileExists(app, L"zoltex_data.tmp"));
      continue;
    }
    HWND box = WaitForWindow(app, L"#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box),
              L"Заявки не сохранены: файл zoltex_data.txt занят другой программой.\n"
              L"Новые данные остались в zoltex_data.tmp.\n"
              L"Закрыть всё равно? Несохранённые изменения пропадут.");
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(WaitExit(app, 10000), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadAppFile(app, L"zoltex_data.txt"), threeStates);
    std::string kept = ReadAppFile(app, L"zoltex_data.tmp");
    EXPECT_EQ(kept.substr(0, 9), "ZOLTEX1\r\n");
    EXPECT_NE(kept.find("|N-9|"), std::string::npos);
    EXPECT_EQ(kept.substr(kept.size() - 2), "\r\n");  // whole, to its last line
  }
}
