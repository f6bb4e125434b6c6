// Interaction state of the main window shared by painting and mouse handling (core part; the
// window handles live in main_window_win.h).
#pragma once
#include <stdint.h>

constexpr int32_t statusUnits = 160;

struct BoardUiState {
  bool numberFocused, descriptionFocused;
  int32_t hoverCode, hoverTicket;
  int32_t pressCode, pressTicket;
  int32_t pressX, pressY;
  int32_t mouseX, mouseY;
  bool leaveTracking;
  bool dragging;
  int32_t dragTicket;
  int32_t grabX, grabY;
  int32_t columnScroll[3];
  char16_t statusText[statusUnits];
  uint32_t statusUntil;
  int32_t hotKeysRegistered;
};

extern BoardUiState boardUi;

void ResetBoardUi();
// Nothing under the mouse is highlighted until the next move says what is.
void ForgetHover();
// Copies at most 159 units into statusText and shows it until now + 2600 ms.
void SetStatusText(const char16_t* text, uint32_t tickNow);
// Whether the status text (rather than the statistics line) is shown at tickNow.
bool StatusVisible(uint32_t tickNow);
