#include "app/geometry.h"

int32_t dpi = 96;

Rect FieldInFrame(const Rect& frame, int32_t inset) {
  int32_t h = s(22);
  int32_t left = frame.left + s(inset);
  int32_t top = (frame.top + frame.bottom - h) / 2;
  // The padding of both sides is one length of the design, scaled whole.
  int32_t width = frame.right - (frame.left + s(2 * inset));
  return Rect{left, top, left + width, top + h};
}

Rect CentredOn(const Rect& owner, int32_t width, int32_t height) {
  int32_t x = owner.left + (owner.right - owner.left - width) / 2;
  int32_t y = owner.top + (owner.bottom - owner.top - height) / 2;
  return Rect{x, y, x + width, y + height};
}

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
