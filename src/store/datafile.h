// The data file zoltex_data.txt: its text form (core) and loading and saving (Windows side).
#pragma once
#include <stdint.h>

constexpr int32_t saveBufferUnits = 88256;
extern char16_t saveBuffer[saveBufferUnits];

void ClearSaveBuffer();
// Appends as much of text as fits behind what saveBuffer holds; cuts, never overflows.
void AppendBounded(const char16_t* text);

struct TicketParseReport {
  bool recognised;  // the text started with the magic
  // Everything the file held was taken in: no ticket beyond the 400th, no line skipped or dropped,
  // no text cut. When false the file on disk is worth a backup before it is replaced.
  bool complete;
};

// Fills the (empty) store from a data file's text; lenient, never fails.
TicketParseReport ParseTicketText(const char16_t* text, int32_t length, uint32_t now);
// Builds the whole data file text in saveBuffer.
void FormatTicketText(uint32_t now);

// Windows side (datafile_win.cpp).
void LoadTickets();
// True when the new data is on disk in place of the old file.
bool SaveTickets();
