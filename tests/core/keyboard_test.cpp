// The keyboard cursor on the board: where each key takes it, what it asks for, how it keeps to
// its card while the store changes under it, and what a screen reader is told of it.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "board/accessible.h"
#include "board/keyboard.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/ticket.h"

namespace {

// Six cards in work (W1 newest, at the top), two on clarification, none done; 1280 x 800.
struct KeyBoard {
  KeyBoard() {
    ResetTicketStore();
    boardUi = {};
    const char16_t* work[] = {u"W1", u"W2", u"W3", u"W4", u"W5", u"W6"};
    for (int32_t i = 0; i < 6; i++) AddTicket(work[i], StateInWork, 16 - i);
    AddTicket(u"C1", StateClarify, 22);
    AddTicket(u"C2", StateClarify, 21);
    for (int32_t i = 0; i < ticketStore.ticketCount; i++) ticketStore.tickets[i].createdAt = 100 + i;
    ComputeLayout(1280, 800);
    CursorEnterBoard();
  }
  void At(int32_t column, int32_t row) {
    boardUi.cursorColumn = column;
    boardUi.cursorRow = row;
    boardUi.cursorTicket = -1;
    boardUi.cursorButton = 0;
    CursorFollow(true);
  }
  const char16_t* Card() const {
    return boardUi.cursorTicket < 0 ? u"" : ticketStore.tickets[boardUi.cursorTicket].number;
  }
};

int32_t Page() {
  const Rect& l = boardLayout.listRect[0];
  return (l.bottom - l.top + boardLayout.cardGap) / (boardLayout.cardHeight + boardLayout.cardGap);
}

}  // namespace

TEST(BoardKeys, MoveTheCursorThroughAndAcrossTheColumns) {
  KeyBoard b;
  ASSERT_GE(Page(), 2);
  ASSERT_LT(Page(), 6);  // the work column scrolls
  EXPECT_EQ(std::u16string(b.Card()), u"W1");
  struct Row {
    int32_t column, row, key;
    int32_t toColumn, toRow;
    const char16_t* card;  // empty: the column's empty state
  } rows[] = {
      {0, 0, KeyDown, 0, 1, u"W2"},     {0, 1, KeyUp, 0, 0, u"W1"},
      {0, 5, KeyDown, 0, 5, u"W6"},     {0, 2, KeyEnd, 0, 5, u"W6"},
      {0, 5, KeyHome, 0, 0, u"W1"},     {0, 0, KeyPageDown, 0, Page(), nullptr},
      {0, 4, KeyPageDown, 0, 5, u"W6"}, {0, 5, KeyPageUp, 0, 5 - Page(), nullptr},
      {0, 1, KeyPageUp, 0, 0, u"W1"},   {0, 1, KeyRight, 1, 1, u"C2"},
      {0, 0, KeyRight, 1, 0, u"C1"},    {0, 4, KeyRight, 1, 1, u"C2"},
      {1, 0, KeyRight, 2, 0, u""},      {2, 0, KeyLeft, 1, 0, u"C1"},
      {2, 0, KeyDown, 2, 0, u""},       {0, 3, KeyLeft, 0, 3, u"W4"},
      {1, 1, KeyLeft, 0, 1, u"W2"},
  };
  for (const Row& r : rows) {
    b.At(r.column, r.row);
    MouseOutcome o = BoardKeyPress(r.key);
    SCOPED_TRACE(testing::Message() << "from " << r.column << "/" << r.row << " key " << r.key);
    EXPECT_EQ(o.action, ActNone);
    EXPECT_TRUE(o.invalidate);
    EXPECT_EQ(boardUi.cursorColumn, r.toColumn);
    EXPECT_EQ(boardUi.cursorRow, r.toRow);
    if (r.card) EXPECT_EQ(std::u16string(b.Card()), r.card);
    // The cursor's card is wholly in its list.
    if (boardUi.cursorTicket >= 0) {
      ComputeLayout(1280, 800);
      Rect box = CursorBox(), list = boardLayout.listRect[r.toColumn];
      EXPECT_GE(box.top, list.top);
      EXPECT_LE(box.bottom, list.bottom);
    }
  }
  // Commands act on the cursor's card, and on an empty column on nothing.
  const int32_t commands[][2] = {
      {KeyEnter, ActEdit}, {KeyDelete, ActDelete}, {KeyCopy, ActCopyNumber}, {KeyMenu, ActMenu}};
  for (const auto& c : commands) {
    b.At(1, 1);
    MouseOutcome o = BoardKeyPress(c[0]);
    EXPECT_EQ(o.action, c[1]);
    EXPECT_EQ(o.ticket, 7);
    b.At(2, 0);
    EXPECT_EQ(BoardKeyPress(c[0]).action, ActNone);
  }
}

