// Arithmetic of the board picture: the pulse, icon and card geometry, the thumb, footer texts.
#include <gtest/gtest.h>

#include <string>

#include "fixtures.h"
#include "app/geometry.h"
#include "app/text.h"
#include "board/board_geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/card_geometry.h"
#include "draw/icon_geometry.h"
#include "draw/pulse.h"
#include "draw/theme.h"
#include "reminder/settings.h"
#include "store/ticket.h"

namespace {

std::u16string WaitText(uint32_t seconds) {
  char16_t out[48];
  FormatWaitTime(seconds, out, 48);
  return out;
}

std::u16string Caption(int32_t state, uint32_t wait, int32_t hour, int32_t minute) {
  char16_t out[64];
  FormatCardCaption(state, wait, hour, minute, out, 64);
  return out;
}

}  // namespace

TEST(Pulse, PhaseIsATriangleWaveOf1400Ms) {
  EXPECT_EQ(PulsePhase(0), 0);
  EXPECT_EQ(PulsePhase(1400 * 7), 0);
  EXPECT_EQ(PulsePhase(700), 700);
  EXPECT_EQ(PulsePhase(1400 * 3 + 700), 700);
  EXPECT_EQ(PulsePhase(1050), 350);
  EXPECT_EQ(PulsePhase(350), 350);
  EXPECT_EQ(PulsePhase(1399), 1);
  // The tick count wraps after 49.7 days; the phase stays in range.
  EXPECT_LE(PulsePhase(0xFFFFFFFFu), 700);
}

TEST(Pulse, BlendMixesChannelsAndTruncatesTowardZero) {
  EXPECT_EQ(PulseBlend(Theme::panelColor, Rgb(0x005A8C), 0), Theme::panelColor);
  EXPECT_EQ(PulseBlend(Theme::panelColor, Rgb(0x005A8C), 700), Rgb(0x005A8C));
  // The in-work stripe: blue at the start of a cycle, violet 700 ms later.
  EXPECT_EQ(PulseBlend(Theme::accentBlue, Theme::accentViolet, PulsePhase(0)), Rgb(0x00A3FF));
  EXPECT_EQ(PulseBlend(Theme::accentBlue, Theme::accentViolet, PulsePhase(700)), Rgb(0x785AF0));
  // 255 + (0 - 255) * 1 / 700 is 255 - 0.36, truncated to 255 (a floor would give 254).
  EXPECT_EQ(PulseBlend(0x0000FF, 0x000000, 1), 0x0000FFu);
  // Channels never bleed into one another: halfway from black to white is grey in each.
  EXPECT_EQ(PulseBlend(0x000000, 0xFFFFFF, 350), 0x7F7F7Fu);
  EXPECT_EQ(PulseBlend(0xFF0000, 0x0000FF, 350), 0x80007Fu);
}

TEST(Pulse, HaloGrowsWhileItFadesAndRestsWhenInactive) {
  DpiScope scope(96);
  PulseHalo start = PulseHaloAt(4, Rgb(0x005A8C), Theme::panelColor, true, 0);
  EXPECT_EQ(start.radius, 4);
  EXPECT_EQ(start.colour, Rgb(0x005A8C));
  PulseHalo middle = PulseHaloAt(4, Rgb(0x005A8C), Theme::panelColor, true, 700);
  EXPECT_EQ(middle.radius, 7);
  EXPECT_EQ(middle.colour, Theme::panelColor);
  EXPECT_EQ(PulseHaloAt(4, Rgb(0x005A8C), Theme::panelColor, true, 350).radius, 5);
  PulseHalo off = PulseHaloAt(4, Rgb(0x005A8C), Theme::panelColor, false, 350);
  EXPECT_EQ(off.radius, 4);
  EXPECT_EQ(off.colour, Theme::panelColor);
}

