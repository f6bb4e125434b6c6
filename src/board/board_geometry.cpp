#include "board/board_geometry.h"

#include "app/text.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/card_geometry.h"
#include "store/ticket.h"

const char16_t* const columnTitles[3] = {u"ЗАЯВКИ В РАБОТЕ", u"НА УТОЧНЕНИИ", u"ВЫПОЛНЕНЫ"};
const char16_t* const emptyColumnTexts[3] = {
    u"Нет заявок в работе.\nВпиши номер сверху и нажми Enter.\nДвойной клик по карточке — изменить.",
    u"Заявки, по которым ждёшь ответа.\nКнопка «?» на карточке — сюда.\nТаймер работы здесь на паузе.",
    u"Сюда попадут выполненные заявки.\nНажми галочку на карточке\nили перетащи её сюда.",
};

Rect TagBox(int32_t margin, int32_t titleWidth, int32_t tagWidth) {
  return Rect{margin + titleWidth + s(14), s(26), margin + titleWidth + tagWidth + s(26) + s(14),
              s(54)};
}

ColumnParts ComputeColumnParts(const Rect& column, const Rect& list) {
  ColumnParts p;
  p.dotX = column.left + s(20) + s(4);
  p.dotY = column.top + s(29);
  p.dotRadius = s(4);
  p.title = Rect{column.left + s(20) + s(18), column.top + s(12), column.right - s(14),
                 column.top + s(46)};
  p.separatorY = column.top + s(52);
  p.separatorLeft = column.left + s(14);
  p.separatorRight = column.right - s(14);
  p.clip = Rect{list.left - 2, list.top, list.right + 2, list.bottom};
  p.emptyText = Rect{list.left + s(10), list.top + s(40), list.right - s(10), list.top + s(120)};
  return p;
}

Rect CountBadgeBox(const Rect& column, int32_t titleWidth, int32_t countWidth) {
  int32_t x0 = column.left + s(20);
  return Rect{x0 + titleWidth + s(18) + s(10), column.top + s(18),
              x0 + titleWidth + countWidth + s(18) + s(18) + s(10), column.top + s(40)};
}

bool ScrollThumb(const Rect& list, int32_t count, int32_t cardHeight, int32_t cardGap,
                 int32_t scroll, Rect* thumb) {
  int64_t content = static_cast<int64_t>(count) * (cardHeight + cardGap) - cardGap;
  int64_t visible = list.bottom - list.top;
  if (count <= 0 || content <= visible) return false;
  int64_t length = visible * visible / content;
  if (length < s(30)) length = s(30);
  // A list shorter than the minimum thumb would push the thumb out of it.
  if (length > visible) length = visible > 0 ? visible : 0;
  int64_t top = list.top + (visible - length) * scroll / (content - visible);
  *thumb = Rect{list.right + s(4), static_cast<int32_t>(top), ListWithThumbLane(list).right,
                static_cast<int32_t>(top + length)};
  return true;
}

Rect ListWithThumbLane(const Rect& list) {
  return Rect{list.left, list.top, list.right + s(8), list.bottom};
}

bool CardInList(const Rect& list, int32_t cardTop, int32_t cardHeight) {
  return !(cardTop > list.bottom || cardTop + cardHeight < list.top);
}

void FormatStatistics(int32_t inWork, int32_t onClarification, int32_t done,
                      uint32_t doneSeconds, char16_t* out, int32_t cap) {
  char16_t duration[32];
  FormatDuration(doneSeconds, duration, 32);
  FormatText(out, cap,
             u"в работе: %d   ·   на уточнении: %d   ·   выполнено: %d   ·   время по выполненным: %s",
             inWork, onClarification, done, duration);
}

uint32_t WorkedSum(const int32_t* tickets, int32_t count) {
  uint32_t sum = 0;
  for (int32_t i = 0; i < count; i++) sum += ticketStore.tickets[tickets[i]].workedSeconds;
  return sum;
}

