// Painting a full board and opening the program's windows leave no GDI object behind
// (measured as free capacity, see paint_probe.h).
#include <windows.h>

#include <gtest/gtest.h>

#include "app/geometry.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "board/board_paint_win.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "paint_probe.h"
#include "store/ticket.h"
#include "draw/draw_win.h"

TEST(PaintLeaks, AThousandPaintsOfAFullBoardLeaveNoGdiObject) {
  CreateDrawingObjects();
  dpi = 96;
  FillProbeStore(maxTickets);
  boardUi = {};
  statusLine = {};
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
  CreateDrawingObjects();
  dpi = 96;
  FillProbeStore(maxTickets);
  int32_t first = 0, after = 0;
  MeasureGdiRun(1280, 800, &first, &after);
  int32_t released = FreePenCapacity();
  EXPECT_GT(first, 1000);
  EXPECT_EQ(after, first);
  EXPECT_GT(released, first);  // the kept buffers are given back
}
