#include <gtest/gtest.h>

#include <string>

#include "app/text.h"
#include "store/datafile.h"
#include "store/history.h"
#include "store/ticket.h"

namespace {

// A fixed clock for the tests: the Unix time t stands for local day 1 + t / 86400 of March 2026,
// at the time of day t % 86400.
LocalTime FakeLocal(uint32_t t) {
  LocalTime l{};
  l.year = 2026;
  l.month = 3;
  l.day = 1 + static_cast<int32_t>(t / 86400);
  l.hour = static_cast<int32_t>(t % 86400 / 3600);
  l.minute = static_cast<int32_t>(t % 3600 / 60);
  l.second = static_cast<int32_t>(t % 60);
  return l;
}

uint32_t At(uint32_t day, uint32_t hour, uint32_t minute) {
  return (day - 1) * 86400 + hour * 3600 + minute * 60;
}

int32_t AddTicket(const char16_t* number, const char16_t* description, int32_t state) {
  TicketStore& st = ticketStore;
  Ticket& t = st.tickets[st.ticketCount];
  t = Ticket{};
  t.state = state;
  t.order = ++st.orderCounter;
  t.createdAt = At(4, 10, 0);
  t.doneAt = state == StateDone ? At(4, 11, 30) : 0;
  t.workedSeconds = 60;
  CopyText(t.number, numberUnits, number);
  CopyText(t.description, descriptionUnits, description);
  return st.ticketCount++;
}

std::u16string Line(const Ticket& t) {
  char16_t out[historyLineUnits];
  FormatHistoryLine(t, FakeLocal(t.createdAt), FakeLocal(t.doneAt), out, historyLineUnits);
  return out;
}

TEST(HistoryLine, DateOfTheDoneDayWithBothTimesAndTheWorkTime) {
  Ticket t{};
  t.state = StateDone;
  CopyText(t.number, numberUnits, u"INC-5");
  CopyText(t.description, descriptionUnits, u"принтер");
  t.createdAt = At(9, 17, 40);
  t.doneAt = At(10, 9, 5);
  t.workedSeconds = 25 * 60;
  EXPECT_EQ(Line(t),
            u"10.03.2026 | INC-5 | взята 17:40 | выполнена 09:05 | время 25:00 | принтер\r\n");
  t.workedSeconds = 3725;
  t.description[0] = 0;  // an empty description leaves the separator and a blank
  EXPECT_EQ(Line(t), u"10.03.2026 | INC-5 | взята 17:40 | выполнена 09:05 | время 1:02:05 | \r\n");
}

TEST(HistoryLine, LongestLineFitsItsBuffer) {
  Ticket t{};
  std::u16string number(31, u'N'), description(119, u'D');
  CopyText(t.number, numberUnits, number.c_str());
  CopyText(t.description, descriptionUnits, description.c_str());
  t.workedSeconds = 4294967295u;
  char16_t out[historyLineUnits];
  LocalTime l{9999, 12, 31, 23, 59, 59};
  int32_t n = FormatHistoryLine(t, l, l, out, historyLineUnits);
  EXPECT_EQ(n, 222);
  EXPECT_EQ(std::u16string(out).substr(n - 121), description + u"\r\n");
}

TEST(ClearQuestion, NamesTheCountAndTheFile) {
  char16_t out[200];
  FormatClearQuestion(3, out, 200);
  EXPECT_EQ(std::u16string(out),
            u"Убрать 3 выполненных заявок из списка?\nОни сохранятся в файле zoltex_history.txt.");
}

class Clearing : public ::testing::Test {
 protected:
  void SetUp() override { ResetTicketStore(); }
};

TEST_F(Clearing, WritesDoneTicketsInStoreOrderAndKeepsTheOthers) {
  AddTicket(u"D1", u"a", StateDone);
  AddTicket(u"W1", u"", StateInWork);
  AddTicket(u"D2", u"", StateDone);
  AddTicket(u"C1", u"", StateClarify);
  AddTicket(u"D3", u"c", StateDone);
  AddTicket(u"W2", u"", StateInWork);
  uint32_t counter = ticketStore.orderCounter;
  EXPECT_EQ(CountDoneTickets(), 3);

  EXPECT_EQ(BuildHistoryChunk(0, FakeLocal), 6);
  std::u16string tail = u" | взята 10:00 | выполнена 11:30 | время 01:00 | ";
  EXPECT_EQ(std::u16string(saveBuffer), u"04.03.2026 | D1" + tail + u"a\r\n" +
                                            u"04.03.2026 | D2" + tail + u"\r\n" +
                                            u"04.03.2026 | D3" + tail + u"c\r\n");

  EXPECT_EQ(RemoveDoneTickets(ticketStore.ticketCount), 3);
  ASSERT_EQ(ticketStore.ticketCount, 3);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].number), u"W1");
  EXPECT_EQ(std::u16string(ticketStore.tickets[1].number), u"C1");
  EXPECT_EQ(std::u16string(ticketStore.tickets[2].number), u"W2");
  EXPECT_EQ(ticketStore.orderCounter, counter);
  EXPECT_EQ(CountDoneTickets(), 0);
}

