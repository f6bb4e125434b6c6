// Geometry of the hand-drawn icons and of the header tool button, in device pixels at the
// current dpi. The Windows side only turns these into GDI calls.
#pragma once
#include <stdint.h>
#include "app/geometry.h"

struct Stroke {
  int32_t x0, y0, x1, y1;  // MoveToEx / LineTo: the end point itself is not painted
};

struct Circle {
  int32_t cx, cy, radius;
};

// Ellipse box of a circle, one past the centre + radius so the shape is symmetric.
Rect CircleBox(const Circle& c);
inline int32_t CentreX(const Rect& r) { return (r.left + r.right) / 2; }
inline int32_t CentreY(const Rect& r) { return (r.top + r.bottom) / 2; }

// Gear: eight spokes of pen width s(3) from the centre, then a disc and a hole.
struct GearIcon {
  Stroke spokes[8];
  int32_t penWidth;
  Circle disc, hole;
};
GearIcon GearIconAt(int32_t cx, int32_t cy);

// Keyboard: a rounded outline, three key dots and a space bar.
struct KeyboardIcon {
  Rect outline;
  int32_t cornerRadius;
  Circle keys[3];
  Stroke spaceBar;
  int32_t barWidth;
};
KeyboardIcon KeyboardIconAt(int32_t cx, int32_t cy);

// Line icons centred in a box; count strokes of pen width penWidth.
struct LineIcon {
  Stroke strokes[3];
  int32_t count;
  int32_t penWidth;
};
LineIcon CrossIconIn(const Rect& box);
LineIcon BackArrowIconIn(const Rect& box);
LineIcon CheckIconIn(const Rect& box);
// The two bars of the pause sign around (cx, cy).
void PauseBarsAt(int32_t cx, int32_t cy, Rect bars[2]);

// The header tool button for a badge text badgeWidth pixels wide.
struct ToolButtonParts {
  int32_t iconX, iconY;
  Rect badge;
  Rect label;
};
ToolButtonParts ToolButtonGeometry(const Rect& box, int32_t badgeWidth);
