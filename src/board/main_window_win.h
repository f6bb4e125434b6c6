// The main window: its inputs, status line and window procedure.
#pragma once
#include <windows.h>
#include <stdint.h>

extern HWND numberInput, descriptionInput;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A short message in the footer for 2600 ms.
void ShowStatus(const char16_t* text);
// SaveTickets, and when the data did not reach the disk the status line says so. Every save of
// the program goes through here.
bool SaveTicketsReported();
// Invalidates the whole main window without erasing.
void RepaintBoard();
