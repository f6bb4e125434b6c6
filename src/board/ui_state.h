// Interaction state of the main window shared by painting and mouse handling (core part; the
// window handles live in main_window_win.h).
#pragma once
#include <stdint.h>

#include "store/ticket.h"

// The codes are HitCode values (layout.h), 0 being HitNothing; a ticket is a store index, -1 none.
struct BoardUiState {
  bool numberFocused = false, descriptionFocused = false;
  int32_t hoverCode = 0, hoverTicket = -1;
  int32_t pressCode = 0, pressTicket = -1;
  int32_t pressX = 0, pressY = 0;
  int32_t mouseX = 0, mouseY = 0;
  bool leaveTracking = false;
  bool dragging = false;
  int32_t dragTicket = -1;
  int32_t grabX = 0, grabY = 0;
  int32_t columnScroll[3] = {};
  int32_t hotKeysRegistered = 0;
  // The keyboard cursor: whether the board is the pane that holds the keyboard (F6), a button, the column
  // and row it stands on, its card (-1: the column's empty state) and what that card was, so the
  // cursor finds it again after the store changed.
  bool boardKeyboard = false;
  int32_t cursorButton = 0;  // the button the cursor is on (a HitCode), 0 on the columns
  int32_t cursorColumn = 0, cursorRow = 0, cursorTicket = -1;
  uint32_t cursorCreated = 0, cursorOrder = 0;
  int32_t cursorState = 0;
  char16_t cursorNumber[numberUnits] = {};
};

// Starts as BoardUiState{}: nothing focused, hovered, pressed or dragged, every list at its top.
// Other modules read it; what they change, they change through the functions below.
extern BoardUiState boardUi;

// Nothing is hovered (until the next mouse move or RefreshHover looks again).
void ForgetHover();
// The column's list is shown from its first card.
void ScrollColumnToTop(int32_t column);
