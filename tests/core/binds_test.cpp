// What a bind types, in which batches, and how its list row and window are laid out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/geometry.h"
#include "binds/bind_text.h"

namespace {

// The keys a text types, written back as text: Enter as '\n', Tab as '\t', Unicode units as
// themselves; every press must be followed by its own release.
struct Typed {
  std::u16string keys;
  std::vector<int32_t> batches;
  bool paired = true;
};

Typed TypeAll(const std::u16string& source) {
  static char16_t work[bindWorkUnits];
  PrepareBindText(work, bindWorkUnits, source.c_str());
  Typed t;
  BindKeyEvent events[bindEventCapacity];
  int32_t position = 0;
  while (int32_t n = NextBindBatch(work, &position, events)) {
    t.batches.push_back(n);
    for (int32_t i = 0; i + 1 < n; i += 2) {
      const BindKeyEvent& d = events[i];
      const BindKeyEvent& u = events[i + 1];
      if ((d.flags & bindKeyUp) || u.flags != (d.flags | bindKeyUp) || u.vk != d.vk ||
          u.scan != d.scan)
        t.paired = false;
      if (d.flags & bindKeyUnicode)
        t.keys += static_cast<char16_t>(d.scan);
      else if (d.vk == bindVkReturn && d.scan == 0)
        t.keys += u'\n';
      else if (d.vk == bindVkTab && d.scan == 0)
        t.keys += u'\t';
      else
        t.keys += u'?';
    }
    if (n % 2) t.paired = false;
  }
  return t;
}

}  // namespace

TEST(BindTyping, LineEndsTabsAndTrailingBreaks) {
  EXPECT_EQ(TypeAll(u"abc\r\n\r\n").keys, u"abc");
  EXPECT_EQ(TypeAll(u"a\r\nb").keys, u"a\nb");
  EXPECT_EQ(TypeAll(u"a\rb").keys, u"a\nb");
  EXPECT_EQ(TypeAll(u"a\nb").keys, u"a\nb");
  EXPECT_EQ(TypeAll(u"a\n\rb\r\r\nc\n\r").keys, u"a\n\nb\n\nc");
  EXPECT_EQ(TypeAll(u"x\ty").keys, u"x\ty");
  Typed cyr = TypeAll(u"Привет, мир");
  EXPECT_EQ(cyr.keys, u"Привет, мир");
  EXPECT_TRUE(cyr.paired);
  // Only line ends, in any mix: nothing to type.
  EXPECT_TRUE(TypeAll(u"\r\n\n\r\r").batches.empty());
  EXPECT_TRUE(TypeAll(u"").batches.empty());
}

TEST(BindTyping, SurrogatesGoOutOneUnitAtATime) {
  Typed t = TypeAll(u"a\U0001F600b");
  ASSERT_EQ(t.keys.size(), 4u);
  EXPECT_EQ(t.keys[1], 0xD83D);
  EXPECT_EQ(t.keys[2], 0xDE00);
  EXPECT_TRUE(t.paired);
  ASSERT_EQ(t.batches.size(), 1u);
  EXPECT_EQ(t.batches[0], 8);
}

TEST(BindTyping, BatchesOfAtMost502Events) {
  EXPECT_EQ(TypeAll(std::u16string(251, u'x')).batches, (std::vector<int32_t>{502}));
  EXPECT_EQ(TypeAll(std::u16string(252, u'x')).batches, (std::vector<int32_t>{502, 2}));
  // A CR LF split across a batch end is still one Enter.
  std::u16string split(250, u'x');
  split += u"\r\nyz";
  Typed t = TypeAll(split);
  EXPECT_EQ(t.batches, (std::vector<int32_t>{502, 4}));
  EXPECT_EQ(t.keys.substr(248), u"xx\nyz");
  std::u16string atEdge(251, u'x');
  atEdge += u"\r\nq";
  t = TypeAll(atEdge);
  EXPECT_EQ(t.batches, (std::vector<int32_t>{502, 4}));
  EXPECT_EQ(t.keys.substr(251), u"\nq");
  EXPECT_TRUE(t.paired);
}

