#include "harness.h"

#include <stdio.h>

#include <utility>
#include <vector>

#include "app/geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\'));
}

// kalmex.exe beside the test program, or the one KALMEX_EXE names (the released one).
std::wstring ProgramUnderTest() {
  wchar_t named[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"KALMEX_EXE", named, MAX_PATH);
  if (n > 0 && n < MAX_PATH) return std::wstring(named, n);
  return ExeFolder() + L"\\kalmex.exe";
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  RemoveDirectoryW(folder.c_str());
}

void MakeParents(const std::wstring& path) {
  for (size_t i = 3; i < path.size(); i++)
    if (path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), NULL);
}

struct FindData {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindProc(HWND window, LPARAM param) {
  FindData* d = reinterpret_cast<FindData*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != d->pid || !IsWindowVisible(window)) return TRUE;
  wchar_t name[64];
  GetClassNameW(window, name, 64);
  if (lstrcmpW(name, d->className) != 0) return TRUE;
  d->found = window;
  return FALSE;
}

}  // namespace

void SendMouse(DWORD flags, int32_t sx, int32_t sy, int32_t wheel) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.mouseData = static_cast<DWORD>(wheel);
  int32_t w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  // floor(dx * w / 65536) is exactly sx.
  in.mi.dx = (sx * 65536) / w + 1;
  in.mi.dy = (sy * 65536) / h + 1;
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  SendInput(1, &in, sizeof in);
}

void SendKey(WORD vk, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

namespace {

// Two trips through the message loop of the window's thread. A sent message is answered from
// the loop ahead of queued input, so the first answer may come before the input is taken; the
// second is answered only when the loop asks again, after it has handled what was queued.
void RoundTrip(HWND window, DWORD timeoutMs = 2000) {
  DWORD_PTR result;
  for (int i = 0; window && i < 2; i++)
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result);
}

// Puts the pointer on the screen point. Under Wine the jump warps the X pointer, and the desktop
// process answers the warp with a crossing event that can carry the position before it: taken
// after the program's own move, it sends the cursor back. So once the desktop has handled what
// the warp caused, the point is reported once more, as a real mouse keeps reporting.
void PlacePointer(int32_t sx, int32_t sy) {
  POINT now;
  if (GetCursorPos(&now) && now.x == sx && now.y == sy) return;
  SendMouse(0, sx, sy);
  RoundTrip(GetDesktopWindow());
  SendMouse(0, sx, sy);
}

// Keys go to the thread of the foreground window.
void KeysTaken() { RoundTrip(GetForegroundWindow()); }

}  // namespace

const char threeStates[] =
    "ZOLTEX1\r\n3|1\r\n0|1|10|1796601600|1796601600|0|A-1|first\r\n"
    "2|2|20|1796601600|1796601600|0|B-2|\r\n1|3|30|1796601600|1796601600|1796601700|C-3|done\r\n";

App MakeApp(const char* testName) {
  App app;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  wchar_t name[200];
  // Users keep the program on "Рабочий стол" or in "Мои документы": every test's folder has a
  // space and Cyrillic letters in its last two names.
  swprintf(name, 200, L"%lsМои документы\\%hs-%lu Рабочий стол", temp, testName,
           GetCurrentProcessId());
  app.folder = name;
  RemoveTree(app.folder);
  MakeParents(app.folder + L"\\");
  CopyFileW(ProgramUnderTest().c_str(), (app.folder + L"\\kalmex.exe").c_str(), FALSE);
  return app;
}

std::wstring AppPath(const App& app, const wchar_t* relative) {
  return app.folder + L"\\" + relative;
}

void WriteAppFile(const App& app, const wchar_t* relative, const std::string& bytes) {
  std::wstring path = AppPath(app, relative);
  MakeParents(path);
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
  CloseHandle(f);
}

std::string ReadAppFile(const App& app, const wchar_t* relative) {
  HANDLE f = CreateFileW(AppPath(app, relative).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                         OPEN_EXISTING, 0, NULL);
  if (f == INVALID_HANDLE_VALUE) return std::string();
  std::string out;
  char chunk[65536];
  DWORD n = 0;
  while (ReadFile(f, chunk, sizeof chunk, &n, NULL) && n > 0) out.append(chunk, n);
  CloseHandle(f);
  return out;
}

