#include "board/kept_cards_win.h"

#include "app/shell_win.h"
#include "board/board_geometry.h"
#include "board/keyboard.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/draw_win.h"
#include "draw/theme.h"

namespace {

// Room for every card the lists of a large screen show; a card beyond it is drawn as ever and
// not kept.
constexpr int32_t maxCards = 96;

// A card the back buffer shows: the whole of shown holds the card of the look in box.
struct ShownCard {
  Rect box, shown;
  CardLook look;
};
ShownCard shownCards[maxCards];
int32_t shownCount;

struct CardPlan {
  PlannedCard cards[maxCards];
  int32_t count;
  HRGN reached;  // the region the repaint reaches, the caller's; NULL: all
  HRGN draw;     // reached less the cards left, when any are
};
CardPlan plan;

bool Meet(const Rect& a, const Rect& b) { return !RectEmpty(RectIntersection(a, b)); }

bool Reaches(HRGN region, const Rect& r) {
  RECT area = ToRECT(r);
  return !region || RectInRegion(region, &area);
}

const ShownCard* FindShown(const Rect& box, const Rect& shown) {
  for (int32_t i = 0; i < shownCount; i++)
    if (RectEquals(shownCards[i].box, box) && RectEquals(shownCards[i].shown, shown))
      return &shownCards[i];
  return nullptr;
}

// What is drawn over the cards after them: the floating card of a drag and the keyboard cursor.
int32_t Overlays(Rect out[2]) {
  int32_t n = 0;
  if (boardUi.dragging && boardUi.dragTicket >= 0 && boardUi.dragTicket < ticketStore.ticketCount)
    out[n++] = DragCardBox();
  if (ColumnCursorShown()) out[n++] = CursorBox();
  return n;
}

Rect Offset(const Rect& r, int32_t dy) { return Rect{r.left, r.top + dy, r.right, r.bottom + dy}; }

// Whether the region holds all of the rectangle.
bool Covers(HRGN region, const Rect& r) {
  if (!region) return true;
  HRGN rest = CreateRectRgn(r.left, r.top, r.right, r.bottom);
  bool all = rest && CombineRgn(rest, rest, region, RGN_DIFF) == NULLREGION;
  if (rest) DeleteObject(rest);
  return all;
}

// How far the cards of a column moved since the buffer showed them (a scroll, a ticket added
// above them or taken away): the first planned card whose look the buffer shows in another box
// of the column tells. 0 when none did.
int32_t ColumnMove(const Rect& clip, int32_t first) {
  for (int32_t i = first; i < plan.count; i++) {
    const PlannedCard& c = plan.cards[i];
    if (!c.recorded) continue;
    for (int32_t j = 0; j < shownCount; j++) {
      const ShownCard& r = shownCards[j];
      if (r.box.left == c.box.left && r.box.right == c.box.right && r.box.top != c.box.top &&
          RectEquals(r.shown, RectIntersection(r.box, clip)) && SameCardLook(r.look, c.card.look))
        return c.box.top - r.box.top;
    }
  }
  return 0;
}

// Moves the pixels of the column's list by dy within the buffer, and the cards noted there with
// them; a card that does not come along whole is forgotten. The whole list is being repainted,
// so what the move brings in from outside is drawn over.
void MoveColumn(HDC dc, const Rect& clip, int32_t dy) {
  int32_t height = clip.bottom - clip.top - (dy > 0 ? dy : -dy);
  if (height <= 0) return;
  int32_t from = dy > 0 ? clip.top : clip.top - dy;
  BitBlt(dc, clip.left, from + dy, clip.right - clip.left, height, dc, clip.left, from, SRCCOPY);
  int32_t kept = 0;
  for (int32_t i = 0; i < shownCount; i++) {
    ShownCard r = shownCards[i];
    if (r.shown.left >= clip.left && r.shown.right <= clip.right) {
      r.box = Offset(r.box, dy);
      r.shown = RectIntersection(Offset(r.shown, dy), clip);
      if (RectEmpty(r.shown) || !RectEquals(r.shown, RectIntersection(r.box, clip))) continue;
    }
    shownCards[kept++] = r;
  }
  shownCount = kept;
}

void PlanColumn(HDC dc, HRGN region, int32_t k, uint32_t now, const Rect* overlays, int32_t n) {
  const BoardLayout& L = boardLayout;
  Rect clip = ComputeColumnParts(L.columnRect[k], L.listRect[k]).clip;
  int32_t first = plan.count;
  for (int32_t i = 0; i < L.columnCount[k] && plan.count < maxCards; i++) {
    Rect box = CardBox(k, i);
    if (!CardInList(L.listRect[k], box.top, L.cardHeight)) continue;
    Rect shown = RectIntersection(box, clip);
    int32_t ticket = L.columnTickets[k][i];
    if (RectEmpty(shown) || !Reaches(region, shown)) continue;
    if (boardUi.dragging && boardUi.dragTicket == ticket) continue;  // its empty slot
    PlannedCard& c = plan.cards[plan.count];
    if (!PrepareCard(dc, box, ticket, CardHovered(ticket), CardHoverButton(ticket), now, &c.card))
      continue;
    plan.count++;
    c.column = k;
    c.row = i;
    c.box = box;
    c.shown = shown;
    bool covered = false;
    for (int32_t j = 0; j < n; j++) covered = covered || Meet(overlays[j], box);
    c.recorded = textsKept && !covered;
  }
  // Cards that only moved are moved with their pixels rather than drawn again.
  if (region && Covers(region, clip))
    if (int32_t dy = ColumnMove(clip, first)) MoveColumn(dc, clip, dy);
  for (int32_t i = first; i < plan.count; i++) {
    PlannedCard& c = plan.cards[i];
    const ShownCard* before = FindShown(c.box, c.shown);
    c.left = c.recorded && before && SameCardLook(before->look, c.card.look);
  }
}

// The card the buffer shows, in part or whole, at the planned card's top with the same look but
// for its width, when the card can be made from it: at another width, or in the same box showing
// more of itself than before (a list grown at its foot).
const ShownCard* FindShownBefore(const PlannedCard& c) {
  for (int32_t j = 0; j < shownCount; j++) {
    const ShownCard& r = shownCards[j];
    bool sameBox = RectEquals(r.box, c.box);
    if (r.box.top != c.box.top || r.shown.left != r.box.left || r.shown.right != r.box.right ||
        (sameBox && RectEquals(r.shown, c.shown)))
      continue;
    if (c.shown.bottom <= r.shown.top || c.shown.top >= r.shown.bottom) continue;
    CardLook look = r.look;
    look.width = c.card.look.width;
    if (SameCardLook(look, c.card.look) && (sameBox || CardMovableFrom(c.card, r.box))) return &r;
  }
  return nullptr;
}

// Makes a card from what the buffer shows of it: moved to its new width where the width changed
// (MoveCardToWidth), and drawn where it shows more of itself than the buffer did. The clock's
// parts of a card in work are drawn over it afterwards, like those of every card left.
void MakeCardFrom(HDC dc, const PlannedCard& c, const ShownCard& r) {
  auto within = [dc](const Rect& clip, auto draw) {
    if (RectEmpty(clip)) return;
    int32_t saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    draw();
    RestoreDC(dc, saved);
  };
  // The rows the buffer has of the card, across its new width.
  Rect kept =
      RectIntersection(c.shown, Rect{c.shown.left, r.shown.top, c.shown.right, r.shown.bottom});
  if (!RectEquals(r.box, c.box)) within(kept, [&] { MoveCardToWidth(dc, c.card, r.box); });
  // On the column's panel, as the card is drawn in a repaint of its list.
  auto draw = [&] {
    FillPlain(dc, c.shown, Theme::panelColor);
    DrawPreparedCard(dc, c.card, false, 0);
  };
  within(Rect{c.shown.left, c.shown.top, c.shown.right, kept.top}, draw);
  within(Rect{c.shown.left, kept.bottom, c.shown.right, c.shown.bottom}, draw);
}

// After a change of the window's size, cards stand at their tops in boxes of another width and
// place, or show more of themselves: each is made from the pixels the buffer has of it where it
// can be, rather than drawn again. All the columns move the same way, so the cards are made
// starting from the side they move towards, and none takes pixels where another was already made.
void MakeCardsFromShownPixels(HDC dc) {
  const ShownCard* from[maxCards] = {};
  int32_t way = 0;  // -1: towards the left, 1: towards the right, 0: in place
  for (int32_t i = 0; i < plan.count; i++) {
    const PlannedCard& c = plan.cards[i];
    if (!c.recorded || c.left || !(from[i] = FindShownBefore(c))) continue;
    int32_t dl = c.box.left - from[i]->box.left, dr = c.box.right - from[i]->box.right;
    bool leftwards = dl < 0 || dr < 0, rightwards = dl > 0 || dr > 0;
    int32_t cardWay = leftwards ? -1 : rightwards ? 1 : 0;
    if ((leftwards && rightwards) || (cardWay && way && way != cardWay)) return;
    if (cardWay) way = cardWay;
  }
  SelectClipRgn(dc, plan.reached);
  for (int32_t n = 0; n < plan.count; n++) {
    int32_t i = way < 0 ? n : plan.count - 1 - n;
    if (!from[i]) continue;
    MakeCardFrom(dc, plan.cards[i], *from[i]);
    plan.cards[i].left = true;
  }
  SelectClipRgn(dc, NULL);
}

}  // namespace

