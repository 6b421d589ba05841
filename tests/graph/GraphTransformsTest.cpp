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
  f.View(100, 1599);
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

TEST(GraphTransforms, DegenerateRangesFallBackToOne) {
  GraphFixture f;
  f.Store(Ramp(100));
  auto w = f.Open();
  f.View(5, 5);  // one sample shown
  w->KoefX();
  EXPECT_EQ(w->KX, 1.0f);
  // Empty, reversed, tiny (capped) and overflowing value ranges.
  for (auto [top, bottom, ky] :
       {std::tuple{7.0f, 7.0f, 1.0f}, {3.0f, 9.0f, 1.0f}, {1e-12f, 0.0f, 5e8f}, {3e38f, -3e38f, 1.0f}}) {
    f.Range(top, bottom);
    w->KoefY();
    EXPECT_EQ(w->KY, ky) << top;
  }
}

}  // namespace
