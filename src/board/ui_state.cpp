#include "board/ui_state.h"

#include <string.h>

#include "app/text.h"

BoardUiState boardUi;

void ResetBoardUi() {
  memset(&boardUi, 0, sizeof boardUi);
  boardUi.hoverTicket = -1;
  boardUi.pressTicket = -1;
  boardUi.dragTicket = -1;
}

void SetStatusText(const char16_t* text, uint32_t tickNow) {
  CopyText(boardUi.statusText, statusUnits, text);
  boardUi.statusUntil = tickNow + 2600;
}

bool StatusVisible(uint32_t tickNow) {
  // Unsigned comparison, as GetTickCount wraps.
  return boardUi.statusText[0] != 0 && tickNow < boardUi.statusUntil;
}
