// Geometry of the board: every rectangle, the column lists, the scroll clamp and HitTest.
// Painting and mouse handling both read boardLayout, so what is drawn is what is clicked.
#pragma once
#include <stdint.h>
#include "app/geometry.h"
#include "draw/card_geometry.h"
#include "store/ticket.h"

enum HitCode : int32_t {
  HitNothing = 0,
  HitTakeButton = 1,
  HitBindsButton = 2,
  HitClearButton = 3,
  HitCardBody = 4,
  HitCardDelete = 5,
  HitCardDone = 6,
  HitCardClarify = 7,
  HitCreditLink = 8,
  HitSettingsButton = 9,
};

struct HitResult {
  int32_t code;    // HitCode
  int32_t ticket;  // store index for the card codes, -1 otherwise
};

struct BoardLayout {
  int32_t clientWidth, clientHeight;
  int32_t margin;
  Rect bindsButtonRect;
  Rect settingsButtonRect;
  Rect numberFrameRect;
  Rect descriptionFrameRect;
  Rect numberInputRect;  // the EDIT controls inside the two frames
  Rect descriptionInputRect;
  Rect takeButtonRect;
  Rect columnRect[3];
  Rect listRect[3];
  Rect clearButtonRect;
  Rect creditLinkRect;
  int32_t cardHeight;
  int32_t cardGap;
  int32_t columnTickets[3][maxTickets];
  int32_t columnCount[3];
};

extern BoardLayout boardLayout;

// Recomputes boardLayout for a client area of width x height at the current dpi, rebuilds the
// column lists from the store and clamps columnScroll (BoardUiState).
void ComputeLayout(int32_t width, int32_t height);
// Rebuilds only the column lists of boardLayout from the store.
void SortIntoColumns();
// Top of the i-th card of column k with the current scroll offset.
int32_t CardTop(int32_t column, int32_t index);
// The whole box of that card, as it is painted and hit.
Rect CardBox(int32_t column, int32_t index);
HitResult HitTest(int32_t x, int32_t y);
// Whether the mouse over code shows the hand: everything that is clicked, not a card's body
// (it is dragged) and not empty space.
bool HitShowsHand(int32_t code);
// The rectangle of a button of the board by its code (the tool buttons, the clear button, the
// credit link); an empty one for every other code.
Rect ButtonRect(int32_t code);
// The clear button is there while there are done cards.
bool HasClearButton();

// Smallest outer size of the main window.
void MinimumWindowSize(int32_t* width, int32_t* height);
// One wheel turn of delta (120 a notch) at client point (x, y): scrolls every column whose whole
// rectangle holds the point, then recomputes the layout, which clamps the offsets. Returns whether
// the point was over a column.
bool WheelScroll(int32_t x, int32_t y, int32_t delta);
