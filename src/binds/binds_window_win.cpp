// The binds window: the twelve slots on the left, the selected slot's text on the right.
#include <windows.h>
#include <shellapi.h>

#include "app/field_win.h"
#include "app/fileproblem.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "app/textfile.h"
#include "binds/bind_text.h"
#include "binds/binds_win.h"
#include "draw/draw_win.h"
#include "draw/theme.h"

HWND bindsWindow;
static HWND slotList, slotEditor;
static HWND bindsKeptField;  // the list or the editor, where the keyboard comes back to
static int32_t currentBindSlot = -1;
// False while the editor shows only part of the slot's file (NUL inside, longer than a bind).
static bool currentSlotWhole = true;
static int32_t bindsHover;  // BindsHit
static BindsLayout bindsLayout;

static void FormatBindListItem(int32_t slot, char16_t* row, int32_t cap) {
  char16_t path[600];
  FormatBindPath(path, 600, slot);
  ReadTextFile(path);
  TakeBindText(bindWorkBuffer, bindWorkUnits, textBuffer);
  ReleaseReadText();
  FormatBindRow(row, cap, slot, bindWorkBuffer);
}

static void LoadBindSlot(int32_t index) {
  currentBindSlot = index;
  char16_t path[600];
  FormatBindPath(path, 600, index + 1);
  int32_t decoded = ReadTextFile(path);
  int32_t taken = TakeBindText(bindWorkBuffer, bindWorkUnits, textBuffer);
  ReleaseReadText();
  currentSlotWhole = BindFileTakenWhole(decoded, taken, lastReadCut);
  SetWindowTextW(slotEditor, W(bindWorkBuffer));
}

// Writes the editor to the current slot's file, even when nothing changed, unless
// BindTextWrittenBack says the file stays as it is, and refreshes its row. A failed write is
// reported: the text is then only in the editor.
static bool SaveBindSlot() {
  if (currentBindSlot < 0 || !slotEditor) return true;
  int32_t slot = currentBindSlot + 1;
  GetWindowTextW(slotEditor, W(bindWorkBuffer), bindWorkUnits);
  CreateDirectoryW(W(appPaths.bindsFolder), NULL);
  char16_t path[600];
  FormatBindPath(path, 600, slot);
  bool edited = SendMessageW(slotEditor, EM_GETMODIFY, 0, 0) != 0;
  bool written = true;
  if (BindTextWrittenBack(currentSlotWhole, edited)) {
    written = WriteTextFile(path, bindWorkBuffer, false);
    if (written) currentSlotWhole = true;  // the file now holds what the editor shows
  }
  char16_t row[bindRowUnits];
  FormatBindListItem(slot, row, bindRowUnits);
  SendMessageW(slotList, LB_DELETESTRING, currentBindSlot, 0);
  SendMessageW(slotList, LB_INSERTSTRING, currentBindSlot, reinterpret_cast<LPARAM>(row));
  SendMessageW(slotList, LB_SETCURSEL, currentBindSlot, 0);
  if (!written) {
    char16_t status[statusUnits];
    FormatText(status, statusUnits, u"Бинд Ctrl+F%d не сохранён: %s", slot, LastFileCause());
    ShowStatus(status);
  }
  return written;
}

// WM_CLOSE: a text that could not be saved is not thrown away unasked.
static void OnClose(HWND window) {
  if (!SaveBindSlot()) {
    char16_t question[240];
    FormatText(question, 240,
               u"Бинд Ctrl+F%d не сохранён: %s.\nЗакрыть всё равно? Набранный текст пропадёт.",
               currentBindSlot + 1, LastFileCause());
    int answer = MessageBoxW(window, W(question), L"KALMEX",
                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    if (answer != IDYES) return;
  }
  DestroyWindow(window);
}

static void LayoutBindsWindow(HWND window) {
  RECT c;
  GetClientRect(window, &c);
  bindsLayout = ComputeBindsLayout(c.right, c.bottom);
  MoveControl(slotList, bindsLayout.listRect);
  MoveControl(slotEditor, bindsLayout.editorRect);
}

static HWND MakeControl(HWND window, const wchar_t* cls, DWORD style, int32_t id) {
  HWND control = CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 0, 0,
                                 10, 10, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 hInstance, NULL);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontSet.inputFont), TRUE);
  return control;
}