bool ColumnCursorShown() {
  return boardUi.boardKeyboard && !boardUi.cursorButton && GetFocus() == mainWindow;
}

HRGN PlanCardRepaint(HDC dc, HRGN region, uint32_t now) {
  plan.count = 0;
  plan.reached = region;
  plan.draw = NULL;
  Rect overlays[2];
  int32_t n = Overlays(overlays);
  for (int32_t k = 0; k < 3; k++) PlanColumn(dc, region, k, now, overlays, n);
  MakeCardsFromShownPixels(dc);
  bool anyLeft = false;
  for (int32_t i = 0; i < plan.count; i++) anyLeft = anyLeft || plan.cards[i].left;
  if (!anyLeft) return region;
  plan.draw = CreateRectRgn(0, 0, boardLayout.clientWidth, boardLayout.clientHeight);
  bool made = plan.draw && (!region || CombineRgn(plan.draw, region, NULL, RGN_COPY) != ERROR);
  for (int32_t i = 0; made && i < plan.count; i++)
    if (plan.cards[i].left) made = CombineRect(plan.draw, plan.cards[i].shown, RGN_DIFF);
  if (made) return plan.draw;
  // Without a region to work with, every card is drawn and none is kept.
  for (int32_t i = 0; i < plan.count; i++) plan.cards[i].left = plan.cards[i].recorded = false;
  if (plan.draw) DeleteObject(plan.draw);
  plan.draw = NULL;
  return region;
}

