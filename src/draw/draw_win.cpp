// The drawing primitives and the double-buffered paint shared by every window. Fills and outlines
// use the stock DC brush and pen; only line strokes create a pen, deleted right after the stroke,
// and gradient clipping creates one region, deleted right after use.
#include "draw/draw_win.h"

#include "app/shell_win.h"
#include "app/text.h"
#include "app/textfile_win.h"
#include "draw/icon_geometry.h"
#include "draw/pulse.h"
#include "draw/theme.h"

bool CombineRect(HRGN into, const Rect& r, int mode) {
  HRGN part = CreateRectRgn(r.left, r.top, r.right, r.bottom);
  if (!part) return false;
  bool done = CombineRgn(into, into, part, mode) != ERROR;
  DeleteObject(part);
  return done;
}

HRGN RegionOf(const Rect* rects, int32_t n) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int32_t i = 0; region && i < n; i++) {
    if (CombineRect(region, rects[i], RGN_OR)) continue;
    DeleteObject(region);
    region = NULL;
  }
  return region;
}

void InvalidateRects(HWND window, const Rect* rects, int32_t n) {
  // Each invalidation is a request to the window system: several rectangles go as one region.
  HRGN all = n > 1 ? RegionOf(rects, n) : NULL;
  if (all) {
    InvalidateRgn(window, all, FALSE);
    DeleteObject(all);
    return;
  }
  for (int32_t i = 0; i < n; i++) {
    RECT r = ToRECT(rects[i]);
    InvalidateRect(window, &r, FALSE);
  }
}

void ClearForPaint(HDC dc, const Rect& box) {
  SetBkMode(dc, TRANSPARENT);
  RECT r = ToRECT(box);
  FillRect(dc, &r, windowBrush);
}

bool MakeSurface(HDC reference, const Rect& box, Surface* out) {
  *out = Surface{};
  HDC dc = CreateCompatibleDC(reference);
  HBITMAP bitmap = dc ? CreateCompatibleBitmap(reference, box.right - box.left,
                                               box.bottom - box.top)
                      : NULL;
  if (!bitmap) {
    if (dc) DeleteDC(dc);
    return false;
  }
  *out = Surface{dc, bitmap, static_cast<HBITMAP>(SelectObject(dc, bitmap)), box};
  // Client coordinates everywhere: the surface's top left is box's top left.
  SetViewportOrgEx(dc, -box.left, -box.top, NULL);
  ClearForPaint(dc, box);
  return true;
}

void FreeSurface(Surface* surface) {
  if (!surface->dc) return;
  SelectObject(surface->dc, surface->kept);
  DeleteObject(surface->bitmap);
  DeleteDC(surface->dc);
  *surface = Surface{};
}

namespace {

// The colours of a picture, at most 256, each with its place in the table.
struct FewColours {
  RGBQUAD table[256];
  int32_t count;
  uint32_t keys[512];  // colour + 1, 0 for a free slot
  uint8_t places[512];
};

// The place of the colour in the table, added when new; -1 when the table is full.
int32_t PlaceOf(FewColours* f, uint32_t colour) {
  uint32_t key = (colour & 0xFFFFFF) + 1;
  for (uint32_t i = (key * 2654435761u) >> 23;; i = (i + 1) & 511) {
    if (f->keys[i] == key) return f->places[i];
    if (f->keys[i]) continue;
    if (f->count == 256) return -1;
    f->keys[i] = key;
    f->places[i] = static_cast<uint8_t>(f->count);
    f->table[f->count] = RGBQUAD{static_cast<BYTE>(colour), static_cast<BYTE>(colour >> 8),
                                 static_cast<BYTE>(colour >> 16), 0};
    return f->count++;
  }
}

}  // namespace

