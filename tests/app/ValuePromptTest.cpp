#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/ValueDialogPainting.h"
#include "app/ValuePrompt.h"
#include "platform/RecordingCanvas.h"

namespace {

using app::ValueKind;
using app::ValuePrompt;

TEST(ValuePrompt, ScrollPositionAndValueFollowEachOther) {
  // The sampling frequency prompt: 1 .. 10000 on a bar of 0 .. 10000.
  ValuePrompt f(ValueKind::Float, 1.0, 10000.0, 100.0, 0, 10000);
  EXPECT_DOUBLE_EQ(f.Step(), 9999.0 / 10000.0);
  EXPECT_EQ(f.Position(), 99);
  f.SetPosition(5000);
  EXPECT_DOUBLE_EQ(f.Value(), 1.0 + 5000 * 0.9999);
  EXPECT_EQ(f.Position(), 5000);
  f.SetPosition(10000);
  EXPECT_DOUBLE_EQ(f.Value(), 10000.0);
  f.SetPosition(20000);  // beyond the bar: its end
  EXPECT_DOUBLE_EQ(f.Value(), 10000.0);

  // A bar that does not start at 0 still starts at min.
  ValuePrompt shifted(ValueKind::Float, 10.0, 20.0, 10.0, 100, 110);
  shifted.SetPosition(100);
  EXPECT_DOUBLE_EQ(shifted.Value(), 10.0);
  shifted.SetPosition(105);
  EXPECT_DOUBLE_EQ(shifted.Value(), 15.0);
  EXPECT_EQ(shifted.Position(), 105);
}

TEST(ValuePrompt, IntegerDialogsRoundToWholeValues) {
  // The channel count prompt: 1 .. 128, bar 0 .. 127.
  ValuePrompt channels(ValueKind::Int16, 1, 128, 1, 0, 127);
  channels.SetPosition(127);
  EXPECT_EQ(channels.Value(), 128);
  channels.SetPosition(0);
  EXPECT_EQ(channels.Value(), 1);
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
  EXPECT_EQ(channels.Value(), 32767);
  EXPECT_EQ(channels.Result(), 128);
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
  p.ToMax();
  EXPECT_DOUBLE_EQ(p.Value(), 100.0);
  p.ToInitial();
  EXPECT_DOUBLE_EQ(p.Value(), 50.0);
  p.ToMin();
  EXPECT_DOUBLE_EQ(p.Value(), 1.0);
}

TEST(ValuePrompt, TextThatIsNoFiniteNumberIsRefusedAndTheValueKept) {
  ValuePrompt p(ValueKind::Float, 0.0, 100.0, 12.0, 0, 1000);
  for (const char* bad : {"", "   ", "abc", "nan", "NaN", "inf", "-inf", "1e999", "-", ".", "+-1", "--2"}) {
    EXPECT_FALSE(p.SetText(bad)) << bad;
    EXPECT_DOUBLE_EQ(p.Value(), 12.0) << bad;
  }
  // What atof would read: the leading number, blanks and a '+' skipped.
  EXPECT_TRUE(p.SetText("  +12.5 Hz"));
  EXPECT_DOUBLE_EQ(p.Value(), 12.5);
  EXPECT_TRUE(p.SetText("7,25"));  // a decimal comma
  EXPECT_DOUBLE_EQ(p.Value(), 7.25);
  EXPECT_TRUE(p.SetText("-.5"));
  EXPECT_DOUBLE_EQ(p.Value(), -0.5);
  // Only the field's ten characters count.
  EXPECT_TRUE(p.SetText("12345678901234"));
  EXPECT_DOUBLE_EQ(p.Value(), 1234567890.0);
}

TEST(ValuePrompt, BadBoundsAndInitialValuesGiveASaneDialog) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  ValuePrompt crossed(ValueKind::Int32, 10, 5, 7, 0, 1000);  // min wins
  EXPECT_EQ(crossed.Min(), 10);
  EXPECT_EQ(crossed.Max(), 10);
  EXPECT_EQ(crossed.Result(), 10);
  crossed.SetPosition(500);
  EXPECT_EQ(crossed.Value(), 10);

  ValuePrompt wild(ValueKind::Float, -inf, inf, nan, 0, 1000);
  EXPECT_TRUE(std::isfinite(wild.Min()));
  EXPECT_TRUE(std::isfinite(wild.Max()));
  EXPECT_TRUE(std::isfinite(wild.Value()));
  EXPECT_TRUE(std::isfinite(wild.Step()));
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

TEST(ValuePrompt, DefaultScrollRangeIsTheSmallIntegerSpanElse1000) {
  int lo = -1, hi = -1;
  app::DefaultScrollRange(ValueKind::Int16, 1, 7, lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 6);
  app::DefaultScrollRange(ValueKind::Int16, 1, 2048, lo, hi);
  EXPECT_EQ(hi, 1000);
  app::DefaultScrollRange(ValueKind::Float, 0.0, 1.0, lo, hi);
  EXPECT_EQ(hi, 1000);
  app::DefaultScrollRange(ValueKind::Int32, 5, 5, lo, hi);
  EXPECT_EQ(hi, 0);
  app::DefaultScrollRange(ValueKind::Int32, 9, 2, lo, hi);  // crossed bounds
  EXPECT_EQ(hi, 1000);
}

TEST(ValueDialogPainting, TitleBarValueBoxAndColours) {
  platform::RecordingCanvas c(400, 152);
  app::PaintValueDialog(c, "Channels", "Tarvelin", "12");
  const auto& ops = c.Ops();
  auto has = [&](const std::string& op) { return std::find(ops.begin(), ops.end(), op) != ops.end(); };
  EXPECT_TRUE(has("FillRect 0,0-400,152 CDDCFF"));
  EXPECT_TRUE(has("FillRect 0,0-400,24 800000"));
  EXPECT_TRUE(has("Text 6,12 LC \"Channels\""));
  EXPECT_TRUE(has("Text 394,12 RC \"Tarvelin\""));
  EXPECT_TRUE(has("Text 262,55 CC \"12\""));
  // Each text in its own colour: white title, yellow name, dark blue value.
  std::vector<std::string> colours;
  for (const std::string& op : ops)
    if (op.rfind("SetTextColor", 0) == 0) colours.push_back(op);
  EXPECT_EQ(colours,
            (std::vector<std::string>{"SetTextColor FFFFFF", "SetTextColor 00FFFF", "SetTextColor 800000"}));
}

}  // namespace
