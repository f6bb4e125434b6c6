// The real board's pixels at points taken from the same layout functions the program uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/geometry.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "draw/theme.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

// The board's client area once the program has painted it: the bottom of the middle column's
// list shows the panel there (the frames are blitted whole, so the rest is painted too).
Pixels PaintedBoard(const App& app) {
  const Rect& list = boardLayout.listRect[1];
  Pixels px;
  WaitFor([&] {
    px = CaptureClient(app.main);
    return px.At(list.left + 20, list.bottom - 20) == Theme::panelColor;
  });
  return px;
}

}  // namespace

TEST(BoardPixels, PanelsCardsStripesFramesAndButtons) {
  App app = MakeApp("paint-three-states");
  ASSERT_TRUE(StartOnData(app, threeStates));
  Pixels px = PaintedBoard(app);
  SaveScreenshot(px, "board-three-states");
  const BoardLayout& l = boardLayout;

  // Column panels: below the last card, inside the list.
  for (int k = 0; k < 3; k++) {
    const Rect& list = l.listRect[k];
    EXPECT_EQ(px.At(list.left + 20, list.bottom - 20), Theme::panelColor) << "column " << k;
  }
  // Each column holds one card; its body at rest, left of the pill row and below the number.
  for (int k = 0; k < 3; k++) {
    ASSERT_EQ(l.columnCount[k], 1);
    int32_t top = CardTop(k, 0);
    const Rect& list = l.listRect[k];
    EXPECT_EQ(px.At(list.left + s(16), top + s(50)), Theme::fieldColor) << "card body " << k;
  }
  // State stripes: amber on clarification, teal when done (left edge, middle height).
  int32_t stripeX1 = l.listRect[1].left + s(9), stripeY1 = CardTop(1, 0) + s(49);
  EXPECT_EQ(px.At(stripeX1, stripeY1), Theme::amber);
  int32_t stripeX2 = l.listRect[2].left + s(9), stripeY2 = CardTop(2, 0) + s(49);
  EXPECT_EQ(px.At(stripeX2, stripeY2), Theme::teal);
  // The number input has the focus at start: its frame is outlined in the accent blue.
  const Rect& number = l.numberFrameRect;
  EXPECT_EQ(px.At((number.left + number.right) / 2, number.top), Theme::accentBlue);
  const Rect& description = l.descriptionFrameRect;
  EXPECT_EQ(px.At((description.left + description.right) / 2, description.top), Theme::lineColor);
  // The take button's gradient runs from the accent blue to violet.
  const Rect& take = l.takeButtonRect;
  int32_t midY = (take.top + take.bottom) / 2;
  uint32_t left = px.At(take.left + s(24), midY), right = px.At(take.right - s(24), midY);
  EXPECT_LT(left & 0xFF, 0x20u);            // near #00A3FF: hardly any red,
  EXPECT_GT((left >> 16) & 0xFF, 0xE0u);    // full blue
  EXPECT_GT(right & 0xFF, 0x60u);           // red rises towards #785AF0
  EXPECT_LT((right >> 8) & 0xFF, (left >> 8) & 0xFF);  // and green falls
  // The clear button is drawn while the done column has a card.
  const Rect& clear = l.clearButtonRect;
  EXPECT_EQ(px.At(clear.left + s(8), (clear.top + clear.bottom) / 2), Theme::fieldColor);
  EXPECT_EQ(CloseApp(app), 0);
}

TEST(BoardPixels, NoClearButtonWithoutDoneCardsAndAThumbWithMany) {
  std::string data = "ZOLTEX1\r\n0|0\r\n";
  for (int i = 0; i < 400; i++)
    data += "0|" + std::to_string(i + 1) + "|0|1796601600|1796601600|0|T" + std::to_string(i) + "|\r\n";
  App app = MakeApp("paint-full");
  ASSERT_TRUE(StartOnData(app, data));
  Pixels px = PaintedBoard(app);
  SaveScreenshot(px, "board-400-in-work");
  const BoardLayout& l = boardLayout;
  const Rect& clear = l.clearButtonRect;
  EXPECT_EQ(px.At(clear.left + s(8), (clear.top + clear.bottom) / 2), Theme::panelColor);
  // The thumb stands in the gutter right of the cards, at the top of the list.
  EXPECT_EQ(px.At(l.listRect[0].right + s(6), l.listRect[0].top + s(10)), Theme::thumbColor);
  EXPECT_EQ(px.At(l.listRect[1].right + s(6), l.listRect[1].top + s(10)), Theme::panelColor);
  EXPECT_EQ(CloseApp(app), 0);
}

