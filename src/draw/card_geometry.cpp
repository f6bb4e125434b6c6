#include "draw/card_geometry.h"

#include "app/text.h"
#include "draw/icon_geometry.h"

CardButtons ComputeCardButtons(const Rect& box, int32_t state) {
  const int32_t t = box.top, r = box.right;
  CardButtons b;
  b.deleteButton = Rect{r - s(30) - s(14), t + s(14), r - s(14), t + s(30) + s(14)};
  b.middleButton = Rect{r - (s(14) + s(30) + s(30) + s(8)), t + s(14), r - (s(30) + s(8) + s(14)),
                        t + s(30) + s(14)};
  b.leftButton = Rect{b.middleButton.left - (s(30) + s(8)), b.middleButton.top,
                      b.middleButton.right - (s(30) + s(8)), b.middleButton.bottom};
  b.hasLeftButton = ColumnOf(state) != 2;
  return b;
}

CardGeometry ComputeCardGeometry(const Rect& box, int32_t state, int32_t timeWidth,
                                 int32_t captionWidth) {
  const int32_t l = box.left, t = box.top, r = box.right, b = box.bottom;
  CardGeometry g;
  g.stripe = Rect{l + s(7), t + s(14), l + s(11), b - s(14)};
  static_cast<CardButtons&>(g) = ComputeCardButtons(box, state);
  int32_t leftmost = g.hasLeftButton ? g.leftButton.left : g.middleButton.left;
  g.number = Rect{l + s(24), t + s(10), leftmost - s(8), t + s(46)};

  bool done = !g.hasLeftButton;
  int32_t pillLeft = done ? r - (s(22) + timeWidth + s(14)) : r - (s(34) + timeWidth + s(14));
  g.pill = Rect{pillLeft, b - (s(28) + s(14)), r - s(14), b - s(14)};
  g.pillText = done ? g.pill : Rect{pillLeft + s(24), g.pill.top, g.pill.right - s(8), g.pill.bottom};
  g.markX = pillLeft + s(14);
  g.markY = CentreY(g.pill);

  int32_t captionLeft = pillLeft - (s(12) + captionWidth);
  int32_t captionMin = l + s(24) + s(40);
  if (captionLeft < captionMin) captionLeft = captionMin;
  g.caption = Rect{captionLeft, g.pill.top, pillLeft - s(10), g.pill.bottom};
  g.description = Rect{l + s(24), g.pill.top, captionLeft - s(10), g.pill.bottom};
  return g;
}

CardSides ComputeCardSides(const Rect& from, const Rect& to, int32_t state, int32_t timeWidth,
                           int32_t captionWidth, int32_t numberWidth, int32_t descriptionWidth) {
  const CardGeometry a = ComputeCardGeometry(from, state, timeWidth, captionWidth);
  const CardGeometry b = ComputeCardGeometry(to, state, timeWidth, captionWidth);
  const int32_t edge = s(24), pad = s(4);  // pad: room for a glyph reaching past its advance
  auto anchored = [&](const CardGeometry& g, const Rect& box) {
    return g.caption.left == g.pill.left - (s(12) + captionWidth) &&
           g.number.right - box.left >= edge && g.description.right - box.left >= edge;
  };
  auto whole = [&](int32_t width, int32_t roomBefore, int32_t roomAfter) {
    return width >= 0 && edge + width + pad <= roomBefore && edge + width + pad <= roomAfter;
  };
  CardSides c;
  c.upperRight = to.right - b.number.right;
  c.lowerRight = to.right - b.description.right;
  c.split = b.pill.top;
  c.fixed = from.top == to.top && from.bottom == to.bottom && anchored(a, from) &&
            anchored(b, to) && c.upperRight == from.right - a.number.right &&
            c.lowerRight == from.right - a.description.right;
  c.numberMoves = whole(numberWidth, a.number.right - from.left, b.number.right - to.left);
  c.descriptionMoves =
      whole(descriptionWidth, a.description.right - from.left, b.description.right - to.left);
  c.upperLeft = c.numberMoves ? edge + numberWidth + pad : edge;
  c.lowerLeft = c.descriptionMoves ? edge + descriptionWidth + pad : edge;
  return c;
}

void FormatWaitTime(uint32_t seconds, char16_t* out, int32_t cap) {
  if (seconds >= 3600)
    FormatText(out, cap, u"%lu ч %lu мин", seconds / 3600, (seconds / 60) % 60);
  else
    FormatText(out, cap, u"%lu мин", seconds / 60);
}

uint32_t SecondsInState(const Ticket& ticket, uint32_t now) {
  return now > ticket.stateSince ? now - ticket.stateSince : 0;
}

void FormatCardCaption(int32_t state, uint32_t waitSeconds, int32_t hour, int32_t minute,
                       char16_t* out, int32_t cap) {
  if (state == StateClarify) {
    char16_t wait[48];
    FormatWaitTime(waitSeconds, wait, 48);
    FormatText(out, cap, u"ждёт %s", wait);
  } else if (state == StateInWork) {
    FormatText(out, cap, u"взята в %02d:%02d", hour, minute);
  } else {
    FormatText(out, cap, u"выполнена в %02d:%02d", hour, minute);
  }
}

uint32_t CaptionMoment(const Ticket& ticket) {
  if (ticket.state == StateInWork) return ticket.createdAt;
  if (ticket.state == StateClarify) return 0;
  return ticket.doneAt;
}

const char16_t* ShownDescription(const Ticket& ticket, bool* placeholder) {
  *placeholder = false;
  if (ticket.description[0]) return ticket.description;
  if (ColumnOf(ticket.state) == 2) return u"";
  *placeholder = true;
  return u"без описания";
}
