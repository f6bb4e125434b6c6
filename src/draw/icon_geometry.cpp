#include "draw/icon_geometry.h"

Rect CircleBox(const Circle& c) {
  return Rect{c.cx - c.radius, c.cy - c.radius, c.cx + c.radius + 1, c.cy + c.radius + 1};
}

GearIcon GearIconAt(int32_t cx, int32_t cy) {
  // The directions 10 and 7 scaled by 9/10, truncated: each coordinate is scaled on its own.
  static const int32_t dirs[8][2] = {{9, 0}, {6, 6}, {0, 9}, {-6, 6}, {-9, 0}, {-6, -6}, {0, -9}, {6, -6}};
  GearIcon g;
  for (int32_t i = 0; i < 8; i++) g.spokes[i] = Stroke{cx, cy, cx + s(dirs[i][0]), cy + s(dirs[i][1])};
  g.penWidth = s(3);
  g.disc = Circle{cx, cy, s(6)};
  g.hole = Circle{cx, cy, s(2)};
  return g;
}

KeyboardIcon KeyboardIconAt(int32_t cx, int32_t cy) {
  KeyboardIcon k;
  int32_t left = cx - s(18) / 2, top = cy - s(12) / 2;
  k.outline = Rect{left, top, left + s(18), top + s(12)};
  k.cornerRadius = s(4);
  for (int32_t i = 0; i < 3; i++) k.keys[i] = Circle{left + s(4) + i * s(5), top + s(4), s(1)};
  k.spaceBar = Stroke{left + s(5), top + s(8), k.outline.right - s(5), top + s(8)};
  k.barWidth = s(1) > 1 ? s(1) : 1;
  return k;
}

LineIcon CrossIconIn(const Rect& box) {
  int32_t cx = CentreX(box), cy = CentreY(box), d = s(5);
  LineIcon icon{};
  icon.strokes[0] = Stroke{cx - d, cy - d, cx + d + 1, cy + d + 1};
  icon.strokes[1] = Stroke{cx - d, cy + d, cx + d + 1, cy - d - 1};
  icon.count = 2;
  icon.penWidth = s(2);
  return icon;
}

LineIcon BackArrowIconIn(const Rect& box) {
  int32_t cx = CentreX(box), cy = CentreY(box);
  LineIcon icon{};
  icon.strokes[0] = Stroke{cx + s(6), cy, cx - s(6), cy};
  icon.strokes[1] = Stroke{cx - s(6), cy, cx - s(2), cy - s(4)};
  icon.strokes[2] = Stroke{cx - s(6), cy, cx - s(2), cy + s(4)};
  icon.count = 3;
  icon.penWidth = s(2);
  return icon;
}

LineIcon CheckIconIn(const Rect& box) {
  int32_t cx = CentreX(box), cy = CentreY(box);
  LineIcon icon{};
  icon.strokes[0] = Stroke{cx - s(6), cy, cx - s(2), cy + s(4)};
  icon.strokes[1] = Stroke{cx - s(2), cy + s(4), cx + s(6), cy - s(5)};
  icon.count = 2;
  icon.penWidth = s(2);
  return icon;
}

void PauseBarsAt(int32_t cx, int32_t cy, Rect bars[2]) {
  bars[0] = Rect{cx - s(4), cy - s(5), cx - s(2), cy + s(5)};
  bars[1] = Rect{cx + s(1), cy - s(5), cx + s(3), cy + s(5)};
}

ToolButtonParts ToolButtonGeometry(const Rect& box, int32_t badgeWidth) {
  ToolButtonParts p;
  p.iconX = box.left + s(22);
  p.iconY = CentreY(box);
  p.badge = Rect{box.right - (s(16) + badgeWidth + s(7)), box.top + s(7), box.right - s(7),
                 box.bottom - s(7)};
  p.label = Rect{p.iconX + s(16), box.top, p.badge.left - s(6), box.bottom};
  return p;
}
