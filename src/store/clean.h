// The one cleaning rule for text typed into a ticket (adding and renaming use it alike).
#pragma once
#include <stdint.h>

// The number and description fields of the board and of the editor alike. Typing stops at the
// limit; a field is read back into a buffer of the read size, larger than anything a field
// holds, and the cleaning rule below then makes the text fit the ticket.
constexpr int32_t numberFieldLimit = 30;
constexpr int32_t descriptionFieldLimit = 118;
constexpr int32_t numberFieldRead = 64;
constexpr int32_t descriptionFieldRead = 200;

// In place: trims spaces and tabs at both ends, then turns tab, CR, LF and "|" into spaces, then
// cuts the text to at most keep units. Returns the new length.
int32_t CleanTicketText(char16_t* text, int32_t keep);
// First store index whose number equals number exactly (case counts), or -1.
int32_t FindTicketByNumber(const char16_t* number);
