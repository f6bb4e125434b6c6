// Geometry and texts of the board picture that the layout does not fix: the developer tag, the
// parts of a column header, the scroll thumb, the footer lines and the drag look.
#pragma once
#include <stdint.h>
#include "app/geometry.h"

// The developer tag right of the title; titleWidth in titleFont, tagWidth in badgeFont.
Rect TagBox(int32_t margin, int32_t titleWidth, int32_t tagWidth);

struct ColumnParts {
  int32_t dotX, dotY, dotRadius;
  Rect title;
  int32_t separatorY, separatorLeft, separatorRight;
  Rect clip;       // the list, 2 device pixels wider on both sides
  Rect emptyText;  // where the empty-state text is centred
};
ColumnParts ComputeColumnParts(const Rect& column, const Rect& list);
// The count badge: titleWidth in headingFont, countWidth in smallFont.
Rect CountBadgeBox(const Rect& column, int32_t titleWidth, int32_t countWidth);

// The scroll thumb of a list with count cards; false when everything fits.
bool ScrollThumb(const Rect& list, int32_t count, int32_t cardHeight, int32_t cardGap,
                 int32_t scroll, Rect* thumb);
// The list and the lane of its thumb beside it: what a scroll of the list changes.
Rect ListWithThumbLane(const Rect& list);
// Whether a card whose top is cardTop is drawn at all.
bool CardInList(const Rect& list, int32_t cardTop, int32_t cardHeight);

// The footer statistics line.
void FormatStatistics(int32_t inWork, int32_t onClarification, int32_t done,
                      uint32_t doneSeconds, char16_t* out, int32_t cap);
// Sum of workedSeconds of the listed tickets, as unsigned 32-bit.
uint32_t WorkedSum(const int32_t* tickets, int32_t count);
// Where the footer status or statistics line goes: right half of the credit link's row.
Rect StatusBox(int32_t clientWidth, int32_t margin, const Rect& creditLink);

// What the 100 ms timer must repaint, from boardLayout and boardUi: the in-work header's dot,
// stripe and time row of the visible in-work cards, with withWaiting also those of the visible
// cards on clarification (their waiting minutes), and the footer status box. During a drag, or when more than cap rectangles
// would be needed, the one strip from the columns down. Returns the count written.
int32_t TimerRepaintRects(bool withWaiting, Rect* out, int32_t cap);

// Drag look, from boardUi and boardLayout: the column that would receive the dragged card.
bool IsDropTarget(int32_t column);
// The floating card: top-left at the mouse minus the grab offset, as wide as the lists.
Rect DragCardBox();
// Hover of a card from boardUi: whether the card of the ticket is hovered and which button.
bool CardHovered(int32_t ticket);
int32_t CardHoverButton(int32_t ticket);

// The board's own texts.
extern const char16_t* const columnTitles[3];
extern const char16_t* const emptyColumnTexts[3];
