// A ticket card: rounded body, state stripe, number, description, time pill, caption, buttons.
#include "draw/card_win.h"

#include "app/clock.h"
#include "app/shell_win.h"
#include "app/text.h"
#include "draw/draw_win.h"
#include "draw/pulse.h"
#include "draw/theme.h"
#include "store/ticket.h"

namespace CardColor {
constexpr uint32_t workPill = Rgb(0x0E202E);
constexpr uint32_t workPillLineLow = Rgb(0x005A91);
constexpr uint32_t workHalo = Rgb(0x006EAA);
constexpr uint32_t clarifyPill = Rgb(0x2A1F0E);
constexpr uint32_t clarifyPillLine = Rgb(0x8C6428);
constexpr uint32_t clarifyTime = Rgb(0xEBE1D2);
constexpr uint32_t clarifyCaption = Rgb(0xC89646);
constexpr uint32_t donePill = Rgb(0x242328);
constexpr uint32_t doneCaption = Rgb(0x50BEA5);
constexpr uint32_t doneButton = Rgb(0x143448);
constexpr uint32_t askButton = Rgb(0x342816);
constexpr uint32_t askButtonHover = Rgb(0x5A3E14);
constexpr uint32_t deleteHover = Rgb(0x461E28);
}  // namespace CardColor

static void DrawTimePill(HDC dc, const Ticket& ticket, const CardGeometry& g,
                         const char16_t* time, int32_t phase) {
  int32_t column = ColumnOf(ticket.state);
  if (column == 0) {
    FillRoundRect(dc, g.pill, s(26), CardColor::workPill,
                  PulseBlend(CardColor::workPillLineLow, Theme::accentBlue, phase));
    DrawPulseDot(dc, g.markX, g.markY, s(3), CardColor::workHalo, CardColor::workPill,
                 Theme::accentBlue, true, phase);
    DrawTextIn(dc, time, g.pillText, fontSet.timerFont, Theme::textColor, textCentred);
  } else if (column == 1) {
    FillRoundRect(dc, g.pill, s(26), CardColor::clarifyPill, CardColor::clarifyPillLine);
    DrawPauseIcon(dc, g.markX, g.markY, Theme::amber);
    DrawTextIn(dc, time, g.pillText, fontSet.timerFont, CardColor::clarifyTime, textCentred);
  } else {
    FillRoundRect(dc, g.pill, s(26), CardColor::donePill, Theme::toolLineColor);
    DrawTextIn(dc, time, g.pillText, fontSet.timerFont, Theme::mutedText, textCentred);
  }
}

static void DrawCardButtons(HDC dc, const Ticket& ticket, const CardGeometry& g,
                            int32_t hoveredButton) {
  bool onDelete = hoveredButton == CardButtonDelete;
  FillRoundRect(dc, g.deleteButton, s(10), onDelete ? CardColor::deleteHover : Theme::chipColor,
                noOutline);
  DrawCrossIcon(dc, g.deleteButton, onDelete ? Theme::danger : Theme::mutedText);

  bool onMiddle = hoveredButton == CardButtonDone;
  if (ColumnOf(ticket.state) == 2) {
    FillRoundRect(dc, g.middleButton, s(10), onMiddle ? Theme::chipHoverColor : Theme::chipColor,
                  noOutline);
    DrawBackArrowIcon(dc, g.middleButton, onMiddle ? Theme::textColor : Theme::mutedText);
    return;
  }
  if (onMiddle) {
    FillAccentGradient(dc, g.middleButton, s(10), false);
    DrawCheckIcon(dc, g.middleButton, Theme::textColor);
  } else {
    FillRoundRect(dc, g.middleButton, s(10), CardColor::doneButton, noOutline);
    DrawCheckIcon(dc, g.middleButton, Theme::accentLight);
  }

  bool onLeft = hoveredButton == CardButtonClarify;
  if (ColumnOf(ticket.state) == 0) {
    FillRoundRect(dc, g.leftButton, s(10), onLeft ? CardColor::askButtonHover : CardColor::askButton,
                  noOutline);
    DrawTextIn(dc, u"?", g.leftButton, fontSet.headingFont, onLeft ? Theme::textColor : Theme::amber,
               textCentred);
  } else {
    FillRoundRect(dc, g.leftButton, s(10), onLeft ? Theme::chipHoverColor : Theme::chipColor,
                  noOutline);
    DrawBackArrowIcon(dc, g.leftButton, onLeft ? Theme::textColor : Theme::mutedText);
  }
}

