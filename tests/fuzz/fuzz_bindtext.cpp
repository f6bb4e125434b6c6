// Any bytes as a bind file: decoded, taken, prepared, batched into key events and shown as a row.
#include <stddef.h>
#include <stdint.h>

#include "app/textcodec.h"
#include "binds/bind_text.h"

static char16_t text[70002];
static char16_t prepared[bindWorkUnits];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 70000) return 0;
  DecodeTextBytes(data, static_cast<int32_t>(size), text, 70002);
  int32_t n = PrepareBindText(prepared, bindWorkUnits, text);
  if (n < 0 || n > bindTextLimit || prepared[n] != 0) __builtin_trap();
  if (n > 0 && (prepared[n - 1] == 13 || prepared[n - 1] == 10)) __builtin_trap();
  // Every unit is typed once: a Unicode pair each, one Enter for CR LF.
  int32_t position = 0, unicodeDowns = 0, enters = 0, batches = 0;
  BindKeyEvent events[bindEventCapacity];
  for (int32_t count; (count = NextBindBatch(prepared, &position, events)) > 0; batches++) {
    if (count > bindBatchEvents || count % 2 != 0 || position > n) __builtin_trap();
    for (int32_t i = 0; i < count; i += 2) {
      if (events[i + 1].flags != (events[i].flags | bindKeyUp)) __builtin_trap();
      if (events[i].flags & bindKeyUnicode) unicodeDowns++;
      if (events[i].vk == bindVkReturn) enters++;
    }
    if (batches > n) __builtin_trap();
  }
  if (position != n) __builtin_trap();
  int32_t crlf = 0, others = 0;
  for (int32_t i = 0; i < n; i++) {
    char16_t c = prepared[i];
    if (c == 13 && prepared[i + 1] == 10) crlf++;
    if (c != 13 && c != 10 && c != 9) others++;
  }
  if (unicodeDowns != others) __builtin_trap();
  int32_t lineEnds = 0;
  for (int32_t i = 0; i < n; i++) lineEnds += prepared[i] == 13 || prepared[i] == 10;
  if (enters != lineEnds - crlf) __builtin_trap();
  char16_t row[bindRowUnits];
  int32_t length = FormatBindRow(row, bindRowUnits, 12, prepared);
  if (length < 0 || length >= bindRowUnits || row[length] != 0) __builtin_trap();
  return 0;
}
