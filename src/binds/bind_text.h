// A bind's text turned into keyboard events (core): what Ctrl+F<n> types.
#pragma once
#include <stdint.h>

constexpr int32_t bindTextUnits = 20000;  // 19999 units and the terminator
constexpr int32_t batchEvents = 502;      // one SendInput call: 251 characters

enum BindKeyKind : int32_t { BindKeyEnter = 0, BindKeyTab = 1, BindKeyUnicode = 2 };

struct BindKeyEvent {
  int32_t kind;   // BindKeyKind
  char16_t unit;  // the UTF-16 unit for BindKeyUnicode
  bool up;
};

// Copies at most 19999 units of source into out (bindTextUnits) and strips trailing CR and LF.
// Returns the length left; 0 means the bind is empty.
int32_t PrepareBindText(const char16_t* source, char16_t* out);
// Key events for text, two per unit typed: CR LF is one Enter, a lone CR or LF is Enter, Tab is
// Tab, every other unit (surrogates one by one) a Unicode down/up pair. Returns the event count.
int32_t TranslateBindText(const char16_t* text, BindKeyEvent* events, int32_t capacity);
// Number of SendInput calls for count events (at most batchEvents each).
int32_t BatchCount(int32_t count);