TEST(BindTyping, OnlyTheFirst19999UnitsAreUsed) {
  std::u16string big;
  for (int i = 0; i < 30000; i++) big += static_cast<char16_t>(u'a' + i % 26);
  Typed t = TypeAll(big);
  EXPECT_EQ(t.keys, big.substr(0, 19999));
  int32_t total = 0;
  for (int32_t n : t.batches) {
    EXPECT_LE(n, bindBatchEvents);
    total += n;
  }
  EXPECT_EQ(total, 2 * 19999);
  // The cut never leaves half of a pair behind.
  std::u16string pairs(19998, u'z');
  pairs += u"\U0001F600tail";
  static char16_t work[bindWorkUnits];
  EXPECT_EQ(TakeBindText(work, bindWorkUnits, pairs.c_str()), 19998);
  // A pair that ends exactly at the cut stays whole.
  std::u16string fits(19997, u'z');
  fits += u"\U0001F600tail";
  EXPECT_EQ(TakeBindText(work, bindWorkUnits, fits.c_str()), 19999);
}

TEST(BindRows, AFileShownOnlyInPartIsWrittenBackOnlyOnceEdited) {
  struct {
    int32_t decoded, taken;
    bool cut, edited, written;
  } cases[] = {
      {12, 12, false, false, true},         // shown whole: saving writes it, changed or not
      {12, 5, false, false, false},         // a NUL inside: the rest would be lost
      {25000, 19999, false, false, false},  // longer than a bind
      {19999, 19999, true, false, false},   // the read left bytes behind
      {12, 5, false, true, true},           // the user's edit is what the slot is now
  };
  for (const auto& c : cases)
    EXPECT_EQ(BindTextWrittenBack(BindFileTakenWhole(c.decoded, c.taken, c.cut), c.edited),
              c.written)
        << c.decoded << " " << c.taken << " " << c.cut << " " << c.edited;
}

TEST(BindRows, PreviewOfFortyUnitsOrEmpty) {
  char16_t row[bindRowUnits];
  FormatBindRow(row, bindRowUnits, 1, u"Добрый день!\r\nЧем помочь?");
  EXPECT_EQ(std::u16string(row), u"Ctrl+F1    Добрый день!  Чем помочь?");
  FormatBindRow(row, bindRowUnits, 12, u"");
  EXPECT_EQ(std::u16string(row), u"Ctrl+F12   \u2014 пусто \u2014");
  std::u16string fifty;
  for (int i = 0; i < 50; i++) fifty += static_cast<char16_t>(u'0' + i % 10);
  FormatBindRow(row, bindRowUnits, 3, fifty.c_str());
  EXPECT_EQ(std::u16string(row), u"Ctrl+F3    " + fifty.substr(0, 40));
  // Only line ends and tabs: a preview of spaces, not the empty mark.
  FormatBindRow(row, bindRowUnits, 4, u"\r\n\t");
  EXPECT_EQ(std::u16string(row), u"Ctrl+F4       ");
}

TEST(BindsWindowGeometry, ControlsAndButtonsAt96And144Dpi) {
  dpi = 96;
  BindsLayout l = ComputeBindsLayout(744, 461);
  EXPECT_TRUE(RectEquals(l.listRect, Rect{20, 78, 270, 78 + 313}));
  EXPECT_TRUE(RectEquals(l.editorRect, Rect{286, 78, 724, 78 + 313}));
  EXPECT_TRUE(RectEquals(l.saveRect, Rect{554, 407, 724, 445}));
  EXPECT_TRUE(RectEquals(l.folderRect, Rect{372, 407, 542, 445}));
  EXPECT_EQ(BindsHitTest(l, 554, 407), 2);
  EXPECT_EQ(BindsHitTest(l, 723, 444), 2);
  EXPECT_EQ(BindsHitTest(l, 724, 444), 0);
  EXPECT_EQ(BindsHitTest(l, 541, 420), 1);
  EXPECT_EQ(BindsHitTest(l, 548, 420), 0);  // the gap between the buttons
  Rect place = BindsWindowPlacement(Rect{100, 50, 1101, 800});
  EXPECT_TRUE(RectEquals(place, Rect{100 + 120, 110, 100 + 120 + 760, 610}));
  // Truncation of a negative half: a main window narrower than the binds window.
  place = BindsWindowPlacement(Rect{0, 0, 759, 600});
  EXPECT_EQ(place.left, 0);
  place = BindsWindowPlacement(Rect{0, 0, 757, 600});
  EXPECT_EQ(place.left, -1);

  dpi = 144;
  l = ComputeBindsLayout(1200, 700);
  EXPECT_TRUE(RectEquals(l.listRect, Rect{30, 117, 405, 700 - 105}));
  EXPECT_TRUE(RectEquals(l.saveRect, Rect{1200 - (255 + 30), 700 - 81, 1170, 700 - 24}));
  EXPECT_TRUE(RectEquals(l.folderRect, Rect{1200 - (255 + 18 + 255 + 30), 619, 1200 - (273 + 30), 676}));
  dpi = 96;
}
