#include "board/keyboard.h"

#include "app/text.h"
#include "board/board_geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/ticket.h"

namespace {

int32_t Step() { return boardLayout.cardHeight + boardLayout.cardGap; }

// Cards of the column that fit into its list at once, at least one.
int32_t PageRows(int32_t k) {
  const Rect& list = boardLayout.listRect[k];
  int32_t rows = (list.bottom - list.top + boardLayout.cardGap) / Step();
  return rows < 1 ? 1 : rows;
}

int32_t RowOf(int32_t k, int32_t ticket) {
  for (int32_t i = 0; i < boardLayout.columnCount[k]; i++)
    if (boardLayout.columnTickets[k][i] == ticket) return i;
  return -1;
}

// Scrolls the column so that the row's card is wholly in view.
void ScrollIntoView(int32_t k, int32_t row) {
  if (row < 0) return;
  int32_t top = row * Step(), height = boardLayout.listRect[k].bottom - boardLayout.listRect[k].top;
  int32_t& scroll = boardUi.columnScroll[k];
  int32_t bottom = top + boardLayout.cardHeight;
  if (top < scroll) scroll = top;
  else if (bottom > scroll + height) scroll = bottom - height;
}

// The cursor on row of column k: the card there, or the empty state when the column has none.
void PlaceCursor(int32_t k, int32_t row, bool scroll = true) {
  BoardUiState& ui = boardUi;
  int32_t count = boardLayout.columnCount[k];
  if (row >= count) row = count - 1;
  if (row < 0) row = 0;
  ui.cursorColumn = k;
  ui.cursorRow = row;
  ui.cursorTicket = count > 0 ? boardLayout.columnTickets[k][row] : -1;
  if (ui.cursorTicket < 0) return;
  const Ticket& t = ticketStore.tickets[ui.cursorTicket];
  ui.cursorCreated = t.createdAt;
  ui.cursorOrder = t.order;
  ui.cursorState = t.state;
  CopyText(ui.cursorNumber, numberUnits, t.number);
  if (scroll) ScrollIntoView(k, row);
}

// Whether the ticket is the cursor's card: by its number, or, renamed, by everything else a
// rename keeps.
bool IsCursorCard(int32_t index, bool byNumber) {
  if (index < 0 || index >= ticketStore.ticketCount) return false;
  const Ticket& t = ticketStore.tickets[index];
  if (t.createdAt != boardUi.cursorCreated) return false;
  if (byNumber) return TextEquals(t.number, boardUi.cursorNumber);
  return t.order == boardUi.cursorOrder && t.state == boardUi.cursorState;
}

// The card of column k whose middle is nearest to height y; the empty state when there is none.
int32_t NearestRow(int32_t k, int32_t y) {
  int32_t best = 0, bestDistance = -1;
  for (int32_t i = 0; i < boardLayout.columnCount[k]; i++) {
    int32_t d = CardTop(k, i) + boardLayout.cardHeight / 2 - y;
    if (d < 0) d = -d;
    if (bestDistance < 0 || d < bestDistance) best = i, bestDistance = d;
  }
  return best;
}

MouseOutcome CardAction(int32_t action) {
  MouseOutcome o = {};
  if (boardUi.cursorTicket < 0) return o;
  o.invalidate = true;
  o.action = action;
  o.ticket = boardUi.cursorTicket;
  return o;
}

// The row of buttons above the board, left to right.
const int32_t toolButtons[3] = {HitSettingsButton, HitBindsButton, HitTakeButton};

// Finds the cursor's card in the column lists as they are (CursorFollow tells how).
void Refind(bool scroll);

MouseOutcome ButtonKey(int32_t key) {
  BoardUiState& ui = boardUi;
  MouseOutcome o = {};
  o.invalidate = true;
  bool clear = ui.cursorButton == HitClearButton;
  int32_t i = 0;
  while (i < 2 && toolButtons[i] != ui.cursorButton) i++;
  switch (key) {
    case KeyLeft:
      if (!clear && i > 0) ui.cursorButton = toolButtons[i - 1];
      break;
    case KeyRight:
      if (!clear && i < 2) ui.cursorButton = toolButtons[i + 1];
      break;
    case KeyUp:
      if (clear) ui.cursorButton = HitTakeButton;
      break;
    case KeyDown:
      ui.cursorButton = !clear && ui.cursorColumn == 2 && HasClearButton() ? HitClearButton : 0;
      if (!ui.cursorButton) Refind(true);
      break;
    case KeyEnter:
    case KeySpace: {
      static const int32_t actions[][2] = {{HitTakeButton, ActTake},
                                           {HitSettingsButton, ActSettings},
                                           {HitBindsButton, ActBinds},
                                           {HitClearButton, ActClear}};
      for (const auto& a : actions)
        if (a[0] == ui.cursorButton) o.action = a[1];
      break;
    }
  }
  return o;
}

}  // namespace

