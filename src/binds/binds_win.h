// Hot keys Ctrl+F1..F12, typing a bind, and the binds window.
#pragma once
#include <windows.h>
#include <stdint.h>

extern HWND bindsWindow;

// Registers ids 101..112 for the window; returns how many succeeded.
int32_t RegisterBindHotKeys(HWND window);
void UnregisterBindHotKeys(HWND window);
// WM_HOTKEY handler (wParam = hot key id).
void TypeBindText(WPARAM id);
void OpenBindsWindow();
LRESULT CALLBACK BindsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
