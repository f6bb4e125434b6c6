// The board picture: glows, header, input row, the three columns with their cards, the floating
// drag card and the footer, drawn from boardLayout and boardUi. A paint redraws only the window's
// update region, into a back buffer kept between paints; the corner glows, which depend on
// nothing but the client size and the DPI, are kept as two ready tiles.
#include "board/board_paint_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "board/board_geometry.h"
#include "board/keyboard.h"
#include "board/kept_cards_win.h"
#include "board/layout.h"
#include "board/ui_state.h"
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
  FillRoundRect(dc, Rect{tag.left + 1, tag.top + 1, tag.right - 1, tag.bottom - 1}, s(26),
                Theme::tagColor, noOutline);
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
    DrawPulseDot(dc, p.dotX, p.dotY, p.dotRadius, headerHalo, Theme::panelColor,
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
    Rect box = CardBox(k, i);
    if (!CardInList(list, box.top, L.cardHeight)) continue;
    int32_t ticket = L.columnTickets[k][i];
    RECT area = ToRECT(box);
    if (!RectVisible(dc, &area)) continue;  // outside the region being repainted
    const PlannedCard* planned = FindPlannedCard(k, i);
    if (boardUi.dragging && boardUi.dragTicket == ticket)
      FillRoundRect(dc, box, s(14), Theme::panelColor, Theme::slotLineColor);
    else if (planned && !planned->left)
      DrawPreparedCard(dc, planned->card, false, phase);
    else if (!planned)
      DrawTicketCard(dc, box, ticket, CardHovered(ticket), CardHoverButton(ticket), false, now,
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

  // SaveDC keeps the clip of the region being repainted; the list clip narrows it.
  int32_t saved = SaveDC(dc);
  IntersectClipRect(dc, p.clip.left, p.clip.top, p.clip.right, p.clip.bottom);
  if (L.columnCount[k] == 0)
    DrawTextIn(dc, emptyColumnTexts[k], p.emptyText, fontSet.bodyFont, Theme::dimText,
               textCentredLines);
  else
    DrawColumnCards(dc, k, now, phase);
  if (ColumnCursorShown() && k == boardUi.cursorColumn)
    DrawFocusOutline(dc, CursorBox(), boardUi.cursorTicket < 0 ? s(12) : s(14));
  RestoreDC(dc, saved);

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
    DrawTextIn(dc, statusLine.text, box, fontSet.smallFont, Theme::accentLight, textRightCut);
    return;
  }
  char16_t line[200];
  FormatStatistics(L.columnCount[0], L.columnCount[1], L.columnCount[2],
                   WorkedSum(L.columnTickets[2], L.columnCount[2]), line, 200);
  DrawTextIn(dc, line, box, fontSet.smallFont, Theme::dimText, textRightCut);
}

struct Glow {
  int32_t cx, cy, halfWidth, halfHeight;
  uint32_t colour;
};

void BoardGlows(int32_t width, int32_t height, Glow glows[2]) {
  glows[0] = Glow{width - s(120), s(10), s(520), s(220), Theme::glowBlue};
  glows[1] = Glow{s(60), height, s(420), s(200), Theme::glowViolet};
}

void DrawGlows(HDC dc, int32_t width, int32_t height) {
  Glow glows[2];
  BoardGlows(width, height, glows);
  for (const Glow& g : glows) DrawCornerGlow(dc, g.cx, g.cy, g.halfWidth, g.halfHeight, g.colour);
}

// Everything in front of the glows.
void DrawBoardFront(HDC dc, uint32_t now, uint32_t tick) {
  DrawHeader(dc);
  for (int32_t k = 0; k < 3; k++) DrawColumn(dc, k, now, PulsePhase(tick));
  if (boardUi.dragging && boardUi.dragTicket >= 0 && boardUi.dragTicket < ticketStore.ticketCount)
    DrawTicketCard(dc, DragCardBox(), boardUi.dragTicket, true, CardButtonNone, true, now,
                   PulsePhase(tick));
  if (boardUi.boardKeyboard && boardUi.cursorButton && GetFocus() == mainWindow) {
    Rect box = CursorBox();
    DrawFocusOutline(dc, box, box.bottom - box.top);
  }
  DrawFooter(dc, tick);
}

// Kept between paints: the back buffer while the client area fits it, the glow tiles while their
// picture stays.
struct BoardBuffers {
  Surface back;       // the whole client area
  Surface glows[2];   // each glow's rectangle within the client area
  bool glowAlone[2];  // the tile holds its own glow only, drawn around glowAt
  POINT glowAt[2];
  int32_t width, height, dpi;
};
BoardBuffers buffers;

Rect GlowBox(const Glow& g) {
  return Rect{g.cx - g.halfWidth, g.cy - g.halfHeight, g.cx + g.halfWidth, g.cy + g.halfHeight};
}

// A glow's tile. A glow is drawn the same around its centre wherever that lies, so while the two
// glows keep apart, a tile that shows the same part of its glow as before is only moved: a resize
// then draws no gradient, the most expensive drawing of the board. Where the glows meet, each
// tile holds both and is drawn anew.
void KeepGlowTile(HDC reference, int32_t k, const Rect& client, const Glow glows[2], bool apart) {
  const Glow& g = glows[k];
  Rect box = RectIntersection(client, GlowBox(g));
  Surface& tile = buffers.glows[k];
  const Rect& old = tile.box;
  const POINT& at = buffers.glowAt[k];
  bool samePart = tile.dc && buffers.glowAlone[k] && apart && buffers.dpi == dpi &&
                  box.left - g.cx == old.left - at.x && box.top - g.cy == old.top - at.y &&
                  box.right - g.cx == old.right - at.x && box.bottom - g.cy == old.bottom - at.y;
  buffers.glowAt[k] = POINT{g.cx, g.cy};
  if (samePart) {
    tile.box = box;
    SetViewportOrgEx(tile.dc, -box.left, -box.top, NULL);
    return;
  }
  FreeSurface(&tile);
  if (box.right == box.left || box.bottom == box.top) return;
  if (!MakeSurface(reference, box, &tile)) return;
  buffers.glowAlone[k] = apart;
  if (apart) DrawCornerGlow(tile.dc, g.cx, g.cy, g.halfWidth, g.halfHeight, g.colour);
  else DrawGlows(tile.dc, client.right, client.bottom);
  KeepInFewColours(&tile);
}

