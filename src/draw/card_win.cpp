// A ticket card: rounded body, state stripe, number, description, time pill, caption, buttons.
#include "draw/card_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/text.h"
#include "draw/draw_win.h"
#include "draw/pulse.h"
#include "draw/theme.h"
#include "store/ticket.h"

namespace CardColor {
constexpr uint32_t workPill = Rgb(0x0E202E);
constexpr uint32_t workPillLineLow = Rgb(0x005A91);
constexpr uint32_t workHalo = Rgb(0x006EAA);
constexpr uint32_t clarifyPill = Rgb(0x2A1F0E);
constexpr uint32_t clarifyPillLine = Rgb(0x8C6428);
constexpr uint32_t clarifyTime = Rgb(0xEBE1D2);
constexpr uint32_t clarifyCaption = Rgb(0xC89646);
constexpr uint32_t donePill = Rgb(0x242328);
constexpr uint32_t doneCaption = Rgb(0x50BEA5);
constexpr uint32_t doneButton = Rgb(0x143448);
constexpr uint32_t askButton = Rgb(0x342816);
constexpr uint32_t askButtonHover = Rgb(0x5A3E14);
constexpr uint32_t deleteHover = Rgb(0x461E28);
}  // namespace CardColor

static void DrawTimePill(HDC dc, const Ticket& ticket, const CardGeometry& g,
                         const char16_t* time, int32_t phase) {
  int32_t column = ColumnOf(ticket.state);
  if (column == 0) {
    FillRoundRect(dc, g.pill, s(26), CardColor::workPill,
                  PulseBlend(CardColor::workPillLineLow, Theme::accentBlue, phase));
    DrawPulseDot(dc, g.markX, g.markY, s(3), CardColor::workHalo, CardColor::workPill,
                 Theme::accentBlue, true, phase);
    DrawTextIn(dc, time, g.pillText, fontSet.timerFont, Theme::textColor, textCentred);
  } else if (column == 1) {
    FillRoundRect(dc, g.pill, s(26), CardColor::clarifyPill, CardColor::clarifyPillLine);
    DrawPauseIcon(dc, g.markX, g.markY, Theme::amber);
    DrawTextIn(dc, time, g.pillText, fontSet.timerFont, CardColor::clarifyTime, textCentred);
  } else {
    FillRoundRect(dc, g.pill, s(26), CardColor::donePill, Theme::toolLineColor);
    DrawTextIn(dc, time, g.pillText, fontSet.timerFont, Theme::mutedText, textCentred);
  }
}

static void DrawCardButtons(HDC dc, const Ticket& ticket, const CardGeometry& g,
                            int32_t hoveredButton) {
  bool onDelete = hoveredButton == CardButtonDelete;
  FillRoundRect(dc, g.deleteButton, s(10), onDelete ? CardColor::deleteHover : Theme::chipColor,
                noOutline);
  DrawCrossIcon(dc, g.deleteButton, onDelete ? Theme::danger : Theme::mutedText);

  bool onMiddle = hoveredButton == CardButtonDone;
  if (ColumnOf(ticket.state) == 2) {
    FillRoundRect(dc, g.middleButton, s(10), onMiddle ? Theme::chipHoverColor : Theme::chipColor,
                  noOutline);
    DrawBackArrowIcon(dc, g.middleButton, onMiddle ? Theme::textColor : Theme::mutedText);
    return;
  }
  if (onMiddle) {
    FillAccentGradient(dc, g.middleButton, s(10), false);
    DrawCheckIcon(dc, g.middleButton, Theme::textColor);
  } else {
    FillRoundRect(dc, g.middleButton, s(10), CardColor::doneButton, noOutline);
    DrawCheckIcon(dc, g.middleButton, Theme::accentLight);
  }

  bool onLeft = hoveredButton == CardButtonClarify;
  if (ColumnOf(ticket.state) == 0) {
    FillRoundRect(dc, g.leftButton, s(10), onLeft ? CardColor::askButtonHover : CardColor::askButton,
                  noOutline);
    DrawTextIn(dc, u"?", g.leftButton, fontSet.headingFont, onLeft ? Theme::textColor : Theme::amber,
               textCentred);
  } else {
    FillRoundRect(dc, g.leftButton, s(10), onLeft ? Theme::chipHoverColor : Theme::chipColor,
                  noOutline);
    DrawBackArrowIcon(dc, g.leftButton, onLeft ? Theme::textColor : Theme::mutedText);
  }
}

