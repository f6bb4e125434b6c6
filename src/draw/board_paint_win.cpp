// Placeholder board painting: the background only.
#include "draw/board_paint_win.h"

#include "app/shell_win.h"

void PaintBoard(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT r;
  GetClientRect(window, &r);
  FillRect(dc, &r, windowBrush);
  EndPaint(window, &ps);
}
