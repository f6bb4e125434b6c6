// One ticket card of the board.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "app/geometry.h"
#include "draw/card_geometry.h"

// hoveredButton is a CardButtonHover; a drag image has the accent outline and no buttons. now is
// the Unix time the timer shows, phase the pulse phase (0..700).
// index is the ticket's place in the store.
void DrawTicketCard(HDC dc, const Rect& box, int32_t index, bool hovered, int32_t hoveredButton,
                    bool dragImage, uint32_t now, int32_t phase);
// Frees the kept card images (the board keeps them between paints).
void ReleaseCardImages();
// Bytes of pixels the card images in use hold.
int64_t CardImageBytes();
