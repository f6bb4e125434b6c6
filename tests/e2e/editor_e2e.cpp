// The ticket editor and the clearing of done tickets, driven from outside the real program:
// double clicks on cards, typed keys, message boxes answered as a user would, files checked.
#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/theme.h"
#include "editor/editor_rules.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

// Three tickets, one per column, every time in the past so that the loader keeps them as written.
// A-1 is in work (its timer running since stateSince), B-2 on clarification, C-3 done.
const char threeTickets[] =
    "ZOLTEX1\r\n3|1796601600\r\n"
    "0|1|100|1796601000|1796600000|0|A-1|\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBD\xD1\x82\xD0\xB5\xD1\x80"
    "\r\n"
    "2|2|20|1796601100|1796600100|0|B-2|\r\n"
    "1|3|30|1796601200|1796600200|1796601200|C-3|done\r\n";

// Everything of the data file after its header: the ticket lines, which a periodic save keeps.
std::string TicketLines(const std::string& data) {
  size_t first = data.find("\r\n");
  size_t second = first == std::string::npos ? first : data.find("\r\n", first + 2);
  return second == std::string::npos ? std::string() : data.substr(second + 2);
}

std::string SavedLines(const App& app) {
  return TicketLines(ReadAppFile(app, L"zoltex_data.txt"));
}

// A point on the body of the i-th card of a column: left of its buttons, below its number.
POINT CardBody(int32_t column, int32_t index) {
  return {boardLayout.listRect[column].left + 40, CardTop(column, index) + 60};
}

POINT Middle(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

HWND WaitForEditor(const App& app) { return WaitForWindow(app, L"ZoltexEdit"); }

HWND OpenEditorOn(const App& app, int32_t column, int32_t index) {
  POINT p = CardBody(column, index);
  DoubleClick(app.main, p.x, p.y);
  return WaitForEditor(app);
}

HWND WaitForBox(const App& app) { return WaitForWindow(app, L"#32770"); }

void Answer(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  WaitFor([&] { return !IsWindow(box); });
}

bool Gone(const App& app, const wchar_t* className) {
  return WaitFor([&] { return FindAppWindow(app, className) == NULL; });
}

// Selection of an EDIT control of the program, as start and end.
std::pair<int, int> Selection(HWND edit) {
  DWORD_PTR packed = 0;
  SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, 2000, &packed);
  return {static_cast<int>(LOWORD(packed)), static_cast<int>(HIWORD(packed))};
}

// Empties the focused field with the keys a user would press.
// Empties the field with the focus by End and as many Backspaces as it holds units. Not by
// Shift+Home: Wine takes the keyboard state from the X server again whenever a crossing event
// comes, and a Shift held only by SendInput can be let go in the middle.
void ClearFocusedField(HWND window) {
  HWND field = FocusedWindow(window);
  size_t units = RemoteControlText(field).size();
  PressKey(VK_END);
  for (size_t i = 0; i < units; i++) PressKey(VK_BACK);
}

int32_t ChannelDistance(uint32_t a, uint32_t b) {
  int32_t worst = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int32_t d = static_cast<int32_t>((a >> shift) & 0xFF) - static_cast<int32_t>((b >> shift) & 0xFF);
    if (d < 0) d = -d;
    if (d > worst) worst = d;
  }
  return worst;
}

}  // namespace

