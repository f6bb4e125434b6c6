// Real files under Wine: reading every encoding, writing, appending, and the atomic save.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/paths.h"
#include "app/shell_win.h"
#include "app/status.h"
#include "binds/binds_win.h"
#include "box_answer.h"
#include "paint_probe.h"
#include "reminder/settings.h"
#include "app/text.h"
#include "app/textfile.h"
#include "app/textfile_win.h"
#include "app/textcodec.h"
#include "reminder/reminder_win.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

std::wstring folder;

std::wstring Path(const wchar_t* name) { return folder + L"\\" + name; }
const char16_t* U(const std::wstring& s) { return reinterpret_cast<const char16_t*>(s.c_str()); }

void Put(const wchar_t* name, const std::string& bytes) {
  HANDLE f = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  DWORD w = 0;
  if (!bytes.empty()) WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &w, NULL);
  CloseHandle(f);
}

std::string Get(const wchar_t* name) {
  HANDLE f = CreateFileW(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         NULL, OPEN_EXISTING, 0, NULL);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out(4 << 20, '\0');
  DWORD n = 0;
  ReadFile(f, &out[0], static_cast<DWORD>(out.size()), &n, NULL);
  CloseHandle(f);
  out.resize(n);
  return out;
}

bool Exists(const wchar_t* name) {
  return GetFileAttributesW(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::u16string Read(const wchar_t* name) {
  int32_t n = ReadTextFile(U(Path(name)));
  return std::u16string(textBuffer, n);
}

class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t name[MAX_PATH];
    swprintf(name, MAX_PATH, L"%lskalmex-files-%lu-%lu", temp, GetCurrentProcessId(), GetTickCount());
    folder = name;
    CreateDirectoryW(folder.c_str(), NULL);
    BuildAppPaths(U(folder + L"\\kalmex.exe"));
    ResetTicketStore();
  }
  void TearDown() override {
    fileWrite = WriteFile;
    fileMove = MoveFileExW;
    for (const wchar_t* n :
         {L"a.txt", L"b.txt", L"big.txt", L"zoltex_data.txt", L"zoltex_data.bak", L"zoltex_data.tmp",
          L"zoltex_data-2.bak", L"zoltex_data-3.bak", L"zoltex_data-4.bak", L"zoltex_data-5.bak",
          L"zoltex_settings.txt", L"zoltex_settings.tmp", L"binds\\F1.txt", L"binds\\F1.tmp",
          L"binds"}) {
      SetFileAttributesW(Path(n).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(Path(n).c_str());
      RemoveDirectoryW(Path(n).c_str());
    }
    RemoveDirectoryW(folder.c_str());
  }
};

// The file calls replaced: a write cut short from the n-th call on (a full disk), a failing move.
int writeCalls, shortFromCall;
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED) {
  if (++writeCalls < shortFromCall) return WriteFile(file, bytes, count, written, NULL);
  return WriteFile(file, bytes, count / 2, written, NULL);
}
BOOL WINAPI FailingMove(LPCWSTR, LPCWSTR, DWORD) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}
void CutWritesFrom(int call) {
  writeCalls = 0;
  shortFromCall = call;
  fileWrite = ShortWrite;
}

void AddTicket(const char16_t* number) {
  Ticket& t = ticketStore.tickets[ticketStore.ticketCount++];
  t = Ticket{};
  t.order = ++ticketStore.orderCounter;
  t.stateSince = t.createdAt = 1796601600u;
  CopyText(t.number, numberUnits, number);
}

}  // namespace

TEST_F(Files, ReadsEveryEncodingAndMissingFilesAsEmpty) {
  Put(L"a.txt", "\xEF\xBB\xBF\xD0\x9F\xD1\x80\xD0\xB8");
  Put(L"b.txt", "\xCF\xF0\xE8");  // 1251
  EXPECT_EQ(Read(L"a.txt"), u"При");
  EXPECT_EQ(Read(L"b.txt"), u"При");
  Put(L"a.txt", std::string("\xFF\xFE\x1F\x04\x40\x00\x41", 7));
  EXPECT_EQ(Read(L"a.txt"), u"П@");
  EXPECT_EQ(Read(L"missing.txt"), u"");
  EXPECT_EQ(textBuffer[0], 0);
  Put(L"a.txt", "\xEF\xBB\xBF");
  EXPECT_EQ(ReadTextFile(U(Path(L"a.txt"))), 0);
}

