#include "store/clean.h"

#include "app/text.h"
#include "store/ticket.h"

static bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int32_t CleanTicketText(char16_t* text, int32_t keep) {
  int32_t length = TextLength(text);
  int32_t start = 0;
  while (start < length && IsBlank(text[start])) start++;
  while (length > start && IsBlank(text[length - 1])) length--;
  int32_t n = 0;
  for (int32_t i = start; i < length && n < keep; i++) {
    char16_t c = text[i];
    if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'|') c = u' ';
    text[n++] = c;
  }
  text[n] = 0;
  return n;
}

int32_t FindTicketByNumber(const char16_t* number) {
  for (int32_t i = 0; i < ticketStore.ticketCount; i++)
    if (TextEquals(ticketStore.tickets[i].number, number)) return i;
  return -1;
}
