// The board driven as a user would: typing tickets, card buttons, drag and drop, saving.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "app/geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/theme.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {


POINT Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool DataHas(const App& app, const char* piece) {
  return ReadAppFile(app, L"zoltex_data.txt").find(piece) != std::string::npos;
}

HWND Input(const App& app, int id) { return GetDlgItem(app.main, id); }

std::wstring InputText(const App& app, int id) { return RemoteControlText(Input(app, id)); }

// The part of the board as the program painted it equals the same part after a repaint of the
// whole window: nothing a change left out of its repaint stays on the screen.
bool PaintedAsAfresh(const App& app, const Rect& part) {
  Settle(app);
  Pixels shown = CaptureClient(app.main);
  InvalidateRect(app.main, NULL, FALSE);
  Settle(app);
  Pixels afresh = CaptureClient(app.main);
  if (shown.data.empty() || shown.width != afresh.width || shown.height != afresh.height)
    return false;
  for (int32_t y = part.top; y < part.bottom; y++)
    for (int32_t x = part.left; x < part.right; x++)
      if (shown.At(x, y) != afresh.At(x, y)) return false;
  return true;
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
  ASSERT_TRUE(StartOnData(app, threeStates));
  // A-1 is the only card in work: its done button.
  POINT done = Centre(ComputeCardButtons(CardBox(0, 0), StateInWork).middleButton);
  Click(app.main, done.x, done.y);
  EXPECT_TRUE(WaitFor([&] { return DataHas(app, "\r\n1|4|"); }));
  EXPECT_TRUE(DataHas(app, "|A-1|first"));
  EXPECT_TRUE(PaintedAsAfresh(app, boardLayout.listRect[0])) << "the card gone from work";

  // Drag B-2 (on clarification) to the in-work column's header.
  int32_t x = boardLayout.listRect[1].left + 40, y = CardTop(1, 0) + 60;
  LeftDown(app.main, x, y);
  MoveMouseTo(app.main, x - 20, y);
  MoveMouseTo(app.main, x - 200, y - 100);
  POINT header = {boardLayout.columnRect[0].left + 60, boardLayout.columnRect[0].top + 20};
  MoveMouseTo(app.main, header.x, header.y);
  LeftUp(app.main, header.x, header.y);
  EXPECT_TRUE(WaitFor([&] { return DataHas(app, "\r\n0|5|20|"); }));
  EXPECT_TRUE(PaintedAsAfresh(app, boardLayout.listRect[1])) << "the card gone from clarification";
  SaveScreenshot(CaptureClient(app.main), "board-after-moves");
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Board, DeleteAsksAndNoKeepsTheTicket) {
  App app = MakeApp("board-delete");
  ASSERT_TRUE(StartOnData(app, threeStates));
  int32_t right = boardLayout.listRect[0].right;
  int32_t top = CardTop(0, 0);
  Click(app.main, right - 29, top + 29);  // the delete button
  HWND box = NULL;
  ASSERT_TRUE((box = WaitForWindow(app, L"#32770")));
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
  ASSERT_TRUE((box = WaitForWindow(app, L"#32770")));
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
  ASSERT_TRUE(StartOnData(app, threeStates));
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
  ASSERT_NE(WaitForPaintedMenu(app), (HWND)NULL);  // the keys go to the menu from now on
  for (int i = 0; i < 4; i++) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == L"C-3"; }));

  // Take the in-work ticket's texts into the inputs: the fifth item.
  ASSERT_TRUE(WaitFor([&] { return FindAppWindow(app, L"#32768") == NULL; }));
  Settle(app);
  RightClick(app.main, boardLayout.listRect[0].left + 40, CardTop(0, 0) + 60);
  ASSERT_NE(WaitForPaintedMenu(app), (HWND)NULL);
  for (int i = 0; i < 5; i++) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return InputText(app, 101) == L"A-1"; }));
  EXPECT_EQ(InputText(app, 102), L"first");

  EXPECT_EQ(CloseApp(app), 0);
}

namespace {

// The card's button squares, as the board lays them out (delete, done / return, clarification).
CardButtons ButtonsOf(int32_t column, int32_t index) {
  return ComputeCardButtons(CardBox(column, index),
                            ticketStore.tickets[boardLayout.columnTickets[column][index]].state);
}

// A point of the button's fill, clear of the icon in its middle.
POINT FillPoint(const Rect& r) { return {r.left + s(4), (r.top + r.bottom) / 2}; }

// For a failure message: where the cursor is and whose window is under it.
std::string UnderCursor(const App& app) {
  POINT c;
  GetCursorPos(&c);
  HWND under = WindowFromPoint(c);
  char text[160];
  snprintf(text, sizeof text, "cursor at %ld,%ld over %s", c.x, c.y,
           under == app.main ? "the board" : under ? "another window" : "no window");
  return text;
}

bool NearAccentBlue(uint32_t c) {  // the left end of the accent gradient, #00A3FF
  return (c & 0xFF) < 0x30 && ((c >> 16) & 0xFF) > 0xE0;
}

}  // namespace

