// The ticket record, its states and the program-wide store.
#pragma once
#include <stdint.h>

enum TicketState : int32_t {
  StateInWork = 0,
  StateDone = 1,
  StateClarify = 2,
};

constexpr int32_t numberUnits = 32;       // 31 characters and the terminator
constexpr int32_t descriptionUnits = 120; // 119 characters and the terminator
constexpr int32_t maxTickets = 400;

struct Ticket {
  int32_t state;
  uint32_t order;
  uint32_t workedSeconds;
  uint32_t stateSince;
  uint32_t createdAt;
  uint32_t doneAt;
  char16_t number[numberUnits];
  char16_t description[descriptionUnits];
};

struct TicketStore {
  Ticket tickets[maxTickets];
  int32_t ticketCount;
  uint32_t orderCounter;
};

extern TicketStore ticketStore;

void ResetTicketStore();
// Board column of a state: 0 in work, 1 on clarification, 2 done (every other value).
int32_t ColumnOf(int32_t state);
// Fills the three column lists from the store, each by order, largest first; equal orders keep
// store order.
void SortIntoColumns(int32_t columnCount[3], int32_t columnTickets[3][maxTickets]);
// Work time at now; a stateSince later than now adds nothing.
uint32_t WorkedNow(const Ticket& ticket, uint32_t now);
// "%02lu:%02lu" below an hour, "%lu:%02lu:%02lu" from an hour up.
void FormatDuration(uint32_t seconds, char16_t* out, int32_t cap);
void RemoveTicketAt(int32_t index);
// Gives the ticket at index both texts, cut to the record's sizes; nothing else of it changes.
void SetTicketTexts(int32_t index, const char16_t* number, const char16_t* description);
// Advances orderCounter and returns the new order. Where the counter would wrap, the orders are
// first renumbered 1, 2, ... in their sequence (equal orders stay equal), so the newest stays first.
uint32_t NextOrder();
