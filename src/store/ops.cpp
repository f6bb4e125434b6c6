#include "store/ops.h"

#include "app/text.h"
#include "store/clean.h"
#include "store/ticket.h"

AddResult AddTicketCore(char16_t* number, char16_t* description, uint32_t now, char16_t* status,
                        int32_t statusCap) {
  CleanTicketText(number, numberUnits - 1);
  CleanTicketText(description, descriptionUnits - 1);
  TicketStore& st = ticketStore;
  if (number[0] == 0) {
    CopyText(status, statusCap, u"Впиши номер заявки");
    return {AddEmptyNumber, -1};
  }
  int32_t found = FindTicketByNumber(number);
  if (found < 0) {
    if (st.ticketCount >= maxTickets) {
      CopyText(status, statusCap, u"Слишком много заявок — очисти выполненные");
      return {AddStoreFull, -1};
    }
    uint32_t order = NextOrder();  // before the new record counts: it has no order yet
    int32_t index = st.ticketCount++;
    Ticket& t = st.tickets[index];
    t = Ticket{};
    CopyText(t.number, numberUnits, number);
    CopyText(t.description, descriptionUnits, description);
    t.stateSince = t.createdAt = now;
    t.order = order;
    t.state = StateInWork;
    FormatText(status, statusCap, u"Заявка %s взята в работу", t.number);
    return {AddCreated, index};
  }
  Ticket& t = st.tickets[found];
  if (t.state == StateInWork) {
    FormatText(status, statusCap, u"Заявка %s уже в работе", t.number);
    return {AddAlreadyInWork, found};
  }
  // An empty description keeps the one the ticket had.
  if (description[0] != 0) CopyText(t.description, descriptionUnits, description);
  ChangeTicketState(found, StateInWork, now, status, statusCap);
  return {AddTakenBack, found};
}

bool ChangeTicketState(int32_t index, int32_t newState, uint32_t now, char16_t* status,
                       int32_t statusCap) {
  TicketStore& st = ticketStore;
  if (index < 0 || index >= st.ticketCount) return false;
  Ticket& t = st.tickets[index];
  if (t.state == newState) return false;
  if (t.state == StateInWork) t.workedSeconds = WorkedNow(t, now);
  t.state = newState;
  t.order = NextOrder();
  if (newState == StateDone) {
    t.doneAt = now;
    char16_t duration[24];
    FormatDuration(t.workedSeconds, duration, 24);
    FormatText(status, statusCap, u"Заявка %s выполнена за %s", t.number, duration);
  } else {
    t.stateSince = now;
    if (newState == StateClarify)
      FormatText(status, statusCap, u"Заявка %s на уточнении — таймер на паузе", t.number);
    else
      FormatText(status, statusCap, u"Заявка %s в работе — таймер продолжен", t.number);
  }
  return true;
}

void FormatDeleteQuestion(int32_t index, char16_t* out, int32_t cap) {
  const char16_t* number = index >= 0 && index < ticketStore.ticketCount
                               ? ticketStore.tickets[index].number
                               : u"";
  FormatText(out, cap, u"Удалить заявку %s из списка?", number);
}
