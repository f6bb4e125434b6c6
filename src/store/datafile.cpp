#include "store/datafile.h"

#include <string.h>

#include "app/fileproblem.h"
#include "app/status.h"
#include "app/text.h"
#include "app/textcodec.h"
#include "store/ticket.h"

// The program gives a save memory of its own for the save (SaveBufferTaken); this room serves
// where it does not.
static char16_t saveRoom[saveBufferUnits];
char16_t* saveBuffer = saveRoom;

namespace {

int32_t saveLength = 0;  // units in saveBuffer, so appends need not rescan it

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Parser over the text; every step stays inside [0, length). Lines end at LF; in a text without
// any LF (an old Mac editor, some scripts) they end at CR.
struct Cursor {
  const char16_t* text;
  int32_t length;
  int32_t at;
  char16_t lineEnd;
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
  void PastLineEnd() {
    while (at < length && text[at] != lineEnd) at++;
    if (at < length) at++;
  }
  // Consumes a field up to "|", CR, LF or the end; keeps its first (cap - 1) units, NULs left out.
  void Field(char16_t* out, int32_t cap) {
    int32_t n = 0;
    while (at < length) {
      char16_t c = text[at];
      if (c == u'|' || c == u'\r' || c == u'\n') break;
      if (c != 0 && n < cap - 1) out[n++] = c;
      at++;
    }
    out[n] = 0;
  }
  // A line that starts with a digit and holds the six separators of the numeric fields: a ticket
  // line, even where the header should stand.
  bool TicketLineAhead() const {
    if (!IsDigit(Peek())) return false;
    int32_t bars = 0;
    for (int32_t i = at; i < length && text[i] != lineEnd && bars < 6; i++)
      if (text[i] == u'|') bars++;
    return bars >= 6;
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

bool ParseTicketText(const char16_t* text, int32_t length, uint32_t now) {
  TicketStore& st = ticketStore;
  if (length < 3 || text[0] != u'Z' || text[1] != u'O' || text[2] != u'L') return false;
  char16_t lineEnd = u'\r';
  for (int32_t i = 0; i < length; i++)
    if (text[i] == u'\n') {
      lineEnd = u'\n';
      break;
    }
  Cursor c{text, length, 0, lineEnd};
  c.PastLineEnd();
  if (!c.TicketLineAhead()) {  // a hand-written file may have no header
    st.orderCounter = c.Number();
    if (c.Peek() == u'|') {
      c.Skip(u'|');
      c.Number();
      c.Skip(u'|');
    }
    c.PastLineEnd();
  }
  while (!c.AtEnd() && st.ticketCount < maxTickets) {
    if (!IsDigit(c.Peek())) {
      c.PastLineEnd();
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
    c.Field(t.number, numberUnits);
    c.Skip(u'|');
    c.Field(t.description, descriptionUnits);
    c.PastLineEnd();
    if (t.number[0] == 0) continue;
    if (t.state != StateDone && t.state != StateClarify) {
      t.state = StateInWork;
      if (t.stateSince == 0 || t.stateSince > now) t.stateSince = now;
    }
    if (t.order > st.orderCounter) st.orderCounter = t.order;
    st.ticketCount++;
  }
  return true;
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

bool TicketTextRoundTrips(const char16_t* text, int32_t length) {
  FormatTicketText(0);
  // The save time is the digit run behind the header's "|": 0 here, anything in the file.
  int32_t bar = 0;
  while (saveBuffer[bar] != u'|') bar++;
  if (length <= bar || memcmp(text, saveBuffer, (bar + 1) * sizeof(char16_t)) != 0) return false;
  int32_t at = bar + 1;
  while (at < length && IsDigit(text[at])) at++;
  int32_t rest = saveLength - (bar + 2);
  return length - at == rest &&
         memcmp(text + at, saveBuffer + bar + 2, static_cast<size_t>(rest) * sizeof(char16_t)) == 0;
}

bool DataFileNeedsCopy(const char16_t* text, int32_t length, int32_t encoding, bool cut) {
  if (length <= 0 && !cut) return false;
  return cut || encoding != EncodingUtf8 || !TicketTextRoundTrips(text, length);
}

const char16_t* SaveProblemText(int32_t problem) {
  static char16_t text[statusUnits];
  if (problem == SaveProblemNoCopy)
    FormatText(text, statusUnits, u"Не удалось сохранить заявки — копия старого файла не сделана: %s",
               LastFileCause());
  else
    FormatText(text, statusUnits, u"Не удалось сохранить заявки — %s", LastFileCause());
  return text;
}

const char16_t* DataFileUnreadText() {
  static char16_t text[statusUnits];
  FormatText(text, statusUnits, u"Заявки не загружены — %s", LastFileCause());
  return text;
}

int32_t FormatUnsavedQuestion(char16_t* out, int32_t cap, int32_t problem) {
  const char16_t* kept = problem == SaveProblemNotReplaced
                             ? u"\nНовые данные остались в zoltex_data.tmp."
                             : u"";
  return FormatText(out, cap,
                    u"Заявки не сохранены: %s.%s\nЗакрыть всё равно? Несохранённые изменения пропадут.",
                    LastFileCause(), kept);
}
