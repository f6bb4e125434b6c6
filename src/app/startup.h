// Start-up decisions that need no window.
#pragma once
#include <stdint.h>
#include "app/geometry.h"

// Main window size and place on a screen of screenWidth x screenHeight at the current dpi:
// s(1280) x s(800), kept 40 and 80 px smaller than the screen, centred.
Rect MainWindowPlacement(int32_t screenWidth, int32_t screenHeight);
// The DPI the program uses for a reported value: never below 96.
int32_t UsableDpi(int32_t reported);
