#include "board/ui_state.h"

#include "board/layout.h"

BoardUiState boardUi;

void ForgetHover() {
  boardUi.hoverCode = HitNothing;
  boardUi.hoverTicket = -1;
}

void ScrollColumnToTop(int32_t column) { boardUi.columnScroll[column] = 0; }
