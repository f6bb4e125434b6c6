// The main window: inputs, timers, status line, mouse on the board and the window procedure.
#include "board/main_window_win.h"
#include "draw/credit.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/clock.h"
#include "app/field_win.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "binds/binds_win.h"
#include "board/accessible_win.h"
#include "board/board_paint_win.h"
#include "board/changes.h"
#include "board/history_win.h"
#include "board/interaction.h"
#include "board/keyboard.h"
#include "board/layout.h"
#include "board/ops_win.h"
#include "board/ui_state.h"
#include "draw/draw_win.h"
#include "editor/editor_win.h"
#include "reminder/reminder_win.h"
#include "store/clean.h"
#include "store/datafile.h"
#include "store/ticket.h"

HWND numberInput, descriptionInput;
enum : int32_t { numberInputId = 101, descriptionInputId = 102 };
// The main window's timers. An id that is none of these does nothing.
enum MainTimer : UINT_PTR {
  TimerClockParts = 1,  // 100 ms: the live dots, the running times and the status line
  TimerSave = 2,        // 30 s: the tickets are saved
  TimerReminder = 3,    // 1 s: is the daily reminder due
};
static HWND keptInput;  // the input the keyboard comes back to

static void Layout(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  ComputeLayout(r.right - r.left, r.bottom - r.top);
}

static void PlaceInputs(HWND window) {
  Layout(window);
  MoveControl(numberInput, boardLayout.numberInputRect);
  MoveControl(descriptionInput, boardLayout.descriptionInputRect);
}

// Repaints what changed since the state before: a hover two cards, a notch one column; the whole
// board when that would take too many rectangles.
static void RepaintChanged(HWND window, const BoardUiState& before) {
  Rect rects[16];
  int32_t n = ChangedRects(before, rects, 16);
  if (n < 0) RepaintBoard();
  InvalidateRects(window, rects, n);
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
  numberInput = MakeInput(window, numberInputId, numberFieldLimit, L"Номер заявки");
  descriptionInput =
      MakeInput(window, descriptionInputId, descriptionFieldLimit, L"Что делаю (необязательно)");
  SubclassFieldPair(numberInput, descriptionInput, TabKeepsSelection);
  boardUi.hotKeysRegistered = RegisterBindHotKeys(window);
  SetTimer(window, TimerClockParts, 100, NULL);
  SetTimer(window, TimerSave, 30000, NULL);
  SetTimer(window, TimerReminder, 1000, NULL);
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
  if (!SaveTicketsReported()) {
    // No is the default: Enter pressed by habit must not throw the tickets away.
    char16_t question[300];
    FormatUnsavedQuestion(question, 300, lastSaveProblem);
    int answer = MessageBoxW(window, W(question), L"KALMEX",
                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    if (answer != IDYES) return;
  }
  // The binds window stays open when its text could not be saved and the user keeps it.
  if (bindsWindow) SendMessageW(bindsWindow, WM_CLOSE, 0, 0);
  if (bindsWindow) return;
  DestroyWindow(window);
}

static void OnTimer(HWND window, WPARAM id) {
  switch (id) {
    case TimerClockParts: InvalidateTimerParts(window); break;
    case TimerSave: SaveTicketsReported(); break;
    case TimerReminder: CheckReminder(); break;
  }
}

static void OnCommand(WPARAM wParam) {
  int id = LOWORD(wParam), code = HIWORD(wParam);
  if ((id != numberInputId && id != descriptionInputId) ||
      (code != EN_SETFOCUS && code != EN_KILLFOCUS))
    return;
  HWND focus = GetFocus();
  BoardUiState before = boardUi;
  if (code == EN_SETFOCUS) boardUi.boardKeyboard = false;
  boardUi.numberFocused = focus == numberInput;
  boardUi.descriptionFocused = focus == descriptionInput;
  RepaintChanged(mainWindow, before);
}

// Esc empties the input it was pressed in and nothing else.
static void OnCancelInput(HWND window, HWND input) {
  if (input && IsChild(window, input)) SetWindowTextW(input, L"");
}

static bool OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p;
  if (!ClientCursorAsked(window, wParam, lParam, &p)) return false;
  SetCursor(HitShowsHand(HitTest(p.x, p.y).code) ? handCursor : arrowCursor);
  return true;
}

// Mouse on the board.

// What the window does for every outcome of the mouse rules: leave tracking, capture, repaint of
// what the rules changed since before.
static void FollowOutcome(HWND window, const BoardUiState& before, const MouseOutcome& o) {
  if (o.trackLeave) {
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, window, 0};
    TrackMouseEvent(&tme);
  }
  if (o.capture) SetCapture(window);
  if (o.release) ReleaseCapture();
  // An action that changes the tickets repaints their columns itself.
  if (o.invalidate) RepaintChanged(window, before);
}

