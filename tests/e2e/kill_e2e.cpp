// The program killed at random moments while it saves ticket after ticket: the data file on disk
// is always one whole saved store, never a mix of two and never empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/text.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

// Numbers of the tickets a complete data file holds, in file order; false when the file is
// missing or was not taken in whole.
bool SavedNumbers(const App& app, std::vector<std::string>* numbers) {
  if (!AppFileExists(app, L"zoltex_data.txt")) return false;
  std::string bytes = ReadAppFile(app, L"zoltex_data.txt");
  std::u16string text(bytes.begin(), bytes.end());  // the test writes ASCII numbers only
  ResetTicketStore();
  int32_t length = static_cast<int32_t>(text.size());
  // A "now" beyond every saved time: the loader repairs nothing, so a whole file round-trips.
  if (!ParseTicketText(text.c_str(), length, 0xFFFFFFFFu) ||
      !TicketTextRoundTrips(text.c_str(), length)) {
    WriteAppFile(app, L"not-whole.txt", bytes);  // kept for a look
    return false;
  }
  numbers->clear();
  for (int32_t i = 0; i < ticketStore.ticketCount; i++) {
    const char16_t* n = ticketStore.tickets[i].number;
    numbers->push_back(std::string(n, n + TextLength(n)));
  }
  return true;
}

// A large store, so that every save writes a sizeable file and a kill can land inside the write.
void WriteBase(const App& app, std::vector<std::string>* numbers) {
  std::string file = "ZOLTEX1\r\n250|0\r\n";
  numbers->clear();
  for (int i = 0; i < 250; i++) {
    std::string number = "BASE-" + std::to_string(i);
    file += std::to_string(i % 2) + "|" + std::to_string(i + 1) + "|0|1796601600|1796601600|0|" +
            number + "|" + std::string(119, 'a' + i % 26) + "\r\n";
    numbers->push_back(number);
  }
  WriteAppFile(app, L"zoltex_data.txt", file);
}

// Types one ticket number and Enter in one SendInput call.
void TypeTicket(const std::string& number) {
  std::vector<INPUT> keys;
  auto add = [&](WORD vk, wchar_t unit, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = unit;
    in.ki.dwFlags = flags;
    keys.push_back(in);
  };
  for (char c : number) {
    add(0, static_cast<wchar_t>(c), KEYEVENTF_UNICODE);
    add(0, static_cast<wchar_t>(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
  }
  add(VK_RETURN, 0, 0);
  add(VK_RETURN, 0, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

// Size of the data file without opening it (an open handle would make the program's replace fail).
int64_t DataFileSize(const App& app) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(AppPath(app, L"zoltex_data.txt").c_str(), GetFileExInfoStandard, &data))
    return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

TEST(Reliability, KilledWhileSavingLeavesOneWholeSavedStore) {
  App app = MakeApp("kill-save");
  std::vector<std::string> saved;
  WriteBase(app, &saved);
  const int kills = 100, burst = 10;
  uint32_t random = 12345;
  int32_t span = 20;  // ms between the last ticket's keys and the kill; adapted to the save's length
  int savedLast = 0;
  for (int round = 0; round < kills; round++) {
    SCOPED_TRACE(round);
    if (saved.size() > 350) WriteBase(app, &saved);
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(BringToFront(app.main));
    // Tickets 0 … k−1 are each seen saved before the next is typed; ticket k is typed and the
    // program killed while it adds and saves it. So every kill lands inside the burst, at a
    // moment of the last save that varies from round to round.
    random = random * 1103515245u + 12345u;
    const size_t k = 1 + (random >> 8) % (burst - 2);
    std::vector<std::string> typed;
    for (size_t j = 0; j <= k; j++) {
      typed.push_back("K" + std::to_string(round) + "-" + std::to_string(j));
      int64_t before = DataFileSize(app);
      TypeTicket(typed.back());
      if (j < k) ASSERT_TRUE(WaitFor([&] { return DataFileSize(app) > before; }, 10000));
    }
    random = random * 1103515245u + 12345u;
    Sleep((random >> 8) % static_cast<uint32_t>(span));
    KillApp(app);

    std::vector<std::string> now;
    ASSERT_TRUE(SavedNumbers(app, &now));
    // What is on disk is the store after k or k + 1 of the burst's additions.
    ASSERT_GE(now.size(), saved.size());
    size_t added = now.size() - saved.size();
    ASSERT_TRUE(added == k || added == k + 1) << added << " added, " << k << " seen saved";
    std::vector<std::string> expected = saved;
    expected.insert(expected.end(), typed.begin(), typed.begin() + added);
    ASSERT_EQ(now, expected);
    saved = now;
    if (added == k + 1) {
      savedLast++;
      if (span > 2) span -= 2;
    } else {
      span += 2;
    }
  }
  printf("%d of %d kills came after the last ticket was saved, %d before\n", savedLast, kills,
         kills - savedLast);
}
