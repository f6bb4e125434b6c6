// The modal ticket editor.
#pragma once
#include <windows.h>
#include <stdint.h>

extern HWND editorWindow;

void OpenTicketEditor(int32_t index);
void CloseTicketEditor();
LRESULT CALLBACK EditorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
