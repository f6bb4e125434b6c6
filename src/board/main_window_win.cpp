// Placeholder main window: paints its background and saves on close.
#include "board/main_window_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "board/ui_state.h"
#include "store/datafile.h"

HWND numberInput, descriptionInput;

void ShowStatus(const char16_t* text) {
  SetStatusText(text, TickNow());
  RepaintBoard();
}

void RepaintBoard() {
  if (mainWindow) InvalidateRect(mainWindow, NULL, FALSE);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      mainWindow = window;
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT r;
      GetClientRect(window, &r);
      FillRect(dc, &r, windowBrush);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CLOSE:
      SaveTickets();
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