// The 100 ms timer repaints only what changes with the clock: on the real screen the running
// time of an in-work card moves on while the header and the number above it stay as they were.
TEST(BoardPixels, TheRunningTimeTicksOnScreenAndTheRestStays) {
  App app = MakeApp("paint-live");
  ASSERT_TRUE(StartOnData(app, threeStates));
  const Rect& list = boardLayout.listRect[0];
  int32_t top = CardTop(0, 0);
  Rect row{list.left, top + boardLayout.cardHeight - s(42), list.right, top + boardLayout.cardHeight - s(14)};
  Rect header{0, 0, boardLayout.clientWidth, boardLayout.numberFrameRect.top};  // not the caret
  Rect number{list.left + s(24), top + s(10), list.left + s(150), top + s(46)};
  auto region = [](const Pixels& px, const Rect& r) {
    std::basic_string<uint32_t> out;
    for (int32_t y = r.top; y < r.bottom; y++)
      for (int32_t x = r.left; x < r.right; x++) out += px.At(x, y);
    return out;
  };
  // Only the white time text of the row: the pulsing outline, dot and stripe are blue or violet,
  // the caption grey.
  auto timeText = [](const Pixels& px, const Rect& r) {
    std::basic_string<uint32_t> out;
    for (int32_t y = r.top; y < r.bottom; y++)
      for (int32_t x = r.left; x < r.right; x++) {
        uint32_t v = px.At(x, y);
        bool white = (v & 0xFF) >= 0xA0 && ((v >> 8) & 0xFF) >= 0xA0 && ((v >> 16) & 0xFF) >= 0xA0;
        out += white ? v : 0u;
      }
    return out;
  };
  Pixels first = PaintedBoard(app);
  std::basic_string<uint32_t> shown = timeText(first, row);
  ASSERT_TRUE(std::any_of(shown.begin(), shown.end(), [](uint32_t v) { return v != 0; }))
      << "no time text in the row";
  Pixels later;
  EXPECT_TRUE(WaitFor([&] {
    later = CaptureClient(app.main);
    return timeText(later, row) != timeText(first, row);
  }, 3000));
  EXPECT_TRUE(region(later, header) == region(first, header));
  EXPECT_TRUE(region(later, number) == region(first, number));
  SaveScreenshot(later, "board-live-timer");
  EXPECT_EQ(CloseApp(app), 0);
}

// The steps of a resize make the cards from what the board showed: taken down and up again
// through several sizes, the board is the one it was, pixel for pixel. No card runs a clock and
// the waiting ones entered their state later than now, so nothing on it moves by itself.
TEST(BoardPixels, ResizedDownAndUpAgainTheBoardIsAsItWas) {
  std::string data = "ZOLTEX1\r\n0|0\r\n";
  for (int i = 0; i < 24; i++)
    data += std::string(i % 2 ? "1|" : "2|") + std::to_string(i + 1) + "|60|" +
            (i % 2 ? "1796601600|1796601600|1796601700|" : "4000000000|1796601600|0|") + "N-" +
            std::to_string(i) + "|" + std::string(static_cast<size_t>(i % 7) * 9, 'x') + "\r\n";
  App app = MakeApp("paint-resized");
  ASSERT_TRUE(StartOnData(app, data));
  MoveMouseTo(app.main, s(120), s(40));  // over the title, where nothing is hovered
  Pixels before = SteadyClient(app.main);
  ASSERT_GT(before.width, 0);
  RECT outer;
  GetWindowRect(app.main, &outer);
  const int32_t w = outer.right - outer.left, h = outer.bottom - outer.top;
  const SIZE steps[] = {{w - 300, h - 100}, {w - 120, h - 30}, {w, h}};
  for (const SIZE& size : steps) {
    SetWindowPos(app.main, NULL, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_GT(SteadyClient(app.main).width, 0);
  }
  Pixels after = SteadyClient(app.main);
  ASSERT_EQ(after.width, before.width);
  const Rect& caret = boardLayout.numberFrameRect;  // the input's blinking caret aside
  std::string first;
  for (int32_t y = 0; y < before.height && first.empty(); y++)
    for (int32_t x = 0; x < before.width && first.empty(); x++)
      if (before.At(x, y) != after.At(x, y) && !RectContains(caret, x, y))
        first = std::to_string(x) + "," + std::to_string(y);
  EXPECT_EQ(first, "");
  EXPECT_EQ(CloseApp(app), 0);
}
