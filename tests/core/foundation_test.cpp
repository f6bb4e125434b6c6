// Start-up arithmetic, paths, text decoding and encoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures.h"
#include "app/clock.h"
#include "app/geometry.h"
#include "app/paths.h"
#include "app/startup.h"
#include "app/status.h"
#include "app/textcodec.h"

namespace {

std::u16string Decode(const std::string& bytes) {
  std::vector<char16_t> out(bytes.size() + 2);
  int32_t n = DecodeTextBytes(reinterpret_cast<const uint8_t*>(bytes.data()),
                              static_cast<int32_t>(bytes.size()), out.data(),
                              static_cast<int32_t>(out.size()));
  EXPECT_EQ(out[n], 0);
  return std::u16string(out.data(), n);
}

}  // namespace

TEST(Startup, MainWindowIsCentredAndKeptInsideTheScreen) {
  {
    DpiScope at(96);
    Rect r = MainWindowPlacement(1920, 1080);
    EXPECT_TRUE(RectEquals(r, Rect{320, 140, 1600, 940}));
  }
  {
    DpiScope at(144);  // 1920 x 1200 asked for, cut to 1880 x 1000
    Rect r = MainWindowPlacement(1920, 1080);
    EXPECT_TRUE(RectEquals(r, Rect{20, 40, 1900, 1040}));
  }
  EXPECT_EQ(UsableDpi(72), 96);
  EXPECT_EQ(UsableDpi(120), 120);
}

TEST(Startup, MulDivRoundsLikeWindows) {
  EXPECT_EQ(MulDiv32(9, 144, 96), 14);  // 13.5 rounds away from zero
  EXPECT_EQ(MulDiv32(-9, 144, 96), -14);
  EXPECT_EQ(MulDiv32(6, 144, 96), 9);
  EXPECT_EQ(MulDiv32(1, 2, 0), -1);
  EXPECT_EQ(MulDiv32(0x7FFFFFFF, 4, 1), -1);
}

TEST(Paths, DerivedFromTheProgramFolder) {
  BuildAppPaths(u"C:\\Tools\\KALMEX\\kalmex.exe");
  EXPECT_EQ(std::u16string(appPaths.programFolder), u"C:\\Tools\\KALMEX");
  EXPECT_EQ(std::u16string(appPaths.dataPath), u"C:\\Tools\\KALMEX\\zoltex_data.txt");
  EXPECT_EQ(std::u16string(appPaths.tempPath), u"C:\\Tools\\KALMEX\\zoltex_data.tmp");
  EXPECT_EQ(std::u16string(appPaths.historyPath), u"C:\\Tools\\KALMEX\\zoltex_history.txt");
  EXPECT_EQ(std::u16string(appPaths.bindsFolder), u"C:\\Tools\\KALMEX\\binds");
  EXPECT_EQ(std::u16string(appPaths.settingsPath), u"C:\\Tools\\KALMEX\\zoltex_settings.txt");
  char16_t bind[600];
  FormatBindPath(bind, 600, 12);
  EXPECT_EQ(std::u16string(bind), u"C:\\Tools\\KALMEX\\binds\\F12.txt");

  BuildAppPaths(u"C:\\kalmex.exe");  // root of a drive: the bare drive
  EXPECT_EQ(std::u16string(appPaths.programFolder), u"C:");
  EXPECT_EQ(std::u16string(appPaths.dataPath), u"C:\\zoltex_data.txt");
  BuildAppPaths(u"kalmex.exe");
  EXPECT_EQ(std::u16string(appPaths.programFolder), u"");
}

TEST(Paths, AFolderThatDoesNotFitIsRefusedNeverCutToAnAncestor) {
  const struct {
    size_t folder;
    bool fits;
  } cases[] = {{515, true}, {519, true}, {520, false}, {5000, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    std::u16string name = u"C:\\" + std::u16string(c.folder - 3, u'a') + u"\\k.exe";
    ASSERT_EQ(BuildAppPaths(name.c_str()), c.fits);
    if (!c.fits) continue;
    EXPECT_EQ(std::u16string(appPaths.programFolder).size(), c.folder);
    // "\zoltex_settings.txt" is 20 units: every path stays whole inside its 560 units.
    EXPECT_EQ(std::u16string(appPaths.settingsPath).size(), c.folder + 20);
    EXPECT_EQ(std::u16string(appPaths.backupPath).substr(c.folder), u"\\zoltex_data.bak");
  }
  char16_t out[pathBufferUnits];
  FormatBackupPath(out, pathBufferUnits, 5);
  EXPECT_EQ(std::u16string(out).substr(519), u"\\zoltex_data-5.bak");
  ASSERT_TRUE(FormatTempPath(out, pathBufferUnits, u"C:\\K\\binds\\F12.txt"));
  EXPECT_EQ(std::u16string(out), u"C:\\K\\binds\\F12.tmp");
  ASSERT_TRUE(FormatTempPath(out, pathBufferUnits, u"C:\\K\\notes"));
  EXPECT_EQ(std::u16string(out), u"C:\\K\\notes.tmp");
}

TEST(Clock, UnixTimeFromFileTimeAndBack) {
  // 2026-12-07 00:00:00 UTC
  uint32_t t = 1796601600u;
  EXPECT_EQ(UnixFromFileTime(FileTimeFromUnix(t)), t);
  EXPECT_EQ(FileTimeFromUnix(0), 116444736000000000ull);
  EXPECT_EQ(UnixFromFileTime(116444736000000000ull + 12345678ull), 1u);  // sub-second dropped
}

TEST(TextDecoding, EveryAcceptedEncodingGivesTheSameText) {
  const std::u16string text = u"Заявка №5 — ok";
  std::string utf8 = "\xD0\x97\xD0\xB0\xD1\x8F\xD0\xB2\xD0\xBA\xD0\xB0 \xE2\x84\x96" "5 \xE2\x80\x94 ok";
  EXPECT_EQ(Decode(utf8), text);
  EXPECT_EQ(Decode("\xEF\xBB\xBF" + utf8), text);
  std::string utf16 = "\xFF\xFE";
  for (char16_t c : text) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  EXPECT_EQ(Decode(utf16), text);
  EXPECT_EQ(Decode(utf16 + "X"), text);  // an odd last byte is dropped
  // The same words saved in code page 1251 by another editor.
  EXPECT_EQ(Decode("\xC7\xE0\xFF\xE2\xEA\xE0 \xB9" "5 \x97 ok"), text);
}

TEST(TextDecoding, InvalidUtf8FallsBackToCp1251Whole) {
  // Valid text with one stray byte in the middle: the whole file becomes 1251.
  std::u16string got = Decode("ab\xD0\xB0\xFF");
  EXPECT_EQ(got, std::u16string(u"ab\u0420\u00B0\u044F"));
  EXPECT_EQ(Decode("\xC0\x80"), std::u16string(u"\u0410\u0402"));        // overlong NUL
  EXPECT_EQ(Decode("\xED\xA0\x80").size(), 3u);                         // encoded surrogate
  EXPECT_EQ(Decode("\xF4\x90\x80\x80").size(), 4u);                     // beyond U+10FFFF
  EXPECT_EQ(Decode("\xE2\x82").size(), 2u);                             // cut sequence
  EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), std::u16string(u"\U0001F600"));  // a real emoji stays
  EXPECT_EQ(Decode(std::string("\xFE\xFF\x00" "A", 4)).size(), 4u);  // big-endian mark is not recognised
}

