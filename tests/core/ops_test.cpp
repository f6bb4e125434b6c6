// Adding, taking back and moving tickets, with their work-time accounting and status texts.
#include <gtest/gtest.h>

#include <string>

#include "app/text.h"
#include "store/ops.h"
#include "store/ticket.h"

namespace {

constexpr uint32_t t0 = 1796601600u;

struct Added {
  AddResult result;
  std::u16string status;
};

Added Add(const std::u16string& number, const std::u16string& description, uint32_t now) {
  char16_t n[64] = {}, d[200] = {};
  CopyText(n, 64, number.c_str());
  CopyText(d, 200, description.c_str());
  char16_t status[160];
  AddResult r = AddTicketCore(n, d, now, status, 160);
  return {r, status};
}

std::u16string Move(int32_t index, int32_t state, uint32_t now) {
  char16_t status[160] = {};
  if (!ChangeTicketState(index, state, now, status, 160)) return u"<none>";
  return status;
}

}  // namespace

TEST(TicketOps, AddCleansTheTextsAndRefusesAnEmptyNumber) {
  ResetTicketStore();
  Added a = Add(u"  A-17\t", u" чиню принтер ", t0);
  ASSERT_EQ(a.result.outcome, AddCreated);
  EXPECT_EQ(a.status, u"Заявка A-17 взята в работу");
  const Ticket& t = ticketStore.tickets[0];
  EXPECT_EQ(std::u16string(t.number), u"A-17");
  EXPECT_EQ(std::u16string(t.description), u"чиню принтер");
  EXPECT_EQ(t.state, StateInWork);
  EXPECT_EQ(t.order, 1u);
  EXPECT_EQ(t.stateSince, t0);
  EXPECT_EQ(t.createdAt, t0);
  EXPECT_EQ(t.workedSeconds, 0u);
  EXPECT_EQ(t.doneAt, 0u);

  Added bar = Add(u"A|17", u"a\tb|c", t0);
  EXPECT_EQ(std::u16string(ticketStore.tickets[1].number), u"A 17");
  EXPECT_EQ(std::u16string(ticketStore.tickets[1].description), u"a b c");
  EXPECT_EQ(bar.result.index, 1);

  Added blank = Add(u" \t  ", u"что-то", t0);
  EXPECT_EQ(blank.result.outcome, AddEmptyNumber);
  EXPECT_EQ(blank.status, u"Впиши номер заявки");
  EXPECT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(ticketStore.orderCounter, 2u);
}

TEST(TicketOps, LongNumberIsCutAndFoundAgain) {
  ResetTicketStore();
  std::u16string forty(40, u'7');
  EXPECT_EQ(Add(forty, u"", t0).result.outcome, AddCreated);
  EXPECT_EQ(TextLength(ticketStore.tickets[0].number), 31);
  Added again = Add(forty, u"x", t0 + 5);
  EXPECT_EQ(again.result.outcome, AddAlreadyInWork);
  EXPECT_EQ(again.result.index, 0);
  EXPECT_EQ(again.status, u"Заявка " + std::u16string(31, u'7') + u" уже в работе");
  EXPECT_EQ(ticketStore.ticketCount, 1);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].description), u"");  // typed text dropped
  EXPECT_EQ(ticketStore.tickets[0].order, 1u);
  // Numbers are compared exactly, case included.
  EXPECT_EQ(Add(u"a-1", u"", t0).result.outcome, AddCreated);
  EXPECT_EQ(Add(u"A-1", u"", t0).result.outcome, AddCreated);
}

TEST(TicketOps, DoneAndBackWithANewDescriptionContinuesTheTimer) {
  ResetTicketStore();
  Add(u"A-17", u"старое", t0);
  EXPECT_EQ(Move(0, StateDone, t0 + 5400), u"Заявка A-17 выполнена за 1:30:00");
  Ticket& t = ticketStore.tickets[0];
  EXPECT_EQ(t.workedSeconds, 5400u);
  EXPECT_EQ(t.doneAt, t0 + 5400);
  EXPECT_EQ(t.stateSince, t0);  // done leaves it
  EXPECT_EQ(WorkedNow(t, t0 + 9999), 5400u);

  Added back = Add(u"A-17", u"новое", t0 + 7200);
  EXPECT_EQ(back.result.outcome, AddTakenBack);
  EXPECT_EQ(back.status, u"Заявка A-17 в работе — таймер продолжен");
  EXPECT_EQ(std::u16string(t.description), u"новое");
  EXPECT_EQ(t.state, StateInWork);
  EXPECT_EQ(t.stateSince, t0 + 7200);
  EXPECT_EQ(t.doneAt, t0 + 5400);  // kept
  EXPECT_EQ(WorkedNow(t, t0 + 7260), 5460u);
  EXPECT_EQ(t.order, 3u);

  // An empty description keeps the old one when taking back.
  Move(0, StateDone, t0 + 8000);
  Add(u"A-17", u"  ", t0 + 8100);
  EXPECT_EQ(std::u16string(t.description), u"новое");
}

