// Placeholder until the binds window is built.
#include "binds/binds_win.h"

HWND bindsWindow;

int32_t RegisterBindHotKeys(HWND) { return 0; }
void UnregisterBindHotKeys(HWND) {}
void TypeBindText(WPARAM) {}
void OpenBindsWindow() {}
LRESULT CALLBACK BindsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}
