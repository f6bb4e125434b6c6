// The ticket operations as the main window runs them: inputs, confirmation, save and repaint.
#include "board/ops_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "board/main_window_win.h"
#include "board/ui_state.h"
#include "editor/editor_win.h"
#include "store/datafile.h"
#include "store/ops.h"
#include "store/clean.h"
#include "store/ticket.h"

static bool savePosted;

// The user waits for the board, not for the disk: the change is painted at once, and saved as the
// very next thing the window does, before it takes any other input (a posted message comes before
// input). The close and the 30 s timer save as ever.
static void SaveAfterPaint() {
  RepaintBoard();
  if (!mainWindow) {
    SaveTicketsReported();
    return;
  }
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
  ShowStatus(status);
  if (r.outcome == AddEmptyNumber || r.outcome == AddStoreFull) {
    if (r.outcome == AddEmptyNumber && numberInput) SetFocus(numberInput);
    RepaintBoard();
    return;
  }
  ScrollColumnToTop(ColumnOf(StateInWork));
  if (numberInput) SetWindowTextW(numberInput, L"");
  if (descriptionInput) SetWindowTextW(descriptionInput, L"");
  if (numberInput) SetFocus(numberInput);
  SaveAfterPaint();
}

void SetTicketState(int32_t index, int32_t newState) {
  char16_t status[statusUnits];
  if (!ChangeTicketState(index, newState, UnixNow(), status, statusUnits)) return;
  ScrollColumnToTop(ColumnOf(newState));
  ShowStatus(status);
  SaveAfterPaint();
}

void DeleteTicket(int32_t index) {
  if (index < 0 || index >= ticketStore.ticketCount) return;
  char16_t question[96];
  FormatDeleteQuestion(index, question, 96);
  if (MessageBoxW(mainWindow, W(question), L"KALMEX", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // Removing a record shifts the index the editor holds.
  if (editorWindow) CloseTicketEditor();
  // The store may have changed while the question was open (timers run meanwhile, nothing else
  // edits it, but the index is checked again all the same).
  if (index >= ticketStore.ticketCount) return;
  RemoveTicketAt(index);
  ForgetHover();
  SaveAfterPaint();
}