bool AppFileExists(const App& app, const wchar_t* relative) {
  return GetFileAttributesW(AppPath(app, relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

HWND FindAppWindow(const App& app, const wchar_t* className) {
  FindData d{app.process.dwProcessId, className, NULL};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

void LoadBoardLayout(const App& app, const std::string& data) {
  dpi = 96;
  ResetTicketStore();
  boardUi = {};
  int n = MultiByteToWideChar(CP_UTF8, 0, data.data(), static_cast<int>(data.size()), NULL, 0);
  std::u16string text(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, data.data(), static_cast<int>(data.size()),
                      reinterpret_cast<wchar_t*>(&text[0]), n);
  ParseTicketText(text.c_str(), n, 1796601600u);
  SIZE size = ClientSize(app.main);
  ComputeLayout(size.cx, size.cy);
}

bool StartOnData(App& app, const std::string& data) {
  WriteAppFile(app, L"zoltex_data.txt", data);
  if (!StartApp(app) || !BringToFront(app.main)) return false;
  LoadBoardLayout(app, data);
  return true;
}

// Every program a test starts belongs to one job that ends with the test program: a test that
// fails or hangs leaves no kalmex.exe behind to hold the single-instance lock or the test
// runner's output pipe.
static void JoinTestJob(HANDLE process) {
  static HANDLE job = [] {
    HANDLE j = CreateJobObjectW(NULL, NULL);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION info{};
    info.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (j) SetInformationJobObject(j, JobObjectExtendedLimitInformation, &info, sizeof info);
    return j;
  }();
  if (job) AssignProcessToJobObject(job, process);
}

bool StartApp(App& app) {
  std::wstring exe = app.folder + L"\\kalmex.exe";
  std::vector<wchar_t> command(exe.begin(), exe.end());
  command.push_back(0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  // A start Wine refuses (seen once under load, between two kills) is reported with its error
  // and tried twice more.
  int tries = 0;
  while (!CreateProcessW(exe.c_str(), command.data(), NULL, NULL, FALSE, 0, NULL,
                         app.folder.c_str(), &si, &app.process)) {
    fprintf(stderr, "the program did not start: error %lu\n", GetLastError());
    if (++tries == 3) return false;
    Sleep(500);
  }
  JoinTestJob(app.process.hProcess);
  WaitForInputIdle(app.process.hProcess, 10000);
  bool ok = WaitFor([&] { return (app.main = FindAppWindow(app, L"ZoltexMain")) != NULL; }, 15000);
  if (ok) Settle(app);
  else fprintf(stderr, "the program showed no main window (exit %d)\n", WaitExit(app, 0));
  return ok;
}

int WaitExit(App& app, DWORD timeoutMs) {
  if (!app.process.hProcess) return -1;
  if (WaitForSingleObject(app.process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(app.process.hProcess, &code);
  CloseHandle(app.process.hProcess);
  CloseHandle(app.process.hThread);
  app.process = PROCESS_INFORMATION{};
  return static_cast<int>(code);
}

int CloseApp(App& app, DWORD timeoutMs) {
  if (app.main) PostMessageW(app.main, WM_CLOSE, 0, 0);
  int code = WaitExit(app, timeoutMs);
  if (code == -1) KillApp(app);
  return code;
}

App::App(App&& other) noexcept
    : folder(std::move(other.folder)), process(other.process), main(other.main) {
  other.process = PROCESS_INFORMATION{};
  other.main = NULL;
}

App& App::operator=(App&& other) noexcept {
  if (this != &other) {
    KillApp(*this);
    folder = std::move(other.folder);
    process = other.process;
    main = other.main;
    other.process = PROCESS_INFORMATION{};
    other.main = NULL;
  }
  return *this;
}

App::~App() { KillApp(*this); }

void KillApp(App& app) {
  if (!app.process.hProcess) return;
  TerminateProcess(app.process.hProcess, 1);
  WaitExit(app, 5000);
}

POINT ScreenPoint(HWND window, int32_t x, int32_t y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

void MoveMouseTo(HWND window, int32_t x, int32_t y) {
  POINT p = ScreenPoint(window, x, y);
  PlacePointer(p.x, p.y);
  RoundTrip(window);
}

void LeftDown(HWND window, int32_t x, int32_t y) {
  POINT p = ScreenPoint(window, x, y);
  PlacePointer(p.x, p.y);
  SendMouse(MOUSEEVENTF_LEFTDOWN, p.x, p.y);
  RoundTrip(window);
}

void LeftUp(HWND window, int32_t x, int32_t y) {
  POINT p = ScreenPoint(window, x, y);
  SendMouse(MOUSEEVENTF_LEFTUP, p.x, p.y);
  RoundTrip(window);
}

void Click(HWND window, int32_t x, int32_t y) {
  LeftDown(window, x, y);
  LeftUp(window, x, y);
}

void DoubleClick(HWND window, int32_t x, int32_t y) {
  Click(window, x, y);
  Click(window, x, y);
}

void RightClick(HWND window, int32_t x, int32_t y) {
  POINT p = ScreenPoint(window, x, y);
  PlacePointer(p.x, p.y);
  SendMouse(MOUSEEVENTF_RIGHTDOWN, p.x, p.y);
  SendMouse(MOUSEEVENTF_RIGHTUP, p.x, p.y);
  RoundTrip(window);
}

void Wheel(HWND window, int32_t x, int32_t y, int32_t delta) {
  POINT p = ScreenPoint(window, x, y);
  PlacePointer(p.x, p.y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.mouseData = static_cast<DWORD>(delta);
  in.mi.dwFlags = MOUSEEVENTF_WHEEL;
  SendInput(1, &in, sizeof in);
  RoundTrip(window);
}

void KeyDown(WORD vk) {
  SendKey(vk, 0);
  KeysTaken();
}
void KeyUp(WORD vk) {
  SendKey(vk, KEYEVENTF_KEYUP);
  KeysTaken();
}
void PressKey(WORD vk) {
  SendKey(vk, 0);
  SendKey(vk, KEYEVENTF_KEYUP);
  KeysTaken();
}

void TypeText(const wchar_t* text) {
  for (const wchar_t* p = text; *p; p++) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = *p;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
  }
  KeysTaken();
}

bool BringToFront(HWND window, DWORD holdMs) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  DWORD since = 0;
  return WaitFor([&] {
    MSG msg;  // this thread's own windows take their part of the switch
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (GetForegroundWindow() != window) {
      SetForegroundWindow(window);
      since = 0;
      return false;
    }
    if (!since) since = GetTickCount();
    return GetTickCount() - since >= holdMs;
  }, 3000 + holdMs);
}

void Settle(const App& app, DWORD timeoutMs) {
  // Each pair of trips lets the loop take at least one more queued message: a key, then the
  // character it makes, then the paint that follows.
  for (int i = 0; i < 3; i++) RoundTrip(app.main, timeoutMs);
}

bool Uniform(const Pixels& p) {
  for (uint32_t v : p.data)
    if (v != p.data[0]) return false;
  return true;
}

bool Settling::Take(const Pixels& now) {
  bool same = !now.data.empty() && !Uniform(now) && now.width == last.width &&
              now.height == last.height && now.data == last.data;
  if (!same) since = GetTickCount();
  last = now;
  return same && GetTickCount() - since > 100;
}

Pixels SteadyClient(HWND window) {
  Settling settling;
  bool steady = WaitFor([&] { return settling.Take(CaptureClient(window)); });
  return steady ? settling.last : Pixels();
}

HWND WaitForWindow(const App& app, const wchar_t* className, DWORD timeoutMs) {
  HWND window = NULL;
  WaitFor([&] { return (window = FindAppWindow(app, className)) != NULL; }, timeoutMs);
  return window;
}

HWND WaitForPaintedWindow(const App& app, const wchar_t* className, DWORD timeoutMs) {
  HWND window = WaitForWindow(app, className, timeoutMs);
  return window && !SteadyClient(window).data.empty() ? window : NULL;
}

SIZE ClientSize(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

Pixels CaptureScreenRect(const RECT& area) {
  Pixels out;
  int32_t width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return out;
  out.width = width;
  out.height = height;
  HDC screen = GetDC(NULL);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  out.data.resize(static_cast<size_t>(width) * height);
  const uint32_t* px = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < out.data.size(); i++) {
    uint32_t v = px[i];  // 0x00RRGGBB in a DIB
    out.data[i] = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(NULL, screen);
  return out;
}

Pixels CaptureClient(HWND window) {
  SIZE size = ClientSize(window);
  POINT origin = ScreenPoint(window, 0, 0);
  return CaptureScreenRect(RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy});
}

Pixels CaptureWindow(HWND window) {
  RECT r;
  if (!GetWindowRect(window, &r)) return Pixels();
  return CaptureScreenRect(r);
}

uint32_t ClientPixel(HWND window, int32_t x, int32_t y) {
  POINT p = ScreenPoint(window, x, y);
  Pixels one = CaptureScreenRect(RECT{p.x, p.y, p.x + 1, p.y + 1});
  return one.data.empty() ? 0xFFFFFFFFu : one.data[0];
}

std::wstring SaveScreenshot(const Pixels& pixels, const char* name) {
  std::wstring folder = ExeFolder() + L"\\screenshots";
  CreateDirectoryW(folder.c_str(), NULL);
  wchar_t file[300];
  swprintf(file, 300, L"%ls\\%hs.bmp", folder.c_str(), name);
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  DWORD bytes = static_cast<DWORD>(pixels.data.size() * 4);
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + bytes;
  ih.biSize = sizeof ih;
  ih.biWidth = pixels.width;
  ih.biHeight = -pixels.height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  std::vector<uint32_t> rows(pixels.data.size());
  for (size_t i = 0; i < rows.size(); i++) {
    uint32_t v = pixels.data[i];
    rows[i] = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
  }
  HANDLE f = CreateFileW(file, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD w;
  WriteFile(f, &fh, sizeof fh, &w, NULL);
  WriteFile(f, &ih, sizeof ih, &w, NULL);
  WriteFile(f, rows.data(), bytes, &w, NULL);
  CloseHandle(f);
  return file;
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024];
  int n = GetWindowTextW(window, text, 1024);
  return std::wstring(text, n > 0 ? n : 0);
}

std::wstring RemoteControlText(HWND control) {
  static wchar_t text[20001];  // room for the longest bind
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, 20001, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                           2000, &n))
    return std::wstring();
  return std::wstring(text, n);
}

std::wstring MessageBoxText(HWND box) {
  return RemoteControlText(GetDlgItem(box, 0xFFFF));
}

HWND FocusedWindow(HWND anyWindowOfThread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(anyWindowOfThread, NULL);
  if (!thread || !GetGUIThreadInfo(thread, &info)) return NULL;
  return info.hwndFocus;
}

bool ProcessMemoryHolds(const App& app, const std::wstring& text) {
  const char* want = reinterpret_cast<const char*>(text.data());
  size_t wantBytes = text.size() * sizeof(wchar_t);
  std::string chunk;
  MEMORY_BASIC_INFORMATION info;
  const char* at = NULL;
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  while (at < static_cast<const char*>(system.lpMaximumApplicationAddress) &&
         VirtualQueryEx(app.process.hProcess, at, &info, sizeof info) == sizeof info) {
    bool writable = info.State == MEM_COMMIT &&
                    (info.Protect & (PAGE_READWRITE | PAGE_WRITECOPY)) &&
                    !(info.Protect & PAGE_GUARD);
    if (writable) {
      chunk.resize(info.RegionSize);
      SIZE_T got = 0;
      if (ReadProcessMemory(app.process.hProcess, info.BaseAddress, &chunk[0], info.RegionSize,
                            &got) &&
          chunk.find(want, 0, wantBytes) < got)
        return true;
    }
    // Up to the end of the address space, whatever its size (32- or 64-bit).
    if (info.RegionSize == 0) break;
    at = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
  }
  return false;
}

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0,
                              NULL, NULL);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, NULL,
                      NULL);
  return out;
}