// The number and the description, cut to the card's width.
static void DrawNumber(HDC dc, const PreparedCard& c) {
  DrawTextIn(dc, c.look.number, c.geometry.number, fontSet.numberFont, Theme::textColor,
             textLeftCut);
}
static void DrawDescription(HDC dc, const PreparedCard& c) {
  if (c.look.description[0])
    DrawTextIn(dc, c.look.description, c.geometry.description, fontSet.bodyFont,
               c.look.placeholder ? Theme::dimText : Theme::mutedText, textLeftCut);
}

bool SameCardLook(const CardLook& a, const CardLook& b) {
  auto same = [](const char16_t* x, const char16_t* y) {
    for (; *x == *y; x++, y++)
      if (!*x) return true;
    return false;
  };
  return a.state == b.state && a.hoveredButton == b.hoveredButton && a.timeWidth == b.timeWidth &&
         a.captionWidth == b.captionWidth && a.width == b.width && a.height == b.height &&
         a.dpi == b.dpi && a.hovered == b.hovered && a.placeholder == b.placeholder &&
         same(a.number, b.number) && same(a.description, b.description) &&
         same(a.caption, b.caption) && same(a.time, b.time);
}

void DrawPreparedCard(HDC dc, const PreparedCard& c, bool dragImage, int32_t phase) {
  const Ticket& ticket = ticketStore.tickets[c.index];
  const CardGeometry& g = c.geometry;
  const Rect& box = c.box;
  bool hovered = c.look.hovered;
  int32_t column = ColumnOf(ticket.state);
  uint32_t outline = dragImage ? Theme::accentBlue : hovered ? Theme::lineHoverColor : Theme::lineColor;
  FillRoundRect(dc, box, s(14), hovered || dragImage ? Theme::cardHoverColor : Theme::fieldColor,
                outline);
  uint32_t stripe = column == 0   ? PulseBlend(Theme::accentBlue, Theme::accentViolet, phase)
                    : column == 1 ? Theme::amber
                                  : Theme::teal;
  FillRoundRect(dc, g.stripe, s(4), stripe, noOutline);
  DrawNumber(dc, c);
  DrawDescription(dc, c);
  DrawTimePill(dc, ticket, g, c.time, phase);
  uint32_t captionColour = column == 0   ? Theme::dimText
                           : column == 1 ? CardColor::clarifyCaption
                                         : CardColor::doneCaption;
  DrawTextIn(dc, c.look.caption, g.caption, fontSet.smallFont, captionColour, textRightCut);
  if (!dragImage) DrawCardButtons(dc, ticket, g, c.look.hoveredButton);
}

bool CardMovableFrom(const PreparedCard& c, const Rect& from) {
  const CardLook& look = c.look;
  return ComputeCardSides(from, c.box, look.state, look.timeWidth, look.captionWidth, -1, -1).fixed;
}

