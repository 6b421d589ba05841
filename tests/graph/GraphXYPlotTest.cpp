#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "GraphTestSupport.h"
#include "state/Messages.h"
#include "store/FixedText.h"

namespace {

using graph::kNoPointX;
using graph::PicturePoint;
using graph_test::GraphFixture;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
using graph_test::Rec;
using graph_test::Repaint;

// An XY window on channel 0 (y) against channel 1 (x), both ranges -10..10.
struct XYPlot {
  XYPlot(const std::vector<float>& x, const std::vector<float>& y, int32_t totalSamples = 65536)
      : f(totalSamples) {
    f.Store(y, 0);
    f.Store(x, 1);
    store::CG_s& g = f.G();
    g.XYPlot = 1;
    g.XChan = 1;
    g.YChan = 0;
    g.XMin = g.VMin = -10;
    g.XMax = g.VMax = 10;
    g.IL = 0;
    g.IR = int32_t(x.size()) - 1;
    g.TraceStyle = 1;
    g.PenWidth = 0;
    w = f.Open();
  }
  // Where the window's XY transforms put the pair.
  PicturePoint At(float x, float y) const {
    const int16_t px = w->GlobalVertToMouseXYPlot(x);
    return {px, w->ClampedGlobalHorizToMouse(y, px)};
  }
  std::vector<PicturePoint> Picture() const {
    return std::vector<PicturePoint>(w->Picture(), w->Picture() + w->PictureCount());
  }
  void Paint() { Repaint(*w); }
  GraphFixture f;
  std::unique_ptr<graph::TDispl10> w;
};

std::pair<std::vector<float>, std::vector<float>> Circle(int n, float radius, float turns = 1) {
  std::vector<float> x(static_cast<size_t>(n)), y(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double a = 2 * M_PI * turns * i / n;
    x[size_t(i)] = float(radius * std::cos(a));
    y[size_t(i)] = float(radius * std::sin(a));
  }
  return {x, y};
}

// Every point drawn lies in the plot; breaks are the only other points.
void ExpectInsideOrBreak(const XYPlot& xy) {
  const graph::TDispl10& w = *xy.w;
  for (const PicturePoint& p : xy.Picture()) {
    if (p.x <= kNoPointX) continue;
    EXPECT_GE(p.x, w.PlotLeft);
    EXPECT_LE(p.x, w.PlotLeft + w.PlotW);
    EXPECT_GE(p.y, w.PlotTop);
    EXPECT_LE(p.y, w.PlotTop + w.PlotH);
  }
}

TEST(GraphXYPlot, PairsLandWhereTheXYTransformsPutThem) {
  auto [x, y] = Circle(200, 8);
  x[7] = 50;  // beyond XMax: held at the plot's right edge
  XYPlot xy(x, y);
  xy.Paint();
  EXPECT_FLOAT_EQ(xy.w->KX, xy.w->PlotW / 20.0f);
  std::vector<PicturePoint> expected;
  for (size_t i = 0; i < x.size(); ++i) expected.push_back(xy.At(x[i], y[i]));
  ASSERT_EQ(xy.Picture(), expected);
  EXPECT_EQ(expected[7].x, xy.w->PlotLeft + xy.w->PlotW);
  // The centre of the ranges is the centre of the plot (a pixel either way).
  EXPECT_NEAR(xy.At(0, 0).y, xy.w->PlotTop + xy.w->PlotH / 2, 1);
  // One polyline through all of them, from the first pair on.
  EXPECT_EQ(
      Rec(*xy.w).Count("Polyline " + std::to_string(expected[0].x) + "," + std::to_string(expected[0].y)), 1);

  // A later repaint after a zoom follows the new x range.
  xy.f.G().XMin = 0;
  xy.Paint();
  EXPECT_EQ(xy.Picture()[0], xy.At(x[0], y[0]));
  EXPECT_EQ(xy.Picture()[0].x, xy.w->PlotLeft + int(8 * xy.w->PlotW / 10.0));
}

TEST(GraphXYPlot, BadPairsBreakTheLineAndPointsShowOnlyGoodPairs) {
  // 30 pairs on a line; the x of 5 is NaN, the y of 10 infinite, and 20 has
  // bad neighbours on both sides.
  std::vector<float> x(30), y(30);
  for (int i = 0; i < 30; ++i) x[size_t(i)] = y[size_t(i)] = -9 + 0.6f * float(i);
  x[5] = kNaN;
  y[10] = kInf;
  y[19] = -kInf;
  x[21] = kNaN;
  XYPlot xy(x, y);
  xy.Paint();
  std::vector<PicturePoint> pic = xy.Picture();
  ASSERT_EQ(pic.size(), 30u);  // 26 points and 4 breaks
  EXPECT_EQ(std::count_if(pic.begin(), pic.end(), [](PicturePoint p) { return p.x <= kNoPointX; }), 4);
  EXPECT_EQ(std::tuple(pic[5].x, pic[6]), std::tuple(kNoPointX, xy.At(x[6], y[6])));
  // Lines only between good neighbours: runs 0-4, 6-9, 11-18, 22-29; 20
  // alone is a point.
  const platform::RecordingCanvas& c = Rec(*xy.w);
  EXPECT_EQ(c.Count("Polyline"), 4);
  const PicturePoint alone = xy.At(x[20], y[20]);
  EXPECT_EQ(c.Count("Pixel " + std::to_string(alone.x) + "," + std::to_string(alone.y)), 1);

  // Thick lines take the same breaks.
  xy.f.G().PenWidth = 1;
  xy.Paint();
  EXPECT_EQ(Rec(*xy.w).Count("Polyline"), 4 * 4);

  // A stored picture (F7) keeps its breaks under the live trace.
  xy.w->AddHBuf();
  xy.f.G().PenWidth = 0;
  xy.Paint();
  EXPECT_EQ(Rec(*xy.w).Count("Polyline"), 2 * 4);
  xy.w->ClearHBufAll(true);

  // The point option: a pixel for every good pair, no line, no break drawn.
  xy.f.G().TraceStyle = 0;
  xy.Paint();
  EXPECT_EQ(xy.w->PictureCount(), 26);
  EXPECT_EQ(Rec(*xy.w).Count("Pixel "), 26);

  // In print layout points are squares and lines go out segment by segment
  // (the print draws the picture of the screen).
  xy.f.G().PrintMode = 1;
  xy.Paint();
  const PicturePoint p0 = xy.Picture()[0];
  EXPECT_EQ(Rec(*xy.w).Count("FillRect " + std::to_string(p0.x - 1) + "," + std::to_string(p0.y - 1) + "-" +
                             std::to_string(p0.x + 2) + "," + std::to_string(p0.y + 2)),
            1);
  xy.f.G().PrintMode = 0;
  xy.f.G().TraceStyle = 1;
  xy.Paint();
  xy.f.G().PrintMode = 1;
  xy.Paint();
  EXPECT_EQ(Rec(*xy.w).Count("Polyline"), 0);
  const PicturePoint a = xy.Picture()[0], b = xy.Picture()[1];
  EXPECT_EQ(Rec(*xy.w).Count("Line " + std::to_string(a.x) + "," + std::to_string(a.y) + "-" +
                             std::to_string(b.x) + "," + std::to_string(b.y)),
            1);
}

TEST(GraphXYPlot, LongRecordsKeepEachBlocksExtremesInOnePass) {
  // 200 turns of a circle over a million pairs, with a single spike in y and
  // a run of NaN in x.
  const int n = 1'000'000;
  auto [x, y] = Circle(n, 8, 200);
  y[123'457] = 9.9f;
  y[765'431] = -9.9f;
  for (int i = 500'000; i < 500'100; ++i) x[size_t(i)] = kNaN;
  XYPlot xy(x, y, 2 * n + 16);
  xy.Paint();
  const graph::TDispl10& w = *xy.w;
  std::vector<PicturePoint> pic = xy.Picture();
  const int blocks = w.PlotW + w.PlotH;
  ASSERT_GT(pic.size(), size_t(blocks));
  EXPECT_LE(pic.size(), size_t(4 * blocks + 1));
  int breaks = 0, top = 0, bottom = 0;
  for (const PicturePoint& p : pic) {
    if (p.x <= kNoPointX) {
      ++breaks;
      continue;
    }
    if (p.y == xy.At(0, 9.9f).y) ++top;
    if (p.y == xy.At(0, -9.9f).y) ++bottom;
  }
  EXPECT_EQ(breaks, 1);  // the NaN run lies within one or two blocks: one break
  EXPECT_EQ(top, 1);     // both spikes survive, each once
  EXPECT_EQ(bottom, 1);
  ExpectInsideOrBreak(xy);

  // Points: each pixel of the plot at most once, the spikes among them.
  xy.f.G().TraceStyle = 0;
  xy.Paint();
  pic = xy.Picture();
  std::set<std::pair<int, int>> seen;
  for (const PicturePoint& p : pic) EXPECT_TRUE(seen.insert({p.x, p.y}).second);
  EXPECT_GT(pic.size(), size_t(w.PlotW));
  const PicturePoint spike = xy.At(x[123'457], 9.9f);
  EXPECT_EQ(seen.count({spike.x, spike.y}), 1u);
}

TEST(GraphXYPlot, BadInputDrawsWhatCanBeDrawn) {
  auto [x, y] = Circle(64, 8);
  {
    SCOPED_TRACE("X channel inactive or out of range: nothing");
    XYPlot xy(x, y);
    for (int chan : {5, -1, 300, 32767}) {
      xy.f.G().XChan = int16_t(chan);
      xy.Paint();
      EXPECT_EQ(xy.w->PictureCount() + Rec(*xy.w).Count("Polyline"), 0);
    }
  }
  {
    SCOPED_TRACE("one sample in view: one point");
    XYPlot xy(x, y);
    xy.f.G().IL = xy.f.G().IR = 0;  // x = 8, y = 0
    xy.Paint();
    ASSERT_EQ(xy.w->PictureCount(), 1);
    EXPECT_EQ(Rec(*xy.w).Count("Pixel " + std::to_string(xy.w->PlotLeft + int(18 * (xy.w->PlotW / 20.0)))),
              1);
  }
  {
    SCOPED_TRACE("empty, reversed, infinite x ranges and wild indices");
    XYPlot xy(x, y);
    const float ranges[][2] = {{3, 3}, {10, -10}, {-kInf, 10}, {kNaN, kNaN}, {-3e38f, 3e38f}};
    for (const auto& r : ranges) {
      xy.f.G().XMin = r[0];
      xy.f.G().XMax = r[1];
      xy.f.View(-7, 1 << 30);
      xy.Paint();
      EXPECT_GT(xy.w->PictureCount(), 0);
      EXPECT_LE(xy.w->PictureCount(), 64);
      ExpectInsideOrBreak(xy);
    }
  }
  {
    SCOPED_TRACE("no finite pair at all, and a record of one sample");
    std::vector<float> bad(64, kNaN);
    XYPlot xy(bad, y);
    xy.Paint();
    EXPECT_EQ(xy.w->PictureCount(), 0);
    XYPlot one({1.0f}, {2.0f});
    one.Paint();
    EXPECT_EQ(one.w->PictureCount(), 0);  // half a sample per half: no data to show
  }
}

}  // namespace
