// The binds window is not built yet: its button does nothing.
#include "binds/binds_win.h"

HWND bindsWindow;

void OpenBindsWindow() {}
LRESULT CALLBACK BindsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}
