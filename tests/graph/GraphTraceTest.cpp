#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;
using graph_test::Rec;
using graph_test::Repaint;

std::vector<float> Noise(int n) {
  std::vector<float> v(static_cast<size_t>(n));
  uint32_t s = 12345;
  for (auto& x : v) {
    s = s * 1664525u + 1013904223u;
    x = float(int(s >> 16) % 2001 - 1000);
  }
  return v;
}

// The pen of every polyline drawn, in drawing order.
std::vector<std::string> PolylinePens(const platform::RecordingCanvas& c) {
  std::vector<std::string> pens;
  std::string pen;
  for (const std::string& op : c.Ops()) {
    if (op.rfind("SetPen ", 0) == 0) pen = op.substr(7, 6);
    if (op.rfind("Polyline", 0) == 0) pens.push_back(pen);
  }
  return pens;
}

// 600 × 400 client: the plot is 478 px wide; IR - IL = 478 · 100 gives
// exactly 100 samples per column.
constexpr int kSamplesPerColumn = 100;

TEST(GraphTrace, EnvelopeKeepsTheTrueMinimumAndMaximumOfEveryColumn) {
  GraphFixture f(200'000);
  std::vector<float> data = Noise(100'000);
  data[5'000] = std::nanf("");  // a NaN sample is passed over
  f.Store(data);
  f.G().Envelope = 1;
  auto w = f.Open();
  ASSERT_EQ(w->PlotW, 478);
  f.View(1000, 1000 + 478 * kSamplesPerColumn);
  f.Range(1000, -1000);
  w->Paint();
  std::map<int, std::vector<int>> ys;
  for (int32_t i = 0; i < w->PictureCount(); ++i) ys[w->Picture()[i].x].push_back(w->Picture()[i].y);
  ASSERT_EQ(int(ys.size()), 479);
  for (auto& [x, list] : ys) {
    ASSERT_LE(list.size(), 2u);
    const int c = x - w->PlotLeft;
    float mx = -1e9f, mn = 1e9f;
    for (int i = f.G().IL + c * kSamplesPerColumn;
         i < std::min(f.G().IL + (c + 1) * kSamplesPerColumn, f.G().IR + 1); ++i) {
      if (std::isnan(data[size_t(i)])) continue;
      mx = std::max(mx, data[size_t(i)]);
      mn = std::min(mn, data[size_t(i)]);
    }
    SCOPED_TRACE(c);
    EXPECT_EQ(list.front(), w->ClampedGlobalHorizToMouse(mx, int16_t(x)));
    EXPECT_EQ(list.back(), w->ClampedGlobalHorizToMouse(mn, int16_t(x)));
  }
}

TEST(GraphTrace, DecimationHoldsEveryPeakAndBarsShowEverySample) {
  GraphFixture f(200'000);
  std::vector<float> data(100'000, 0.0f);
  data[30'017] = 900;  // a single spike must survive the decimation
  f.Store(data);
  f.G().Envelope = 0;
  f.Range(1000, -1000);
  auto w = f.Open();
  f.View(0, 478 * kSamplesPerColumn);
  w->Paint();
  EXPECT_LE(w->PictureCount(), w->PlotW + 1);
  const int16_t spikeX = int16_t(w->PlotLeft + 30'017 / kSamplesPerColumn);
  const int16_t spikeY = w->ClampedGlobalHorizToMouse(900, spikeX);
  int found = 0;
  for (int32_t i = 0; i < w->PictureCount(); ++i)
    if (w->Picture()[i].y == spikeY) {
      ++found;
      EXPECT_EQ(w->Picture()[i].x, spikeX);
    }
  EXPECT_EQ(found, 1);
  // Bars: every sample of the view its own bar down to the plot bottom.
  f.G().TraceStyle = 7;
  f.View(0, 99);
  w->Paint();
  EXPECT_EQ(w->PictureCount(), 100);
}

TEST(GraphTrace, ThickLinesRedrawThePolylineShifted) {
  GraphFixture f;
  f.Store(Ramp(200));
  auto w = f.Open();
  // Width 1: four copies, the first one pixel right of the buffered trace.
  f.G().PenWidth = 1;
  w->Paint();
  EXPECT_EQ(Rec(*w).Count("Polyline"), 4);
  const graph::PicturePoint p0 = w->Picture()[0];
  const std::string first = "Polyline " + std::to_string(p0.x + 1) + "," + std::to_string(p0.y) + " ";
  auto it = std::find_if(Rec(*w).Ops().begin(), Rec(*w).Ops().end(),
                         [](const std::string& s) { return s.rfind("Polyline", 0) == 0; });
  ASSERT_NE(it, Rec(*w).Ops().end());
  EXPECT_EQ(it->rfind(first, 0), 0u) << *it;
  for (int width : {5, 99}) {  // the widest, and one from a job file: a thin line
    f.G().PenWidth = int16_t(width);
    Repaint(*w);
    EXPECT_EQ(Rec(*w).Count("Polyline"), width == 5 ? 22 : 1);
  }
}

TEST(GraphTrace, FilledAreaAndLongPolylines) {
  GraphFixture f;
  f.Store(Ramp(10));
  f.Range(20, -20);
  auto w = f.Painted();
  auto& dc = Rec(*w);
  dc.Clear();
  w->PaintData(dc, w->PlotLeft, 0, graph::TDispl10::kPaintFilled, 0);
  EXPECT_EQ(dc.Count("Polygon"), 9);  // one per segment
  // Down to the zero line: the first segment's quadrilateral.
  const std::string y0 = std::to_string(w->ClampedGlobalHorizToMouse(0, w->PlotLeft));
  const graph::PicturePoint a = w->Picture()[0], b = w->Picture()[1];
  const std::string ax = std::to_string(a.x), bx = std::to_string(b.x);
  EXPECT_EQ(dc.Count("Polygon " + ax + "," + y0 + " " + bx + "," + y0 + " " + bx + "," + std::to_string(b.y)),
            1);

  // More points than half the plot width: a plain line instead.
  GraphFixture g(200'000);
  g.Store(Noise(100'000));
  g.G().Envelope = 1;
  g.G().IR = 99'999;
  auto w2 = g.Painted();
  ASSERT_GT(2 * w2->PictureCount(), w2->PlotW);
  Rec(*w2).Clear();
  w2->PaintData(Rec(*w2), w2->PlotLeft, 0, graph::TDispl10::kPaintFilled, 0);
  EXPECT_EQ(Rec(*w2).Count("Polygon"), 0);
  EXPECT_EQ(Rec(*w2).Count("Polyline"), 1);

  // 40000 points go out in pieces of at most 16384 that join up.
  std::vector<graph::PicturePoint> pts(40'000);
  for (int i = 0; i < 40'000; ++i) pts[size_t(i)] = {100 + i % 400, 100 + i % 7};
  dc.Clear();
  w->PictureBufferOut(dc, pts.data(), 40'000, 0xFFFFFF);
  EXPECT_EQ(dc.Count("Polyline"), 3);
  size_t total = 0;
  for (const std::string& op : dc.Ops())
    if (op.rfind("Polyline", 0) == 0) total += size_t(std::count(op.begin(), op.end(), ' '));
  EXPECT_EQ(total, 40'000u + 2);  // two joints drawn twice
}

TEST(GraphTrace, VideoMemoryKeepsTenPicturesAndDrawsThemInGrey) {
  GraphFixture f;
  f.Store(Noise(400));
  auto w = f.Painted();
  const double before = f.p.TotalDataAlloc;
  const int32_t n = w->PictureCount();
  for (int k = 0; k < 11; ++k) EXPECT_TRUE(w->KeyDown(0x76, 0));  // F7
  EXPECT_EQ(w->HBufCount(), 10);
  EXPECT_DOUBLE_EQ(f.p.TotalDataAlloc, before + 10.0 * n * 8);
  w->ClearHBufAll(false);  // the newest only
  EXPECT_EQ(w->HBufCount(), 9);
  w->ClearHBufAll(true);
  for (int k = 0; k < 3; ++k) w->AddHBuf();
  f.p.Col_.get()->TraceColor[0] = 0x00FF00;
  Rec(*w).Clear();
  w->Paint();  // the oldest darkest, under the live trace
  EXPECT_EQ(PolylinePens(Rec(*w)), (std::vector<std::string>{"7F7F7F", "BFBFBF", "FFFFFF", "00FF00"}));
  f.G().WhiteMode = 1;
  w->Paint();
  EXPECT_TRUE(w->KeyDown(0x77, 0));  // F8
  EXPECT_EQ(w->HBufCount(), 0);
  EXPECT_DOUBLE_EQ(f.p.TotalDataAlloc, before);

  // A picture from a history file with wild points stays inside the plot.
  state::HistEntry& e = f.p.WHBuf[0][0];
  e.size = 2;
  e.data.reset(new uint8_t[16]);
  const int32_t wild[4] = {-2'000'000'000, 2'000'000'000, 2'000'000'000, -5};
  std::memcpy(e.data.get(), wild, 16);
  f.p.WHNumb[0] = 1;
  Repaint(*w);
  const std::string expected = "Polyline " + std::to_string(w->PlotLeft) + "," +
                               std::to_string(w->PlotTop + w->PlotH) + " " +
                               std::to_string(w->PlotLeft + w->PlotW) + "," + std::to_string(w->PlotTop);
  EXPECT_NE(std::find(Rec(*w).Ops().begin(), Rec(*w).Ops().end(), expected), Rec(*w).Ops().end());
  f.p.WHNumb[0] = 0;
  e.data.reset();
  e.size = 0;
}

TEST(GraphTrace, PictureBufferNeverOverflows) {
  for (int length : {1, 2, 3, 5, 1001}) {
    GraphFixture f;
    std::vector<float> data = Noise(length);
    if (length > 3) data[1] = std::numeric_limits<float>::infinity();
    f.Store(data);
    for (int style : {0, 1, 4, 7}) {
      f.G().TraceStyle = style;
      f.G().Envelope = 1;
      f.View(-5, 1 << 30);
      auto w = f.Painted();
      SCOPED_TRACE(std::to_string(length) + "/" + std::to_string(style));
      EXPECT_LE(w->PictureCount(), std::max(2 * w->Half, 0));
      for (int32_t i = 0; i < w->PictureCount(); ++i) {
        EXPECT_GE(w->Picture()[i].y, w->PlotTop);
        EXPECT_LE(w->Picture()[i].y, w->PlotTop + w->PlotH);
      }
    }
  }
}

}  // namespace
