#include "reminder/settings.h"

Settings settings = {1, 19, 30, 0};

void ResetSettings() { settings = Settings{1, 19, 30, 0}; }