TEST(EditorE2E, DoubleClickOpensWithTheCaretByTheRuleAndSavingKeepsTheTimer) {
  App app = MakeApp("editor-open-save");
  ASSERT_TRUE(StartOnData(app, threeTickets));

  // A-1 has a description: the caret goes into the number field, behind its text.
  HWND editor = OpenEditorOn(app, 0, 0);
  ASSERT_TRUE(editor);
  EXPECT_EQ(WindowText(editor), L"Изменить заявку \x2014 KALMEX");
  EXPECT_EQ(GetWindow(editor, GW_OWNER), app.main);
  EXPECT_FALSE(IsWindowEnabled(app.main));
  HWND number = GetDlgItem(editor, 301), description = GetDlgItem(editor, 302);
  ASSERT_TRUE(number && description);
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(editor) == number; }));
  EXPECT_EQ(Selection(number), std::make_pair(3, 3));
  EXPECT_EQ(RemoteControlText(number), L"A-1");
  EXPECT_EQ(RemoteControlText(description), L"принтер");
  // Centred on the board, 560 x 330 with its caption.
  RECT main, outer;
  GetWindowRect(app.main, &main);
  GetWindowRect(editor, &outer);
  EXPECT_EQ(outer.right - outer.left, 560);
  EXPECT_EQ(outer.bottom - outer.top, 330);
  EXPECT_EQ(outer.left, main.left + (main.right - main.left - 560) / 2);
  EXPECT_EQ(outer.top, main.top + (main.bottom - main.top - 330) / 2);

  // The picture: glow, labels, the focused number frame, both buttons at rest.
  MoveMouseTo(editor, 5, 5);
  Settle(app);
  Pixels px = SteadyClient(editor);
  ASSERT_FALSE(px.data.empty()) << "the editor's picture never stood still";
  SaveScreenshot(px, "editor-e2e");
  EditorLayout l = ComputeEditorLayout(px.width, px.height);
  const Rect& nf = l.numberFrame;
  const Rect& df = l.descriptionFrame;
  EXPECT_EQ(px.At(nf.left + 60, nf.top), Theme::accentBlue);         // focus outline
  EXPECT_EQ(px.At(df.left + 60, df.top), Theme::lineColor);          // outline at rest
  EXPECT_EQ(px.At(nf.left + 6, (nf.top + nf.bottom) / 2), Theme::fieldColor);
  EXPECT_EQ(px.At(df.right - 6, (df.top + df.bottom) / 2), Theme::fieldColor);
  EXPECT_EQ(px.At(4, px.height - 4), Theme::windowColor);
  EXPECT_LE(ChannelDistance(px.At(px.width - 40, 1), Theme::glowBlue), 6);
  EXPECT_EQ(px.At(l.cancel.left + 30, l.cancel.top + 4), Theme::secondaryColor);
  EXPECT_EQ(px.At((l.cancel.left + l.cancel.right) / 2, l.cancel.top), Theme::secondaryLineColor);
  int32_t saveMid = (l.save.top + l.save.bottom) / 2;
  EXPECT_LE(ChannelDistance(px.At(l.save.left + 8, saveMid), Theme::accentBlue), 24);
  EXPECT_LE(ChannelDistance(px.At(l.save.right - 8, saveMid), Theme::accentViolet), 24);
  // The save button's label in white somewhere on its middle row, and the labels above the frames.
  bool white = false, muted = false;
  for (int32_t x = l.save.left; x < l.save.right; x++)
    for (int32_t y = l.save.top + 12; y < l.save.bottom - 12; y++)
      white = white || px.At(x, y) == Theme::textColor;
  for (int32_t x = s(22); x < s(22) + 90; x++)
    for (int32_t y = s(60); y < s(82); y++) muted = muted || px.At(x, y) != Theme::windowColor;
  EXPECT_TRUE(white);
  EXPECT_TRUE(muted);
  // Under the mouse a button lights up, and goes back to rest when the mouse leaves.
  POINT save{l.save.left + 8, saveMid}, cancel{l.cancel.left + 30, l.cancel.top + 4};
  MoveMouseTo(editor, save.x, save.y);
  EXPECT_TRUE(WaitFor([&] { return ClientPixel(editor, save.x, save.y) != px.At(save.x, save.y); }));
  MoveMouseTo(editor, cancel.x, cancel.y + 6);
  EXPECT_TRUE(WaitFor([&] { return ClientPixel(editor, cancel.x, cancel.y) == Theme::secondaryHoverColor; }));
  EXPECT_TRUE(WaitFor([&] { return ClientPixel(editor, save.x, save.y) == px.At(save.x, save.y); }));

  // Typing goes on behind the number; Enter saves it and keeps the running timer's fields.
  TypeText(L"0");
  PressKey(VK_RETURN);
  EXPECT_TRUE(Gone(app, L"ZoltexEdit"));
  EXPECT_TRUE(WaitFor([&] {
    return SavedLines(app).find("0|1|100|1796601000|1796600000|0|A-10|") == 0;
  }));
  EXPECT_TRUE(IsWindowEnabled(app.main));
  EXPECT_TRUE(ProcessMemoryHolds(app, L"Заявка A-10 изменена"));

  // B-2 has none: the caret goes into the description field.
  ASSERT_TRUE(BringToFront(app.main));
  editor = OpenEditorOn(app, 1, 0);
  ASSERT_TRUE(editor);
  description = GetDlgItem(editor, 302);
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(editor) == description; }));
  EXPECT_TRUE(WaitFor([&] { return ClientPixel(editor, df.left + 60, df.top) == Theme::accentBlue; }));
  SaveScreenshot(CaptureClient(editor), "editor-e2e-empty-description");
  TypeText(L"звонок|клиенту");
  PressKey(VK_TAB);  // to the number: cleaned of its blanks on saving
  PressKey(VK_HOME);
  TypeText(L"  ");
  PressKey(VK_END);
  TypeText(L"0  ");
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(GetDlgItem(editor, 301)) == L"  B-20  "; }));
  PressKey(VK_RETURN);
  EXPECT_TRUE(Gone(app, L"ZoltexEdit"));
  std::string expected = Utf8(L"2|2|20|1796601100|1796600100|0|B-20|звонок клиенту\r\n");
  EXPECT_TRUE(WaitFor([&] { return SavedLines(app).find(expected) != std::string::npos; }))
      << SavedLines(app);
  // Nothing else moved: the lines keep their store order, C-3 is untouched.
  std::string lines = SavedLines(app);
  EXPECT_LT(lines.find("|A-10|"), lines.find("|B-20|"));
  EXPECT_NE(lines.find("1|3|30|1796601200|1796600200|1796601200|C-3|done\r\n"), std::string::npos);
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(EditorE2E, EmptyAndDuplicateNumbersAreRefusedAndEscChangesNothing) {
  App app = MakeApp("editor-refusals");
  ASSERT_TRUE(StartOnData(app, threeTickets));
  std::string before = TicketLines(threeTickets);

  HWND editor = OpenEditorOn(app, 0, 0);
  ASSERT_TRUE(editor);
  HWND number = GetDlgItem(editor, 301), description = GetDlgItem(editor, 302);
  ASSERT_TRUE(WaitFor([&] { return FocusedWindow(editor) == number; }));
  ClearFocusedField(editor);
  TypeText(L" \t");  // blanks only: the tab moves to the description
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(editor) == description; }));
  PressKey(VK_RETURN);
  HWND box = WaitForBox(app);
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowText(box), L"KALMEX");
  EXPECT_EQ(GetWindow(box, GW_OWNER), editor);
  EXPECT_EQ(MessageBoxText(box), L"Номер заявки не может быть пустым.");
  EXPECT_TRUE(GetDlgItem(box, IDOK));  // a warning with one OK button, not a question
  EXPECT_FALSE(GetDlgItem(box, IDYES));
  Answer(box, IDOK);
  EXPECT_TRUE(IsWindow(editor));
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(editor) == number; }));

  // The done ticket's number is taken as well.
  ClearFocusedField(editor);
  TypeText(L"C-3");
  PressKey(VK_RETURN);
  box = WaitForBox(app);
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowText(box), L"KALMEX");
  EXPECT_EQ(MessageBoxText(box), L"Заявка C-3 уже есть в списке.");
  Answer(box, IDOK);
  EXPECT_TRUE(IsWindow(editor));
  EXPECT_TRUE(WaitFor([&] { return FocusedWindow(editor) == number; }));
  EXPECT_EQ(RemoteControlText(number), L"C-3");

  // Esc leaves: the typed texts are dropped, the board is usable again, the data is as it was.
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(Gone(app, L"ZoltexEdit"));
  EXPECT_TRUE(IsWindowEnabled(app.main));
  Settle(app);
  EXPECT_EQ(SavedLines(app), before);
  EXPECT_FALSE(ProcessMemoryHolds(app, L"изменена"));

  // The close box of the caption leaves the same way.
  ASSERT_TRUE(BringToFront(app.main));
  editor = OpenEditorOn(app, 0, 0);
  ASSERT_TRUE(editor);
  TypeText(L"9");
  KeyDown(VK_MENU);
  PressKey(VK_F4);
  KeyUp(VK_MENU);
  EXPECT_TRUE(Gone(app, L"ZoltexEdit"));
  Settle(app);
  EXPECT_TRUE(IsWindow(app.main));  // Alt+F4 closed the editor, not the board
  EXPECT_TRUE(IsWindowEnabled(app.main));
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_EQ(SavedLines(app), before);
}

