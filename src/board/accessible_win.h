// The board for a screen reader: WM_GETOBJECT answered with accessible objects over the board's
// read tree, and the focus event when the keyboard cursor moves.
#pragma once
#include <windows.h>

// WM_GETOBJECT of the main window: the board for OBJID_CLIENT, a column for its own id (1..3,
// the ids the focus event names); everything else is Windows' own.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam);
// Raises the focus event for the cursor's card or button when it is another than the last told,
// or always with again (the board has just taken the keyboard).
void TellReaderFocus(HWND window, bool again);
// The window goes: readers still holding its objects are cut off.
void ForgetReaders();