// The back buffer is kept while the client area fits in it and fills at least half of it, so
// the steps of a resize do not make a new one each; one that grows is made a little larger.
void KeepBackBuffer(HDC reference, int32_t width, int32_t height) {
  const Rect& b = buffers.back.box;
  int64_t have = static_cast<int64_t>(b.right) * b.bottom;
  int64_t need = static_cast<int64_t>(width) * height;
  if (buffers.back.dc && b.right >= width && b.bottom >= height && have <= 2 * need) return;
  bool growing = buffers.back.dc != NULL;
  FreeSurface(&buffers.back);
  ForgetShownCards();
  Rect box{0, 0, width, height};
  if (growing) box = Rect{0, 0, width + s(64), height + s(64)};
  MakeSurface(reference, box, &buffers.back);
}

// Returns true when the client size or the DPI changed (the picture is then drawn whole).
bool KeepBuffers(HDC reference, int32_t width, int32_t height) {
  if (buffers.back.dc && buffers.width == width && buffers.height == height &&
      buffers.dpi == dpi)
    return false;
  KeepBackBuffer(reference, width, height);
  if (!buffers.back.dc) return true;
  Rect client{0, 0, width, height};
  Glow glows[2];
  BoardGlows(width, height, glows);
  Rect meet = RectIntersection(GlowBox(glows[0]), GlowBox(glows[1]));
  bool apart = meet.right == meet.left || meet.bottom == meet.top;
  for (int32_t k = 0; k < 2; k++) KeepGlowTile(reference, k, client, glows, apart);
  buffers.width = width;
  buffers.height = height;
  buffers.dpi = dpi;
  return true;
}

}  // namespace

void DrawBoard(HDC dc, uint32_t now, uint32_t tick) {
  DrawGlows(dc, boardLayout.clientWidth, boardLayout.clientHeight);
  DrawBoardFront(dc, now, tick);
}

HDC RenderBoard(HDC reference, HRGN region, uint32_t now, uint32_t tick) {
  const int32_t width = boardLayout.clientWidth, height = boardLayout.clientHeight;
  if (width <= 0 || height <= 0) return NULL;
  bool fresh = KeepBuffers(reference, width, height);
  HDC dc = buffers.back.dc;
  if (!dc) return NULL;
  // Cards the buffer already shows as they are now are left out of what is drawn.
  SelectClipRgn(dc, PlanCardRepaint(dc, fresh ? NULL : region, now));
  RECT all{0, 0, width, height};
  FillRect(dc, &all, windowBrush);
  for (const Surface& glow : buffers.glows) {
    if (!glow.dc) continue;
    const Rect& b = glow.box;
    BitBlt(dc, b.left, b.top, b.right - b.left, b.bottom - b.top, glow.dc, b.left, b.top, SRCCOPY);
  }
  DrawBoardFront(dc, now, tick);
  DrawLeftCardsClockParts(dc, PulsePhase(tick));
  SelectClipRgn(dc, NULL);
  EndCardRepaint();
  return dc;
}

static int64_t SurfaceBytes(const Surface& s) {
  BITMAP b;
  if (!s.dc || !GetObjectW(s.bitmap, sizeof b, &b)) return 0;
  return static_cast<int64_t>(b.bmWidthBytes) * b.bmHeight;
}

KeptPaintBytes MeasureKeptPaint() {
  return KeptPaintBytes{SurfaceBytes(buffers.back),
                        SurfaceBytes(buffers.glows[0]) + SurfaceBytes(buffers.glows[1])};
}

void ReleaseBoardBuffers() {
  ForgetShownCards();
  FreeSurface(&buffers.back);
  for (Surface& glow : buffers.glows) FreeSurface(&glow);
  buffers = BoardBuffers{};
}

void PaintBoard(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  ComputeLayout(client.right - client.left, client.bottom - client.top);
  if (boardUi.boardKeyboard) CursorAfterLayout();
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  bool known = update && GetUpdateRgn(window, update, FALSE) != ERROR;
  PAINTSTRUCT paint;
  HDC windowDc = BeginPaint(window, &paint);
  uint32_t now = UnixNow(), tick = TickNow();
  HDC dc = RenderBoard(windowDc, known ? update : NULL, now, tick);
  const RECT& r = paint.rcPaint;
  if (dc) {
    BitBlt(windowDc, r.left, r.top, r.right - r.left, r.bottom - r.top, dc, r.left, r.top, SRCCOPY);
  } else {  // no memory for a buffer: straight onto the window rather than nothing
    ClearForPaint(windowDc, Rect{client.left, client.top, client.right, client.bottom});
    DrawBoard(windowDc, now, tick);
  }
  EndPaint(window, &paint);
  if (update) DeleteObject(update);
}

void InvalidateTimerParts(HWND window) {
  static uint32_t lastSecond;
  uint32_t now = UnixNow();
  Rect rects[96];
  int32_t n = TimerRepaintRects(now != lastSecond, rects, 96);
  lastSecond = now;
  InvalidateRects(window, rects, n);
}
