// The settings window: the reminder switch, the time fields, test, cancel and save.
#include "reminder/reminder_win.h"

#include "app/field_win.h"
#include "app/fileproblem.h"
#include "app/status.h"
#include "app/text.h"
#include "app/shell_win.h"
#include "draw/draw_win.h"
#include "draw/theme.h"
#include "reminder/reminder_layout.h"
#include "reminder/settings.h"

HWND settingsWindow;
static int32_t settingsRemind;
static int32_t settingsHover;  // SettingsHit
static int32_t settingsFocus;  // SettingsField
static HWND hourField, minuteField;
static HWND settingsLastField;  // the field that had the focus last
static SettingsLayout settingsLayout;

static void LayoutSettingsWindow(HWND window) {
  RECT c;
  GetClientRect(window, &c);
  settingsLayout = LayoutSettings(c.right, c.bottom);
  MoveControl(hourField, settingsLayout.hourFieldRect);
  MoveControl(minuteField, settingsLayout.minuteFieldRect);
}

// Keyboard focus into a field selects its two digits, so typing replaces them as in a dialog.
static void FocusField(HWND field) {
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
}

void OpenSettingsWindow() {
  if (settingsWindow) return;
  settingsRemind = settings.remind;
  settingsHover = SettingsHitNone;
  settingsFocus = SettingsFieldNone;
  Rect place = SettingsPlacement(ScreenRectOf(mainWindow));
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
    char16_t status[statusUnits];
    FormatText(status, statusUnits,
               u"Настройки не сохранены: %s — после перезапуска вернётся прежнее время",
               LastFileCause());
    ShowStatus(status);
  }
  RepaintBoard();
  CloseSettingsWindow();
}

static HWND MakeField(HWND window, int32_t id, int32_t value) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_NUMBER;
  HWND field = CreateWindowExW(0, L"EDIT", L"", style, 0, 0, 10, 10, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), hInstance, NULL);
  SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(fontSet.inputFont), TRUE);
  SendMessageW(field, EM_LIMITTEXT, 2, 0);
  wchar_t text[8];
  wsprintfW(text, L"%02d", value);
  SetWindowTextW(field, text);
  return field;
}

static void OnCreate(HWND window) {
  hourField = MakeField(window, 401, settings.hour);
  minuteField = MakeField(window, 402, settings.minute);
  SubclassFieldPair(hourField, minuteField, TabSelectsText);
  LayoutSettingsWindow(window);
}

// Coming back from another window (the reminder the test button opened, for one), the keys go
// to the field the user was typing in, its digits selected as keyboard focus does here.
static void OnFocusBack(HWND window, UINT message, WPARAM wParam) {
  HWND field = KeepFieldFocus(window, message, wParam, &settingsLastField, hourField);
  if (field) SendMessageW(field, EM_SETSEL, 0, -1);
}

// The window's picture, w pixels wide, with the switch, hover and focus of the moment.
static void PaintSettings(HDC dc, int32_t w, const SettingsLayout& l) {
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
  DrawInputFrame(dc, hr, settingsFocus == SettingsFieldHour);
  DrawInputFrame(dc, mr, settingsFocus == SettingsFieldMinute);
  DrawTextIn(dc, u":", Rect{hr.right, hr.top, mr.left, hr.bottom}, fontSet.headingFont,
             Theme::mutedText, textCentred);
  DrawTextIn(dc, u"часы : минуты", Rect{mr.right + s(14), hr.top, w - s(22), hr.bottom},
             fontSet.smallFont, Theme::dimText, textLeft);
  FillRoundRect(dc, l.testRect, s(40),
                settingsHover == SettingsHitTestButton ? Theme::warnButtonHoverColor
                                                       : Theme::warnButtonColor,
                Theme::warnLineColor);
  DrawTextIn(dc, u"ТЕСТ", l.testRect, fontSet.buttonFont, Theme::warnColor, textCentred);
  DrawSecondaryButton(dc, l.cancelRect, s(40), settingsHover == SettingsHitCancel, u"ОТМЕНА");
  DrawPrimaryButton(dc, l.saveRect, s(40), settingsHover == SettingsHitSave, u"СОХРАНИТЬ");
}

static void OnPaint(HWND window) {
  BackBuffer b;
  BeginWindowBackBuffer(window, &b);
  PaintSettings(b.dc, b.width, settingsLayout);
  EndBackBuffer(window, &b);
}

static void OnLButtonUp(HWND window, int32_t x, int32_t y) {
  switch (SettingsHitTest(settingsLayout, x, y)) {
    case SettingsHitSwitch:
      settingsRemind = settingsRemind ? 0 : 1;
      InvalidateRect(window, NULL, FALSE);
      break;
    case SettingsHitSave: SubmitSettingsWindow(); break;
    case SettingsHitCancel: CloseSettingsWindow(); break;
    case SettingsHitTestButton: ShowReminder(true); break;
  }
}

static bool OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p;
  if (!ClientCursorAsked(window, wParam, lParam, &p)) return false;
  bool hand = SettingsHitTest(settingsLayout, p.x, p.y) != SettingsHitNone;
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
        settingsFocus = focus == hourField     ? SettingsFieldHour
                        : focus == minuteField ? SettingsFieldMinute
                                               : SettingsFieldNone;
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
