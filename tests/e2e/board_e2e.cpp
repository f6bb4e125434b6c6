// The board driven as a user would: typing tickets, card buttons, drag and drop, saving.
#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

const char threeStates[] =
    "ZOLTEX1\r\n3|1\r\n0|1|10|1796601600|1796601600|0|A-1|first\r\n"
    "2|2|20|1796601600|1796601600|0|B-2|\r\n1|3|30|1796601600|1796601600|1796601700|C-3|done\r\n";

// The same layout the program computes, from the same data text.
void LayoutFor(const App& app, const std::string& data) {
  dpi = 96;
  ResetTicketStore();
  ResetBoardUi();
  std::u16string text(data.begin(), data.end());  // ASCII data only
  ParseTicketText(text.c_str(), static_cast<int32_t>(text.size()), 1796601600u);
  SIZE size = ClientSize(app.main);
  ComputeLayout(size.cx, size.cy);
}

POINT Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool DataHas(const App& app, const char* piece) {
  return ReadAppFile(app, L"zoltex_data.txt").find(piece) != std::string::npos;
}

HWND Input(const App& app, int id) { return GetDlgItem(app.main, id); }

// GetWindowTextW does not ask a control of another process; WM_GETTEXT does.
std::wstring InputText(const App& app, int id) {
  wchar_t text[256] = {};
  LRESULT n = SendMessageW(Input(app, id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace

TEST(Board, TypingANumberAndEnterAddsATicketAndSavesIt) {
  App app = MakeApp("board-add");
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  TypeText(L"A-17");
  PressKey(VK_TAB);
  TypeText(L"принтер");
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return DataHas(app, "|A-17|\xD0\xBF\xD1\x80"); }));
  // Inputs emptied after adding.
  EXPECT_TRUE(WaitFor([&] { return InputText(app, 101).empty(); }));
  EXPECT_EQ(InputText(app, 102), L"");
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Board, EscEmptiesOnlyItsInputAndTabSwitches) {
  App app = MakeApp("board-esc-tab");
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  TypeText(L"N-1");
  PressKey(VK_TAB);
  TypeText(L"desc");
  EXPECT_TRUE(WaitFor([&] { return InputText(app, 102) == L"desc"; }));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return InputText(app, 102).empty(); }));
  EXPECT_EQ(InputText(app, 101), L"N-1");
  PressKey(VK_TAB);  // back to the number
  TypeText(L"2");
  EXPECT_TRUE(WaitFor([&] { return InputText(app, 101) == L"N-12"; }));
  EXPECT_EQ(InputText(app, 102), L"");
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Board, CardDoneButtonAndDragBetweenColumns) {
  App app = MakeApp("board-card-moves");
  WriteAppFile(app, L"zoltex_data.txt", threeStates);
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  LayoutFor(app, threeStates);
  // A-1 is the only card in work: its done button.
  int32_t top = CardTop(0, 0);
  POINT done = Centre(CardButtonRect(top, boardLayout.listRect[0].right));
  Click(app.main, done.x, done.y);
  EXPECT_TRUE(WaitFor([&] { return DataHas(app, "\r\n1|4|"); }));
  EXPECT_TRUE(DataHas(app, "|A-1|first"));

  // Drag B-2 (on clarification) to the in-work column's header.
  int32_t x = boardLayout.listRect[1].left + 40, y = CardTop(1, 0) + 60;
  LeftDown(app.main, x, y);
  MoveMouseTo(app.main, x - 20, y);
  MoveMouseTo(app.main, x - 200, y - 100);
  POINT header = {boardLayout.columnRect[0].left + 60, boardLayout.columnRect[0].top + 20};
  MoveMouseTo(app.main, header.x, header.y);
  LeftUp(app.main, header.x, header.y);
  EXPECT_TRUE(WaitFor([&] { return DataHas(app, "\r\n0|5|20|"); }));
  SaveScreenshot(CaptureClient(app.main), "board-after-moves");
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Board, DeleteAsksAndNoKeepsTheTicket) {
  App app = MakeApp("board-delete");
  WriteAppFile(app, L"zoltex_data.txt", threeStates);
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  LayoutFor(app, threeStates);
  int32_t right = boardLayout.listRect[0].right;
  int32_t top = CardTop(0, 0);
  Click(app.main, right - 29, top + 29);  // the delete button
  HWND box = NULL;
  ASSERT_TRUE(WaitFor([&] { return (box = FindAppWindow(app, L"#32770")) != NULL; }));
  PostMessageW(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_TRUE(DataHas(app, "|A-1|first"));
}

TEST(Board, AFailingSaveIsReportedAndClosingAsks) {
  App app = MakeApp("board-save-fails");
  WriteAppFile(app, L"zoltex_data.txt", threeStates);
  ASSERT_TRUE(StartApp(app));
  // A folder where the temporary file goes: no save can succeed.
  ASSERT_TRUE(CreateDirectoryW(AppPath(app, L"zoltex_data.tmp").c_str(), NULL));
  PostMessageW(app.main, WM_CLOSE, 0, 0);
  HWND box = NULL;
  ASSERT_TRUE(WaitFor([&] { return (box = FindAppWindow(app, L"#32770")) != NULL; }));
  EXPECT_EQ(WindowText(box), L"KALMEX");
  PostMessageW(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  Settle(app);
  EXPECT_TRUE(IsWindow(app.main));  // "No" keeps the program running
  EXPECT_EQ(ReadAppFile(app, L"zoltex_data.txt"), threeStates);
  RemoveDirectoryW(AppPath(app, L"zoltex_data.tmp").c_str());
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_TRUE(DataHas(app, "|C-3|done"));
}

namespace {

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(NULL)) return L"<closed>";
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data) {
    const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data));
    if (p) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace

TEST(Board, CardMenuByStateCopyNumberAndTakeTexts) {
  App app = MakeApp("board-menu");
  WriteAppFile(app, L"zoltex_data.txt", threeStates);
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  LayoutFor(app, threeStates);
  HWND menu = NULL;
  // No menu on the empty space of a column.
  RightClick(app.main, boardLayout.listRect[1].left + 40, boardLayout.listRect[1].bottom - 20);
  Settle(app);
  EXPECT_EQ(FindAppWindow(app, L"#32768"), (HWND)NULL);

  // Copy the number of the done card: the fourth item.
  if (OpenClipboard(NULL)) {
    EmptyClipboard();
    CloseClipboard();
  }
  RightClick(app.main, boardLayout.listRect[2].left + 40, CardTop(2, 0) + 60);
  ASSERT_TRUE(WaitFor([&] { return (menu = FindAppWindow(app, L"#32768")) != NULL; }));
  Sleep(300);  // the menu takes the keyboard only once it tracks
  for (int i = 0; i < 4; i++) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == L"C-3"; }));

  // Take the in-work ticket's texts into the inputs: the fifth item.
  ASSERT_TRUE(WaitFor([&] { return FindAppWindow(app, L"#32768") == NULL; }));
  Settle(app);
  RightClick(app.main, boardLayout.listRect[0].left + 40, CardTop(0, 0) + 60);
  ASSERT_TRUE(WaitFor([&] { return (menu = FindAppWindow(app, L"#32768")) != NULL; }));
  Sleep(300);
  for (int i = 0; i < 5; i++) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return InputText(app, 101) == L"A-1"; }));
  EXPECT_EQ(InputText(app, 102), L"first");

  EXPECT_EQ(CloseApp(app), 0);
}
