#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/GraphScaleMath.h"

namespace {

using graph::NiceStep;
using graph::ScaleTicks;
using graph::ValueLabel;

TEST(GraphScaleMath, DivisionsFollowThePlotSizeOrTheScaleDivField) {
  EXPECT_EQ(graph::ValueDivisions(150, 0, -1), 3);
  EXPECT_EQ(graph::ValueDivisions(250, 0, -1), 4);
  EXPECT_EQ(graph::ValueDivisions(399, 0, -1), 5);
  EXPECT_EQ(graph::ValueDivisions(450, 0, -1), 6);
  EXPECT_EQ(graph::ValueDivisions(900, 0, -1), 7);
  EXPECT_EQ(graph::ValueDivisions(150, 0x09, -1), 9);    // by count: step automatic
  EXPECT_EQ(graph::ValueDivisions(150, 0x09, 2.0f), 3);  // a fixed step wins
  EXPECT_EQ(graph::TimeDivisions(99, 0, 0), 3);
  EXPECT_EQ(graph::TimeDivisions(350, 0, 0), 6);
  EXPECT_EQ(graph::TimeDivisions(640, 0, 0), 8);
  EXPECT_EQ(graph::TimeDivisions(640, 0xC0, -1), 12);
  EXPECT_EQ(graph::TimeDivisions(640, 0xC0, 0), 8);  // count only with a negative fixed step
}

TEST(GraphScaleMath, NiceStepsRunOneTwoTwoAndAHalfFiveTen) {
  EXPECT_DOUBLE_EQ(NiceStep(1.2, 1e9), 1);
  EXPECT_DOUBLE_EQ(NiceStep(0.19, 1e9), 0.2);
  EXPECT_DOUBLE_EQ(NiceStep(3.33, 1e9), 2.5);
  EXPECT_DOUBLE_EQ(NiceStep(50, 1e9), 50);
  EXPECT_DOUBLE_EQ(NiceStep(74, 1e9), 50);
  EXPECT_DOUBLE_EQ(NiceStep(80, 1e9), 100);
  EXPECT_DOUBLE_EQ(NiceStep(-35, 1e9), -25);
  EXPECT_DOUBLE_EQ(NiceStep(2e-7, 1e9), 2e-7);
  EXPECT_EQ(NiceStep(2e9, 1e9), 0);  // beyond the largest step: no ticks
  EXPECT_EQ(NiceStep(0, 1e9), 0);
  EXPECT_EQ(NiceStep(std::nan(""), 1e9), 0);
  EXPECT_GE(NiceStep(1e-320, 1e9), 0);  // ends, whatever it finds
}

TEST(GraphScaleMath, TicksLieStrictlyInsideTheRange) {
  // 150 px high, 0..10: raw step 3.33, nice step 2.5 (3.33 lies in
  // 2.2p..4p), ticks at 2.5, 5 and 7.5; 0 and 10 are not strictly inside.
  graph::Ticks t = ScaleTicks(0, 10, graph::ValueDivisions(150, 0, -1), 0, 1e9);
  ASSERT_EQ(t.count, 3);
  EXPECT_DOUBLE_EQ(t.At(0), 2.5);
  EXPECT_DOUBLE_EQ(t.At(2), 7.5);
  t = ScaleTicks(0, 10, 2, 0, 1e9);  // raw 5: step 5, only 5 inside
  ASSERT_EQ(t.count, 1);
  EXPECT_DOUBLE_EQ(t.At(0), 5);
  t = ScaleTicks(-1200, 1200, 5, 0, 1e9);  // step 500
  ASSERT_EQ(t.count, 5);
  EXPECT_DOUBLE_EQ(t.At(0), -1000);
  EXPECT_DOUBLE_EQ(t.At(4), 1000);
  t = ScaleTicks(0.5, 1.5, 4, 0.1, 1e9);  // a fixed step
  EXPECT_EQ(t.count, 9);
  EXPECT_NEAR(t.At(0), 0.6, 1e-12);
}

TEST(GraphScaleMath, BadRangesAndFixedStepsStayBounded) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  EXPECT_EQ(ScaleTicks(-inf, inf, 5, 0, 1e9).count, 0);
  EXPECT_EQ(ScaleTicks(0, nan, 5, 0, 1e9).count, 0);
  EXPECT_EQ(ScaleTicks(5, 5, 5, 0, 1e9).count, 0);
  EXPECT_EQ(ScaleTicks(10, 0, 5, 0, 1e9).count, 0);  // reversed
  EXPECT_EQ(ScaleTicks(0, 10, 0, 0, 1e9).count, 0);
  EXPECT_EQ(ScaleTicks(-3e38, 3e38, 5, 0, 1e9).count, 0);  // steps beyond 1e9
  // A fixed step that is tiny, zero, negative or NaN falls back to the automatic one.
  for (double fixed : {1e-30, 0.0, -2.0, nan, inf}) {
    graph::Ticks t = ScaleTicks(0, 10, 4, fixed, 1e9);
    SCOPED_TRACE(fixed);
    EXPECT_GE(t.count, 1);
    EXPECT_LE(t.count, graph::kMaxTicks);
    EXPECT_DOUBLE_EQ(t.step, 2.5);
  }
  EXPECT_EQ(ScaleTicks(0, 10, 4, 1e6, 1e9).count, 0);  // one step wider than the range: none inside
  // The step lost against the size of the range ends: never a hang.
  graph::Ticks t = ScaleTicks(1e15, 1e15 + 1, 4, 0, 1e9);
  EXPECT_LE(t.count, graph::kMaxTicks);
}

