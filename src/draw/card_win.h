// One ticket card of the board.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "app/geometry.h"
#include "draw/card_geometry.h"

// hoveredButton is a CardButtonHover; a drag image has the accent outline and no buttons. now is
// the Unix time the timer shows, phase the pulse phase (0..700).
void DrawTicketCard(HDC dc, const Rect& box, int32_t ticket, bool hovered, int32_t hoveredButton,
                      bool dragImage, uint32_t now, int32_t phase);
// Frees the kept card images (the board keeps them between paints).
void ReleaseCardImages();
