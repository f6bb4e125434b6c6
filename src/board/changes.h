// What one step of the mouse or the keyboard changed in the board's picture, so that only that is
// repainted: a hover two cards, a wheel notch one column, a drag frame the card where it was and
// where it is.
#pragma once
#include <stdint.h>

#include "app/geometry.h"
#include "board/ui_state.h"

// The rectangles whose pixels can differ between the board drawn with before and with boardUi as
// it is now, over the same boardLayout and store. Returns their count, or -1 when the whole board
// is to be repainted (more than cap would be needed).
int32_t ChangedRects(const BoardUiState& before, Rect* out, int32_t cap);
