#include "board/ui_state.h"

BoardUiState boardUi;
