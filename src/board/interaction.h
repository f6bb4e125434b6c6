// Mouse on the board as a state machine over boardUi: each event returns what the window must do.
#pragma once
#include <stdint.h>

enum MouseAction : int32_t {
  ActNone,
  ActTake,        // AddTicketFromInputs
  ActBinds,       // OpenBindsWindow
  ActClear,       // ClearDoneTickets
  ActDelete,      // DeleteTicket(ticket)
  ActSetState,    // SetTicketState(ticket, state)
  ActCredit,      // open the developer's page
  ActSettings,    // OpenSettingsWindow
  ActEdit,        // OpenTicketEditor(ticket)
  ActMenu,        // the popup menu of ticket
  ActCopyNumber,  // copy ticket's number to the clipboard
  ActTakeTexts,   // put ticket's number and description into the inputs
};

struct MouseOutcome {
  bool invalidate;  // the whole client area
  bool trackLeave;  // request WM_MOUSELEAVE
  bool capture;
  bool release;
  int32_t action;  // MouseAction
  int32_t ticket;
  int32_t state;   // for ActSetState
};

MouseOutcome MouseMove(int32_t x, int32_t y);
MouseOutcome MouseLeave();
MouseOutcome MousePress(int32_t x, int32_t y, bool doubleClick);
MouseOutcome MouseRelease(int32_t x, int32_t y);
MouseOutcome MouseRightRelease(int32_t x, int32_t y);
// The window lost the mouse capture to someone else: a press or a drag in progress is given up.
MouseOutcome MouseCaptureLost();

// The commands of a ticket's popup menu; TrackPopupMenu returns 0 when it is dismissed.
enum MenuCommandId : int32_t {
  MenuNothing = 0,  // the separator, or the menu dismissed
  MenuDone = 1,
  MenuToWork = 2,
  MenuCopyNumber = 3,
  MenuTakeTexts = 4,
  MenuDelete = 5,
  MenuEdit = 6,
  MenuToClarify = 7,
};

struct MenuItem {
  int32_t id;  // MenuCommandId
  const char16_t* text;
};
constexpr int32_t menuItemCount = 7;
// The items of a ticket's popup menu, by its state, in order.
void TicketMenuItems(int32_t state, MenuItem items[menuItemCount]);
// What a chosen menu command does (MenuNothing: nothing).
MouseOutcome MenuCommand(int32_t command, int32_t ticket);