const PlannedCard* FindPlannedCard(int32_t column, int32_t row) {
  for (int32_t i = 0; i < plan.count; i++)
    if (plan.cards[i].column == column && plan.cards[i].row == row) return &plan.cards[i];
  return nullptr;
}

void DrawLeftCardsClockParts(HDC dc, int32_t phase) {
  int32_t saved = SaveDC(dc);
  SelectClipRgn(dc, plan.reached);
  for (int32_t i = 0; i < plan.count; i++) {
    const PlannedCard& c = plan.cards[i];
    if (!c.left || ColumnOf(c.card.look.state) != 0) continue;
    int32_t inner = SaveDC(dc);
    IntersectClipRect(dc, c.shown.left, c.shown.top, c.shown.right, c.shown.bottom);
    DrawCardClockParts(dc, c.card, phase);
    RestoreDC(dc, inner);
  }
  RestoreDC(dc, saved);
}

void EndCardRepaint() {
  // Whatever the repaint reached now shows what it planned; the rest of the buffer is as it was.
  int32_t kept = 0;
  for (int32_t i = 0; i < shownCount; i++) {
    RECT area = ToRECT(shownCards[i].shown);
    if (plan.reached && !RectInRegion(plan.reached, &area)) shownCards[kept++] = shownCards[i];
  }
  shownCount = kept;
  for (int32_t i = 0; i < plan.count && shownCount < maxCards; i++) {
    const PlannedCard& c = plan.cards[i];
    if (c.recorded) shownCards[shownCount++] = ShownCard{c.box, c.shown, c.card.look};
  }
  if (plan.draw) DeleteObject(plan.draw);
  plan.draw = plan.reached = NULL;
  plan.count = 0;
}

void ForgetShownCards() { shownCount = 0; }
