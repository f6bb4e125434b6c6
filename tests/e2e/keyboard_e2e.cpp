// The board driven with the keyboard alone: F6 to the board, the cursor drawn on its card, the
// card's menu, editor and delete question, the clear button, and Esc back to the number input.
#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "board/board_geometry.h"
#include "board/layout.h"
#include "draw/theme.h"
#include "harness.h"

namespace {

// The state field of the ticket's line in the data file, '?' when the ticket is not there.
char StateIn(const App& app, const std::string& number) {
  std::string data = ReadAppFile(app, L"zoltex_data.txt");
  size_t at = data.find("|" + number + "|");
  if (at == std::string::npos) return '?';
  size_t line = data.rfind('\n', at);
  return data[line + 1];
}

// Whether the cursor's outline is drawn on the box (its left edge, halfway down) that place()
// gives in the layout of the data file as it is now.
template <class Place>
bool OutlinedAt(const App& app, Place place) {
  LoadBoardLayout(app, ReadAppFile(app, L"zoltex_data.txt"));
  Rect box = place();
  return ClientPixel(app.main, box.left, (box.top + box.bottom) / 2) == Theme::accentBlue;
}
bool Outlined(const App& app, int32_t k, int32_t row) {
  return OutlinedAt(app, [&] { return CardBox(k, row); });
}

void ShiftKey(WORD vk) {
  KeyDown(VK_SHIFT);
  PressKey(vk);
  KeyUp(VK_SHIFT);
}

// Opens the cursor's card menu with Shift+F10 and chooses its item (1 the first).
void ChooseFromMenu(const App& app, int item) {
  ShiftKey(VK_F10);
  ASSERT_TRUE(WaitForPaintedMenu(app));
  for (int i = 0; i < item; i++) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
}

}  // namespace

TEST(BoardKeyboard, EveryCardCommandWithoutTheMouse) {
  App app = MakeApp("board-keyboard");
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  for (const wchar_t* number : {L"K-1", L"K-2"}) {
    TypeText(number);
    PressKey(VK_RETURN);
  }
  ASSERT_TRUE(WaitFor([&] { return StateIn(app, "K-2") == '0'; }));
  EXPECT_FALSE(Outlined(app, 0, 0)) << "no cursor while the keyboard is in the inputs";

  PressKey(VK_F6);  // the description input
  PressKey(VK_F6);  // the board: its first card, K-2, the newest
  EXPECT_TRUE(WaitFor([&] { return Outlined(app, 0, 0); }));
  PressKey(VK_DOWN);
  EXPECT_TRUE(WaitFor([&] { return Outlined(app, 0, 1) && !Outlined(app, 0, 0); }));
  SaveScreenshot(CaptureClient(app.main), "board-keyboard-cursor");

  ChooseFromMenu(app, 1);  // K-1 "На уточнение": the cursor goes with it
  EXPECT_TRUE(WaitFor([&] { return StateIn(app, "K-1") == '2'; }));
  EXPECT_TRUE(WaitFor([&] { return Outlined(app, 1, 0); }));
  ChooseFromMenu(app, 1);  // "Вернуть в работу", now the newest in work
  EXPECT_TRUE(WaitFor([&] { return StateIn(app, "K-1") == '0'; }));
  EXPECT_TRUE(WaitFor([&] { return Outlined(app, 0, 0); }));

  PressKey(VK_RETURN);  // the editor, in its description field; Tab to the number
  HWND editor = WaitForWindow(app, L"ZoltexEdit");
  ASSERT_TRUE(editor);
  PressKey(VK_TAB);
  PressKey(VK_END);
  TypeText(L"X");
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return StateIn(app, "K-1X") == '0' && !IsWindow(editor); }));
  EXPECT_TRUE(WaitFor([&] { return Outlined(app, 0, 0); })) << "the board has the keyboard back";

  PressKey(VK_DELETE);  // the question; Enter answers its default, Yes
  HWND box = WaitForWindow(app, L"#32770");
  ASSERT_TRUE(box);
  EXPECT_NE(MessageBoxText(box).find(L"K-1X"), std::wstring::npos);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return StateIn(app, "K-1X") == '?'; }));
  EXPECT_EQ(StateIn(app, "K-2"), '0');
  EXPECT_TRUE(WaitFor([&] { return Outlined(app, 0, 0); })) << "on K-2, now at its row";

  ChooseFromMenu(app, 2);  // K-2 "Выполнено"; Up to the clear button above it, Enter, Yes
  EXPECT_TRUE(WaitFor([&] { return StateIn(app, "K-2") == '1'; }));
  EXPECT_TRUE(WaitFor([&] { return Outlined(app, 2, 0); }));
  PressKey(VK_UP);
  EXPECT_TRUE(WaitFor([&] { return OutlinedAt(app, [] { return boardLayout.clearButtonRect; }); }));
  SaveScreenshot(CaptureClient(app.main), "board-keyboard-clear");
  PressKey(VK_RETURN);
  box = WaitForWindow(app, L"#32770");
  ASSERT_TRUE(box);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  EXPECT_TRUE(WaitFor([&] { return StateIn(app, "K-2") == '?'; }));
  EXPECT_NE(ReadAppFile(app, L"zoltex_history.txt").find("K-2"), std::string::npos);
  auto doneEmpty = [] {
    return ComputeColumnParts(boardLayout.columnRect[2], boardLayout.listRect[2]).emptyText;
  };
  EXPECT_TRUE(WaitFor([&] { return OutlinedAt(app, doneEmpty); })) << "on the empty done column";

  PressKey(VK_ESCAPE);  // back to the number input, and the cursor is no longer drawn
  TypeText(L"N");
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(GetDlgItem(app.main, 101)) == L"N"; }));
  EXPECT_TRUE(WaitFor([&] { return !OutlinedAt(app, doneEmpty); }));
  SaveScreenshot(CaptureClient(app.main), "board-keyboard");
  EXPECT_EQ(CloseApp(app), 0);
}
