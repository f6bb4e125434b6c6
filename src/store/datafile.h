// The data file zoltex_data.txt: its text form (core) and loading and saving (Windows side).
#pragma once
#include <stdint.h>

#include "app/textfile.h"

constexpr int32_t saveBufferUnits = writeTextUnits;
extern char16_t* saveBuffer;  // room for saveBufferUnits units

void ClearSaveBuffer();
// Appends as much of text as fits behind what saveBuffer holds; cuts, never overflows.
void AppendBounded(const char16_t* text);

// Fills the (empty) store from a data file's text; lenient, never fails. False when the text does
// not start with the magic (the store stays empty).
bool ParseTicketText(const char16_t* text, int32_t length, uint32_t now);
// Builds the whole data file text in saveBuffer.
void FormatTicketText(uint32_t now);
// Whether text is exactly what FormatTicketText writes for the store it was parsed into, the
// header's save time aside. Leaves that text in saveBuffer.
bool TicketTextRoundTrips(const char16_t* text, int32_t length);
// Whether the data file must be copied aside before a save replaces it: whenever its bytes differ
// from what saving the store as loaded would write, the save time aside. That is, unless it was
// read whole (not cut) as UTF-8 without a mark and its text round-trips. A file that holds no text
// has nothing to copy. Call right after ParseTicketText.
bool DataFileNeedsCopy(const char16_t* text, int32_t length, int32_t encoding, bool cut);

// Why the last save did not put the new data on disk.
enum SaveProblem : int32_t {
  SaveProblemNone = 0,
  SaveProblemNotWritten = 1,   // the temporary file could not be written
  SaveProblemNoCopy = 2,       // the copy of the old file could not be written
  SaveProblemDataBusy = 3,     // the old file could not be opened to be copied
  SaveProblemNotReplaced = 4,  // the new file could not be moved over the old one
};
// The status line's words for a failed save, with the cause in lastFileFailure (fileproblem.h);
// valid until the next call.
const char16_t* SaveProblemText(int32_t problem);
// The status line's words when the data file could not be read at start, with its cause.
const char16_t* DataFileUnreadText();
// The question asked on closing when the tickets could not be saved: the same cause.
int32_t FormatUnsavedQuestion(char16_t* out, int32_t cap, int32_t problem);

// Windows side (datafile_win.cpp).
// While one lives, saveBuffer is memory taken from the system, given back when it ends: the text
// of 400 tickets need not stay with the program between saves.
class SaveBufferTaken {
 public:
  SaveBufferTaken();
  ~SaveBufferTaken();

 private:
  char16_t* kept_;
};
void LoadTickets();
// True when the new data is on disk in place of the old file; otherwise lastSaveProblem says why.
bool SaveTickets();
extern int32_t lastSaveProblem;
// SaveTickets, and when the data did not reach the disk the status line says so. Every save of
// the program goes through here.
bool SaveTicketsReported();
// Whether the data file was there but could not be read at start (it is kept until copied).
bool DataFileUnread();
