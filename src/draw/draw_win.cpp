// Placeholder primitives: they draw nothing yet.
#include "draw/draw_win.h"

#include "app/shell_win.h"

void BeginBackBuffer(HWND window, BackBuffer* b, int32_t width, int32_t height) {
  b->windowDc = BeginPaint(window, &b->paint);
  b->dc = b->windowDc;
  b->width = width;
  b->height = height;
  RECT r{0, 0, width, height};
  FillRect(b->dc, &r, windowBrush);
}
void EndBackBuffer(HWND window, BackBuffer* b) { EndPaint(window, &b->paint); }
void DrawTextIn(HDC, const char16_t*, const Rect&, HFONT, uint32_t, UINT) {}
int32_t TextWidth(HDC, const char16_t*, HFONT) { return 0; }
void FillRoundRect(HDC, const Rect&, int32_t, uint32_t, uint32_t) {}
void FillAccentGradient(HDC, const Rect&, int32_t, bool) {}
void DrawCornerGlow(HDC, int32_t, int32_t, int32_t, int32_t, uint32_t) {}
void DrawInputFrame(HDC, const Rect&, bool) {}
void DrawPrimaryButton(HDC, const Rect&, int32_t, bool, const char16_t*) {}
void DrawSecondaryButton(HDC, const Rect&, int32_t, bool, const char16_t*) {}
void DrawToolButton(HDC, const Rect&, bool, int32_t, const char16_t*, const char16_t*, uint32_t,
                    uint32_t) {}
void DrawPulseDot(HDC, int32_t, int32_t, int32_t, uint32_t, uint32_t, uint32_t, bool) {}
void DrawFilledCircle(HDC, int32_t, int32_t, int32_t, uint32_t) {}
void DrawCrossIcon(HDC, const Rect&, uint32_t) {}
void DrawBackArrowIcon(HDC, const Rect&, uint32_t) {}
void DrawCheckIcon(HDC, const Rect&, uint32_t) {}
void DrawPauseIcon(HDC, int32_t, int32_t, uint32_t) {}
void DrawStroke(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, uint32_t) {}
