// The ticket editor and the clearing of done tickets, driven inside this process: real windows,
// real message boxes (answered from a second thread) and real files in a fresh folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <thread>

#include "app/clock.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "program/window_classes_win.h"
#include "app/status.h"
#include "app/text.h"
#include "board/history_win.h"
#include "board/ui_state.h"
#include "editor/editor_rules.h"
#include "editor/editor_win.h"
#include "box_answer.h"
#include "harness.h"
#include "store/history.h"
#include "store/ticket.h"
#include "draw/draw_win.h"

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The program's manifest asks for version 6 of the common controls (cue banners need it); this
// test program has none, so it activates an equivalent context for the whole run.
void UseCommonControls6() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring path = std::wstring(temp) + L"kalmex_win_tests.manifest";
  const char manifest[] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
      "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"
      "<dependency><dependentAssembly><assemblyIdentity type=\"win32\" "
      "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
      "processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"
      "</dependentAssembly></dependency></assembly>";
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD n = 0;
  WriteFile(f, manifest, sizeof manifest - 1, &n, NULL);
  CloseHandle(f);
  ACTCTXW context{};
  context.cbSize = sizeof context;
  context.lpSource = path.c_str();
  HANDLE handle = CreateActCtxW(&context);
  ULONG_PTR cookie = 0;
  if (handle != INVALID_HANDLE_VALUE) ActivateActCtx(handle, &cookie);
}

void SetUpShell() {
  static bool done = false;
  if (done) return;
  done = true;
  UseCommonControls6();
  InitCommonControls();
  hInstance = GetModuleHandleW(NULL);
  CreateDrawingObjects();
  RegisterWindowClasses();
  // The editor's owner: a plain window standing in for the board.
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = hInstance;
  wc.hCursor = arrowCursor;
  wc.lpszClassName = L"KalmexTestOwner";
  wc.lpfnWndProc = DefWindowProcW;
  RegisterClassExW(&wc);
}

std::string Utf8(const std::u16string& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(text.c_str()),
                              static_cast<int>(text.size()), NULL, 0, NULL, NULL);
  std::string out(n, 0);
  WideCharToMultiByte(CP_UTF8, 0, reinterpret_cast<const wchar_t*>(text.c_str()),
                      static_cast<int>(text.size()), &out[0], n, NULL, NULL);
  return out;
}

