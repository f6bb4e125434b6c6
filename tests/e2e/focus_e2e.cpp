// Where the keyboard goes in every window of the program that has fields: at once when the window
// opens, after another program took the activation and gave it back, and after a message box of
// the program closed. These run in the virtual desktop and again without one (each top-level
// window its own X window, the activation arriving a moment after a window is shown).
#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "board/layout.h"
#include "harness.h"

namespace {

// A-1 and B-2 in work, both with a description (the editor then opens in the number field);
// every time in the past.
const char twoTickets[] =
    "ZOLTEX1\r\n2|1796601600\r\n"
    "0|1|100|1796601000|1796600000|0|A-1|printer\r\n"
    "0|2|20|1796601100|1796600100|0|B-2|scanner\r\n";

// Another program's window that takes the activation from KALMEX, as the user switching to
// Notepad would; shown when the user first switches to it.
struct OtherProgram {
  HWND window = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | ES_MULTILINE, 900,
                                600, 300, 200, NULL, NULL, GetModuleHandleW(NULL), NULL);
  ~OtherProgram() { DestroyWindow(window); }
};

// The other program takes the activation; then the user comes back to the window, the other
// one staying open as Notepad would (a window manager gives the focus elsewhere when it closes).
bool SwitchAwayAndBack(HWND window, const OtherProgram& other) {
  ShowWindow(other.window, SW_SHOW);
  // Each switch is held a moment: under load the window manager can answer one after the next.
  bool away = BringToFront(other.window, 300);
  return away && BringToFront(window, 300);
}

bool IsListBox(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  return lstrcmpiW(name, L"ListBox") == 0;
}

// Keys typed now reach the field: a digit shows in an EDIT (the settings fields take digits
// only), the Down key moves a list's selection. The digits change from call to call, so a field
// whose digits are selected still shows that the key arrived.
bool KeysReach(HWND field) {
  static wchar_t digit = L'1';
  if (IsListBox(field)) {
    LRESULT before = SendMessageW(field, LB_GETCURSEL, 0, 0);
    PressKey(VK_DOWN);
    return WaitFor([&] { return SendMessageW(field, LB_GETCURSEL, 0, 0) != before; }, 3000);
  }
  std::wstring before = RemoteControlText(field);
  digit = digit == L'9' ? L'1' : static_cast<wchar_t>(digit + 1);
  wchar_t text[2] = {digit, 0};
  TypeText(text);
  return WaitFor([&] {
    std::wstring now = RemoteControlText(field);
    return now != before && now.find(digit) != std::wstring::npos;
  }, 3000);
}

bool FocusIn(HWND window, int id) {
  return WaitFor([&] { return FocusedWindow(window) == GetDlgItem(window, id); }, 3000);
}

POINT Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

HWND TheBoard(const App& app) { return app.main; }

HWND OpenEditor(const App& app) {
  DoubleClick(app.main, boardLayout.listRect[0].left + 40, CardTop(0, 0) + 60);
  return WaitForWindow(app, L"ZoltexEdit");
}

HWND OpenSettings(const App& app) {
  POINT p = Centre(boardLayout.settingsButtonRect);
  Click(app.main, p.x, p.y);
  return WaitForWindow(app, L"ZoltexSet");
}

HWND OpenBinds(const App& app) {
  POINT p = Centre(boardLayout.bindsButtonRect);
  Click(app.main, p.x, p.y);
  return WaitForWindow(app, L"ZoltexBinds");
}

void TabKey(HWND) { PressKey(VK_TAB); }

void ClickList(HWND window) {
  HWND list = GetDlgItem(window, 201);
  RECT r;
  GetWindowRect(list, &r);
  POINT p = {(r.left + r.right) / 2, r.top + 10};  // the first row, already selected
  ScreenToClient(window, &p);
  Click(window, p.x, p.y);
}

struct FocusCase {
  const char* name;
  HWND (*open)(const App&);
  int firstField, secondField;  // control ids
  void (*toSecond)(HWND window);  // the user moves to the second field
  WORD endKey;                    // pressed last, in the second field
  bool (*ended)(HWND window, HWND field);
};

bool Emptied(HWND, HWND field) {
  return WaitFor([&] { return RemoteControlText(field).empty(); }, 3000);
}
bool Closed(HWND window, HWND) {
  return WaitFor([&] { return !IsWindow(window); }, 3000);
}

const FocusCase focusCases[] = {
    {"board", TheBoard, 101, 102, TabKey, VK_ESCAPE, Emptied},
    {"editor", OpenEditor, 301, 302, TabKey, VK_ESCAPE, Closed},
    {"settings", OpenSettings, 401, 402, TabKey, VK_ESCAPE, Closed},
    {"binds", OpenBinds, 202, 201, ClickList, 0, nullptr},
};

}  // namespace

