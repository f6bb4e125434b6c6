// Board painting figures: the full store of 400 tickets on a 1280 x 800 board at 96 DPI, drawn
// into the back buffer and onto a real window, whole and as the timer's strip.
#include <windows.h>

#include <stdio.h>

#include <vector>

#include "app/geometry.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "bench_util.h"
#include "board/board_geometry.h"
#include "board/board_paint_win.h"
#include "board/changes.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/ops.h"
#include "store/ticket.h"
#include "paint_probe.h"
#include "draw/draw_win.h"

namespace {

constexpr int32_t boardWidth = 1280, boardHeight = 800;
constexpr uint32_t benchNow = 1796609999u;

LRESULT CALLBACK BoardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintBoard(window);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeBoardWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = BoardProc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpszClassName = L"KalmexBenchBoard";
  RegisterClassExW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, boardWidth,
                         boardHeight, NULL, NULL, wc.hInstance, NULL);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The plain way, for comparison: a new buffer, filled, everything drawn, released.
double FromScratchMs(HDC screen, uint32_t tick) {
  double t0 = NowMs();
  ReleaseScratchBoard(DrawBoardFromScratch(screen, boardWidth, boardHeight, benchNow, tick));
  return NowMs() - t0;
}

double RenderMs(HDC screen, HRGN region, uint32_t now, uint32_t tick) {
  double t0 = NowMs();
  RenderBoard(screen, region, now, tick);
  GdiFlush();
  return NowMs() - t0;
}

// One WM_PAINT of the window after the whole client area, or the timer's parts, were invalidated.
double WindowPaintMs(HWND window, bool whole) {
  if (whole) InvalidateRect(window, NULL, FALSE);
  else InvalidateTimerParts(window);
  double t0 = NowMs();
  UpdateWindow(window);
  GdiFlush();
  return NowMs() - t0;
}

// The drawing a ticket added and a wheel notch ask of the kept buffer, as the window's paint
// does it after them: the layout, then what changed.
void BoardRepaintSteps(HDC screen, int runs, std::vector<double>* added,
                       std::vector<double>* notched) {
  ticketStore.ticketCount = maxTickets - runs;
  ComputeLayout(boardWidth, boardHeight);
  RenderBoard(screen, NULL, benchNow, 0);
  for (int i = 0; i < runs; i++) {
    char16_t number[numberUnits], description[] = u"", status[statusUnits];
    FormatText(number, numberUnits, u"NEW-%d", i);
    AddTicketCore(number, description, benchNow, status, statusUnits);
    double t0 = NowMs();
    ComputeLayout(boardWidth, boardHeight);
    Rect rects[4];
    HRGN region = RegionOf(rects, TicketChangeRects(ColumnBit(StateInWork), rects, 4));
    added->push_back(NowMs() - t0 + RenderMs(screen, region, benchNow, 0));
    DeleteObject(region);
  }
  POINT list{(boardLayout.listRect[0].left + boardLayout.listRect[0].right) / 2,
             (boardLayout.listRect[0].top + boardLayout.listRect[0].bottom) / 2};
  for (int i = 0; i < runs; i++) {
    BoardUiState before = boardUi;
    WheelScroll(list.x, list.y, i % 2 ? 120 : -120);
    double t0 = NowMs();
    ComputeLayout(boardWidth, boardHeight);
    Rect rects[16];
    HRGN region = RegionOf(rects, ChangedRects(before, rects, 16));
    notched->push_back(NowMs() - t0 + RenderMs(screen, region, benchNow, 0));
    DeleteObject(region);
  }
  boardUi = {};
  FillFullStore();
  ComputeLayout(boardWidth, boardHeight);
}

}  // namespace

