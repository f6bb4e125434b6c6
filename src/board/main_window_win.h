// The main window: its inputs, status line and window procedure.
#pragma once
#include <windows.h>
#include <stdint.h>

extern HWND numberInput, descriptionInput;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
