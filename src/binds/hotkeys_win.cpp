// Ctrl+F1..F12: registration and typing a bind into the focused window.
#include "app/clock.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/text.h"
#include "app/textfile.h"
#include "binds/bind_text.h"
#include "binds/binds_win.h"
#include "board/main_window_win.h"

char16_t bindWorkBuffer[bindTextUnits];

namespace {

BindKeyEvent bindEvents[2 * bindTextUnits];
INPUT batch[512];

void ShowSlotStatus(const char16_t* format, int32_t slot) {
  char16_t text[160];
  FormatText(text, 160, format, slot);
  ShowStatus(text);
}

bool ModifierHeld() {
  return (GetAsyncKeyState(VK_CONTROL) & 0x8000) || (GetAsyncKeyState(VK_SHIFT) & 0x8000) ||
         (GetAsyncKeyState(VK_MENU) & 0x8000);
}

// Waits up to 2 s for Ctrl, Shift and Alt to be released, so they do not change what is typed.
void WaitForModifiersReleased() {
  DWORD deadline = GetTickCount() + 2000;
  while (static_cast<int32_t>(deadline - GetTickCount()) > 0 && ModifierHeld()) Sleep(10);
}

INPUT ToInput(const BindKeyEvent& e) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  if (e.kind == BindKeyUnicode) {
    in.ki.wScan = e.unit;
    in.ki.dwFlags = KEYEVENTF_UNICODE;
  } else {
    in.ki.wVk = e.kind == BindKeyEnter ? VK_RETURN : VK_TAB;
  }
  if (e.up) in.ki.dwFlags |= KEYEVENTF_KEYUP;
  return in;
}

// Sends the events in batches with a pause between; false when Windows took fewer than given
// (the focused window belongs to a program that refuses synthetic input).
bool SendEvents(int32_t count) {
  for (int32_t start = 0; start < count; start += batchEvents) {
    if (start > 0) Sleep(8);
    int32_t n = count - start < batchEvents ? count - start : batchEvents;
    for (int32_t i = 0; i < n; i++) batch[i] = ToInput(bindEvents[start + i]);
    if (SendInput(static_cast<UINT>(n), batch, sizeof(INPUT)) != static_cast<UINT>(n)) return false;
  }
  return true;
}

}  // namespace

int32_t RegisterBindHotKeys(HWND window) {
  int32_t registered = 0;
  for (int32_t id = 101; id <= 112; id++)
    if (RegisterHotKey(window, id, MOD_CONTROL | MOD_NOREPEAT, static_cast<UINT>(id + 11))) registered++;
  return registered;
}

void UnregisterBindHotKeys(HWND window) {
  for (int32_t id = 101; id <= 112; id++) UnregisterHotKey(window, id);
}

void TypeBindText(WPARAM id) {
  if (id < 101 || id > 112) return;
  int32_t slot = static_cast<int32_t>(id) - 100;
  char16_t path[600];
  FormatBindPath(path, 600, slot);
  ReadTextFile(path);
  if (PrepareBindText(textBuffer, bindWorkBuffer) == 0) {
    ShowSlotStatus(u"Бинд Ctrl+F%d пустой — открой «Бинды»", slot);
    return;
  }
  WaitForModifiersReleased();
  int32_t count = TranslateBindText(bindWorkBuffer, bindEvents, 2 * bindTextUnits);
  if (!SendEvents(count)) {
    ShowSlotStatus(u"Ctrl+F%d — Windows не дал напечатать текст", slot);
    return;
  }
  ShowSlotStatus(u"Ctrl+F%d — текст напечатан", slot);
}
