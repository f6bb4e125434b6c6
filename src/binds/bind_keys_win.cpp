// The twelve hot keys and typing a bind into the focused window.
#include "app/clock.h"
#include "app/fileproblem.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "app/text.h"
#include "app/textfile.h"
#include "binds/bind_input_win.h"
#include "binds/bind_text.h"
#include "binds/binds_win.h"

UINT(WINAPI* bindSendInput)(UINT, LPINPUT, int) = SendInput;
SHORT(WINAPI* bindKeyState)(int) = GetAsyncKeyState;

static_assert(bindKeyUp == KEYEVENTF_KEYUP && bindKeyUnicode == KEYEVENTF_UNICODE, "flags");

static BindKeyEvent bindEvents[bindEventCapacity];
static INPUT bindInputs[bindEventCapacity];

int32_t RegisterBindHotKeys(HWND window) {
  int32_t registered = 0;
  for (int32_t id = bindHotKeyFirst; id < bindHotKeyFirst + bindSlotCount; id++)
    if (RegisterHotKey(window, id, MOD_CONTROL | MOD_NOREPEAT, VK_F1 + (id - bindHotKeyFirst)))
      registered++;
  return registered;
}

void UnregisterBindHotKeys(HWND window) {
  for (int32_t id = bindHotKeyFirst; id < bindHotKeyFirst + bindSlotCount; id++)
    UnregisterHotKey(window, id);
}

static bool ModifierDown() {
  return (bindKeyState(VK_CONTROL) & 0x8000) || (bindKeyState(VK_SHIFT) & 0x8000) ||
         (bindKeyState(VK_MENU) & 0x8000);
}

// The hot key's own Ctrl would turn the typed letters into shortcuts; after 2 s we type anyway.
static void WaitForModifiersReleased() {
  uint32_t start = TickNow();
  while (TickNow() - start < 2000 && ModifierDown()) Sleep(10);
}

// Sends one batch; false when the system took fewer events than it was given.
static bool SendBatch(int32_t count) {
  for (int32_t i = 0; i < count; i++) {
    INPUT& in = bindInputs[i];
    in = INPUT{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = bindEvents[i].vk;
    in.ki.wScan = bindEvents[i].scan;
    in.ki.dwFlags = bindEvents[i].flags;
  }
  UINT sent = bindSendInput(static_cast<UINT>(count), bindInputs, sizeof(INPUT));
  if (sent >= static_cast<UINT>(count)) return true;
  // A press went in without its release: try not to leave Enter or Tab held down.
  if (sent % 2 == 1) {
    INPUT release = bindInputs[sent];
    bindSendInput(1, &release, sizeof(INPUT));
  }
  return false;
}

static bool SendBindText(const char16_t* text) {
  int32_t position = 0;
  int32_t count = NextBindBatch(text, &position, bindEvents);
  while (count > 0) {
    if (!SendBatch(count)) return false;
    count = NextBindBatch(text, &position, bindEvents);
    if (count > 0) Sleep(8);
  }
  return true;
}

void TypeBindText(WPARAM id) {
  if (id < static_cast<WPARAM>(bindHotKeyFirst) ||
      id >= static_cast<WPARAM>(bindHotKeyFirst + bindSlotCount))
    return;
  int32_t n = static_cast<int32_t>(id) - (bindHotKeyFirst - 1);
  char16_t path[600];
  FormatBindPath(path, 600, n);
  ReadTextFile(path);
  char16_t status[statusUnits];
  if (lastReadFailed) {
    FormatText(status, statusUnits, u"Бинд Ctrl+F%d не прочитан: %s", n, LastFileCause());
    ShowStatus(status);
    return;
  }
  int32_t prepared = PrepareBindText(bindWorkBuffer, bindWorkUnits, textBuffer);
  ReleaseReadText();
  if (prepared == 0) {
    FormatText(status, statusUnits, u"Бинд Ctrl+F%d пустой \u2014 открой «Бинды»", n);
    ShowStatus(status);
    return;
  }
  WaitForModifiersReleased();
  if (SendBindText(bindWorkBuffer))
    FormatText(status, statusUnits, u"Ctrl+F%d \u2014 текст напечатан", n);
  else
    FormatText(status, statusUnits, u"Ctrl+F%d \u2014 Windows не дал напечатать текст", n);
  ShowStatus(status);
}