TEST(EditorE2E, DeletingAnotherTicketWhileTheEditorIsOpenClosesIt) {
  App app = MakeApp("editor-delete");
  ASSERT_TRUE(StartOnData(app, threeTickets));
  HWND editor = OpenEditorOn(app, 0, 0);
  ASSERT_TRUE(editor);
  HWND number = GetDlgItem(editor, 301);
  ASSERT_TRUE(WaitFor([&] { return FocusedWindow(editor) == number; }));
  TypeText(L"7");  // typed, never saved
  EXPECT_TRUE(WaitFor([&] { return RemoteControlText(number) == L"A-17"; }));

  // C-3's delete button, right of the editor, which stands in the middle of the board.
  int32_t x = boardLayout.listRect[2].right - 29, y = CardTop(2, 0) + 29;
  ASSERT_EQ(HitTest(x, y).code, HitCardDelete);
  ASSERT_EQ(HitTest(x, y).ticket, 2);
  RECT outer;
  GetWindowRect(editor, &outer);
  POINT screen = ScreenPoint(app.main, x, y);
  ASSERT_FALSE(PtInRect(&outer, screen));

  // The board takes no clicks while the editor is open.
  Click(app.main, x, y);
  Settle(app);  // a question would be open by now: it is asked while the click is handled
  EXPECT_EQ(FindAppWindow(app, L"#32770"), (HWND)NULL);
  EXPECT_TRUE(IsWindow(editor));

  // Let the board take the click all the same: the deletion asks first, with the editor still
  // open, and closes the editor only once the answer is Yes.
  EnableWindow(app.main, TRUE);
  Settle(app);
  Click(app.main, x, y);
  HWND box = WaitForBox(app);
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), L"Удалить заявку C-3 из списка?");
  EXPECT_TRUE(IsWindow(editor));
  Answer(box, IDYES);
  EXPECT_TRUE(Gone(app, L"ZoltexEdit"));
  EXPECT_TRUE(IsWindowEnabled(app.main));
  EXPECT_TRUE(WaitFor([&] { return SavedLines(app).find("|C-3|") == std::string::npos; }));
  std::string lines = SavedLines(app);
  EXPECT_EQ(lines.find("0|1|100|1796601000|1796600000|0|A-1|"), 0u);  // no edit was saved
  EXPECT_NE(lines.find("2|2|20|1796601100|1796600100|0|B-2|\r\n"), std::string::npos);
  EXPECT_EQ(CloseApp(app), 0);
}

