// Board geometry, column lists, scroll clamp, wheel steps and hit testing.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "app/geometry.h"
#include "app/text.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/ticket.h"

namespace {

void Fresh() {
  ResetTicketStore();
  boardUi = {};
}

void ExpectRect(const Rect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

HitResult Hit(int32_t x, int32_t y) { return HitTest(x, y); }

}  // namespace

TEST(BoardLayout, RectanglesAt96Dpi) {
  Fresh();
  ComputeLayout(1280, 800);
  const BoardLayout& l = boardLayout;
  EXPECT_EQ(l.margin, 22);
  ExpectRect(l.bindsButtonRect, 1080, 22, 1258, 58);
  ExpectRect(l.settingsButtonRect, 880, 22, 1070, 58);
  ExpectRect(l.takeButtonRect, 1088, 80, 1258, 126);
  ExpectRect(l.numberFrameRect, 22, 80, 232, 126);
  ExpectRect(l.descriptionFrameRect, 244, 80, 1076, 126);
  // (1280 - 76) / 3 = 401 with 1 left over, which column 2 takes.
  ExpectRect(l.columnRect[0], 22, 146, 423, 756);
  ExpectRect(l.columnRect[1], 439, 146, 840, 756);
  ExpectRect(l.columnRect[2], 856, 146, 1258, 756);
  ExpectRect(l.listRect[0], 36, 208, 409, 744);
  ExpectRect(l.listRect[2], 870, 208, 1244, 744);
  ExpectRect(l.clearButtonRect, 1154, 161, 1244, 189);
  ExpectRect(l.creditLinkRect, 22, 766, 382, 790);
  EXPECT_EQ(l.cardHeight, 98);
  EXPECT_EQ(l.cardGap, 10);
  ExpectRect(l.numberInputRect, 36, 92, 218, 114);
}

TEST(BoardLayout, ConstantsAreScaledOneByOne) {
  Fresh();
  {
    // At 110 DPI s(80) + s(46) is 92 + 53 = 145 while s(126) would be 144.
    DpiScope scope(110);
    ComputeLayout(1920, 1200);
    EXPECT_EQ(boardLayout.takeButtonRect.bottom, 145);
    EXPECT_EQ(boardLayout.numberFrameRect.bottom, 145);
  }
  {
    // At 120 DPI the sum of rounded terms differs from the rounded sum: s(14)+s(30)+s(30)+s(8) is
    // 18+38+38+10 = 104 while s(82) would be 103.
    DpiScope scope(120);
    ExpectRect(ComputeCardButtons(Rect{0, 0, 1000, 98}, StateInWork).middleButton, 896, 18, 934, 56);
    int32_t w = 0, h = 0;
    MinimumWindowSize(&w, &h);
    EXPECT_EQ(w, 1250);
    EXPECT_EQ(h, 775);
    ComputeLayout(1600, 1000);
    // Columns of (1600 - 2*(20+28)) / 3 = 501 and column 2 to the right edge 1572.
    EXPECT_EQ(boardLayout.columnRect[0].right - boardLayout.columnRect[0].left, 501);
    EXPECT_EQ(boardLayout.columnRect[1].left, 28 + 501 + 20);
    EXPECT_EQ(boardLayout.columnRect[2].left, 28 + 2 * (501 + 20));
    EXPECT_EQ(boardLayout.columnRect[2].right, 1572);
    // The input is s(28) narrower than its frame, 35, not twice s(14), 36.
    const Rect &frame = boardLayout.numberFrameRect, &input = boardLayout.numberInputRect;
    EXPECT_EQ((frame.right - frame.left) - (input.right - input.left), 35);
  }
}

// Every point of every card, in each state and at two DPIs: the hit code names the part that is
// painted there (the painter takes its rectangles from ComputeCardGeometry).
TEST(BoardLayout, EveryCardHitLiesInsideWhatIsPaintedForIt) {
  for (int32_t d : {96, 120}) {
    DpiScope scope(d);
    Fresh();
    AddTicket(u"W", StateInWork, 1);
    AddTicket(u"C", StateClarify, 2);
    AddTicket(u"D", StateDone, 3);
    ComputeLayout(s(1280), s(800));
    for (int32_t k = 0; k < 3; k++) {
      ASSERT_EQ(boardLayout.columnCount[k], 1);
      int32_t ticket = boardLayout.columnTickets[k][0];
      Rect box = CardBox(k, 0);
      CardGeometry g = ComputeCardGeometry(box, ticketStore.tickets[ticket].state, 40, 70);
      int32_t counts[10] = {};
      for (int32_t y = box.top; y < box.bottom; y++)
        for (int32_t x = box.left; x < box.right; x++) {
          HitResult h = Hit(x, y);
          ASSERT_EQ(h.ticket, ticket);
          bool del = RectContains(g.deleteButton, x, y);
          bool middle = RectContains(g.middleButton, x, y);
          bool left = g.hasLeftButton && RectContains(g.leftButton, x, y);
          int32_t painted = del ? HitCardDelete : middle ? HitCardDone : left ? HitCardClarify : HitCardBody;
          ASSERT_EQ(h.code, painted) << "dpi " << d << " column " << k << " at " << x << "," << y;
          counts[h.code]++;
        }
      EXPECT_EQ(counts[HitCardDelete], s(30) * s(30));
      EXPECT_EQ(counts[HitCardDone], s(30) * s(30));
      EXPECT_EQ(counts[HitCardClarify], k == 2 ? 0 : s(30) * s(30));
    }
  }
}

TEST(BoardLayout, CardsAndTheirButtons) {
  Fresh();
  int32_t a = AddTicket(u"A", StateInWork, 1);
  int32_t b = AddTicket(u"B", StateInWork, 2);
  int32_t d = AddTicket(u"D", StateDone, 3);
  ComputeLayout(1280, 800);
  ASSERT_EQ(boardLayout.columnCount[0], 2);
  EXPECT_EQ(boardLayout.columnTickets[0][0], b);  // newest order on top
  EXPECT_EQ(boardLayout.columnTickets[0][1], a);
  EXPECT_EQ(CardTop(0, 0), 208);
  EXPECT_EQ(CardTop(0, 1), 316);

  // Card B: top 208, right 409. Delete 365..395, done 327..357, clarify 289..319; rows 222..252.
  ExpectRect(CardBox(0, 0), 36, 208, 409, 306);
  ExpectRect(ComputeCardButtons(CardBox(0, 0), StateInWork).middleButton, 327, 222, 357, 252);
  EXPECT_EQ(Hit(365, 222).code, HitCardDelete);
  EXPECT_EQ(Hit(394, 251).code, HitCardDelete);
  EXPECT_EQ(Hit(395, 230).code, HitCardBody);  // right edge is outside
  EXPECT_EQ(Hit(370, 252).code, HitCardBody);  // bottom edge is outside
  EXPECT_EQ(Hit(327, 230).code, HitCardDone);
  EXPECT_EQ(Hit(356, 230).code, HitCardDone);
  EXPECT_EQ(Hit(289, 230).code, HitCardClarify);
  EXPECT_EQ(Hit(318, 230).code, HitCardClarify);
  EXPECT_EQ(Hit(288, 230).code, HitCardBody);
  HitResult body = Hit(100, 250);
  EXPECT_EQ(body.code, HitCardBody);
  EXPECT_EQ(body.ticket, b);
  // Between the cards (306..316) lies nothing; the second card begins at 316.
  EXPECT_EQ(Hit(100, 306).code, HitNothing);
  EXPECT_EQ(Hit(100, 306).ticket, -1);
  EXPECT_EQ(Hit(100, 316).ticket, a);

  // A done card: its clarification place is card body, done button still there.
  int32_t right = boardLayout.listRect[2].right;
  EXPECT_EQ(Hit(right - 82, 230).code, HitCardDone);
  HitResult where = Hit(right - 120, 230);
  EXPECT_EQ(where.code, HitCardBody);
  EXPECT_EQ(where.ticket, d);
}

TEST(BoardLayout, HitTestButtonsAndTheClearButtonOnlyWithDoneCards) {
  Fresh();
  ComputeLayout(1280, 800);
  EXPECT_EQ(Hit(1088, 80).code, HitTakeButton);
  EXPECT_EQ(Hit(1257, 125).code, HitTakeButton);
  EXPECT_EQ(Hit(1258, 100).code, HitNothing);
  EXPECT_EQ(Hit(1087, 100).code, HitNothing);
  EXPECT_EQ(Hit(1100, 40).code, HitBindsButton);
  EXPECT_EQ(Hit(900, 40).code, HitSettingsButton);
  EXPECT_EQ(Hit(1075, 40).code, HitNothing);  // the 10 px between them
  EXPECT_EQ(Hit(30, 780).code, HitCreditLink);
  EXPECT_EQ(Hit(30, 790).code, HitNothing);
  // Empty done column: the clear button is computed but not there.
  EXPECT_EQ(Hit(1160, 170).code, HitNothing);
  AddTicket(u"X", StateDone, 1);
  ComputeLayout(1280, 800);
  HitResult clear = Hit(1160, 170);
  EXPECT_EQ(clear.code, HitClearButton);
  EXPECT_EQ(clear.ticket, -1);
}

TEST(BoardLayout, TheHandShowsOverWhatIsClickedNotOverACardBody) {
  const bool hand[] = {false, true, true, true, false, true, true, true, true, true};  // by code
  for (int32_t code = HitNothing; code <= HitSettingsButton; code++)
    EXPECT_EQ(HitShowsHand(code), hand[code]) << code;
}

TEST(BoardLayout, ScrolledOutPartOfACardIsNotHit) {
  Fresh();
  for (uint32_t i = 0; i < 10; i++) AddTicket(u"N", StateInWork, i + 1);
  ComputeLayout(1280, 800);
  boardUi.columnScroll[0] = 50;
  ComputeLayout(1280, 800);
  ASSERT_EQ(boardUi.columnScroll[0], 50);
  // The first card now spans 158..256; only 208.. lies in the list.
  int32_t first = boardLayout.columnTickets[0][0];
  EXPECT_EQ(Hit(100, 180).code, HitNothing);
  EXPECT_EQ(Hit(100, 207).code, HitNothing);
  EXPECT_EQ(Hit(100, 208).ticket, first);
  // The same at the bottom: a card crossing the list bottom (744) is hit only above it.
  int32_t y = 744 - 1;
  EXPECT_EQ(Hit(100, y).code, HitCardBody);
  EXPECT_EQ(Hit(100, 744).code, HitNothing);
}

TEST(BoardLayout, ScrollClamp) {
  Fresh();
  // A list 500 px high: H - 264.
  boardUi.columnScroll[1] = 30;  // empty column
  for (uint32_t i = 0; i < 3; i++) AddTicket(u"A", StateInWork, i + 1);
  for (uint32_t i = 0; i < 10; i++) AddTicket(u"C", StateDone, i + 10);
  boardUi.columnScroll[0] = 400;
  boardUi.columnScroll[2] = 1000;
  ComputeLayout(1280, 764);
  ASSERT_EQ(boardLayout.listRect[0].bottom - boardLayout.listRect[0].top, 500);
  EXPECT_EQ(boardUi.columnScroll[0], 0);    // 314 px of content fits
  EXPECT_EQ(boardUi.columnScroll[1], 0);
  EXPECT_EQ(boardUi.columnScroll[2], 570);  // 1070 - 500
  boardUi.columnScroll[2] = -5;
  ComputeLayout(1280, 764);
  EXPECT_EQ(boardUi.columnScroll[2], 0);
  // Shrinking the window or removing cards pulls the offset back.
  boardUi.columnScroll[2] = 570;
  ComputeLayout(1280, 864);
  EXPECT_EQ(boardUi.columnScroll[2], 470);
  ticketStore.ticketCount = 3 + 5;
  ComputeLayout(1280, 864);
  EXPECT_EQ(boardUi.columnScroll[2], 0);
}

TEST(BoardLayout, WheelScrollsTheColumnUnderThePoint) {
  Fresh();
  for (uint32_t i = 0; i < 20; i++) AddTicket(u"A", StateInWork, i + 1);
  for (uint32_t i = 0; i < 20; i++) AddTicket(u"B", StateClarify, i + 30);
  ComputeLayout(1280, 800);
  // A notch toward the user scrolls down 70 px; only the column under the point moves, header
  // included.
  EXPECT_TRUE(WheelScroll(100, 150, -120));
  EXPECT_EQ(boardUi.columnScroll[0], 70);
  EXPECT_EQ(boardUi.columnScroll[1], 0);
  EXPECT_TRUE(WheelScroll(100, 400, 120));
  EXPECT_EQ(boardUi.columnScroll[0], 0);
  // Truncation toward zero: 70 * 50 / 120 is 29.2.
  WheelScroll(500, 400, -50);
  EXPECT_EQ(boardUi.columnScroll[1], 29);
  WheelScroll(500, 400, 50);
  EXPECT_EQ(boardUi.columnScroll[1], 0);
  // Scrolling up past the top stays at 0; far down stops at the largest offset.
  WheelScroll(500, 400, 1200);
  EXPECT_EQ(boardUi.columnScroll[1], 0);
  for (int i = 0; i < 100; i++) WheelScroll(500, 400, -120);
  EXPECT_EQ(boardUi.columnScroll[1], 20 * 108 - 10 - 536);
  // Outside every column nothing moves.
  EXPECT_FALSE(WheelScroll(430, 400, -120));
  EXPECT_EQ(boardUi.columnScroll[0], 0);
  {
    DpiScope scope(120);
    ComputeLayout(1600, 1000);
    boardUi.columnScroll[0] = 0;
    WheelScroll(boardLayout.columnRect[0].left, 500, -120);
    EXPECT_EQ(boardUi.columnScroll[0], 88);  // s(70) at 120 DPI
  }
}
