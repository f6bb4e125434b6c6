#include <gtest/gtest.h>

#include <string>

#include "app/text.h"

static std::u16string Fmt(const char16_t* format, uint32_t a, uint32_t b) {
  char16_t out[64];
  FormatText(out, 64, format, a, b);
  return out;
}

TEST(FormatText, PadsAndCutsWithinCapacity) {
  EXPECT_EQ(Fmt(u"%02lu:%02lu", 5, 7), u"05:07");
  EXPECT_EQ(Fmt(u"Ctrl+F%-2d|%d", 3, 12), u"Ctrl+F3 |12");
  char16_t small[5];
  EXPECT_EQ(FormatText(small, 5, u"%s-%d", u"abcdef", 1), 4);
  EXPECT_EQ(std::u16string(small), u"abcd");
  char16_t neg[16];
  FormatText(neg, 16, u"%d %u", -42, 4294967295u);
  EXPECT_EQ(std::u16string(neg), u"-42 4294967295");
}
