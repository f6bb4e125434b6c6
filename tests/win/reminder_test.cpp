// The reminder window under Wine: size, place, topmost, shown without taking the focus.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/shell_win.h"
#include "app/text.h"
#include "reminder/reminder_win.h"
#include "store/ticket.h"

namespace {

void RegisterReminderClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = GetModuleHandleW(NULL);
  wc.lpfnWndProc = ReminderWndProc;
  wc.lpszClassName = L"ZoltexRemind";
  RegisterClassExW(&wc);
  hInstance = wc.hInstance;
}

void AddOpen(const char16_t* number, int32_t state) {
  Ticket& t = ticketStore.tickets[ticketStore.ticketCount++];
  t = Ticket{};
  t.state = state;
  t.order = static_cast<uint32_t>(ticketStore.ticketCount);
  CopyText(t.number, numberUnits, number);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

TEST(ReminderWindow, ShownBottomRightTopmostWithoutFocus) {
  RegisterReminderClass();
  HWND own = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                             NULL, NULL, hInstance, NULL);
  SetForegroundWindow(own);
  SetFocus(own);
  Pump();
  ResetTicketStore();
  AddOpen(u"A-1", StateInWork);
  AddOpen(u"A-2", StateInWork);
  AddOpen(u"B-1", StateClarify);
  AddOpen(u"C-1", StateDone);
  ShowReminder(false);
  Pump();
  ASSERT_NE(reminderWindow, (HWND)NULL);
  RECT r, work;
  GetWindowRect(reminderWindow, &r);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(r.bottom - r.top, 286);  // three open tickets
  EXPECT_EQ(r.right - r.left, 440);
  EXPECT_EQ(work.right - r.right, 20);
  EXPECT_EQ(work.bottom - r.bottom, 20);
  EXPECT_TRUE(GetWindowLongW(reminderWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(IsWindowVisible(reminderWindow));
  EXPECT_NE(GetForegroundWindow(), reminderWindow);
  EXPECT_EQ(GetFocus(), own);

  HWND first = reminderWindow;
  ResetTicketStore();
  ShowReminder(true);  // replaces the open one; nothing open gives one row
  Pump();
  EXPECT_FALSE(IsWindow(first));
  GetWindowRect(reminderWindow, &r);
  EXPECT_EQ(r.bottom - r.top, 226);
  DestroyWindow(reminderWindow);
  EXPECT_EQ(reminderWindow, (HWND)NULL);
  DestroyWindow(own);
}
