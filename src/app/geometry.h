// Rectangles and DPI scaling. Every length in the program is a 96-DPI constant scaled on its own
// with s(x) and only then added: s(80) + s(46), never s(126).
#pragma once
#include <stdint.h>

// Same layout as the Windows RECT; half-open: left <= x < right, top <= y < bottom.
struct Rect {
  int32_t left, top, right, bottom;
};

inline bool RectContains(const Rect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
inline bool RectEquals(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool RectEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
// The part two rectangles share; an empty rectangle at the meeting corner when they do not meet.
inline Rect RectIntersection(const Rect& a, const Rect& b) {
  Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
         a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

// Windows' MulDiv: a * b / c rounded half away from zero, -1 when c is 0 or the result overflows.
int32_t MulDiv32(int32_t a, int32_t b, int32_t c);

// Horizontal screen DPI read at start-up, never below 96.
extern int32_t dpi;
inline int32_t s(int32_t x) { return MulDiv32(x, dpi, 96); }

// Where an EDIT control sits inside the frame drawn for it: 22 px high, vertically centred,
// inset (a 96-DPI length) from the left and as much from the right.
Rect FieldInFrame(const Rect& frame, int32_t inset);
// A window of width x height centred on owner, the screen rectangle of the window it belongs to.
Rect CentredOn(const Rect& owner, int32_t width, int32_t height);