namespace {

// Five tickets, three of them done. D2 was taken one evening and done the next morning after
// 25 minutes of work; D1 worked 3725 s.
const uint32_t d2Done = 1796633100u;             // 2026-12-07 09:05 UTC
const uint32_t d2Taken = d2Done - 55500u;        // 15 h 25 min before
std::string FiveTickets() {
  char text[1024];
  snprintf(text, sizeof text,
           "ZOLTEX1\r\n5|1796640000\r\n"
           "1|1|3725|1796610000|1796600000|1796610000|D1|%s\r\n"
           "0|2|60|1796620000|1796610500|0|W1|\r\n"
           "1|3|1500|%lu|%lu|%lu|D2|\r\n"
           "2|4|0|1796620500|1796620500|0|C1|\xD0\xB6\xD0\xB4\xD1\x83\r\n"
           "1|5|7|1796630000|1796629000|1796630000|D3|x\r\n",
           Utf8(L"первая").c_str(), static_cast<unsigned long>(d2Done),
           static_cast<unsigned long>(d2Taken), static_cast<unsigned long>(d2Done));
  return text;
}

SYSTEMTIME LocalOf(uint32_t unixTime) {
  ULONGLONG v = (static_cast<ULONGLONG>(unixTime) + 11644473600ULL) * 10000000ULL;
  FILETIME utc{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}, local;
  SYSTEMTIME st{};
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &st);
  return st;
}

std::string HistoryLine(const char* number, uint32_t taken, uint32_t done, const char* worked,
                        const std::string& description) {
  SYSTEMTIME t = LocalOf(taken), d = LocalOf(done);
  char line[512];
  snprintf(line, sizeof line, "%02u.%02u.%04u | %s | %s %02u:%02u | %s %02u:%02u | %s %s | %s\r\n",
           d.wDay, d.wMonth, d.wYear, number, Utf8(L"взята").c_str(), t.wHour, t.wMinute,
           Utf8(L"выполнена").c_str(), d.wHour, d.wMinute, Utf8(L"время").c_str(), worked,
           description.c_str());
  return line;
}

std::string ExpectedHistory() {
  return HistoryLine("D1", 1796600000u, 1796610000u, "1:02:05", Utf8(L"первая")) +
         HistoryLine("D2", d2Taken, d2Done, "25:00", "") +
         HistoryLine("D3", 1796629000u, 1796630000u, "00:07", "x");
}

void ClickClear(const App& app) {
  POINT p = Middle(boardLayout.clearButtonRect);
  Click(app.main, p.x, p.y);
}

