// Settings file, daily check, settings window and reminder window (Windows side).
#pragma once
#include <windows.h>
#include <stdint.h>

extern HWND settingsWindow, reminderWindow;

void LoadSettings();
// False when the file could not be written.
bool SaveSettings();
void CheckReminder();
void OpenSettingsWindow();
void ShowReminder(bool test);
LRESULT CALLBACK SettingsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ReminderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Stores validated values, re-arms today's reminder when due, and saves; false when the file
// could not be written (the values still hold for this run).
bool UpdateSettings(int32_t remind, int32_t hour, int32_t minute);
void SubmitSettingsWindow();
void CloseSettingsWindow();
