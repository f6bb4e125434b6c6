#include "board/accessible.h"

#include "app/text.h"
#include "board/board_geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/card_geometry.h"
#include "store/ticket.h"

namespace {

struct ButtonText {
  int32_t hit;
  const char16_t* name;
  const char16_t* hint;
};
const ButtonText buttons[4] = {
    {HitSettingsButton, u"НАСТРОЙКИ", u""},
    {HitBindsButton, u"БИНДЫ", u"F1–F12"},
    {HitTakeButton, u"В РАБОТУ", u"Enter"},
    {HitClearButton, u"очистить", u""},
};
// The board's child number of the button (1..3, or the clear button's) and back.
int32_t ChildOfButton(int32_t i) { return i == 3 ? readClearButton : i + 1; }
const ButtonText& ButtonOf(int32_t child) { return buttons[child == readClearButton ? 3 : child - 1]; }

const char16_t* const stateWords[3] = {u"в работе", u"на уточнении", u"выполнена"};

// The empty-state text is painted on lines; a reader gets one.
void OneLine(char16_t* out, int32_t cap, const char16_t* text) {
  CopyText(out, cap, text);
  for (char16_t* c = out; *c; c++)
    if (*c == u'\n') *c = u' ';
}

void ReadCard(int32_t k, int32_t row, uint32_t now, ReadNode* out) {
  const Ticket& t = ticketStore.tickets[boardLayout.columnTickets[k][row]];
  out->role = ReadListItem;
  out->box = CardBox(k, row);
  out->offscreen = !CardInList(boardLayout.listRect[k], out->box.top, boardLayout.cardHeight);
  if (t.description[0]) FormatText(out->name, readNameUnits, u"%s, %s", t.number, t.description);
  else CopyText(out->name, readNameUnits, t.number);
  char16_t time[32];
  FormatDuration(WorkedNow(t, now), time, 32);
  FormatText(out->value, readValueUnits, u"%s, %s", stateWords[k], time);
}

}  // namespace

int32_t ReadChildCount(int32_t parent) {
  if (parent == readBoard) return HasClearButton() ? readClearButton : readClearButton - 1;
  if (parent < 0 || parent > 2) return 0;
  int32_t count = boardLayout.columnCount[parent];
  return count > 0 ? count : 1;
}

bool ReadChild(int32_t parent, int32_t child, uint32_t now, ReadNode* out) {
  if (child < 1 || child > ReadChildCount(parent)) return false;
  *out = ReadNode{};
  out->column = -1;
  out->focusable = true;
  int32_t focusParent, focusChild;
  out->focused = ReadFocus(&focusParent, &focusChild) && focusParent == parent && focusChild == child;
  if (parent == readBoard && child >= readFirstColumn && child < readClearButton) {
    int32_t k = child - readFirstColumn;
    out->role = ReadList;
    out->column = k;
    out->box = boardLayout.columnRect[k];
    out->focusable = false;
    CopyText(out->name, readNameUnits, columnTitles[k]);
    FormatText(out->value, readValueUnits, u"%d", boardLayout.columnCount[k]);
    return true;
  }
  if (parent == readBoard) {
    const ButtonText& b = ButtonOf(child);
    out->role = ReadButton;
    out->box = ButtonRect(b.hit);
    CopyText(out->name, readNameUnits, b.name);
    CopyText(out->description, readValueUnits, b.hint);
    return true;
  }
  if (boardLayout.columnCount[parent] > 0) {
    ReadCard(parent, child - 1, now, out);
    return true;
  }
  out->role = ReadText;
  out->box = ComputeColumnParts(boardLayout.columnRect[parent], boardLayout.listRect[parent]).emptyText;
  OneLine(out->name, readNameUnits, emptyColumnTexts[parent]);
  return true;
}

bool ReadFocus(int32_t* parent, int32_t* child) {
  const BoardUiState& ui = boardUi;
  if (!ui.boardKeyboard) return false;
  *parent = readBoard;
  for (int32_t i = 0; i < 4; i++)
    if (buttons[i].hit == ui.cursorButton) {
      *child = ChildOfButton(i);
      return true;
    }
  *parent = ui.cursorColumn;
  *child = ui.cursorRow + 1;
  return true;
}

int32_t ReadChildAt(int32_t parent, int32_t x, int32_t y) {
  if (parent == readBoard) {
    for (int32_t child = 1; child <= ReadChildCount(readBoard); child++) {
      bool column = child >= readFirstColumn && child < readClearButton;
      if (!column && RectContains(ButtonRect(ButtonOf(child).hit), x, y))
        return child;
    }
    for (int32_t k = 0; k < 3; k++)
      if (RectContains(boardLayout.columnRect[k], x, y)) return readFirstColumn + k;
    return 0;
  }
  if (parent < 0 || parent > 2 || !RectContains(boardLayout.listRect[parent], x, y)) return 0;
  for (int32_t i = 0; i < boardLayout.columnCount[parent]; i++)
    if (RectContains(CardBox(parent, i), x, y)) return i + 1;
  return 0;
}