namespace {

// What a card shows, apart from the in-work card's stripe and time pill, which follow the clock
// and the pulse on every frame.
struct CardFace {
  int32_t state, hoveredButton, timeWidth, captionWidth, width, height, dpi;
  bool hovered, placeholder;
  char16_t number[numberUnits];
  char16_t description[descriptionUnits];
  char16_t caption[64];
  char16_t time[32];  // not kept for a card in work: it is not part of its image
};

bool SameFace(const CardFace& a, const CardFace& b) {
  auto same = [](const char16_t* x, const char16_t* y) {
    for (; *x == *y; x++, y++)
      if (!*x) return true;
    return false;
  };
  return a.state == b.state && a.hoveredButton == b.hoveredButton && a.timeWidth == b.timeWidth &&
         a.captionWidth == b.captionWidth && a.width == b.width && a.height == b.height &&
         a.dpi == b.dpi && a.hovered == b.hovered && a.placeholder == b.placeholder &&
         same(a.number, b.number) && same(a.description, b.description) &&
         same(a.caption, b.caption) && same(a.time, b.time);
}

// Card images kept between paints, one cell each in a column of cells of one bitmap: a complete
// repaint of the board copies the cards instead of drawing their texts again. A card drawn over
// the column's panel looks the same wherever it is drawn, so its image is drawn on the panel
// colour. Pages of cells never used are never touched.
constexpr int32_t cardImageCount = 36;
struct CardImages {
  HDC dc;
  HBITMAP bitmap, kept;
  int32_t width, height, dpi;
  CardFace faces[cardImageCount];
  int32_t tickets[cardImageCount];  // -1: the cell is free
  uint32_t lastUse[cardImageCount];
  uint32_t clock;
};
CardImages images;

// Cells for card boxes of the size; the columns' cards may differ by a pixel in width, so the
// cells are as wide as the widest. Made anew when the cards grow or the DPI changes; false
// without memory.
bool KeepCardCells(HDC reference, int32_t width, int32_t height) {
  if (images.dc && images.width >= width && images.height == height && images.dpi == dpi)
    return true;
  if (images.dc && images.height == height && images.dpi == dpi) width += s(8);  // room to grow
  ReleaseCardImages();
  HDC cells = CreateCompatibleDC(reference);
  HBITMAP bitmap = cells ? CreateCompatibleBitmap(reference, width, height * cardImageCount) : NULL;
  if (!bitmap) {
    if (cells) DeleteDC(cells);
    return false;
  }
  images.dc = cells;
  images.bitmap = bitmap;
  images.kept = static_cast<HBITMAP>(SelectObject(cells, bitmap));
  SetBkMode(cells, TRANSPARENT);
  images.width = width;  // the widest card the cells hold
  images.height = height;
  images.dpi = dpi;
  for (int32_t& t : images.tickets) t = -1;
  return true;
}

}  // namespace

void ReleaseCardImages() {
  if (images.dc) {
    SelectObject(images.dc, images.kept);
    DeleteObject(images.bitmap);
    DeleteDC(images.dc);
  }
  images = CardImages{};
}

int64_t CardImageBytes() {
  int32_t used = 0;
  for (int32_t t : images.tickets) used += t >= 0;
  return static_cast<int64_t>(used) * images.width * images.height * 4;
}

// Everything of the card but, for a card in work, the stripe and the time pill.
static void DrawCardFace(HDC dc, const Rect& box, const Ticket& ticket, const CardGeometry& g,
                         bool hovered, int32_t hoveredButton, bool dragImage, const char16_t* time,
                         const char16_t* caption, int32_t phase, bool withLiveParts) {
  int32_t column = ColumnOf(ticket.state);
  uint32_t outline = dragImage ? Theme::accentBlue : hovered ? Theme::lineHoverColor : Theme::lineColor;
  FillRoundRect(dc, box, s(14), hovered || dragImage ? Theme::cardHoverColor : Theme::fieldColor,
                outline);
  if (column != 0 || withLiveParts) {
    uint32_t stripe = column == 0 ? PulseBlend(Theme::accentBlue, Theme::accentViolet, phase)
                      : column == 1 ? Theme::amber
                                    : Theme::teal;
    FillRoundRect(dc, g.stripe, s(4), stripe, noOutline);
  }
  DrawTextIn(dc, ticket.number, g.number, fontSet.numberFont, Theme::textColor, textLeftCut);
  if (column != 0 || withLiveParts) DrawTimePill(dc, ticket, g, time, phase);
  uint32_t captionColour = column == 0   ? Theme::dimText
                           : column == 1 ? CardColor::clarifyCaption
                                         : CardColor::doneCaption;
  DrawTextIn(dc, caption, g.caption, fontSet.smallFont, captionColour, textRightCut);

  bool placeholder;
  const char16_t* description = ShownDescription(ticket, &placeholder);
  if (description[0])
    DrawTextIn(dc, description, g.description, fontSet.bodyFont,
               placeholder ? Theme::dimText : Theme::mutedText, textLeftCut);

  if (!dragImage) DrawCardButtons(dc, ticket, g, hoveredButton);
}

