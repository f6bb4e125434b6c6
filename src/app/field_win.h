// The input fields of the small modal windows (ticket editor, settings): Enter posts
// WM_APP_SUBMIT and Esc WM_APP_CANCEL to the field's parent, Tab moves to the other field.
#pragma once
#include <windows.h>

// Subclasses both EDIT controls; each keeps its previous procedure for everything else.
void SubclassFieldPair(HWND first, HWND second);
