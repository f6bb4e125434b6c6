// End-to-end harness: the real kalmex.exe in a fresh folder, driven from outside with real input.
#pragma once
#include <windows.h>

#include <stdint.h>
#include <string>

struct App {
  std::wstring folder;  // fresh program folder, kalmex.exe copied into it
  PROCESS_INFORMATION process{};
  HWND main = NULL;     // its ZoltexMain window

  App() = default;
  App(App&& other) noexcept;
  App& operator=(App&& other) noexcept;
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  // A program still running when its test ends (an assertion returned early) is stopped: the
  // next test's start would otherwise find it and leave as a second start.
  ~App();
};

// A new empty folder under %TEMP%\Мои документы named after the test, with kalmex.exe (found beside the test
// program, or named by the KALMEX_EXE environment variable) copied into it.
App MakeApp(const char* testName);
// Prepared files, relative to the program folder (folders are created as needed).
void WriteAppFile(const App& app, const wchar_t* relative, const std::string& bytes);
std::string ReadAppFile(const App& app, const wchar_t* relative);
bool AppFileExists(const App& app, const wchar_t* relative);
std::wstring AppPath(const App& app, const wchar_t* relative);

// A data file of three tickets, one in each state: A-1 in work ("first"), B-2 on
// clarification, C-3 done ("done").
extern const char threeStates[];

// The board layout the program computes for this data text (UTF-8) in its present client area,
// at 96 DPI, in the test's own copy of the store.
void LoadBoardLayout(const App& app, const std::string& data);
// Writes the data file, starts the program on it, brings the board to the front and lays out
// the same board here; false when the program did not come up.
bool StartOnData(App& app, const std::string& data);

// Starts the program and waits (deadline 15 s) for its main window; false on time-out.
bool StartApp(App& app);
// Sends WM_CLOSE and waits for the process to end; returns its exit code, or -1 on time-out.
int CloseApp(App& app, DWORD timeoutMs = 10000);
void KillApp(App& app);
// Waits for the process to end by itself; its exit code or -1 on time-out.
int WaitExit(App& app, DWORD timeoutMs);

// Polls the condition every 20 ms until it holds or the deadline passes.
template <class F>
bool WaitFor(F condition, DWORD timeoutMs = 5000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
}

// Top-level visible window of the process with the class, or NULL.
HWND FindAppWindow(const App& app, const wchar_t* className);

// One input event at once, without waiting for the program: a screen point (absolute, always a
// move as well), a key by its virtual-key code.
void SendMouse(DWORD flags, int32_t sx, int32_t sy, int32_t wheel = 0);
void SendKey(WORD vk, DWORD flags);

// Real input with SendInput. Points are client coordinates of the window.
POINT ScreenPoint(HWND window, int32_t x, int32_t y);
void MoveMouseTo(HWND window, int32_t x, int32_t y);
void Click(HWND window, int32_t x, int32_t y);
void DoubleClick(HWND window, int32_t x, int32_t y);
void RightClick(HWND window, int32_t x, int32_t y);
// Turns the wheel at the point; delta 120 a notch, positive away from the user.
void Wheel(HWND window, int32_t x, int32_t y, int32_t delta);
void LeftDown(HWND window, int32_t x, int32_t y);
void LeftUp(HWND window, int32_t x, int32_t y);
void PressKey(WORD vk);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void TypeText(const wchar_t* text);  // KEYEVENTF_UNICODE, one down/up pair per unit
// Puts the window in front and waits until it is the foreground window.
// holdMs > 0: and until it has stayed the foreground window that long (without the virtual
// desktop the window manager's answer to an earlier switch can still arrive after this one).
bool BringToFront(HWND window, DWORD holdMs = 0);
// Lets the program handle what was sent: trips through its message loop (each at most
// timeoutMs). The input functions above make one such trip to the window they send to.
void Settle(const App& app, DWORD timeoutMs = 2000);

// The window's client area as it is on the screen (0x00BBGGRR per pixel).
struct Pixels {
  int32_t width = 0, height = 0;
  std::basic_string<uint32_t> data;
  uint32_t At(int32_t x, int32_t y) const { return data[static_cast<size_t>(y) * width + x]; }
};
Pixels CaptureClient(HWND window);
// Any part of the screen, and a whole window with its frame (a popup menu, say).
Pixels CaptureScreenRect(const RECT& area);
Pixels CaptureWindow(HWND window);
// One pixel of the window's client area as it is on the screen; 0xFFFFFFFF when it cannot be read.
uint32_t ClientPixel(HWND window, int32_t x, int32_t y);
// Whether every pixel is the same (a surface not yet painted).
bool Uniform(const Pixels& p);
// Follows captures of one window taken one after another: settled once an image is painted (not
// one colour) and has stayed the same longer than Wine takes to copy a finished paint to the
// screen, which it does when the program next waits for messages.
struct Settling {
  Pixels last;
  DWORD since = GetTickCount();
  bool Take(const Pixels& now);
};
// The client area once it has settled; empty when it never stands still within 5 s (a window
// whose every frame moves).
Pixels SteadyClient(HWND window);
// The process's visible window of the class once it appears; NULL when none does in time.
HWND WaitForWindow(const App& app, const wchar_t* className, DWORD timeoutMs = 5000);
// The process's window of the class once its paint has reached the screen: a capture taken as
// soon as the window exists can still be black. NULL when none appears or it never settles.
HWND WaitForPaintedWindow(const App& app, const wchar_t* className, DWORD timeoutMs = 5000);
// The program's popup menu once it is shown and painted, which it is only from inside the
// menu's own loop: keys sent after this reach the menu. NULL when none appears.
inline HWND WaitForPaintedMenu(const App& app) { return WaitForPaintedWindow(app, L"#32768"); }
// Saves the capture as a BMP in the screenshots folder beside the test program; returns the path.
std::wstring SaveScreenshot(const Pixels& pixels, const char* name);

// The client size of a window.
SIZE ClientSize(HWND window);
// Reads the window's text (title or control text).
std::wstring WindowText(HWND window);
// A control's text read through WM_GETTEXT, which works across processes (GetWindowTextW does
// not ask another process's control).
std::wstring RemoteControlText(HWND control);
// The text of a message box (its static text control).
std::wstring MessageBoxText(HWND box);
// The window with the keyboard focus on the thread that owns the given window, or NULL.
HWND FocusedWindow(HWND anyWindowOfThread);
// Whether the program's writable memory holds the UTF-16 text: what the status line shows is
// formatted there, so a message text proves it was shown.
bool ProcessMemoryHolds(const App& app, const std::wstring& text);
// UTF-8 bytes of the text, as the program writes its files.
std::string Utf8(const std::wstring& text);