bool KeepInFewColours(Surface* surface) {
  if (!surface->dc) return false;
  const int32_t w = surface->box.right - surface->box.left;
  const int32_t h = surface->box.bottom - surface->box.top;
  const int64_t count = static_cast<int64_t>(w) * h;
  // The pixels are read out for the while, and given back.
  uint32_t* pixels = static_cast<uint32_t*>(TakeMemory(static_cast<size_t>(count) * 4));
  if (!pixels) return false;
  // The bitmap is read while no DC holds it.
  SelectObject(surface->dc, surface->kept);
  BITMAPINFO read{};
  read.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  FewColours colours{};
  bool few = GetDIBits(surface->dc, surface->bitmap, 0, h, pixels, &read, DIB_RGB_COLORS) == h;
  for (int64_t i = 0; few && i < count; i++) few = PlaceOf(&colours, pixels[i]) >= 0;
  HBITMAP indexed = NULL;
  void* bits = NULL;
  if (few) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD table[256];
    } info{};
    info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), w, -h, 1, 8, BI_RGB, 0, 0, 0,
                                   static_cast<DWORD>(colours.count), 0};
    for (int32_t i = 0; i < colours.count; i++) info.table[i] = colours.table[i];
    indexed = CreateDIBSection(surface->dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                               &bits, NULL, 0);
  }
  if (indexed && bits) {
    const int32_t stride = (w + 3) & ~3;  // rows of a DIB are whole 32-bit words
    uint8_t* rows = static_cast<uint8_t*>(bits);
    for (int32_t y = 0; y < h; y++)
      for (int32_t x = 0; x < w; x++)
        rows[static_cast<int64_t>(y) * stride + x] =
            static_cast<uint8_t>(PlaceOf(&colours, pixels[static_cast<int64_t>(y) * w + x]));
    DeleteObject(surface->bitmap);
    surface->bitmap = indexed;
  } else if (indexed) {
    DeleteObject(indexed);
    indexed = NULL;
  }
  SelectObject(surface->dc, surface->bitmap);
  GiveBackMemory(pixels);
  return indexed != NULL;
}

void BeginWindowBackBuffer(HWND window, BackBuffer* b) {
  RECT client;
  GetClientRect(window, &client);
  b->width = client.right - client.left;
  b->height = client.bottom - client.top;
  b->windowDc = BeginPaint(window, &b->paint);
  Rect box{0, 0, b->width, b->height};
  if (MakeSurface(b->windowDc, box, &b->surface)) {
    b->dc = b->surface.dc;
  } else {
    b->dc = b->windowDc;
    ClearForPaint(b->dc, box);
  }
}

void EndBackBuffer(HWND window, BackBuffer* b) {
  if (b->surface.dc)
    BitBlt(b->windowDc, 0, 0, b->width, b->height, b->surface.dc, 0, 0, SRCCOPY);
  FreeSurface(&b->surface);
  EndPaint(window, &b->paint);
}

HBRUSH fieldBrush;
HBRUSH windowBrush;

void CreateDrawingObjects() {
  CreateSharedObjects();
  fieldBrush = CreateSolidBrush(Theme::fieldColor);
  windowBrush = CreateSolidBrush(Theme::windowColor);
}

LRESULT AnswerFieldColors(WPARAM dc) {
  SetTextColor(reinterpret_cast<HDC>(dc), Theme::textColor);
  SetBkColor(reinterpret_cast<HDC>(dc), Theme::fieldColor);
  return reinterpret_cast<LRESULT>(fieldBrush);
}

bool textsKept = true;