TEST_F(Files, ALongFileIsReadAsItsFirstBytesAndReportedCut) {
  Put(L"big.txt", std::string(1048575, 'z'));
  EXPECT_EQ(ReadTextFile(U(Path(L"big.txt"))), 1048574);
  EXPECT_TRUE(lastReadCut);
  Put(L"big.txt", std::string(1048574, 'z'));
  EXPECT_EQ(ReadTextFile(U(Path(L"big.txt"))), 1048574);
  EXPECT_FALSE(lastReadCut);
  Put(L"big.txt", std::string(1048573, 'z') + "\xD0\xAF");  // the cut splits the last letter
  EXPECT_EQ(ReadTextFile(U(Path(L"big.txt"))), 1048573);
  EXPECT_EQ(lastReadEncoding, EncodingUtf8);
  EXPECT_TRUE(lastReadCut);
}

TEST_F(Files, WritesUtf8WithoutMarkAndAppends) {
  EXPECT_TRUE(WriteTextFile(U(Path(L"a.txt")), u"Заявка\r\n", true));  // append creates
  EXPECT_TRUE(WriteTextFile(U(Path(L"a.txt")), u"two\r\n", true));
  EXPECT_EQ(Get(L"a.txt"), "\xD0\x97\xD0\xB0\xD1\x8F\xD0\xB2\xD0\xBA\xD0\xB0\r\ntwo\r\n");
  EXPECT_TRUE(WriteTextFile(U(Path(L"a.txt")), u"", false));
  EXPECT_EQ(Get(L"a.txt"), "");
  EXPECT_TRUE(WriteTextFile(U(Path(L"b.txt")), u"", true));
  EXPECT_TRUE(Exists(L"b.txt"));
  EXPECT_FALSE(WriteTextFile(U(folder + L"\\no-such-folder\\x.txt"), u"x", false));
  // A long text is written whole, and no surrogate pair is cut apart on the way.
  std::u16string pairs;
  std::string bytes;
  for (int i = 0; i < 7000; i++) pairs += u"я\U0001F600", bytes += "\xD1\x8F\xF0\x9F\x98\x80";
  EXPECT_TRUE(WriteTextFile(U(Path(L"c.txt")), pairs.c_str(), false));
  std::string written = Get(L"c.txt");
  EXPECT_EQ(written.size(), bytes.size());
  EXPECT_TRUE(written == bytes);
}

TEST_F(Files, SaveReplacesTheDataFileThroughTheTemporaryFile) {
  AddTicket(u"A-17");
  ASSERT_TRUE(SaveTickets());
  std::string saved = Get(L"zoltex_data.txt");
  EXPECT_EQ(saved.substr(0, 11), "ZOLTEX1\r\n1|");
  EXPECT_NE(saved.find("|A-17|\r\n"), std::string::npos);
  EXPECT_FALSE(Exists(L"zoltex_data.tmp"));  // moved into place
  ResetTicketStore();
  LoadTickets();
  ASSERT_EQ(ticketStore.ticketCount, 1);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].number), u"A-17");
}

TEST_F(Files, AFailedWriteIsReportedAndKeepsTheOldFile) {
  AddTicket(u"OLD");
  ASSERT_TRUE(SaveTickets());
  std::string before = Get(L"zoltex_data.txt");
  AddTicket(u"NEW");
  CreateDirectoryW(Path(L"zoltex_data.tmp").c_str(), NULL);  // the temporary file cannot be made
  EXPECT_FALSE(SaveTickets());
  EXPECT_EQ(Get(L"zoltex_data.txt"), before);
  RemoveDirectoryW(Path(L"zoltex_data.tmp").c_str());
  EXPECT_TRUE(SaveTickets());
  EXPECT_NE(Get(L"zoltex_data.txt").find("|NEW|"), std::string::npos);
}

// Another program holding the data file open: a short hold (a reader, a virus scanner) only
// delays the replace; one that lasts makes the save fail and keeps the old file.
DWORD WINAPI CloseLater(LPVOID handle) {
  Sleep(300);
  CloseHandle(handle);
  return 0;
}