namespace {
// Starts the program on two tickets; a start that fails is a failure of the case, and its
// program is gone before the next case.
bool StartFocusApp(App& app) {
  if (StartOnData(app, twoTickets)) return true;
  ADD_FAILURE() << "the program did not come up";
  KillApp(app);
  return false;
}
}  // namespace

TEST(Focus, EveryWindowKeepsTheKeyboardInItsFieldAcrossASwitchToAnotherProgram) {
  for (const FocusCase& c : focusCases) {
    SCOPED_TRACE(c.name);
    App app = MakeApp((std::string("focus-") + c.name).c_str());
    if (!StartFocusApp(app)) continue;
    OtherProgram other;
    HWND window = c.open(app);
    EXPECT_TRUE(window);
    HWND first = GetDlgItem(window, c.firstField), second = GetDlgItem(window, c.secondField);
    // Typed at once, before anything waits for the activation.
    EXPECT_TRUE(KeysReach(first)) << "on opening";
    // No field chosen yet by the user: the first one gets the keyboard back.
    EXPECT_TRUE(SwitchAwayAndBack(window, other));
    EXPECT_TRUE(FocusIn(window, c.firstField));
    EXPECT_TRUE(KeysReach(first)) << "back on the first field";
    c.toSecond(window);
    EXPECT_TRUE(FocusIn(window, c.secondField));
    EXPECT_TRUE(SwitchAwayAndBack(window, other));
    EXPECT_TRUE(FocusIn(window, c.secondField));
    EXPECT_TRUE(KeysReach(second)) << "back on the second field";
    if (c.ended) {
      PressKey(c.endKey);
      EXPECT_TRUE(c.ended(window, second)) << "the last key";
    }
    SaveScreenshot(CaptureClient(IsWindow(window) ? window : app.main),
                   (std::string("focus-") + c.name).c_str());
    EXPECT_EQ(CloseApp(app), 0);
  }
}

namespace {

// From the board's description input, the delete button of A-1: the question.
void AskDelete(HWND board) {
  PressKey(VK_TAB);
  FocusIn(board, 102);
  Click(board, boardLayout.listRect[0].right - 29, CardTop(0, 0) + 29);
}

// The ticket renamed to the other one's number and Enter pressed in the description field:
// refused as a duplicate, and the number is the field to fix.
void AskDuplicate(HWND editor) {
  FocusIn(editor, 301);
  bool a1 = RemoteControlText(GetDlgItem(editor, 301)) == L"A-1";
  for (int i = 0; i < 3; i++) PressKey(VK_BACK);
  TypeText(a1 ? L"B-2" : L"A-1");
  PressKey(VK_TAB);
  FocusIn(editor, 302);
  PressKey(VK_RETURN);
}

void AskBadHour(HWND settings) {
  FocusIn(settings, 401);
  TypeText(L"99");
  PressKey(VK_RETURN);
}

struct BoxCase {
  const char* name;
  HWND (*open)(const App&);
  void (*ask)(HWND window);  // what the user does until the message box comes
  WPARAM answer;
  int focusAfter;  // the field that must have the keyboard once the box is closed
};

const BoxCase boxCases[] = {
    {"delete question", TheBoard, AskDelete, IDNO, 102},
    {"editor refusal", OpenEditor, AskDuplicate, IDOK, 301},
    {"settings refusal", OpenSettings, AskBadHour, IDOK, 401},
};

}  // namespace

TEST(Focus, AMessageBoxClosedGivesTheKeyboardBackToTheField) {
  for (const BoxCase& c : boxCases) {
    SCOPED_TRACE(c.name);
    App app = MakeApp("focus-box");
    if (!StartFocusApp(app)) continue;
    HWND window = c.open(app);
    EXPECT_TRUE(window);
    c.ask(window);
    HWND box = WaitForWindow(app, L"#32770");
    EXPECT_TRUE(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(c.answer, BN_CLICKED), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 3000));
    EXPECT_TRUE(FocusIn(window, c.focusAfter));
    EXPECT_TRUE(KeysReach(GetDlgItem(window, c.focusAfter)));
    EXPECT_EQ(CloseApp(app), 0);
  }
}

// The bare program built beside the test program: its owned window goes on an Esc typed from
// here, without being activated first. The own-window run holds the program's windows to what
// Wine does to this one.
TEST(Focus, ABareProgramsOwnedWindowGoesOnEsc) {
  wchar_t path[MAX_PATH];
  std::wstring exe(path, GetModuleFileNameW(NULL, path, MAX_PATH));
  exe = exe.substr(0, exe.find_last_of(L'\\')) + L"\\bare_window.exe";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  App bare;
  ASSERT_TRUE(CreateProcessW(exe.c_str(), NULL, NULL, NULL, FALSE, 0, NULL, NULL, &si, &bare.process));
  HWND owned = WaitForWindow(bare, L"BareOwned");
  bare.main = FindAppWindow(bare, L"BareOwner");
  EXPECT_TRUE(owned && bare.main);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(owned); }, 3000));
  EXPECT_EQ(CloseApp(bare), 0);
}