TEST(IconGeometry, GearSpokesScaleEachCoordinateOnItsOwn) {
  {
    DpiScope scope(96);
    GearIcon g = GearIconAt(100, 50);
    EXPECT_EQ(g.spokes[0].x1, 109);
    EXPECT_EQ(g.spokes[0].y1, 50);
    EXPECT_EQ(g.spokes[1].x1, 106);
    EXPECT_EQ(g.spokes[1].y1, 56);
    EXPECT_EQ(g.spokes[4].x1, 91);
    EXPECT_EQ(g.spokes[6].y1, 41);
    EXPECT_EQ(g.penWidth, 3);
    EXPECT_EQ(g.disc.radius, 6);
    EXPECT_EQ(g.hole.radius, 2);
    for (const Stroke& k : g.spokes) {
      EXPECT_EQ(k.x0, 100);
      EXPECT_EQ(k.y0, 50);
    }
  }
  DpiScope scope(144);
  GearIcon g = GearIconAt(0, 0);
  EXPECT_EQ(g.spokes[0].x1, 14);   // MulDiv(9, 144, 96) = 13.5 rounded
  EXPECT_EQ(g.spokes[1].x1, 9);
  EXPECT_EQ(g.spokes[1].y1, 9);
  EXPECT_EQ(g.spokes[5].x1, -9);
  EXPECT_EQ(g.spokes[6].y1, -14);  // rounding is away from zero on both sides
}

TEST(IconGeometry, KeyboardCrossArrowCheckAndPause) {
  DpiScope scope(96);
  KeyboardIcon k = KeyboardIconAt(50, 40);
  EXPECT_TRUE(RectEquals(k.outline, Rect{41, 34, 59, 46}));
  EXPECT_EQ(k.keys[0].cx, 45);
  EXPECT_EQ(k.keys[2].cx, 55);
  EXPECT_EQ(k.keys[1].cy, 38);
  EXPECT_EQ(k.spaceBar.x0, 46);
  EXPECT_EQ(k.spaceBar.x1, 54);
  EXPECT_EQ(k.barWidth, 1);

  Rect button{0, 0, 30, 30};  // centre (15, 15)
  LineIcon cross = CrossIconIn(button);
  ASSERT_EQ(cross.count, 2);
  // LineTo leaves out its end point, so each arm runs one past to end symmetric.
  EXPECT_EQ(cross.strokes[0].x0, 10);
  EXPECT_EQ(cross.strokes[0].x1, 21);
  EXPECT_EQ(cross.strokes[1].y1, 9);
  EXPECT_EQ(BackArrowIconIn(button).count, 3);
  EXPECT_EQ(BackArrowIconIn(button).strokes[0].x1, 9);
  LineIcon check = CheckIconIn(button);
  EXPECT_EQ(check.strokes[1].x1, 21);
  EXPECT_EQ(check.strokes[1].y1, 10);

  Rect bars[2];
  PauseBarsAt(20, 20, bars);
  EXPECT_TRUE(RectEquals(bars[0], Rect{16, 15, 18, 25}));
  EXPECT_TRUE(RectEquals(bars[1], Rect{21, 15, 23, 25}));
  EXPECT_EQ(bars[1].left - bars[0].right, 3);
}

TEST(IconGeometry, ToolButtonBadgeGrowsAndLabelGivesWay) {
  DpiScope scope(96);
  Rect box{100, 22, 278, 58};
  ToolButtonParts narrow = ToolButtonGeometry(box, 20);
  EXPECT_EQ(narrow.iconX, 122);
  EXPECT_EQ(narrow.iconY, 40);
  EXPECT_TRUE(RectEquals(narrow.badge, Rect{278 - 43, 29, 271, 51}));
  EXPECT_EQ(narrow.label.left, 138);
  EXPECT_EQ(narrow.label.right, narrow.badge.left - 6);
  ToolButtonParts wide = ToolButtonGeometry(box, 60);
  EXPECT_EQ(wide.badge.right, 271);
  EXPECT_EQ(wide.badge.right - wide.badge.left, 60 + 16);
  EXPECT_EQ(narrow.badge.left - wide.badge.left, 40);
  EXPECT_EQ(wide.label.right, wide.badge.left - 6);
}