TEST_F(Files, AReplaceWaitsOutAShortHoldAndFailsOnALongOne) {
  for (DWORD share : {DWORD(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE), DWORD(0)}) {
    for (bool brief : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "share " << share << (brief ? ", brief" : ", lasting"));
      ResetTicketStore();
      AddTicket(u"OLD");
      ASSERT_TRUE(SaveTickets());
      std::string before = Get(L"zoltex_data.txt");
      AddTicket(u"NEW");
      HANDLE held = CreateFileW(Path(L"zoltex_data.txt").c_str(), GENERIC_READ, share, NULL,
                                OPEN_EXISTING, 0, NULL);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
      HANDLE closer = brief ? CreateThread(NULL, 0, CloseLater, held, 0, NULL) : NULL;
      bool saved = SaveTickets();
      if (closer) {
        WaitForSingleObject(closer, INFINITE);
        CloseHandle(closer);
      } else {
        CloseHandle(held);
      }
      EXPECT_EQ(saved, brief);
      if (brief) {
        EXPECT_NE(Get(L"zoltex_data.txt").find("|NEW|"), std::string::npos);
        EXPECT_FALSE(Exists(L"zoltex_data.tmp"));
      } else {  // the old file and the new text beside it, both whole
        EXPECT_EQ(Get(L"zoltex_data.txt"), before);
        EXPECT_NE(Get(L"zoltex_data.tmp").find("|NEW|"), std::string::npos);
        EXPECT_EQ(std::u16string(SaveProblemText(lastSaveProblem)),
                  u"Не удалось сохранить заявки — файл zoltex_data.txt занят другой программой");
        DeleteFileW(Path(L"zoltex_data.tmp").c_str());
      }
    }
  }
}

TEST_F(Files, AFileNotFullyUnderstoodIsKeptAsBackupBeforeTheFirstSave) {
  Put(L"zoltex_data.txt", "my own notes, not tickets\r\n");
  LoadTickets();
  EXPECT_EQ(ticketStore.ticketCount, 0);
  EXPECT_FALSE(Exists(L"zoltex_data.bak"));  // nothing is written at load
  AddTicket(u"A");
  ASSERT_TRUE(SaveTickets());
  EXPECT_EQ(Get(L"zoltex_data.bak"), "my own notes, not tickets\r\n");
  Put(L"zoltex_data.bak", "older backup");
  ASSERT_TRUE(SaveTickets());  // only the first save copies
  EXPECT_EQ(Get(L"zoltex_data.bak"), "older backup");
}

TEST_F(Files, EveryReplacedFileIsTheOldOrTheNewNeverACutOne) {
  CreateDirectoryW(Path(L"binds").c_str(), NULL);
  const std::u16string edited = u"EDITED-MYPHRASE-" + std::u16string(5000, u'p');
  const bool failingMove[] = {false, true};
  for (bool move : failingMove) {
    for (const wchar_t* name : {L"binds\\F1.txt", L"zoltex_settings.txt"}) {
      SCOPED_TRACE(std::wstring(name) + (move ? L" failing move" : L" short write"));
      Put(name, "old text");
      std::wstring temp = std::wstring(name).replace(std::wstring(name).size() - 3, 3, L"tmp");
      if (move) fileMove = FailingMove;
      else CutWritesFrom(1);
      EXPECT_FALSE(WriteTextFile(U(Path(name)), edited.c_str(), false));
      EXPECT_EQ(Get(name), "old text");
      // A failed move keeps the new text whole beside the file; a cut write leaves nothing.
      EXPECT_EQ(Get(temp.c_str()).size(), move ? edited.size() : std::string("<missing>").size());
      fileWrite = WriteFile;
      fileMove = MoveFileExW;
      EXPECT_TRUE(WriteTextFile(U(Path(name)), edited.c_str(), false));
      EXPECT_EQ(Get(name).size(), edited.size());
      EXPECT_FALSE(Exists(temp.c_str()));
    }
    SCOPED_TRACE(move ? "data file, failing move" : "data file, short write");
    ResetTicketStore();
    AddTicket(u"OLD");
    ASSERT_TRUE(SaveTickets());
    std::string before = Get(L"zoltex_data.txt");
    AddTicket(u"NEW");
    if (move) fileMove = FailingMove;
    else CutWritesFrom(1);
    EXPECT_FALSE(SaveTickets());
    EXPECT_EQ(lastSaveProblem, move ? SaveProblemNotReplaced : SaveProblemNotWritten);
    EXPECT_EQ(Get(L"zoltex_data.txt"), before);
    EXPECT_EQ(Exists(L"zoltex_data.tmp"), move);
    if (move) fileMove = MoveFileExW;
    else fileWrite = WriteFile;
  }
  fileMove = FailingMove;  // the settings file as the program saves it
  EXPECT_FALSE(SaveSettings());
}

