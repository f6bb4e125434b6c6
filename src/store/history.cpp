#include "store/history.h"

#include "app/text.h"
#include "store/datafile.h"

int32_t FormatHistoryLine(const Ticket& ticket, const LocalTime& taken, const LocalTime& done,
                          char16_t* out, int32_t cap) {
  char16_t takenText[8], doneText[8], worked[24];
  FormatText(takenText, 8, u"%02d:%02d", taken.hour, taken.minute);
  FormatText(doneText, 8, u"%02d:%02d", done.hour, done.minute);
  FormatDuration(ticket.workedSeconds, worked, 24);
  return FormatText(out, cap,
                    u"%02d.%02d.%04d | %s | взята %s | выполнена %s | время %s | %s\r\n",
                    done.day, done.month, done.year, ticket.number, takenText, doneText, worked,
                    ticket.description);
}

void FormatClearQuestion(int32_t doneCount, char16_t* out, int32_t cap) {
  FormatText(out, cap,
             u"Убрать %d выполненных заявок из списка?\nОни сохранятся в файле zoltex_history.txt.",
             doneCount);
}

int32_t CountDoneTickets() {
  int32_t n = 0;
  for (int32_t i = 0; i < ticketStore.ticketCount; i++)
    if (ColumnOf(ticketStore.tickets[i].state) == 2) n++;
  return n;
}

int32_t BuildHistoryChunk(int32_t start, LocalTime (*toLocal)(uint32_t unixTime)) {
  ClearSaveBuffer();
  int32_t used = 0;
  char16_t line[historyLineUnits];
  int32_t i = start;
  for (; i < ticketStore.ticketCount; i++) {
    const Ticket& t = ticketStore.tickets[i];
    if (ColumnOf(t.state) != 2) continue;
    int32_t n = FormatHistoryLine(t, toLocal(t.createdAt), toLocal(t.doneAt), line,
                                  historyLineUnits);
    // A line that does not fit whole waits for the next chunk.
    if (used + n > saveBufferUnits - 1) break;
    AppendBounded(line);
    used += n;
  }
  return i;
}

ClearOutcome ClearOutcomeOf(int32_t written, bool failed) {
  bool anyWritten = false;
  for (int32_t i = 0; i < written && i < ticketStore.ticketCount; i++)
    anyWritten = anyWritten || ColumnOf(ticketStore.tickets[i].state) == 2;
  if (!anyWritten && failed)
    return {false, u"Не удалось записать историю — выполненные заявки остались на доске"};
  if (failed) return {true, u"История записана не вся — часть выполненных заявок осталась на доске"};
  return {true, u"Выполненные заявки перенесены в историю"};
}

int32_t RemoveDoneTickets(int32_t end) {
  if (end > ticketStore.ticketCount) end = ticketStore.ticketCount;
  int32_t removed = 0;
  // From the end, so that the indexes still to visit do not move.
  for (int32_t i = end - 1; i >= 0; i--) {
    if (ColumnOf(ticketStore.tickets[i].state) != 2) continue;
    RemoveTicketAt(i);
    removed++;
  }
  return removed;
}
