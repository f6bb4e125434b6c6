// The least program that does what the program's secondary windows do: an owner window and a
// captioned window it owns, shown with the owner disabled; Esc in the owned window gives the
// owner back and destroys the window. The own-window run starts it beside KALMEX, so what Wine
// does to any such window (without a window manager it waits two seconds for one to withdraw a
// window it hides) is told apart from what the program does.
#define UNICODE
#include <windows.h>

namespace {
LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (message == WM_KEYDOWN && wParam == VK_ESCAPE && owner) {
    EnableWindow(owner, TRUE);
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY && !owner) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"BareOwner";
  RegisterClassW(&wc);
  wc.lpszClassName = L"BareOwned";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(0, L"BareOwner", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                               600, 400, NULL, NULL, instance, NULL);
  HWND owned = CreateWindowExW(0, L"BareOwned", L"bare owned", WS_CAPTION | WS_SYSMENU, 200, 200, 400,
                               250, owner, NULL, instance, NULL);
  EnableWindow(owner, FALSE);
  ShowWindow(owned, SW_SHOW);
  SetFocus(owned);
  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
