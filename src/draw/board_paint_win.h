// WM_PAINT of the main window.
#pragma once
#include <windows.h>

void PaintBoard(HWND window);
