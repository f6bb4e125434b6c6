// Any bytes through the decoder, and the decoded text through the encoder and back.
#include <stddef.h>
#include <stdint.h>

#include "app/textcodec.h"

static char16_t text[70002];
static char16_t again[70002];
static uint8_t bytes[3 * 70002];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 70000) return 0;
  int32_t n = DecodeTextBytes(data, static_cast<int32_t>(size), text, 70002);
  if (n < 0 || n > 70001 || text[n] != 0) __builtin_trap();
  int32_t m = EncodeUtf8(text, n, bytes, sizeof bytes);
  if (m < 0) __builtin_trap();
  // Valid UTF-8 decodes strictly; text without lone surrogates survives the round trip.
  int32_t k = DecodeUtf8Strict(bytes, m, again, 70002);
  if (k < 0) __builtin_trap();
  bool lone = false;
  for (int32_t i = 0; i < n; i++) {
    bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (high && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      i++;
      continue;
    }
    if (high || low) lone = true;
  }
  if (!lone) {
    if (k != n) __builtin_trap();
    for (int32_t i = 0; i < n; i++)
      if (again[i] != text[i]) __builtin_trap();
  }
  return 0;
}
