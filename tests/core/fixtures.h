// What the core tests set up the same way: a ticket with what the board looks at, the DPI.
#pragma once
#include <stdint.h>

#include "app/geometry.h"
#include "app/text.h"
#include "store/ticket.h"

// A ticket added behind the store's others.
inline int32_t AddTicket(const char16_t* number, int32_t state, uint32_t order,
                         uint32_t worked = 0) {
  int32_t index = ticketStore.ticketCount++;
  Ticket& t = ticketStore.tickets[index];
  t = Ticket{};
  t.state = state;
  t.order = order;
  t.workedSeconds = worked;
  CopyText(t.number, numberUnits, number);
  return index;
}

// The DPI for one scope; the one before comes back at its end.
struct DpiScope {
  int32_t kept;
  explicit DpiScope(int32_t value) : kept(dpi) { dpi = value; }
  ~DpiScope() { dpi = kept; }
};
