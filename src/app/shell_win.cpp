#include "app/shell_win.h"

#include "draw/theme.h"

HINSTANCE hInstance;
FontSet fontSet;
HBRUSH fieldBrush;
HBRUSH windowBrush;
HCURSOR arrowCursor, handCursor;
HICON largeIcon, smallIcon;
HWND mainWindow;

LRESULT AnswerFieldColors(WPARAM dc) {
  SetTextColor(reinterpret_cast<HDC>(dc), Theme::textColor);
  SetBkColor(reinterpret_cast<HDC>(dc), Theme::fieldColor);
  return reinterpret_cast<LRESULT>(fieldBrush);
}
