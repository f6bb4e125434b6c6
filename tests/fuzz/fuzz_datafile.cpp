// Any bytes as a data file: decoded as ReadTextFile decodes them, parsed, saved again, parsed again.
// Whatever a save would not write back byte for byte (the header's save time aside) must be kept
// as a copy first.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "app/textcodec.h"
#include "store/datafile.h"
#include "store/ticket.h"

static char16_t text[70002];
static uint8_t saved[3 * saveBufferUnits];

static bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// The file's bytes equal the saved bytes but for the digits behind the header's "|".
static bool SameBesideSaveTime(const uint8_t* file, size_t size, const uint8_t* ours, size_t length) {
  size_t bar = 0;
  while (bar < length && ours[bar] != '|') bar++;
  if (bar >= length || size <= bar || memcmp(file, ours, bar + 1) != 0) return false;
  size_t a = bar + 1, b = bar + 1;
  while (a < size && IsDigit(file[a])) a++;
  while (b < length && IsDigit(ours[b])) b++;
  return size - a == length - b && memcmp(file + a, ours + b, size - a) == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 70000) return 0;
  int32_t encoding = -1;
  int32_t n = DecodeTextBytes(data, static_cast<int32_t>(size), text, 70002, &encoding);
  ResetTicketStore();
  ParseTicketText(text, n, 1700000000u);
  if (ticketStore.ticketCount > maxTickets) __builtin_trap();
  bool pending = DataFileNeedsCopy(text, n, encoding, false);
  FormatTicketText(1700000000u);
  int32_t length = 0;
  while (saveBuffer[length]) length++;
  int32_t bytes = EncodeUtf8(saveBuffer, length, saved, static_cast<int32_t>(sizeof saved));
  if (bytes < 0) __builtin_trap();
  if (n > 0 && !pending && !SameBesideSaveTime(data, size, saved, static_cast<size_t>(bytes)))
    __builtin_trap();
  static TicketStore first;
  memcpy(&first, &ticketStore, sizeof first);
  ResetTicketStore();
  ParseTicketText(saveBuffer, length, 1700000000u);
  // What was saved loads back to the same tickets.
  if (ticketStore.ticketCount != first.ticketCount) __builtin_trap();
  for (int32_t i = 0; i < first.ticketCount; i++)
    if (memcmp(&ticketStore.tickets[i], &first.tickets[i], sizeof(Ticket)) != 0) __builtin_trap();
  return 0;
}
