// The board driven with the keyboard alone: F6 to the board, the cursor drawn on its card, the
// card's menu, editor and delete question, the clear button, and Esc back to the number input;
// and the board as a screen reader reads it from the running program.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

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

// Types each number (and the description, when there is one) into the inputs and presses Enter;
// returns when the last one is in the data file, in work.
void AddTickets(const App& app, std::initializer_list<const wchar_t*> numbers,
                const wchar_t* description) {
  for (const wchar_t* number : numbers) {
    TypeText(number);
    if (description[0]) {
      PressKey(VK_TAB);
      TypeText(description);
    }
    PressKey(VK_RETURN);
  }
  const wchar_t* last = *(numbers.end() - 1);
  ASSERT_TRUE(WaitFor([&] { return StateIn(app, std::string(last, last + wcslen(last))) == '0'; }));
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

// A reader's view of one object: its child's name, value and state through the system's client
// calls, as a screen reader makes them.
struct Read {
  std::wstring name, value;
  LONG state = 0;
};
Read ReadOf(IAccessible* object, LONG child) {
  Read r;
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = child;
  BSTR text = NULL;
  if (object->get_accName(id, &text) == S_OK) r.name = text;
  SysFreeString(text);
  text = NULL;
  if (object->get_accValue(id, &text) == S_OK) r.value = text;
  SysFreeString(text);
  VARIANT state;
  if (object->get_accState(id, &state) == S_OK && state.vt == VT_I4) r.state = state.lVal;
  return r;
}

IAccessible* ColumnObject(IAccessible* board, LONG child) {
  VARIANT id;
  id.vt = VT_I4;
  id.lVal = child;
  IDispatch* dispatch = NULL;
  IAccessible* column = NULL;
  if (board->get_accChild(id, &dispatch) == S_OK && dispatch) {
    dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&column));
    dispatch->Release();
  }
  return column;
}

// The focus events the program raises, heard out of its process as a reader hears them.
std::vector<std::wstring> heardFocus;
void CALLBACK HearFocus(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* source = NULL;
  VARIANT id;
  if (AccessibleObjectFromEvent(window, object, child, &source, &id) != S_OK) return;
  if (id.vt == VT_I4 && id.lVal != CHILDID_SELF) heardFocus.push_back(ReadOf(source, id.lVal).name);
  source->Release();
}
// Whether the name was heard since the last key. A callback reads the name back from the program,
// and another event can be delivered to this thread while it waits for the answer, so the events
// of two quick keys may be noted in either order.
bool Heard(const std::wstring& name) {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  return std::find(heardFocus.begin(), heardFocus.end(), name) != heardFocus.end();
}
// A key whose focus events are listened for afresh.
void Press(WORD vk) {
  heardFocus.clear();
  PressKey(vk);
}

}  // namespace

TEST(BoardKeyboard, AReaderReadsTheCardsAndHearsTheCursor) {
  App app = MakeApp("board-reader");
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  AddTickets(app, {L"R-1", L"R-2"}, L"Принтер");
  CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
  IAccessible* board = NULL;
  ASSERT_EQ(AccessibleObjectFromWindow(app.main, OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&board)), S_OK);
  LONG count = 0;
  EXPECT_EQ(board->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 6) << "three buttons and three columns, no clear button without done cards";
  EXPECT_EQ(ReadOf(board, 3).name, L"В РАБОТУ");
  IAccessible* work = ColumnObject(board, 4);
  ASSERT_TRUE(work);
  EXPECT_EQ(ReadOf(board, 4).name, L"ЗАЯВКИ В РАБОТЕ");
  EXPECT_EQ(work->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 2);
  Read newest = ReadOf(work, 1);
  EXPECT_EQ(newest.name, L"R-2, Принтер");
  EXPECT_EQ(newest.value.substr(0, 12), L"в работе, 00");
  EXPECT_FALSE(newest.state & STATE_SYSTEM_FOCUSED) << "the keyboard is in the inputs";

  DWORD pid = app.process.dwProcessId;
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, NULL, HearFocus, pid,
                                       0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  Press(VK_F6);
  PressKey(VK_F6);  // the board, on R-2
  EXPECT_TRUE(WaitFor([&] { return Heard(L"R-2, Принтер"); }));
  EXPECT_TRUE(ReadOf(work, 1).state & STATE_SYSTEM_FOCUSED);
  Press(VK_DOWN);
  EXPECT_TRUE(WaitFor([&] { return Heard(L"R-1, Принтер"); }));
  VARIANT focus;
  ASSERT_EQ(work->get_accFocus(&focus), S_OK);
  EXPECT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(focus.lVal, 2);
  EXPECT_FALSE(ReadOf(work, 1).state & STATE_SYSTEM_FOCUSED);
  Press(VK_UP);
  PressKey(VK_UP);  // the take button
  EXPECT_TRUE(WaitFor([&] { return Heard(L"В РАБОТУ"); }));
  EXPECT_TRUE(ReadOf(board, 3).state & STATE_SYSTEM_FOCUSED);
  UnhookWinEvent(hook);
  work->Release();
  board->Release();
  EXPECT_EQ(CloseApp(app), 0);
  CoUninitialize();
}

TEST(BoardKeyboard, EveryCardCommandWithoutTheMouse) {
  App app = MakeApp("board-keyboard");
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  AddTickets(app, {L"K-1", L"K-2"}, L"");
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
