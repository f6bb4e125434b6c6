// The ticket store, its column order and work time, and the data file text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/text.h"
#include "app/textcodec.h"
#include "store/clean.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

constexpr uint32_t now = 1796601600u;

Ticket& Add(const char16_t* number, int32_t state, uint32_t order) {
  Ticket& t = ticketStore.tickets[ticketStore.ticketCount++];
  t = Ticket{};
  t.state = state;
  t.order = order;
  CopyText(t.number, numberUnits, number);
  return t;
}

std::u16string Duration(uint32_t seconds) {
  char16_t out[32];
  FormatDuration(seconds, out, 32);
  return out;
}

bool Parse(const std::u16string& text) {
  ResetTicketStore();
  return ParseTicketText(text.c_str(), static_cast<int32_t>(text.size()), now);
}

std::u16string Saved() {
  FormatTicketText(now);
  return saveBuffer;
}

}  // namespace

TEST(TicketStore, ColumnsListNewestOrderFirst) {
  ResetTicketStore();
  Add(u"A", StateInWork, 1);
  Add(u"B", StateInWork, 2);
  Add(u"C", StateInWork, 3);
  Add(u"D", StateDone, 4);
  Add(u"E", StateClarify, 5);
  Add(u"F", StateInWork, 3);  // equal order (hand-edited file): store order kept
  int32_t count[3];
  static int32_t lists[3][maxTickets];
  SortIntoColumns(count, lists);
  ASSERT_EQ(count[0], 4);
  EXPECT_EQ(lists[0][0], 2);
  EXPECT_EQ(lists[0][1], 5);
  EXPECT_EQ(lists[0][2], 1);
  EXPECT_EQ(lists[0][3], 0);
  EXPECT_EQ(count[1], 1);
  EXPECT_EQ(lists[1][0], 4);
  EXPECT_EQ(count[2], 1);
  EXPECT_EQ(lists[2][0], 3);
  EXPECT_EQ(ColumnOf(StateDone), 2);
  EXPECT_EQ(ColumnOf(StateClarify), 1);
  EXPECT_EQ(ColumnOf(7), 2);
}

TEST(TicketStore, WorkTimeRunsOnlyInWorkAndNeverWraps) {
  Ticket t{};
  t.state = StateInWork;
  t.workedSeconds = 100;
  t.stateSince = now - 5300;
  EXPECT_EQ(WorkedNow(t, now), 5400u);
  EXPECT_EQ(Duration(WorkedNow(t, now)), u"1:30:00");
  t.stateSince = now + 1000;  // clock set back
  EXPECT_EQ(WorkedNow(t, now), 100u);
  t.state = StateClarify;
  t.stateSince = now - 99999;
  EXPECT_EQ(WorkedNow(t, now), 100u);
}

TEST(TicketStore, DurationFormats) {
  EXPECT_EQ(Duration(0), u"00:00");
  EXPECT_EQ(Duration(75), u"01:15");
  EXPECT_EQ(Duration(59 * 60 + 5), u"59:05");
  EXPECT_EQ(Duration(3599), u"59:59");
  EXPECT_EQ(Duration(3600), u"1:00:00");
  EXPECT_EQ(Duration(3725), u"1:02:05");
  EXPECT_EQ(Duration(100 * 3600), u"100:00:00");
  EXPECT_EQ(Duration(4294967295u), u"1193046:28:15");
}

TEST(TicketStore, RemovingKeepsTheOthersInOrder) {
  ResetTicketStore();
  Add(u"A", 0, 1);
  Add(u"B", 0, 2);
  Add(u"C", 0, 3);
  RemoveTicketAt(0);
  ASSERT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].number), u"B");
  EXPECT_EQ(std::u16string(ticketStore.tickets[1].number), u"C");
  RemoveTicketAt(5);  // out of range: nothing happens
  EXPECT_EQ(ticketStore.ticketCount, 2);
}

TEST(TicketCleaning, TrimsThenReplacesThenCuts) {
  char16_t text[64] = u"  A|17\t";
  EXPECT_EQ(CleanTicketText(text, 31), 4);
  EXPECT_EQ(std::u16string(text), u"A 17");
  char16_t bar[64] = u"|x| ";
  CleanTicketText(bar, 31);  // trimming comes first, so the bars stay as blanks
  EXPECT_EQ(std::u16string(bar), u" x ");
  char16_t blanks[64] = u" \t \t";
  EXPECT_EQ(CleanTicketText(blanks, 31), 0);
  char16_t longer[64];
  std::u16string forty(40, u'7');
  CopyText(longer, 64, forty.c_str());
  EXPECT_EQ(CleanTicketText(longer, 31), 31);
}

