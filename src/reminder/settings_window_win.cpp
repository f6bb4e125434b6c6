// The settings window: the reminder switch, the time fields, test, cancel and save.
#include "reminder/reminder_win.h"

#include "app/field_win.h"
#include "app/shell_win.h"
#include "draw/draw_win.h"
#include "draw/theme.h"
#include "reminder/reminder_layout.h"
#include "reminder/settings.h"

HWND settingsWindow;
static int32_t settingsRemind, settingsHover, settingsFocus;
static HWND hourField, minuteField;
static HWND settingsLastField;  // the field that had the focus last
static WNDPROC hourFieldProc, minuteFieldProc;
static SettingsLayout settingsLayout;

static void LayoutSettingsWindow(HWND window) {
  RECT c;
  GetClientRect(window, &c);
  settingsLayout = LayoutSettings(c.right, c.bottom);
  Rect f = SettingsFieldRect(settingsLayout.hourFrameRect);
  if (hourField) MoveWindow(hourField, f.left, f.top, f.right - f.left, f.bottom - f.top, TRUE);
  f = SettingsFieldRect(settingsLayout.minuteFrameRect);
  if (minuteField) MoveWindow(minuteField, f.left, f.top, f.right - f.left, f.bottom - f.top, TRUE);
}

// Keyboard focus into a field selects its two digits, so typing replaces them as in a dialog.
static void FocusField(HWND field) {
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
}

static LRESULT CALLBACK SettingsFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = field == hourField ? hourFieldProc : minuteFieldProc;
  if (message == WM_CHAR) {
    if (wParam == 13) return PostMessageW(settingsWindow, WM_APP_SUBMIT, 0, 0), 0;
    if (wParam == 27) return PostMessageW(settingsWindow, WM_APP_CANCEL, 0, 0), 0;
    if (wParam == 9) return FocusField(field == hourField ? minuteField : hourField), 0;
  }
  return CallWindowProcW(previous, field, message, wParam, lParam);
}

void OpenSettingsWindow() {
  if (settingsWindow) return;
  settingsRemind = settings.remind;
  settingsHover = 0;
  settingsFocus = 0;
  RECT m;
  GetWindowRect(mainWindow, &m);
  Rect place = SettingsPlacement(Rect{m.left, m.top, m.right, m.bottom});
  settingsWindow = CreateWindowExW(0, L"ZoltexSet", L"Настройки \x2014 KALMEX",
                                   WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, mainWindow,
                                   NULL, hInstance, NULL);
  if (!settingsWindow) return;
  EnableWindow(mainWindow, FALSE);
  ShowWindow(settingsWindow, SW_SHOW);
  FocusField(hourField);
}

void CloseSettingsWindow() {
  if (!settingsWindow) return;
  HWND window = settingsWindow;
  settingsWindow = NULL;
  EnableWindow(mainWindow, TRUE);  // before the destroy, so the activation goes back to it
  DestroyWindow(window);
  hourField = minuteField = settingsLastField = NULL;
  SetForegroundWindow(mainWindow);
  RepaintBoard();
}

void SubmitSettingsWindow() {
  if (!settingsWindow) return;
  wchar_t hourText[8], minuteText[8];
  GetWindowTextW(hourField, hourText, 8);
  GetWindowTextW(minuteField, minuteText, 8);
  int32_t hour, minute;
  if (!ParseSettingsTime(reinterpret_cast<char16_t*>(hourText),
                         reinterpret_cast<char16_t*>(minuteText), &hour, &minute)) {
    MessageBoxW(settingsWindow, L"Укажи время: часы 0\x2013" L"23, минуты 0\x2013" L"59.", L"KALMEX",
                MB_ICONEXCLAMATION);
    FocusField(hourField);
    return;
  }
  if (UpdateSettings(settingsRemind, hour, minute)) {
    char16_t status[80];
    FormatSettingsStatus(settings, status, 80);
    ShowStatus(status);
  } else {
    ShowStatus(u"Настройки не сохранены: файл не записался — после перезапуска вернётся прежнее время");
  }
  RepaintBoard();
  CloseSettingsWindow();
}

// The handle is stored before the subclass: SettingsFieldProc tells the fields apart by it.
static void MakeField(HWND window, int32_t id, int32_t value, HWND* field, WNDPROC* previous) {
  *field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_NUMBER,
                           0, 0, 10, 10, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           hInstance, NULL);
  SendMessageW(*field, WM_SETFONT, reinterpret_cast<WPARAM>(fontSet.inputFont), TRUE);
  SendMessageW(*field, EM_LIMITTEXT, 2, 0);
  *previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(*field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SettingsFieldProc)));
  wchar_t text[8];
  wsprintfW(text, L"%02d", value);
  SetWindowTextW(*field, text);
}

static void OnCreate(HWND window) {
  MakeField(window, 401, settings.hour, &hourField, &hourFieldProc);
  MakeField(window, 402, settings.minute, &minuteField, &minuteFieldProc);
  LayoutSettingsWindow(window);
}

// Coming back from another window (the reminder the test button opened, for one), the keys go
// to the field the user was typing in, its digits selected as keyboard focus does here.
static void OnFocusBack(HWND window, UINT message, WPARAM wParam) {
  HWND field = KeepFieldFocus(window, message, wParam, &settingsLastField, hourField);
  if (field) SendMessageW(field, EM_SETSEL, 0, -1);
}

