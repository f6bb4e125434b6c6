// Binds window figures: the longest bind the program keeps (19,999 units), as ordinary words in
// F1 and as one unbroken run in F2. Timed from the click to the window's completed paint: the
// program's thread answering a message again means the handler and the paint are done.
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

}  // namespace

void BenchBinds() {
  App app = MakeApp("bench-binds");
  WriteAppFile(app, L"binds\\F1.txt", LongBindWords());
  WriteAppFile(app, L"binds\\F2.txt", std::string(bindUnits, 'x'));
  if (!StartApp(app)) {
    printf("the program did not start\n");
    return;
  }
  std::vector<double> open, toRun, toWords;
  for (int round = 0; round < 3; round++) {
    if (!BringToFront(app.main)) break;
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
    open.push_back(NowMs() - t0);
    HWND list = GetDlgItem(binds, 201);
    for (int row : {1, 0}) {
      RECT r;
      GetWindowRect(list, &r);
      POINT p = {r.left + 40, r.top + s(30) * row + s(15)};
      ScreenToClient(binds, &p);
      double t1 = NowMs();
      Click(binds, p.x, p.y);  // the slot changes on the release
      Answered(app, binds);
      (row == 1 ? toRun : toWords).push_back(NowMs() - t1);
    }
    PostMessageW(binds, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(binds); }, 120000);
  }
  CloseApp(app);
  Figure o = Summarise("binds window opened on a 19,999-unit bind of words", "ms", open);
  Report(o, "<= 200 ms", o.runs && o.median <= 200);
  Figure r = Summarise("binds: switch to a 19,999-unit unbroken run", "ms", toRun);
  Report(r, "<= 200 ms", r.runs && r.median <= 200);
  Figure w = Summarise("binds: switch back to the 19,999-unit bind of words", "ms", toWords);
  Report(w, "<= 200 ms", w.runs && w.median <= 200);
}
