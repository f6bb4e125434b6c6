// A ticket with only what the board's geometry looks at, added behind the store's others.
#pragma once
#include <stdint.h>

#include "app/text.h"
#include "store/ticket.h"

inline int32_t AddTicket(const char16_t* number, int32_t state, uint32_t order) {
  int32_t index = ticketStore.ticketCount++;
  Ticket& t = ticketStore.tickets[index];
  t = Ticket{};
  t.state = state;
  t.order = order;
  CopyText(t.number, numberUnits, number);
  return index;
}
