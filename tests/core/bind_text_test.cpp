#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binds/bind_text.h"

namespace {

std::vector<BindKeyEvent> Events(const std::u16string& source) {
  static char16_t text[bindTextUnits];
  PrepareBindText(source.c_str(), text);
  std::vector<BindKeyEvent> events(2 * bindTextUnits);
  events.resize(TranslateBindText(text, events.data(), static_cast<int32_t>(events.size())));
  return events;
}

// What a receiving EDIT would see: Enter as '\n', Tab as '\t', downs only.
std::u16string Typed(const std::vector<BindKeyEvent>& events) {
  std::u16string out;
  for (const BindKeyEvent& e : events) {
    if (e.up) continue;
    out += e.kind == BindKeyEnter ? u'\n' : e.kind == BindKeyTab ? u'\t' : e.unit;
  }
  return out;
}

}  // namespace

TEST(BindText, LineEndsBecomeOneEnterAndTrailingOnesAreDropped) {
  EXPECT_EQ(Typed(Events(u"abc\r\n\r\n")), u"abc");
  EXPECT_EQ(Typed(Events(u"a\r\nb")), u"a\nb");
  EXPECT_EQ(Typed(Events(u"a\rb")), u"a\nb");
  EXPECT_EQ(Typed(Events(u"a\nb")), u"a\nb");
  EXPECT_EQ(Typed(Events(u"x\ty")), u"x\ty");
  EXPECT_TRUE(Events(u"\r\n\n\r").empty());
  std::vector<BindKeyEvent> e = Events(u"я");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_FALSE(e[0].up);
  EXPECT_TRUE(e[1].up);
  EXPECT_EQ(e[1].unit, u'я');
}

TEST(BindText, SurrogatesGoOutOneByOne) {
  std::vector<BindKeyEvent> e = Events(u"\U0001F600");
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].unit, 0xD83D);
  EXPECT_EQ(e[2].unit, 0xDE00);
}

TEST(BindText, BatchesAndTheLengthLimit) {
  EXPECT_EQ(Events(std::u16string(251, u'a')).size(), 502u);
  EXPECT_EQ(BatchCount(502), 1);
  EXPECT_EQ(BatchCount(static_cast<int32_t>(Events(std::u16string(252, u'a')).size())), 2);
  EXPECT_EQ(Events(std::u16string(30000, u'a')).size(), 2u * 19999u);
}
