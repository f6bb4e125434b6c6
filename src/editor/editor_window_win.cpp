// The ticket editor: a small modal window that changes one ticket's number and description.
#include "editor/editor_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/field_win.h"
#include "app/geometry.h"
#include "app/shell_win.h"
#include "draw/draw_win.h"
#include "draw/theme.h"
#include "editor/editor_rules.h"
#include "store/datafile.h"
#include "store/ticket.h"

HWND editorWindow;
int32_t editIndex = -1;
int32_t editorHover;
int32_t editorFocus;
HWND editorNumberField, editorDescriptionField;

namespace {

constexpr int32_t numberFieldId = 301;
constexpr int32_t descriptionFieldId = 302;

Rect editorNumberFrameRect, editorDescriptionFrameRect, editorSaveRect, editorCancelRect;
HWND editorKeptField;  // the field the keyboard comes back to

// ---- Geometry

void MoveField(HWND field, const Rect& frame) {
  Rect r = EditorFieldRect(frame);
  MoveWindow(field, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void LayoutTicketEditor(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  EditorLayout l = ComputeEditorLayout(client.right, client.bottom);
  editorNumberFrameRect = l.numberFrame;
  editorDescriptionFrameRect = l.descriptionFrame;
  editorSaveRect = l.save;
  editorCancelRect = l.cancel;
  MoveField(editorNumberField, editorNumberFrameRect);
  MoveField(editorDescriptionField, editorDescriptionFrameRect);
}

// ---- Painting

void PaintTicketEditor(HWND window) {
  BackBuffer b;
  BeginWindowBackBuffer(window, &b);
  int32_t w = b.width;
  HDC dc = b.dc;
  DrawCornerGlow(dc, w - s(40), 0, s(320), s(140), Theme::glowBlue);
  DrawTextIn(dc, u"ИЗМЕНИТЬ ЗАЯВКУ", Rect{s(22), s(14), w - s(22), s(44)}, fontSet.headingFont,
             Theme::textColor, textLeft);
  DrawTextIn(dc, u"Номер заявки", Rect{s(22), s(60), w, s(82)}, fontSet.smallFont,
             Theme::mutedText, textLeft);
  DrawTextIn(dc, u"Что делаю", Rect{s(22), s(140), w, s(162)}, fontSet.smallFont,
             Theme::mutedText, textLeft);
  DrawInputFrame(dc, editorNumberFrameRect, editorFocus == 1);
  DrawInputFrame(dc, editorDescriptionFrameRect, editorFocus == 2);
  DrawPrimaryButton(dc, editorSaveRect, s(42), editorHover == 2, u"СОХРАНИТЬ");
  DrawSecondaryButton(dc, editorCancelRect, s(42), editorHover == 1, u"ОТМЕНА");
  Rect hint{s(22), editorSaveRect.top, editorCancelRect.left - s(10), editorSaveRect.bottom};
  DrawTextIn(dc, u"Enter — сохранить, Esc — отмена", hint, fontSet.smallFont, Theme::dimText,
             textLeftCut);
  EndBackBuffer(window, &b);
}

// ---- Messages

HWND MakeField(HWND window, int32_t id, int32_t limit) {
  HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                               0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               hInstance, NULL);
  SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(fontSet.inputFont), TRUE);
  SendMessageW(field, EM_LIMITTEXT, limit, 0);
  return field;
}

void OnCreate(HWND window) {
  editorNumberField = MakeField(window, numberFieldId, editorNumberLimit);
  editorDescriptionField = MakeField(window, descriptionFieldId, editorDescriptionLimit);
  SendMessageW(editorDescriptionField, EM_SETCUEBANNER, TRUE,
               reinterpret_cast<LPARAM>(W(u"Что делаю (необязательно)")));
  SubclassFieldPair(editorNumberField, editorDescriptionField);
  LayoutTicketEditor(window);
}

void OnCommand(HWND window, WPARAM wParam) {
  UINT code = HIWORD(wParam);
  if (code != EN_SETFOCUS && code != EN_KILLFOCUS) return;
  HWND focus = GetFocus();
  editorFocus = focus == editorNumberField ? 1 : focus == editorDescriptionField ? 2 : 0;
  InvalidateRect(window, NULL, FALSE);
}

void OnMouseMove(HWND window, LPARAM lParam) {
  int32_t hover = EditorHoverAt(editorSaveRect, editorCancelRect, GET_X_LPARAM(lParam),
                                GET_Y_LPARAM(lParam));
  if (hover == editorHover) return;
  editorHover = hover;
  InvalidateRect(window, NULL, FALSE);
}

bool OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p;
  if (!ClientCursorAsked(window, wParam, lParam, &p)) return false;
  if (EditorHoverAt(editorSaveRect, editorCancelRect, p.x, p.y) == 0) return false;
  SetCursor(handCursor);
  return true;
}

