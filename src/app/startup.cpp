#include "app/startup.h"

Rect MainWindowPlacement(int32_t screenWidth, int32_t screenHeight) {
  int32_t w = s(1280);
  int32_t h = s(800);
  if (w > screenWidth - 40) w = screenWidth - 40;
  if (h > screenHeight - 80) h = screenHeight - 80;
  int32_t x = (screenWidth - w) / 2;
  int32_t y = (screenHeight - h) / 2;
  return Rect{x, y, x + w, y + h};
}

int32_t UsableDpi(int32_t reported) { return reported < 96 ? 96 : reported; }
