// WM_PAINT of the main window.
#pragma once
#include <windows.h>
#include <stdint.h>

// ComputeLayout for the client size, then the window's update region through the kept buffer.
void PaintBoard(HWND window);
// The whole board from the last ComputeLayout into dc, at Unix time now and tick count tick,
// from scratch (dc filled with the window colour, transparent text).
void DrawBoard(HDC dc, uint32_t now, uint32_t tick);
// Redraws region (client coordinates; NULL: everything) of the kept back buffer, compatible with
// reference, from the last ComputeLayout; everything when the buffer is new. Returns its DC, or
// NULL when no buffer can be made.
HDC RenderBoard(HDC reference, HRGN region, uint32_t now, uint32_t tick);
// Bytes of pixels the kept buffers hold: the back buffer and the glow tiles.
struct KeptPaintBytes {
  int64_t back, glows;
};
KeptPaintBytes MeasureKeptPaint();
// Frees the kept buffers (WM_DESTROY); the next paint makes them again.
void ReleaseBoardBuffers();
// Timer 1: invalidates what changes with the clock (live dots and timers, the status line).
void InvalidateTimerParts(HWND window);
