#include "app/status.h"

#include "app/text.h"

StatusLine statusLine;

void SetStatusText(const char16_t* text, uint32_t tickNow) {
  CopyText(statusLine.text, statusUnits, text);
  statusLine.until = tickNow + 2600;
}

bool StatusVisible(uint32_t tickNow) {
  // GetTickCount wraps every 49.7 days: the signed difference stays right across the wrap.
  return statusLine.text[0] != 0 && static_cast<int32_t>(statusLine.until - tickNow) > 0;
}
