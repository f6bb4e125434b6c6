// The main window: inputs, timers, status line, mouse on the board and the window procedure.
#include "board/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/text.h"
#include "binds/binds_win.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/board_paint_win.h"
#include "editor/editor_win.h"
#include "reminder/reminder_win.h"
#include "store/datafile.h"
#include "store/ops_win.h"
#include "store/ticket.h"

HWND numberInput, descriptionInput;
static WNDPROC previousEditProc;

static const wchar_t creditAddress[] = L"https://example.com/";
static const char16_t saveFailedText[] = u"Не удалось сохранить заявки — проверь папку программы";

void ShowStatus(const char16_t* text) {
  SetStatusText(text, TickNow());
  RepaintBoard();
}

void RepaintBoard() {
  if (mainWindow) InvalidateRect(mainWindow, NULL, FALSE);
}

bool SaveTicketsReported() {
  bool saved = SaveTickets();
  if (!saved) ShowStatus(saveFailedText);
  return saved;
}

static void Layout(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  ComputeLayout(r.right - r.left, r.bottom - r.top);
}

static void PlaceInput(HWND input, const Rect& frame) {
  Rect p = InputPlacement(frame);
  MoveWindow(input, p.left, p.top, p.right - p.left, p.bottom - p.top, TRUE);
}

static void PlaceInputs(HWND window) {
  Layout(window);
  PlaceInput(numberInput, boardLayout.numberFrameRect);
  PlaceInput(descriptionInput, boardLayout.descriptionFrameRect);
}

static LRESULT CALLBACK InputProc(HWND input, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) {
    if (wParam == 13) {
      PostMessageW(mainWindow, WM_APP_ADD_TICKET, 0, 0);
      return 0;
    }
    if (wParam == 9) {
      SetFocus(input == numberInput ? descriptionInput : numberInput);
      return 0;
    }
    if (wParam == 27) {
      SetWindowTextW(input, L"");
      return 0;
    }
  }
  return CallWindowProcW(previousEditProc, input, message, wParam, lParam);
}

static HWND MakeInput(HWND window, int id, int limit, const wchar_t* cue) {
  HWND input = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                               0, 0, 10, 10, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               hInstance, NULL);
  SendMessageW(input, WM_SETFONT, reinterpret_cast<WPARAM>(fontSet.inputFont), TRUE);
  SendMessageW(input, EM_LIMITTEXT, limit, 0);
  SendMessageW(input, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue));
  return input;
}

static LRESULT OnCreate(HWND window) {
  mainWindow = window;
  numberInput = MakeInput(window, 101, 30, L"Номер заявки");
  descriptionInput = MakeInput(window, 102, 118, L"Что делаю (необязательно)");
  previousEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongW(numberInput, GWL_WNDPROC, reinterpret_cast<LONG>(InputProc)));
  SetWindowLongW(descriptionInput, GWL_WNDPROC, reinterpret_cast<LONG>(InputProc));
  boardUi.hotKeysRegistered = RegisterBindHotKeys(window);
  SetTimer(window, 1, 100, NULL);
  SetTimer(window, 2, 30000, NULL);
  SetTimer(window, 3, 1000, NULL);
  PlaceInputs(window);
  if (boardUi.hotKeysRegistered < 12) {
    char16_t text[statusUnits];
    FormatText(text, statusUnits, u"Часть Ctrl+F занята другой программой: работает %d из 12",
               boardUi.hotKeysRegistered);
    ShowStatus(text);
  }
  return 0;
}

static void OnClose(HWND window) {
  if (!SaveTickets()) {
    ShowStatus(saveFailedText);
    int answer = MessageBoxW(window,
                             L"Заявки не сохранены: программа не смогла записать файл в своей папке.\n"
                             L"Закрыть всё равно? Несохранённые изменения пропадут.",
                             L"KALMEX", MB_YESNO | MB_ICONEXCLAMATION);
    if (answer != IDYES) return;
  }
  if (bindsWindow) SendMessageW(bindsWindow, WM_CLOSE, 0, 0);
  DestroyWindow(window);
}

static void OnTimer(HWND window, WPARAM id) {
  if (id == 1) {
    RECT r;
    GetClientRect(window, &r);
    r.top = boardLayout.columnRect[0].top - s(4);
    InvalidateRect(window, &r, FALSE);
  } else if (id == 3) {
    CheckReminder();
  } else {
    SaveTicketsReported();
  }
}

static void OnCommand(WPARAM wParam) {
  int id = LOWORD(wParam), code = HIWORD(wParam);
  if ((id != 101 && id != 102) || (code != EN_SETFOCUS && code != EN_KILLFOCUS)) return;
  HWND focus = GetFocus();
  boardUi.numberFocused = focus == numberInput;
  boardUi.descriptionFocused = focus == descriptionInput;
  RepaintBoard();
}

