// Entry point: one copy per logon session, paths, data, shared GDI objects, the window classes,
// the main window and the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/geometry.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/startup.h"
#include "binds/binds_win.h"
#include "board/main_window_win.h"
#include "editor/editor_win.h"
#include "reminder/reminder_win.h"
#include "store/datafile.h"
#include "store/ticket.h"

static HFONT MakeFont(const wchar_t* face, int32_t size, int32_t weight) {
  return CreateFontW(-s(size), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

static void CreateSharedObjects() {
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
  fieldBrush = CreateSolidBrush(RGB(0x1E, 0x1D, 0x22));
  windowBrush = CreateSolidBrush(RGB(0x0F, 0x0E, 0x10));
  arrowCursor = LoadCursorW(NULL, IDC_ARROW);
  handCursor = LoadCursorW(NULL, IDC_HAND);
  int32_t large = GetSystemMetrics(SM_CXICON);
  int32_t small = GetSystemMetrics(SM_CXSMICON);
  largeIcon = static_cast<HICON>(LoadImageW(hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, large, large, 0));
  smallIcon = static_cast<HICON>(LoadImageW(hInstance, MAKEINTRESOURCEW(1), IMAGE_ICON, small, small, 0));
}

static void RegisterWindowClasses() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = hInstance;
  wc.hCursor = arrowCursor;
  wc.hIcon = largeIcon;
  wc.hIconSm = smallIcon;
  struct {
    const wchar_t* name;
    WNDPROC proc;
    UINT style;
  } classes[] = {
      {L"ZoltexMain", MainWndProc, CS_DBLCLKS}, {L"ZoltexBinds", BindsWndProc, 0},
      {L"ZoltexEdit", EditorWndProc, 0},        {L"ZoltexSet", SettingsWndProc, 0},
      {L"ZoltexRemind", ReminderWndProc, 0},
  };
  for (auto& c : classes) {
    wc.lpszClassName = c.name;
    wc.lpfnWndProc = c.proc;
    wc.style = c.style;
    RegisterClassExW(&wc);
  }
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  hInstance = GetModuleHandleW(NULL);
  CreateMutexW(NULL, FALSE, L"Local\\tavisel-zoltex");
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    HWND running = FindWindowW(L"ZoltexMain", NULL);
    if (running) {
      ShowWindow(running, SW_RESTORE);
      SetForegroundWindow(running);
    }
    ExitProcess(0);
  }
  InitCommonControls();

  wchar_t module[520];
  DWORD n = GetModuleFileNameW(NULL, module, 520);
  module[n < 520 ? n : 519] = 0;
  BuildAppPaths(reinterpret_cast<const char16_t*>(module));
  CreateDirectoryW(W(appPaths.bindsFolder), NULL);

  ResetTicketStore();
  LoadTickets();
  LoadSettings();
  CreateSharedObjects();
  RegisterWindowClasses();

  Rect place = MainWindowPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HWND window = CreateWindowExW(0, L"ZoltexMain", L"KALMEX \x2014 tavisel",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, NULL, NULL,
                                hInstance, NULL);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  if (numberInput) SetFocus(numberInput);

  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ExitProcess(0);
}
