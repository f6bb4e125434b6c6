// The kept back buffer, the glow tiles and the partial repaint give exactly the pixels of a board
// drawn from scratch into a fresh buffer, whatever the state, size and DPI, and whatever step of
// the mouse or the keyboard came before.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/geometry.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "board/board_geometry.h"
#include "board/board_paint_win.h"
#include "board/changes.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "paint_probe.h"
#include "reminder/settings.h"
#include "store/ops.h"
#include "store/ticket.h"
#include "draw/draw_win.h"

namespace {

constexpr uint32_t now0 = 1796609999u;

std::vector<uint32_t> Pixels(HDC source, int32_t w, int32_t h) {
  HDC screen = GetDC(NULL);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ kept = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, source, 0, 0, SRCCOPY);
  GdiFlush();
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> out(p, p + static_cast<size_t>(w) * h);
  SelectObject(mem, kept);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(NULL, screen);
  return out;
}

// The plain way: a new buffer filled with the window colour and everything drawn into it.
std::vector<uint32_t> FromScratch(uint32_t now, uint32_t tick) {
  const int32_t w = boardLayout.clientWidth, h = boardLayout.clientHeight;
  HDC screen = GetDC(NULL);
  ScratchBoard b = DrawBoardFromScratch(screen, w, h, now, tick);
  std::vector<uint32_t> out = Pixels(b.dc, w, h);
  ReleaseScratchBoard(b);
  ReleaseDC(NULL, screen);
  return out;
}

// The kept buffer after repainting region (NULL: all).
std::vector<uint32_t> Kept(HRGN region, uint32_t now, uint32_t tick) {
  HDC screen = GetDC(NULL);
  HDC dc = RenderBoard(screen, region, now, tick);
  ReleaseDC(NULL, screen);
  if (!dc) return {};
  return Pixels(dc, boardLayout.clientWidth, boardLayout.clientHeight);
}

// Index of the first differing pixel as "x,y", or "" when both are equal.
std::string FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size()) return "sizes differ";
  for (size_t i = 0; i < a.size(); i++)
    if (a[i] != b[i])
      return std::to_string(i % boardLayout.clientWidth) + "," +
             std::to_string(i / boardLayout.clientWidth);
  return "";
}

// Ten timer frames from the state as it is: each repaints only the timer's region of the kept
// buffer (the waiting cards when a new second starts), and every frame must equal a fresh one.
void ExpectTimerFramesExact(uint32_t now, uint32_t tick, const char* what) {
  EXPECT_EQ(FirstDifference(Kept(NULL, now, tick), FromScratch(now, tick)), "") << what;
  for (int i = 1; i <= 10; i++) {
    uint32_t t = tick + 100u * static_cast<uint32_t>(i) + 37u;
    uint32_t n = now + static_cast<uint32_t>(i / 4) * 61u;  // the minute captions move too
    HRGN region = TimerRegion(i % 4 == 0);
    std::vector<uint32_t> kept = Kept(region, n, t);
    DeleteObject(region);
    ASSERT_EQ(FirstDifference(kept, FromScratch(n, t)), "") << what << ", frame " << i;
  }
}

class PaintCache : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDrawingObjects();
    dpi = 96;
    boardUi = {};
    statusLine = {};
    ResetSettings();
    ReleaseBoardBuffers();
  }
  void TearDown() override {
    ReleaseBoardBuffers();
    dpi = 96;
  }
};

}  // namespace

TEST_F(PaintCache, FullStoreAtRestHoverFocusAndScrollMatchAFreshBoard) {
  FillProbeStore(maxTickets);
  ComputeLayout(1280, 800);
  ExpectTimerFramesExact(now0, 350, "at rest");

  boardUi.hoverCode = HitCardDone;  // the gradient check button of an in-work card
  boardUi.hoverTicket = boardLayout.columnTickets[0][1];
  ExpectTimerFramesExact(now0, 1000, "hovered done button");
  boardUi.hoverCode = HitTakeButton;
  boardUi.descriptionFocused = true;
  ExpectTimerFramesExact(now0, 2000, "hovered take button, focused description");
  boardUi.hoverCode = HitClearButton;
  settings.remind = 1;
  settings.hour = 9;
  settings.minute = 5;
  ExpectTimerFramesExact(now0, 3000, "hovered clear button, reminder on");

  // Scrolled lists cut cards at the list top; partly visible cards are in the timer's region.
  for (int32_t k = 0; k < 3; k++) boardUi.columnScroll[k] = 70 * (k + 1) + 13;
  ComputeLayout(1280, 800);
  ExpectTimerFramesExact(now0, 4000, "scrolled");
  boardUi.columnScroll[0] = 1000000;  // clamped to the end of the list
  ComputeLayout(1280, 800);
  ExpectTimerFramesExact(now0, 5000, "scrolled to the end");
}

