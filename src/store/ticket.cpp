#include "store/ticket.h"

#include <string.h>

#include "app/text.h"

TicketStore ticketStore;

void ResetTicketStore() { memset(&ticketStore, 0, sizeof ticketStore); }

int32_t ColumnOf(int32_t state) {
  if (state == StateInWork) return 0;
  if (state == StateClarify) return 1;
  return 2;
}

void SortIntoColumns(int32_t columnCount[3], int32_t columnTickets[3][maxTickets]) {
  columnCount[0] = columnCount[1] = columnCount[2] = 0;
  const TicketStore& st = ticketStore;
  int32_t count = st.ticketCount < maxTickets ? st.ticketCount : maxTickets;
  for (int32_t i = 0; i < count; i++) {
    int32_t c = ColumnOf(st.tickets[i].state);
    int32_t n = columnCount[c]++;
    int32_t* list = columnTickets[c];
    // Insertion: newer order first, equal orders keep store order.
    while (n > 0 && st.tickets[list[n - 1]].order < st.tickets[i].order) {
      list[n] = list[n - 1];
      n--;
    }
    list[n] = i;
  }
}

uint32_t WorkedNow(const Ticket& ticket, uint32_t now) {
  if (ticket.state != StateInWork) return ticket.workedSeconds;
  uint32_t stretch = now > ticket.stateSince ? now - ticket.stateSince : 0;
  return ticket.workedSeconds + stretch;
}

void FormatDuration(uint32_t seconds, char16_t* out, int32_t cap) {
  if (seconds < 3600)
    FormatText(out, cap, u"%02lu:%02lu", seconds / 60, seconds % 60);
  else
    FormatText(out, cap, u"%lu:%02lu:%02lu", seconds / 3600, (seconds / 60) % 60, seconds % 60);
}

void RemoveTicketAt(int32_t index) {
  TicketStore& st = ticketStore;
  if (index < 0 || index >= st.ticketCount) return;
  for (int32_t i = index; i + 1 < st.ticketCount; i++) st.tickets[i] = st.tickets[i + 1];
  st.ticketCount--;
}

void SetTicketTexts(int32_t index, const char16_t* number, const char16_t* description) {
  if (index < 0 || index >= ticketStore.ticketCount) return;
  Ticket& t = ticketStore.tickets[index];
  CopyText(t.number, numberUnits, number);
  CopyText(t.description, descriptionUnits, description);
}

uint32_t NextOrder() {
  TicketStore& st = ticketStore;
  if (st.orderCounter == 0xFFFFFFFFu) {
    // The distinct orders, ascending; a ticket's new order is its place among them, from 1.
    static uint32_t distinct[maxTickets];
    int32_t count = 0;
    for (int32_t i = 0; i < st.ticketCount; i++) {
      uint32_t order = st.tickets[i].order;
      int32_t at = count;
      while (at > 0 && distinct[at - 1] > order) at--;
      if (at > 0 && distinct[at - 1] == order) continue;
      for (int32_t k = count; k > at; k--) distinct[k] = distinct[k - 1];
      distinct[at] = order;
      count++;
    }
    for (int32_t i = 0; i < st.ticketCount; i++) {
      int32_t rank = 0;
      while (distinct[rank] != st.tickets[i].order) rank++;
      st.tickets[i].order = static_cast<uint32_t>(rank + 1);
    }
    st.orderCounter = static_cast<uint32_t>(count);
  }
  return ++st.orderCounter;
}
