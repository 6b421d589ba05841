#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;
using graph_test::Rec;

// The blocks of drawing calls made in exclusive-or mode, each as its list.
std::vector<std::vector<std::string>> XorBlocks(const platform::RecordingCanvas& c) {
  std::vector<std::vector<std::string>> blocks;
  bool on = false;
  for (const std::string& op : c.Ops()) {
    if (op == "SetXor 1" || op == "SetXor 0") {
      on = op == "SetXor 1";
      if (on) blocks.emplace_back();
    } else if (on) {
      blocks.back().push_back(op);
    }
  }
  return blocks;
}

int Lines(const std::vector<std::string>& block) {
  return int(std::count_if(block.begin(), block.end(),
                           [](const std::string& s) { return s.rfind("Line", 0) == 0; }));
}

struct CursorFixture : GraphFixture {
  CursorFixture() {
    Store(Ramp(500));
    G().IR = 499;
    Range(500, 0);
    G().Cur1 = 100;
    G().Cur2 = 300;
    G().HCur1 = 200;
    G().HCur2 = 50;
  }
};

TEST(GraphCursor, ExclusiveOrDrawingTwiceLeavesNothing) {
  CursorFixture f;
  auto w = f.Painted();
  auto blocks = XorBlocks(Rec(*w));
  ASSERT_EQ(blocks.size(), 2u);  // both cursors, each drawn once
  const std::vector<std::string> drawn1 = blocks[0];

  // Moving cursor 1 to where it is: erased and drawn with the same calls.
  Rec(*w).Clear();
  int16_t x = w->CurX1, y = w->CurY1;
  w->CursorPaint(x, y, 0, false);
  EXPECT_EQ(XorBlocks(Rec(*w)), (std::vector<std::vector<std::string>>{drawn1, drawn1}));

  // Moving it elsewhere erases exactly the old picture; with setIndex the
  // sample index follows the pixel.
  Rec(*w).Clear();
  x = int16_t(w->PlotLeft + 20);
  w->CursorPaint(x, y, 0, true);
  blocks = XorBlocks(Rec(*w));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], drawn1);
  EXPECT_NE(blocks[1], drawn1);
  EXPECT_EQ(f.G().Cur1, w->MouseVertToGlobal(x));
  x = 5000;  // clamped into the plot
  w->CursorPaint(x, y, 1, true);
  EXPECT_EQ(x, w->PlotLeft + w->PlotW);
  EXPECT_EQ(f.G().Cur2, w->MouseVertToGlobal(x));
}

TEST(GraphCursor, StylesCountsAndRoomDecideWhatIsDrawn) {
  const int32_t narrow[4] = {0, 0, 122, 400};  // bars and borders leave no plot
  struct Case {
    int style, flags, count;
    const int32_t* rect;
    std::vector<int> lines;  // line calls of each exclusive-or block
  } cases[] = {{0, 0, 2, graph_test::kRect, {6, 6}},
               {1, 0, 2, graph_test::kRect, {7, 7}},
               {2, 0, 2, graph_test::kRect, {7, 7}},
               {1, 0x2000, 2, graph_test::kRect, {11, 11}},
               {1, 0x0010, 2, graph_test::kRect, {7, 7, 9}},  // the slope line joins nine crossings
               {1, 0, 1, graph_test::kRect, {7}},
               {1, 0, 0, graph_test::kRect, {}},
               {1, 0, 2, narrow, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.style << " " << c.flags << " " << c.count);
    CursorFixture f;
    f.G().CursorStyle = c.style;
    f.G().CursorCount = c.count;
    f.G().DisplFlags = uint16_t(f.G().DisplFlags | c.flags);
    auto w = f.Open(0, c.rect);
    w->Paint();
    std::vector<int> lines;
    for (const auto& block : XorBlocks(Rec(*w))) lines.push_back(Lines(block));
    EXPECT_EQ(lines, c.lines);
  }
  // Style 1: the vertical line over the plot height and the horizontal line at HCur1.
  CursorFixture f;
  auto w = f.Painted();
  auto block = XorBlocks(Rec(*w))[0];
  const int x = w->GlobalVertToMouse(100);
  const int y = w->GlobalHorizToMouse(200, int16_t(x));
  EXPECT_EQ(block[1], "Line " + std::to_string(x) + "," + std::to_string(w->PlotTop) + "-" +
                          std::to_string(x) + "," + std::to_string(w->PlotTop + w->PlotH));
  EXPECT_EQ(block[2], "Line " + std::to_string(w->PlotLeft) + "," + std::to_string(y) + "-" +
                          std::to_string(w->PlotLeft + w->PlotW) + "," + std::to_string(y));
}

}  // namespace
