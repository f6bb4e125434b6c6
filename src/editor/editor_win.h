// The modal ticket editor.
#pragma once
#include <windows.h>
#include <stdint.h>

extern HWND editorWindow;
extern int32_t editIndex;    // store index of the ticket shown; read only while open
extern int32_t editorHover;  // EditorHit
extern int32_t editorFocus;  // EditorField
extern HWND editorNumberField, editorDescriptionField;

void OpenTicketEditor(int32_t index);
// Saves the two texts when the number is valid, else says why and keeps the editor open.
void SubmitTicketEditor();
void CloseTicketEditor();
LRESULT CALLBACK EditorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
