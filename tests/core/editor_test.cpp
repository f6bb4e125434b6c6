#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "app/text.h"
#include "editor/editor_rules.h"
#include "store/clean.h"
#include "store/ticket.h"

namespace {

int32_t AddTicket(const char16_t* number, const char16_t* description, int32_t state,
                  uint32_t order) {
  TicketStore& st = ticketStore;
  Ticket& t = st.tickets[st.ticketCount];
  t = Ticket{};
  t.state = state;
  t.order = order;
  t.workedSeconds = 100 * order;
  t.stateSince = 1000 + order;
  t.createdAt = 500 + order;
  t.doneAt = state == StateDone ? 2000 + order : 0;
  CopyText(t.number, numberUnits, number);
  CopyText(t.description, descriptionUnits, description);
  if (order > st.orderCounter) st.orderCounter = order;
  return st.ticketCount++;
}

// Runs one save of the editor on the ticket at index with the typed texts.
EditOutcome Save(int32_t index, const char16_t* number, const char16_t* description) {
  char16_t n[numberFieldRead], d[descriptionFieldRead];
  CopyText(n, numberFieldRead, number);
  CopyText(d, descriptionFieldRead, description);
  return ApplyTicketEdit(index, n, d);
}

std::u16string Number(int32_t i) { return ticketStore.tickets[i].number; }
std::u16string Description(int32_t i) { return ticketStore.tickets[i].description; }

class TicketEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTicketStore();
    dpi = 96;
  }
  void TearDown() override { dpi = 96; }
};

TEST_F(TicketEdit, CleansLikeAddingTrimmingBeforeReplacing) {
  int32_t a = AddTicket(u"A-1", u"старое", StateInWork, 1);
  EXPECT_EQ(Save(a, u"  12 3  ", u"звонок | клиенту"), EditSaved);
  EXPECT_EQ(Number(a), u"12 3");
  EXPECT_EQ(Description(a), u"звонок   клиенту");
  // The bar at the end survives the trim and then becomes a blank.
  EXPECT_EQ(Save(a, u"\t77|", u"  \t"), EditSaved);
  EXPECT_EQ(Number(a), u"77 ");
  EXPECT_EQ(Description(a), u"");  // a cleared description stays cleared
}

TEST_F(TicketEdit, CutsTextsToTheTicketsCapacity) {
  int32_t a = AddTicket(u"A-1", u"", StateInWork, 1);
  std::u16string longNumber(63, u'7'), longDescription(199, u'д');
  EXPECT_EQ(Save(a, longNumber.c_str(), longDescription.c_str()), EditSaved);
  EXPECT_EQ(Number(a), std::u16string(31, u'7'));
  EXPECT_EQ(Description(a), std::u16string(119, u'д'));
}

TEST_F(TicketEdit, RefusesAnEmptyNumberAndChangesNothing) {
  int32_t a = AddTicket(u"A-1", u"desc", StateInWork, 1);
  EXPECT_EQ(Save(a, u"", u"new"), EditEmptyNumber);
  EXPECT_EQ(Save(a, u" \t  \t", u"new"), EditEmptyNumber);
  EXPECT_EQ(Number(a), u"A-1");
  EXPECT_EQ(Description(a), u"desc");
}

TEST_F(TicketEdit, DuplicatesCountInEveryStateButNotTheTicketItself) {
  int32_t done = AddTicket(u"D-9", u"", StateDone, 1);
  int32_t wait = AddTicket(u"W-2", u"", StateClarify, 2);
  int32_t ab = AddTicket(u"ab", u"x", StateInWork, 3);
  EXPECT_EQ(Save(ab, u"D-9", u"y"), EditDuplicate);
  EXPECT_EQ(Save(ab, u" W-2 ", u"y"), EditDuplicate);
  EXPECT_EQ(Number(ab), u"ab");
  EXPECT_EQ(Description(ab), u"x");
  // Its own number, and the same letters in another case, are free.
  EXPECT_EQ(Save(ab, u"ab", u"y"), EditSaved);
  EXPECT_EQ(Save(ab, u"AB", u"y"), EditSaved);
  EXPECT_EQ(Number(ab), u"AB");
  EXPECT_EQ(Number(done), u"D-9");
  EXPECT_EQ(Number(wait), u"W-2");
}

TEST_F(TicketEdit, KeepsStateOrderTimesAndPlace) {
  AddTicket(u"A", u"", StateInWork, 4);
  int32_t b = AddTicket(u"B", u"", StateClarify, 7);
  AddTicket(u"C", u"", StateDone, 9);
  Ticket before = ticketStore.tickets[b];
  uint32_t counter = ticketStore.orderCounter;
  EXPECT_EQ(Save(b, u"B-2", u"новое"), EditSaved);
  const Ticket& after = ticketStore.tickets[b];
  EXPECT_EQ(after.state, before.state);
  EXPECT_EQ(after.order, before.order);
  EXPECT_EQ(after.workedSeconds, before.workedSeconds);
  EXPECT_EQ(after.stateSince, before.stateSince);
  EXPECT_EQ(after.createdAt, before.createdAt);
  EXPECT_EQ(after.doneAt, before.doneAt);
  EXPECT_EQ(ticketStore.orderCounter, counter);
  EXPECT_EQ(ticketStore.ticketCount, 3);
  EXPECT_EQ(Number(0), u"A");
  EXPECT_EQ(Number(2), u"C");
}