// Cards can move under a mouse that stands still (a card sent to another column, a deletion, a
// scroll), and no mouse move follows: the hover is taken again from what is under the cursor now.
// A move or a leave never asks for an action, so nothing runs from here.
static void RefreshHover(HWND window) {
  Layout(window);
  POINT p;
  GetCursorPos(&p);
  bool over = WindowFromPoint(p) == window;
  ScreenToClient(window, &p);
  BoardUiState before = boardUi;
  MouseOutcome o = over ? MouseMove(p.x, p.y) : MouseLeave();
  FollowOutcome(window, before, o);
}

static void OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
  POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ScreenToClient(window, &p);
  Layout(window);
  BoardUiState before = boardUi;
  WheelScroll(p.x, p.y, static_cast<short>(HIWORD(wParam)));
  // The cards moved under a pointer that stands still where the wheel message says. While the
  // pointer is over the board (its leave is tracked), the hover follows them in the same repaint.
  if (boardUi.leaveTracking) MouseMove(p.x, p.y);
  RepaintChanged(window, before);
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

static void TakeTexts(int32_t t) {
  SetWindowTextW(numberInput, W(ticketStore.tickets[t].number));
  SetWindowTextW(descriptionInput, W(ticketStore.tickets[t].description));
  SetFocus(descriptionInput);
}

// The menu opens at the mouse, or at the point given (screen coordinates).
static int32_t ShowTicketMenu(HWND window, int32_t t, const POINT* at) {
  MenuItem items[menuItemCount];
  TicketMenuItems(ticketStore.tickets[t].state, items);
  HMENU menu = CreatePopupMenu();
  for (const MenuItem& item : items) {
    if (item.id == MenuNothing) AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    else AppendMenuW(menu, MF_STRING, item.id, W(item.text));
  }
  POINT p;
  if (at) p = *at;
  else GetCursorPos(&p);
  int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, window, NULL);
  DestroyMenu(menu);
  return command;
}

static bool ValidTicket(int32_t t) { return t >= 0 && t < ticketStore.ticketCount; }

// Runs the action the mouse rules chose. The command picked from the menu is an outcome of its
// own, followed and run here in its place.
static void RunAction(HWND window, MouseOutcome o, const POINT* menuAt = nullptr) {
  if (o.action == ActMenu) {
    if (!ValidTicket(o.ticket)) return;
    // The store can change while the menu is open: MenuCommand and the switch check the index.
    int32_t command = ShowTicketMenu(window, o.ticket, menuAt);
    BoardUiState before = boardUi;
    o = MenuCommand(command, o.ticket);
    FollowOutcome(window, before, o);
  }
  int32_t t = o.ticket;
  bool valid = ValidTicket(t);
  switch (o.action) {
    case ActTake: AddTicketFromInputs(); break;
    case ActBinds: OpenBindsWindow(); break;
    case ActClear: ClearDoneTickets(); break;
    case ActCredit: ShellExecuteW(window, L"open", W(creditAddress), NULL, NULL, SW_SHOWNORMAL); break;
    case ActSettings: OpenSettingsWindow(); break;
    case ActDelete: if (valid) DeleteTicket(t); break;
    case ActSetState: if (valid) SetTicketState(t, o.state); break;
    case ActEdit: if (valid) OpenTicketEditor(t); break;
    case ActCopyNumber: if (valid) CopyNumber(t); break;
    case ActTakeTexts: if (valid) TakeTexts(t); break;
  }
}

// Carries out one mouse message's or board key's outcome, before being the state the rules
// started from: what the window does, the action, and then, once, the keyboard cursor and the
// hover taken again, as the action may have moved the cards.
static void ApplyMouseOutcome(HWND window, const BoardUiState& before, MouseOutcome o,
                              const POINT* menuAt = nullptr) {
  FollowOutcome(window, before, o);
  if (o.action == ActNone) return;
  RunAction(window, o, menuAt);
  if (boardUi.boardKeyboard) {
    BoardUiState moved = boardUi;
    CursorFollow(true);
    RepaintChanged(window, moved);
  }
  RefreshHover(window);
  if (boardUi.boardKeyboard) TellReaderFocus(window, false);
}

// The keyboard between the panes, in order: the number input, the description input, the board.
static void MovePane(HWND window, HWND from, bool backwards) {
  int32_t pane = from == numberInput ? 0 : from == descriptionInput ? 1 : 2;
  pane = (pane + (backwards ? 2 : 1)) % 3;
  boardUi.boardKeyboard = pane == 2;
  if (pane == 2) {
    Layout(window);
    CursorEnterBoard();
  }
  SetFocus(pane == 0 ? numberInput : pane == 1 ? descriptionInput : window);
  RepaintBoard();
  TellReaderFocus(window, false);
}

