// The one cleaning rule for text typed into a ticket (adding and renaming use it alike).
#pragma once
#include <stdint.h>

// In place: trims spaces and tabs at both ends, then turns tab, CR, LF and "|" into spaces, then
// cuts the text to at most keep units. Returns the new length.
int32_t CleanTicketText(char16_t* text, int32_t keep);
// First store index whose number equals number exactly (case counts), or -1.
int32_t FindTicketByNumber(const char16_t* number);