TEST(TextDecoding, AFileCutInsideACharacterStaysUtf8) {
  const struct {
    std::string bytes;
    std::u16string text;
    int32_t encoding;
  } cases[] = {
      {"\xD0\x9F\xD1\x80\xD0", u"Пр", EncodingUtf8},             // half of a Cyrillic letter
      {"ab\xE2\x80", u"ab", EncodingUtf8},                         // two of three bytes
      {"ab\xF0\x9F\x98", u"ab", EncodingUtf8},                     // three of four
      {"\xEF\xBB\xBF\xD0\xAF\xD0", u"Я", EncodingUtf8Mark},
      {"\xCF\xF0\xE8\xD0", u"При\u0420", EncodingCp1251},          // not UTF-8 before the cut
      {std::string("\xFF\xFE" "a\0\x3D\xD8", 6), u"a", EncodingUtf16},  // half a pair
  };
  for (const auto& c : cases) {
    char16_t out[16];
    int32_t encoding = -1;
    int32_t n = DecodeTextBytes(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                static_cast<int32_t>(c.bytes.size()), out, 16, &encoding, true);
    EXPECT_EQ(std::u16string(out, n), c.text);
    EXPECT_EQ(encoding, c.encoding);
  }
  EXPECT_EQ(Decode("\xD0\x9F\xD0"), u"\u0420\u045F\u0420");  // a whole file cut so is not UTF-8
}

TEST(TextDecoding, ReportsTheEncodingItTook) {
  char16_t out[16];
  int32_t encoding = -1;
  DecodeTextBytes(reinterpret_cast<const uint8_t*>("\xD0\xAF"), 2, out, 16, &encoding);
  EXPECT_EQ(encoding, EncodingUtf8);
  DecodeTextBytes(reinterpret_cast<const uint8_t*>("\xFF\xFE" "a\0"), 4, out, 16, &encoding);
  EXPECT_EQ(encoding, EncodingUtf16);
  DecodeTextBytes(reinterpret_cast<const uint8_t*>("\xCF\xF0"), 2, out, 16, &encoding);
  EXPECT_EQ(encoding, EncodingCp1251);
}

TEST(TextDecoding, EmptyAndMarkOnlyFilesAreEmpty) {
  EXPECT_EQ(Decode(""), u"");
  EXPECT_EQ(Decode("\xEF\xBB\xBF"), u"");
  EXPECT_EQ(Decode("\xFF\xFE"), u"");
  char16_t out[4];
  const uint8_t ascii[] = {'a', 'b', 'c', 'd', 'e', 'f'};
  EXPECT_EQ(DecodeTextBytes(ascii, 6, out, 4), 3);  // bounded by the capacity
  EXPECT_EQ(out[3], 0);
}

TEST(TextEncoding, Utf8WithoutMarkAndLoneSurrogatesReplaced) {
  const char16_t text[] = u"Я\U0001F600a";
  uint8_t out[16];
  int32_t n = EncodeUtf8(text, 4, out, 16);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), n), "\xD0\xAF\xF0\x9F\x98\x80" "a");
  const char16_t lone[] = {0xD800, u'x', 0};
  n = EncodeUtf8(lone, 2, out, 16);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), n), "\xEF\xBF\xBDx");
  EXPECT_EQ(EncodeUtf8(text, 4, out, 5), -1);  // does not fit: nothing is claimed
}

TEST(StatusLine, ShownFor2600MsAcrossTheTickCountWrap) {
  const struct {
    uint32_t shownAt, now;
    bool visible;
  } cases[] = {
      {1000, 1000, true},       {1000, 3599, true},       {1000, 3600, false},
      {4294966000u, 100, true}, {4294966000u, 1304, false},  // shown 1.3 s before the wrap
      {4294966000u, 2000000000u, false},                      // weeks later: long gone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.now);
    statusLine = {};
    SetStatusText(u"Бинды сохранены", c.shownAt);
    EXPECT_EQ(StatusVisible(c.now), c.visible);
  }
}