TEST(DataFile, HeaderOnlyGivesEmptyStoreWithCounter) {
  EXPECT_TRUE(Parse(u"ZOLTEX1\r\n17|1700000000\r\n"));
  EXPECT_EQ(ticketStore.ticketCount, 0);
  EXPECT_EQ(ticketStore.orderCounter, 17u);
  EXPECT_EQ(Saved(), u"ZOLTEX1\r\n17|1796601600\r\n");
}

TEST(DataFile, InWorkTicketKeepsCountingWhileTheProgramWasClosed) {
  Parse(u"ZOLTEX1\r\n5|0\r\n0|5|120|1796598000|1796598000|0|A-17|\r\n");
  ASSERT_EQ(ticketStore.ticketCount, 1);
  const Ticket& t = ticketStore.tickets[0];
  EXPECT_EQ(std::u16string(t.number), u"A-17");
  EXPECT_EQ(std::u16string(t.description), u"");
  EXPECT_EQ(Duration(WorkedNow(t, now)), u"1:02:00");
}

TEST(DataFile, RepairsStatesAndTimes) {
  Parse(
      u"ZOLTEX1\r\n0|0\r\n"
      u"7|1|0|0|0|0|seven|\r\n"              // unknown state: in work, stateSince now
      u"2|2|0|0|0|0|waiting|d\r\n"           // clarification with stateSince 0 stays so
      u"0|3|0|1796699999|0|0|future|\r\n"    // in work from the future: restarts now
      u"1|4|50|1796500000|1|2|done|x|extra|fields\r\n");
  ASSERT_EQ(ticketStore.ticketCount, 4);
  EXPECT_EQ(ticketStore.tickets[0].state, StateInWork);
  EXPECT_EQ(ticketStore.tickets[0].stateSince, now);
  EXPECT_EQ(ticketStore.tickets[1].state, StateClarify);
  EXPECT_EQ(ticketStore.tickets[1].stateSince, 0u);
  EXPECT_EQ(ticketStore.tickets[2].stateSince, now);
  EXPECT_EQ(ticketStore.tickets[3].stateSince, 1796500000u);
  EXPECT_EQ(std::u16string(ticketStore.tickets[3].description), u"x");
  EXPECT_EQ(ticketStore.orderCounter, 4u);
}

TEST(DataFile, LenientAboutLinesAndCutsLongTexts) {
  std::u16string number(40, u'N'), description(150, u'd');
  EXPECT_TRUE(Parse(u"ZOLLY whatever\n10|x\n\r\n\nhello\n"
                    u"0|25|0|1|1|0||empty number dropped\n"
                    u"0|25|0|1|1|0|" + number + u"|" + description + u"\n"
                    u"99999999999|1\n"));  // 11 digits wrap around, number empty: dropped
  ASSERT_EQ(ticketStore.ticketCount, 1);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].number), number.substr(0, 31));
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].description), description.substr(0, 119));
  EXPECT_EQ(ticketStore.orderCounter, 25u);
}

namespace {

std::string Tickets(int count, const char* end = "\r\n") {
  std::string out = std::string("ZOLTEX1") + end + std::to_string(count) + "|1796601000" + end;
  for (int i = 0; i < count; i++)
    out += "0|" + std::to_string(i + 1) + "|0|1|1|0|T" + std::to_string(i) + "|" + end;
  return out;
}

}  // namespace

