// WM_PAINT of the main window.
#pragma once
#include <windows.h>
#include <stdint.h>

// ComputeLayout for the client size, then the whole board through a back buffer.
void PaintBoard(HWND window);
// The whole board from the last ComputeLayout into dc, at Unix time now and tick count tick.
void DrawBoard(HDC dc, uint32_t now, uint32_t tick);
