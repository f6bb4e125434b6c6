#include "binds/bind_text.h"

#include "app/text.h"

int32_t PrepareBindText(const char16_t* source, char16_t* out) {
  int32_t n = CopyText(out, bindTextUnits, source);
  while (n > 0 && (out[n - 1] == u'\r' || out[n - 1] == u'\n')) out[--n] = 0;
  return n;
}

int32_t TranslateBindText(const char16_t* text, BindKeyEvent* events, int32_t capacity) {
  int32_t n = 0;
  for (const char16_t* p = text; *p && n + 2 <= capacity; p++) {
    if (*p == u'\r' && p[1] == u'\n') continue;  // the LF makes the line break
    BindKeyEvent down{BindKeyUnicode, *p, false};
    if (*p == u'\r' || *p == u'\n') down = BindKeyEvent{BindKeyEnter, 0, false};
    else if (*p == u'\t') down = BindKeyEvent{BindKeyTab, 0, false};
    events[n] = down;
    events[n + 1] = down;
    events[n + 1].up = true;
    n += 2;
  }
  return n;
}

int32_t BatchCount(int32_t count) { return (count + batchEvents - 1) / batchEvents; }
