// Any bytes as a data file: decoded as ReadTextFile decodes them, parsed, saved again, parsed again.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "app/textcodec.h"
#include "store/datafile.h"
#include "store/ticket.h"

static char16_t text[70002];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 70000) return 0;
  int32_t n = DecodeTextBytes(data, static_cast<int32_t>(size), text, 70002);
  ResetTicketStore();
  ParseTicketText(text, n, 1700000000u);
  if (ticketStore.ticketCount > maxTickets) __builtin_trap();
  FormatTicketText(1700000000u);
  static TicketStore first;
  memcpy(&first, &ticketStore, sizeof first);
  ResetTicketStore();
  int32_t length = 0;
  while (saveBuffer[length]) length++;
  ParseTicketText(saveBuffer, length, 1700000000u);
  // What was saved loads back to the same tickets.
  if (ticketStore.ticketCount != first.ticketCount) __builtin_trap();
  for (int32_t i = 0; i < first.ticketCount; i++)
    if (memcmp(&ticketStore.tickets[i], &first.tickets[i], sizeof(Ticket)) != 0) __builtin_trap();
  return 0;
}