TEST(CardGeometry, BandsOfA98PixelCardInEachState) {
  DpiScope scope(96);
  Rect box{36, 208, 400, 306};
  CardGeometry work = ComputeCardGeometry(box, StateInWork, 40, 70);
  EXPECT_TRUE(RectEquals(work.stripe, Rect{43, 222, 47, 292}));
  EXPECT_EQ(work.number.top - box.top, 10);
  EXPECT_EQ(work.number.bottom - box.top, 46);
  EXPECT_TRUE(RectEquals(work.deleteButton, Rect{356, 222, 386, 252}));
  EXPECT_TRUE(RectEquals(work.middleButton, Rect{318, 222, 348, 252}));
  EXPECT_TRUE(RectEquals(work.leftButton, Rect{280, 222, 310, 252}));
  EXPECT_TRUE(work.hasLeftButton);
  EXPECT_EQ(work.number.left, 60);
  EXPECT_EQ(work.number.right, 272);
  EXPECT_EQ(work.pill.top - box.top, 56);
  EXPECT_EQ(work.pill.bottom - box.top, 84);
  EXPECT_EQ(work.pill.right, 386);
  EXPECT_EQ(work.pill.left, 400 - (34 + 40 + 14));
  EXPECT_TRUE(RectEquals(work.pillText, Rect{work.pill.left + 24, work.pill.top, 378, work.pill.bottom}));
  EXPECT_EQ(work.markX, work.pill.left + 14);
  EXPECT_EQ(work.markY, box.top + 70);
  EXPECT_EQ(work.caption.right, work.pill.left - 10);
  EXPECT_EQ(work.caption.left, work.pill.left - 12 - 70);
  EXPECT_EQ(work.description.left, 60);
  EXPECT_EQ(work.description.right, work.caption.left - 10);

  // A done card has no left button: its number runs up to 8 px left of the return arrow, and its
  // pill is narrower because it has no icon.
  CardGeometry done = ComputeCardGeometry(box, StateDone, 40, 70);
  EXPECT_FALSE(done.hasLeftButton);
  EXPECT_EQ(done.number.right, done.middleButton.left - 8);
  EXPECT_EQ(done.pill.left, 400 - (22 + 40 + 14));
  EXPECT_TRUE(RectEquals(done.pillText, done.pill));

  // A caption too long for the card stops 40 px right of the text column and is cut there.
  CardGeometry longCaption = ComputeCardGeometry(box, StateClarify, 40, 500);
  EXPECT_TRUE(longCaption.hasLeftButton);
  EXPECT_EQ(longCaption.caption.left, 36 + 24 + 40);
  EXPECT_EQ(longCaption.description.right, longCaption.caption.left - 10);
}

TEST(CardGeometry, ElementsScaleOnTheirOwn) {
  // At each of these DPIs a sum of two constants rounds apart from the constants rounded one by
  // one, so an edge placed by scaling the sum lands a pixel off.
  Rect box{0, 0, 600, 110};
  {
    DpiScope scope(120);  // 38 + 18, where s(44) is 55
    EXPECT_EQ(ComputeCardGeometry(box, StateInWork, 60, 90).deleteButton.left, 600 - 56);
  }
  {
    DpiScope scope(108);  // 32 + 16, where s(42) is 47; 8 + 5 where s(11) is 12
    CardGeometry g = ComputeCardGeometry(box, StateInWork, 60, 90);
    EXPECT_EQ(g.pill.top, 110 - 48);
    EXPECT_EQ(g.stripe.right, 12);
  }
  {
    DpiScope scope(110);  // 34 + 9, where s(38) is 44
    CardGeometry g = ComputeCardGeometry(box, StateInWork, 60, 90);
    EXPECT_EQ(g.leftButton.left, g.middleButton.left - 43);
  }
}

TEST(CardTexts, WaitTimeCaptionsAndDescription) {
  EXPECT_EQ(WaitText(59), u"0 мин");
  EXPECT_EQ(WaitText(3599), u"59 мин");
  EXPECT_EQ(WaitText(3600), u"1 ч 0 мин");
  EXPECT_EQ(WaitText(2 * 3600 + 5 * 60 + 59), u"2 ч 5 мин");
  EXPECT_EQ(WaitText(100 * 3600), u"100 ч 0 мин");

  EXPECT_EQ(Caption(StateClarify, 59, 0, 0), u"ждёт 0 мин");
  EXPECT_EQ(Caption(StateClarify, 7500, 0, 0), u"ждёт 2 ч 5 мин");
  EXPECT_EQ(Caption(StateInWork, 0, 9, 5), u"взята в 09:05");
  EXPECT_EQ(Caption(StateDone, 0, 23, 59), u"выполнена в 23:59");

  Ticket t{};
  t.state = StateClarify;
  t.stateSince = 1000;
  EXPECT_EQ(SecondsInState(t, 1059), 59u);
  EXPECT_EQ(SecondsInState(t, 900), 0u);  // the clock was set back: no wrap-around
  t.createdAt = 11;
  t.doneAt = 22;
  EXPECT_EQ(CaptionMoment(t), 0u);
  t.state = StateInWork;
  EXPECT_EQ(CaptionMoment(t), 11u);
  t.state = StateDone;
  EXPECT_EQ(CaptionMoment(t), 22u);

  bool placeholder = true;
  EXPECT_EQ(std::u16string(ShownDescription(t, &placeholder)), u"");
  EXPECT_FALSE(placeholder);
  t.state = StateInWork;
  EXPECT_EQ(std::u16string(ShownDescription(t, &placeholder)), u"без описания");
  EXPECT_TRUE(placeholder);
  t.state = StateClarify;
  CopyText(t.description, descriptionUnits, u"звонок & письмо");
  EXPECT_EQ(std::u16string(ShownDescription(t, &placeholder)), u"звонок & письмо");
  EXPECT_FALSE(placeholder);
}

