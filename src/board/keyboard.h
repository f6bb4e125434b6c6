// The keyboard on the board: a cursor over the cards as a state machine over boardUi, beside the
// mouse's hover. Each key returns what the window must do, with the same actions as the mouse.
#pragma once
#include <stdint.h>

#include "app/geometry.h"
#include "board/interaction.h"

enum BoardKey : int32_t {
  KeyUp,
  KeyDown,
  KeyLeft,
  KeyRight,
  KeyHome,
  KeyEnd,
  KeyPageUp,
  KeyPageDown,
  KeyEnter,   // the editor of the card, as a double click
  KeyDelete,  // the delete question
  KeyCopy,    // Ctrl+C: the number to the clipboard
  KeyMenu,    // the context-menu key or Shift+F10: the card's menu
  KeySpace,   // presses the button under the cursor
};

// The board takes the keyboard: the cursor stays on its card while it is still there, else it
// goes to the first card of its column.
void CursorEnterBoard();
// Finds the cursor's card again after the store or the column lists changed: a card that moved,
// was renamed or re-sorted keeps the cursor; a card that is gone leaves it on the card now at its
// row in its column (the last one, or the empty state). With scroll, the column scrolls to show
// the card whole (after a key or a command; a paint leaves the scroll to the wheel).
void CursorFollow(bool scroll);
// The column lists were just rebuilt for a paint: the cursor is looked for again, without
// scrolling, only when its row no longer holds its card.
void CursorAfterLayout();
// A key while the board holds the keyboard (boardLayout laid out). Up from a column's first card
// reaches the buttons: the clear button above the done cards, else the row of "В РАБОТУ",
// "НАСТРОЙКИ" and "БИНДЫ", walked with Left and Right; Down goes back to the cards.
MouseOutcome BoardKeyPress(int32_t key);
// Where the cursor is drawn: its button, its card's box, or the empty-state text of its column.
Rect CursorBox();