TEST_F(TicketEdit, AnIndexOutsideTheStoreSavesNothing) {
  AddTicket(u"A", u"", StateInWork, 1);
  EXPECT_EQ(Save(-1, u"B", u""), EditNoTicket);
  EXPECT_EQ(Save(1, u"B", u""), EditNoTicket);
  EXPECT_EQ(Number(0), u"A");
}

TEST_F(TicketEdit, MessagesNameTheCleanedNumber) {
  char16_t out[160];
  FormatEditOutcome(EditSaved, u"12 3", out, 160);
  EXPECT_EQ(std::u16string(out), u"Заявка 12 3 изменена");
  FormatEditOutcome(EditDuplicate, u"D-9", out, 160);
  EXPECT_EQ(std::u16string(out), u"Заявка D-9 уже есть в списке.");
  FormatEditOutcome(EditEmptyNumber, u"", out, 160);
  EXPECT_EQ(std::u16string(out), u"Номер заявки не может быть пустым.");
  FormatEditOutcome(EditNoTicket, u"x", out, 160);
  EXPECT_EQ(std::u16string(out), u"");
}

bool Same(const Rect& r, int32_t l, int32_t t, int32_t rr, int32_t b) {
  return r.left == l && r.top == t && r.right == rr && r.bottom == b;
}

TEST_F(TicketEdit, OpensInTheDescriptionOnlyWhenThereIsNoneCaretBehindTheText) {
  struct {
    const char16_t *number, *description;
    int32_t field, position;
  } cases[] = {
      {u"A-1", u"printer", EditorFieldNumber, 3},
      {u"A-1", u"", EditorFieldDescription, 0},
      {u"\U0001F600-12", u"x", EditorFieldNumber, 5},  // a pair counts as the two units it is
  };
  for (const auto& c : cases) {
    ResetTicketStore();
    EditorCaret caret = EditorOpeningCaret(ticketStore.tickets[AddTicket(c.number, c.description,
                                                                         StateInWork, 1)]);
    EXPECT_EQ(caret.field, c.field) << c.position;
    EXPECT_EQ(caret.position, c.position);
  }
}

TEST_F(TicketEdit, LayoutAt96And144Dpi) {
  EditorLayout l = ComputeEditorLayout(544, 291);
  EXPECT_TRUE(Same(l.numberFrame, 22, 86, 522, 132));
  EXPECT_TRUE(Same(l.descriptionFrame, 22, 166, 522, 212));
  EXPECT_TRUE(Same(l.save, 362, 229, 522, 271));
  EXPECT_TRUE(Same(l.cancel, 220, 229, 350, 271));
  EXPECT_TRUE(Same(l.numberField, 36, 98, 36 + 472, 120));
  EXPECT_EQ(EditorHitTest(l, 362, 229), 2);
  EXPECT_EQ(EditorHitTest(l, 521, 270), 2);
  EXPECT_EQ(EditorHitTest(l, 522, 250), 0);  // half-open
  EXPECT_EQ(EditorHitTest(l, 349, 250), 1);
  EXPECT_EQ(EditorHitTest(l, 355, 250), 0);  // the gap between the buttons

  // Each constant is scaled on its own: s(86) + s(46) = 129 + 69, s(160) + s(22) = 240 + 33.
  dpi = 144;
  l = ComputeEditorLayout(800, 450);
  EXPECT_TRUE(Same(l.numberFrame, 33, 129, 767, 198));
  EXPECT_TRUE(Same(l.save, 800 - 273, 450 - 93, 767, 420));
  EXPECT_TRUE(Same(l.cancel, 527 - (195 + 18), 357, 527 - 18, 420));
  // y = (129 + 198 - 33) / 2 = 147, width = 767 - (33 + 42).
  EXPECT_TRUE(Same(l.numberField, 54, 147, 54 + 692, 180));
}

TEST_F(TicketEdit, PlacementIsCentredOnTheMainWindow) {
  Rect p = EditorPlacement(Rect{100, 50, 1100, 750});
  EXPECT_TRUE(Same(p, 320, 235, 880, 565));
  // Integer halves toward zero, also for a main window smaller than the editor.
  p = EditorPlacement(Rect{0, 0, 301, 101});
  EXPECT_TRUE(Same(p, -129, -114, 431, 216));
  dpi = 120;
  p = EditorPlacement(Rect{0, 0, 1000, 800});
  EXPECT_EQ(p.right - p.left, 700);
  EXPECT_EQ(p.bottom - p.top, 413);  // MulDiv(330, 120, 96) = 412.5 rounded
}

}  // namespace