TEST(BoardGeometry, ThumbOf250CardsHasMinimumLengthAndReachesBothEnds) {
  DpiScope scope(96);
  Rect list{36, 208, 400, 708};  // 500 px high
  int32_t content = 250 * (98 + 10) - 10;
  Rect thumb;
  ASSERT_TRUE(ScrollThumb(list, 250, 98, 10, 0, &thumb));
  EXPECT_EQ(thumb.bottom - thumb.top, 30);
  EXPECT_EQ(thumb.top, list.top);
  EXPECT_EQ(thumb.left, list.right + 4);
  EXPECT_EQ(thumb.right, list.right + 8);
  ASSERT_TRUE(ScrollThumb(list, 250, 98, 10, content - 500, &thumb));
  EXPECT_EQ(thumb.bottom, list.bottom);
  ASSERT_TRUE(ScrollThumb(list, 10, 98, 10, 0, &thumb));  // content 1070
  EXPECT_EQ(thumb.bottom - thumb.top, 500 * 500 / 1070);

  // No thumb while everything fits, nor for an empty list.
  EXPECT_FALSE(ScrollThumb(list, 3, 98, 10, 0, &thumb));
  EXPECT_FALSE(ScrollThumb(list, 0, 98, 10, 0, &thumb));
  // A list shorter than the minimum thumb keeps the thumb inside it.
  Rect tiny{0, 100, 100, 120};
  ASSERT_TRUE(ScrollThumb(tiny, 5, 98, 10, 520, &thumb));
  EXPECT_GE(thumb.top, tiny.top);
  EXPECT_LE(thumb.bottom, tiny.bottom);
}

TEST(BoardGeometry, CardsOutsideTheListAreSkipped) {
  Rect list{0, 200, 300, 700};
  EXPECT_TRUE(CardInList(list, 200, 98));
  EXPECT_TRUE(CardInList(list, 102, 98));   // its bottom edge touches the list top
  EXPECT_FALSE(CardInList(list, 101, 98));
  EXPECT_TRUE(CardInList(list, 700, 98));
  EXPECT_FALSE(CardInList(list, 701, 98));
  EXPECT_TRUE(CardInList(list, 150, 98));   // partly scrolled out, cut by the clip
}

TEST(BoardGeometry, HeaderTagColumnPartsAndCountBadge) {
  DpiScope scope(96);
  EXPECT_TRUE(RectEquals(TagBox(22, 150, 50), Rect{186, 26, 22 + 150 + 50 + 40, 54}));
  Rect column{22, 146, 420, 756};
  Rect list{36, 208, 406, 744};
  ColumnParts p = ComputeColumnParts(column, list);
  EXPECT_EQ(p.dotX, 46);
  EXPECT_EQ(p.dotY, 175);
  EXPECT_EQ(p.dotRadius, 4);
  EXPECT_TRUE(RectEquals(p.title, Rect{60, 158, 406, 192}));
  EXPECT_EQ(p.separatorY, 198);
  EXPECT_EQ(p.separatorLeft, 36);
  EXPECT_EQ(p.separatorRight, 406);
  EXPECT_TRUE(RectEquals(p.clip, Rect{34, 208, 408, 744}));
  EXPECT_TRUE(RectEquals(p.emptyText, Rect{46, 248, 396, 328}));
  // The badge starts 10 px after the title's end and holds the count with 9 px on each side.
  Rect badge = CountBadgeBox(column, 120, 8);
  EXPECT_EQ(badge.left, p.title.left + 120 + 10);
  EXPECT_EQ(badge.right - badge.left, 8 + 18);
  EXPECT_EQ(badge.top, 164);
  EXPECT_EQ(badge.bottom, 186);
  {
    DpiScope big(144);
    EXPECT_EQ(ComputeColumnParts(column, list).clip.left, list.left - 2);  // device pixels
  }
}

