#include "app/shell_win.h"

#include "app/clock.h"
#include "app/geometry.h"
#include "app/startup.h"
#include "app/status.h"

HINSTANCE hInstance;
FontSet fontSet;
HCURSOR arrowCursor, handCursor;
HICON largeIcon, smallIcon;
HWND mainWindow;

POINT CursorInClient(HWND window) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  return p;
}

bool ClientCursorAsked(HWND window, WPARAM wParam, LPARAM lParam, POINT* at) {
  if (reinterpret_cast<HWND>(wParam) != window || LOWORD(lParam) != HTCLIENT) return false;
  *at = CursorInClient(window);
  return true;
}

void ShowStatus(const char16_t* text) {
  SetStatusText(text, TickNow());
  RepaintBoard();
}

void RepaintBoard() {
  if (mainWindow) InvalidateRect(mainWindow, NULL, FALSE);
}

static HFONT MakeFont(const wchar_t* face, int32_t size, int32_t weight) {
  return CreateFontW(-s(size), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

void CreateSharedObjects() {
  HDC screen = GetDC(NULL);
  dpi = UsableDpi(GetDeviceCaps(screen, LOGPIXELSX));
  ReleaseDC(NULL, screen);
  FontSet& f = fontSet;
  f.titleFont = MakeFont(L"Segoe UI", 34, 800);
  f.badgeFont = MakeFont(L"Segoe UI", 14, 600);
  f.headingFont = MakeFont(L"Segoe UI", 16, 700);
  f.numberFont = MakeFont(L"Segoe UI", 23, 600);
  f.bodyFont = MakeFont(L"Segoe UI", 13, 400);
  f.smallFont = MakeFont(L"Segoe UI", 12, 400);
  f.timerFont = MakeFont(L"Consolas", 14, 700);
  f.buttonFont = MakeFont(L"Segoe UI", 13, 700);
  f.inputFont = MakeFont(L"Segoe UI", 15, 400);
  arrowCursor = LoadCursorW(NULL, IDC_ARROW);
  handCursor = LoadCursorW(NULL, IDC_HAND);
  int32_t large = GetSystemMetrics(SM_CXICON);
  int32_t small = GetSystemMetrics(SM_CXSMICON);
  largeIcon = static_cast<HICON>(LoadImageW(hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, large, large, 0));
  smallIcon = static_cast<HICON>(LoadImageW(hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, small, small, 0));
}
