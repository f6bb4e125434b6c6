// The benchmark's floor: a do-nothing window that loads the same system DLLs as KALMEX (common
// controls 6 through the same manifest, shell32, msimg32) and answers each interaction the
// benchmark drives with the least Windows needs to show it: the same events taken, the same
// rectangle filled, a window of the same style and size opened, the same key batches sent. What
// KALMEX takes beyond it is ours.
//
//   kalmex_floor.exe            the window, idle until the benchmark drives it
//   kalmex_floor.exe type       also Ctrl+F1 types binds\F1.txt as KALMEX does, without its pauses
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "binds/bind_text.h"

namespace {

// Messages from the benchmark.
constexpr UINT floorSetRect = WM_APP + 1;   // wParam left | top << 16, lParam right | bottom << 16
constexpr UINT floorSetStyle = WM_APP + 2;  // the window the next click opens: style, ex-style
constexpr UINT floorSetSize = WM_APP + 3;   // its size, and the point it opens at (wParam x | y << 16)
// The window the next click opens holds an EDIT as the binds window's editor, at wParam
// left | top << 16 of its client area, lParam width | height << 16, filled with binds\F1.txt.
constexpr UINT floorSetEdit = WM_APP + 4;
constexpr UINT floorFillEdit = WM_APP + 5;  // the EDIT takes binds\F<wParam>.txt
// An input as the board's: at wParam left | top << 16, lParam width | height << 16; the
// stretching one keeps lParam's low word as its margin to the right edge of the client area.
constexpr UINT floorAddInput = WM_APP + 6, floorAddStretchingInput = WM_APP + 7;
// From then on the first input takes the keyboard, and Enter in it adds as the board does: the
// input emptied, the touched rectangle filled, and zoltex_data.txt (its bytes as they were when
// this came) saved as the program saves, through a temporary file flushed and moved over it.
constexpr UINT floorTakeAdds = WM_APP + 8;
// Posted to the window by the input on Enter, and by the window to itself after the paint.
constexpr UINT floorAdd = WM_APP + 9, floorSave = WM_APP + 10;

RECT touched = {0, 0, 0, 0};
DWORD openStyle = 0, openExStyle = 0;
int openWidth = 0, openHeight = 0, openX = 0, openY = 0;
HWND opened = NULL;
HBRUSH fill = NULL;
char16_t typed[bindWorkUnits];
BindKeyEvent events[bindEventCapacity];
INPUT inputs[bindEventCapacity];

RECT editPlace = {0, 0, 0, 0};  // left, top, width, height
HWND edit = NULL;
HFONT editFont = NULL;
char16_t bindText[bindWorkUnits];

// binds\F<slot>.txt decoded as UTF-8 into text (room for bindWorkUnits units).
void ReadBind(int slot, wchar_t* text) {
  wchar_t path[32];
  wsprintfW(path, L"binds\\F%d.txt", slot);
  text[0] = 0;
  HANDLE f = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (f == INVALID_HANDLE_VALUE) return;
  static char bytes[4 * bindWorkUnits];
  DWORD n = 0;
  ReadFile(f, bytes, sizeof bytes, &n, NULL);
  CloseHandle(f);
  int units = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(n), text, bindWorkUnits - 1);
  text[units] = 0;
}

// What the binds window does with a slot's text, and nothing else: the text taken as the editor
// takes it, and put into the EDIT.
void FillEdit(int slot) {
  static wchar_t read[bindWorkUnits];
  ReadBind(slot, read);
  TakeBindText(bindText, bindWorkUnits, reinterpret_cast<const char16_t*>(read));
  SetWindowTextW(edit, reinterpret_cast<const wchar_t*>(bindText));
}