// One rule decides the copy: the file's bytes against what a save of the store as loaded writes,
// the header's save time aside.
TEST(DataFile, CopyKeptWheneverASaveWouldWriteOtherBytes) {
  const std::string own = "ZOLTEX1\r\n3|1796600000\r\n0|3|5|1796600000|1796600000|0|A-1|Принтер\r\n";
  const std::string header = "ZOLTEX1\r\n3|0\r\n";
  const std::string utf16 = std::string("\xFF\xFEZ\0O\0L\0\n\0" "3\0|\0\n\0", 16) +
                            std::string("0\0|\0" "3\0|\0" "0\0|\0" "1\0|\0" "1\0|\0" "0\0|\0", 24) +
                            std::string("A\0\x00\xD8|\0\n\0", 8);  // a lone surrogate in the number
  const struct {
    const char* name;
    std::string bytes;
    bool cut;
    bool copy;
    int tickets;
  } cases[] = {
      {"own file", own, false, false, 1},
      {"own file, other save time", "ZOLTEX1\r\n3|17\r\n" + own.substr(23), false, false, 1},
      {"exactly 400", Tickets(400), false, false, 400},
      {"empty", "", false, false, 0},
      {"mark only", "\xEF\xBB\xBF", false, false, 0},
      {"401 tickets", Tickets(401), false, true, 400},
      {"CR-only line ends", Tickets(3, "\r"), false, true, 3},
      {"LF-only line ends", Tickets(3, "\n"), false, true, 3},
      {"no header line", "ZOLTEX1\r\n0|1|0|1|1|0|FIRST|\r\n0|2|0|1|1|0|SECOND|\r\n", false, true, 2},
      {"control character in a number", header + "0|1\x02|60|1|1|0|A|d\r\n", false, true, 1},
      {"negative number", header + "0|-5|0|1|1|0|A|d\r\n", false, true, 1},
      {"extra fields", header + "0|1|0|1|1|0|A|d|more|\r\n", false, true, 1},
      {"number that overflows", header + "0|99999999999|0|1|1|0|A|\r\n", false, true, 1},
      {"leading zero", header + "0|01|0|1|1|0|A|\r\n", false, true, 1},
      {"blank line", header + "\r\n0|1|0|1|1|0|A|\r\n", false, true, 1},
      {"comment line", header + "# mine\r\n0|1|0|1|1|0|A|\r\n", false, true, 1},
      {"NUL in the number", header + std::string("0|1|0|1|1|0|A\0B|\r\n", 18), false, true, 1},
      {"foreign file", "my own notes\r\n", false, true, 0},
      {"byte-order mark", "\xEF\xBB\xBF" + own, false, true, 1},
      {"code page 1251", header + "0|1|0|1|1|0|A|\xCF\xF0\xE8\r\n", false, true, 1},
      {"UTF-16 with a lone surrogate", utf16, false, true, 1},
      {"cut at the read limit", own, true, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<char16_t> text(c.bytes.size() + 2);
    int32_t encoding = -1;
    int32_t n = DecodeTextBytes(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                static_cast<int32_t>(c.bytes.size()), text.data(),
                                static_cast<int32_t>(text.size()), &encoding, c.cut);
    ResetTicketStore();
    ParseTicketText(text.data(), n, now);
    EXPECT_EQ(DataFileNeedsCopy(text.data(), n, encoding, c.cut), c.copy);
    EXPECT_EQ(ticketStore.ticketCount, c.tickets);
  }
  // CR-only and header-less files are read whole, not as one line or with a ticket lost.
  Parse(u"ZOLTEX1\r9|0\r0|7|0|1|1|0|A-1|first\r2|8|0|1|1|0|B-2|\r");
  ASSERT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].description), u"first");
  EXPECT_EQ(ticketStore.orderCounter, 9u);
  Parse(u"ZOLTEX1\r\n0|4|0|1|1|0|FIRST|\r\n");
  ASSERT_EQ(ticketStore.ticketCount, 1);
  EXPECT_EQ(std::u16string(ticketStore.tickets[0].number), u"FIRST");
  EXPECT_EQ(ticketStore.orderCounter, 4u);
}

TEST(DataFile, SavedTextLoadsBackTheSameStore) {
  ResetTicketStore();
  Ticket& a = Add(u"A-17", StateInWork, 3);
  a.workedSeconds = 12;
  a.stateSince = now - 60;
  a.createdAt = now - 600;
  CopyText(a.description, descriptionUnits, u"Принтер на 3 этаже");
  Ticket& b = Add(u"B", StateDone, 4);
  b.doneAt = now - 1;
  b.stateSince = now - 700;
  ticketStore.orderCounter = 9;
  std::u16string text = Saved();
  EXPECT_EQ(text,
            u"ZOLTEX1\r\n9|1796601600\r\n"
            u"0|3|12|1796601540|1796601000|0|A-17|Принтер на 3 этаже\r\n"
            u"1|4|0|1796600900|0|1796601599|B|\r\n");
  Parse(text);
  ASSERT_EQ(ticketStore.ticketCount, 2);
  EXPECT_EQ(ticketStore.tickets[0].stateSince, now - 60);
  EXPECT_EQ(ticketStore.orderCounter, 9u);
}

TEST(DataFile, FullStoreOfLongestTextsFitsTheSaveBuffer) {
  ResetTicketStore();
  std::u16string number(31, u'9'), description(119, u'ж');
  for (int i = 0; i < maxTickets; i++) {
    Ticket& t = Add(number.c_str(), StateDone, 4294967295u);
    t.workedSeconds = t.stateSince = t.createdAt = t.doneAt = 4294967295u;
    CopyText(t.description, descriptionUnits, description.c_str());
  }
  ticketStore.orderCounter = 4294967295u;
  std::u16string text = Saved();
  EXPECT_LE(text.size(), 84032u);
  EXPECT_EQ(text.substr(text.size() - 2), u"\r\n");
}

TEST(DataFile, AppendBoundedCutsAtTheCapacity) {
  ClearSaveBuffer();
  std::u16string block(60000, u'x');
  AppendBounded(block.c_str());
  AppendBounded(block.c_str());
  EXPECT_EQ(std::u16string(saveBuffer).size(), static_cast<size_t>(saveBufferUnits - 1));
  AppendBounded(u"more");
  EXPECT_EQ(std::u16string(saveBuffer).size(), static_cast<size_t>(saveBufferUnits - 1));
}
