// Decisions of the ticket operations: what adding or moving a ticket does to the store and which
// status text it reports. The Windows side reads the inputs, saves and repaints.
#pragma once
#include <stdint.h>

enum AddOutcome : int32_t {
  AddEmptyNumber,    // nothing typed: nothing changes
  AddStoreFull,      // 400 tickets and a new number: nothing changes
  AddCreated,        // a new ticket in work
  AddAlreadyInWork,  // the number is in work already: the ticket is left alone
  AddTakenBack,      // a ticket on clarification or done came back into work
};

struct AddResult {
  int32_t outcome;  // AddOutcome
  int32_t index;    // store index of the ticket concerned, -1 when none
};

// Cleans both texts in place (number to 31, description to 119 characters), then adds or takes
// back the ticket at now. status receives the text for the status line.
AddResult AddTicketCore(char16_t* number, char16_t* description, uint32_t now, char16_t* status,
                        int32_t statusCap);
// Moves a ticket to newState at now with its work-time accounting; false (and no status text)
// when it already has that state or the index is out of range.
bool ChangeTicketState(int32_t index, int32_t newState, uint32_t now, char16_t* status,
                       int32_t statusCap);
// "Удалить заявку %s из списка?"
void FormatDeleteQuestion(int32_t index, char16_t* out, int32_t cap);
