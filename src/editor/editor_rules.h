// What the ticket editor decides: saving its two texts, its messages and its geometry.
#pragma once
#include <stdint.h>
#include "app/geometry.h"
#include "store/ticket.h"

enum EditOutcome : int32_t {
  EditSaved = 0,        // both texts are in the ticket
  EditNoTicket = 1,     // the index is outside the store: close without saving
  EditEmptyNumber = 2,  // refused, nothing changed
  EditDuplicate = 3,    // refused: another ticket has the number
};

// Cleans both texts in place with the rule shared with adding, and writes them into the ticket
// at index when the number is neither empty nor another ticket's. Nothing else of it changes.
EditOutcome ApplyTicketEdit(int32_t index, char16_t* number, char16_t* description);
// Message box text of a refusal, status text of a save, empty for EditNoTicket.
void FormatEditOutcome(EditOutcome outcome, const char16_t* number, char16_t* out, int32_t cap);

struct EditorLayout {
  Rect numberFrame, descriptionFrame, save, cancel;
  Rect numberField, descriptionField;  // the EDIT controls inside the frames
};

// The editor's fields: the one whose frame shows the focus, the one that gets the caret.
enum EditorField : int32_t {
  EditorFieldNone = 0,
  EditorFieldNumber = 1,
  EditorFieldDescription = 2,
};
// Where the keyboard goes when the editor opens on ticket: the description field when the ticket
// has none (its cue banner then shows what to type), else the number field; the caret behind the
// field's text, ready to go on typing.
struct EditorCaret {
  int32_t field;     // EditorField
  int32_t position;  // in UTF-16 units
};
EditorCaret EditorOpeningCaret(const Ticket& ticket);

// Rectangles of a client area of width x height at the current dpi.
EditorLayout ComputeEditorLayout(int32_t width, int32_t height);
// Outer rectangle of the editor, centred on its owner's screen rectangle.
Rect EditorPlacement(const Rect& owner);
enum EditorHit : int32_t { EditorHitNone = 0, EditorHitCancel = 1, EditorHitSave = 2 };
int32_t EditorHitTest(const EditorLayout& l, int32_t x, int32_t y);
