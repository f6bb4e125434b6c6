// Placeholder until the ticket editor is built.
#include "editor/editor_win.h"

HWND editorWindow;

void OpenTicketEditor(int32_t) {}
void CloseTicketEditor() {}
LRESULT CALLBACK EditorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}
