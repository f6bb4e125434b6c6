// Program-wide Windows objects made once at start-up and kept until the process ends.
#pragma once
#include <windows.h>
#include <stdint.h>

struct FontSet {
  HFONT titleFont, badgeFont, headingFont, numberFont, bodyFont, smallFont, timerFont, buttonFont,
      inputFont;
};

extern HINSTANCE hInstance;
extern FontSet fontSet;
extern HCURSOR arrowCursor, handCursor;
extern HICON largeIcon, smallIcon;
extern HWND mainWindow;

constexpr UINT WM_APP_SUBMIT = 0x8002;
constexpr UINT WM_APP_CANCEL = 0x8003;
// F6 in a field, to its parent: the keyboard goes to the next pane (lParam 1: the one before).
constexpr UINT WM_APP_PANE = 0x8004;
// A change of the tickets was painted and is to be saved now (see SaveAfterPaint).
constexpr UINT WM_APP_SAVE = 0x8005;

inline const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* W(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

// The mouse cursor's position in the window's client coordinates.
POINT CursorInClient(HWND window);
// WM_SETCURSOR of every window: true when the message asks about the window's own client area,
// with the cursor's client position in *at; otherwise the default cursor handling should run.
bool ClientCursorAsked(HWND window, WPARAM wParam, LPARAM lParam, POINT* at);

// What every window asks of the main one: a short message in its footer for 2600 ms (the
// status line), and a repaint of the whole main window without erasing.
void ShowStatus(const char16_t* text);
void RepaintBoard();

// The DPI, the nine fonts, the two brushes, the cursors and the icons (start-up, step by step).
void CreateSharedObjects();