static bool OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) != window || LOWORD(lParam) != HTCLIENT) return false;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  int32_t code = HitTest(p.x, p.y).code;
  SetCursor(code == HitNothing || code == HitCardBody ? arrowCursor : handCursor);
  return true;
}

static void OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(window, &p);
  Layout(window);
  WheelScroll(p.x, p.y, static_cast<short>(HIWORD(wParam)));
  RepaintBoard();
}

// Mouse on the board.

static int32_t MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
static int32_t MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

static void OnMouseMove(HWND window, LPARAM lParam) {
  BoardUiState& ui = boardUi;
  int32_t x = MouseX(lParam), y = MouseY(lParam);
  ui.mouseX = x;
  ui.mouseY = y;
  if (!ui.leaveTracking) {
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, window, 0};
    TrackMouseEvent(&tme);
    ui.leaveTracking = true;
  }
  if (ui.pressCode == HitCardBody && !ui.dragging) {
    int32_t dx = x - ui.pressX, dy = y - ui.pressY, t = s(6);
    if (dx * dx + dy * dy > t * t && ui.pressTicket >= 0 && ui.pressTicket < ticketStore.ticketCount) {
      ui.dragging = true;
      ui.dragTicket = ui.pressTicket;
      int32_t k = ColumnOf(ticketStore.tickets[ui.dragTicket].state);
      int32_t i = 0;
      while (i < boardLayout.columnCount[k] && boardLayout.columnTickets[k][i] != ui.dragTicket) i++;
      ui.grabX = ui.pressX - boardLayout.listRect[k].left;
      ui.grabY = ui.pressY - CardTop(k, i);
      ui.hoverCode = HitNothing;
      ui.hoverTicket = -1;
      RepaintBoard();
      return;
    }
  }
  if (ui.dragging) {
    ui.hoverCode = HitNothing;
    ui.hoverTicket = -1;
    RepaintBoard();
    return;
  }
  HitResult r = HitTest(x, y);
  if (r.code == ui.hoverCode && r.ticket == ui.hoverTicket) return;
  ui.hoverCode = r.code;
  ui.hoverTicket = r.ticket;
  RepaintBoard();
}

static void OnMouseLeave() {
  boardUi.leaveTracking = false;
  if (boardUi.dragging) return;
  boardUi.hoverCode = HitNothing;
  boardUi.hoverTicket = -1;
  RepaintBoard();
}

static void OnLeftDown(HWND window, LPARAM lParam, bool doubleClick) {
  BoardUiState& ui = boardUi;
  ui.pressX = MouseX(lParam);
  ui.pressY = MouseY(lParam);
  HitResult r = HitTest(ui.pressX, ui.pressY);
  ui.pressCode = r.code;
  ui.pressTicket = r.ticket;
  if (r.code == HitNothing) return;
  SetCapture(window);
  if (doubleClick && r.code == HitCardBody) {
    ui.pressCode = HitNothing;
    ReleaseCapture();
    OpenTicketEditor(r.ticket);
  }
}

static void RunClick(int32_t code, int32_t t) {
  switch (code) {
    case HitTakeButton: AddTicketFromInputs(); break;
    case HitBindsButton: OpenBindsWindow(); break;
    case HitClearButton: ClearDoneTickets(); break;
    case HitCardDelete: DeleteTicket(t); break;
    case HitCardDone:
      SetTicketState(t, ticketStore.tickets[t].state == StateDone ? StateInWork : StateDone);
      break;
    case HitCardClarify:
      if (ticketStore.tickets[t].state == StateInWork) SetTicketState(t, StateClarify);
      else if (ticketStore.tickets[t].state == StateClarify) SetTicketState(t, StateInWork);
      break;
    case HitCreditLink:
      ShellExecuteW(mainWindow, L"open", creditAddress, NULL, NULL, SW_SHOWNORMAL);
      break;
    case HitSettingsButton: OpenSettingsWindow(); break;
  }
}