Rect StatusBox(int32_t clientWidth, int32_t margin, const Rect& creditLink) {
  return Rect{clientWidth / 2 - s(200), creditLink.top, clientWidth - margin, creditLink.bottom};
}

static Rect ClipToList(const Rect& r, const Rect& list) {
  Rect c{r.left, r.top < list.top ? list.top : r.top, r.right,
         r.bottom > list.bottom ? list.bottom : r.bottom};
  if (c.bottom < c.top) c.bottom = c.top;
  return c;
}

// Appends, for every card of column k that the list shows, the parts that change with the clock:
// the stripe and the row of description, caption and time pill (whose texts move when the time
// text grows). The number and the buttons above that row stay as they are.
static int32_t AppendVisibleCards(int32_t k, Rect* out, int32_t n, int32_t cap) {
  const BoardLayout& L = boardLayout;
  const Rect& list = L.listRect[k];
  for (int32_t i = 0; i < L.columnCount[k] && n >= 0; i++) {
    Rect box = CardBox(k, i);
    if (!CardInList(list, box.top, L.cardHeight)) continue;
    if (n + 2 > cap) return -1;
    CardGeometry g = ComputeCardGeometry(box, StateInWork, 0, 0);
    // One pixel around each: a round rectangle's edge pixels need not fall inside its box.
    const Rect& e = g.stripe;
    out[n++] = ClipToList(Rect{e.left - 1, e.top - 1, e.right + 1, e.bottom + 1}, list);
    out[n++] = ClipToList(Rect{g.description.left - 1, g.pill.top - 1, g.pill.right + 1,
                               g.pill.bottom + 1}, list);
  }
  return n;
}

int32_t TimerRepaintRects(bool withWaiting, Rect* out, int32_t cap) {
  const BoardLayout& L = boardLayout;
  int32_t n = -1;
  if (!boardUi.dragging && cap >= 2) {  // the floating card pulses wherever it is
    ColumnParts p = ComputeColumnParts(L.columnRect[0], L.listRect[0]);
    int32_t r = p.dotRadius + s(3) + 1;  // the halo at its widest
    out[0] = Rect{p.dotX - r, p.dotY - r, p.dotX + r + 1, p.dotY + r + 1};
    out[1] = StatusBox(L.clientWidth, L.margin, L.creditLinkRect);
    n = AppendVisibleCards(0, out, 2, cap);
    if (withWaiting) n = AppendVisibleCards(1, out, n, cap);
  }
  if (n >= 0) return n;
  if (cap < 1) return 0;
  out[0] = Rect{0, L.columnRect[0].top - s(4), L.clientWidth, L.clientHeight};
  return 1;
}

static bool DragTicketValid() {
  return boardUi.dragging && boardUi.dragTicket >= 0 && boardUi.dragTicket < ticketStore.ticketCount;
}

bool IsDropTarget(int32_t column) {
  if (!DragTicketValid()) return false;
  if (ColumnOf(ticketStore.tickets[boardUi.dragTicket].state) == column) return false;
  return RectContains(boardLayout.columnRect[column], boardUi.mouseX, boardUi.mouseY);
}

Rect DragCardBox() {
  int32_t left = boardUi.mouseX - boardUi.grabX, top = boardUi.mouseY - boardUi.grabY;
  const Rect& list = boardLayout.listRect[0];
  return Rect{left, top, left + (list.right - list.left), top + boardLayout.cardHeight};
}

static bool IsCardCode(int32_t code) {
  return code == HitCardBody || code == HitCardDelete || code == HitCardDone ||
         code == HitCardClarify;
}

bool CardHovered(int32_t ticket) {
  return boardUi.hoverTicket == ticket && IsCardCode(boardUi.hoverCode);
}

int32_t CardHoverButton(int32_t ticket) {
  if (boardUi.hoverTicket != ticket) return CardButtonNone;
  if (boardUi.hoverCode == HitCardDelete) return CardButtonDelete;
  if (boardUi.hoverCode == HitCardDone) return CardButtonDone;
  if (boardUi.hoverCode == HitCardClarify) return CardButtonClarify;
  return CardButtonNone;
}