TEST(GraphScaleMath, LabelFormsFollowTheMagnitude) {
  bool exponent = false;
  EXPECT_EQ(ValueLabel(0.0005, 0.001, -0.001, false, &exponent), "5.00e-04");
  EXPECT_TRUE(exponent);
  EXPECT_EQ(ValueLabel(150000, 200000, 0, false, &exponent), "1.50e+05");
  EXPECT_TRUE(exponent);
  EXPECT_EQ(ValueLabel(5, 10, 0, false, &exponent), "5.0");
  EXPECT_FALSE(exponent);
  EXPECT_EQ(ValueLabel(200, 1000, 0, false), "200");
  EXPECT_EQ(ValueLabel(5, 10, 0, true), "5.00");  // one more decimal
  EXPECT_EQ(graph::TimeLabel(0.25, 0, 1), "0.25");
}

TEST(GraphScaleMath, TimeUnitsAndPrefixWords) {
  graph::AxisUnit u = graph::TimeAxisUnit(0.5, false, false);
  EXPECT_EQ(u.name, "ms");
  EXPECT_EQ(u.factor, 1000);
  EXPECT_EQ(graph::TimeAxisUnit(2, false, false).name, "s    ");
  EXPECT_EQ(graph::TimeAxisUnit(30, false, true).name, "s    ");
  EXPECT_EQ(graph::TimeAxisUnit(600, false, true).name, "min.");
  u = graph::TimeAxisUnit(7200, false, true);
  EXPECT_EQ(u.text, 1235);
  EXPECT_DOUBLE_EQ(u.factor * 7200, 2);
  EXPECT_EQ(graph::TimeAxisUnit(200000, false, true).text, 1236);
  EXPECT_EQ(graph::TimeAxisUnit(500, true, false).name, "Hz");
  EXPECT_EQ(graph::TimeAxisUnit(5000, true, false).name, "kHz");

  bool t100 = false;
  EXPECT_EQ(graph::PrefixWord(0, &t100), "No U");
  EXPECT_EQ(graph::PrefixWord(3, &t100), "mili");
  EXPECT_EQ(graph::PrefixWord(6, &t100), "mega");
  EXPECT_FALSE(t100);
  EXPECT_EQ(graph::PrefixWord(103, &t100), "mili");
  EXPECT_TRUE(t100);
  EXPECT_EQ(graph::PrefixWord(40, &t100), "");
  EXPECT_EQ(graph::PrefixWord(-7, &t100), "No U");
}

}  // namespace
