// Placeholder until clearing done tickets into the history is built.
#include "store/ops_win.h"

void ClearDoneTickets() {}