void BenchPaint() {
  CreateDrawingObjects();
  dpi = 96;
  FillFullStore();
  boardUi = {};
  statusLine = {};
  ComputeLayout(boardWidth, boardHeight);
  HDC screen = GetDC(NULL);
  const int runs = 300;

  // Ten paints a second; every tenth frame starts a new second, which adds the waiting cards.
  // The board drawn from scratch (the plain way) is the baseline; each complete repaint into the
  // kept buffer is taken beside one from scratch, so the ratio sees the same load.
  std::vector<double> scratch, complete, timer, faster;
  RenderBoard(screen, NULL, benchNow, 0);
  HRGN everyTick = TimerRegion(false), everySecond = TimerRegion(true);
  for (int i = 0; i < runs; i++) {
    uint32_t tick = static_cast<uint32_t>(i * 100);
    scratch.push_back(FromScratchMs(screen, tick));
    complete.push_back(RenderMs(screen, NULL, benchNow + i / 10, tick));
    faster.push_back(scratch.back() / complete.back());
    timer.push_back(RenderMs(screen, i % 10 == 0 ? everySecond : everyTick, benchNow + i / 10, tick));
  }
  DeleteObject(everyTick);
  DeleteObject(everySecond);
  // A step of a resize: the board laid out and drawn at the other of two sizes each time, as
  // the window's paint after a size change does it (the buffer kept, everything drawn).
  std::vector<double> resized;
  for (int i = 0; i < runs; i++) {
    double t0 = NowMs();
    ComputeLayout(boardWidth - (i % 2 ? 0 : 16), boardHeight - (i % 2 ? 0 : 12));
    resized.push_back(NowMs() - t0 +
                      RenderMs(screen, NULL, benchNow + i / 10, static_cast<uint32_t>(i * 100)));
  }
  ComputeLayout(boardWidth, boardHeight);
  std::vector<double> added, notched;
  BoardRepaintSteps(screen, runs, &added, &notched);
  Figure f = Summarise("board drawn from scratch into a new buffer (no screen copy)", "ms", scratch);
  Report(f, "(the baseline)", true);
  Figure c = Summarise("complete PaintBoard into the kept back buffer (no screen copy)", "ms", complete);
  Report(c, "(see the ratio)", true);
  Figure x = Summarise("complete repaint: times faster than from scratch", "x", faster);
  Report(x, ">= 4x", x.median >= 4);
  Figure p = Summarise("the timer's parts into the kept back buffer (no screen copy)", "ms", timer);
  Report(p, "(the idle repaint)", true);
  Figure r = Summarise("a resize step: the board at a new size into the kept buffer", "ms", resized);
  Report(r, "(the resize row's own drawing)", true);
  Report(Summarise("a ticket added: its column and the status into the kept buffer", "ms", added),
         "(the add row's own drawing)", true);
  Report(Summarise("a wheel notch: its list into the kept buffer", "ms", notched),
         "(the wheel row's own drawing)", true);
  KeptPaintBytes kept = MeasureKeptPaint();
  const double mb = 1024.0 * 1024.0;
  Report(Summarise("kept: the back buffer", "MB", {kept.back / mb}), "(the client area)", true);
  Report(Summarise("kept: the glow tiles", "MB", {kept.glows / mb}), "(a cache)", true);

  HWND window = MakeBoardWindow();
  PumpMessages();
  std::vector<double> whole, strip;
  for (int i = 0; i < runs; i++) {
    whole.push_back(WindowPaintMs(window, true));
    Sleep(i % 10 == 0 ? 1000 : 0);  // now and then a new second, as the timer sees it
    strip.push_back(WindowPaintMs(window, false));
    PumpMessages();
  }
  Figure w = Summarise("PaintBoard of the whole window, with the copy to it", "ms", whole);
  Report(w, "<= 5 ms", w.median <= 5);
  Figure t = Summarise("PaintBoard of the timer's parts, with the copy", "ms", strip);
  Report(t, "(the idle repaint)", true);
  DestroyWindow(window);
  ReleaseBoardBuffers();
  PumpMessages();
  ReleaseDC(NULL, screen);
}

// Free GDI capacity (pens that can still be made) after the first paint and opening of every
// window, and after 10,000 paints and 200 openings of each: a leak shows as a loss.
void BenchGdi() {
  dpi = 96;
  FillFullStore();
  int32_t first = 0, after = 0;
  MeasureGdiRun(boardWidth, boardHeight, &first, &after);
  printf("free GDI capacity: %d after the first paint and openings, %d after all\n", first, after);
  Figure f = Summarise("GDI capacity lost: 10,000 paints, 200 openings of each window", "objects",
                       {static_cast<double>(first - after)});
  Report(f, "0 (equal to after the first)", first == after);
}
