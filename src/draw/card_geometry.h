// Geometry and texts of a ticket card, from its box and the measured widths of its texts.
#pragma once
#include <stdint.h>
#include "app/geometry.h"
#include "store/ticket.h"

// Which button of a card is under the mouse.
enum CardButtonHover : int32_t {
  CardButtonNone = 0,
  CardButtonDelete = 1,
  CardButtonDone = 2,
  CardButtonClarify = 3,
};

// The buttons of a card: what is painted for them is what the mouse hits.
struct CardButtons {
  Rect deleteButton;
  Rect middleButton;  // done, or back to work for a done ticket
  Rect leftButton;    // to clarification or back to work; a done ticket has none
  bool hasLeftButton;
};
CardButtons ComputeCardButtons(const Rect& box, int32_t state);

// The card's buttons and the rest of its parts.
struct CardGeometry : CardButtons {
  Rect stripe;
  Rect number;
  Rect pill;
  Rect pillText;  // where the time is centred
  int32_t markX, markY;  // centre of the live dot or the pause bars
  Rect caption;
  Rect description;
};

// timeWidth: the time text in timerFont; captionWidth: the caption in smallFont.
CardGeometry ComputeCardGeometry(const Rect& box, int32_t state, int32_t timeWidth,
                                 int32_t captionWidth);

// What of a card keeps its pixels when its box changes width and place at the same top and
// height, from `from` to `to`: the part on its left edge (the outline's corners and the stripe,
// with the number, and in the lower band the description, when the text is whole in its box at
// both widths), and on its right edge the buttons above and the time pill with the caption below.
// Each side is as wide as its part of the card, per band; split is the row where the lower band
// (description, caption, pill) begins. Between the sides lie the body and the texts that do not
// move. numberWidth and descriptionWidth are the texts' widths, or -1 when not known (drawn).
// fixed is false when something on the right does not hang on the right edge (a caption pushed
// against the description's least width) or a band leaves no room between the sides.
struct CardSides {
  int32_t upperLeft, lowerLeft, upperRight, lowerRight, split;
  bool numberMoves, descriptionMoves, fixed;
};
CardSides ComputeCardSides(const Rect& from, const Rect& to, int32_t state, int32_t timeWidth,
                           int32_t captionWidth, int32_t numberWidth, int32_t descriptionWidth);

// "%lu ч %lu мин" from an hour up, else "%lu мин"; minutes are whole, never rounded up.
void FormatWaitTime(uint32_t seconds, char16_t* out, int32_t cap);
// Seconds since the ticket entered its state; 0 when the clock is behind.
uint32_t SecondsInState(const Ticket& ticket, uint32_t now);
// The caption for the state. hour and minute are the local time of createdAt (in work) or
// doneAt (done); waitSeconds is SecondsInState (on clarification).
void FormatCardCaption(int32_t state, uint32_t waitSeconds, int32_t hour, int32_t minute,
                       char16_t* out, int32_t cap);
// The Unix time whose local clock time the caption shows (0 on clarification).
uint32_t CaptionMoment(const Ticket& ticket);
// The description the card shows: the ticket's own, the placeholder, or an empty text for a
// done ticket without one. placeholder tells which.
const char16_t* ShownDescription(const Ticket& ticket, bool* placeholder);
