// Answers the program's message boxes from a second thread while the test's thread runs the
// modal loop.
#pragma once
#include <windows.h>

#include <string>
#include <thread>

// Waits on another thread for a "KALMEX" message box, keeps its text and presses a button.
struct BoxAnswer {
  int button;
  std::wstring text;
  bool seen = false;
  std::thread thread;
  explicit BoxAnswer(int b, DWORD waitMs = 5000) : button(b) {
    thread = std::thread([this, waitMs] {
      DWORD start = GetTickCount();
      while (GetTickCount() - start < waitMs) {
        HWND box = FindWindowW(L"#32770", L"KALMEX");
        if (box) {
          wchar_t buffer[512] = {};
          GetDlgItemTextW(box, 0xFFFF, buffer, 512);
          text = buffer;
          seen = true;
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
          return;
        }
        Sleep(20);
      }
    });
  }
  void Join() { thread.join(); }
};
