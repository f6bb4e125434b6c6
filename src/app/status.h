// The status line: a short message that the main window's footer shows for 2600 ms in place of
// the statistics. Any window may set it (ShowStatus in shell_win.h); the board paints it.
#pragma once
#include <stdint.h>

constexpr int32_t statusUnits = 160;

struct StatusLine {
  char16_t text[statusUnits];
  uint32_t until;  // tick count from which the statistics are shown again
};

extern StatusLine statusLine;

// Copies at most 159 units into statusLine and shows it until tickNow + 2600 ms.
void SetStatusText(const char16_t* text, uint32_t tickNow);
// Whether the status text (rather than the statistics line) is shown at tickNow.
bool StatusVisible(uint32_t tickNow);
