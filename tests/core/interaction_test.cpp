// Mouse rules on the board: hover, click, drag threshold, drop targets and the card menu.
#include <gtest/gtest.h>

#include <string>

#include "fixtures.h"
#include "app/text.h"
#include "board/interaction.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/ticket.h"

namespace {

// One ticket in each column, at 96 DPI in 1280 x 800: cards at top 208 in lists 36..409,
// 453..826 and 870..1244.
struct Board {
  int32_t work, clarify, done;
  Board() {
    ResetTicketStore();
    boardUi = {};
    work = AddTicket(u"W", StateInWork, 1);
    clarify = AddTicket(u"C", StateClarify, 2);
    done = AddTicket(u"D", StateDone, 3);
    ComputeLayout(1280, 800);
  }
};

MouseOutcome Click(int32_t x, int32_t y) {
  MousePress(x, y, false);
  return MouseRelease(x, y);
}

}  // namespace

TEST(MouseRules, DragStartsOnlyBeyondSixPixelsFromACardBody) {
  Board b;
  MouseOutcome press = MousePress(100, 250, false);
  EXPECT_TRUE(press.capture);
  MouseMove(106, 250);  // 36, not more than 36
  EXPECT_FALSE(boardUi.dragging);
  MouseMove(100, 244);
  EXPECT_FALSE(boardUi.dragging);
  MouseOutcome start = MouseMove(106, 251);  // 37
  EXPECT_TRUE(boardUi.dragging);
  EXPECT_TRUE(start.invalidate);
  EXPECT_EQ(boardUi.dragTicket, b.work);
  EXPECT_EQ(boardUi.grabX, 100 - 36);  // the grab point on the card is kept
  EXPECT_EQ(boardUi.grabY, 250 - 208);
  EXPECT_EQ(boardUi.hoverCode, HitNothing);

  // Presses on card buttons never drag; the done card's missing clarification place does.
  for (int32_t x : {380, 340, 300}) {
    MouseRelease(0, 0);
    MousePress(x, 230, false);
    MouseMove(x - 50, 300);
    EXPECT_FALSE(boardUi.dragging) << x;
  }
  MouseRelease(0, 0);
  MousePress(1244 - 110, 230, false);
  EXPECT_EQ(boardUi.pressCode, HitCardBody);
  MouseMove(1000, 300);
  EXPECT_TRUE(boardUi.dragging);
  MouseRelease(1000, 300);
}

TEST(MouseRules, DropMovesToTheColumnUnderTheMouseHeaderIncluded) {
  Board b;
  MousePress(100, 250, false);
  MouseMove(300, 300);
  MouseOutcome drop = MouseRelease(500, 160);  // header of the clarification column
  EXPECT_FALSE(boardUi.dragging);
  EXPECT_TRUE(drop.release);
  EXPECT_TRUE(drop.invalidate);
  EXPECT_EQ(drop.action, ActSetState);
  EXPECT_EQ(drop.ticket, b.work);
  EXPECT_EQ(drop.state, StateClarify);

  MousePress(500, 250, false);  // the clarification card
  MouseMove(900, 300);
  drop = MouseRelease(1000, 400);
  EXPECT_EQ(drop.state, StateDone);
  EXPECT_EQ(drop.ticket, b.clarify);

  // Its own column or outside every column: nothing but a repaint.
  MousePress(500, 250, false);
  MouseMove(520, 300);
  drop = MouseRelease(600, 700);
  EXPECT_EQ(drop.action, ActNone);
  EXPECT_TRUE(drop.invalidate);
  MousePress(500, 250, false);
  MouseMove(520, 300);
  EXPECT_EQ(MouseRelease(430, 400).action, ActNone);  // the gap between columns
  EXPECT_EQ(MouseRelease(430, 400).action, ActNone);  // release without press
}

TEST(MouseRules, ClickNeedsPressAndReleaseOnTheSameThing) {
  Board b;
  EXPECT_EQ(Click(1100, 100).action, ActTake);
  EXPECT_EQ(Click(1100, 40).action, ActBinds);
  EXPECT_EQ(Click(900, 40).action, ActSettings);
  EXPECT_EQ(Click(30, 780).action, ActCredit);
  EXPECT_EQ(Click(1160, 170).action, ActClear);
  MousePress(1100, 100, false);
  MouseMove(600, 100);
  EXPECT_EQ(MouseRelease(600, 100).action, ActNone);
  MousePress(1100, 100, false);
  MouseMove(600, 100);
  EXPECT_EQ(MouseRelease(1101, 101).action, ActTake);
  // Same code but another ticket is no click.
  MousePress(380, 230, false);
  EXPECT_EQ(MouseRelease(797, 230).action, ActNone);

  MouseOutcome del = Click(380, 230);
  EXPECT_EQ(del.action, ActDelete);
  EXPECT_EQ(del.ticket, b.work);
  MouseOutcome done = Click(340, 230);
  EXPECT_EQ(done.state, StateDone);
  EXPECT_EQ(Click(300, 230).state, StateClarify);
  EXPECT_EQ(Click(757, 230).state, StateDone);     // clarification card's done button
  EXPECT_EQ(Click(717, 230).state, StateInWork);   // and its return button
  EXPECT_EQ(Click(1174, 230).state, StateInWork);  // done card's return button
  EXPECT_EQ(Click(100, 250).action, ActNone);      // card body

  MouseOutcome edit = MousePress(100, 250, true);
  EXPECT_EQ(edit.action, ActEdit);
  EXPECT_TRUE(edit.release);
  EXPECT_EQ(boardUi.pressCode, HitNothing);
  EXPECT_EQ(MousePress(1100, 100, true).action, ActNone);  // elsewhere a double click presses
  EXPECT_EQ(MouseRelease(1100, 100).action, ActTake);
  EXPECT_FALSE(MousePress(600, 700, false).capture);
}

