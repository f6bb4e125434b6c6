// Any bytes as a settings file: decoded, parsed, and the fields stay in range.
#include <stddef.h>
#include <stdint.h>

#include "app/textcodec.h"
#include "reminder/settings.h"

static char16_t text[70002];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 70000) return 0;
  int32_t n = DecodeTextBytes(data, static_cast<int32_t>(size), text, 70002);
  Settings s{1, 19, 30, 0};
  ParseSettingsText(text, n, &s);
  if (s.remind < 0 || s.remind > 1 || s.hour < 0 || s.hour > 23 || s.minute < 0 || s.minute > 59)
    __builtin_trap();
  char16_t out[settingsTextUnits];
  FormatSettingsText(s, out, settingsTextUnits);
  Settings again{0, 0, 0, 1};
  int32_t length = 0;
  while (out[length]) length++;
  ParseSettingsText(out, length, &again);
  if (again.remind != s.remind || again.hour != s.hour || again.minute != s.minute ||
      again.lastDay != s.lastDay)
    __builtin_trap();
  return 0;
}
