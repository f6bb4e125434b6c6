// What one step of the mouse or the keyboard, or one change of the tickets, changed in the
// board's picture, so that only that is repainted: a hover two cards, a wheel notch one list, a
// drag frame the card where it was and where it is, a ticket added its column.
#pragma once
#include <stdint.h>

#include "app/geometry.h"
#include "board/ui_state.h"

// The rectangles whose pixels can differ between the board drawn with before and with boardUi as
// it is now, over the same boardLayout and store. Returns their count, or -1 when the whole board
// is to be repainted (more than cap would be needed).
int32_t ChangedRects(const BoardUiState& before, Rect* out, int32_t cap);

// The rectangles a change of the tickets repaints: the columns whose cards changed (bit k for
// column k) and the footer's status box, whose statistics count the cards. cap must be 4 or more.
int32_t TicketChangeRects(uint32_t columns, Rect* out, int32_t cap);
constexpr uint32_t allColumns = 7;
// The bit of the column a ticket in the state stands in.
uint32_t ColumnBit(int32_t state);
