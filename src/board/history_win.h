// Clearing the done column into the append-only history file (the main window's command).
#pragma once

// Asks first; a done ticket leaves the board only once its history line is written.
void ClearDoneTickets();
