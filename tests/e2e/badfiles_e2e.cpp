// Hostile data files: the real program starts on each, shows what it can, closes normally, and
// keeps a copy of every file it could not take in whole.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

struct BadFile {
  const char* name;
  std::string bytes;
  bool backup;  // the original must be kept as zoltex_data.bak
};

std::string Garbage(size_t size) {
  std::string out(size, '\0');
  uint32_t x = 2463534242u;
  for (char& c : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x);
  }
  return out;
}

std::string Utf16Be(const std::string& ascii) {
  std::string out = "\xFE\xFF";
  for (char c : ascii) {
    out += '\0';
    out += c;
  }
  return out;
}

std::string ManyLines(int count) {
  std::string out = "ZOLTEX1\r\n0|0\r\n";
  for (int i = 0; i < count; i++) out += "0|" + std::to_string(i) + "|0|1|1|0|N" + std::to_string(i) + "|\r\n";
  return out;
}

void CheckProgramSurvives(const BadFile& file) {
  SCOPED_TRACE(file.name);
  App app = MakeApp(file.name);
  WriteAppFile(app, L"zoltex_data.txt", file.bytes);
  ASSERT_TRUE(StartApp(app));
  EXPECT_TRUE(IsWindowVisible(app.main));
  EXPECT_EQ(CloseApp(app), 0);
  std::string saved = ReadAppFile(app, L"zoltex_data.txt");
  EXPECT_EQ(saved.substr(0, 9), "ZOLTEX1\r\n");
  EXPECT_EQ(AppFileExists(app, L"zoltex_data.bak"), file.backup);
  if (file.backup) EXPECT_TRUE(ReadAppFile(app, L"zoltex_data.bak") == file.bytes);
}

}  // namespace

TEST(BadDataFiles, NeverCrashAndKeepWhatWasNotUnderstood) {
  const std::string header = "ZOLTEX1\r\n0|0\r\n";
  const BadFile files[] = {
      {"garbage", Garbage(200000), true},
      {"nul-bytes", header + std::string("0|1|0|1|1|0|A\0B|x\r\n\0\0\0", 22), true},
      {"utf16-big-endian", Utf16Be(header + "0|1|0|1|1|0|A|x\r\n"), true},
      {"lone-mark", "\xEF\xBB\xBF", false},
      {"five-megabyte-line", header + "0|1|0|1|1|0|" + std::string(5 << 20, 'x'), true},
      {"hundred-thousand-lines", ManyLines(100000), true},
      {"huge-numbers", header + "0|4294967295|4294967295|4294967295|4294967295|4294967295|A|\r\n"
                                "1|99999999999999999999|99999999999999999999|1|1|1|B|\r\n", false},
      {"every-state", header + "0|1|0|1|1|0|S0|\r\n1|2|0|1|1|0|S1|\r\n2|3|0|1|1|0|S2|\r\n"
                               "3|4|0|1|1|0|S3|\r\n4294967295|5|0|1|1|0|S4|\r\n", false},
      {"separators-only", "ZOL||||\r\n|||||||||||\r\n||||||\r\n", true},
      {"broken-utf8", header + "0|1|0|1|1|0|\xD0\x97-1|\xD0\xBF\xD1\x80\xFF\xD0\xB8\r\n", true},
  };
  for (const BadFile& file : files) CheckProgramSurvives(file);
}
