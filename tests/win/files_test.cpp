// Real files under Wine: reading every encoding, writing, appending, and the atomic save.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/paths.h"
#include "app/text.h"
#include "app/textfile.h"
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
    for (const wchar_t* n : {L"a.txt", L"b.txt", L"big.txt", L"zoltex_data.txt", L"zoltex_data.bak",
                             L"zoltex_data.tmp"}) {
      DeleteFileW(Path(n).c_str());
      RemoveDirectoryW(Path(n).c_str());
    }
    RemoveDirectoryW(folder.c_str());
  }
};

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

TEST_F(Files, AFailedReplaceIsReportedAndKeepsTheOldFile) {
  AddTicket(u"OLD");
  ASSERT_TRUE(SaveTickets());
  std::string before = Get(L"zoltex_data.txt");
  AddTicket(u"NEW");
  HANDLE held = CreateFileW(Path(L"zoltex_data.txt").c_str(), GENERIC_READ, 0, NULL,
                            OPEN_EXISTING, 0, NULL);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveTickets());
  CloseHandle(held);
  EXPECT_EQ(Get(L"zoltex_data.txt"), before);
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

  std::string full = "ZOLTEX1\r\n0|0\r\n";
  for (int i = 0; i < 405; i++) full += "0|" + std::to_string(i + 1) + "|0|1|1|0|T" + std::to_string(i) + "|\r\n";
  Put(L"zoltex_data.txt", full);
  DeleteFileW(Path(L"zoltex_data.bak").c_str());
  ResetTicketStore();
  LoadTickets();
  EXPECT_EQ(ticketStore.ticketCount, 400);
  ASSERT_TRUE(SaveTickets());
  EXPECT_EQ(Get(L"zoltex_data.bak"), full);

  DeleteFileW(Path(L"zoltex_data.bak").c_str());
  ResetTicketStore();
  LoadTickets();  // our own complete file: no backup
  ASSERT_TRUE(SaveTickets());
  EXPECT_FALSE(Exists(L"zoltex_data.bak"));
}
