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
  TicketParseReport report = ParseTicketText(text.c_str(), static_cast<int32_t>(text.size()), 1);
  if (!report.recognised || !report.complete) {
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

// One SendInput call: every key of the burst is in the program's queue before the kill.
void TypeTickets(const std::vector<std::string>& numbers) {
  std::vector<INPUT> keys;
  auto add = [&](WORD vk, wchar_t unit, DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = unit;
    in.ki.dwFlags = flags;
    keys.push_back(in);
  };
  for (const std::string& n : numbers) {
    for (char c : n) {
      add(0, static_cast<wchar_t>(c), KEYEVENTF_UNICODE);
      add(0, static_cast<wchar_t>(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
    }
    add(VK_RETURN, 0, 0);
    add(VK_RETURN, 0, KEYEVENTF_KEYUP);
  }
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

}  // namespace

TEST(Reliability, KilledWhileSavingLeavesOneWholeSavedStore) {
  App app = MakeApp("kill-save");
  std::vector<std::string> saved;
  WriteBase(app, &saved);
  const int kills = 100, burst = 10;
  uint32_t random = 12345;
  int32_t span = 150;  // ms; adapted so that the kills land inside the burst
  int cutInside = 0;
  for (int round = 0; round < kills; round++) {
    SCOPED_TRACE(round);
    if (saved.size() > 350) WriteBase(app, &saved);
    ASSERT_TRUE(StartApp(app));
    ASSERT_TRUE(BringToFront(app.main));
    std::vector<std::string> typed;
    for (int j = 0; j < burst; j++) typed.push_back("K" + std::to_string(round) + "-" + std::to_string(j));
    TypeTickets(typed);
    random = random * 1103515245u + 12345u;
    Sleep((random >> 8) % static_cast<uint32_t>(span));
    KillApp(app);

    std::vector<std::string> now;
    ASSERT_TRUE(SavedNumbers(app, &now));
    // What is on disk is the store after some number of the burst's additions.
    ASSERT_GE(now.size(), saved.size());
    size_t added = now.size() - saved.size();
    ASSERT_LE(added, typed.size());
    std::vector<std::string> expected = saved;
    expected.insert(expected.end(), typed.begin(), typed.begin() + added);
    ASSERT_EQ(now, expected);
    saved = now;
    if (added == 0) span += 20;
    if (added == typed.size() && span > 40) span -= 20;
    if (added > 0 && added < typed.size()) cutInside++;
  }
  printf("%d of %d kills landed inside the burst\n", cutInside, kills);
  EXPECT_GT(cutInside, 0);
}
