#include "app/geometry.h"

int32_t dpi = 96;

int32_t MulDiv32(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  bool negative = (product < 0) != (c < 0);
  uint64_t p = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
  uint64_t d = c < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
  uint64_t q = (p + d / 2) / d;
  if (q > 0x7FFFFFFFull) return -1;
  return negative ? -static_cast<int32_t>(q) : static_cast<int32_t>(q);
}