namespace {

// Texts cut to their box with an ellipsis, and text widths, kept between paints: a board paint
// draws and measures the same few dozen texts again and again, and in the system's text path
// cutting and measuring cost more than drawing. Each is kept for its font, DPI and box width;
// a text too long to keep is cut and measured every time.
constexpr int32_t keptSlots = 256, keptCutUnits = 128, keptWidthUnits = 64, cutTailUnits = 4;
// A cut text is kept as the units of the source it shows and what follows them (the ellipsis):
// DT_MODIFYSTRING adds up to four units.
struct KeptCut {
  HFONT font;
  int32_t dpi, width;
  int16_t shown, tailLength;
  char16_t tail[cutTailUnits];
  char16_t source[keptCutUnits];
};
struct KeptWidth {
  HFONT font;
  int32_t dpi, width;
  char16_t text[keptWidthUnits];
};
KeptCut keptCuts[keptSlots];
KeptWidth keptWidths[keptSlots];

// Slot of the text with font and width; length gets the text's length.
int32_t Slot(const char16_t* text, HFONT font, int32_t width, int32_t* length) {
  uint32_t h = 2166136261u ^ static_cast<uint32_t>(reinterpret_cast<uintptr_t>(font));
  h = (h ^ static_cast<uint32_t>(width)) * 16777619u;
  int32_t n = 0;
  for (; text[n]; n++) h = (h ^ text[n]) * 16777619u;
  *length = n;
  return static_cast<int32_t>((h ^ (h >> 16)) % keptSlots);
}

// The font is left selected, not the DC's own put back. Wine keeps the drawn glyphs of the fonts
// a DC has selected and of only five others, and a board paint goes through nine fonts: putting
// the DC's own font back after each text made it one more of them, so more of the fonts drawn
// once a paint (the title, the tool buttons, the column heads) lost their glyphs before the next.
// The fonts are made once for the program's life, so one left selected is never deleted.
void LeaveFontSelected(HDC dc, HFONT font) { SelectObject(dc, font); }

bool SameText(const char16_t* a, const char16_t* b, int32_t n) {
  for (int32_t i = 0; i <= n; i++)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

void DrawTextIn(HDC dc, const char16_t* text, const Rect& box, HFONT font, uint32_t colour,
                UINT flags) {
  // DrawTextW clips to the box; text wholly outside the clip is skipped, which saves most of
  // the cost of a partial repaint.
  RECT r = ToRECT(box);
  if (!RectVisible(dc, &r)) return;
  LeaveFontSelected(dc, font);
  SetTextColor(dc, colour);
  int32_t n = 0, slot = -1;
  if (textsKept && (flags & DT_END_ELLIPSIS)) slot = Slot(text, font, r.right - r.left, &n);
  if (slot < 0 || n >= keptCutUnits) {
    DrawTextW(dc, W(text), -1, &r, flags | DT_NOPREFIX);
  } else {
    KeptCut& k = keptCuts[slot];
    char16_t cut[keptCutUnits + cutTailUnits] = {};
    if (k.font == font && k.dpi == dpi && k.width == r.right - r.left && SameText(k.source, text, n)) {
      // Already cut: drawn as it was shown the first time, without cutting it again.
      for (int32_t i = 0; i < k.shown; i++) cut[i] = text[i];
      for (int32_t i = 0; i < k.tailLength; i++) cut[k.shown + i] = k.tail[i];
      DrawTextW(dc, W(cut), k.shown + k.tailLength, &r, (flags & ~DT_END_ELLIPSIS) | DT_NOPREFIX);
    } else {
      for (int32_t i = 0; i <= n; i++) cut[i] = text[i];
      // Drawn as ever; DT_MODIFYSTRING leaves in cut the text as shown.
      DrawTextW(dc, W(cut), -1, &r, flags | DT_NOPREFIX | DT_MODIFYSTRING);
      int32_t shown = 0, length = 0;
      while (shown < n && cut[shown] == text[shown]) shown++;
      while (cut[shown + length] && shown + length < keptCutUnits + cutTailUnits - 1) length++;
      // What is not the source's start followed by a short tail is not kept: cut again next time.
      k.font = length <= cutTailUnits ? font : NULL;
      k.dpi = dpi;
      k.width = r.right - r.left;
      k.shown = static_cast<int16_t>(shown);
      k.tailLength = static_cast<int16_t>(length);
      for (int32_t i = 0; i < length; i++) k.tail[i] = cut[shown + i];
      for (int32_t i = 0; i <= n; i++) k.source[i] = text[i];
    }
  }
}

int32_t TextWidth(HDC dc, const char16_t* text, HFONT font) {
  int32_t n = 0, slot = Slot(text, font, 0, &n);
  KeptWidth& k = keptWidths[slot];
  bool keep = textsKept && n < keptWidthUnits;
  if (keep && k.font == font && k.dpi == dpi && SameText(k.text, text, n)) return k.width;
  LeaveFontSelected(dc, font);
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, W(text), n, &size);
  if (keep) {
    for (int32_t i = 0; i <= n; i++) k.text[i] = text[i];
    k.font = font;
    k.dpi = dpi;
    k.width = size.cx;
  }
  return size.cx;
}

int32_t KeptTextWidth(HDC dc, const char16_t* text, HFONT font) {
  int32_t n = 0;
  while (n < keptWidthUnits && text[n]) n++;
  return textsKept && n < keptWidthUnits ? TextWidth(dc, text, font) : -1;
}

void FillPlain(HDC dc, const Rect& box, uint32_t colour) {
  if (RectEmpty(box)) return;
  RECT r = ToRECT(box);
  SetDCBrushColor(dc, colour);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FillRoundRect(HDC dc, const Rect& box, int32_t radius, uint32_t fill, uint32_t outline) {
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, fill);
  HGDIOBJ oldPen;
  if (outline == noOutline) {
    // Without a pen GDI leaves out the last column and row, so the box grows by one.
    oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    RoundRect(dc, box.left, box.top, box.right + 1, box.bottom + 1, radius, radius);
  } else {
    oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, outline);
    RoundRect(dc, box.left, box.top, box.right, box.bottom, radius, radius);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

static TRIVERTEX Vertex(int32_t x, int32_t y, uint32_t colour) {
  TRIVERTEX v;
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
  v.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
  v.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
  v.Alpha = 0;
  return v;
}

static void FillHorizontalGradient(HDC dc, const Rect& box, uint32_t from, uint32_t to) {
  TRIVERTEX v[2] = {Vertex(box.left, box.top, from), Vertex(box.right, box.bottom, to)};
  GRADIENT_RECT g{0, 1};
  GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
}

void FillAccentBar(HDC dc, const Rect& box) {
  FillHorizontalGradient(dc, box, Theme::accentBlue, Theme::accentViolet);
}

void FillAccentGradient(HDC dc, const Rect& box, int32_t radius, bool hovered) {
  RECT area{box.left, box.top, box.right + 1, box.bottom + 1};
  if (!RectVisible(dc, &area)) return;
  HRGN shape = CreateRoundRectRgn(box.left, box.top, box.right + 1, box.bottom + 1, radius, radius);
  // A clip region is in device coordinates: moved by the DC's origin (a card drawn into its cell).
  POINT origin{0, 0};
  GetViewportOrgEx(dc, &origin);
  OffsetRgn(shape, origin.x, origin.y);
  // SaveDC keeps the clip already in effect; the gradient stays inside both.
  int32_t saved = SaveDC(dc);
  ExtSelectClipRgn(dc, shape, RGN_AND);
  FillHorizontalGradient(dc, box, hovered ? Theme::accentLight : Theme::accentBlue,
                         Theme::accentViolet);
  RestoreDC(dc, saved);
  DeleteObject(shape);
}

void DrawCornerGlow(HDC dc, int32_t cx, int32_t cy, int32_t halfWidth, int32_t halfHeight,
                    uint32_t centreColour) {
  TRIVERTEX v[5] = {Vertex(cx, cy, centreColour),
                    Vertex(cx - halfWidth, cy - halfHeight, Theme::windowColor),
                    Vertex(cx + halfWidth, cy - halfHeight, Theme::windowColor),
                    Vertex(cx + halfWidth, cy + halfHeight, Theme::windowColor),
                    Vertex(cx - halfWidth, cy + halfHeight, Theme::windowColor)};
  GRADIENT_TRIANGLE t[4] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {0, 4, 1}};
  GradientFill(dc, v, 5, t, 4, GRADIENT_FILL_TRIANGLE);
}

void DrawInputFrame(HDC dc, const Rect& box, bool focused) {
  FillRoundRect(dc, box, s(12), Theme::fieldColor, focused ? Theme::accentBlue : Theme::lineColor);
}

void DrawFocusOutline(HDC dc, const Rect& box, int32_t radius) {
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, Theme::accentBlue);
  RoundRect(dc, box.left, box.top, box.right, box.bottom, radius, radius);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void DrawPrimaryButton(HDC dc, const Rect& box, int32_t radius, bool hovered,
                       const char16_t* label) {
  FillAccentGradient(dc, box, radius, hovered);
  DrawTextIn(dc, label, box, fontSet.buttonFont, Theme::textColor, textCentred);
}

void DrawSecondaryButton(HDC dc, const Rect& box, int32_t radius, bool hovered,
                         const char16_t* label) {
  FillRoundRect(dc, box, radius, hovered ? Theme::secondaryHoverColor : Theme::secondaryColor,
                Theme::secondaryLineColor);
  DrawTextIn(dc, label, box, fontSet.buttonFont, Theme::textColor, textCentred);
}

void DrawStroke(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width,
                uint32_t colour) {
  HPEN pen = CreatePen(PS_SOLID, width, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, NULL);
  LineTo(dc, x1, y1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

static void DrawStrokes(HDC dc, const LineIcon& icon, uint32_t colour) {
  for (int32_t i = 0; i < icon.count; i++) {
    const Stroke& k = icon.strokes[i];
    DrawStroke(dc, k.x0, k.y0, k.x1, k.y1, icon.penWidth, colour);
  }
}

void DrawFilledCircle(HDC dc, int32_t cx, int32_t cy, int32_t radius, uint32_t colour) {
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  SetDCBrushColor(dc, colour);
  Rect b = CircleBox(Circle{cx, cy, radius});
  Ellipse(dc, b.left, b.top, b.right, b.bottom);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void DrawKeyboardIcon(HDC dc, int32_t cx, int32_t cy, uint32_t colour) {
  KeyboardIcon k = KeyboardIconAt(cx, cy);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, colour);
  RoundRect(dc, k.outline.left, k.outline.top, k.outline.right, k.outline.bottom, k.cornerRadius,
            k.cornerRadius);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  for (const Circle& c : k.keys) DrawFilledCircle(dc, c.cx, c.cy, c.radius, colour);
  DrawStroke(dc, k.spaceBar.x0, k.spaceBar.y0, k.spaceBar.x1, k.spaceBar.y1, k.barWidth, colour);
}

void DrawGearIcon(HDC dc, int32_t cx, int32_t cy, uint32_t colour, uint32_t holeColour) {
  GearIcon g = GearIconAt(cx, cy);
  for (const Stroke& k : g.spokes) DrawStroke(dc, k.x0, k.y0, k.x1, k.y1, g.penWidth, colour);
  DrawFilledCircle(dc, g.disc.cx, g.disc.cy, g.disc.radius, colour);
  DrawFilledCircle(dc, g.hole.cx, g.hole.cy, g.hole.radius, holeColour);
}

void DrawToolButton(HDC dc, const Rect& box, bool hovered, int32_t icon, const char16_t* label,
                    const char16_t* badge, uint32_t badgeTextColour, uint32_t badgeFillColour) {
  int32_t h = box.bottom - box.top;
  uint32_t fill = hovered ? Theme::toolHoverColor : Theme::toolColor;
  FillRoundRect(dc, box, h, fill, hovered ? Theme::toolLineHoverColor : Theme::toolLineColor);
  int32_t badgeWidth = TextWidth(dc, badge, fontSet.smallFont);
  ToolButtonParts p = ToolButtonGeometry(box, badgeWidth);
  uint32_t ic = hovered ? Theme::textColor : Theme::mutedText;
  if (icon == ToolIconGear)
    DrawGearIcon(dc, p.iconX, p.iconY, ic, fill);
  else
    DrawKeyboardIcon(dc, p.iconX, p.iconY, ic);
  FillRoundRect(dc, p.badge, p.badge.bottom - p.badge.top, badgeFillColour, noOutline);
  DrawTextIn(dc, badge, p.badge, fontSet.smallFont, badgeTextColour, textCentred);
  DrawTextIn(dc, label, p.label, fontSet.buttonFont, Theme::textColor, textLeftCut);
}

void DrawPulseDot(HDC dc, int32_t cx, int32_t cy, int32_t coreRadius, uint32_t bright,
                  uint32_t rest, uint32_t core, bool active, int32_t phase) {
  PulseHalo halo = PulseHaloAt(coreRadius, bright, rest, active, phase);
  DrawFilledCircle(dc, cx, cy, halo.radius, halo.colour);
  DrawFilledCircle(dc, cx, cy, coreRadius, core);
}

void DrawCrossIcon(HDC dc, const Rect& box, uint32_t colour) {
  DrawStrokes(dc, CrossIconIn(box), colour);
}
void DrawBackArrowIcon(HDC dc, const Rect& box, uint32_t colour) {
  DrawStrokes(dc, BackArrowIconIn(box), colour);
}
void DrawCheckIcon(HDC dc, const Rect& box, uint32_t colour) {
  DrawStrokes(dc, CheckIconIn(box), colour);
}

void DrawPauseIcon(HDC dc, int32_t cx, int32_t cy, uint32_t colour) {
  Rect bars[2];
  PauseBarsAt(cx, cy, bars);
  FillRoundRect(dc, bars[0], 0, colour, noOutline);
  FillRoundRect(dc, bars[1], 0, colour, noOutline);
}
