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
#include "store/clean.h"
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

EditorLayout editorLayout;
HWND editorKeptField;  // the field the keyboard comes back to

// ---- Geometry

void LayoutTicketEditor(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  editorLayout = ComputeEditorLayout(client.right, client.bottom);
  MoveControl(editorNumberField, editorLayout.numberField);
  MoveControl(editorDescriptionField, editorLayout.descriptionField);
}

// ---- Painting

// The editor's picture, w pixels wide, with the hover and focus of the moment.
void PaintTicketEditor(HDC dc, int32_t w, const EditorLayout& l) {
  DrawCornerGlow(dc, w - s(40), 0, s(320), s(140), Theme::glowBlue);
  DrawTextIn(dc, u"ИЗМЕНИТЬ ЗАЯВКУ", Rect{s(22), s(14), w - s(22), s(44)}, fontSet.headingFont,
             Theme::textColor, textLeft);
  DrawTextIn(dc, u"Номер заявки", Rect{s(22), s(60), w, s(82)}, fontSet.smallFont,
             Theme::mutedText, textLeft);
  DrawTextIn(dc, u"Что делаю", Rect{s(22), s(140), w, s(162)}, fontSet.smallFont,
             Theme::mutedText, textLeft);
  DrawInputFrame(dc, l.numberFrame, editorFocus == EditorFieldNumber);
  DrawInputFrame(dc, l.descriptionFrame, editorFocus == EditorFieldDescription);
  DrawPrimaryButton(dc, l.save, s(42), editorHover == EditorHitSave, u"СОХРАНИТЬ");
  DrawSecondaryButton(dc, l.cancel, s(42), editorHover == EditorHitCancel, u"ОТМЕНА");
  Rect hint{s(22), l.save.top, l.cancel.left - s(10), l.save.bottom};
  DrawTextIn(dc, u"Enter — сохранить, Esc — отмена", hint, fontSet.smallFont, Theme::dimText,
             textLeftCut);
}

// ---- Messages

void OnPaint(HWND window) {
  BackBuffer b;
  BeginWindowBackBuffer(window, &b);
  PaintTicketEditor(b.dc, b.width, editorLayout);
  EndBackBuffer(window, &b);
}

HWND MakeField(HWND window, int32_t id, int32_t limit) {
  HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                               0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               hInstance, NULL);
  SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(fontSet.inputFont), TRUE);
  SendMessageW(field, EM_LIMITTEXT, limit, 0);
  return field;
}

void OnCreate(HWND window) {
  editorNumberField = MakeField(window, numberFieldId, numberFieldLimit);
  editorDescriptionField = MakeField(window, descriptionFieldId, descriptionFieldLimit);
  SendMessageW(editorDescriptionField, EM_SETCUEBANNER, TRUE,
               reinterpret_cast<LPARAM>(W(u"Что делаю (необязательно)")));
  SubclassFieldPair(editorNumberField, editorDescriptionField, TabKeepsSelection);
  LayoutTicketEditor(window);
}

void OnCommand(HWND window, WPARAM wParam) {
  UINT code = HIWORD(wParam);
  if (code != EN_SETFOCUS && code != EN_KILLFOCUS) return;
  HWND focus = GetFocus();
  editorFocus = focus == editorNumberField        ? EditorFieldNumber
                : focus == editorDescriptionField ? EditorFieldDescription
                                                  : EditorFieldNone;
  InvalidateRect(window, NULL, FALSE);
}

void OnMouseMove(HWND window, LPARAM lParam) {
  int32_t hover = EditorHitTest(editorLayout, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (hover == editorHover) return;
  editorHover = hover;
  InvalidateRect(window, NULL, FALSE);
}

bool OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p;
  if (!ClientCursorAsked(window, wParam, lParam, &p)) return false;
  if (EditorHitTest(editorLayout, p.x, p.y) == EditorHitNone) return false;
  SetCursor(handCursor);
  return true;
}

void OnLButtonUp(LPARAM lParam) {
  int32_t hit = EditorHitTest(editorLayout, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (hit == EditorHitSave) SubmitTicketEditor();
  else if (hit == EditorHitCancel) CloseTicketEditor();
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
      OnPaint(window);
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
  editorHover = EditorHitNone;
  editorFocus = EditorFieldNone;
  editorKeptField = NULL;
  Rect place = EditorPlacement(ScreenRectOf(mainWindow));
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
  EditorCaret caret = EditorOpeningCaret(t);
  HWND focus = caret.field == EditorFieldNumber ? editorNumberField : editorDescriptionField;
  SetFocus(focus);
  SendMessageW(focus, EM_SETSEL, caret.position, caret.position);
}

void SubmitTicketEditor() {
  if (!editorWindow) return;
  if (editIndex < 0 || editIndex >= ticketStore.ticketCount) {
    CloseTicketEditor();
    return;
  }
  char16_t number[numberFieldRead], description[descriptionFieldRead];
  GetWindowTextW(editorNumberField, W(number), numberFieldRead);
  GetWindowTextW(editorDescriptionField, W(description), descriptionFieldRead);
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