void MoveCardToWidth(HDC dc, const PreparedCard& c, const Rect& from) {
  const Rect& to = c.box;
  const CardLook& look = c.look;
  const CardSides side = ComputeCardSides(
      from, to, look.state, look.timeWidth, look.captionWidth,
      KeptTextWidth(dc, look.number, fontSet.numberFont),
      KeptTextWidth(dc, look.description, fontSet.bodyFont));
  const int32_t top = to.top, split = side.split, bottom = to.bottom;
  auto moveLeftSide = [&] {
    BitBlt(dc, to.left, top, side.upperLeft, split - top, dc, from.left, top, SRCCOPY);
    BitBlt(dc, to.left, split, side.lowerLeft, bottom - split, dc, from.left, split, SRCCOPY);
  };
  auto moveRightSide = [&] {
    BitBlt(dc, to.right - side.upperRight, top, side.upperRight, split - top, dc,
           from.right - side.upperRight, top, SRCCOPY);
    BitBlt(dc, to.right - side.lowerRight, split, side.lowerRight, bottom - split, dc,
           from.right - side.lowerRight, split, SRCCOPY);
  };
  // The side towards which the card moves goes first, so that neither side is taken from
  // pixels already written over; what lies between is written where neither side was.
  bool rightwards = to.left > from.left || to.right > from.right;
  if (rightwards)
    moveRightSide();
  else
    moveLeftSide();
  // Between the sides the body is its fill, with the outline's row at the top and the bottom.
  Rect upper{to.left + side.upperLeft, top, to.right - side.upperRight, split};
  Rect lower{to.left + side.lowerLeft, split, to.right - side.lowerRight, bottom};
  uint32_t fill = look.hovered ? Theme::cardHoverColor : Theme::fieldColor;
  uint32_t line = look.hovered ? Theme::lineHoverColor : Theme::lineColor;
  FillPlain(dc, upper, fill);
  FillPlain(dc, lower, fill);
  FillPlain(dc, Rect{upper.left, top, upper.right, top + 1}, line);
  FillPlain(dc, Rect{lower.left, bottom - 1, lower.right, bottom}, line);
  if (rightwards)
    moveLeftSide();
  else
    moveRightSide();
  if (!side.numberMoves) DrawNumber(dc, c);
  if (!side.descriptionMoves) DrawDescription(dc, c);
}

bool PrepareCard(HDC dc, const Rect& box, int32_t index, bool hovered, int32_t hoveredButton,
                 uint32_t now, PreparedCard* out) {
  if (index < 0 || index >= ticketStore.ticketCount) return false;
  const Ticket& ticket = ticketStore.tickets[index];
  PreparedCard& c = *out;
  c.index = index;
  c.box = box;
  FormatDuration(WorkedNow(ticket, now), c.time, 32);
  CardLook& look = c.look;
  uint32_t moment = CaptionMoment(ticket);
  LocalTime local = ColumnOf(ticket.state) == 1 ? LocalTime{} : UnixToLocalTime(moment);
  FormatCardCaption(ticket.state, SecondsInState(ticket, now), local.hour, local.minute,
                    look.caption, 64);
  look.state = ticket.state;
  look.hoveredButton = hoveredButton;
  look.hovered = hovered;
  look.timeWidth = TextWidth(dc, c.time, fontSet.timerFont);
  look.captionWidth = TextWidth(dc, look.caption, fontSet.smallFont);
  look.width = box.right - box.left;
  look.height = box.bottom - box.top;
  look.dpi = dpi;
  CopyText(look.number, numberUnits, ticket.number);
  CopyText(look.description, descriptionUnits, ShownDescription(ticket, &look.placeholder));
  // The running time of a card in work is drawn over its look on every frame.
  CopyText(look.time, 32, ColumnOf(ticket.state) == 0 ? u"" : c.time);
  c.geometry = ComputeCardGeometry(box, ticket.state, look.timeWidth, look.captionWidth);
  return true;
}

void DrawCardClockParts(HDC dc, const PreparedCard& c, int32_t phase) {
  const Ticket& ticket = ticketStore.tickets[c.index];
  if (ColumnOf(ticket.state) != 0) return;
  FillRoundRect(dc, c.geometry.stripe, s(4),
                PulseBlend(Theme::accentBlue, Theme::accentViolet, phase), noOutline);
  DrawTimePill(dc, ticket, c.geometry, c.time, phase);
}

void DrawTicketCard(HDC dc, const Rect& box, int32_t index, bool hovered, int32_t hoveredButton,
                    bool dragImage, uint32_t now, int32_t phase) {
  PreparedCard card;
  if (PrepareCard(dc, box, index, hovered, hoveredButton, now, &card))
    DrawPreparedCard(dc, card, dragImage, phase);
}
