// The kept back buffer, the glow tiles and the partial repaint give exactly the pixels of a board
// drawn from scratch into a fresh buffer, whatever the state, size and DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/geometry.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "board/board_geometry.h"
#include "board/board_paint_win.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "paint_probe.h"
#include "reminder/settings.h"
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
  ComputeLayout(1280, 800);
  ExpectTimerFramesExact(now0, 350, "1280 x 800");
  ComputeLayout(1000, 620);  // smallest: the glows nearly meet
  EXPECT_EQ(FirstDifference(Kept(NULL, now0, 350), FromScratch(now0, 350)), "") << "smaller";
  ComputeLayout(1920, 1017);
  HRGN region = TimerRegion(false);  // a new size repaints everything, whatever was invalidated
  std::vector<uint32_t> grown = Kept(region, now0, 450);
  DeleteObject(region);
  EXPECT_EQ(FirstDifference(grown, FromScratch(now0, 450)), "") << "grown";
  dpi = 144;
  ComputeLayout(1920, 1017);
  ExpectTimerFramesExact(now0, 550, "144 DPI");
}
