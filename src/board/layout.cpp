#include "board/layout.h"

#include "board/ui_state.h"

BoardLayout boardLayout;

void SortIntoColumns() { SortIntoColumns(boardLayout.columnCount, boardLayout.columnTickets); }

// Largest scroll offset of a column: what its cards stand out below the list.
static int32_t MaxScroll(const BoardLayout& l, int32_t column) {
  int32_t content = l.columnCount[column] * (l.cardHeight + l.cardGap) - l.cardGap;
  int32_t visible = l.listRect[column].bottom - l.listRect[column].top;
  return content > visible ? content - visible : 0;
}

void ComputeLayout(int32_t width, int32_t height) {
  BoardLayout& l = boardLayout;
  l.clientWidth = width;
  l.clientHeight = height;
  int32_t m = s(22);
  l.margin = m;
  int32_t right = width - m;

  l.bindsButtonRect = {right - s(178), s(22), right, s(58)};
  int32_t bindsLeft = l.bindsButtonRect.left;
  l.settingsButtonRect = {bindsLeft - s(190) - s(10), s(22), bindsLeft - s(10), s(58)};

  int32_t rowTop = s(80);
  int32_t rowBottom = s(80) + s(46);
  l.takeButtonRect = {right - s(170), rowTop, right, rowBottom};
  l.numberFrameRect = {m, rowTop, m + s(210), rowBottom};
  l.descriptionFrameRect = {m + s(222), rowTop, l.takeButtonRect.left - s(12), rowBottom};
  l.numberInputRect = FieldInFrame(l.numberFrameRect, 14);
  l.descriptionInputRect = FieldInFrame(l.descriptionFrameRect, 14);

  // Column 2 ends at the right edge and so takes the remainder of the division.
  int32_t gap = s(16);
  int32_t colW = (width - 2 * (gap + m)) / 3;
  int32_t colTop = s(80) + s(46) + s(20);
  int32_t colBottom = height - s(44);
  l.columnRect[0] = {m, colTop, m + colW, colBottom};
  l.columnRect[1] = {m + colW + gap, colTop, m + 2 * colW + gap, colBottom};
  l.columnRect[2] = {m + 2 * (colW + gap), colTop, right, colBottom};
  for (int32_t k = 0; k < 3; k++) {
    const Rect& c = l.columnRect[k];
    l.listRect[k] = {c.left + s(14), c.top + s(62), c.right - s(14), c.bottom - s(12)};
  }
  const Rect& done = l.columnRect[2];
  l.clearButtonRect = {done.right - s(104), done.top + s(15), done.right - s(14), done.top + s(43)};
  l.creditLinkRect = {m, height - s(34), m + s(360), height - s(10)};
  l.cardHeight = s(98);
  l.cardGap = s(10);

  SortIntoColumns();

  for (int32_t k = 0; k < 3; k++) {
    int32_t largest = MaxScroll(l, k);
    int32_t& scroll = boardUi.columnScroll[k];
    if (scroll > largest) scroll = largest;
    if (scroll < 0) scroll = 0;
  }
}

int32_t CardTop(int32_t column, int32_t index) {
  const BoardLayout& l = boardLayout;
  return l.listRect[column].top - boardUi.columnScroll[column] + index * (l.cardHeight + l.cardGap);
}

Rect CardBox(int32_t column, int32_t index) {
  const Rect& list = boardLayout.listRect[column];
  int32_t top = CardTop(column, index);
  return {list.left, top, list.right, top + boardLayout.cardHeight};
}

static HitResult CardHit(int32_t x, int32_t y, int32_t ticket, const Rect& box) {
  CardButtons b = ComputeCardButtons(box, ticketStore.tickets[ticket].state);
  if (RectContains(b.deleteButton, x, y)) return {HitCardDelete, ticket};
  if (RectContains(b.middleButton, x, y)) return {HitCardDone, ticket};
  // A done card has no clarification button: its place is card body.
  if (b.hasLeftButton && RectContains(b.leftButton, x, y)) return {HitCardClarify, ticket};
  return {HitCardBody, ticket};
}

HitResult HitTest(int32_t x, int32_t y) {
  const BoardLayout& l = boardLayout;
  if (RectContains(l.takeButtonRect, x, y)) return {HitTakeButton, -1};
  if (RectContains(l.bindsButtonRect, x, y)) return {HitBindsButton, -1};
  if (RectContains(l.settingsButtonRect, x, y)) return {HitSettingsButton, -1};
  if (l.columnCount[2] > 0 && RectContains(l.clearButtonRect, x, y)) return {HitClearButton, -1};
  if (RectContains(l.creditLinkRect, x, y)) return {HitCreditLink, -1};
  for (int32_t k = 0; k < 3; k++) {
    // Only the part of a card inside its list counts; what is scrolled out is not there.
    if (!RectContains(l.listRect[k], x, y)) continue;
    for (int32_t i = 0; i < l.columnCount[k]; i++) {
      Rect box = CardBox(k, i);
      if (y >= box.top && y < box.bottom) return CardHit(x, y, l.columnTickets[k][i], box);
    }
  }
  return {HitNothing, -1};
}

bool HitShowsHand(int32_t code) { return code != HitNothing && code != HitCardBody; }

Rect ButtonRect(int32_t code) {
  const BoardLayout& l = boardLayout;
  switch (code) {
    case HitTakeButton: return l.takeButtonRect;
    case HitBindsButton: return l.bindsButtonRect;
    case HitSettingsButton: return l.settingsButtonRect;
    case HitClearButton: return l.clearButtonRect;
    case HitCreditLink: return l.creditLinkRect;
  }
  return Rect{};
}

bool HasClearButton() { return boardLayout.columnCount[2] > 0; }

void MinimumWindowSize(int32_t* width, int32_t* height) {
  *width = s(1000);
  *height = s(620);
}

bool WheelScroll(int32_t x, int32_t y, int32_t delta) {
  bool over = false;
  for (int32_t k = 0; k < 3; k++) {
    if (!RectContains(boardLayout.columnRect[k], x, y)) continue;
    // Signed division truncating toward zero: a notch away from the user scrolls up.
    boardUi.columnScroll[k] += -(s(70) * delta) / 120;
    over = true;
  }
  ComputeLayout(boardLayout.clientWidth, boardLayout.clientHeight);
  return over;
}
