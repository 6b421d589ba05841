#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "app/ValuePrompt.h"

namespace {

using app::ValueKind;
using app::ValuePrompt;

TEST(ValuePrompt, ScrollPositionAndValueFollowEachOther) {
  // The sampling frequency prompt: 1 .. 10000 on a bar of 0 .. 10000.
  ValuePrompt f(ValueKind::Float, 1.0, 10000.0, 100.0, 0, 10000);
  EXPECT_EQ(f.Position(), 99);
  f.SetPosition(5000);
  EXPECT_DOUBLE_EQ(f.Value(), 1.0 + 5000 * 0.9999);
  f.SetPosition(20000);  // beyond the bar: its end
  EXPECT_DOUBLE_EQ(f.Value(), 10000.0);
  // A bar that does not start at 0 still starts at min.
  ValuePrompt shifted(ValueKind::Float, 10.0, 20.0, 10.0, 100, 110);
  shifted.SetPosition(105);
  EXPECT_DOUBLE_EQ(shifted.Value(), 15.0);
  EXPECT_EQ(shifted.Position(), 105);
}

TEST(ValuePrompt, IntegerDialogsRoundToWholeValues) {
  // The channel count prompt: 1 .. 128, bar 0 .. 127.
  ValuePrompt channels(ValueKind::Int16, 1, 128, 1, 0, 127);
  channels.SetPosition(127);
  EXPECT_EQ(channels.Value(), 128);
  // Rows 1 .. 2500 on a bar of 1000: the step is fractional, values stay whole.
  ValuePrompt rows(ValueKind::Int32, 1, 2500, 1, 0, 1000);
  rows.SetPosition(1);
  EXPECT_EQ(rows.Value(), 3);  // 1 + 2.499 rounded
  rows.SetPosition(999);
  EXPECT_EQ(rows.Value(), std::round(1 + 999 * 2.499));
  ASSERT_TRUE(rows.SetText("12.7"));
  EXPECT_EQ(rows.Value(), 13);
  EXPECT_EQ(rows.Text(), "13");
  // Typed beyond the type: kept inside int16, then OK clamps to max.
  ASSERT_TRUE(channels.SetText("99999999"));
  EXPECT_EQ(std::tuple(channels.Value(), channels.Result()), std::tuple(32767, 128));
}

TEST(ValuePrompt, TypedValueOutsideTheRangeIsKeptUntilOkClampsIt) {
  ValuePrompt p(ValueKind::Float, 1.0, 100.0, 50.0, 0, 1000);
  ASSERT_TRUE(p.SetText("5000"));
  EXPECT_DOUBLE_EQ(p.Value(), 5000.0);
  EXPECT_EQ(p.Position(), 1000);  // the bar stays at its end
  EXPECT_DOUBLE_EQ(p.Result(), 100.0);
  ASSERT_TRUE(p.SetText("-3"));
  EXPECT_EQ(p.Position(), 0);
  EXPECT_DOUBLE_EQ(p.Result(), 1.0);
}

TEST(ValuePrompt, TextThatIsNoFiniteNumberIsRefusedAndTheValueKept) {
  ValuePrompt p(ValueKind::Float, 0.0, 100.0, 12.0, 0, 1000);
  for (const char* bad : {"", "   ", "abc", "nan", "NaN", "inf", "-inf", "1e999", "-", ".", "+-1", "--2"}) {
    EXPECT_FALSE(p.SetText(bad)) << bad;
    EXPECT_DOUBLE_EQ(p.Value(), 12.0) << bad;
  }
  // What atof would read: the leading number, blanks and a '+' skipped; a
  // decimal comma; only the field's ten characters.
  for (auto [text, value] :
       {std::pair{"  +12.5 Hz", 12.5}, {"7,25", 7.25}, {"-.5", -0.5}, {"12345678901234", 1234567890.0}}) {
    EXPECT_TRUE(p.SetText(text));
    EXPECT_DOUBLE_EQ(p.Value(), value) << text;
  }
}

TEST(ValuePrompt, BadBoundsAndInitialValuesGiveASaneDialog) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  ValuePrompt crossed(ValueKind::Int32, 10, 5, 7, 0, 1000);  // min wins
  EXPECT_EQ(std::tuple(crossed.Max(), crossed.Result()), std::tuple(10, 10));
  crossed.SetPosition(500);
  EXPECT_EQ(crossed.Value(), 10);

  ValuePrompt wild(ValueKind::Float, -inf, inf, nan, 0, 1000);
  EXPECT_TRUE(std::isfinite(wild.Min()) && std::isfinite(wild.Max()) && std::isfinite(wild.Step()));
  wild.SetPosition(1000);
  EXPECT_TRUE(std::isfinite(wild.Value()));

  ValuePrompt noBar(ValueKind::Float, 0.0, 1.0, 0.5, 5, 5);  // an empty bar
  EXPECT_EQ(noBar.Position(), 5);
  noBar.SetPosition(5);
  EXPECT_DOUBLE_EQ(noBar.Value(), 0.0);

  ValuePrompt nanInitial(ValueKind::Int16, 3, 9, nan, 0, 6);
  EXPECT_EQ(nanInitial.Value(), 3);
}

TEST(ValuePrompt, TextFitsTheFieldAndReadsBack) {
  EXPECT_EQ(ValuePrompt(ValueKind::Float, -1e30, 1e30, 12.5, 0, 1000).Text(), "12.50000");
  for (double v : {0.0, -0.25, 12345.5, -1234567.0, 3.5e12, -7.25e-9, 1e29}) {
    const std::string text = ValuePrompt(ValueKind::Float, -1e30, 1e30, v, 0, 1000).Text();
    EXPECT_LE(text.size(), size_t(ValuePrompt::kMaxChars)) << v;
    double back = 0;
    ASSERT_TRUE(ValuePrompt::ParseNumber(text, back)) << text;
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-3 + 1e-5) << text;
  }
  EXPECT_EQ(ValuePrompt(ValueKind::Int32, -5, 5, -3, 0, 10).Text(), "-3");
}

}  // namespace
