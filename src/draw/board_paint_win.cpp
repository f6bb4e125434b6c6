// The board picture: glows, header, input row, the three columns with their cards, the floating
// drag card and the footer. Everything is drawn anew at every paint from boardLayout and boardUi.
#include "draw/board_paint_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/text.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/board_geometry.h"
#include "draw/card_win.h"
#include "draw/credit.h"
#include "draw/draw_win.h"
#include "draw/pulse.h"
#include "draw/theme.h"
#include "reminder/settings.h"
#include "store/ticket.h"

namespace {

constexpr uint32_t headerHalo = Rgb(0x005A8C);
constexpr uint32_t clearHoverFill = Rgb(0x301E24);
constexpr uint32_t clearHoverLine = Rgb(0x783C46);
constexpr uint32_t clearLine = Rgb(0x37363C);

bool Hovered(int32_t code) { return boardUi.hoverCode == code; }

void DrawHeader(HDC dc) {
  const BoardLayout& L = boardLayout;
  const int32_t M = L.margin;
  DrawTextIn(dc, u"KALMEX", Rect{M, s(14), M + s(300), s(64)}, fontSet.titleFont,
             Theme::textColor, textLeft);
  Rect tag = TagBox(M, TextWidth(dc, u"KALMEX", fontSet.titleFont),
                    TextWidth(dc, u"tavisel", fontSet.badgeFont));
  // A gradient pill with a dark inner pill leaves a thin gradient ring.
  FillAccentGradient(dc, tag, s(28), false);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  SetDCBrushColor(dc, Theme::tagColor);
  RoundRect(dc, tag.left + 1, tag.top + 1, tag.right, tag.bottom, s(26), s(26));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DrawTextIn(dc, u"tavisel", tag, fontSet.badgeFont, Theme::accentLight, textCentred);

  DrawToolButton(dc, L.bindsButtonRect, Hovered(HitBindsButton), ToolIconKeyboard, u"БИНДЫ",
                 u"F1–F12", Theme::accentLight, Theme::blueTint);
  char16_t badge[16];
  FormatSettingsBadge(settings, badge, 16);
  bool on = settings.remind == 1;
  DrawToolButton(dc, L.settingsButtonRect, Hovered(HitSettingsButton), ToolIconGear, u"НАСТРОЙКИ",
                 badge, on ? Theme::teal : Theme::mutedText, on ? Theme::tealTint : Theme::chipColor);

  DrawInputFrame(dc, L.numberFrameRect, boardUi.numberFocused);
  DrawInputFrame(dc, L.descriptionFrameRect, boardUi.descriptionFocused);
  DrawPrimaryButton(dc, L.takeButtonRect, s(46), Hovered(HitTakeButton), u"В РАБОТУ  →");
}

void DrawColumnHeader(HDC dc, int32_t k, const ColumnParts& p, int32_t phase) {
  const BoardLayout& L = boardLayout;
  const Rect& column = L.columnRect[k];
  int32_t count = L.columnCount[k];
  if (k == 0) {
    bool active = count > 0;
    DrawPulseDotAt(dc, p.dotX, p.dotY, p.dotRadius, headerHalo, Theme::panelColor,
                   active ? Theme::accentBlue : Theme::dimText, active, phase);
  } else {
    DrawFilledCircle(dc, p.dotX, p.dotY, p.dotRadius, k == 1 ? Theme::amber : Theme::teal);
  }
  DrawTextIn(dc, columnTitles[k], p.title, fontSet.headingFont, Theme::textColor, textLeftCut);

  static const uint32_t badgeFill[3] = {Theme::blueTint, Theme::amberTint, Theme::tealTint};
  static const uint32_t badgeText[3] = {Theme::accentLight, Theme::amber, Theme::teal};
  char16_t countText[16];
  FormatText(countText, 16, u"%d", count);
  Rect badge = CountBadgeBox(column, TextWidth(dc, columnTitles[k], fontSet.headingFont),
                             TextWidth(dc, countText, fontSet.smallFont));
  FillRoundRect(dc, badge, s(22), badgeFill[k], noOutline);
  DrawTextIn(dc, countText, badge, fontSet.smallFont, badgeText[k], textCentred);

  if (k == 2 && count > 0) {
    bool hot = Hovered(HitClearButton);
    FillRoundRect(dc, L.clearButtonRect, s(28), hot ? clearHoverFill : Theme::fieldColor,
                  hot ? clearHoverLine : clearLine);
    DrawTextIn(dc, u"очистить", L.clearButtonRect, fontSet.smallFont,
               hot ? Theme::danger : Theme::mutedText, textCentred);
  }
  DrawStroke(dc, p.separatorLeft, p.separatorY, p.separatorRight, p.separatorY, 1, Theme::chipColor);
}

void DrawColumnCards(HDC dc, int32_t k, uint32_t now, int32_t phase) {
  const BoardLayout& L = boardLayout;
  const Rect& list = L.listRect[k];
  for (int32_t i = 0; i < L.columnCount[k]; i++) {
    int32_t top = list.top - boardUi.columnScroll[k] + i * (L.cardHeight + L.cardGap);
    if (!CardInList(list, top, L.cardHeight)) continue;
    int32_t ticket = L.columnTickets[k][i];
    Rect box{list.left, top, list.right, top + L.cardHeight};
    if (boardUi.dragging && boardUi.dragTicket == ticket)
      FillRoundRect(dc, box, s(14), Theme::panelColor, Theme::slotLineColor);
    else
      DrawTicketCardAt(dc, box, ticket, CardHovered(ticket), CardHoverButton(ticket), false, now,
                       phase);
  }
}

void DrawColumn(HDC dc, int32_t k, uint32_t now, int32_t phase) {
  const BoardLayout& L = boardLayout;
  const Rect& list = L.listRect[k];
  FillRoundRect(dc, L.columnRect[k], s(18), Theme::panelColor,
                IsDropTarget(k) ? Theme::accentBlue : Theme::chipColor);
  ColumnParts p = ComputeColumnParts(L.columnRect[k], list);
  DrawColumnHeader(dc, k, p, phase);

  IntersectClipRect(dc, p.clip.left, p.clip.top, p.clip.right, p.clip.bottom);
  if (L.columnCount[k] == 0)
    DrawTextIn(dc, emptyColumnTexts[k], p.emptyText, fontSet.bodyFont, Theme::dimText,
               textCentredLines);
  else
    DrawColumnCards(dc, k, now, phase);
  SelectClipRgn(dc, NULL);

  Rect thumb;
  if (ScrollThumb(list, L.columnCount[k], L.cardHeight, L.cardGap, boardUi.columnScroll[k], &thumb))
    FillRoundRect(dc, thumb, s(4), Theme::thumbColor, noOutline);
}

void DrawFooter(HDC dc, uint32_t tick) {
  const BoardLayout& L = boardLayout;
  DrawTextIn(dc, creditText, L.creditLinkRect, fontSet.smallFont,
             Hovered(HitCreditLink) ? Theme::accentLight : Theme::dimText, textLeft);
  Rect box = StatusBox(L.clientWidth, L.margin, L.creditLinkRect);
  if (StatusVisible(tick)) {
    DrawTextIn(dc, boardUi.statusText, box, fontSet.smallFont, Theme::accentLight, textRightCut);
    return;
  }
  char16_t line[200];
  FormatStatistics(L.columnCount[0], L.columnCount[1], L.columnCount[2],
                   WorkedSum(L.columnTickets[2], L.columnCount[2]), line, 200);
  DrawTextIn(dc, line, box, fontSet.smallFont, Theme::dimText, textRightCut);
}

}  // namespace

void DrawBoard(HDC dc, uint32_t now, uint32_t tick) {
  const BoardLayout& L = boardLayout;
  const int32_t W = L.clientWidth, H = L.clientHeight;
  DrawCornerGlow(dc, W - s(120), s(10), s(520), s(220), Theme::glowBlue);
  DrawCornerGlow(dc, s(60), H, s(420), s(200), Theme::glowViolet);
  DrawHeader(dc);
  for (int32_t k = 0; k < 3; k++) DrawColumn(dc, k, now, PulsePhase(tick));
  if (boardUi.dragging && boardUi.dragTicket >= 0 && boardUi.dragTicket < ticketStore.ticketCount)
    DrawTicketCardAt(dc, DragCardBox(), boardUi.dragTicket, true, CardButtonNone, true, now,
                     PulsePhase(tick));
  DrawFooter(dc, tick);
}

void PaintBoard(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  ComputeLayout(client.right - client.left, client.bottom - client.top);
  BackBuffer buffer;
  BeginBackBuffer(window, &buffer, boardLayout.clientWidth, boardLayout.clientHeight);
  DrawBoard(buffer.dc, UnixNow(), GetTickCount());
  EndBackBuffer(window, &buffer);
}
