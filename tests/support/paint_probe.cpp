#include "paint_probe.h"

#include <string>
#include <vector>

#include "app/paths.h"
#include "app/shell_win.h"
#include "program/window_classes_win.h"
#include "app/status.h"
#include "app/text.h"
#include "binds/binds_win.h"
#include "board/board_geometry.h"
#include "board/board_paint_win.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/draw_win.h"
#include "editor/editor_win.h"
#include "reminder/reminder_win.h"
#include "store/ticket.h"

int32_t FreePenCapacity() {
  std::vector<HPEN> pens;
  for (;;) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    if (!pen || pens.size() > 200000) {
      if (pen) DeleteObject(pen);
      break;
    }
    pens.push_back(pen);
  }
  for (HPEN pen : pens) DeleteObject(pen);
  return static_cast<int32_t>(pens.size());
}

void PumpProbeMessages() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

static LRESULT CALLBACK ProbeBoardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintBoard(window);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcW(window, message, wParam, lParam);
}

// A board window painted by PaintBoard, standing in as the main window (owner of the others),
// with the program's classes registered and its files in a fresh folder under %TEMP%.
HWND MakeProbeBoard(int32_t width, int32_t height) {
  static bool registered = false;
  if (!registered) {
    registered = true;
    hInstance = GetModuleHandleW(NULL);
    CreateDrawingObjects();
    RegisterWindowClasses();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = hInstance;
    wc.hCursor = arrowCursor;
    wc.lpfnWndProc = ProbeBoardProc;
    wc.lpszClassName = L"KalmexProbeBoard";
    RegisterClassExW(&wc);
    wchar_t temp[MAX_PATH], folder[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    swprintf(folder, MAX_PATH, L"%lskalmex-probe-%lu", temp, GetCurrentProcessId());
    CreateDirectoryW(folder, NULL);
    std::wstring exe = std::wstring(folder) + L"\\kalmex.exe";
    BuildAppPaths(reinterpret_cast<const char16_t*>(exe.c_str()));
    CreateDirectoryW(reinterpret_cast<const wchar_t*>(appPaths.bindsFolder), NULL);
  }
  mainWindow = CreateWindowExW(0, L"KalmexProbeBoard", L"board", WS_POPUP | WS_VISIBLE, 0, 0,
                               width, height, NULL, NULL, hInstance, NULL);
  PumpProbeMessages();
  return mainWindow;
}

namespace {

void PaintProbeNow(HWND window) {
  UpdateWindow(window);
  PumpProbeMessages();
}

// Opens, paints and closes the binds, settings, editor and reminder windows once each.
void OpenEverySecondaryWindowOnce() {
  OpenBindsWindow();
  if (bindsWindow) {
    PaintProbeNow(bindsWindow);
    SendMessageW(bindsWindow, WM_CLOSE, 0, 0);
  }
  OpenSettingsWindow();
  if (settingsWindow) {
    PaintProbeNow(settingsWindow);
    CloseSettingsWindow();
  }
  OpenTicketEditor(0);
  if (editorWindow) {
    PaintProbeNow(editorWindow);
    CloseTicketEditor();
  }
  ShowReminder(false);
  if (reminderWindow) {
    PaintProbeNow(reminderWindow);
    DestroyWindow(reminderWindow);
  }
  PumpProbeMessages();
}

// paints board paints: the timer's parts mostly, now and then the whole window, and every
// thousandth paint at a new size, which remakes the kept buffers.
void PaintProbeBoard(HWND board, int32_t paints, int32_t width, int32_t height) {
  for (int32_t i = 1; i <= paints; i++) {
    if (i % 1000 == 0) {
      int32_t grow = (i / 1000) % 2 ? 40 : 0;
      SetWindowPos(board, NULL, 0, 0, width + grow, height + grow, SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(board, NULL, FALSE);
    } else if (i % 100 == 0) {
      InvalidateRect(board, NULL, FALSE);
    } else {
      InvalidateTimerParts(board);
    }
    UpdateWindow(board);
    if (i % 50 == 0) PumpProbeMessages();
  }
  PumpProbeMessages();
}

}  // namespace

void FillProbeStore(int32_t count) {
  ResetTicketStore();
  for (int32_t i = 0; i < count; i++) {
    Ticket& t = ticketStore.tickets[i];
    t.state = i % 3 == 0 ? StateInWork : i % 3 == 1 ? StateDone : StateClarify;
    t.order = static_cast<uint32_t>(i + 1);
    t.workedSeconds = static_cast<uint32_t>(i * 131);
    t.stateSince = t.createdAt = 1796601600u + static_cast<uint32_t>(i * 7);
    t.doneAt = t.state == StateDone ? 1796605200u : 0;
    FormatText(t.number, numberUnits, u"INC-%010u-%08d", 1000000000u + i, i);
    for (int32_t k = 0; k < descriptionUnits - 1; k++) t.description[k] = u'а' + (k + i) % 32;
    t.description[descriptionUnits - 1] = 0;
  }
  ticketStore.ticketCount = count;
  ticketStore.orderCounter = static_cast<uint32_t>(count);
}

HRGN TimerRegion(bool withWaiting) {
  Rect rects[96];
  return RegionOf(rects, TimerRepaintRects(withWaiting, rects, 96));
}

void MeasureGdiRun(int32_t width, int32_t height, int32_t* first, int32_t* after) {
  boardUi = {};
  statusLine = {};
  HWND board = MakeProbeBoard(width, height);
  PaintProbeBoard(board, 1, width, height);  // the first paint makes the kept buffers
  OpenEverySecondaryWindowOnce();            // and the first openings whatever they keep
  *first = FreePenCapacity();
  PaintProbeBoard(board, 10000, width, height);
  for (int i = 0; i < 199; i++) OpenEverySecondaryWindowOnce();
  *after = FreePenCapacity();
  DestroyWindow(board);
  mainWindow = NULL;
  ReleaseBoardBuffers();
  PumpProbeMessages();
}

ScratchBoard DrawBoardFromScratch(HDC screen, int32_t w, int32_t h, uint32_t now,
                                  uint32_t tick) {
  ScratchBoard b;
  MakeSurface(screen, Rect{0, 0, w, h}, &b);
  textsKept = false;  // every text cut and measured anew
  DrawBoard(b.dc, now, tick);
  textsKept = true;
  return b;
}

void ReleaseScratchBoard(const ScratchBoard& b) {
  ScratchBoard done = b;
  FreeSurface(&done);
}
