// Painting a full board and opening the program's windows leave no GDI object behind
// (measured as free capacity, see paint_probe.h).
#include <windows.h>

#include <gtest/gtest.h>

#include "app/geometry.h"
#include "app/shell_win.h"
#include "app/text.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/board_paint_win.h"
#include "paint_probe.h"
#include "store/ticket.h"

namespace {

void FillStore() {
  ResetTicketStore();
  for (int32_t i = 0; i < maxTickets; i++) {
    Ticket& t = ticketStore.tickets[i];
    t.state = i % 3 == 0 ? StateInWork : i % 3 == 1 ? StateDone : StateClarify;
    t.order = static_cast<uint32_t>(i + 1);
    t.stateSince = t.createdAt = 1796601600u;
    t.doneAt = t.state == StateDone ? 1796605200u : 0;
    FormatText(t.number, numberUnits, u"INC-%06d", i);
    CopyText(t.description, descriptionUnits, u"Принтер & сканер на третьем этаже");
  }
  ticketStore.ticketCount = maxTickets;
  ticketStore.orderCounter = maxTickets;
}

}  // namespace

TEST(PaintLeaks, AThousandPaintsOfAFullBoardLeaveNoGdiObject) {
  CreateSharedObjects();
  dpi = 96;
  FillStore();
  ResetBoardUi();
  boardUi.hoverCode = HitCardDone;  // the hovered done button clips with a region
  ComputeLayout(1264, 761);
  boardUi.hoverTicket = boardLayout.columnTickets[0][0];
  HDC screen = GetDC(NULL);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 1264, 761);
  HGDIOBJ kept = SelectObject(dc, bitmap);
  SetBkMode(dc, TRANSPARENT);
  DrawBoard(dc, 1796609999u, 350);  // first paint: whatever is made once is made now
  int32_t before = FreePenCapacity();
  for (int i = 0; i < 1000; i++) {
    boardUi.dragging = i % 2 == 1;  // also the drag look
    boardUi.dragTicket = boardLayout.columnTickets[1][0];
    boardUi.mouseX = 700;
    boardUi.mouseY = 400;
    DrawBoard(dc, 1796609999u + i, static_cast<uint32_t>(i * 37));
  }
  int32_t after = FreePenCapacity();
  SelectObject(dc, kept);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(NULL, screen);
  EXPECT_GT(before, 1000);
  EXPECT_EQ(after, before);
}

TEST(PaintLeaks, TenThousandPaintsAndTwoHundredOpeningsOfEveryWindowLeaveTheCapacityAsAfterTheFirst) {
  CreateSharedObjects();
  dpi = 96;
  FillStore();
  int32_t first = 0, after = 0;
  MeasureGdiRun(1280, 800, &first, &after);
  int32_t released = FreePenCapacity();
  EXPECT_GT(first, 1000);
  EXPECT_EQ(after, first);
  EXPECT_GT(released, first);  // the kept buffers are given back
}
