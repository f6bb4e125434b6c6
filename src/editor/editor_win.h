// The modal ticket editor.
#pragma once
#include <windows.h>
#include <stdint.h>

extern HWND editorWindow;
extern int32_t editIndex;    // store index of the ticket shown; read only while open
extern int32_t editorHover;  // 0 none, 1 cancel, 2 save
extern int32_t editorFocus;  // 0 none, 1 number field, 2 description field
extern HWND editorNumberField, editorDescriptionField;

void OpenTicketEditor(int32_t index);
// Saves the two texts when the number is valid, else says why and keeps the editor open.
void SubmitTicketEditor();
void CloseTicketEditor();
LRESULT CALLBACK EditorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
