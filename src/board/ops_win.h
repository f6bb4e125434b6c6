// The ticket operations as the main window calls them (inputs, dialogs, saving, repaint).
#pragma once
#include <stdint.h>

void AddTicketFromInputs();
void SetTicketState(int32_t index, int32_t newState);
void DeleteTicket(int32_t index);
// WM_APP_SAVE: the change painted last is saved.
void SavePaintedChange();