TEST(BoardKeys, UpFromTheFirstCardReachesTheButtons) {
  KeyBoard b;
  AddTicket(u"D1", StateDone, 30);
  ComputeLayout(1280, 800);
  struct Step {
    int32_t key, button, action;  // the button after the key (0: the cards), what it asks
  };
  // From the first card in work: the row of buttons, walked to both ends, pressed, left.
  const Step fromWork[] = {
      {KeyUp, HitTakeButton, ActNone},        {KeyLeft, HitBindsButton, ActNone},
      {KeyLeft, HitSettingsButton, ActNone},  {KeyLeft, HitSettingsButton, ActNone},
      {KeySpace, HitSettingsButton, ActSettings}, {KeyRight, HitBindsButton, ActNone},
      {KeyEnter, HitBindsButton, ActBinds},   {KeyRight, HitTakeButton, ActNone},
      {KeyRight, HitTakeButton, ActNone},     {KeyEnter, HitTakeButton, ActTake},
      {KeyDown, 0, ActNone}};
  // From the done card: the clear button first, then the row; down again through both.
  const Step fromDone[] = {{KeyUp, HitClearButton, ActNone}, {KeyEnter, HitClearButton, ActClear},
                           {KeyUp, HitTakeButton, ActNone},  {KeyDown, HitClearButton, ActNone},
                           {KeyDown, 0, ActNone}};
  for (int32_t column : {0, 2}) {
    b.At(column, 0);
    const Step* steps = column == 0 ? fromWork : fromDone;
    int32_t n = column == 0 ? 11 : 5;
    for (int32_t i = 0; i < n; i++) {
      SCOPED_TRACE(testing::Message() << "column " << column << " step " << i);
      EXPECT_EQ(BoardKeyPress(steps[i].key).action, steps[i].action);
      EXPECT_EQ(boardUi.cursorButton, steps[i].button);
    }
    EXPECT_EQ(boardUi.cursorColumn, column);
    EXPECT_EQ(boardUi.cursorRow, 0);
  }
  // The done cards cleared under the cursor on the clear button: the cursor is on the column.
  b.At(2, 0);
  BoardKeyPress(KeyUp);
  RemoveTicketAt(boardUi.cursorTicket);
  ComputeLayout(1280, 800);
  CursorFollow(true);
  EXPECT_EQ(boardUi.cursorButton, 0);
  EXPECT_EQ(boardUi.cursorTicket, -1);
}