TEST(BoardTexts, SettingsBadgeAndStatisticsLine) {
  char16_t out[200];
  Settings st{1, 9, 5, 0};
  FormatSettingsBadge(st, out, 200);
  EXPECT_EQ(std::u16string(out), u"09:05");
  st.remind = 0;
  FormatSettingsBadge(st, out, 200);
  EXPECT_EQ(std::u16string(out), u"выкл");

  FormatStatistics(0, 0, 0, 0, out, 200);
  EXPECT_EQ(std::u16string(out),
            u"в работе: 0   ·   на уточнении: 0   ·   выполнено: 0   ·   время по выполненным: 00:00");
  ResetTicketStore();
  AddTicket(u"INC1", StateDone, 1, 3000);
  AddTicket(u"INC1", StateInWork, 2, 99999);
  AddTicket(u"INC1", StateDone, 3, 725);
  int32_t count[3];
  static int32_t lists[3][maxTickets];
  SortIntoColumns(count, lists);
  uint32_t sum = WorkedSum(lists[2], count[2]);
  EXPECT_EQ(sum, 3725u);
  FormatStatistics(count[0], count[1], count[2], sum, out, 200);
  EXPECT_EQ(std::u16string(out),
            u"в работе: 1   ·   на уточнении: 0   ·   выполнено: 2   ·   время по выполненным: 1:02:05");
  // A footer too small for the line still gets a terminated, cut text.
  char16_t small[12];
  FormatStatistics(1, 2, 3, 4, small, 12);
  EXPECT_EQ(TextLength(small), 11);
  ResetTicketStore();
}

TEST(BoardDrag, DropTargetIsAnotherColumnUnderTheMouse) {
  DpiScope scope(96);
  ResetTicketStore();
  boardUi = {};
  AddTicket(u"INC1", StateInWork, 1);
  AddTicket(u"INC1", StateDone, 2);
  ComputeLayout(1280, 800);
  const BoardLayout& L = boardLayout;
  int32_t midY = (L.columnRect[0].top + L.columnRect[0].bottom) / 2;
  boardUi.mouseX = L.columnRect[1].left + 5;
  boardUi.mouseY = midY;
  EXPECT_FALSE(IsDropTarget(1));  // no drag in progress
  boardUi.dragging = true;
  boardUi.dragTicket = 0;
  EXPECT_TRUE(IsDropTarget(1));
  EXPECT_FALSE(IsDropTarget(0));
  EXPECT_FALSE(IsDropTarget(2));
  boardUi.mouseX = L.columnRect[0].left + 5;
  EXPECT_FALSE(IsDropTarget(0));  // the card's own column is never marked
  boardUi.mouseX = L.columnRect[1].right;  // right edge: outside
  EXPECT_FALSE(IsDropTarget(1));
  boardUi.dragTicket = 7;  // not in the store: no target, no crash
  boardUi.mouseX = L.columnRect[1].left + 5;
  EXPECT_FALSE(IsDropTarget(1));

  boardUi.dragTicket = 1;
  boardUi.mouseX = 500;
  boardUi.mouseY = 300;
  boardUi.grabX = 40;
  boardUi.grabY = 12;
  Rect drag = DragCardBox();
  EXPECT_EQ(drag.left, 460);
  EXPECT_EQ(drag.top, 288);
  EXPECT_EQ(drag.right - drag.left, L.listRect[0].right - L.listRect[0].left);
  EXPECT_EQ(drag.bottom - drag.top, 98);
  boardUi = {};
  ResetTicketStore();
}

TEST(BoardHover, CardCodesMapToTheHoveredButton) {
  boardUi = {};
  boardUi.hoverTicket = 3;
  boardUi.hoverCode = HitCardBody;
  EXPECT_TRUE(CardHovered(3));
  EXPECT_FALSE(CardHovered(2));
  EXPECT_EQ(CardHoverButton(3), CardButtonNone);
  boardUi.hoverCode = HitCardDelete;
  EXPECT_EQ(CardHoverButton(3), CardButtonDelete);
  EXPECT_EQ(CardHoverButton(2), CardButtonNone);
  boardUi.hoverCode = HitCardDone;
  EXPECT_EQ(CardHoverButton(3), CardButtonDone);
  boardUi.hoverCode = HitCardClarify;
  EXPECT_EQ(CardHoverButton(3), CardButtonClarify);
  EXPECT_TRUE(CardHovered(3));
  boardUi.hoverCode = HitTakeButton;  // a stale ticket with a non-card code
  EXPECT_FALSE(CardHovered(3));
  boardUi = {};
}
