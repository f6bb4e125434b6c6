#include "program/window_classes_win.h"

#include "app/shell_win.h"
#include "binds/binds_win.h"
#include "board/main_window_win.h"
#include "editor/editor_win.h"
#include "reminder/reminder_win.h"

void RegisterWindowClasses() {
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