void OnLButtonUp(LPARAM lParam) {
  int32_t hit = EditorHoverAt(editorSaveRect, editorCancelRect, GET_X_LPARAM(lParam),
                              GET_Y_LPARAM(lParam));
  if (hit == 2) SubmitTicketEditor();
  else if (hit == 1) CloseTicketEditor();
}

void OnDestroy(HWND window) {
  // Destroyed without CloseTicketEditor (its owner went first): forget it and free the owner.
  if (editorWindow != window) return;
  editorWindow = NULL;
  if (mainWindow) EnableWindow(mainWindow, TRUE);
}

}  // namespace

LRESULT CALLBACK EditorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      LayoutTicketEditor(window);
      InvalidateRect(window, NULL, FALSE);
      return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      KeepFieldFocus(window, message, wParam, &editorKeptField, editorNumberField);
      return 0;
    case WM_COMMAND:
      KeepFieldFocus(window, message, wParam, &editorKeptField, editorNumberField);
      OnCommand(window, wParam);
      return 0;
    case WM_CTLCOLOREDIT:
      return AnswerFieldColors(wParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintTicketEditor(window);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(window, lParam);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(window, wParam, lParam)) return TRUE;
      break;
    case WM_LBUTTONUP:
      OnLButtonUp(lParam);
      return 0;
    case WM_APP_SUBMIT:
      SubmitTicketEditor();
      return 0;
    case WM_APP_CANCEL:
    case WM_CLOSE:
      CloseTicketEditor();
      return 0;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void OpenTicketEditor(int32_t index) {
  if (index < 0 || index >= ticketStore.ticketCount || editorWindow) return;
  editIndex = index;
  editorHover = 0;
  editorFocus = 0;
  editorKeptField = NULL;
  RECT main;
  GetWindowRect(mainWindow, &main);
  Rect place = EditorPlacement(Rect{main.left, main.top, main.right, main.bottom});
  HWND window = CreateWindowExW(0, L"ZoltexEdit", W(u"Изменить заявку — KALMEX"),
                                WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, mainWindow,
                                NULL, hInstance, NULL);
  if (!window) return;
  editorWindow = window;
  const Ticket& t = ticketStore.tickets[index];
  SetWindowTextW(editorNumberField, W(t.number));
  SetWindowTextW(editorDescriptionField, W(t.description));
  EnableWindow(mainWindow, FALSE);
  ShowWindow(window, SW_SHOW);
  HWND focus = t.description[0] ? editorNumberField : editorDescriptionField;
  SetFocus(focus);
  // The caret goes behind the text, ready to go on typing.
  int32_t end = GetWindowTextLengthW(focus);
  SendMessageW(focus, EM_SETSEL, end, end);
}

void SubmitTicketEditor() {
  if (!editorWindow) return;
  if (editIndex < 0 || editIndex >= ticketStore.ticketCount) {
    CloseTicketEditor();
    return;
  }
  char16_t number[editorNumberRead], description[editorDescriptionRead];
  GetWindowTextW(editorNumberField, W(number), editorNumberRead);
  GetWindowTextW(editorDescriptionField, W(description), editorDescriptionRead);
  EditOutcome outcome = ApplyTicketEdit(editIndex, number, description);
  char16_t text[160];
  FormatEditOutcome(outcome, number, text, 160);
  if (outcome == EditEmptyNumber || outcome == EditDuplicate) {
    MessageBoxW(editorWindow, W(text), L"KALMEX", MB_ICONEXCLAMATION);
    SetFocus(editorNumberField);
    return;
  }
  if (outcome == EditSaved) {
    if (SaveTicketsReported()) ShowStatus(text);
    RepaintBoard();
  }
  CloseTicketEditor();
}

void CloseTicketEditor() {
  if (!editorWindow) return;
  HWND window = editorWindow;
  editorWindow = NULL;
  // The owner is enabled before the editor goes, so Windows gives it the activation back.
  EnableWindow(mainWindow, TRUE);
  DestroyWindow(window);
  SetForegroundWindow(mainWindow);
  RepaintBoard();
}
