#include "store/datafile.h"

#include <string.h>

#include "app/text.h"
#include "store/ticket.h"

char16_t saveBuffer[saveBufferUnits];

namespace {

int32_t saveLength = 0;  // units in saveBuffer, so appends need not rescan it

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Parser over the text; every step stays inside [0, length).
struct Cursor {
  const char16_t* text;
  int32_t length;
  int32_t at;
  bool AtEnd() const { return at >= length; }
  char16_t Peek() const { return at < length ? text[at] : 0; }
  uint32_t Number() {
    uint32_t v = 0;
    while (at < length && IsDigit(text[at])) v = v * 10u + static_cast<uint32_t>(text[at++] - u'0');
    return v;
  }
  void Skip(char16_t c) {
    if (Peek() == c && !AtEnd()) at++;
  }
  void PastLineFeed() {
    while (at < length && text[at] != u'\n') at++;
    if (at < length) at++;
  }
  // Consumes a field up to "|", CR, LF or the end; keeps its first (cap - 1) units. Returns
  // false when something of it could not be kept (too long, or a NUL inside).
  bool Field(char16_t* out, int32_t cap) {
    int32_t n = 0;
    bool whole = true;
    while (at < length) {
      char16_t c = text[at];
      if (c == u'|' || c == u'\r' || c == u'\n') break;
      if (c == 0 || n >= cap - 1) whole = false;
      else out[n++] = c;
      at++;
    }
    out[n] = 0;
    return whole;
  }
  bool BlankLine() const {
    for (int32_t i = at; i < length && text[i] != u'\n'; i++)
      if (text[i] != u'\r' && text[i] != u' ' && text[i] != u'\t') return false;
    return true;
  }
};

}  // namespace

void ClearSaveBuffer() {
  saveBuffer[0] = 0;
  saveLength = 0;
}

void AppendBounded(const char16_t* text) {
  saveLength += CopyText(saveBuffer + saveLength, saveBufferUnits - saveLength, text);
}

TicketParseReport ParseTicketText(const char16_t* text, int32_t length, uint32_t now) {
  TicketParseReport report{false, true};
  TicketStore& st = ticketStore;
  if (length < 3 || text[0] != u'Z' || text[1] != u'O' || text[2] != u'L') return report;
  report.recognised = true;
  Cursor c{text, length, 0};
  c.PastLineFeed();
  st.orderCounter = c.Number();
  if (c.Peek() == u'|') {
    c.Skip(u'|');
    c.Number();
    c.Skip(u'|');
  }
  c.PastLineFeed();
  while (!c.AtEnd()) {
    if (st.ticketCount >= maxTickets) {
      // Anything but blank space left behind means the file held more than the store can.
      for (int32_t i = c.at; i < length; i++)
        if (text[i] != u'\r' && text[i] != u'\n' && text[i] != u' ') {
          report.complete = false;
          break;
        }
      break;
    }
    if (!IsDigit(c.Peek())) {
      if (!c.BlankLine()) report.complete = false;
      c.PastLineFeed();
      continue;
    }
    Ticket& t = st.tickets[st.ticketCount];
    memset(&t, 0, sizeof t);
    uint32_t fields[6];
    for (uint32_t& f : fields) {
      f = c.Number();
      c.Skip(u'|');
    }
    t.state = static_cast<int32_t>(fields[0]);
    t.order = fields[1];
    t.workedSeconds = fields[2];
    t.stateSince = fields[3];
    t.createdAt = fields[4];
    t.doneAt = fields[5];
    if (!c.Field(t.number, numberUnits)) report.complete = false;
    c.Skip(u'|');
    if (!c.Field(t.description, descriptionUnits)) report.complete = false;
    c.PastLineFeed();
    if (t.number[0] == 0) {
      report.complete = false;
      continue;
    }
    if (t.state != StateDone && t.state != StateClarify) {
      t.state = StateInWork;
      if (t.stateSince == 0 || t.stateSince > now) t.stateSince = now;
    }
    if (t.order > st.orderCounter) st.orderCounter = t.order;
    st.ticketCount++;
  }
  return report;
}

void FormatTicketText(uint32_t now) {
  char16_t line[400];
  ClearSaveBuffer();
  const TicketStore& st = ticketStore;
  FormatText(line, 400, u"ZOLTEX1\r\n%lu|%lu\r\n", st.orderCounter, now);
  AppendBounded(line);
  for (int32_t i = 0; i < st.ticketCount; i++) {
    const Ticket& t = st.tickets[i];
    FormatText(line, 400, u"%d|%lu|%lu|%lu|%lu|%lu|%s|%s\r\n", t.state, t.order, t.workedSeconds,
               t.stateSince, t.createdAt, t.doneAt, t.number, t.description);
    AppendBounded(line);
  }
}