TEST(MouseRules, HoverInvalidatesOnlyWhenWhatIsUnderTheMouseChanges) {
  Board b;
  MouseOutcome first = MouseMove(100, 250);
  EXPECT_TRUE(first.trackLeave);
  EXPECT_TRUE(first.invalidate);
  EXPECT_FALSE(MouseMove(110, 260).invalidate);
  EXPECT_FALSE(MouseMove(110, 260).trackLeave);
  EXPECT_TRUE(MouseMove(380, 230).invalidate);  // onto the delete button
  EXPECT_EQ(boardUi.hoverCode, HitCardDelete);
  EXPECT_FALSE(MouseMove(385, 240).invalidate);  // within it
  EXPECT_TRUE(MouseLeave().invalidate);
  EXPECT_EQ(boardUi.hoverTicket, -1);
  EXPECT_TRUE(MouseMove(385, 240).trackLeave);
}

TEST(MouseRules, CardMenuByState) {
  Board b;
  EXPECT_EQ(MouseRightRelease(600, 700).action, ActNone);  // empty column space
  EXPECT_EQ(MouseRightRelease(1100, 40).action, ActNone);  // a header button
  MouseOutcome menu = MouseRightRelease(380, 230);         // buttons count
  EXPECT_EQ(menu.action, ActMenu);
  EXPECT_EQ(menu.ticket, b.work);

  auto ids = [](int32_t state) {
    MenuItem items[menuItemCount];
    TicketMenuItems(state, items);
    std::u16string all;
    for (const MenuItem& item : items) {
      all += item.text ? item.text : u"-";
      all += u";";
    }
    return all;
  };
  const std::u16string tail = u"Изменить…;Копировать номер;Взять номер и описание в поля ввода;-;Удалить;";
  EXPECT_EQ(ids(StateInWork), u"На уточнение;Выполнено;" + tail);
  EXPECT_EQ(ids(StateClarify), u"Вернуть в работу;Выполнено;" + tail);
  EXPECT_EQ(ids(StateDone), u"Вернуть в работу;На уточнение;" + tail);

  EXPECT_EQ(MenuCommand(1, b.work).state, StateDone);
  EXPECT_EQ(MenuCommand(2, b.done).state, StateInWork);
  EXPECT_EQ(MenuCommand(7, b.done).state, StateClarify);
  EXPECT_EQ(MenuCommand(3, b.work).action, ActCopyNumber);
  EXPECT_EQ(MenuCommand(4, b.work).action, ActTakeTexts);
  EXPECT_EQ(MenuCommand(5, b.work).action, ActDelete);
  EXPECT_EQ(MenuCommand(6, b.work).action, ActEdit);
  EXPECT_EQ(MenuCommand(0, b.work).action, ActNone);
  EXPECT_EQ(MenuCommand(1, 7).action, ActNone);  // the ticket went away meanwhile
}

TEST(MouseRules, ADragEndsOnlyByItsOwnReleaseOrWhenTheCaptureIsLost) {
  Board b;
  // A right click during a drag shows no menu; the drag goes on and drops normally.
  MousePress(100, 250, false);
  MouseMove(300, 300);
  ASSERT_TRUE(boardUi.dragging);
  EXPECT_EQ(MouseRightRelease(500, 250).action, ActNone);  // over the clarification card
  EXPECT_TRUE(boardUi.dragging);
  MouseOutcome drop = MouseRelease(500, 400);
  EXPECT_EQ(drop.action, ActSetState);
  EXPECT_EQ(drop.state, StateClarify);

  // Capture taken away mid-drag: the drag is given up and a later click is only a click.
  MousePress(100, 250, false);
  MouseMove(300, 300);
  ASSERT_TRUE(boardUi.dragging);
  EXPECT_TRUE(MouseCaptureLost().invalidate);
  EXPECT_FALSE(boardUi.dragging);
  MouseMove(1000, 400);
  EXPECT_FALSE(boardUi.dragging);
  EXPECT_EQ(Click(1000, 400).action, ActNone);  // the done column's empty space: no drop

  // A pressed button that loses the capture does not fire on a later release over it.
  MousePress(1100, 100, false);
  EXPECT_FALSE(MouseCaptureLost().invalidate);
  EXPECT_EQ(MouseRelease(1100, 100).action, ActNone);
  EXPECT_EQ(Click(1100, 100).action, ActTake);
}