TEST(Board, CardHoverLookFollowsTheMouse) {
  App app = MakeApp("board-hover");
  ASSERT_TRUE(StartOnData(app, threeStates));
  const Rect& list = boardLayout.listRect[0];
  int32_t top = CardTop(0, 0);
  POINT body = {list.left + s(16), top + s(50)};        // plain card surface
  POINT outline = {(list.left + list.right) / 2, top};  // the card's top edge
  CardButtons work = ButtonsOf(0, 0);
  POINT del = FillPoint(work.deleteButton), done = FillPoint(work.middleButton),
        ask = FillPoint(work.leftButton);
  auto pixel = [&](POINT p) { return ClientPixel(app.main, p.x, p.y); };
  const uint32_t accent = 0xFFFFFFFF;  // stands for "near the accent gradient's blue end"
  // Waits until every spot shows its colour (a frame reaches the screen in parts), then checks
  // each, so a failure names the spot that is wrong.
  auto looks = [&](std::initializer_list<std::pair<POINT, uint32_t>> spots) {
    auto right = [&](const std::pair<POINT, uint32_t>& spot) {
      uint32_t c = pixel(spot.first);
      return spot.second == accent ? NearAccentBlue(c) : c == spot.second;
    };
    WaitFor([&] {
      for (const auto& spot : spots)
        if (!right(spot)) return false;
      return true;
    });
    for (const auto& spot : spots)
      EXPECT_TRUE(right(spot)) << "at " << spot.first.x << "," << spot.first.y << ": " << std::hex
                               << pixel(spot.first) << ", " << UnderCursor(app);
  };
  auto moveTo = [&](POINT p) { MoveMouseTo(app.main, p.x, p.y); };
  const uint32_t doneRest = Rgb(0x143448), askRest = Rgb(0x342816);

  // At rest: the mouse on the empty space of another column.
  moveTo({boardLayout.listRect[1].left + s(40), boardLayout.listRect[1].bottom - s(20)});
  looks({{body, Theme::fieldColor}, {outline, Theme::lineColor}, {del, Theme::chipColor},
         {done, doneRest}, {ask, askRest}});

  // On the card's body: the whole card lights up, its buttons stay at rest.
  moveTo({list.left + s(40), top + s(60)});
  looks({{body, Theme::cardHoverColor}, {outline, Theme::lineHoverColor}, {del, Theme::chipColor},
         {done, doneRest}});
  SaveScreenshot(CaptureClient(app.main), "card-hover-body");

  // On the delete button: it turns red-brown, the card stays lit.
  moveTo(Centre(work.deleteButton));
  looks({{del, Rgb(0x461E28)}, {body, Theme::cardHoverColor}, {done, doneRest}});
  SaveScreenshot(CaptureClient(app.main), "card-hover-delete");

  // On the done button: the accent gradient; the delete button is back at rest.
  moveTo(Centre(work.middleButton));
  looks({{done, accent}, {del, Theme::chipColor}});
  SaveScreenshot(CaptureClient(app.main), "card-hover-done");

  // On the "?" button: a brighter brown.
  moveTo(Centre(work.leftButton));
  looks({{ask, Rgb(0x5A3E14)}, {done, doneRest}});

  // On the done card's return button: the lighter chip; the first card is back at rest.
  CardButtons finished = ButtonsOf(2, 0);
  POINT back = FillPoint(finished.middleButton);
  EXPECT_EQ(pixel(back), Theme::chipColor);
  moveTo(Centre(finished.middleButton));
  looks({{back, Theme::chipHoverColor}, {body, Theme::fieldColor}, {ask, askRest}});
  SaveScreenshot(CaptureClient(app.main), "card-hover-return");

  // Leaving the client area takes the hover away.
  moveTo({s(40), -s(10)});
  looks({{back, Theme::chipColor},
         {{boardLayout.listRect[2].left + s(16), CardTop(2, 0) + s(50)}, Theme::fieldColor}});
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Board, HoverFollowsCardsThatMoveUnderAStillMouse) {
  std::string data = "ZOLTEX1\r\n12|1\r\n";
  for (int i = 1; i <= 12; i++)  // T12 is the newest: the top card
    data += "0|" + std::to_string(i) + "|0|1796601600|1796601600|0|T" + std::to_string(i) + "|\r\n";
  App app = MakeApp("board-hover-moves");
  ASSERT_TRUE(StartOnData(app, data));
  auto pixel = [&](POINT p) { return ClientPixel(app.main, p.x, p.y); };
  const Rect& list = boardLayout.listRect[0];

  // The top card's done button takes it away; the card sliding up under the mouse is lit and
  // shows its own done button under the mouse, the moved card rests in the done column.
  POINT done = Centre(ButtonsOf(0, 0).middleButton);
  // The pointer is first seen resting on the button, so the program's cursor and the X pointer agree.
  MoveMouseTo(app.main, done.x, done.y);
  POINT topDone = FillPoint(ButtonsOf(0, 0).middleButton);
  ASSERT_TRUE(WaitFor([&] { return NearAccentBlue(pixel(topDone)); }));
  Click(app.main, done.x, done.y);
  ASSERT_TRUE(WaitFor([&] { return DataHas(app, "\r\n1|13|"); }));
  LoadBoardLayout(app, ReadAppFile(app, L"zoltex_data.txt"));
  POINT nextDone = FillPoint(ButtonsOf(0, 0).middleButton);
  EXPECT_TRUE(WaitFor([&] { return NearAccentBlue(pixel(nextDone)); })) << std::hex << pixel(nextDone);
  POINT movedBody = {boardLayout.listRect[2].left + s(16), CardTop(2, 0) + s(50)};
  POINT movedBack = FillPoint(ButtonsOf(2, 0).middleButton);
  EXPECT_TRUE(WaitFor([&] { return pixel(movedBody) == Theme::fieldColor; }));
  EXPECT_EQ(pixel(movedBack), Theme::chipColor);
  SaveScreenshot(CaptureClient(app.main), "card-hover-after-done");

  // A wheel notch scrolls the column by 70 px: the next card comes under the mouse and is lit.
  int32_t y = CardTop(0, 0) + s(90);
  MoveMouseTo(app.main, list.left + s(40), y);
  EXPECT_TRUE(WaitFor([&] { return pixel({list.left + s(16), CardTop(0, 0) + s(50)}) ==
                                   Theme::cardHoverColor; }));
  Wheel(app.main, list.left + s(40), y, -120);
  // Where the first card stood, the gap between the first two now shows.
  ASSERT_TRUE(WaitFor([&] { return pixel({list.left + s(16), list.top + s(32)}) == Theme::panelColor; }))
      << "the column did not scroll";
  LoadBoardLayout(app, ReadAppFile(app, L"zoltex_data.txt"));
  boardUi.columnScroll[0] = s(70);
  ComputeLayout(boardLayout.clientWidth, boardLayout.clientHeight);
  POINT secondBody = {list.left + s(16), CardTop(0, 1) + s(50)};
  EXPECT_TRUE(WaitFor([&] { return pixel(secondBody) == Theme::cardHoverColor; }));
  SaveScreenshot(CaptureClient(app.main), "card-hover-after-wheel");
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(Board, RightClickDuringADragShowsNoMenuAndTheDropStillWorks) {
  App app = MakeApp("board-drag-right-click");
  ASSERT_TRUE(StartOnData(app, threeStates));
  int32_t x = boardLayout.listRect[0].left + s(40), y = CardTop(0, 0) + s(60);
  LeftDown(app.main, x, y);
  MoveMouseTo(app.main, x + s(30), y + s(10));
  POINT over = {boardLayout.listRect[1].left + s(40), CardTop(1, 0) + s(60)};  // B-2's card
  MoveMouseTo(app.main, over.x, over.y);
  RightClick(app.main, over.x, over.y);
  Settle(app);
  EXPECT_EQ(FindAppWindow(app, L"#32768"), (HWND)NULL);
  POINT done = {boardLayout.listRect[2].left + s(60), boardLayout.listRect[2].bottom - s(40)};
  MoveMouseTo(app.main, done.x, done.y);
  LeftUp(app.main, done.x, done.y);
  EXPECT_TRUE(WaitFor([&] { return DataHas(app, "\r\n1|4|"); }));
  EXPECT_TRUE(DataHas(app, "|A-1|first"));
  EXPECT_TRUE(PaintedAsAfresh(app, boardLayout.listRect[0])) << "the card gone from work";
  EXPECT_EQ(CloseApp(app), 0);
}
