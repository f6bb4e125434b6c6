#include "app/field_win.h"

#include "app/shell_win.h"

namespace {
const wchar_t previousProp[] = L"ZoltexFieldPrevious";
const wchar_t partnerProp[] = L"ZoltexFieldPartner";
const wchar_t selectProp[] = L"ZoltexFieldSelect";  // present for TabSelectsText

LRESULT CALLBACK PairedFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropW(field, previousProp));
  // WM_CHAR of these keys carries the key's code. The characters are swallowed: a single-line
  // EDIT would beep at them.
  if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    UINT command = wParam == VK_RETURN ? WM_APP_SUBMIT : WM_APP_CANCEL;
    PostMessageW(GetParent(field), command, reinterpret_cast<WPARAM>(field), 0);
    return 0;
  }
  if (message == WM_KEYDOWN && wParam == VK_F6) {
    PostMessageW(GetParent(field), WM_APP_PANE, reinterpret_cast<WPARAM>(field),
                 GetKeyState(VK_SHIFT) < 0);
    return 0;
  }
  if (message == WM_CHAR && wParam == VK_TAB) {
    HWND partner = static_cast<HWND>(GetPropW(field, partnerProp));
    if (partner) {
      SetFocus(partner);
      if (GetPropW(field, selectProp)) SendMessageW(partner, EM_SETSEL, 0, -1);
    }
    return 0;
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(field, previousProp);
    RemovePropW(field, partnerProp);
    RemovePropW(field, selectProp);
    SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return CallWindowProcW(previous, field, message, wParam, lParam);
}

void Subclass(HWND field, HWND partner, FieldTab tab) {
  LONG_PTR previous = GetWindowLongPtrW(field, GWLP_WNDPROC);
  SetPropW(field, previousProp, reinterpret_cast<HANDLE>(previous));
  SetPropW(field, partnerProp, partner);
  if (tab == TabSelectsText) SetPropW(field, selectProp, reinterpret_cast<HANDLE>(1));
  SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PairedFieldProc));
}
}  // namespace

void SubclassFieldPair(HWND first, HWND second, FieldTab tab) {
  Subclass(first, second, tab);
  Subclass(second, first, tab);
}

void MoveControl(HWND control, const Rect& r) {
  if (!control) return;
  // A control already in place is left alone: each step of a resize would otherwise move and
  // repaint it, at a round trip to the window server, for nothing.
  RECT now;
  GetWindowRect(control, &now);
  MapWindowPoints(NULL, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
  if (now.left == r.left && now.top == r.top && now.right == r.right && now.bottom == r.bottom)
    return;
  MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

HWND KeepFieldFocus(HWND window, UINT message, WPARAM wParam, HWND* kept, HWND first) {
  HWND focus = GetFocus();
  bool inField = focus && focus != window && IsChild(window, focus);
  // Going inactive the focus is still where the user left it; later it may already be gone.
  if (message == WM_COMMAND || (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE)) {
    if (inField) *kept = focus;
    return NULL;
  }
  if (message != WM_ACTIVATE && message != WM_SETFOCUS) return NULL;
  if (inField || IsIconic(window)) return NULL;
  HWND field = *kept && IsChild(window, *kept) && IsWindowVisible(*kept) ? *kept : first;
  if (field) SetFocus(field);
  return field;
}
