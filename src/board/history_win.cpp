// Clearing the done column into the append-only history file.
#include "board/history_win.h"

#include "app/clock.h"
#include "app/fileproblem.h"
#include "app/status.h"
#include "app/text.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/textfile.h"
#include "board/ui_state.h"
#include "editor/editor_win.h"
#include "store/datafile.h"
#include "store/history.h"
#include "store/ticket.h"

// Appends the history lines of the done tickets, in as many appends as the buffer needs.
// Returns the store index below which every done ticket reached the file; failed tells whether
// some did not.
static int32_t AppendHistory(bool* failed) {
  *failed = false;
  SaveBufferTaken room;
  int32_t written = 0;
  while (written < ticketStore.ticketCount) {
    int32_t after = BuildHistoryChunk(written, UnixToLocalTime);
    if (after <= written) break;
    if (saveBuffer[0] && !WriteTextFile(appPaths.historyPath, saveBuffer, true)) {
      *failed = true;
      break;
    }
    written = after;
  }
  return written;
}

void ClearDoneTickets() {
  int32_t done = CountDoneTickets();
  if (done == 0) return;
  char16_t question[200];
  FormatClearQuestion(done, question, 200);
  if (MessageBoxW(mainWindow, W(question), L"KALMEX", MB_YESNO | MB_ICONQUESTION) != IDYES) return;

  bool failed = false;
  int32_t written = AppendHistory(&failed);
  ClearOutcome outcome = ClearOutcomeOf(written, failed);
  char16_t status[statusUnits];
  FormatText(status, statusUnits, failed ? u"%s: %s" : u"%s", outcome.status, LastFileCause());
  if (!outcome.removes) {
    ShowStatus(status);
    RepaintBoard();
    return;
  }
  CloseTicketEditor();  // its store index is about to go stale
  RemoveDoneTickets(written);
  if (boardUi.hoverTicket >= 0) ForgetHover();
  ScrollColumnToTop(ColumnOf(StateDone));
  if (!SaveTicketsReported()) return;  // the failure is what the status line must say
  ShowStatus(status);
  RepaintBoard();
}
