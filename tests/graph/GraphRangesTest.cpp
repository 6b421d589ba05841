#include <gtest/gtest.h>

#include <tuple>

#include "GraphTestSupport.h"
#include "state/Messages.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

TEST(GraphRanges, VerticalZoomKeepsZeroOrTheCentre) {
  GraphFixture f;
  f.Store(Ramp(100));
  auto w = f.Open();
  const float fct = 4.0f / 50 + 1;
  struct Case {
    float top, bottom;
    bool expand;
    float newTop, newBottom;
  } cases[] = {{30, -10, true, 30 / fct, -10 / fct},  // across zero: both ends divided
               {30, 10, true, 20 + 10 / fct, 20 - 10 / fct},
               {30, 10, false, 20 + 10 * fct, 20 - 10 * fct}};
  for (const Case& c : cases) {
    w->Div = 50;
    f.Range(c.top, c.bottom);
    c.expand ? w->MagExpand() : w->MagCompress();
    EXPECT_NEAR(f.G().VMax, c.newTop, 1e-4) << c.top << " " << c.bottom;
    EXPECT_NEAR(f.G().VMin, c.newBottom, 1e-4) << c.top << " " << c.bottom;
    EXPECT_EQ(w->Div, 35);
  }
}

TEST(GraphRanges, ShiftStepOfALongRecordDoesNotWrap) {
  GraphFixture f(2'000'000);
  f.Store(std::vector<float>(2'000'000, 1.0f));
  f.View(0, 1'899'999);
  auto w = f.Open();
  w->LeftDataShift();  // 1 900 000 / 50 = 38 000, more than 16 bits hold
  EXPECT_EQ(f.G().IL, 38000);
}

TEST(GraphRanges, BlockPaging) {
  GraphFixture f;
  f.Store(Ramp(1000));
  auto w = f.Open();
  store::CG_s& g = f.G();
  g.BlockStep = 1;
  g.IL = 0;
  g.IR = 99;
  w->LeftDataShift();
  EXPECT_EQ(std::tuple(g.IR, g.IL), std::tuple(199, 99));
  g.IL = 850;
  g.IR = 949;
  w->LeftDataShift();  // no room for a page: to the end
  EXPECT_EQ(std::tuple(g.IR, g.IL), std::tuple(999, 899));
  w->RightDataShift();
  EXPECT_EQ(g.IL, 798);
  g.IL = 0;
  g.IR = 999;
  w->LeftDataShift();  // a page as wide as the record never starts before it
  EXPECT_EQ(std::tuple(g.IL, g.IR), std::tuple(0, 999));

  // Paging by the saved limits, times the step.
  g.BlockPage = 1;
  g.BlockStep = 2;
  g.LimIL = 0;
  g.LimIR = 49;
  g.IL = 0;
  g.IR = 49;
  w->LeftDataShift();
  EXPECT_EQ(std::tuple(g.IL, g.IR), std::tuple(100, 149));
  w->RightDataShift();
  EXPECT_EQ(std::tuple(g.IL, g.IR), std::tuple(0, 49));
  g.LimIL = 70;
  g.LimIR = 20;  // crossed limits from a job file still page forward
  w->LeftDataShift();
  EXPECT_GT(g.IL, 0);
}

TEST(GraphRanges, XYAutoscaleTakesBothChannels) {
  GraphFixture f;
  std::vector<float> x(100), y(100);
  for (int i = 0; i < 100; ++i) {
    x[size_t(i)] = float(i) - 50;
    y[size_t(i)] = float(i) * 2;
  }
  f.Store(y, 0);
  f.Store(x, 1);
  f.G().XYPlot = 1;
  f.G().XChan = 1;
  f.G().YChan = 0;
  f.View(0, 99);
  auto w = f.Open();
  w->AutoscaleAll({.redraw = true, .wholeRecord = false, .skipZeros = false});
  // Indices IL..IR-1: x from -50 to 48, y from 0 to 196, 5 % margins.
  EXPECT_FLOAT_EQ(f.G().XMax, 48 + 0.05f * 98);
  EXPECT_FLOAT_EQ(f.G().XMin, -50 - 0.05f * 98);
  EXPECT_FLOAT_EQ(f.G().VMax, 196 + 0.05f * 98);

  f.G().XChan = 500;  // out of range from a job file: nothing scanned
  f.G().XFullMax = 1;
  w->SetMaxMinXYPlot();
  EXPECT_FLOAT_EQ(f.G().XFullMax, 1);
}

TEST(GraphRanges, MultiAutoscaleCommonScaleAndOffsetTraces) {
  GraphFixture f;
  f.Store(Ramp(100), 0);
  std::vector<float> low(100, -40.0f);
  f.Store(low, 2);
  f.G(0).Multi = 1;
  f.G(0).MultiMask[0] = 0x5;
  f.G(0).IL = 0;
  f.G(0).IR = 99;
  auto w = f.Open(0);
  w->AutoscaleAll({.redraw = true, .wholeRecord = false, .skipZeros = false});
  EXPECT_FLOAT_EQ(f.G(0).VFullMin, -40);
  EXPECT_FLOAT_EQ(f.G(0).VMax, 99 + 0.025f * 139);

  f.G(0).MultiMode = 2;
  f.G(0).MultiStep = 10;
  f.G(0).VFullMax = 5;
  w->AutoscaleAll({.redraw = true,
                   .wholeRecord = false,
                   .skipZeros = false});  // two shown channels at or above the own one
  EXPECT_FLOAT_EQ(f.G(0).VFullMax, 5);
  EXPECT_FLOAT_EQ(f.G(0).VFullMin, 5 - 20);
}

}  // namespace
