// The reminder window: a topmost card in the bottom-right corner listing the open tickets.
#include "reminder/reminder_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/text.h"
#include "draw/draw_win.h"
#include "draw/theme.h"
#include "reminder/reminder_layout.h"
#include "store/ticket.h"

HWND reminderWindow;
static bool reminderTest;
static int32_t reminderHover;  // ReminderHit
static ReminderButtons reminderButtons;  // as placed by the last paint
static int32_t reminderCount[3];
static int32_t reminderLists[3][maxTickets];

void ShowReminder(bool test) {
  if (reminderWindow) {
    HWND old = reminderWindow;
    reminderWindow = NULL;
    DestroyWindow(old);
  }
  SortIntoColumns(reminderCount, reminderLists);
  int32_t open = reminderCount[0] + reminderCount[1];
  reminderTest = test;
  reminderHover = ReminderHitNone;
  reminderButtons = ReminderButtons{};
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  Rect place = ReminderPlacement(Rect{work.left, work.top, work.right, work.bottom}, open);
  reminderWindow = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"ZoltexRemind",
                                   L"KALMEX \x2014 напоминание", WS_POPUP, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, NULL, NULL,
                                   hInstance, NULL);
  if (!reminderWindow) return;
  SetWindowPos(reminderWindow, HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ShowWindow(reminderWindow, SW_SHOWNOACTIVATE);
  MessageBeep(MB_ICONASTERISK);
}

static void PaintTicketRow(HDC dc, const ReminderRow& r, const Ticket& t, uint32_t now) {
  bool inWork = t.state == StateInWork;
  FillRoundRect(dc, r.body, s(10), Theme::fieldColor, noOutline);
  DrawFilledCircle(dc, r.dotX, r.dotY, s(3), inWork ? Theme::accentBlue : Theme::amber);
  DrawTextIn(dc, t.number, r.number, fontSet.buttonFont, Theme::textColor, textLeftCut);
  if (t.description[0])
    DrawTextIn(dc, t.description, r.description, fontSet.smallFont, Theme::mutedText, textLeftCut);
  char16_t time[32];
  FormatDuration(WorkedNow(t, now), time, 32);
  DrawTextIn(dc, time, r.time, fontSet.timerFont, inWork ? Theme::accentLight : Theme::amber,
             textRight);
}

static void PaintReminder(HDC dc, int32_t w, int32_t h) {
  SortIntoColumns(reminderCount, reminderLists);
  int32_t c0 = reminderCount[0], c1 = reminderCount[1];
  ReminderLayout l = LayoutReminder(w, h, reminderTest, c0 + c1);
  reminderButtons = l.buttons;
  DrawCornerGlow(dc, w - s(40), 0, s(360), s(160), Theme::glowBlue);
  FillAccentBar(dc, l.accentBar);
  FillRoundRect(dc, l.buttons.close, s(10),
                reminderHover == ReminderHitClose ? Theme::thumbColor : Theme::closeButtonColor,
                noOutline);
  DrawCrossIcon(dc, l.buttons.close, Theme::mutedText);
  if (l.hasBadge) {
    FillRoundRect(dc, l.badge, s(22), Theme::warnBadgeColor, noOutline);
    DrawTextIn(dc, u"ТЕСТ", l.badge, fontSet.smallFont, Theme::warnColor, textCentred);
  }
  DrawTextIn(dc, u"НАПОМИНАНИЕ", l.title, fontSet.headingFont, Theme::textColor, textLeftCut);
  char16_t summary[128];
  FormatReminderSummary(c0, c1, summary, 128);
  DrawTextIn(dc, summary, l.summary, fontSet.bodyFont, Theme::mutedText, textLeftCut);

  uint32_t now = UnixNow();
  for (int32_t i = 0; i < l.rowCount; i++) {
    int32_t index = i < c0 ? reminderLists[0][i] : reminderLists[1][i - c0];
    PaintTicketRow(dc, ReminderRowAt(w, i), ticketStore.tickets[index], now);
  }
  if (l.moreCount > 0) {
    char16_t more[48];
    FormatText(more, 48, u"и ещё %d…", l.moreCount);
    DrawTextIn(dc, more, l.moreLine, fontSet.smallFont, Theme::dimText, textLeft);
  }
  DrawPrimaryButton(dc, l.buttons.more, s(40), reminderHover == ReminderHitMore, u"ПОДРОБНЕЕ");
  DrawSecondaryButton(dc, l.buttons.ok, s(40), reminderHover == ReminderHitOk, u"ХОРОШО");
  FillRoundRect(dc, Rect{0, 0, 1, h}, 0, Theme::slotLineColor, noOutline);
  FillRoundRect(dc, Rect{w - 1, 0, w, h}, 0, Theme::slotLineColor, noOutline);
  FillRoundRect(dc, Rect{0, h - 1, w, h}, 0, Theme::slotLineColor, noOutline);
}

static void OnPaint(HWND window) {
  BackBuffer b;
  BeginWindowBackBuffer(window, &b);
  PaintReminder(b.dc, b.width, b.height);
  EndBackBuffer(window, &b);
}

static void CloseReminder(HWND window) {
  if (reminderWindow == window) reminderWindow = NULL;
  DestroyWindow(window);
}

static void OnLButtonUp(HWND window, int32_t x, int32_t y) {
  int32_t hit = ReminderHitTest(reminderButtons, x, y);
  if (hit == ReminderHitNone) return;
  CloseReminder(window);
  if (hit == ReminderHitMore && mainWindow) {
    // A maximised main window stays maximised; only a minimised one is restored.
    ShowWindow(mainWindow, IsIconic(mainWindow) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(mainWindow);
  }
}

LRESULT CALLBACK ReminderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_MOUSEMOVE: {
      int32_t hit = ReminderHitTest(reminderButtons, static_cast<short>(LOWORD(lParam)),
                                    static_cast<short>(HIWORD(lParam)));
      if (hit != reminderHover) {
        reminderHover = hit;
        InvalidateRect(window, NULL, FALSE);
      }
      return 0;
    }
    case WM_SETCURSOR: {
      POINT p = CursorInClient(window);
      bool hand = ReminderHitTest(reminderButtons, p.x, p.y) != ReminderHitNone;
      SetCursor(hand ? handCursor : arrowCursor);
      return TRUE;
    }
    case WM_LBUTTONUP:
      OnLButtonUp(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_DESTROY:
      if (reminderWindow == window) reminderWindow = NULL;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