// The EDIT of the binds window's editor: its styles, font and limit, placed before it is filled.
void MakeEdit(HWND parent) {
  HDC screen = GetDC(NULL);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(NULL, screen);
  if (!editFont)
    editFont = CreateFontW(-MulDiv(15, dpi < 96 ? 96 : dpi, 96), 0, 0, 0, 400, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
  edit = CreateWindowExW(0, L"EDIT", L"",
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                             ES_WANTRETURN,
                         editPlace.left, editPlace.top, editPlace.right, editPlace.bottom, parent,
                         NULL, GetModuleHandleW(NULL), NULL);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), TRUE);
  SendMessageW(edit, EM_LIMITTEXT, bindEditorLimit, 0);
  FillEdit(1);
}

HWND stretching = NULL;
int stretchMargin = 0;
HWND firstInput = NULL;
WNDPROC inputProc = NULL;
char* saved = NULL;  // the bytes every add saves
DWORD savedBytes = 0;

LRESULT CALLBACK AddingInputProc(HWND input, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam == VK_RETURN) {
    PostMessageW(GetParent(input), floorAdd, 0, 0);
    return 0;
  }
  return CallWindowProcW(inputProc, input, message, wParam, lParam);
}

void TakeAdds() {
  if (!firstInput || inputProc) return;
  HANDLE f = CreateFileW(L"zoltex_data.txt", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0,
                         NULL);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD size = GetFileSize(f, NULL);
  saved = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size + 1));
  if (saved) ReadFile(f, saved, size, &savedBytes, NULL);
  CloseHandle(f);
  inputProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(firstInput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AddingInputProc)));
  SetFocus(firstInput);
}

