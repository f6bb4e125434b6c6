// Settings file, daily check, settings window and reminder window (Windows side).
#pragma once
#include <windows.h>

extern HWND settingsWindow, reminderWindow;

void LoadSettings();
void SaveSettings();
void CheckReminder();
void OpenSettingsWindow();
void ShowReminder(bool test);
LRESULT CALLBACK SettingsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReminderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
