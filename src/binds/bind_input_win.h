// What the binds module calls to put key events into the system; tests replace it to see the
// batches or to play a system that refuses input.
#pragma once
#include <windows.h>

extern UINT(WINAPI* bindSendInput)(UINT count, LPINPUT events, int size);
// GetAsyncKeyState, for the wait until the hot key's modifiers are released.
extern SHORT(WINAPI* bindKeyState)(int key);
