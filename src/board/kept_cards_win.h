// The cards a repaint of the board's back buffer reaches: a card that the buffer already shows in
// its box, with the look it has now, is left as it is (a card in work gets only its stripe and
// time pill anew); every other card the repaint reaches is drawn. What a repaint does not reach
// shows the board as it is now (what changes is invalidated), so a card drawn in part is kept
// whole. After a change of the window's size, a card is made from the pixels the buffer has of
// it at its old width or height where it can be. This takes the place of a cache of card pictures
// beside the buffer.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "app/geometry.h"
#include "draw/card_win.h"

struct PlannedCard {
  int32_t column, row;
  Rect box, shown;  // shown: the part of the box inside the list's clip
  PreparedCard card;
  bool left;      // the buffer shows it already: not drawn
  bool recorded;  // nothing is drawn over it: the buffer keeps it
};

// Plans the repaint of region (client coordinates; NULL: all) of the back buffer dc, from the
// last ComputeLayout, boardUi and the store at Unix time now. Returns the region to draw in,
// valid until EndCardRepaint: region less the boxes of the cards left as they are (NULL: all).
HRGN PlanCardRepaint(HDC dc, HRGN region, uint32_t now);
// The plan for the card at row of column k, or NULL when the repaint does not reach it.
const PlannedCard* FindPlannedCard(int32_t column, int32_t row);
// The stripe and time pill of the cards in work that were left as they are.
void DrawLeftCardsClockParts(HDC dc, int32_t phase);
// Ends the repaint: what the buffer shows where it reached is noted for the next one.
void EndCardRepaint();
// The buffer is new, or gone: it shows no card.
void ForgetShownCards();
// Whether the keyboard cursor's outline is drawn in a column: on a card, or on an empty list.
bool ColumnCursorShown();