static void OnCreate(HWND window) {
  bindsWindow = window;
  bindsHover = BindsHitNone;
  slotList = MakeControl(window, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 201);
  slotEditor = MakeControl(window, L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 202);
  SendMessageW(slotList, LB_SETITEMHEIGHT, 0, s(30));
  SendMessageW(slotEditor, EM_LIMITTEXT, bindEditorLimit, 0);
  for (int32_t slot = 1; slot <= bindSlotCount; slot++) {
    char16_t row[bindRowUnits];
    FormatBindListItem(slot, row, bindRowUnits);
    SendMessageW(slotList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
  SendMessageW(slotList, LB_SETCURSEL, 0, 0);
  // Placed before it is filled: a word-wrapping EDIT of 10 x 10 pixels breaks a long bind into
  // one line per character, and Wine measures the rest of the paragraph for every line (56 s for
  // 8,000 characters of words); at its real width the same text takes a hundredth of that.
  LayoutBindsWindow(window);
  LoadBindSlot(0);
}

// The window's picture around its two controls, w pixels wide, with the hover of the moment.
static void PaintBinds(HDC dc, int32_t w, const BindsLayout& l) {
  DrawCornerGlow(dc, w - s(60), 0, s(360), s(160), Theme::glowBlue);
  DrawTextIn(dc, u"БИНДЫ", Rect{s(20), s(14), w, s(40)}, fontSet.headingFont, Theme::textColor,
             textLeft);
  DrawTextIn(dc,
             u"Ctrl+F1\u2026F12 печатают этот текст в активное окно. Слева выбери клавишу, справа "
             u"впиши фразу.",
             Rect{s(20), s(40), w - s(20), s(64)}, fontSet.smallFont, Theme::mutedText,
             textLeftCut);
  DrawPrimaryButton(dc, l.saveRect, s(40), bindsHover == BindsHitSave, u"СОХРАНИТЬ");
  DrawSecondaryButton(dc, l.folderRect, s(40), bindsHover == BindsHitFolder, u"ОТКРЫТЬ ПАПКУ");
  DrawTextIn(dc, u"Сохраняется и при переключении клавиши",
             Rect{s(20), l.saveRect.top, l.folderRect.left - s(10), l.saveRect.bottom},
             fontSet.smallFont, Theme::dimText, textLeftCut);
}

static void OnPaint(HWND window) {
  BackBuffer b;
  BeginWindowBackBuffer(window, &b);
  PaintBinds(b.dc, b.width, bindsLayout);
  EndBackBuffer(window, &b);
}

static void OnSelectionChange() {
  int32_t r = static_cast<int32_t>(SendMessageW(slotList, LB_GETCURSEL, 0, 0));
  if (r < 0 || r == currentBindSlot) return;
  // A text that could not be written stays in the editor rather than being lost.
  if (!SaveBindSlot()) return;
  SendMessageW(slotList, LB_SETCURSEL, r, 0);
  LoadBindSlot(r);
}

static void OnLButtonUp(HWND window, int32_t x, int32_t y) {
  int32_t hit = BindsHitTest(bindsLayout, x, y);
  if (hit == BindsHitSave) {
    if (SaveBindSlot()) ShowStatus(u"Бинды сохранены");
    SetFocus(slotEditor);
  } else if (hit == BindsHitFolder) {
    SaveBindSlot();
    CreateDirectoryW(W(appPaths.bindsFolder), NULL);
    ShellExecuteW(window, L"open", W(appPaths.bindsFolder), NULL, NULL, SW_SHOWNORMAL);
  }
}

static void OnMouseMove(HWND window, int32_t x, int32_t y) {
  int32_t hit = BindsHitTest(bindsLayout, x, y);
  if (hit == bindsHover) return;
  bindsHover = hit;
  InvalidateRect(window, NULL, FALSE);
}

static bool OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p;
  if (!ClientCursorAsked(window, wParam, lParam, &p)) return false;
  if (BindsHitTest(bindsLayout, p.x, p.y) == BindsHitNone) return false;
  SetCursor(handCursor);
  return true;
}

LRESULT CALLBACK BindsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_DESTROY:
      bindsWindow = slotList = slotEditor = bindsKeptField = NULL;
      currentBindSlot = -1;
      return 0;
    case WM_SIZE:
      LayoutBindsWindow(window);
      InvalidateRect(window, NULL, FALSE);
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_CLOSE:
      OnClose(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      KeepFieldFocus(window, message, wParam, &bindsKeptField, slotEditor);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(window, wParam, lParam)) return TRUE;
      break;
    case WM_GETMINMAXINFO: {
      MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = s(640);
      info->ptMinTrackSize.y = s(420);
      return 0;
    }
    case WM_COMMAND:
      KeepFieldFocus(window, message, wParam, &bindsKeptField, slotEditor);
      if (LOWORD(wParam) == 201 && HIWORD(wParam) == LBN_SELCHANGE) OnSelectionChange();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return AnswerFieldColors(wParam);
    case WM_MOUSEMOVE:
      OnMouseMove(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void OpenBindsWindow() {
  if (bindsWindow) {
    ShowWindow(bindsWindow, SW_RESTORE);
    SetForegroundWindow(bindsWindow);
    return;
  }
  Rect place = BindsWindowPlacement(ScreenRectOf(mainWindow));
  HWND window = CreateWindowExW(0, L"ZoltexBinds", L"Бинды \x2014 KALMEX by tavisel",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, mainWindow,
                                NULL, hInstance, NULL);
  bindsWindow = window;
  if (!window) return;
  ShowWindow(window, SW_SHOW);
  SetFocus(slotEditor);
}
