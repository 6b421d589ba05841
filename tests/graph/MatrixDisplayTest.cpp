#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <tuple>

#include "graph/MatrixDisplay.h"
#include "platform/RecordingCanvas.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TestEnv;

void FillMatrix(state::Program& p, int cols, int rows, const std::function<float(int, int)>& value) {
  store::Mat_s& m = p.Mat[0];
  m = {};
  m.Columns = int16_t(cols), m.Rows = int16_t(rows);
  m.LastColumn = int16_t(cols - 1), m.LastRow = int16_t(rows - 1);
  m.ColumnDirection = m.RowDirection = 1;
  m.Perspective = 0.8f, m.RowSpacing = 1;
  p.Matrix.resize(size_t(cols) * size_t(rows));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) p.Matrix[size_t(r * cols + c)] = value(c, r);
}

// Answers "input pending" from its n-th question on, as a key pressed while drawing.
class KeyAfter : public platform::ScriptedUi {
 public:
  int after = 1 << 30, asked = 0;
  bool InputPending() override { return ++asked >= after; }
};

TEST(MatrixColour, BandEdgesOfTheScale) {
  const struct {
    float v;
    uint8_t r, g, b;
  } cases[] = {{-3, 0, 0, 0},          {0, 0, 0, 0},       {255, 255, 0, 0},     {256, 255, 0, 0},
               {511, 255, 255, 0},     {512, 255, 255, 0}, {767, 255, 255, 255}, {768, 255, 255, 255},
               {1e30f, 255, 255, 255}, {NAN, 0, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    uint8_t r = 1, g = 1, b = 1;
    graph::Set2DColor(c.v, 0, 1, r, g, b);
    EXPECT_EQ(std::tuple(r, g, b), std::tuple(c.r, c.g, c.b));
  }
  uint8_t r, g, b;
  graph::Set2DColor(300, 0, 1, r, g, b);  // inside the second band green climbs
  EXPECT_EQ(g, 44);
  graph::Set2DColor(600, 0, 1, r, g, b);
  EXPECT_EQ(b, 88);
}

TEST(MatrixDisplay, ColourMapPixels) {
  const struct {
    const char* name;
    int mode;
    float (*value)(int, int);
    float max;
    uint32_t corner;  // the first element (bottom left)
    size_t colours;
  } cases[] = {
      {"constant", 0, [](int, int) { return 5.0f; }, 5, 0x000000, 1},  // the range is widened
      {"ramp", 0, [](int c, int r) { return float(c + 10 * r); }, 58, 0x000000, 48},
      {"inverted ramp", 1, [](int c, int r) { return float(c + 10 * r); }, 58, 0xFFFFFF, 48},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnv env;
    state::Program& p = env.prog;
    FillMatrix(p, 8, 6, c.value);
    p.Mat[0].Mode = c.mode;
    p.Mat[0].ValueMin = c.value(0, 0), p.Mat[0].ValueMax = c.max;
    graph::TDispl2D w(p, "m");
    platform::RecordingCanvas dc(660, 460);
    w.SetSurface(&dc);
    ASSERT_TRUE(w.Nastav(true));
    ASSERT_TRUE(w.Displ());
    ASSERT_EQ(dc.Count("StretchImage"), 1);
    const std::vector<uint32_t>& img = dc.LastImage();
    ASSERT_EQ(img.size(), 48u);
    EXPECT_EQ(std::set<uint32_t>(img.begin(), img.end()).size(), c.colours);
    EXPECT_EQ(img[5 * 8], c.corner);
  }
}

TEST(MatrixDisplay, ColumnWindowButtons) {
  const struct {
    int first, last, id, wantFirst, wantLast;
  } cases[] = {
      {2, 10, graph::kMatHalve, 2, 6},  // nine columns keep five
      {2, 6, graph::kMatHalve, 0, 19},  // five columns: the whole matrix again
      {2, 10, graph::kMatDouble, 2, 18}, {8, 16, graph::kMatDouble, 8, 19},
      {2, 10, graph::kMatLeft, 0, 8},  // not past the first column: the width stays
      {8, 16, graph::kMatRight, 11, 19},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << ".." << c.last << " " << c.id);
    TestEnv env;
    state::Program& p = env.prog;
    FillMatrix(p, 20, 6, [](int col, int) { return float(col); });
    p.Mat[0].FirstColumn = int16_t(c.first), p.Mat[0].LastColumn = int16_t(c.last);
    graph::TDispl2D w(p, "m");
    ASSERT_TRUE(w.Nastav(true));
    ASSERT_TRUE(w.EvCommand(c.id));
    EXPECT_EQ(std::tuple(p.Mat[0].FirstColumn, p.Mat[0].LastColumn), std::tuple(c.wantFirst, c.wantLast));
  }
}

TEST(MatrixDisplay, WaterfallRowsAndInterruption) {
  const struct {
    int mode;
    const char* op;
    int keyAfter, rows;
  } cases[] = {
      {graph::kMatHidden, "Polygon", 1 << 30, 10},
      {graph::kMatLines, "Polyline", 1 << 30, 10},
      {graph::kMatHidden, "Polygon", 3, 3},  // a key during the third row ends the drawing
      {graph::kMatLines, "Polyline", 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.keyAfter);
    TestEnv env;
    state::Program& p = env.prog;
    KeyAfter ui;
    ui.after = c.keyAfter;
    p.plat.ui = &ui;
    FillMatrix(p, 300, 10, [](int col, int r) { return std::sin(col * 0.1f) + r; });
    p.Mat[0].Mode = c.mode;
    graph::TDispl2D w(p, "m");
    platform::RecordingCanvas dc(660, 460);
    w.SetSurface(&dc);
    ASSERT_TRUE(w.Nastav(true));
    w.EvCommand(graph::kMatAutoscale);
    EXPECT_EQ(dc.Count(c.op), c.rows);
    EXPECT_EQ(w.LastDrawingComplete(), c.rows == 10);
    if (c.rows == 10) {
      // The nearest row comes last, unshifted: it starts at the plot's left edge.
      std::string last;
      for (const std::string& op : dc.Ops())
        if (op.rfind(c.op, 0) == 0) last = op;
      EXPECT_EQ(last.substr(0, last.find(',')), std::string(c.op) + " " + std::to_string(w.Plot().left));
    }
  }
}

TEST(MatrixDisplay, TooSmallOrShortMatrixIsRefused) {
  const struct {
    int cols, rows;
    size_t values;
  } cases[] = {{1, 5, 5}, {5, 1, 5}, {8, 8, 63}};
  for (const auto& c : cases) {
    TestEnv env;
    state::Program& p = env.prog;
    FillMatrix(p, c.cols, c.rows, [](int, int) { return 1.0f; });
    p.Matrix.resize(c.values);
    graph::ShowMatrixDisplay(p);
    EXPECT_FALSE(p.MatrixWin);
    EXPECT_EQ(testing_support::MessagesWithText(env.ui, state::Txt(p, 731)), 1);
  }
}

}  // namespace
