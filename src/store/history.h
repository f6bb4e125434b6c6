// The history file zoltex_history.txt: the line of a cleared ticket and the clearing's steps
// that need no Windows (the append itself is in history_win.cpp).
#pragma once
#include <stdint.h>
#include "app/clock.h"
#include "store/ticket.h"

constexpr int32_t historyLineUnits = 400;

// "dd.mm.yyyy | number | взята hh:mm | выполнена hh:mm | время duration | description\r\n",
// the date being the day it was done. Returns the length.
int32_t FormatHistoryLine(const Ticket& ticket, const LocalTime& taken, const LocalTime& done,
                          char16_t* out, int32_t cap);
void FormatClearQuestion(int32_t doneCount, char16_t* out, int32_t cap);
int32_t CountDoneTickets();
// Fills saveBuffer with the whole lines of done tickets from store index start on, as many as
// it holds. Returns the index to go on from: ticketCount once every done ticket is in.
int32_t BuildHistoryChunk(int32_t start, LocalTime (*toLocal)(uint32_t unixTime));
// What a clearing does once the appends are over: written is the store index below which every
// done ticket's line reached the file, failed whether an append failed. A done ticket leaves the
// board only once its line is in the history; the status line tells which of the three it was.
struct ClearOutcome {
  bool removes;            // the done tickets below written leave the board
  const char16_t* status;  // what the status line says
};
ClearOutcome ClearOutcomeOf(int32_t written, bool failed);
// Removes the done tickets below store index end, from the last to the first. Returns how many.
int32_t RemoveDoneTickets(int32_t end);
