// GDI capacity probe and a run of the program's windows inside this process, shared by the leak
// test and the benchmark. GetGuiResources is a stub under Wine, so the free capacity is measured:
// pens are made until creation fails, counted and deleted.
#pragma once
#include <windows.h>

#include <stdint.h>

#include "draw/draw_win.h"

// Handles every message waiting for this thread.
void PumpProbeMessages();
// A board window painted by PaintBoard, standing in as the main window (owner of the others),
// with the program's classes registered and its files in a fresh folder under %TEMP%.
HWND MakeProbeBoard(int32_t width, int32_t height);

// Pens that can still be made.
int32_t FreePenCapacity();

// A store of count tickets in turn in work, done and on clarification, with full-length
// descriptions and long numbers.
void FillProbeStore(int32_t count);

// The region the 100 ms timer invalidates, in client coordinates; the caller deletes it.
HRGN TimerRegion(bool withWaiting);

// The whole leak run on the current store: the free capacity after the first paint and opening
// of every window, and after 10,000 paints and 200 openings of each; the board is gone after.
void MeasureGdiRun(int32_t width, int32_t height, int32_t* first, int32_t* after);

// The plain way of painting, kept for comparison: a new buffer of the client size filled with the
// window colour and the whole board drawn into it. Read it, then give it back with
// ReleaseScratchBoard.
using ScratchBoard = Surface;

ScratchBoard DrawBoardFromScratch(HDC screen, int32_t w, int32_t h, uint32_t now,
                                  uint32_t tick);

void ReleaseScratchBoard(const ScratchBoard& b);
