// Bind texts: what a hot key types, how it is batched, the list rows and the binds window's
// rectangles. Portable: no Windows types here.
#pragma once
#include <stdint.h>

#include "app/geometry.h"

constexpr int32_t bindSlotCount = 12;
constexpr int32_t bindHotKeyFirst = 101;  // id of Ctrl+F1; Ctrl+Fn is 100 + n
constexpr int32_t bindWorkUnits = 20000;
constexpr int32_t bindTextLimit = 19999;  // units of a file that are used
constexpr int32_t bindEditorLimit = 19000;
constexpr int32_t bindBatchEvents = 502;  // events in one SendInput call
constexpr int32_t bindEventCapacity = 512;
constexpr int32_t bindRowUnits = 64;

// Holds the text being typed or edited; shared by the hot keys and the binds window.
extern char16_t bindWorkBuffer[bindWorkUnits];

// Key event flags, the same values as Windows' KEYEVENTF_KEYUP and KEYEVENTF_UNICODE.
constexpr uint32_t bindKeyUp = 0x0002;
constexpr uint32_t bindKeyUnicode = 0x0004;
constexpr uint16_t bindVkReturn = 13;
constexpr uint16_t bindVkTab = 9;

struct BindKeyEvent {
  uint16_t vk;
  uint16_t scan;
  uint32_t flags;
};

// Copies at most 19999 units of source into out (cap units) without leaving half a surrogate
// pair at the cut. Returns the length.
int32_t TakeBindText(char16_t* out, int32_t cap, const char16_t* source);
// Whether a file decoded to decodedUnits (readCut: bytes were left unread) is all in the takenUnits
// that TakeBindText kept: false for a file with a NUL inside, longer than 19999 units or cut.
bool BindFileTakenWhole(int32_t decodedUnits, int32_t takenUnits, bool readCut);
// Whether saving the slot writes the editor's text to its file. An editor that shows only part
// of the file (shownWhole false) writes only once the user has edited the text: writing the part
// would destroy the rest of a file the user never touched.
bool BindTextWrittenBack(bool shownWhole, bool edited);
// TakeBindText, then every CR and LF removed from the end. Returns what is left to type.
int32_t PrepareBindText(char16_t* out, int32_t cap, const char16_t* source);
// Fills events with the next batch of at most 502 events from text at *position and advances it.
// CR LF is one Enter, a lone CR or LF is Enter, Tab is Tab, every other unit a Unicode down/up
// pair. Returns the number of events; 0 when the text is used up.
int32_t NextBindBatch(const char16_t* text, int32_t* position, BindKeyEvent* events);
// "Ctrl+F%-2d   %s" with the first 40 units of text (Tab, CR, LF as spaces), or "— пусто —".
int32_t FormatBindRow(char16_t* out, int32_t cap, int32_t slot, const char16_t* text);

struct BindsLayout {
  Rect listRect, editorRect, saveRect, folderRect;
};
// Controls and buttons of the binds window for its client size.
BindsLayout ComputeBindsLayout(int32_t width, int32_t height);
enum BindsHit : int32_t { BindsHitNone = 0, BindsHitFolder = 1, BindsHitSave = 2 };
int32_t BindsHitTest(const BindsLayout& layout, int32_t x, int32_t y);
// Where the window opens: centred across its owner's screen rectangle, s(60) below its top.
Rect BindsWindowPlacement(const Rect& owner);