std::wstring Text(HWND window) {
  wchar_t buffer[512];
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

class EditorWindow : public ::testing::Test {
 protected:
  std::wstring folder;
  App app;

  void SetUp() override {
    SetUpShell();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"kalmex_editor_" + std::to_wstring(GetTickCount()) + L"_" +
             std::to_wstring(++counter);
    CreateDirectoryW(folder.c_str(), NULL);
    app.folder = folder;
    std::wstring module = folder + L"\\kalmex.exe";
    BuildAppPaths(reinterpret_cast<const char16_t*>(module.c_str()));
    ResetTicketStore();
    boardUi = {};
    statusLine = {};
    mainWindow = CreateWindowExW(0, L"KalmexTestOwner", L"owner", WS_OVERLAPPEDWINDOW, 100, 80,
                                 1000, 700, NULL, NULL, hInstance, NULL);
    ShowWindow(mainWindow, SW_SHOW);
    SetForegroundWindow(mainWindow);
    Pump();
  }

  void TearDown() override {
    CloseTicketEditor();
    DestroyWindow(mainWindow);
    mainWindow = NULL;
    Pump();
    DeleteFileW(Path(L"zoltex_data.txt").c_str());
    DeleteFileW(Path(L"zoltex_data.tmp").c_str());
    DeleteFileW(Path(L"zoltex_history.txt").c_str());
    RemoveDirectoryW(Path(L"zoltex_history.txt").c_str());
    RemoveDirectoryW(folder.c_str());
  }

  std::wstring Path(const wchar_t* name) { return folder + L"\\" + name; }
  std::string Read(const wchar_t* name) {
    return AppFileExists(app, name) ? ReadAppFile(app, name) : "<missing>";
  }

  static int32_t Add(const char16_t* number, const char16_t* description, int32_t state) {
    Ticket& t = ticketStore.tickets[ticketStore.ticketCount];
    t = Ticket{};
    t.state = state;
    t.order = ++ticketStore.orderCounter;
    t.createdAt = 1765000000u + t.order * 600;
    t.stateSince = t.createdAt;
    t.doneAt = state == StateDone ? t.createdAt + 3725 : 0;
    t.workedSeconds = state == StateDone ? 3725 : 0;
    CopyText(t.number, numberUnits, number);
    CopyText(t.description, descriptionUnits, description);
    return ticketStore.ticketCount++;
  }

  static std::u16string Number(int32_t i) { return ticketStore.tickets[i].number; }

  static int counter;
};
int EditorWindow::counter = 0;

TEST_F(EditorWindow, OpensCentredAndModalWithTheCaretByTheRule) {
  Add(u"A-1", u"принтер", StateInWork);
  Add(u"B-2", u"", StateClarify);
  OpenTicketEditor(0);
  ASSERT_TRUE(editorWindow);
  EXPECT_FALSE(IsWindowEnabled(mainWindow));
  EXPECT_EQ(Text(editorWindow), L"Изменить заявку \x2014 KALMEX");
  EXPECT_EQ(GetWindow(editorWindow, GW_OWNER), mainWindow);
  LONG style = GetWindowLongW(editorWindow, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT main, editor;
  GetWindowRect(mainWindow, &main);
  GetWindowRect(editorWindow, &editor);
  Rect place = EditorPlacement(Rect{main.left, main.top, main.right, main.bottom});
  EXPECT_EQ(editor.left, place.left);
  EXPECT_EQ(editor.top, place.top);
  EXPECT_EQ(editor.right - editor.left, 560);
  EXPECT_EQ(editor.bottom - editor.top, 330);

  EXPECT_EQ(Text(editorNumberField), L"A-1");
  EXPECT_EQ(Text(editorDescriptionField), L"принтер");
  EXPECT_EQ(SendMessageW(editorNumberField, EM_GETLIMITTEXT, 0, 0), 30);
  EXPECT_EQ(SendMessageW(editorDescriptionField, EM_GETLIMITTEXT, 0, 0), 118);
  wchar_t cue[64] = {};
  SendMessageW(editorDescriptionField, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
  EXPECT_EQ(std::wstring(cue), L"Что делаю (необязательно)");
  // A ticket with a description: caret in the number field, behind the text.
  EXPECT_EQ(GetFocus(), editorNumberField);
  DWORD from = 0, to = 0;
  SendMessageW(editorNumberField, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
               reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 3u);

  UpdateWindow(editorWindow);
  SaveScreenshot(CaptureClient(editorWindow), "editor");

  // A second request, for any ticket, does nothing.
  HWND first = editorWindow;
  OpenTicketEditor(1);
  EXPECT_EQ(editorWindow, first);
  EXPECT_EQ(editIndex, 0);

  CloseTicketEditor();
  EXPECT_FALSE(editorWindow);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindowEnabled(mainWindow));

  // Without a description the caret goes to the description field, under its cue banner.
  OpenTicketEditor(1);
  ASSERT_TRUE(editorWindow);
  EXPECT_EQ(GetFocus(), editorDescriptionField);
  UpdateWindow(editorWindow);
  SaveScreenshot(CaptureClient(editorWindow), "editor_empty_description");
  CloseTicketEditor();

  OpenTicketEditor(-1);
  OpenTicketEditor(2);
  EXPECT_FALSE(editorWindow);
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

TEST_F(EditorWindow, EnterSavesTheCleanedTextsAndKeepsEverythingElse) {
  Add(u"A-1", u"", StateInWork);
  int32_t b = Add(u"B-2", u"старое", StateDone);
  Ticket before = ticketStore.tickets[b];
  OpenTicketEditor(b);
  ASSERT_TRUE(editorWindow);
  SetWindowTextW(editorNumberField, L"  12 3  ");
  SetWindowTextW(editorDescriptionField, L"звонок|клиенту");
  SendMessageW(editorDescriptionField, WM_CHAR, 13, 0);
  EXPECT_TRUE(editorWindow);  // the save is posted, not run inside the key
  Pump();
  EXPECT_FALSE(editorWindow);
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
  const Ticket& after = ticketStore.tickets[b];
  EXPECT_EQ(std::u16string(after.number), u"12 3");
  EXPECT_EQ(std::u16string(after.description), u"звонок клиенту");
  EXPECT_EQ(after.state, before.state);
  EXPECT_EQ(after.order, before.order);
  EXPECT_EQ(after.workedSeconds, before.workedSeconds);
  EXPECT_EQ(after.doneAt, before.doneAt);
  EXPECT_EQ(std::u16string(statusLine.text), u"Заявка 12 3 изменена");
  std::string data = Read(L"zoltex_data.txt");
  EXPECT_NE(data.find(Utf8(u"|12 3|звонок клиенту\r\n")), std::string::npos) << data;
}

TEST_F(EditorWindow, EscCloseBoxAndCancelChangeNothing) {
  Add(u"A-1", u"x", StateInWork);
  for (int way = 0; way < 3; way++) {
    OpenTicketEditor(0);
    ASSERT_TRUE(editorWindow);
    SetWindowTextW(editorNumberField, L"Z-9");
    if (way == 0) SendMessageW(editorNumberField, WM_CHAR, 27, 0);
    if (way == 1) PostMessageW(editorWindow, WM_CLOSE, 0, 0);
    if (way == 2) {
      RECT client;
      GetClientRect(editorWindow, &client);
      Rect c = ComputeEditorLayout(client.right, client.bottom).cancel;
      SendMessageW(editorWindow, WM_LBUTTONUP, 0, MAKELPARAM(c.left + 5, c.top + 5));
    }
    Pump();
    EXPECT_FALSE(editorWindow) << way;
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
  }
  EXPECT_EQ(Number(0), u"A-1");
  EXPECT_EQ(statusLine.text[0], 0);
  EXPECT_EQ(Read(L"zoltex_data.txt"), "<missing>");
}

TEST_F(EditorWindow, TabHoverAndTheSaveButton) {
  Add(u"A-1", u"x", StateInWork);
  OpenTicketEditor(0);
  ASSERT_TRUE(editorWindow);
  RECT client;
  GetClientRect(editorWindow, &client);
  EditorLayout l = ComputeEditorLayout(client.right, client.bottom);
  SendMessageW(editorNumberField, WM_CHAR, 9, 0);
  EXPECT_EQ(GetFocus(), editorDescriptionField);
  SendMessageW(editorDescriptionField, WM_CHAR, 9, 0);
  EXPECT_EQ(GetFocus(), editorNumberField);
  EXPECT_EQ(Text(editorNumberField), L"A-1");  // the tab is not typed

  // Each field lies inside its frame as the layout places it.
  RECT field;
  GetWindowRect(editorDescriptionField, &field);
  MapWindowPoints(NULL, editorWindow, reinterpret_cast<POINT*>(&field), 2);
  Rect expected = l.descriptionField;
  EXPECT_EQ(field.left, expected.left);
  EXPECT_EQ(field.top, expected.top);
  EXPECT_EQ(field.right, expected.right);

  // The hand over a button. The program asks the system where the pointer is, and under Wine
  // that is the X pointer once 100 ms have passed since the last SetCursorPos, which X may have
  // refused to warp: so the editor is moved under the pointer, not the pointer onto the editor.
  LPARAM onSave = MAKELPARAM(l.save.left + 10, l.save.top + 10);
  EXPECT_TRUE(WaitFor([&] {
    POINT pointer, button{l.save.left + 10, l.save.top + 10};
    RECT outer;
    GetCursorPos(&pointer);
    GetWindowRect(editorWindow, &outer);
    ClientToScreen(editorWindow, &button);
    SetWindowPos(editorWindow, NULL, outer.left + pointer.x - button.x,
                 outer.top + pointer.y - button.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetCursor(arrowCursor);
    return SendMessageW(editorWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(editorWindow),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != 0;
  }, 3000));
  EXPECT_EQ(GetCursor(), handCursor);
  SetCursor(arrowCursor);
  SendMessageW(editorWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(editorNumberField),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), handCursor);
  SetWindowTextW(editorNumberField, L"A-2");
  SendMessageW(editorWindow, WM_LBUTTONDOWN, MK_LBUTTON, onSave);
  EXPECT_TRUE(editorWindow);  // the press alone does nothing
  SendMessageW(editorWindow, WM_LBUTTONUP, 0, onSave);
  EXPECT_FALSE(editorWindow);
  EXPECT_EQ(Number(0), u"A-2");
}

TEST_F(EditorWindow, RefusalsSayWhyAndKeepTheEditorOpen) {
  Add(u"D-9", u"", StateDone);
  Add(u"ab", u"x", StateInWork);
  OpenTicketEditor(1);
  ASSERT_TRUE(editorWindow);

  SetWindowTextW(editorNumberField, L" \t ");
  SetFocus(editorDescriptionField);
  BoxAnswer empty(IDOK);
  SubmitTicketEditor();
  empty.Join();
  EXPECT_TRUE(empty.seen);
  EXPECT_EQ(empty.text, L"Номер заявки не может быть пустым.");
  EXPECT_TRUE(editorWindow);
  EXPECT_EQ(GetFocus(), editorNumberField);

  SetWindowTextW(editorNumberField, L"D-9");
  BoxAnswer duplicate(IDOK);
  SubmitTicketEditor();
  duplicate.Join();
  EXPECT_EQ(duplicate.text, L"Заявка D-9 уже есть в списке.");
  EXPECT_TRUE(editorWindow);
  EXPECT_EQ(Number(1), u"ab");
  EXPECT_EQ(Read(L"zoltex_data.txt"), "<missing>");

  // Only the letter case changed: allowed.
  SetWindowTextW(editorNumberField, L"AB");
  SubmitTicketEditor();
  EXPECT_FALSE(editorWindow);
  EXPECT_EQ(Number(1), u"AB");
}

TEST_F(EditorWindow, AnIndexGoneStaleClosesWithoutSaving) {
  Add(u"A-1", u"", StateInWork);
  OpenTicketEditor(0);
  ASSERT_TRUE(editorWindow);
  ticketStore.ticketCount = 0;
  SubmitTicketEditor();
  EXPECT_FALSE(editorWindow);
  EXPECT_EQ(statusLine.text[0], 0);
  EXPECT_EQ(Read(L"zoltex_data.txt"), "<missing>");
}

class ClearDone : public EditorWindow {};

std::string ExpectedHistory() {
  std::string out;
  char16_t line[historyLineUnits];
  for (int32_t i = 0; i < ticketStore.ticketCount; i++) {
    const Ticket& t = ticketStore.tickets[i];
    if (t.state != StateDone) continue;
    FormatHistoryLine(t, UnixToLocalTime(t.createdAt), UnixToLocalTime(t.doneAt), line,
                      historyLineUnits);
    out += Utf8(line);
  }
  return out;
}

TEST_F(ClearDone, YesAppendsTheLinesAndKeepsTheOthers) {
  Add(u"D1", u"первая", StateDone);
  Add(u"W1", u"", StateInWork);
  Add(u"D2", u"", StateDone);
  Add(u"C1", u"", StateClarify);
  Add(u"D3", u"", StateDone);
  std::string expected = ExpectedHistory();
  std::string old = "old line\r\n";
  WriteAppFile(app, L"zoltex_history.txt", old);
  boardUi.columnScroll[2] = 120;
  OpenTicketEditor(1);
  ASSERT_TRUE(editorWindow);

  BoxAnswer yes(IDYES);
  ClearDoneTickets();
  yes.Join();
  EXPECT_EQ(yes.text,
            L"Убрать 3 выполненных заявок из списка?\nОни сохранятся в файле zoltex_history.txt.");
  EXPECT_EQ(Read(L"zoltex_history.txt"), old + expected);
  EXPECT_EQ(Read(L"zoltex_history.txt").find("\xEF\xBB\xBF"), std::string::npos);
  EXPECT_FALSE(editorWindow);  // its index no longer meant the same ticket
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
  ASSERT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(Number(0), u"W1");
  EXPECT_EQ(Number(1), u"C1");
  EXPECT_EQ(boardUi.columnScroll[2], 0);
  EXPECT_EQ(std::u16string(statusLine.text), u"Выполненные заявки перенесены в историю");
  std::string data = Read(L"zoltex_data.txt");
  EXPECT_NE(data.find("|W1|"), std::string::npos);
  EXPECT_EQ(data.find("|D1|"), std::string::npos);
}

TEST_F(ClearDone, NoOrNothingDoneChangesNothing) {
  Add(u"W1", u"", StateInWork);
  BoxAnswer none(IDYES, 500);
  ClearDoneTickets();  // no question at all
  none.Join();
  EXPECT_FALSE(none.seen);
  Add(u"D1", u"", StateDone);
  BoxAnswer no(IDNO);
  ClearDoneTickets();
  no.Join();
  EXPECT_TRUE(no.seen);
  EXPECT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(Read(L"zoltex_history.txt"), "<missing>");
  EXPECT_EQ(Read(L"zoltex_data.txt"), "<missing>");
  EXPECT_EQ(statusLine.text[0], 0);
}

TEST_F(ClearDone, AFailedAppendKeepsTheDoneTickets) {
  Add(u"D1", u"", StateDone);
  Add(u"W1", u"", StateInWork);
  CreateDirectoryW(Path(L"zoltex_history.txt").c_str(), NULL);
  BoxAnswer yes(IDYES);
  ClearDoneTickets();
  yes.Join();
  ASSERT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(Number(0), u"D1");
  EXPECT_EQ(std::u16string(statusLine.text),
            u"Не удалось записать историю — выполненные заявки остались на доске: "
            u"на месте файла zoltex_history.txt лежит папка");
  EXPECT_EQ(Read(L"zoltex_data.txt"), "<missing>");
}

TEST_F(ClearDone, AFullStoreOfLongTicketsReachesTheHistoryWhole) {
  std::u16string description(119, u'о');
  char16_t number[numberUnits];
  for (int32_t i = 0; i < maxTickets; i++) {
    FormatText(number, numberUnits, u"ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ-%03d", i);
    int32_t k = Add(number, description.c_str(), StateDone);
    ticketStore.tickets[k].workedSeconds = 4000000000u;
  }
  std::string expected = ExpectedHistory();
  BoxAnswer yes(IDYES);
  ClearDoneTickets();
  yes.Join();
  EXPECT_EQ(ticketStore.ticketCount, 0);
  std::string written = Read(L"zoltex_history.txt");
  EXPECT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected);
}

}  // namespace
