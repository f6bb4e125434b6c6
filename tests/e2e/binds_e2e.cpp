// Ctrl+F1..F12 typing into another program's window.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

// Pumps this thread's messages (the test's own EDIT lives here) until the condition holds.
template <class F>
bool PumpUntil(F condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
}

struct Target {
  HWND frame, edit;
};

Target MakeTarget() {
  Target t;
  t.frame = CreateWindowExW(0, L"STATIC", L"target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                            600, 400, NULL, NULL, GetModuleHandleW(NULL), NULL);
  t.edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                           0, 0, 580, 360, t.frame, NULL, GetModuleHandleW(NULL), NULL);
  SendMessageW(t.edit, EM_LIMITTEXT, 100000, 0);
  SetForegroundWindow(t.frame);
  SetFocus(t.edit);
  PumpUntil([&] { return GetForegroundWindow() == t.frame; }, 3000);
  SetFocus(t.edit);
  return t;
}

std::wstring EditText(HWND edit) {
  int n = GetWindowTextLengthW(edit);
  std::wstring s(n + 1, L'\0');
  GetWindowTextW(edit, &s[0], n + 1);
  s.resize(n);
  return s;
}

void PressCtrlF(int n) {
  KeyDown(VK_CONTROL);
  PressKey(static_cast<WORD>(VK_F1 + n - 1));
  KeyUp(VK_CONTROL);
}

}  // namespace

TEST(Binds, CtrlF1TypesTheBindIntoTheFocusedWindow) {
  App app = MakeApp("binds-typing");
  // "Добрый день 😀" CR LF "строка 2" CR LF, in UTF-8
  WriteAppFile(app, L"binds\\F1.txt",
               "\xD0\x94\xD0\xBE\xD0\xB1\xD1\x80\xD1\x8B\xD0\xB9 \xD0\xB4\xD0\xB5\xD0\xBD\xD1\x8C "
               "\xF0\x9F\x98\x80\r\n\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xBA\xD0\xB0 2\r\n");
  std::string five(5000, 'x');
  for (size_t i = 0; i < five.size(); i++) five[i] = static_cast<char>('a' + i % 26);
  WriteAppFile(app, L"binds\\F2.txt", five);
  WriteAppFile(app, L"binds\\F3.txt", "\r\n\r\n");
  ASSERT_TRUE(StartApp(app));
  Target target = MakeTarget();

  PressCtrlF(1);
  const std::wstring expected = L"Добрый день \U0001F600\r\nстрока 2";
  EXPECT_TRUE(PumpUntil([&] { return EditText(target.edit) == expected; }, 5000))
      << "typed: " << EditText(target.edit).size() << " units";

  SetWindowTextW(target.edit, L"");
  PressCtrlF(2);  // a long bind arrives complete and in order
  std::wstring want(five.begin(), five.end());
  EXPECT_TRUE(PumpUntil([&] { return EditText(target.edit) == want; }, 15000))
      << "typed " << EditText(target.edit).size() << " of 5000";

  SetWindowTextW(target.edit, L"");
  PressCtrlF(3);  // only line ends: nothing typed
  PressCtrlF(4);  // no file
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(EditText(target.edit), L"");
  DestroyWindow(target.frame);
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Binds, StartsWhenAKeyIsHeldByAnotherProgram) {
  HWND holder = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 10, 10, NULL, NULL,
                                GetModuleHandleW(NULL), NULL);
  ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_CONTROL | MOD_NOREPEAT, VK_F5));
  App app = MakeApp("binds-taken");
  ASSERT_TRUE(StartApp(app));
  Pixels shot = CaptureClient(app.main);
  SaveScreenshot(shot, "binds-eleven-keys");
  EXPECT_EQ(CloseApp(app), 0);
  UnregisterHotKey(holder, 1);
  DestroyWindow(holder);
}
