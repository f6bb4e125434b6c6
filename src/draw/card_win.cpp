// A ticket card: rounded body, state stripe, number, description, time pill, caption, buttons.
#include "draw/card_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
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

void DrawTicketCard(HDC dc, const Rect& box, int32_t index, bool hovered, int32_t hoveredButton,
                    bool dragImage, uint32_t now, int32_t phase) {
  if (index < 0 || index >= ticketStore.ticketCount) return;
  const Ticket& ticket = ticketStore.tickets[index];
  int32_t column = ColumnOf(ticket.state);

  uint32_t outline = dragImage ? Theme::accentBlue : hovered ? Theme::lineHoverColor : Theme::lineColor;
  FillRoundRect(dc, box, s(14), hovered || dragImage ? Theme::cardHoverColor : Theme::fieldColor,
                outline);

  char16_t time[32];
  FormatDuration(WorkedNow(ticket, now), time, 32);
  char16_t caption[64];
  uint32_t moment = CaptionMoment(ticket);
  LocalTime local = column == 1 ? LocalTime{} : UnixToLocalTime(moment);
  FormatCardCaption(ticket.state, SecondsInState(ticket, now), local.hour, local.minute, caption,
                    64);
  CardGeometry g = ComputeCardGeometry(box, ticket.state, TextWidth(dc, time, fontSet.timerFont),
                                       TextWidth(dc, caption, fontSet.smallFont));

  uint32_t stripe = column == 0 ? PulseBlend(Theme::accentBlue, Theme::accentViolet, phase)
                    : column == 1 ? Theme::amber
                                  : Theme::teal;
  FillRoundRect(dc, g.stripe, s(4), stripe, noOutline);
  DrawTextIn(dc, ticket.number, g.number, fontSet.numberFont, Theme::textColor, textLeftCut);

  DrawTimePill(dc, ticket, g, time, phase);
  uint32_t captionColour = column == 0   ? Theme::dimText
                           : column == 1 ? CardColor::clarifyCaption
                                         : CardColor::doneCaption;
  DrawTextIn(dc, caption, g.caption, fontSet.smallFont, captionColour, textRightCut);

  bool placeholder;
  const char16_t* description = ShownDescription(ticket, &placeholder);
  if (description[0])
    DrawTextIn(dc, description, g.description, fontSet.bodyFont,
               placeholder ? Theme::dimText : Theme::mutedText, textLeftCut);

  if (!dragImage) DrawCardButtons(dc, ticket, g, hoveredButton);
}