TEST(TicketOps, ClarificationPausesTheTimerAndSameStateDoesNothing) {
  ResetTicketStore();
  Add(u"B", u"", t0);
  EXPECT_EQ(Move(0, StateClarify, t0 + 600), u"Заявка B на уточнении — таймер на паузе");
  Ticket& t = ticketStore.tickets[0];
  EXPECT_EQ(t.workedSeconds, 600u);
  EXPECT_EQ(WorkedNow(t, t0 + 4200), 600u);
  EXPECT_EQ(Move(0, StateClarify, t0 + 4200), u"<none>");
  EXPECT_EQ(ticketStore.orderCounter, 2u);
  EXPECT_EQ(Move(0, StateInWork, t0 + 4200), u"Заявка B в работе — таймер продолжен");
  EXPECT_EQ(WorkedNow(t, t0 + 4260), 660u);
  // Clarification to done counts no waiting time.
  Move(0, StateClarify, t0 + 4260);
  EXPECT_EQ(Move(0, StateDone, t0 + 9000), u"Заявка B выполнена за 11:00");
  // A clock turned back adds nothing when leaving work.
  Move(0, StateInWork, t0 + 9000);
  Move(0, StateDone, t0 + 100);
  EXPECT_EQ(t.workedSeconds, 660u);
  EXPECT_EQ(Move(5, StateDone, t0), u"<none>");  // out of range
}

TEST(TicketOps, FullStoreRefusesNewNumbersButTakesDoneOnesBack) {
  ResetTicketStore();
  char16_t number[16];
  for (int32_t i = 0; i < maxTickets; i++) {
    FormatText(number, 16, u"N%d", i);
    ASSERT_EQ(Add(number, u"", t0).result.outcome, AddCreated);
  }
  Move(7, StateDone, t0 + 60);
  Added refused = Add(u"NEW", u"", t0 + 70);
  EXPECT_EQ(refused.result.outcome, AddStoreFull);
  EXPECT_EQ(refused.status, u"Слишком много заявок — очисти выполненные");
  EXPECT_EQ(ticketStore.ticketCount, maxTickets);
  Added back = Add(u"N7", u"", t0 + 80);
  EXPECT_EQ(back.result.outcome, AddTakenBack);
  EXPECT_EQ(ticketStore.tickets[7].state, StateInWork);

  char16_t question[96];
  FormatDeleteQuestion(7, question, 96);
  EXPECT_EQ(std::u16string(question), u"Удалить заявку N7 из списка?");
}

TEST(TicketOps, ACounterAtItsLimitRenumbersAndTheNewestStaysFirst) {
  ResetTicketStore();
  Add(u"OLD", u"", t0);
  Add(u"MID", u"", t0);
  Add(u"TOP", u"", t0);
  ticketStore.tickets[0].order = 7;
  ticketStore.tickets[1].order = 4294967295u;
  ticketStore.tickets[2].order = 7;  // equal orders (a hand-edited file) stay equal
  ticketStore.orderCounter = 4294967295u;
  ASSERT_EQ(Add(u"NEW", u"", t0).result.outcome, AddCreated);
  EXPECT_EQ(ticketStore.tickets[0].order, 1u);
  EXPECT_EQ(ticketStore.tickets[1].order, 2u);
  EXPECT_EQ(ticketStore.tickets[2].order, 1u);
  EXPECT_EQ(ticketStore.tickets[3].order, 3u);
  EXPECT_EQ(ticketStore.orderCounter, 3u);
  EXPECT_EQ(Move(0, StateClarify, t0), u"Заявка OLD на уточнении — таймер на паузе");
  EXPECT_EQ(ticketStore.tickets[0].order, 4u);
}
