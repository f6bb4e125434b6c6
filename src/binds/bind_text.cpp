#include "binds/bind_text.h"

#include "app/text.h"

char16_t bindWorkBuffer[bindWorkUnits];

namespace {
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
}  // namespace

int32_t TakeBindText(char16_t* out, int32_t cap, const char16_t* source) {
  int32_t n = CopyTextN(out, cap, source, bindTextLimit);
  // A pair split by the cut would type a broken character.
  if (n > 0 && source[n] != 0 && IsHighSurrogate(out[n - 1])) out[--n] = 0;
  return n;
}

bool BindFileTakenWhole(int32_t decodedUnits, int32_t takenUnits, bool readCut) {
  return !readCut && decodedUnits == takenUnits;
}

bool BindTextWrittenBack(bool shownWhole, bool edited) { return shownWhole || edited; }

int32_t PrepareBindText(char16_t* out, int32_t cap, const char16_t* source) {
  int32_t n = TakeBindText(out, cap, source);
  while (n > 0 && (out[n - 1] == 13 || out[n - 1] == 10)) out[--n] = 0;
  return n;
}

int32_t NextBindBatch(const char16_t* text, int32_t* position, BindKeyEvent* events) {
  int32_t count = 0;
  int32_t i = *position;
  while (text[i] && count < bindBatchEvents) {
    char16_t c = text[i++];
    if (c == 13 && text[i] == 10) continue;  // the LF makes the line break
    BindKeyEvent down{};
    if (c == 13 || c == 10) {
      down.vk = bindVkReturn;
    } else if (c == 9) {
      down.vk = bindVkTab;
    } else {
      down.scan = c;
      down.flags = bindKeyUnicode;
    }
    BindKeyEvent up = down;
    up.flags |= bindKeyUp;
    events[count++] = down;
    events[count++] = up;
  }
  *position = i;
  return count;
}

int32_t FormatBindRow(char16_t* out, int32_t cap, int32_t slot, const char16_t* text) {
  char16_t preview[41];
  int32_t n = CopyTextN(preview, 41, text, 40);
  if (n > 0 && text[n] != 0 && IsHighSurrogate(preview[n - 1])) preview[--n] = 0;
  for (int32_t i = 0; i < n; i++)
    if (preview[i] == 9 || preview[i] == 10 || preview[i] == 13) preview[i] = u' ';
  return FormatText(out, cap, u"Ctrl+F%-2d   %s", slot,
                    n > 0 ? preview : u"\u2014 пусто \u2014");
}

BindsLayout ComputeBindsLayout(int32_t width, int32_t height) {
  BindsLayout l;
  int32_t m = s(20), top = s(78);
  int32_t h = height - (s(70) + s(78));
  l.listRect = {m, top, m + s(250), top + h};
  l.editorRect = {s(266) + m, top, width - m, top + h};
  l.saveRect = {width - (s(170) + m), height - s(54), width - m, height - s(16)};
  l.folderRect = {width - (s(170) + s(12) + s(170) + m), height - s(54), width - (s(182) + m),
                  height - s(16)};
  return l;
}

int32_t BindsHitTest(const BindsLayout& layout, int32_t x, int32_t y) {
  if (RectContains(layout.saveRect, x, y)) return BindsHitSave;
  if (RectContains(layout.folderRect, x, y)) return BindsHitFolder;
  return BindsHitNone;
}

Rect BindsWindowPlacement(const Rect& owner) {
  Rect centred = CentredOn(owner, s(760), s(500));
  int32_t top = owner.top + s(60);
  return {centred.left, top, centred.right, top + s(500)};
}
