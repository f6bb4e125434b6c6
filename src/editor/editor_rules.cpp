#include "editor/editor_rules.h"

#include "app/text.h"
#include "store/clean.h"
#include "store/ticket.h"

EditOutcome ApplyTicketEdit(int32_t index, char16_t* number, char16_t* description) {
  if (index < 0 || index >= ticketStore.ticketCount) return EditNoTicket;
  CleanTicketText(number, numberUnits - 1);
  CleanTicketText(description, descriptionUnits - 1);
  if (number[0] == 0) return EditEmptyNumber;
  int32_t owner = FindTicketByNumber(number);
  if (owner >= 0 && owner != index) return EditDuplicate;
  SetTicketTexts(index, number, description);
  return EditSaved;
}

void FormatEditOutcome(EditOutcome outcome, const char16_t* number, char16_t* out, int32_t cap) {
  switch (outcome) {
    case EditSaved:
      FormatText(out, cap, u"Заявка %s изменена", number);
      return;
    case EditEmptyNumber:
      FormatText(out, cap, u"Номер заявки не может быть пустым.");
      return;
    case EditDuplicate:
      FormatText(out, cap, u"Заявка %s уже есть в списке.", number);
      return;
    default:
      out[0] = 0;
  }
}

EditorCaret EditorOpeningCaret(const Ticket& ticket) {
  if (ticket.description[0] == 0) return EditorCaret{EditorFieldDescription, 0};
  return EditorCaret{EditorFieldNumber, TextLength(ticket.number)};
}

EditorLayout ComputeEditorLayout(int32_t width, int32_t height) {
  int32_t m = s(22);
  EditorLayout l;
  l.numberFrame = Rect{m, s(86), width - m, s(86) + s(46)};
  l.descriptionFrame = Rect{m, s(166), width - m, s(166) + s(46)};
  l.save = Rect{width - (s(160) + m), height - s(62), width - m, height - s(20)};
  int32_t saveLeft = l.save.left;
  l.cancel = Rect{saveLeft - (s(130) + s(12)), height - s(62), saveLeft - s(12), height - s(20)};
  l.numberField = FieldInFrame(l.numberFrame, 14);
  l.descriptionField = FieldInFrame(l.descriptionFrame, 14);
  return l;
}

Rect EditorPlacement(const Rect& owner) { return CentredOn(owner, s(560), s(330)); }

int32_t EditorHitTest(const EditorLayout& l, int32_t x, int32_t y) {
  if (RectContains(l.save, x, y)) return EditorHitSave;
  if (RectContains(l.cancel, x, y)) return EditorHitCancel;
  return EditorHitNone;
}
