// What a screen reader is told of the board: a tree read from boardLayout and boardUi, the same
// ones the paint and the mouse use. The board holds the tool buttons, the three columns and, while
// there are done cards, the clear button; a column holds its cards in their order, or its empty
// state. Children are numbered from 1, as a reader numbers them.
#pragma once
#include <stdint.h>

#include "app/geometry.h"

enum ReadRole : int32_t {
  ReadButton,
  ReadList,      // a column
  ReadListItem,  // a card
  ReadText,      // a column's empty state
  ReadClient,    // the board itself
};

constexpr int32_t readBoard = -1;  // the parent of the buttons and the columns; 0..2 a column
// The board's children: 1..3 the buttons left to right, 4..6 the columns, 7 the clear button.
constexpr int32_t readFirstColumn = 4, readClearButton = 7;
constexpr int32_t readNameUnits = 200;
constexpr int32_t readValueUnits = 64;

struct ReadNode {
  int32_t role;        // ReadRole
  int32_t column;      // the column this child is (its own object, with children), else -1
  Rect box;            // client coordinates, as painted
  bool focusable;
  bool focused;        // the keyboard cursor is on it while the board holds the keyboard
  bool offscreen;      // a card scrolled out of its list
  char16_t name[readNameUnits];
  char16_t value[readValueUnits];        // a card's column and time, a column's count
  char16_t description[readValueUnits];  // a button's hint
};

int32_t ReadChildCount(int32_t parent);
// The child of parent at Unix time now; false when parent has no such child.
bool ReadChild(int32_t parent, int32_t child, uint32_t now, ReadNode* out);
// Where the keyboard cursor stands in the tree; false while the board does not hold the keyboard.
bool ReadFocus(int32_t* parent, int32_t* child);
// The child of parent at client point (x, y), 0 when none.
int32_t ReadChildAt(int32_t parent, int32_t x, int32_t y);