static void OnPaint(HWND window) {
  const SettingsLayout& l = settingsLayout;
  BackBuffer b;
  BeginWindowBackBuffer(window, &b);
  int32_t w = b.width;
  HDC dc = b.dc;
  bool on = settingsRemind == 1;
  DrawCornerGlow(dc, w - s(40), 0, s(320), s(140), Theme::glowBlue);
  DrawTextIn(dc, u"НАСТРОЙКИ  ·  НАПОМИНАНИЕ", Rect{s(22), s(14), w - s(22), s(44)},
             fontSet.headingFont, Theme::textColor, textLeft);
  DrawTextIn(dc, u"Каждый день в это время KALMEX покажет, какие заявки ещё в работе.",
             Rect{s(22), s(46), w - s(22), s(86)}, fontSet.smallFont, Theme::mutedText, textLeftLines);
  const Rect& sw = l.switchRect;
  if (on)
    FillAccentGradient(dc, sw, s(30), false);
  else
    FillRoundRect(dc, sw, s(30), Theme::toggleOffColor, noOutline);
  DrawFilledCircle(dc, on ? sw.right - s(15) : sw.left + s(15), (sw.top + sw.bottom) / 2, s(11),
                   Theme::textColor);
  DrawTextIn(dc, on ? u"Включено" : u"Выключено", Rect{sw.right + s(14), sw.top, w - s(22), sw.bottom},
             fontSet.bodyFont, on ? Theme::textColor : Theme::mutedText, textLeft);
  const Rect& hr = l.hourFrameRect;
  const Rect& mr = l.minuteFrameRect;
  DrawTextIn(dc, u"Время", Rect{s(22), hr.top, hr.left - s(8), hr.bottom}, fontSet.bodyFont,
             on ? Theme::mutedText : Theme::dimText, textLeft);
  DrawInputFrame(dc, hr, settingsFocus == 1);
  DrawInputFrame(dc, mr, settingsFocus == 2);
  DrawTextIn(dc, u":", Rect{hr.right, hr.top, mr.left, hr.bottom}, fontSet.headingFont,
             Theme::mutedText, textCentred);
  DrawTextIn(dc, u"часы : минуты", Rect{mr.right + s(14), hr.top, w - s(22), hr.bottom},
             fontSet.smallFont, Theme::dimText, textLeft);
  FillRoundRect(dc, l.testRect, s(40),
                settingsHover == 3 ? Theme::warnButtonHoverColor : Theme::warnButtonColor,
                Theme::warnLineColor);
  DrawTextIn(dc, u"ТЕСТ", l.testRect, fontSet.buttonFont, Theme::warnColor, textCentred);
  DrawSecondaryButton(dc, l.cancelRect, s(40), settingsHover == 1, u"ОТМЕНА");
  DrawPrimaryButton(dc, l.saveRect, s(40), settingsHover == 2, u"СОХРАНИТЬ");
  EndBackBuffer(window, &b);
}

static void OnLButtonUp(HWND window, int32_t x, int32_t y) {
  if (RectContains(settingsLayout.switchRect, x, y)) {
    settingsRemind = settingsRemind ? 0 : 1;
    InvalidateRect(window, NULL, FALSE);
    return;
  }
  int32_t hit = SettingsHitTest(settingsLayout, x, y);
  if (hit == 2) SubmitSettingsWindow();
  else if (hit == 1) CloseSettingsWindow();
  else if (hit == 3) ShowReminder(true);
}

static bool OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p;
  if (!ClientCursorAsked(window, wParam, lParam, &p)) return false;
  bool hand = RectContains(settingsLayout.switchRect, p.x, p.y) ||
              SettingsHitTest(settingsLayout, p.x, p.y) != 0;
  SetCursor(hand ? handCursor : arrowCursor);
  return true;
}

LRESULT CALLBACK SettingsWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      LayoutSettingsWindow(window);
      InvalidateRect(window, NULL, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      OnFocusBack(window, message, wParam);
      return 0;
    case WM_COMMAND:
      KeepFieldFocus(window, message, wParam, &settingsLastField, hourField);
      if (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS) {
        HWND focus = GetFocus();
        settingsFocus = focus == hourField ? 1 : focus == minuteField ? 2 : 0;
        InvalidateRect(window, NULL, FALSE);
      }
      return 0;
    case WM_CTLCOLOREDIT:
      return AnswerFieldColors(wParam);
    case WM_MOUSEMOVE: {
      int32_t hit = SettingsHitTest(settingsLayout, static_cast<short>(LOWORD(lParam)),
                                    static_cast<short>(HIWORD(lParam)));
      if (hit != settingsHover) {
        settingsHover = hit;
        InvalidateRect(window, NULL, FALSE);
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (OnSetCursor(window, wParam, lParam)) return TRUE;
      break;
    case WM_LBUTTONUP:
      OnLButtonUp(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_APP_SUBMIT:
      SubmitSettingsWindow();
      return 0;
    case WM_APP_CANCEL:
    case WM_CLOSE:
      CloseSettingsWindow();
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
