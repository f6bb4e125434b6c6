// One ticket card of the board.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "app/geometry.h"
#include "draw/card_geometry.h"
#include "store/ticket.h"

// hoveredButton is a CardButtonHover; a drag image has the accent outline and no buttons. now is
// the Unix time the timer shows, phase the pulse phase (0..700).
// index is the ticket's place in the store.
void DrawTicketCard(HDC dc, const Rect& box, int32_t index, bool hovered, int32_t hoveredButton,
                    bool dragImage, uint32_t now, int32_t phase);

// What a card shows but the in-work card's stripe and time pill, which follow the clock on every
// frame: two cards of the same look in boxes of one size have the same pixels.
struct CardLook {
  int32_t state, hoveredButton, timeWidth, captionWidth, width, height, dpi;
  bool hovered, placeholder;
  char16_t number[numberUnits];
  char16_t description[descriptionUnits];  // as shown: the placeholder, or empty when done
  char16_t caption[64];
  char16_t time[32];  // empty for a card in work
};
bool SameCardLook(const CardLook& a, const CardLook& b);

// A card with its texts formatted, measured and placed, ready to draw.
struct PreparedCard {
  CardLook look;
  CardGeometry geometry;
  Rect box;
  int32_t index;
  char16_t time[32];
};
// False when index is no ticket of the store.
bool PrepareCard(HDC dc, const Rect& box, int32_t index, bool hovered, int32_t hoveredButton,
                 uint32_t now, PreparedCard* out);
void DrawPreparedCard(HDC dc, const PreparedCard& card, bool dragImage, int32_t phase);
// Whether the card drawn in box from, of the same look but its width, can be made at its new
// width from those pixels (same top and height, and everything on the right on the right edge).
bool CardMovableFrom(const PreparedCard& card, const Rect& from);
// Makes the card, drawn in dc in box from, at its box: its left and right sides moved with their
// pixels, the body filled between them, and the number and description moved with the left side
// where they are whole at both widths, else drawn cut to the new width.
void MoveCardToWidth(HDC dc, const PreparedCard& card, const Rect& from);
// Over a card that already shows its look: the stripe and the time pill of a card in work
// (nothing for the other states, whose look holds everything).
void DrawCardClockParts(HDC dc, const PreparedCard& card, int32_t phase);
