#include "app/field_win.h"

#include "app/shell_win.h"

namespace {
const wchar_t previousProp[] = L"ZoltexFieldPrevious";
const wchar_t partnerProp[] = L"ZoltexFieldPartner";

LRESULT CALLBACK PairedFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropW(field, previousProp));
  if (message == WM_CHAR) {
    // The characters are swallowed: a single-line EDIT would beep at them.
    if (wParam == 13) {
      PostMessageW(GetParent(field), WM_APP_SUBMIT, 0, 0);
      return 0;
    }
    if (wParam == 27) {
      PostMessageW(GetParent(field), WM_APP_CANCEL, 0, 0);
      return 0;
    }
    if (wParam == 9) {
      HWND partner = static_cast<HWND>(GetPropW(field, partnerProp));
      if (partner) SetFocus(partner);
      return 0;
    }
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(field, previousProp);
    RemovePropW(field, partnerProp);
    SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return CallWindowProcW(previous, field, message, wParam, lParam);
}

void Subclass(HWND field, HWND partner) {
  LONG_PTR previous = GetWindowLongPtrW(field, GWLP_WNDPROC);
  SetPropW(field, previousProp, reinterpret_cast<HANDLE>(previous));
  SetPropW(field, partnerProp, partner);
  SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PairedFieldProc));
}
}  // namespace

void SubclassFieldPair(HWND first, HWND second) {
  Subclass(first, second);
  Subclass(second, first);
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
