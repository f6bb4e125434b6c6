// Typing figure: Ctrl+F1 pressed with SendInput while an EDIT of this process has the focus;
// kalmex.exe (another process) types a 19,999-unit bind into it. Timed from the hot key to the
// last character received.
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "bench_util.h"
#include "harness.h"

namespace {

constexpr int32_t bindUnits = 19999;

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

void BenchTyping() {
  // Lines of 77 characters and CR LF (79 units), so the EDIT rewraps a short line per character rather
  // than one 20,000-character paragraph; Enter arrives as CR LF, so the EDIT's text ends up equal
  // to the file's 19,999 units.
  std::string text;
  for (int32_t i = 0; static_cast<int32_t>(text.size()) < bindUnits; i++) {
    char piece[16];
    snprintf(piece, sizeof piece, "%06d ", i);
    text += piece;
    if (i % 11 == 10) text += "\r\n";
  }
  text.resize(bindUnits);
  App app = MakeApp("bench-typing");
  WriteAppFile(app, L"binds\\F1.txt", text);
  if (!StartApp(app)) {
    printf("the program did not start\n");
    return;
  }
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_MULTILINE |
                              WS_VSCROLL, 40, 40, 600, 400, NULL, NULL, GetModuleHandleW(NULL), NULL);
  SendMessageW(edit, EM_LIMITTEXT, 0, 0);
  std::vector<double> rates;
  for (int round = 0; round < 3; round++) {
    SetWindowTextW(edit, L"");
    if (!FocusOn(edit)) {
      printf("the EDIT did not get the focus\n");
      break;
    }
    double t0 = NowMs(), last = t0;
    KeyDown(VK_CONTROL);
    KeyDown(VK_F1);
    KeyUp(VK_F1);
    KeyUp(VK_CONTROL);
    int32_t seen = 0;
    bool complete = WaitFor([&] {
      Pump();
      int32_t n = GetWindowTextLengthW(edit);
      if (n != seen) {
        seen = n;
        last = NowMs();
      }
      return n >= bindUnits;
    }, 180000);
    if (!complete) {
      printf("only %d of %d units arrived\n", seen, bindUnits);
      break;
    }
    rates.push_back(1000.0 * bindUnits / (last - t0));
    Settle(app);
  }
  DestroyWindow(edit);
  CloseApp(app);
  Figure f = Summarise("typing a 19,999-unit bind: hot key to last character", "chars/s", rates);
  Report(f, "(reported)", true);
}