// A doubtful data file whose copy cannot be made stays as it is, and the save says why; once the
// cause is gone the next save copies it and replaces it.
TEST_F(Files, ACopyThatCannotBeMadeKeepsTheOriginalAndSaysWhy) {
  const std::string original = "ZOLTEX1\r1|0\r0|1|0|1|1|0|OLD|mac line ends\r";
  const struct {
    const char* name;
    int32_t problem;
  } cases[] = {
      {"zoltex_data.bak is a folder", SaveProblemNoCopy},
      {"the disk fills while copying", SaveProblemNoCopy},
      {"another program holds the data file", SaveProblemDataBusy},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Put(L"zoltex_data.txt", original);
    ResetTicketStore();
    LoadTickets();
    ASSERT_EQ(ticketStore.ticketCount, 1);
    AddTicket(u"NEW");
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.problem == SaveProblemDataBusy)
      held = CreateFileW(Path(L"zoltex_data.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    else if (c.name[0] == 'z')
      CreateDirectoryW(Path(L"zoltex_data.bak").c_str(), NULL);
    else
      CutWritesFrom(2);  // the temporary file is written whole, the copy is cut
    EXPECT_FALSE(SaveTickets());
    EXPECT_EQ(lastSaveProblem, c.problem);
    EXPECT_EQ(std::u16string(SaveProblemText(lastSaveProblem)),
              c.problem == SaveProblemNoCopy
                  ? u"Не удалось сохранить заявки — копия старого файла не сделана: " +
                        std::u16string(c.name[0] == 'z' ? u"на месте файла zoltex_data.bak лежит папка"
                                                         : u"на диске нет места для файла zoltex_data.bak")
                  : u"Не удалось сохранить заявки — файл zoltex_data.txt занят другой программой");
    EXPECT_FALSE(Exists(L"zoltex_data.tmp"));
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    fileWrite = WriteFile;
    RemoveDirectoryW(Path(L"zoltex_data.bak").c_str());
    EXPECT_EQ(Get(L"zoltex_data.txt"), original);
    EXPECT_FALSE(Exists(L"zoltex_data.bak"));  // no cut copy left behind
    ASSERT_TRUE(SaveTickets());
    EXPECT_EQ(Get(L"zoltex_data.bak"), original);
    EXPECT_NE(Get(L"zoltex_data.txt").find("|NEW|"), std::string::npos);
    DeleteFileW(Path(L"zoltex_data.bak").c_str());
  }
}

TEST_F(Files, NothingToCopyIsNothingPendingAndOlderCopiesAreKept) {
  Put(L"zoltex_data.txt", "ZOLTEX1\r1|0\r0|1|0|1|1|0|OLD|\r");
  LoadTickets();
  DeleteFileW(Path(L"zoltex_data.txt").c_str());  // deleted while the program runs
  AddTicket(u"NEW");
  ASSERT_TRUE(SaveTickets());
  EXPECT_NE(Get(L"zoltex_data.txt").find("|NEW|"), std::string::npos);
  EXPECT_FALSE(Exists(L"zoltex_data.bak"));

  // Seven doubtful starts, the last one twice: five copies, newest first, no copy twice.
  for (int start = 1; start <= 8; start++) {
    int generation = start < 8 ? start : 7;
    Put(L"zoltex_data.txt", "ZOLTEX1\r1|0\r0|1|0|1|1|0|G" + std::to_string(generation) + "|\r");
    ResetTicketStore();
    LoadTickets();
    ASSERT_TRUE(SaveTickets());
  }
  const wchar_t* names[] = {L"zoltex_data.bak", L"zoltex_data-2.bak", L"zoltex_data-3.bak",
                            L"zoltex_data-4.bak", L"zoltex_data-5.bak"};
  for (int g = 0; g < 5; g++)
    EXPECT_NE(Get(names[g]).find("|G" + std::to_string(7 - g) + "|"), std::string::npos) << g;
  EXPECT_FALSE(Exists(L"zoltex_data-6.bak"));
}

namespace {

// Only the binds' writes fail: the tickets and the settings are saved as usual meanwhile.
BOOL WINAPI CutEditedWrite(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED) {
  bool edited = count >= 6 && memcmp(bytes, "EDITED", 6) == 0;
  return WriteFile(file, bytes, edited ? count / 2 : count, written, NULL);
}
BOOL WINAPI BindMoveFails(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (wcsstr(to, L"\\binds\\")) return FailingMove(from, to, flags);
  return MoveFileExW(from, to, flags);
}

// Closes the window with the answer given to the question that must come.
void CloseAnswering(HWND window, int button, const std::wstring& cause) {
  BoxAnswer answer(button);
  SendMessageW(window, WM_CLOSE, 0, 0);
  answer.Join();
  EXPECT_TRUE(answer.seen);
  EXPECT_EQ(answer.text, L"Бинд Ctrl+F1 не сохранён: " + cause +
                             L".\nЗакрыть всё равно? Набранный текст пропадёт.");
  PumpProbeMessages();
}

}  // namespace

TEST(SavingWindows, AFailedSaveIsToldAndTheTypedTextIsNotDroppedUnasked) {
  HWND board = MakeProbeBoard(1000, 700);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring own = std::wstring(temp) + L"kalmex-saving-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(own.c_str(), NULL);
  BuildAppPaths(U(own + L"\\kalmex.exe"));  // earlier tests may have left the paths elsewhere
  CreateDirectoryW(W(appPaths.bindsFolder), NULL);
  char16_t bind[pathBufferUnits];
  FormatBindPath(bind, pathBufferUnits, 1);
  const bool failingMove[] = {false, true};
  for (bool move : failingMove) {
    SCOPED_TRACE(move ? "failing move" : "short write");
    // A write taken short is a full disk. A refused move over a file that is there and can be
    // opened for deleting is taken for a holder that Wine does not show; over no file at all (the
    // settings file was never written here), for a refused access.
    auto cause = [&](const char16_t* file) {
      std::u16string name(file);
      if (!move) return u"на диске нет места для файла " + name + u".tmp";
      if (name == u"F1") return u"файл F1.txt занят другой программой" + std::u16string();
      return u"нет доступа к файлу " + name + u".txt";
    };
    ResetSettings();
    OpenSettingsWindow();
    if (move) fileMove = FailingMove;
    else CutWritesFrom(1);
    SubmitSettingsWindow();
    EXPECT_EQ(std::u16string(statusLine.text), u"Настройки не сохранены: " +
                                                   cause(u"zoltex_settings") +
                                                   u" — после перезапуска вернётся прежнее время");
    std::u16string bindCause = cause(u"F1");
    fileWrite = WriteFile;
    fileMove = MoveFileExW;

    // The binds window closed by itself, then through the main window's close.
    HWND main = CreateWindowExW(0, L"ZoltexMain", L"KALMEX", WS_OVERLAPPEDWINDOW, 0, 0, 900, 600,
                                NULL, NULL, hInstance, NULL);
    for (HWND closing : {static_cast<HWND>(NULL), main}) {
      ASSERT_TRUE(WriteTextFile(bind, u"old bind", false));
      OpenBindsWindow();
      PumpProbeMessages();
      ASSERT_NE(bindsWindow, (HWND)NULL);
      HWND editor = GetDlgItem(bindsWindow, 202);
      SetWindowTextW(editor, L"EDITED-MYPHRASE");
      SendMessageW(editor, EM_SETMODIFY, TRUE, 0);
      if (move) fileMove = BindMoveFails;
      else fileWrite = CutEditedWrite;
      CloseAnswering(closing ? closing : bindsWindow, IDNO,
                     std::wstring(bindCause.begin(), bindCause.end()));
      ASSERT_NE(bindsWindow, (HWND)NULL);
      EXPECT_TRUE(IsWindow(main));
      wchar_t kept[64] = {};
      GetWindowTextW(editor, kept, 64);
      EXPECT_STREQ(kept, L"EDITED-MYPHRASE");
      EXPECT_EQ(std::u16string(statusLine.text), u"Бинд Ctrl+F1 не сохранён: " + bindCause);
      CloseAnswering(closing ? closing : bindsWindow, IDYES,
                     std::wstring(bindCause.begin(), bindCause.end()));
      EXPECT_EQ(bindsWindow, (HWND)NULL);
      EXPECT_EQ(closing != NULL, !IsWindow(main));
      fileWrite = WriteFile;
      fileMove = MoveFileExW;
      EXPECT_EQ(ReadTextFile(bind), 8);  // the old text, whole
    }
    mainWindow = board;
  }
  DestroyWindow(board);
  PumpProbeMessages();
}