void SaveDurably() {
  HANDLE f = CreateFileW(L"zoltex_data.tmp", GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, NULL);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, saved, savedBytes, &written, NULL);
  FlushFileBuffers(f);
  CloseHandle(f);
  MoveFileExW(L"zoltex_data.tmp", L"zoltex_data.txt",
              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// An EDIT of the board's input style and font; the window then keeps its children out of its
// paint, as the program's does.
HWND AddInput(HWND window, WPARAM place, LPARAM size) {
  HDC screen = GetDC(NULL);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(NULL, screen);
  static HFONT inputFont = CreateFontW(-MulDiv(15, dpi < 96 ? 96 : dpi, 96), 0, 0, 0, 400, FALSE,
                                       FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI");
  HWND input = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                               LOWORD(place), HIWORD(place), LOWORD(size), HIWORD(size), window,
                               NULL, GetModuleHandleW(NULL), NULL);
  SendMessageW(input, WM_SETFONT, reinterpret_cast<WPARAM>(inputFont), TRUE);
  SendMessageW(input, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Номер заявки"));
  SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_CLIPCHILDREN);
  return input;
}

// The stretching input follows the width, as the board's description input does.
void PlaceStretchingInput(HWND window) {
  if (!stretching) return;
  RECT client, r;
  GetClientRect(window, &client);
  GetWindowRect(stretching, &r);
  MapWindowPoints(NULL, window, reinterpret_cast<POINT*>(&r), 2);
  int right = client.right - stretchMargin;
  if (right != r.right) MoveWindow(stretching, r.left, r.top, right - r.left, r.bottom - r.top, TRUE);
}

void Touch(HWND window) {
  if (touched.right > touched.left) InvalidateRect(window, &touched, FALSE);
}

void TypeBind() {
  static wchar_t text[bindWorkUnits];
  ReadBind(1, text);
  PrepareBindText(typed, bindWorkUnits, reinterpret_cast<const char16_t*>(text));
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 2000 && (GetAsyncKeyState(VK_CONTROL) & 0x8000)) Sleep(10);
  int32_t position = 0;
  for (int32_t count; (count = NextBindBatch(typed, &position, events)) > 0;) {
    for (int32_t i = 0; i < count; i++) {
      inputs[i] = INPUT{};
      inputs[i].type = INPUT_KEYBOARD;
      inputs[i].ki.wVk = events[i].vk;
      inputs[i].ki.wScan = events[i].scan;
      inputs[i].ki.dwFlags = events[i].flags;
    }
    SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT));
  }
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      FillRect(dc, &ps.rcPaint, fill);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case floorSetRect:
      touched = RECT{LOWORD(wParam), HIWORD(wParam), LOWORD(lParam), HIWORD(lParam)};
      return 0;
    case floorSetStyle:
      openStyle = static_cast<DWORD>(wParam);
      openExStyle = static_cast<DWORD>(lParam);
      return 0;
    case floorSetEdit:
      editPlace = RECT{LOWORD(wParam), HIWORD(wParam), LOWORD(lParam), HIWORD(lParam)};
      return 0;
    case floorFillEdit:
      if (edit) FillEdit(static_cast<int>(wParam));
      return 0;
    case floorAddInput: {
      HWND input = AddInput(window, wParam, lParam);
      if (!firstInput) firstInput = input;
      return 0;
    }
    case floorTakeAdds:
      TakeAdds();
      return 0;
    case floorAdd:
      SetWindowTextW(firstInput, L"");
      Touch(window);
      RedrawWindow(window, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
      PostMessageW(window, floorSave, 0, 0);
      return 0;
    case floorSave:
      SaveDurably();
      return 0;
    case WM_SETFOCUS:
      if (inputProc) SetFocus(firstInput);
      return 0;
    case floorAddStretchingInput: {
      RECT client;
      GetClientRect(window, &client);
      stretchMargin = LOWORD(lParam);
      int width = client.right - stretchMargin - LOWORD(wParam);
      stretching = AddInput(window, wParam, MAKELPARAM(width, HIWORD(lParam)));
      return 0;
    }
    case WM_SIZE:
      PlaceStretchingInput(window);
      return 0;
    case floorSetSize:
      openX = LOWORD(wParam);
      openY = HIWORD(wParam);
      openWidth = LOWORD(lParam);
      openHeight = HIWORD(lParam);
      return 0;
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
      Touch(window);
      return 0;
    case WM_LBUTTONUP:
      if (openWidth > 0 && !opened) {
        opened = CreateWindowExW(openExStyle, L"KalmexFloorOpen", L"floor", openStyle & ~WS_VISIBLE,
                                 openX, openY, openWidth, openHeight, window, NULL,
                                 GetModuleHandleW(NULL), NULL);
        if (editPlace.right > 0) MakeEdit(opened);
        // A topmost window (the reminder) comes up without taking the activation.
        ShowWindow(opened, openExStyle & WS_EX_TOPMOST ? SW_SHOWNOACTIVATE : SW_SHOW);
        UpdateWindow(opened);
      } else {
        Touch(window);
      }
      return 0;
    case WM_CLOSE:
      if (window == opened) {
        DestroyWindow(window);
        opened = NULL;
        edit = NULL;
        return 0;
      }
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (window != opened) PostQuitMessage(0);
      return 0;
    case WM_HOTKEY:
      TypeBind();
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command, int) {
  InitCommonControls();
  fill = CreateSolidBrush(RGB(0x1E, 0x22, 0x2A));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(NULL, IDC_ARROW);
  wc.lpszClassName = L"KalmexFloor";
  RegisterClassExW(&wc);
  wc.lpszClassName = L"KalmexFloorOpen";
  RegisterClassExW(&wc);
  wc.lpszClassName = L"KalmexFloor";
  int w = 1280, h = 800;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"KALMEX floor", WS_OVERLAPPEDWINDOW,
                                (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, NULL, NULL,
                                instance, NULL);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  // Imported so the loader maps shell32 and msimg32 as it does for KALMEX; never called.
  if (command && command[0] == L'?') {
    ShellExecuteW(window, NULL, command, NULL, NULL, SW_SHOW);
    GradientFill(NULL, NULL, 0, NULL, 0, 0);
  }
  if (command && lstrcmpW(command, L"type") == 0)
    RegisterHotKey(window, 1, MOD_CONTROL | MOD_NOREPEAT, VK_F1);
  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ExitProcess(0);
}
