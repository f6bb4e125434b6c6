// Drawing primitives shared by every window, and the double-buffered paint.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "app/geometry.h"

// The two brushes of the palette, made by CreateDrawingObjects.
extern HBRUSH fieldBrush;   // fieldColor: EDIT and LISTBOX background
extern HBRUSH windowBrush;  // windowColor: every client area
// The shared fonts, cursors and icons (CreateSharedObjects), then the palette's brushes.
void CreateDrawingObjects();

// A memory DC with its own bitmap; dc is NULL when there is none.
struct Surface {
  HDC dc;
  HBITMAP bitmap, kept;
  Rect box;  // client coordinates that the surface covers
};
// A surface compatible with reference covering box, drawn on in client coordinates, filled with
// the window colour, transparent text. False (and *out empty) when the bitmap cannot be made.
bool MakeSurface(HDC reference, const Rect& box, Surface* out);
// Frees what MakeSurface made; an empty surface is left alone.
void FreeSurface(Surface* surface);
// A surface whose picture has at most 256 colours is moved into a bitmap of one byte a pixel
// with those colours in its table: the same pixels in a quarter of the memory. False, and the
// surface as it was, when it has more colours or memory is short.
bool KeepInFewColours(Surface* surface);
// The start of every paint: box filled with the window colour, transparent text.
void ClearForPaint(HDC dc, const Rect& box);

// The paint of a secondary window: BeginPaint, then a surface of the client size to draw on, or
// the window's own DC when the bitmap cannot be made (a picture drawn in place beats none).
struct BackBuffer {
  PAINTSTRUCT paint;
  HDC windowDc;
  Surface surface;
  HDC dc;  // draw here
  int32_t width, height;
};
void BeginWindowBackBuffer(HWND window, BackBuffer* buffer);
// One BitBlt to the window, then everything released and EndPaint.
void EndBackBuffer(HWND window, BackBuffer* buffer);

// WM_CTLCOLOREDIT / WM_CTLCOLORLISTBOX of every window: white text on the field colour.
LRESULT AnswerFieldColors(WPARAM dc);

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
// Adds (RGN_OR) or takes away (RGN_DIFF) the rectangle in the region; false when it could not.
bool CombineRect(HRGN into, const Rect& r, int mode);
// One region of the n rectangles (empty for n <= 0); NULL when the system could not make it.
HRGN RegionOf(const Rect* rects, int32_t n);
// Marks the n rectangles of the window's client area for the next paint (none for n <= 0).
void InvalidateRects(HWND window, const Rect* rects, int32_t n);
// A window's rectangle on the screen: the owner a secondary window is placed on.
inline Rect ScreenRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return Rect{r.left, r.top, r.right, r.bottom};
}

// Whether DrawTextIn and TextWidth keep cut texts and widths between calls (on by default);
// off, every text is cut and measured anew.
extern bool textsKept;

// DrawTextW with length -1 and DT_NOPREFIX added; font selected and colour set first. The font
// stays selected in dc after it, as after TextWidth.
void DrawTextIn(HDC dc, const char16_t* text, const Rect& box, HFONT font, uint32_t colour,
                UINT flags);
int32_t TextWidth(HDC dc, const char16_t* text, HFONT font);
// TextWidth of a text short enough to be kept, else -1 (nothing is measured).
int32_t KeptTextWidth(HDC dc, const char16_t* text, HFONT font);

constexpr UINT textLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
constexpr UINT textCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr UINT textLeftCut = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT textRightCut = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT textRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
constexpr UINT textCentredLines = DT_CENTER | DT_WORDBREAK;
constexpr UINT textLeftLines = DT_LEFT | DT_WORDBREAK;

// The rectangle filled with one colour.
void FillPlain(HDC dc, const Rect& box, uint32_t colour);
// outline = noOutline (theme.h) for a fill without outline.
void FillRoundRect(HDC dc, const Rect& box, int32_t radius, uint32_t fill, uint32_t outline);
// The accent's horizontal gradient, blue to violet, over a plain rectangle.
void FillAccentBar(HDC dc, const Rect& box);
void FillAccentGradient(HDC dc, const Rect& box, int32_t radius, bool hovered);
void DrawCornerGlow(HDC dc, int32_t cx, int32_t cy, int32_t halfWidth, int32_t halfHeight,
                    uint32_t centreColour);
void DrawInputFrame(HDC dc, const Rect& box, bool focused);
// The keyboard's outline around a box, in the colour of a focused input's frame.
void DrawFocusOutline(HDC dc, const Rect& box, int32_t radius);
void DrawPrimaryButton(HDC dc, const Rect& box, int32_t radius, bool hovered, const char16_t* label);
void DrawSecondaryButton(HDC dc, const Rect& box, int32_t radius, bool hovered,
                         const char16_t* label);
enum ToolIcon : int32_t { ToolIconKeyboard = 0, ToolIconGear = 1 };
void DrawToolButton(HDC dc, const Rect& box, bool hovered, int32_t icon, const char16_t* label,
                    const char16_t* badge, uint32_t badgeTextColour, uint32_t badgeFillColour);
// The live dot at a pulse phase (0..700).
void DrawPulseDot(HDC dc, int32_t cx, int32_t cy, int32_t coreRadius, uint32_t bright,
                  uint32_t rest, uint32_t core, bool active, int32_t phase);
void DrawKeyboardIcon(HDC dc, int32_t cx, int32_t cy, uint32_t colour);
// holeColour is the fill of the button under the gear.
void DrawGearIcon(HDC dc, int32_t cx, int32_t cy, uint32_t colour, uint32_t holeColour);
void DrawFilledCircle(HDC dc, int32_t cx, int32_t cy, int32_t radius, uint32_t colour);
void DrawCrossIcon(HDC dc, const Rect& box, uint32_t colour);
void DrawBackArrowIcon(HDC dc, const Rect& box, uint32_t colour);
void DrawCheckIcon(HDC dc, const Rect& box, uint32_t colour);
void DrawPauseIcon(HDC dc, int32_t cx, int32_t cy, uint32_t colour);
// One pen-made stroke from (x0, y0) to (x1, y1); the pen is deleted at once.
void DrawStroke(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width,
                uint32_t colour);
