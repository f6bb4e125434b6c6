#include "board/changes.h"

#include "board/board_geometry.h"
#include "board/keyboard.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/ticket.h"

namespace {

// boardUi read as another state for a while: the geometry functions read boardUi.
class AsIf {
 public:
  explicit AsIf(const BoardUiState& state) : kept_(boardUi) { boardUi = state; }
  ~AsIf() { boardUi = kept_; }

 private:
  BoardUiState kept_;
};

struct Changes {
  Rect* out;
  int32_t cap, count;
  void Add(const Rect& r) {
    if (count < 0 || r.right <= r.left || r.bottom <= r.top) return;
    if (count == cap) {
      count = -1;
      return;
    }
    // Round corners and outlines are drawn with the box; a margin keeps their edges in.
    int32_t m = s(2);
    out[count++] = Rect{r.left - m, r.top - m, r.right + m, r.bottom + m};
  }
};

bool IsCard(int32_t code) {
  return code == HitCardBody || code == HitCardDelete || code == HitCardDone ||
         code == HitCardClarify;
}

// The card of the ticket as boardUi places it now, or nothing when it is not on the board.
Rect TicketBox(int32_t ticket) {
  if (ticket < 0 || ticket >= ticketStore.ticketCount) return Rect{};
  int32_t k = ColumnOf(ticketStore.tickets[ticket].state);
  for (int32_t i = 0; i < boardLayout.columnCount[k]; i++)
    if (boardLayout.columnTickets[k][i] == ticket) return CardBox(k, i);
  return Rect{};
}

// What the hover of boardUi lights: a card, a button, the clear button or the credit link.
Rect HoverBox() {
  return IsCard(boardUi.hoverCode) ? TicketBox(boardUi.hoverTicket) : ButtonRect(boardUi.hoverCode);
}

// The parts of boardUi that the picture shows, each with the box it is drawn in.
void AddParts(Changes* c, const BoardUiState& before) {
  const BoardUiState& now = boardUi;
  if (before.hoverCode != now.hoverCode || before.hoverTicket != now.hoverTicket) c->Add(HoverBox());
  bool dragMoved = before.dragging != now.dragging || before.dragTicket != now.dragTicket ||
                   before.mouseX != now.mouseX || before.mouseY != now.mouseY ||
                   before.grabX != now.grabX || before.grabY != now.grabY;
  if (now.dragging && dragMoved) {
    c->Add(DragCardBox());
    c->Add(TicketBox(now.dragTicket));  // its empty slot
  }
  bool cursorMoved = before.boardKeyboard != now.boardKeyboard ||
                     before.cursorButton != now.cursorButton ||
                     before.cursorColumn != now.cursorColumn || before.cursorRow != now.cursorRow ||
                     before.cursorTicket != now.cursorTicket;
  if (now.boardKeyboard && cursorMoved) c->Add(CursorBox());
  if (before.numberFocused != now.numberFocused) c->Add(boardLayout.numberFrameRect);
  if (before.descriptionFocused != now.descriptionFocused) c->Add(boardLayout.descriptionFrameRect);
}

}  // namespace

int32_t ChangedRects(const BoardUiState& before, Rect* out, int32_t cap) {
  Changes c{out, cap, 0};
  const BoardUiState now = boardUi;
  // A column that began or ended being the drop target is repainted whole (its outline); one that
  // only scrolled, its list and the thumb beside it (the column's head stays as it was).
  bool target[3];
  {
    AsIf then(before);
    for (int32_t k = 0; k < 3; k++) target[k] = IsDropTarget(k);
  }
  for (int32_t k = 0; k < 3; k++) {
    if (target[k] != IsDropTarget(k)) c.Add(boardLayout.columnRect[k]);
    else if (before.columnScroll[k] != now.columnScroll[k])
      c.Add(ListWithThumbLane(boardLayout.listRect[k]));
  }
  AddParts(&c, before);
  {
    AsIf then(before);
    AddParts(&c, now);
  }
  return c.count;
}

int32_t TicketChangeRects(uint32_t columns, Rect* out, int32_t cap) {
  Changes c{out, cap, 0};
  for (int32_t k = 0; k < 3; k++)
    if (columns & (1u << k)) c.Add(boardLayout.columnRect[k]);
  const BoardLayout& L = boardLayout;
  c.Add(StatusBox(L.clientWidth, L.margin, L.creditLinkRect));
  return c.count;
}

uint32_t ColumnBit(int32_t state) { return 1u << ColumnOf(state); }
