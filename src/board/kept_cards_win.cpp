#include "board/kept_cards_win.h"

#include "app/shell_win.h"
#include "board/board_geometry.h"
#include "board/keyboard.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/draw_win.h"

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

Rect Intersection(const Rect& a, const Rect& b) {
  Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
         a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
  if (r.right <= r.left || r.bottom <= r.top) return Rect{};
  return r;
}

bool Empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
bool Meet(const Rect& a, const Rect& b) { return !Empty(Intersection(a, b)); }

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

bool Combine(HRGN into, const Rect& r, int mode) {
  HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
  if (!part) return false;
  bool done = CombineRgn(into, into, part, mode) != ERROR;
  DeleteObject(part);
  return done;
}

void PlanColumn(HDC dc, HRGN region, int32_t k, uint32_t now, const Rect* overlays, int32_t n) {
  const BoardLayout& L = boardLayout;
  Rect clip = ComputeColumnParts(L.columnRect[k], L.listRect[k]).clip;
  for (int32_t i = 0; i < L.columnCount[k] && plan.count < maxCards; i++) {
    Rect box = CardBox(k, i);
    if (!CardInList(L.listRect[k], box.top, L.cardHeight)) continue;
    Rect shown = Intersection(box, clip);
    int32_t ticket = L.columnTickets[k][i];
    if (Empty(shown) || !Reaches(region, shown)) continue;
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
    const ShownCard* before = FindShown(box, shown);
    c.recorded = textsKept && !covered;
    c.left = c.recorded && before && SameCardLook(before->look, c.card.look);
  }
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
  bool anyLeft = false;
  for (int32_t i = 0; i < plan.count; i++) anyLeft = anyLeft || plan.cards[i].left;
  if (!anyLeft) return region;
  plan.draw = CreateRectRgn(0, 0, boardLayout.clientWidth, boardLayout.clientHeight);
  bool made = plan.draw && (!region || CombineRgn(plan.draw, region, NULL, RGN_COPY) != ERROR);
  for (int32_t i = 0; made && i < plan.count; i++)
    if (plan.cards[i].left) made = Combine(plan.draw, plan.cards[i].shown, RGN_DIFF);
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
