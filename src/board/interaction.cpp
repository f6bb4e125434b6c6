#include "board/interaction.h"

#include "app/geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/ticket.h"

static bool ValidTicket(int32_t t) { return t >= 0 && t < ticketStore.ticketCount; }

static MouseOutcome StateChange(int32_t ticket, int32_t state) {
  MouseOutcome o = {};
  o.action = ActSetState;
  o.ticket = ticket;
  o.state = state;
  return o;
}

static void StartDrag() {
  BoardUiState& ui = boardUi;
  ui.dragging = true;
  ui.dragTicket = ui.pressTicket;
  int32_t k = ColumnOf(ticketStore.tickets[ui.dragTicket].state);
  int32_t i = 0;
  while (i < boardLayout.columnCount[k] && boardLayout.columnTickets[k][i] != ui.dragTicket) i++;
  // Keep the grab point: the card follows the mouse where it was taken.
  ui.grabX = ui.pressX - boardLayout.listRect[k].left;
  ui.grabY = ui.pressY - CardTop(k, i);
  ForgetHover();
}

MouseOutcome MouseMove(int32_t x, int32_t y) {
  BoardUiState& ui = boardUi;
  MouseOutcome o = {};
  ui.mouseX = x;
  ui.mouseY = y;
  if (!ui.leaveTracking) {
    o.trackLeave = true;
    ui.leaveTracking = true;
  }
  if (ui.pressCode == HitCardBody && !ui.dragging && ValidTicket(ui.pressTicket)) {
    int32_t dx = x - ui.pressX, dy = y - ui.pressY, limit = s(6);
    if (dx * dx + dy * dy > limit * limit) {
      StartDrag();
      o.invalidate = true;
      return o;
    }
  }
  if (ui.dragging) {
    ForgetHover();
    o.invalidate = true;
    return o;
  }
  HitResult r = HitTest(x, y);
  if (r.code == ui.hoverCode && r.ticket == ui.hoverTicket) return o;
  ui.hoverCode = r.code;
  ui.hoverTicket = r.ticket;
  o.invalidate = true;
  return o;
}

MouseOutcome MouseLeave() {
  MouseOutcome o = {};
  boardUi.leaveTracking = false;
  if (boardUi.dragging) return o;
  ForgetHover();
  o.invalidate = true;
  return o;
}

MouseOutcome MousePress(int32_t x, int32_t y, bool doubleClick) {
  BoardUiState& ui = boardUi;
  MouseOutcome o = {};
  ui.pressX = x;
  ui.pressY = y;
  HitResult r = HitTest(x, y);
  ui.pressCode = r.code;
  ui.pressTicket = r.ticket;
  if (r.code == HitNothing) return o;
  o.capture = true;
  if (doubleClick && r.code == HitCardBody) {
    ui.pressCode = HitNothing;
    o.release = true;
    o.action = ActEdit;
    o.ticket = r.ticket;
  }
  return o;
}

static MouseOutcome Drop(int32_t x, int32_t y) {
  BoardUiState& ui = boardUi;
  ui.dragging = false;
  MouseOutcome o = {};
  o.release = true;
  o.invalidate = true;
  int32_t t = ui.dragTicket;
  if (!ValidTicket(t)) return o;
  // The whole column counts, its header included.
  static const int32_t target[3] = {StateInWork, StateClarify, StateDone};
  for (int32_t k = 0; k < 3; k++) {
    if (!RectContains(boardLayout.columnRect[k], x, y)) continue;
    if (ticketStore.tickets[t].state == target[k]) return o;
    MouseOutcome change = StateChange(t, target[k]);
    change.release = change.invalidate = true;
    return change;
  }
  return o;
}

MouseOutcome MouseRelease(int32_t x, int32_t y) {
  BoardUiState& ui = boardUi;
  int32_t pressCode = ui.pressCode, pressTicket = ui.pressTicket;
  ui.pressCode = HitNothing;
  if (ui.dragging) return Drop(x, y);
  MouseOutcome o = {};
  o.release = true;
  HitResult r = HitTest(x, y);
  // A click: press and release on the same thing.
  if (r.code != pressCode || r.ticket != pressTicket) return o;
  int32_t t = r.ticket;
  switch (r.code) {
    case HitTakeButton: o.action = ActTake; break;
    case HitBindsButton: o.action = ActBinds; break;
    case HitClearButton: o.action = ActClear; break;
    case HitCreditLink: o.action = ActCredit; break;
    case HitSettingsButton: o.action = ActSettings; break;
    case HitCardDelete:
      o.action = ActDelete;
      o.ticket = t;
      break;
    case HitCardDone:
      if (!ValidTicket(t)) break;
      o = StateChange(t, ticketStore.tickets[t].state == StateDone ? StateInWork : StateDone);
      o.release = true;
      break;
    case HitCardClarify:
      if (!ValidTicket(t)) break;
      if (ticketStore.tickets[t].state == StateInWork) o = StateChange(t, StateClarify);
      else if (ticketStore.tickets[t].state == StateClarify) o = StateChange(t, StateInWork);
      o.release = true;
      break;
  }
  return o;
}

MouseOutcome MouseRightRelease(int32_t x, int32_t y) {
  MouseOutcome o = {};
  // The menu would take the capture from a drag in progress.
  if (boardUi.dragging) return o;
  HitResult r = HitTest(x, y);
  if (!ValidTicket(r.ticket)) return o;
  o.action = ActMenu;
  o.ticket = r.ticket;
  return o;
}

MouseOutcome MouseCaptureLost() {
  // Without the capture the button's release may never come: a drag left running would follow
  // the mouse with the button up and drop the card at the next click.
  MouseOutcome o = {};
  boardUi.pressCode = HitNothing;
  if (boardUi.dragging) {
    boardUi.dragging = false;
    o.invalidate = true;
  }
  return o;
}

void TicketMenuItems(int32_t state, MenuItem items[menuItemCount]) {
  static const MenuItem toWork = {2, u"Вернуть в работу"};
  static const MenuItem toClarify = {7, u"На уточнение"};
  static const MenuItem toDone = {1, u"Выполнено"};
  if (state == StateInWork) {
    items[0] = toClarify;
    items[1] = toDone;
  } else if (state == StateClarify) {
    items[0] = toWork;
    items[1] = toDone;
  } else {
    items[0] = toWork;
    items[1] = toClarify;
  }
  items[2] = {6, u"Изменить…"};
  items[3] = {3, u"Копировать номер"};
  items[4] = {4, u"Взять номер и описание в поля ввода"};
  items[5] = {0, nullptr};
  items[6] = {5, u"Удалить"};
}

MouseOutcome MenuCommand(int32_t command, int32_t ticket) {
  MouseOutcome o = {};
  if (!ValidTicket(ticket)) return o;
  o.ticket = ticket;
  switch (command) {
    case 1: return StateChange(ticket, StateDone);
    case 2: return StateChange(ticket, StateInWork);
    case 7: return StateChange(ticket, StateClarify);
    case 3: o.action = ActCopyNumber; break;
    case 4: o.action = ActTakeTexts; break;
    case 5: o.action = ActDelete; break;
    case 6: o.action = ActEdit; break;
  }
  return o;
}