TEST(BoardKeys, TheCursorKeepsToItsCardAndNeverToAGoneOne) {
  KeyBoard b;
  b.At(0, 1);  // W2
  auto relayout = [] { ComputeLayout(1280, 800); CursorFollow(true); };
  RemoveTicketAt(0);  // W1 before it in the store: the index shifts
  relayout();
  EXPECT_EQ(std::u16string(b.Card()), u"W2");
  EXPECT_EQ(boardUi.cursorRow, 0);
  SetTicketTexts(boardUi.cursorTicket, u"W2-renamed", u"");
  relayout();
  EXPECT_EQ(std::u16string(b.Card()), u"W2-renamed");
  // Moved to clarification as the newest there: the cursor goes with it, to that column's top.
  Ticket& moved = ticketStore.tickets[boardUi.cursorTicket];
  moved.state = StateClarify;
  moved.order = 30;
  relayout();
  EXPECT_EQ(boardUi.cursorColumn, 1);
  EXPECT_EQ(boardUi.cursorRow, 0);
  EXPECT_EQ(std::u16string(b.Card()), u"W2-renamed");
  // Deleted under the cursor: the card now at its row takes it; the last card gone, the empty
  // state.
  for (const char16_t* next : {u"C1", u"C2", u""}) {
    RemoveTicketAt(boardUi.cursorTicket);
    relayout();
    EXPECT_EQ(boardUi.cursorColumn, 1);
    EXPECT_EQ(std::u16string(b.Card()), next);
  }
  // A card added to the empty column is taken by the cursor at the next key.
  AddTicket(u"C9", StateClarify, 40);
  ComputeLayout(1280, 800);
  BoardKeyPress(KeyUp);
  EXPECT_EQ(std::u16string(b.Card()), u"C9");
}

// The read tree holds what the board shows, and its focus is the cursor: on a card, a button,
// an empty state, and nowhere while the inputs hold the keyboard.
TEST(BoardKeys, TheReaderIsToldTheBoardAndTheCursor) {
  KeyBoard b;
  Ticket& w1 = ticketStore.tickets[0];
  CopyText(w1.description, descriptionUnits, u"Принтер");
  w1.workedSeconds = 4000;
  w1.stateSince = 1000;
  ReadNode node;
  EXPECT_EQ(ReadChildCount(readBoard), readClearButton - 1) << "no done cards, no clear button";
  EXPECT_EQ(ReadChildCount(0), 6);
  EXPECT_EQ(ReadChildCount(2), 1) << "the empty state";
  ASSERT_TRUE(ReadChild(0, 1, 1013, &node));
  EXPECT_EQ(std::u16string(node.name), u"W1, Принтер");
  EXPECT_EQ(std::u16string(node.value), u"в работе, 1:06:53");
  EXPECT_EQ(node.role, ReadListItem);
  EXPECT_TRUE(node.focused);
  ASSERT_TRUE(ReadChild(0, 6, 1013, &node));
  EXPECT_TRUE(node.offscreen) << "W6 is scrolled out of its list";
  EXPECT_EQ(ReadChildAt(0, node.box.left + 1, boardLayout.listRect[0].top + 1), 1);
  ASSERT_TRUE(ReadChild(readBoard, readFirstColumn + 1, 0, &node));
  EXPECT_EQ(node.column, 1);
  EXPECT_EQ(std::u16string(node.value), u"2");
  EXPECT_FALSE(ReadChild(1, 3, 0, &node));
  EXPECT_FALSE(ReadChild(readBoard, readClearButton, 0, &node));

  struct Row {
    int32_t keys[3];
    int32_t parent, child;
    const char16_t* name;
  } rows[] = {
      {{KeyDown, KeyDown, -1}, 0, 3, u"W3"},
      {{KeyRight, -1, -1}, 1, 1, u"C1"},
      {{KeyRight, KeyRight, -1}, 2, 1, u"Сюда попадут выполненные заявки. Нажми галочку на карточке или перетащи её сюда."},
      {{KeyUp, -1, -1}, readBoard, 3, u"В РАБОТУ"},
      {{KeyUp, KeyLeft, KeyLeft}, readBoard, 1, u"НАСТРОЙКИ"},
  };
  for (const Row& r : rows) {
    b.At(0, 0);
    for (int32_t key : r.keys)
      if (key >= 0) BoardKeyPress(key);
    int32_t parent = -2, child = -2;
    ASSERT_TRUE(ReadFocus(&parent, &child));
    EXPECT_EQ(parent, r.parent);
    EXPECT_EQ(child, r.child);
    ASSERT_TRUE(ReadChild(parent, child, 0, &node));
    EXPECT_TRUE(node.focused);
    EXPECT_EQ(std::u16string(node.name), r.name);
  }
  boardUi.boardKeyboard = false;
  int32_t parent, child;
  EXPECT_FALSE(ReadFocus(&parent, &child));
}
