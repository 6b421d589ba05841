#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

platform::RecordingCanvas& Rec(graph::TDispl10& w) {
  return static_cast<platform::RecordingCanvas&>(w.Surface());
}

// The blocks of drawing calls made in exclusive-or mode, each as its list.
std::vector<std::vector<std::string>> XorBlocks(const platform::RecordingCanvas& c) {
  std::vector<std::vector<std::string>> blocks;
  bool on = false;
  for (const std::string& op : c.Ops()) {
    if (op == "SetXor 1") {
      on = true;
      blocks.emplace_back();
    } else if (op == "SetXor 0") {
      on = false;
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
    G().VMax = 500;
    G().VMin = 0;
    G().Cur1 = 100;
    G().Cur2 = 300;
    G().HCur1 = 200;
    G().HCur2 = 50;
  }
};

TEST(GraphCursor, ExclusiveOrDrawingTwiceLeavesNothing) {
  CursorFixture f;
  auto w = f.Open();
  w->Paint();
  auto blocks = XorBlocks(Rec(*w));
  ASSERT_EQ(blocks.size(), 2u);  // both cursors, each drawn once
  const std::vector<std::string> drawn1 = blocks[0];

  // Moving cursor 1 to where it is: erased and drawn with the same calls.
  Rec(*w).Clear();
  int16_t x = w->CurX1, y = w->CurY1;
  w->CursorPaint(x, y, 0, false);
  blocks = XorBlocks(Rec(*w));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], drawn1);
  EXPECT_EQ(blocks[1], drawn1);

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
  // Clamped into the plot.
  x = 5000;
  w->CursorPaint(x, y, 1, true);
  EXPECT_EQ(x, w->PlotLeft + w->PlotW);
  EXPECT_EQ(f.G().Cur2, w->MouseVertToGlobal(x));
}

TEST(GraphCursor, ThreeStylesAndTheirPens) {
  struct Case {
    int style, flags;
    int lines;
    const char* pen2;
  } cases[] = {{0, 0, 1 + 5, "FF4B80"},
               {1, 0, 2 + 5, "FF4B80"},
               {2, 0, 2 + 5, "FF0000"},
               {1, 0x2000, 6 + 5, "FF4B80"}};
  for (const Case& c : cases) {
    CursorFixture f;
    f.G().CursorStyle = c.style;
    f.G().DisplFlags = uint16_t(f.G().DisplFlags | c.flags);
    auto w = f.Open();
    w->Paint();
    auto blocks = XorBlocks(Rec(*w));
    SCOPED_TRACE(c.style);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(Lines(blocks[0]), c.lines);
    EXPECT_EQ(blocks[0][0], "SetPen FFFFFF 1");
    EXPECT_EQ(blocks[1][0], std::string("SetPen ") + c.pen2 + " 1");
  }
  // Style 1: the vertical line over the plot height and the horizontal line at HCur1.
  CursorFixture f;
  auto w = f.Open();
  w->Paint();
  auto block = XorBlocks(Rec(*w))[0];
  const int x = w->GlobalVertToMouse(100);
  const int y = w->GlobalHorizToMouse(200, int16_t(x));
  EXPECT_EQ(block[1], "Line " + std::to_string(x) + "," + std::to_string(w->PlotTop) + "-" +
                          std::to_string(x) + "," + std::to_string(w->PlotTop + w->PlotH));
  EXPECT_EQ(block[2], "Line " + std::to_string(w->PlotLeft) + "," + std::to_string(y) + "-" +
                          std::to_string(w->PlotLeft + w->PlotW) + "," + std::to_string(y));
}

TEST(GraphCursor, NothingDrawnWithoutRoomOrCursors) {
  {
    CursorFixture f;
    f.G().CursorCount = 0;
    auto w = f.Open();
    w->Paint();
    EXPECT_EQ(Rec(*w).Count("SetXor"), 0);
  }
  {
    CursorFixture f;
    f.G().CursorCount = 1;
    auto w = f.Open();
    w->Paint();
    EXPECT_EQ(XorBlocks(Rec(*w)).size(), 1u);
  }
  {
    CursorFixture f;
    const int32_t narrow[4] = {0, 0, 122, 400};  // bars and borders leave no plot
    auto w = f.Open(0, narrow);
    w->Paint();
    EXPECT_LE(w->PlotW, 1);
    EXPECT_EQ(Rec(*w).Count("SetXor"), 0);
  }
  {
    CursorFixture f;  // the slope line joins the crossing points nine times
    f.G().DisplFlags = uint16_t(f.G().DisplFlags | 0x0010);
    auto w = f.Open();
    w->Paint();
    auto blocks = XorBlocks(Rec(*w));
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[2][0], "SetPen 0000FF 1");
    EXPECT_EQ(Lines(blocks[2]), 9);
  }
}

TEST(GraphCursor, ResetPutsTheCursorsOnTheViewEdges) {
  CursorFixture f;
  f.G().IL = 50;
  f.G().IR = 150;
  auto w = f.Open();
  w->Paint();
  w->DrawCursor(1);
  EXPECT_EQ(f.G().Cur1, 50);
  EXPECT_EQ(f.G().Cur2, 150);
  EXPECT_FLOAT_EQ(f.G().HCur1, f.G().VMax);
  EXPECT_FLOAT_EQ(f.G().HCur2, f.G().VMin);
  // A request for the cursors alone is served by the tick without a repaint.
  w->SetLimits(0, 0);
  Rec(*w).Clear();
  w->Timer();
  EXPECT_EQ(Rec(*w).Count("FillRect"), 0);
  EXPECT_EQ(Rec(*w).Count("SetXor 1"), 4);
  Rec(*w).Clear();
  w->Timer();
  EXPECT_TRUE(Rec(*w).Ops().empty());
  f.G().CursorStyle = 2;  // the cross stays on its samples
  f.G().Cur1 = 70;
  w->DrawCursor(1);
  EXPECT_EQ(f.G().Cur1, 70);
}

}  // namespace
