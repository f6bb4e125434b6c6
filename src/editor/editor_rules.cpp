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

EditorLayout ComputeEditorLayout(int32_t width, int32_t height) {
  int32_t m = s(22);
  EditorLayout l;
  l.numberFrame = Rect{m, s(86), width - m, s(86) + s(46)};
  l.descriptionFrame = Rect{m, s(166), width - m, s(166) + s(46)};
  l.save = Rect{width - (s(160) + m), height - s(62), width - m, height - s(20)};
  int32_t saveLeft = l.save.left;
  l.cancel = Rect{saveLeft - (s(130) + s(12)), height - s(62), saveLeft - s(12), height - s(20)};
  return l;
}

Rect EditorFieldRect(const Rect& frame) {
  int32_t x = frame.left + s(14);
  int32_t y = (frame.top + frame.bottom - s(22)) / 2;
  int32_t width = frame.right - (frame.left + s(28));
  return Rect{x, y, x + width, y + s(22)};
}

Rect EditorPlacement(const Rect& mainRect) {
  int32_t w = s(560), h = s(330);
  int32_t x = mainRect.left + (mainRect.right - mainRect.left - w) / 2;
  int32_t y = mainRect.top + (mainRect.bottom - mainRect.top - h) / 2;
  return Rect{x, y, x + w, y + h};
}

int32_t EditorHoverAt(const Rect& save, const Rect& cancel, int32_t x, int32_t y) {
  if (RectContains(save, x, y)) return 2;
  if (RectContains(cancel, x, y)) return 1;
  return 0;
}