TEST_F(PaintCache, DragStatusAndEmptyColumnsMatchAFreshBoard) {
  FillProbeStore(maxTickets);
  ComputeLayout(1280, 800);
  boardUi.dragging = true;
  boardUi.dragTicket = boardLayout.columnTickets[0][0];
  boardUi.mouseX = 700;
  boardUi.mouseY = 300;
  ExpectTimerFramesExact(now0, 100, "dragging an in-work card over the header and a column");
  boardUi.dragging = false;

  // A status message until tick 2600, then the statistics line again, within the timer's frames.
  SetStatusText(u"Номер INC-1 скопирован", 2000);
  ExpectTimerFramesExact(now0, 2000, "status shown, then expiring");

  FillProbeStore(2);  // one in work, one done, no waiting ticket: empty-state text in the middle
  ComputeLayout(1280, 800);
  ExpectTimerFramesExact(now0, 700, "few tickets");
  FillProbeStore(0);
  ComputeLayout(1280, 800);
  ExpectTimerFramesExact(now0, 0, "empty board, grey dot");
}

TEST_F(PaintCache, SizeAndDpiChangesRemakeTheBuffers) {
  FillProbeStore(60);
  for (int32_t i = 0; i < 60; i += 2) {  // texts whole at some widths or at all
    ticketStore.tickets[i].number[6 + i % 12] = 0;
    ticketStore.tickets[i].description[1 + i % 50] = 0;
  }
  ComputeLayout(1280, 800);
  ExpectTimerFramesExact(now0, 350, "1280 x 800");
  ComputeLayout(1000, 620);  // smallest: the glows nearly meet
  EXPECT_EQ(FirstDifference(Kept(NULL, now0, 350), FromScratch(now0, 350)), "") << "smaller";
  // Steps of a resize within the kept buffer, growing and shrinking, with a card hovered and a
  // list scrolled so that its cards are cut at the top.
  boardUi.hoverCode = HitCardBody;
  boardUi.hoverTicket = boardLayout.columnTickets[1][0];
  boardUi.columnScroll[0] = 57;
  const int32_t steps[][2] = {{1016, 632}, {1100, 780}, {1280, 788}, {1250, 780},
                              {1000, 790}, {1003, 700}, {1003, 760}};
  for (const auto& size : steps) {
    ComputeLayout(size[0], size[1]);
    ASSERT_EQ(FirstDifference(Kept(NULL, now0, 350), FromScratch(now0, 350)), "") << size[0];
  }
  boardUi = {};
  ComputeLayout(1920, 1017);
  HRGN region = TimerRegion(false);  // a new size repaints everything, whatever was invalidated
  std::vector<uint32_t> grown = Kept(region, now0, 450);
  DeleteObject(region);
  EXPECT_EQ(FirstDifference(grown, FromScratch(now0, 450)), "") << "grown";
  dpi = 144;
  ComputeLayout(1920, 1017);
  ExpectTimerFramesExact(now0, 550, "144 DPI");
}

