#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

TEST(GraphTransforms, SampleIndexAndPixelRoundTrip) {
  GraphFixture f;
  f.Store(Ramp(2000));
  f.G().IL = 100;
  f.G().IR = 1599;
  auto w = f.Open();
  w->DisplControl();
  EXPECT_FLOAT_EQ(w->SPP, float(1499.0 / w->PlotW));
  EXPECT_EQ(w->GlobalVertToMouse(100), w->PlotLeft);
  EXPECT_GE(w->GlobalVertToMouse(1599), w->PlotLeft + w->PlotW - 1);  // KX is a float, then truncated
  for (int32_t i = 100; i <= 1599; i += 7) {
    int back = w->MouseVertToGlobal(w->GlobalVertToMouse(i));
    EXPECT_LE(std::abs(back - i), int(std::ceil(w->SPP)) + 1) << i;
  }
  for (int16_t x = w->PlotLeft; x <= w->PlotLeft + w->PlotW; x += 5) {
    EXPECT_LE(std::abs(w->GlobalVertToMouse(w->MouseVertToGlobal(x)) - x), 1) << x;
    EXPECT_NEAR(w->FMouseVertToGlobal(x), 100 + (x - w->PlotLeft) * w->SPP, 1e-3);
  }
  // Far indices clamp instead of overflowing.
  EXPECT_EQ(w->GlobalVertToMouse(std::numeric_limits<int32_t>::max()), w->PlotLeft + 32000);
  EXPECT_EQ(w->GlobalVertToMouse(std::numeric_limits<int32_t>::min()), w->PlotLeft - 32000);
  EXPECT_EQ(w->FloatGlobalVertToMouse(1e30f), w->PlotLeft + 32000);
  EXPECT_EQ(w->FloatGlobalVertToMouse(std::nanf("")), w->PlotLeft);
}

TEST(GraphTransforms, ValueAndPixelRoundTrip) {
  GraphFixture f;
  f.Store(Ramp(2000));
  f.G().IL = 0;
  f.G().IR = 1999;
  f.G().VMax = 50;
  f.G().VMin = -150;
  auto w = f.Open();
  w->DisplControl();
  EXPECT_FLOAT_EQ(w->KY, w->PlotH / 200.0f);
  const int16_t x = w->PlotLeft + 10;
  EXPECT_EQ(w->GlobalHorizToMouse(-150, x), w->PlotTop + w->PlotH);
  EXPECT_EQ(w->GlobalHorizToMouse(50, x), w->PlotTop);
  for (float v = -150; v <= 50; v += 3.7f) {
    float back = w->MouseHorizToGlobal(w->GlobalHorizToMouse(v, x));
    EXPECT_NEAR(back, v, 1.0f / w->KY + 1e-3f) << v;
  }
  // Values beyond the view are clamped into the mouse area, not wrapped.
  EXPECT_EQ(w->GlobalHorizToMouse(-1e30f, x), w->PlotTop + w->PlotH);
  EXPECT_EQ(w->GlobalHorizToMouse(std::numeric_limits<float>::infinity(), x), w->PlotTop);
  // So are the points asked for inside it.
  int16_t px = -100, py = 30000;
  EXPECT_FALSE(w->OK_xy(px, py));
  EXPECT_EQ(std::pair(px, py), std::pair(w->PlotLeft, int16_t(w->PlotTop + w->PlotH)));
  px = int16_t(w->PlotLeft + 1);
  EXPECT_TRUE(w->OK_xy(px, py));
}

TEST(GraphTransforms, XYPlotRoundTripAndClamp) {
  GraphFixture f;
  f.Store(Ramp(100));
  f.G().XYPlot = 1;
  f.G().XMin = -10;
  f.G().XMax = 10;
  auto w = f.Open();
  w->DisplControl();
  EXPECT_FLOAT_EQ(w->KX, w->PlotW / 20.0f);
  EXPECT_FLOAT_EQ(f.G().XCur1, -10);  // set-up puts the cursors at the ends
  EXPECT_FLOAT_EQ(f.G().XCur2, 10);
  for (float v = -10; v <= 10; v += 0.9f)
    EXPECT_NEAR(w->MouseVertToGlobalXYPlot(w->GlobalVertToMouseXYPlot(v)), v, 1.0f / w->KX + 1e-4f);
  EXPECT_EQ(w->GlobalVertToMouseXYPlot(1e6f), w->PlotLeft + w->PlotW);
  EXPECT_EQ(w->GlobalVertToMouseXYPlot(-1e6f), w->PlotLeft);
}

TEST(GraphTransforms, DegenerateRangesFallBackToOne) {
  GraphFixture f;
  f.Store(Ramp(100));
  auto w = f.Open();
  f.G().IL = 5;
  f.G().IR = 5;  // one sample shown
  w->KoefX();
  EXPECT_EQ(w->KX, 1.0f);
  // Empty, reversed, tiny (capped) and overflowing value ranges.
  for (auto [top, bottom, ky] :
       {std::tuple{7.0f, 7.0f, 1.0f}, {3.0f, 9.0f, 1.0f}, {1e-12f, 0.0f, 5e8f}, {3e38f, -3e38f, 1.0f}}) {
    f.G().VMax = top;
    f.G().VMin = bottom;
    w->KoefY();
    EXPECT_EQ(w->KY, ky) << top;
  }
}

TEST(GraphTransforms, HorizontalCursorSitsOnTheTraceWhenZoomedIn) {
  GraphFixture f;
  f.Store(Ramp(1000));
  f.G().IL = 10;
  f.G().IR = 20;  // more pixels than samples
  f.G().VMax = 100;
  f.G().VMin = 0;
  auto w = f.Open();
  w->DisplControl();
  ASSERT_LT(w->SPP, 1.0f);
  const int16_t x = w->GlobalVertToMouse(15);
  // Whatever value is asked, the line goes through the ramp's value 15.
  EXPECT_NEAR(w->CursorMagnitude(x), 15.0f, 0.05f);
  EXPECT_EQ(w->GlobalHorizToMouse(90, x), w->GlobalHorizToMouse(15, x));
  EXPECT_NEAR(w->MouseHorizToGlobal(w->GlobalHorizToMouse(0, x)), 15.0f, 1.0f / w->KY + 0.05f);
}

TEST(GraphTransforms, StripsLayoutPlacesTheActiveChannelInItsStrip) {
  GraphFixture f;
  f.Store(Ramp(1000), 0);
  f.Store(Ramp(1000), 1);
  f.p.Col_[0].StripWeight[0] = 1;
  f.p.Col_[0].StripWeight[1] = 3;
  f.G(0).Multi = 1;
  f.G(0).MultiFlags = 0x2;
  f.G(0).MultiMask[0] = 0x3;
  f.G(0).IL = 0;
  f.G(0).IR = 999;  // fewer pixels than samples: the value itself is placed
  f.G(0).VMax = 10;
  f.G(0).VMin = 0;
  auto w = f.Open(0);
  w->DisplControl();
  const int16_t x = w->PlotLeft + 5;
  // Channel 1 has a quarter of the height: its bottom is a quarter down.
  const double unit = w->PlotH / 4.0;
  EXPECT_EQ(w->GlobalHorizToMouse(0, x), int(unit + w->PlotTop));
  EXPECT_EQ(w->GlobalHorizToMouse(10, x), w->PlotTop);
  f.p.Col_[0].StripWeight[0] = f.p.Col_[0].StripWeight[1] = 0;
  EXPECT_EQ(w->GlobalHorizToMouse(5, x), 0);  // no weights: no place
}

}  // namespace
