#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph/GraphScaleMath.h"

namespace {

using graph::NiceStep;
using graph::ScaleTicks;

TEST(GraphScaleMath, DivisionsNiceStepsAndTicksInsideTheRange) {
  // {pixels, field, fixed step, divisions}: by count the step is automatic, a fixed step wins.
  const struct {
    int px, field;
    float fixed;
    int divisions;
  } value[] = {{150, 0, -1, 3}, {250, 0, -1, 4},    {399, 0, -1, 5},     {450, 0, -1, 6},
               {900, 0, -1, 7}, {150, 0x09, -1, 9}, {150, 0x09, 2.0f, 3}},
    time[] = {{99, 0, 0, 3}, {350, 0, 0, 6}, {640, 0, 0, 8}, {640, 0xC0, -1, 12}, {640, 0xC0, 0, 8}};
  for (const auto& c : value) EXPECT_EQ(graph::ValueDivisions(c.px, c.field, c.fixed), c.divisions) << c.px;
  for (const auto& c : time) EXPECT_EQ(graph::TimeDivisions(c.px, c.field, c.fixed), c.divisions) << c.px;

  // Nice steps run 1, 2, 2.5, 5, 10.
  const std::pair<double, double> cases[] = {
      {1.2, 1},  {0.19, 0.2},      {3.33, 2.5},  {50, 50}, {74, 50},
      {80, 100}, {-35, -25},       {2e-7, 2e-7}, {2e9, 0},  // beyond the largest
      {0, 0},    {std::nan(""), 0}};
  for (auto [raw, nice] : cases) EXPECT_DOUBLE_EQ(NiceStep(raw, 1e9), nice) << raw;
  EXPECT_GE(NiceStep(1e-320, 1e9), 0);  // ends, whatever it finds

  // Ticks lie strictly inside the range: 0..10 in 3 divisions, nice step 2.5, gives 2.5, 5, 7.5.
  graph::Ticks t = ScaleTicks(0, 10, 3, 0, 1e9);
  ASSERT_EQ(t.count, 3);
  EXPECT_DOUBLE_EQ(t.At(0), 2.5);
  EXPECT_DOUBLE_EQ(t.At(2), 7.5);
  t = ScaleTicks(-1200, 1200, 5, 0, 1e9);  // step 500
  ASSERT_EQ(t.count, 5);
  EXPECT_DOUBLE_EQ(t.At(0), -1000);
  t = ScaleTicks(0.5, 1.5, 4, 0.1, 1e9);  // a fixed step
  EXPECT_EQ(t.count, 9);
  EXPECT_NEAR(t.At(0), 0.6, 1e-12);
}

TEST(GraphScaleMath, BadRangesAndFixedStepsStayBounded) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  // Infinite, NaN, empty, reversed, no divisions, steps beyond 1e9, one step wider than the range.
  const double none[][4] = {{-inf, inf, 5, 0}, {0, nan, 5, 0},      {5, 5, 5, 0},   {10, 0, 5, 0},
                            {0, 10, 0, 0},     {-3e38, 3e38, 5, 0}, {0, 10, 4, 1e6}};
  for (const auto& r : none) EXPECT_EQ(ScaleTicks(r[0], r[1], int(r[2]), r[3], 1e9).count, 0) << r[0];
  // A fixed step that is tiny, zero, negative or NaN falls back to the automatic one.
  for (double fixed : {1e-30, 0.0, -2.0, nan, inf}) {
    graph::Ticks t = ScaleTicks(0, 10, 4, fixed, 1e9);
    EXPECT_LE(t.count, graph::kMaxTicks) << fixed;
    EXPECT_DOUBLE_EQ(t.step, 2.5) << fixed;
  }
  // The step lost against the size of the range ends: never a hang.
  EXPECT_LE(ScaleTicks(1e15, 1e15 + 1, 4, 0, 1e9).count, graph::kMaxTicks);
}

TEST(GraphScaleMath, LabelsUnitsAndPrefixWords) {
  bool exponent = false;
  EXPECT_EQ(graph::ValueLabel(0.0005, 0.001, -0.001, false, &exponent), "5.00e-04");
  EXPECT_TRUE(exponent);
  EXPECT_EQ(graph::ValueLabel(5, 10, 0, false, &exponent), "5.0");
  EXPECT_FALSE(exponent);
  EXPECT_EQ(graph::ValueLabel(5, 10, 0, true), "5.00");  // one more decimal
  EXPECT_EQ(graph::TimeLabel(0.25, 0, 1), "0.25");

  const struct {
    double span;
    bool frequency, minutes;
    const char* name;
  } units[] = {{0.5, false, false, "ms"},
               {2, false, false, "s    "},
               {600, false, true, "min."},
               {500, true, false, "Hz"},
               {5000, true, false, "kHz"}};
  for (const auto& u : units) EXPECT_EQ(graph::TimeAxisUnit(u.span, u.frequency, u.minutes).name, u.name);
  const graph::AxisUnit hours = graph::TimeAxisUnit(7200, false, true);
  EXPECT_EQ(hours.text, 1235);
  EXPECT_DOUBLE_EQ(hours.factor * 7200, 2);

  bool t100 = false;
  EXPECT_EQ(graph::PrefixWord(3, &t100), "mili");
  EXPECT_FALSE(t100);
  EXPECT_EQ(graph::PrefixWord(103, &t100), "mili");
  EXPECT_TRUE(t100);
  EXPECT_EQ(graph::PrefixWord(40, &t100), "");
  EXPECT_EQ(graph::PrefixWord(-7, &t100), "No U");
}

}  // namespace
