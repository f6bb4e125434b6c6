// Binds from the outside: Ctrl+Fn typed into another program's window, and the binds window.
#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "binds/bind_text.h"
#include "board/layout.h"
#include "harness.h"
#include "hostile.h"
#include "store/ticket.h"

namespace {

// The window that receives the typing: a multi-line EDIT of this test process.
struct Target {
  HWND edit = NULL;
  Target() {
    edit = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_MULTILINE |
                           ES_WANTRETURN | WS_VSCROLL, 40, 40, 600, 400, NULL, NULL,
                           GetModuleHandleW(NULL), NULL);
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  }
  ~Target() { DestroyWindow(edit); }
  std::wstring Text() const {
    int n = GetWindowTextLengthW(edit);
    std::wstring t(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(edit, &t[0], n + 1);
    t.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return t;
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// WaitFor that keeps this thread's windows handling what arrives.
template <class F>
bool PumpUntil(F condition, DWORD timeoutMs) {
  return WaitFor([&] {
    Pump();
    return condition();
  }, timeoutMs);
}

bool Focus(HWND window) {
  bool ok = WaitFor([&] {
    Pump();
    SetForegroundWindow(window);
    SetFocus(window);
    return GetForegroundWindow() == window && GetFocus() == window;
  }, 3000);
  Pump();
  return ok;
}

void PressCtrlF(int n) {
  KeyDown(VK_CONTROL);
  KeyDown(static_cast<WORD>(VK_F1 + n - 1));
  KeyUp(static_cast<WORD>(VK_F1 + n - 1));
  KeyUp(VK_CONTROL);
}

std::wstring RowText(HWND list, int row) {
  wchar_t text[256] = {};
  LRESULT n = SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
}

// The board's binds button, clicked as a user would; the binds window it opens or raises.
HWND ClickBindsButton(const App& app) {
  if (!BringToFront(app.main)) return NULL;
  dpi = 96;
  ResetTicketStore();
  SIZE size = ClientSize(app.main);
  ComputeLayout(size.cx, size.cy);
  const Rect& b = boardLayout.bindsButtonRect;
  Click(app.main, (b.left + b.right) / 2, (b.top + b.bottom) / 2);
  HWND binds = WaitForPaintedWindow(app, L"ZoltexBinds");
  Settle(app);
  return binds;
}

const wchar_t greeting[] = L"Здравствуйте! \U0001F600\r\nЗаявку взял в работу.";

}  // namespace

TEST(BindsHotKeys, CtrlF1TypesTheFileAndEmptySlotsSaySo) {
  App app = MakeApp("binds-type");
  WriteAppFile(app, L"binds\\F1.txt", Utf8(greeting) + "\r\n\r\n");
  WriteAppFile(app, L"binds\\F3.txt", "\r\n\n\r");
  ASSERT_TRUE(StartApp(app));
  Target target;
  ASSERT_TRUE(Focus(target.edit));
  PressCtrlF(1);
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == greeting; }, 8000)) << target.Text().size();
  EXPECT_TRUE(ProcessMemoryHolds(app, L"Ctrl+F1 \x2014 текст напечатан"));

  SetWindowTextW(target.edit, L"");
  PressCtrlF(2);  // no file
  EXPECT_TRUE(PumpUntil([&] { return ProcessMemoryHolds(app, L"Бинд Ctrl+F2 пустой \x2014 открой «Бинды»"); }, 5000));
  PressCtrlF(3);  // only line ends
  EXPECT_TRUE(PumpUntil([&] { return ProcessMemoryHolds(app, L"Бинд Ctrl+F3 пустой \x2014 открой «Бинды»"); }, 5000));
  Settle(app);
  Pump();
  EXPECT_EQ(target.Text(), L"");
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(BindsHotKeys, ALongBindArrivesCompleteAndInOrder) {
  App app = MakeApp("binds-long");
  std::wstring text;
  for (int i = 0; text.size() < 5000; i++) {
    wchar_t piece[16];
    swprintf(piece, 16, L"%04d-", i);
    text += piece;
  }
  text.resize(5000);
  WriteAppFile(app, L"binds\\F7.txt", Utf8(text));
  ASSERT_TRUE(StartApp(app));
  Target target;
  ASSERT_TRUE(Focus(target.edit));
  PressCtrlF(7);
  EXPECT_TRUE(PumpUntil([&] { return target.Text().size() >= 5000; }, 20000));
  Settle(app);
  Pump();
  EXPECT_EQ(target.Text(), text);
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(BindsHotKeys, AKeyHeldByAnotherProgramLeavesEleven) {
  Target target;
  ASSERT_TRUE(RegisterHotKey(target.edit, 5, MOD_CONTROL | MOD_NOREPEAT, VK_F5));
  App app = MakeApp("binds-taken");
  WriteAppFile(app, L"binds\\F5.txt", "five");
  WriteAppFile(app, L"binds\\F6.txt", "six");
  ASSERT_TRUE(StartApp(app));
  EXPECT_TRUE(ProcessMemoryHolds(app, L"Часть Ctrl+F занята другой программой: работает 11 из 12"));
  ASSERT_TRUE(Focus(target.edit));
  PressCtrlF(5);
  MSG msg;
  EXPECT_TRUE(WaitFor([&] { return PeekMessageW(&msg, target.edit, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != 0; }, 3000));
  PressCtrlF(6);
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == L"six"; }, 5000)) << target.Text();
  UnregisterHotKey(target.edit, 5);
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(BindsWindow, SwitchingSavingAndClosingWriteTheSlotFiles) {
  App app = MakeApp("binds-window");
  WriteAppFile(app, L"binds\\F1.txt", Utf8(greeting));
  WriteAppFile(app, L"binds\\F3.txt", "third\r\nline");
  ASSERT_TRUE(StartApp(app));
  HWND binds = ClickBindsButton(app);
  ASSERT_TRUE(binds);
  EXPECT_EQ(WindowText(binds), L"Бинды \x2014 KALMEX by tavisel");
  HWND list = GetDlgItem(binds, 201), editor = GetDlgItem(binds, 202);
  ASSERT_TRUE(list && editor);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 12);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(RemoteControlText(editor), greeting);
  EXPECT_EQ(RowText(list, 1), L"Ctrl+F2    \x2014 пусто \x2014");
  EXPECT_EQ(RowText(list, 0).substr(0, 11), L"Ctrl+F1    ");
  RECT outer;
  GetWindowRect(binds, &outer);
  EXPECT_EQ(outer.right - outer.left, 760);
  EXPECT_EQ(outer.bottom - outer.top, 500);

  // Ctrl+F3 selected with the mouse: F1 is written even unchanged, F3 shown.
  DeleteFileW(AppPath(app, L"binds\\F1.txt").c_str());
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  Click(list, item.left + 40, (item.top + item.bottom) / 2);
  EXPECT_TRUE(WaitFor([&] { return AppFileExists(app, L"binds\\F1.txt"); }));
  Settle(app);
  EXPECT_EQ(ReadAppFile(app, L"binds\\F1.txt"), Utf8(greeting));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(RemoteControlText(editor), L"third\r\nline");
  EXPECT_EQ(RowText(list, 2), L"Ctrl+F3    third  line");

  SaveScreenshot(CaptureClient(binds), "binds-window");

  // Emptied and saved: an empty file and the empty mark in the row.
  Click(editor, 20, 20);
  // A sent message overtakes input still queued: the selection is made once the click has moved
  // the caret off the start and its release has let the capture go.
  EXPECT_TRUE(WaitFor([&] {
    GUITHREADINFO thread{sizeof thread};
    GetGUIThreadInfo(GetWindowThreadProcessId(editor, NULL), &thread);
    return LOWORD(SendMessageW(editor, EM_GETSEL, 0, 0)) != 0 && !thread.hwndCapture;
  }));
  SendMessageW(editor, EM_SETSEL, 0, -1);
  PressKey(VK_DELETE);
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(editor).empty(); }));
  RECT c;
  GetClientRect(binds, &c);
  BindsLayout l = ComputeBindsLayout(c.right, c.bottom);
  Click(binds, (l.saveRect.left + l.saveRect.right) / 2, (l.saveRect.top + l.saveRect.bottom) / 2);
  EXPECT_TRUE(WaitFor([&] { return ReadAppFile(app, L"binds\\F3.txt").empty(); }));
  EXPECT_TRUE(WaitFor([&] { return RowText(list, 2) == L"Ctrl+F3    \x2014 пусто \x2014"; }));
  EXPECT_TRUE(ProcessMemoryHolds(app, L"Бинды сохранены"));

  // Typed but not saved: closing the main window saves the slot.
  Click(editor, 20, 20);
  TypeText(L"напоследок");
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(editor) == L"напоследок"; }));
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_EQ(ReadAppFile(app, L"binds\\F3.txt"), Utf8(L"напоследок"));
}

