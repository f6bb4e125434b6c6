// Binds window figures: the longest bind the program keeps (19,999 units), as ordinary words in
// F1 and as one unbroken run in F2, against a bare EDIT given the same texts. Timed from the
// click to the window's completed paint: the program's thread answering a message again means
// the handler and the paint are done.
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "app/geometry.h"
#include "bench_util.h"
#include "board/layout.h"
#include "harness.h"
#include "store/ticket.h"

namespace {

constexpr int32_t bindUnits = 19999;

// Waits until the program's thread has handled everything queued before this call.
void Answered(const App& app, HWND window) {
  DWORD_PTR result;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
  SendMessageTimeoutW(app.main, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
}

// The first character of the other program's EDIT, asked through its own thread.
wchar_t FirstChar(HWND editor) {
  wchar_t text[2] = {0, 0};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(editor, WM_GETTEXT, 2, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 120000,
                      &copied);
  return text[0];
}

// The binds window's list row of the slot (0 the first).
POINT ListRow(HWND binds, int row) {
  RECT r;
  GetWindowRect(GetDlgItem(binds, 201), &r);
  POINT p = {r.left + 40, r.top + s(30) * row + s(15)};
  ScreenToClient(binds, &p);
  return p;
}

// The floor's window of the binds window's style, place and size, with an EDIT where its editor
// is, of the same styles, font and limit, filled with the same text the same way.
void ArmEditFloor(const App& floor, HWND binds) {
  ArmFloor(floor, binds);
  HWND editor = GetDlgItem(binds, 202);
  RECT r;
  GetWindowRect(editor, &r);
  POINT at = {r.left, r.top};
  ScreenToClient(binds, &at);
  SendMessageW(floor.main, floorSetEdit, MAKEWPARAM(at.x, at.y),
               MAKELPARAM(r.right - r.left, r.bottom - r.top));
}

struct Rounds {
  std::vector<double> open, toRun, toWords;
};

void ReportAgainstEdit(const char* name, const std::vector<double>& ours,
                       const std::vector<double>& floor) {
  Figure f = Summarise(name, "ms", floor);
  Figure o = Summarise(name, "ms", ours);
  bool met = o.runs && f.runs && o.median <= 1.2 * f.median && o.high <= 1.2 * f.high;
  printf("  the bare EDIT: median %.1f ms, p90 %.1f ms\n", f.median, f.high);
  ReportAgainst(o, f, "<= 1.2x the bare EDIT, median and p90", met);
}

}  // namespace

// Against the floor in the same run, rounds alternating: a bare window with an EDIT of the
// editor's place, styles and font, opened by a click and filled with the same text, then given
// the other slot's text.
void BenchBinds() {
  App app = MakeApp("bench-binds");
  App floor = MakeApp("bench-binds-floor");
  for (App* a : {&app, &floor}) {
    WriteAppFile(*a, L"binds\\F1.txt", LongBindWords());
    WriteAppFile(*a, L"binds\\F2.txt", std::string(bindUnits, 'x'));
  }
  if (!StartFloor(floor, L"") || !StartApp(app)) {
    printf("the program or the floor did not start\n");
    return;
  }
  // The floor's window, which only takes the clicks that open its own, goes beside the
  // program's: without the virtual desktop a window manager refuses the activation to a window
  // that asks for it with older input than the one in front, and a click on the program's
  // window then gives it back, as a user would.
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  SetWindowPos(floor.main, NULL, screenWidth - 320, screenHeight - 240, 320, 240,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Rounds ours, bare;
  for (int round = 0; round < 5; round++) {
    if (!BringToFront(app.main)) {
      Click(app.main, 20, 20);  // above the title: nothing there takes a click
      if (!BringToFront(app.main)) break;
    }
    dpi = 96;
    ResetTicketStore();
    SIZE size = ClientSize(app.main);
    ComputeLayout(size.cx, size.cy);
    const Rect& b = boardLayout.bindsButtonRect;
    POINT button = {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
    LeftDown(app.main, button.x, button.y);
    double t0 = NowMs();
    LeftUp(app.main, button.x, button.y);  // the button acts on the release
    HWND binds = NULL;
    WaitFor([&] { return (binds = FindAppWindow(app, L"ZoltexBinds")) != NULL; }, 120000);
    if (!binds) break;
    UpdateWindow(binds);
    Answered(app, binds);
    ours.open.push_back(NowMs() - t0);
    HWND editor = GetDlgItem(binds, 202);
    for (int row : {1, 0}) {
      POINT p = ListRow(binds, row);
      double t1 = NowMs();
      Click(binds, p.x, p.y);  // the slot changes on the release
      // The click may not have reached the window when the first trip returns: the slot's text
      // shows when it has (the run of F2 begins with an x, the words of F1 do not).
      WaitFor([&] { return (FirstChar(editor) == L'x') == (row == 1); }, 120000);
      Answered(app, binds);
      (row == 1 ? ours.toRun : ours.toWords).push_back(NowMs() - t1);
    }
    ArmEditFloor(floor, binds);
    PostMessageW(binds, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(binds); }, 120000);

    HWND opened = NULL;
    double ms = FloorOpening(floor, &opened);
    if (!opened) break;
    bare.open.push_back(ms);
    for (int slot : {2, 1}) {
      double t1 = NowMs();
      DWORD_PTR result;
      SendMessageTimeoutW(floor.main, floorFillEdit, slot, 0, SMTO_NORMAL, 120000, &result);
      Answered(floor, opened);
      (slot == 2 ? bare.toRun : bare.toWords).push_back(NowMs() - t1);
    }
    PostMessageW(opened, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(opened); }, 120000);
  }
  CloseApp(app);
  CloseApp(floor);
  ReportAgainstEdit("binds window opened on a 19,999-unit bind of words", ours.open, bare.open);
  ReportAgainstEdit("binds: switch to a 19,999-unit unbroken run", ours.toRun, bare.toRun);
  ReportAgainstEdit("binds: switch back to the 19,999-unit bind of words", ours.toWords,
                    bare.toWords);
}
