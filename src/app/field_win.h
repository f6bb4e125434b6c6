// The input fields of the program's windows. Every window with a pair of fields gives them the
// same keys: Enter posts WM_APP_SUBMIT, Esc WM_APP_CANCEL and F6 WM_APP_PANE (wParam: the field)
// to the field's parent, Tab moves to the other field. Every window with fields keeps the
// keyboard where the user left it.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "app/geometry.h"

// What Tab does to the text of the field it moves to.
enum FieldTab : int32_t {
  TabKeepsSelection = 0,  // the field shows the selection it had
  TabSelectsText = 1,     // the whole text is selected, so typing replaces it as in a dialog
};

// Subclasses both EDIT controls; each keeps its previous procedure for everything else.
void SubclassFieldPair(HWND first, HWND second, FieldTab tab);

// Puts a child control (a field, a list) on r, client coordinates of its parent.
void MoveControl(HWND control, const Rect& r);

// A plain window does not do what a dialog box does: activated again, DefWindowProc puts the
// focus on the window itself and the keys reach no field. Called by a window with fields for
// WM_ACTIVATE, WM_SETFOCUS and WM_COMMAND: while the window is active, the field that holds the
// focus is kept in *kept; when the activation or the focus comes back to the window and no field
// has it, the kept field gets it, or first when none was kept. Returns the field that got the
// focus, NULL when the focus was left alone.
HWND KeepFieldFocus(HWND window, UINT message, WPARAM wParam, HWND* kept, HWND first);