TEST(BindsWindow, ReopeningStartsOnCtrlF1AndOpeningTwiceKeepsOneWindow) {
  App app = MakeApp("binds-reopen");
  WriteAppFile(app, L"binds\\F2.txt", "second");
  ASSERT_TRUE(StartApp(app));
  HWND binds = ClickBindsButton(app);
  ASSERT_TRUE(binds);
  HWND list = GetDlgItem(binds, 201);
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  Click(list, item.left + 40, (item.top + item.bottom) / 2);
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == 1; }));
  // The board's button again: the same window comes to the front.
  EXPECT_EQ(ClickBindsButton(app), binds);
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == binds; }));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
  PostMessageW(binds, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(binds); }));
  EXPECT_EQ(ReadAppFile(app, L"binds\\F2.txt"), "second");
  binds = ClickBindsButton(app);
  ASSERT_TRUE(binds);
  EXPECT_EQ(SendMessageW(GetDlgItem(binds, 201), LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(BindsWindow, HostileBindFilesNeverCrashAndUntouchedOnesAreKept) {
  struct Hostile {
    const char* bytes;
    size_t size;
    bool whole;  // the editor holds all of it, so it may be written back as UTF-8
  };
  const std::string garbage = Garbage(200000), nul("abc\0def\r\n\0", 11),
                    big = Utf16Be("hello"), line(5 << 20, 'x'), lines = Repeated("ab\r\n", 100000),
                    numbers = "4294967295 99999999999999999999", every = "\t\r\r\n\n\t",
                    separators = "|||:::===", broken = "ok \xD0\xFF ok";
  const Hostile files[10] = {
      {garbage.data(), garbage.size(), false}, {nul.data(), nul.size(), false},
      {big.data(), big.size(), false},         {"\xEF\xBB\xBF", 3, true},
      {line.data(), line.size(), false},       {lines.data(), lines.size(), false},
      {numbers.data(), numbers.size(), true},  {every.data(), every.size(), true},
      {separators.data(), separators.size(), true}, {broken.data(), broken.size(), true},
  };
  App app = MakeApp("binds-hostile");
  for (int i = 0; i < 10; i++) {
    wchar_t name[32];
    swprintf(name, 32, L"binds\\F%d.txt", i + 1);
    WriteAppFile(app, name, std::string(files[i].bytes, files[i].size));
  }
  ASSERT_TRUE(StartApp(app));
  HWND binds = ClickBindsButton(app);
  ASSERT_TRUE(binds);
  HWND list = GetDlgItem(binds, 201);
  // Every slot shown in turn: each switch saves the slot left.
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  Click(list, item.left + 40, (item.top + item.bottom) / 2);
  for (int row = 1; row < 12; row++) {
    PressKey(VK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == row; })) << row;
  }
  PostMessageW(binds, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return FindAppWindow(app, L"ZoltexBinds") == NULL; }));
  for (int i = 0; i < 10; i++) {
    wchar_t name[32];
    swprintf(name, 32, L"binds\\F%d.txt", i + 1);
    if (!files[i].whole) EXPECT_TRUE(ReadAppFile(app, name) == std::string(files[i].bytes, files[i].size)) << i + 1;
  }
  // A bind with a NUL inside types what comes before it.
  Target target;
  ASSERT_TRUE(Focus(target.edit));
  PressCtrlF(2);
  EXPECT_TRUE(PumpUntil([&] { return target.Text() == L"abc"; }, 5000)) << target.Text().size();
  EXPECT_EQ(CloseApp(app), 0);
}