TEST_F(Clearing, AStoreWithoutDoneTicketsGivesNothing) {
  EXPECT_EQ(CountDoneTickets(), 0);
  EXPECT_EQ(BuildHistoryChunk(0, FakeLocal), 0);
  EXPECT_EQ(saveBuffer[0], 0);
  AddTicket(u"W1", u"", StateInWork);
  EXPECT_EQ(BuildHistoryChunk(0, FakeLocal), 1);
  EXPECT_EQ(saveBuffer[0], 0);
  EXPECT_EQ(RemoveDoneTickets(1), 0);
  EXPECT_EQ(ticketStore.ticketCount, 1);
}

TEST_F(Clearing, AFullStoreOfLongLinesIsWrittenWholeInChunks) {
  std::u16string number(29, u'Ж'), description(119, u'о');
  char16_t n[numberUnits];
  for (int32_t i = 0; i < maxTickets; i++) {
    FormatText(n, numberUnits, u"%s%03d", number.c_str(), i);
    int32_t k = AddTicket(n, description.c_str(), StateDone);
    ticketStore.tickets[k].workedSeconds = 4000000000u;
  }
  std::u16string all;
  int32_t next = 0, chunks = 0;
  while (next < ticketStore.ticketCount) {
    int32_t after = BuildHistoryChunk(next, FakeLocal);
    ASSERT_GT(after, next);  // every chunk takes at least one line
    std::u16string chunk = saveBuffer;
    ASSERT_LT(chunk.size(), static_cast<size_t>(saveBufferUnits));
    ASSERT_EQ(chunk.substr(chunk.size() - 2), u"\r\n");  // no line cut at the end
    all += chunk;
    next = after;
    chunks++;
  }
  EXPECT_EQ(chunks, 2);
  std::u16string expected;
  for (int32_t i = 0; i < maxTickets; i++) expected += Line(ticketStore.tickets[i]);
  EXPECT_EQ(all, expected);
  EXPECT_GT(expected.size(), static_cast<size_t>(saveBufferUnits));
}

TEST_F(Clearing, DoneTicketsLeaveOnlyOnceALineOfThemIsWritten) {
  AddTicket(u"W1", u"", StateInWork);
  AddTicket(u"D1", u"", StateDone);
  struct Row {
    int32_t written;
    bool failed, removes;
    const char16_t* status;
  } rows[] = {
      {2, false, true, u"Выполненные заявки перенесены в историю"},
      {2, true, true, u"История записана не вся — часть выполненных заявок осталась на доске"},
      {1, true, false, u"Не удалось записать историю — выполненные заявки остались на доске"},
      {0, true, false, u"Не удалось записать историю — выполненные заявки остались на доске"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.written);
    ClearOutcome outcome = ClearOutcomeOf(row.written, row.failed);
    EXPECT_EQ(outcome.removes, row.removes);
    EXPECT_EQ(std::u16string(outcome.status), row.status);
  }
}

TEST_F(Clearing, RemovesOnlyTheDoneTicketsBelowTheEnd) {
  AddTicket(u"D1", u"", StateDone);
  AddTicket(u"W1", u"", StateInWork);
  AddTicket(u"D2", u"", StateDone);
  AddTicket(u"D3", u"", StateDone);
  // Only the lines of D1 and D2 reached the history: D3 stays.
  EXPECT_EQ(RemoveDoneTickets(3), 2);
  ASSERT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].number), u"W1");
  EXPECT_EQ(std::u16string(ticketStore.tickets[1].number), u"D3");
}

}  // namespace