// A step of the mouse or the keyboard repaints only what ChangedRects names, and the kept
// buffer must still equal a board drawn afresh in the new state.
TEST_F(PaintCache, EachStepRepaintsWhatItChanged) {
  FillProbeStore(maxTickets);
  ComputeLayout(1280, 800);
  const BoardLayout& L = boardLayout;
  auto hover = [](int32_t code, int32_t ticket) {
    return [=](BoardUiState& ui) { ui.hoverCode = code, ui.hoverTicket = ticket; };
  };
  auto drag = [&](int32_t x, int32_t y) {
    return [=](BoardUiState& ui) {
      ui.hoverCode = HitNothing, ui.hoverTicket = -1;
      ui.dragging = true, ui.dragTicket = L.columnTickets[0][1];
      ui.grabX = 30, ui.grabY = 20, ui.mouseX = x, ui.mouseY = y;
    };
  };
  auto cursor = [](bool board, int32_t button, int32_t column, int32_t row, int32_t ticket) {
    return [=](BoardUiState& ui) {
      ui.boardKeyboard = board, ui.cursorButton = button;
      ui.cursorColumn = column, ui.cursorRow = row, ui.cursorTicket = ticket;
    };
  };
  struct Step {
    const char* what;
    std::function<void(BoardUiState&)> change;
  } steps[] = {
      {"onto a card", hover(HitCardBody, L.columnTickets[0][0])},
      {"onto a card of another column", hover(HitCardBody, L.columnTickets[1][2])},
      {"onto its done button", hover(HitCardDone, L.columnTickets[1][2])},
      {"onto the clear button", hover(HitClearButton, -1)},
      {"onto the take button", hover(HitTakeButton, -1)},
      {"off the board", hover(HitNothing, -1)},
      {"a notch down the work column", [](BoardUiState& ui) { ui.columnScroll[0] = 120; }},
      {"a notch down the done column", [](BoardUiState& ui) { ui.columnScroll[2] = 240; }},
      {"a drag taken up", drag(200, 300)},
      {"a drag frame", drag(230, 340)},
      {"a drag over the clarification column", drag(640, 360)},
      {"a drag over the done column", drag(1000, 500)},
      {"the drag dropped where it began",
       [](BoardUiState& ui) { ui.dragging = false, ui.dragTicket = -1; }},
      {"the number input focused", [](BoardUiState& ui) { ui.numberFocused = true; }},
      {"the description input focused",
       [](BoardUiState& ui) { ui.numberFocused = false, ui.descriptionFocused = true; }},
      {"the cursor on a card", cursor(true, 0, 0, 1, L.columnTickets[0][1])},
      {"the cursor on the next card", cursor(true, 0, 0, 2, L.columnTickets[0][2])},
      {"the cursor on the take button", cursor(true, HitTakeButton, 0, 2, L.columnTickets[0][2])},
      {"the cursor on the clear button", cursor(true, HitClearButton, 2, 0, L.columnTickets[2][0])},
      {"the keyboard back in the inputs", cursor(false, 0, 2, 0, L.columnTickets[2][0])},
  };
  // The kept buffer repainted in the rectangles alone must equal a fresh board.
  auto repaintedAlone = [](const Rect* rects, int32_t n) {
    HRGN region = RegionOf(rects, n);
    std::vector<uint32_t> kept = Kept(region, now0, 350);
    DeleteObject(region);
    return FirstDifference(kept, FromScratch(now0, 350));
  };
  ASSERT_EQ(FirstDifference(Kept(NULL, now0, 350), FromScratch(now0, 350)), "");
  for (const Step& step : steps) {
    BoardUiState before = boardUi;
    step.change(boardUi);
    ComputeLayout(1280, 800);  // the scroll is clamped as the window does it
    Rect rects[16];
    int32_t n = ChangedRects(before, rects, 16);
    ASSERT_GT(n, 0) << step.what;
    ASSERT_EQ(repaintedAlone(rects, n), "") << step.what;
  }

  // A change of the tickets repaints the columns it names and the status box, with the status
  // text the change sets.
  char16_t status[statusUnits];
  auto shown = [&] { SetStatusText(status, 350); };
  struct TicketStep {
    const char* what;
    uint32_t columns;
    std::function<void()> change;
  } ticketSteps[] = {
      {"a waiting ticket deleted", ColumnBit(StateClarify),
       [&] { RemoveTicketAt(L.columnTickets[1][0]), CopyText(status, statusUnits, u""); }},
      {"a ticket added", ColumnBit(StateInWork), [&] {
         char16_t number[] = u"NEW-1", description[] = u"новая";
         AddTicketCore(number, description, now0, status, statusUnits), shown();
       }},
      {"a ticket in work done", ColumnBit(StateInWork) | ColumnBit(StateDone), [&] {
         ChangeTicketState(L.columnTickets[0][1], StateDone, now0, status, statusUnits), shown();
       }},
      {"a done ticket waiting", ColumnBit(StateDone) | ColumnBit(StateClarify), [&] {
         ChangeTicketState(L.columnTickets[2][0], StateClarify, now0, status, statusUnits), shown();
       }},
  };
  for (const TicketStep& step : ticketSteps) {
    step.change();
    ComputeLayout(1280, 800);
    Rect rects[4];
    int32_t n = TicketChangeRects(step.columns, rects, 4);
    ASSERT_EQ(repaintedAlone(rects, n), "") << step.what;
  }
}
