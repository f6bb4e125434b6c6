// Placeholder until the reminder and the settings window are built.
#include "reminder/reminder_win.h"

HWND settingsWindow, reminderWindow;

void LoadSettings() {}
void SaveSettings() {}
void CheckReminder() {}
void OpenSettingsWindow() {}
void ShowReminder(bool) {}
LRESULT CALLBACK SettingsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}
LRESULT CALLBACK ReminderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}