// The keys of the board while it holds the keyboard; false for a key left to Windows.
static bool OnBoardKey(HWND window, WPARAM vk, bool systemKey) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  if (vk == VK_F6) {
    MovePane(window, window, shift);
    return true;
  }
  if (vk == VK_ESCAPE) {  // the number input, the pane after the board
    MovePane(window, window, false);
    return true;
  }
  static const struct {
    WPARAM vk;
    bool ctrl, shift, systemKey;
    int32_t key;
  } keys[] = {
      {VK_UP, false, false, false, KeyUp},       {VK_DOWN, false, false, false, KeyDown},
      {VK_LEFT, false, false, false, KeyLeft},   {VK_RIGHT, false, false, false, KeyRight},
      {VK_HOME, false, false, false, KeyHome},   {VK_END, false, false, false, KeyEnd},
      {VK_PRIOR, false, false, false, KeyPageUp}, {VK_NEXT, false, false, false, KeyPageDown},
      {VK_RETURN, false, false, false, KeyEnter}, {VK_DELETE, false, false, false, KeyDelete},
      {'C', true, false, false, KeyCopy},        {VK_APPS, false, false, false, KeyMenu},
      {VK_F10, false, true, true, KeyMenu},      {VK_SPACE, false, false, false, KeySpace},
  };
  for (const auto& k : keys) {
    if (k.vk != vk || k.ctrl != ctrl || (k.shift && !shift) || k.systemKey != systemKey) continue;
    Layout(window);
    BoardUiState before = boardUi;
    MouseOutcome o = BoardKeyPress(k.key);
    Rect box = CursorBox();  // the card's menu opens on the card
    POINT at = {box.left + s(20), box.top + s(20)};
    ClientToScreen(window, &at);
    ApplyMouseOutcome(window, before, o, &at);
    TellReaderFocus(window, false);
    return true;
  }
  return false;
}

static int32_t MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
static int32_t MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

// One mouse message through the rules, from the state it found.
template <class Rule>
static void OnMouse(HWND window, Rule rule) {
  BoardUiState before = boardUi;
  MouseOutcome o = rule();
  ApplyMouseOutcome(window, before, o);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY:
      UnregisterBindHotKeys(window);
      ReleaseBoardBuffers();
      ForgetReaders();
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      PlaceInputs(window);
      RepaintBoard();
      return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      // The board keeps the keyboard it was given until F6, Esc or a click in an input.
      if (boardUi.boardKeyboard) {
        if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) SetFocus(window);
        RepaintBoard();
        if (message == WM_SETFOCUS) TellReaderFocus(window, true);
        return 0;
      }
      KeepFieldFocus(window, message, wParam, &keptInput, numberInput);
      return 0;
    case WM_KILLFOCUS: RepaintBoard(); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (boardUi.boardKeyboard && GetFocus() == window &&
          OnBoardKey(window, wParam, message == WM_SYSKEYDOWN))
        return 0;
      break;
    case WM_APP_PANE: MovePane(window, reinterpret_cast<HWND>(wParam), lParam != 0); return 0;
    case WM_PAINT: PaintBoard(window); return 0;
    case WM_GETOBJECT: return AnswerGetObject(window, wParam, lParam);
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
    case WM_COMMAND:
      KeepFieldFocus(window, message, wParam, &keptInput, numberInput);
      OnCommand(wParam);
      return 0;
    case WM_TIMER: OnTimer(window, wParam); return 0;
    case WM_CTLCOLOREDIT: return AnswerFieldColors(wParam);
    case WM_MOUSEMOVE:
      OnMouse(window, [=] { return MouseMove(MouseX(lParam), MouseY(lParam)); });
      return 0;
    case WM_MOUSELEAVE: OnMouse(window, [] { return MouseLeave(); }); return 0;
    case WM_LBUTTONDOWN:
      OnMouse(window, [=] { return MousePress(MouseX(lParam), MouseY(lParam), false); });
      return 0;
    case WM_LBUTTONDBLCLK:
      OnMouse(window, [=] { return MousePress(MouseX(lParam), MouseY(lParam), true); });
      return 0;
    case WM_LBUTTONUP:
      OnMouse(window, [=] { return MouseRelease(MouseX(lParam), MouseY(lParam)); });
      return 0;
    case WM_RBUTTONUP:
      OnMouse(window, [=] { return MouseRightRelease(MouseX(lParam), MouseY(lParam)); });
      return 0;
    case WM_CAPTURECHANGED:
      // Our own ReleaseCapture comes here too, after the rules have already ended the press.
      if (reinterpret_cast<HWND>(lParam) != window) OnMouse(window, [] { return MouseCaptureLost(); });
      return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(window, wParam, lParam); return 0;
    case WM_HOTKEY: TypeBindText(wParam); return 0;
    case WM_APP_SUBMIT: AddTicketFromInputs(); return 0;
    case WM_APP_SAVE: SavePaintedChange(); return 0;
    case WM_APP_CANCEL: OnCancelInput(window, reinterpret_cast<HWND>(wParam)); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