void CursorFollow(bool scroll) {
  SortIntoColumns();  // a command has just changed the store under the lists
  Refind(scroll);
}

void CursorAfterLayout() {
  const BoardUiState& ui = boardUi;
  int32_t k = ui.cursorColumn, row = ui.cursorRow, count = boardLayout.columnCount[k];
  bool holds = ui.cursorTicket < 0 ? count == 0
                                   : row < count &&
                                         boardLayout.columnTickets[k][row] == ui.cursorTicket &&
                                         IsCursorCard(ui.cursorTicket, true);
  bool clearGone = ui.cursorButton == HitClearButton && !HasClearButton();
  if (!holds || clearGone) Refind(false);
}

namespace {
void Refind(bool scroll) {
  BoardUiState& ui = boardUi;
  if (ui.cursorButton == HitClearButton && !HasClearButton()) ui.cursorButton = 0;
  int32_t found = -1;
  if (ui.cursorTicket >= 0) {
    // The card where it was, then anywhere (an earlier card removed shifts it), then renamed.
    if (IsCursorCard(ui.cursorTicket, true)) found = ui.cursorTicket;
    for (int32_t i = 0; found < 0 && i < ticketStore.ticketCount; i++)
      if (IsCursorCard(i, true)) found = i;
    if (found < 0 && IsCursorCard(ui.cursorTicket, false)) found = ui.cursorTicket;
  }
  if (found < 0) {
    PlaceCursor(ui.cursorColumn, ui.cursorRow, scroll);
    return;
  }
  int32_t k = ColumnOf(ticketStore.tickets[found].state);
  PlaceCursor(k, RowOf(k, found), scroll);
}
}  // namespace

void CursorEnterBoard() {
  boardUi.boardKeyboard = true;
  if (boardUi.cursorTicket < 0) boardUi.cursorRow = 0;
  Refind(true);
}

MouseOutcome BoardKeyPress(int32_t key) {
  BoardUiState& ui = boardUi;
  Refind(true);
  if (ui.cursorButton) return ButtonKey(key);
  int32_t k = ui.cursorColumn, row = ui.cursorRow, last = boardLayout.columnCount[k] - 1;
  MouseOutcome o = {};
  o.invalidate = true;
  switch (key) {
    case KeyUp:
      if (row > 0 && ui.cursorTicket >= 0) PlaceCursor(k, row - 1);
      else ui.cursorButton = k == 2 && HasClearButton() ? HitClearButton : HitTakeButton;
      break;
    case KeyDown: PlaceCursor(k, row < last ? row + 1 : last); break;
    case KeyHome: PlaceCursor(k, 0); break;
    case KeyEnd: PlaceCursor(k, last); break;
    case KeyPageUp: PlaceCursor(k, row - PageRows(k)); break;
    case KeyPageDown: PlaceCursor(k, row + PageRows(k) > last ? last : row + PageRows(k)); break;
    case KeyLeft:
    case KeyRight: {
      int32_t next = k + (key == KeyLeft ? -1 : 1);
      if (next < 0 || next > 2) break;
      int32_t y = ui.cursorTicket >= 0 ? CardTop(k, row) + boardLayout.cardHeight / 2
                                       : boardLayout.listRect[k].top;
      PlaceCursor(next, NearestRow(next, y));
      break;
    }
    case KeyEnter: return CardAction(ActEdit);
    case KeyDelete: return CardAction(ActDelete);
    case KeyCopy: return CardAction(ActCopyNumber);
    case KeyMenu: return CardAction(ActMenu);
  }
  return o;
}

Rect CursorBox() {
  if (boardUi.cursorButton) return ButtonRect(boardUi.cursorButton);
  int32_t k = boardUi.cursorColumn;
  if (boardUi.cursorTicket < 0)
    return ComputeColumnParts(boardLayout.columnRect[k], boardLayout.listRect[k]).emptyText;
  return CardBox(k, boardUi.cursorRow);
}
