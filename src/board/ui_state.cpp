#include "board/ui_state.h"

#include <string.h>

#include "app/text.h"
#include "board/layout.h"

BoardUiState boardUi;

void ResetBoardUi() {
  memset(&boardUi, 0, sizeof boardUi);
  boardUi.hoverTicket = -1;
  boardUi.pressTicket = -1;
  boardUi.dragTicket = -1;
}

void ForgetHover() {
  boardUi.hoverCode = HitNothing;
  boardUi.hoverTicket = -1;
}

void SetStatusText(const char16_t* text, uint32_t tickNow) {
  CopyText(boardUi.statusText, statusUnits, text);
  boardUi.statusUntil = tickNow + 2600;
}

bool StatusVisible(uint32_t tickNow) {
  // GetTickCount wraps every 49.7 days: the signed difference stays right across the wrap.
  return boardUi.statusText[0] != 0 && static_cast<int32_t>(boardUi.statusUntil - tickNow) > 0;
}