const wchar_t clearQuestion[] =
    L"Убрать 3 выполненных заявок из списка?\nОни сохранятся в файле zoltex_history.txt.";

}  // namespace

TEST(EditorE2E, ClearingAsksThenYesMovesTheDoneTicketsIntoTheHistory) {
  App app = MakeApp("editor-clear");
  std::string data = FiveTickets();
  WriteAppFile(app, L"zoltex_data.txt", data);
  const std::string old = "old line\r\n";
  WriteAppFile(app, L"zoltex_history.txt", old);
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  LoadBoardLayout(app, data);
  ASSERT_EQ(boardLayout.columnCount[2], 3);

  // "No" changes nothing.
  ClickClear(app);
  HWND box = WaitForBox(app);
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowText(box), L"KALMEX");
  EXPECT_EQ(MessageBoxText(box), clearQuestion);
  EXPECT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO));
  Answer(box, IDNO);
  Settle(app);
  EXPECT_EQ(ReadAppFile(app, L"zoltex_history.txt"), old);
  EXPECT_EQ(SavedLines(app), TicketLines(data));

  // "Yes" appends one line per done ticket in store order and leaves the others in theirs.
  ClickClear(app);
  box = WaitForBox(app);
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), clearQuestion);
  Answer(box, IDYES);
  EXPECT_TRUE(WaitFor([&] { return SavedLines(app).find("|D") == std::string::npos; }));
  std::string history = ReadAppFile(app, L"zoltex_history.txt");
  EXPECT_EQ(history, old + ExpectedHistory());
  EXPECT_EQ(history.find("\xEF\xBB\xBF"), std::string::npos);
  EXPECT_EQ(SavedLines(app), "0|2|60|1796620000|1796610500|0|W1|\r\n"
                             "2|4|0|1796620500|1796620500|0|C1|\xD0\xB6\xD0\xB4\xD1\x83\r\n");
  EXPECT_TRUE(ProcessMemoryHolds(app, L"Выполненные заявки перенесены в историю"));

  // Nothing done is left: the button asks nothing any more.
  ClickClear(app);
  Settle(app);
  EXPECT_EQ(FindAppWindow(app, L"#32770"), (HWND)NULL);
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_EQ(ReadAppFile(app, L"zoltex_history.txt"), old + ExpectedHistory());
}

TEST(EditorE2E, AFailingHistoryAppendKeepsTheDoneTicketsAndSaysSo) {
  const wchar_t failure[] = L"Не удалось записать историю — выполненные заявки остались на доске";
  std::string data = FiveTickets();
  // Two ways the append can fail: a folder in the file's place, and the file held open by
  // another program without sharing.
  for (int way = 0; way < 2; way++) {
    SCOPED_TRACE(way == 0 ? "folder" : "locked file");
    App app = MakeApp(way == 0 ? "editor-history-folder" : "editor-history-locked");
    WriteAppFile(app, L"zoltex_data.txt", data);
    std::wstring historyPath = AppPath(app, L"zoltex_history.txt");
    HANDLE held = INVALID_HANDLE_VALUE;
    if (way == 0) {
      ASSERT_TRUE(CreateDirectoryW(historyPath.c_str(), NULL));
    } else {
      WriteAppFile(app, L"zoltex_history.txt", "kept\r\n");
      held = CreateFileW(historyPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                         0, NULL);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(BringToFront(app.main));
    LoadBoardLayout(app, data);

    ClickClear(app);
    HWND box = WaitForBox(app);
    ASSERT_TRUE(box);
    Answer(box, IDYES);
    EXPECT_TRUE(WaitFor([&] {
      return ProcessMemoryHolds(app, std::wstring(failure) +
                                         (way == 0 ? L": на месте файла zoltex_history.txt лежит папка"
                                                   : L": файл zoltex_history.txt занят другой программой"));
    }));
    Settle(app);
    EXPECT_EQ(SavedLines(app), TicketLines(data));

    // Once the history can be written, the same button succeeds, and nothing was written twice.
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    if (way == 0) RemoveDirectoryW(historyPath.c_str());
    ClickClear(app);
    box = WaitForBox(app);
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), clearQuestion);  // all three still there
    Answer(box, IDYES);
    EXPECT_TRUE(WaitFor([&] { return SavedLines(app).find("|D") == std::string::npos; }));
    EXPECT_EQ(ReadAppFile(app, L"zoltex_history.txt"),
              (way == 0 ? std::string() : std::string("kept\r\n")) + ExpectedHistory());
    EXPECT_EQ(CloseApp(app), 0);
  }
}
