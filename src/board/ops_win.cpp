// The ticket operations as the main window runs them: inputs, confirmation, save and repaint.
#include "board/ops_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "board/changes.h"
#include "board/main_window_win.h"
#include "board/ui_state.h"
#include "draw/draw_win.h"
#include "editor/editor_win.h"
#include "store/datafile.h"
#include "store/ops.h"
#include "store/clean.h"
#include "store/ticket.h"

static bool savePosted;

static bool ValidIndex(int32_t index) { return index >= 0 && index < ticketStore.ticketCount; }

// The user waits for the board, not for the disk: the change is painted at once, and saved as the
// very next thing the window does, before it takes any other input (a posted message comes before
// input). The close and the 30 s timer save as ever. Only the columns whose cards changed (bit k
// for column k) and the status box are painted again; the status text is set before.
static void SaveAfterPaint(uint32_t columns) {
  if (!mainWindow) {
    SaveTicketsReported();
    return;
  }
  Rect rects[4];
  InvalidateRects(mainWindow, rects, TicketChangeRects(columns, rects, 4));
  RedrawWindow(mainWindow, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  if (!savePosted) savePosted = PostMessageW(mainWindow, WM_APP_SAVE, 0, 0) != 0;
  if (!savePosted) SaveTicketsReported();
}

void SavePaintedChange() {
  savePosted = false;
  SaveTicketsReported();
}

void AddTicketFromInputs() {
  char16_t number[numberFieldRead] = {};
  char16_t description[descriptionFieldRead] = {};
  if (numberInput) GetWindowTextW(numberInput, W(number), numberFieldRead);
  if (descriptionInput) GetWindowTextW(descriptionInput, W(description), descriptionFieldRead);
  char16_t status[statusUnits];
  AddResult r = AddTicketCore(number, description, UnixNow(), status, statusUnits);
  if (r.outcome == AddEmptyNumber || r.outcome == AddStoreFull) {
    ShowStatus(status);
    if (r.outcome == AddEmptyNumber && numberInput) SetFocus(numberInput);
    return;
  }
  SetStatusText(status, TickNow());
  ScrollColumnToTop(ColumnOf(StateInWork));
  if (numberInput) SetWindowTextW(numberInput, L"");
  if (descriptionInput) SetWindowTextW(descriptionInput, L"");
  if (numberInput) SetFocus(numberInput);
  // A ticket taken back comes from another column.
  SaveAfterPaint(r.outcome == AddTakenBack ? allColumns : ColumnBit(StateInWork));
}

void SetTicketState(int32_t index, int32_t newState) {
  char16_t status[statusUnits];
  uint32_t columns = ValidIndex(index) ? ColumnBit(ticketStore.tickets[index].state) : 0;
  if (!ChangeTicketState(index, newState, UnixNow(), status, statusUnits)) return;
  ScrollColumnToTop(ColumnOf(newState));
  SetStatusText(status, TickNow());
  SaveAfterPaint(columns | ColumnBit(newState));
}

void DeleteTicket(int32_t index) {
  if (!ValidIndex(index)) return;
  char16_t question[96];
  FormatDeleteQuestion(index, question, 96);
  if (MessageBoxW(mainWindow, W(question), L"KALMEX", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // Removing a record shifts the index the editor holds.
  if (editorWindow) CloseTicketEditor();
  // The store may have changed while the question was open (timers run meanwhile, nothing else
  // edits it, but the index is checked again all the same).
  if (!ValidIndex(index)) return;
  // The hovered card loses its hover look, wherever it is.
  uint32_t columns = ColumnBit(ticketStore.tickets[index].state);
  int32_t hovered = boardUi.hoverTicket;
  if (ValidIndex(hovered)) columns |= ColumnBit(ticketStore.tickets[hovered].state);
  RemoveTicketAt(index);
  ForgetHover();
  SaveAfterPaint(columns);
}