void DrawTicketCard(HDC dc, const Rect& box, int32_t index, bool hovered, int32_t hoveredButton,
                    bool dragImage, uint32_t now, int32_t phase) {
  if (index < 0 || index >= ticketStore.ticketCount) return;
  const Ticket& ticket = ticketStore.tickets[index];
  int32_t column = ColumnOf(ticket.state);

  char16_t time[32];
  FormatDuration(WorkedNow(ticket, now), time, 32);
  char16_t caption[64];
  uint32_t moment = CaptionMoment(ticket);
  LocalTime local = column == 1 ? LocalTime{} : UnixToLocalTime(moment);
  FormatCardCaption(ticket.state, SecondsInState(ticket, now), local.hour, local.minute, caption, 64);
  int32_t timeWidth = TextWidth(dc, time, fontSet.timerFont);
  int32_t captionWidth = TextWidth(dc, caption, fontSet.smallFont);
  CardGeometry g = ComputeCardGeometry(box, ticket.state, timeWidth, captionWidth);
  int32_t width = box.right - box.left, height = box.bottom - box.top;

  // The drag image floats over anything, and the plain way draws every card anew.
  if (dragImage || !textsKept || !KeepCardCells(dc, width, height)) {
    DrawCardFace(dc, box, ticket, g, hovered, hoveredButton, dragImage, time, caption, phase, true);
    return;
  }
  CardFace face{};
  face.state = ticket.state;
  face.hoveredButton = hoveredButton;
  face.timeWidth = timeWidth;
  face.captionWidth = captionWidth;
  face.width = width;
  face.height = height;
  face.dpi = dpi;
  face.hovered = hovered;
  const char16_t* description = ShownDescription(ticket, &face.placeholder);
  CopyText(face.number, numberUnits, ticket.number);
  CopyText(face.description, descriptionUnits, description);
  CopyText(face.caption, 64, caption);
  if (column != 0) CopyText(face.time, 32, time);

  // The ticket's own cell if it has one, else the one unused longest.
  int32_t cell = -1, oldest = 0;
  for (int32_t i = 0; i < cardImageCount && cell < 0; i++) {
    if (images.tickets[i] == index) cell = i;
    else if (images.lastUse[i] < images.lastUse[oldest]) oldest = i;
  }
  bool drawn = cell >= 0 && SameFace(images.faces[cell], face);
  if (cell < 0) cell = oldest;
  images.lastUse[cell] = ++images.clock;
  int32_t top = cell * height;
  if (!drawn) {
    images.tickets[cell] = index;
    images.faces[cell] = face;
    RECT r{0, top, width, top + height};
    HBRUSH panel = CreateSolidBrush(Theme::panelColor);
    FillRect(images.dc, &r, panel);
    DeleteObject(panel);
    // The card's own coordinates, moved onto its cell.
    SetViewportOrgEx(images.dc, -box.left, top - box.top, NULL);
    DrawCardFace(images.dc, box, ticket, g, hovered, hoveredButton, false, time, caption, phase, false);
    SetViewportOrgEx(images.dc, 0, 0, NULL);
  }
  BitBlt(dc, box.left, box.top, width, height, images.dc, 0, top, SRCCOPY);
  if (column == 0) {
    FillRoundRect(dc, g.stripe, s(4), PulseBlend(Theme::accentBlue, Theme::accentViolet, phase),
                  noOutline);
    DrawTimePill(dc, ticket, g, time, phase);
  }
}
