// Entry point: one copy per logon session, paths, data, shared GDI objects, the window classes,
// the main window and the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/geometry.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/startup.h"
#include "board/main_window_win.h"
#include "program/window_classes_win.h"
#include "reminder/reminder_win.h"
#include "store/datafile.h"
#include "store/ticket.h"
#include "draw/draw_win.h"

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

  // Room for the longest name Windows gives, so a folder too long for the paths is seen whole
  // and refused rather than cut to a parent folder that the files would then be written into.
  static wchar_t module[32768];
  DWORD n = GetModuleFileNameW(NULL, module, 32768);
  if (n == 0 || n >= 32768 || !BuildAppPaths(reinterpret_cast<const char16_t*>(module))) {
    MessageBoxW(NULL,
                L"KALMEX не запустится из этой папки: путь к ней слишком длинный.\n"
                L"Перенеси программу в папку с путём покороче.",
                L"KALMEX", MB_ICONEXCLAMATION);
    ExitProcess(1);
  }
  CreateDirectoryW(W(appPaths.bindsFolder), NULL);

  ResetTicketStore();
  LoadTickets();
  LoadSettings();
  CreateDrawingObjects();
  RegisterWindowClasses();

  Rect place = MainWindowPlacement(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HWND window = CreateWindowExW(0, L"ZoltexMain", L"KALMEX \x2014 tavisel",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, NULL, NULL,
                                hInstance, NULL);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  if (numberInput) SetFocus(numberInput);
  if (DataFileUnread()) ShowStatus(DataFileUnreadText());

  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ExitProcess(0);
}
