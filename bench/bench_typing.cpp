// Typing figure: Ctrl+F1 pressed with SendInput while an EDIT of this process has the focus;
// kalmex.exe (another process) types a 5,000-unit bind into it, and so does the floor program.
// Timed from the hot key to the last character received.
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "bench_util.h"
#include "harness.h"

namespace {

constexpr int32_t bindUnits = 5000;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool FocusOn(HWND window) {
  return WaitFor([&] {
    Pump();
    SetForegroundWindow(window);
    SetFocus(window);
    return GetForegroundWindow() == window && GetFocus() == window;
  }, 3000);
}

}  // namespace

namespace {

// Ctrl+F1 pressed while the EDIT has the focus, to the last character in it; -1 when not all came.
double TypedMs(HWND edit, int32_t units) {
  SetWindowTextW(edit, L"");
  if (!FocusOn(edit)) {
    printf("the EDIT did not get the focus\n");
    return -1;
  }
  double t0 = NowMs(), last = t0;
  KeyDown(VK_CONTROL);
  KeyDown(VK_F1);
  KeyUp(VK_F1);
  KeyUp(VK_CONTROL);
  // The EDIT takes the keys only as fast as this thread hands them to it: pump whenever input
  // is queued, not every 20 ms.
  int32_t seen = 0;
  bool complete = false;
  while (!complete && NowMs() - last < 30000) {
    MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    Pump();
    int32_t n = GetWindowTextLengthW(edit);
    if (n != seen) {
      seen = n;
      last = NowMs();
    }
    complete = n >= units;
  }
  if (!complete) {
    printf("only %d of %d units arrived\n", seen, units);
    return -1;
  }
  return last - t0;
}

}  // namespace

// The program's hot-key typing of a 5,000-unit bind into an EDIT of this process, against the
// floor program sending the same key events in the same batches, without the program's pauses.
// Rounds alternate between the two; each starts its process anew, as only one of them can hold
// Ctrl+F1.
void BenchTyping() {
  // Lines of 77 characters and CR LF (79 units); Enter arrives as CR LF, so the EDIT's text ends
  // up as long as the file.
  std::string text;
  for (int32_t i = 0; static_cast<int32_t>(text.size()) < bindUnits; i++) {
    char piece[16];
    snprintf(piece, sizeof piece, "%06d ", i);
    text += piece;
    if (i % 11 == 10) text += "\r\n";
  }
  text.resize(bindUnits);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_MULTILINE |
                              WS_VSCROLL, 40, 40, 600, 400, NULL, NULL, GetModuleHandleW(NULL), NULL);
  SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  std::vector<double> ours, floor;
  for (int round = 0; round < 5; round++) {
    App app = MakeApp("bench-typing");
    WriteAppFile(app, L"binds\\F1.txt", text);
    if (!StartApp(app)) {
      printf("the program did not start\n");
      break;
    }
    double ms = TypedMs(edit, bindUnits);
    if (ms >= 0) ours.push_back(ms);
    Settle(app);
    CloseApp(app);

    App bare = MakeApp("bench-typing-floor");
    WriteAppFile(bare, L"binds\\F1.txt", text);
    if (!StartFloor(bare, L"type")) {
      printf("the floor did not start\n");
      break;
    }
    ms = TypedMs(edit, bindUnits);
    if (ms >= 0) floor.push_back(ms);
    CloseApp(bare);
  }
  DestroyWindow(edit);
  Figure f = Summarise("typing a 5,000-unit bind: hot key to last character", "ms", ours);
  Figure b = Summarise("the floor sending the same batches without pauses", "ms", floor);
  Report(b, "(the floor)", true);
  ReportAgainst(f, b, "<= 1.10x the floor", f.runs > 0 && b.runs > 0 && f.median <= 1.10 * b.median);
  printf("typing: %.0f chars/s ours, %.0f chars/s the floor\n", f.median > 0 ? 1000.0 * bindUnits / f.median : 0.0,
         b.median > 0 ? 1000.0 * bindUnits / b.median : 0.0);
}