static void OnLeftUp(LPARAM lParam) {
  BoardUiState& ui = boardUi;
  int32_t x = MouseX(lParam), y = MouseY(lParam);
  ReleaseCapture();
  int32_t pressCode = ui.pressCode, pressTicket = ui.pressTicket;
  ui.pressCode = HitNothing;
  if (ui.dragging) {
    ui.dragging = false;
    int32_t t = ui.dragTicket;
    if (t >= 0 && t < ticketStore.ticketCount) {
      static const int32_t target[3] = {StateInWork, StateClarify, StateDone};
      for (int32_t k = 0; k < 3; k++) {
        if (!RectContains(boardLayout.columnRect[k], x, y)) continue;
        if (ticketStore.tickets[t].state != target[k]) SetTicketState(t, target[k]);
        break;
      }
    }
    RepaintBoard();
    return;
  }
  HitResult r = HitTest(x, y);
  if (r.code != pressCode || r.ticket != pressTicket || r.code == HitNothing) return;
  if (r.ticket >= ticketStore.ticketCount) return;
  RunClick(r.code, r.ticket);
}

static void CopyNumber(int32_t t) {
  const char16_t* number = ticketStore.tickets[t].number;
  SIZE_T size = (TextLength(number) + 1) * 2;
  bool copied = false;
  if (OpenClipboard(mainWindow)) {
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory) {
      void* p = GlobalLock(memory);
      if (p) {
        CopyMemory(p, number, size);
        GlobalUnlock(memory);
        copied = SetClipboardData(CF_UNICODETEXT, memory) != NULL;
      }
      if (!copied) GlobalFree(memory);
    }
    CloseClipboard();
  }
  char16_t text[statusUnits];
  FormatText(text, statusUnits, copied ? u"Номер %s скопирован" : u"Не удалось скопировать номер %s",
             number);
  ShowStatus(text);
}

static void OnRightUp(HWND window, LPARAM lParam) {
  HitResult r = HitTest(MouseX(lParam), MouseY(lParam));
  int32_t t = r.ticket;
  if (t < 0 || t >= ticketStore.ticketCount) return;
  HMENU menu = CreatePopupMenu();
  int32_t state = ticketStore.tickets[t].state;
  if (state == StateInWork) {
    AppendMenuW(menu, MF_STRING, 7, L"На уточнение");
    AppendMenuW(menu, MF_STRING, 1, L"Выполнено");
  } else if (state == StateClarify) {
    AppendMenuW(menu, MF_STRING, 2, L"Вернуть в работу");
    AppendMenuW(menu, MF_STRING, 1, L"Выполнено");
  } else {
    AppendMenuW(menu, MF_STRING, 2, L"Вернуть в работу");
    AppendMenuW(menu, MF_STRING, 7, L"На уточнение");
  }
  AppendMenuW(menu, MF_STRING, 6, L"Изменить…");
  AppendMenuW(menu, MF_STRING, 3, L"Копировать номер");
  AppendMenuW(menu, MF_STRING, 4, L"Взять номер и описание в поля ввода");
  AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
  AppendMenuW(menu, MF_STRING, 5, L"Удалить");
  POINT p;
  GetCursorPos(&p);
  int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, window, NULL);
  DestroyMenu(menu);
  if (t >= ticketStore.ticketCount) return;
  switch (command) {
    case 1: SetTicketState(t, StateDone); break;
    case 2: SetTicketState(t, StateInWork); break;
    case 3: CopyNumber(t); break;
    case 4:
      SetWindowTextW(numberInput, W(ticketStore.tickets[t].number));
      SetWindowTextW(descriptionInput, W(ticketStore.tickets[t].description));
      SetFocus(descriptionInput);
      break;
    case 5: DeleteTicket(t); break;
    case 6: OpenTicketEditor(t); break;
    case 7: SetTicketState(t, StateClarify); break;
  }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY:
      UnregisterBindHotKeys(window);
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      PlaceInputs(window);
      RepaintBoard();
      return 0;
    case WM_SETFOCUS:
      SetFocus(numberInput);
      return 0;
    case WM_PAINT: PaintBoard(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
      if (OnSetCursor(window, wParam, lParam)) return TRUE;
      break;
    case WM_GETMINMAXINFO: {
      int32_t w, h;
      MinimumWindowSize(&w, &h);
      MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = w;
      info->ptMinTrackSize.y = h;
      return 0;
    }
    case WM_COMMAND: OnCommand(wParam); return 0;
    case WM_TIMER: OnTimer(window, wParam); return 0;
    case WM_CTLCOLOREDIT: return AnswerFieldColors(wParam);
    case WM_MOUSEMOVE: OnMouseMove(window, lParam); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_LBUTTONDOWN: OnLeftDown(window, lParam, false); return 0;
    case WM_LBUTTONDBLCLK: OnLeftDown(window, lParam, true); return 0;
    case WM_LBUTTONUP: OnLeftUp(lParam); return 0;
    case WM_RBUTTONUP: OnRightUp(window, lParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(window, wParam, lParam); return 0;
    case WM_HOTKEY: TypeBindText(wParam); return 0;
    case WM_APP_ADD_TICKET: AddTicketFromInputs(); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
