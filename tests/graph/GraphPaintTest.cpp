#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "GraphTestSupport.h"
#include "graph/FontSettings.h"
#include "graph/GraphScaleMath.h"
#include "state/Messages.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;
using graph_test::Rec;
using graph_test::Repaint;

bool HasText(const platform::RecordingCanvas& c, const std::string& text) {
  const std::string quoted = "\"" + text + "\"";
  return std::any_of(c.Ops().begin(), c.Ops().end(), [&](const std::string& op) {
    return op.rfind("Text ", 0) == 0 && op.size() >= quoted.size() &&
           op.compare(op.size() - quoted.size(), quoted.size(), quoted) == 0;
  });
}

int CountWith(const platform::RecordingCanvas& c, const std::string& prefix, const std::string& part) {
  return int(std::count_if(c.Ops().begin(), c.Ops().end(), [&](const std::string& op) {
    return op.rfind(prefix, 0) == 0 && op.find(part) != std::string::npos;
  }));
}

// A store of `channels` channels of `n` samples, channel k holding k·1000 + i.
void StoreChannels(GraphFixture& f, int channels, int n) {
  for (int k = 0; k < channels; ++k) {
    std::vector<float> v = Ramp(n);
    for (float& x : v) x += 1000.0f * float(k);
    f.Store(v, k);
  }
}

TEST(GraphPaint, MultiDisplayDrawsEveryShownChannelInItsLayout) {
  GraphFixture f;
  StoreChannels(f, 3, 200);
  std::strcpy(f.p.FGW.get()[1].Name, "Pressure");
  for (int k = 0; k < 3; ++k) f.p.Col_.get()->TraceColor[k] = 0x10 * uint32_t(k + 1);
  f.G().Multi = 1;
  f.G().MultiMask[0] = 0b111;
  f.G().IR = 199;
  f.Range(3000, 0);
  auto w = f.Painted();
  // Common scale: three traces, each in its colour, with labels.
  EXPECT_TRUE(HasText(Rec(*w), " 2 Pressure"));
  EXPECT_EQ(CountWith(Rec(*w), "SetPen", "000030"), 1);
  const int16_t yTop = int16_t(w->PlotTop + w->PlotH - int((2000 - 0) * w->KY));
  EXPECT_EQ(w->Picture()[0].y, yTop);  // the last trace drawn is channel 3 at 2000

  // Offset layout: channel 3 lies two steps below the own channel 1.
  f.G().MultiMode = 2;
  f.G().MultiStep = 500;
  Repaint(*w);
  EXPECT_EQ(w->Picture()[0].y, int16_t(w->PlotTop + w->PlotH - int((2000 - 1000 - 0) * w->KY)));
  EXPECT_TRUE(HasText(Rec(*w), " 3 "));  // the offset label at the trace

  // Active channel's scale: every channel by its own record's range.
  f.G().MultiMode = 1;
  f.G(2).VMax = 2200;
  f.G(2).VMin = 2000;
  Repaint(*w);
  EXPECT_EQ(w->Picture()[0].y, w->PlotTop + w->PlotH);

  // Derived types in multi display are computed for every shown channel.
  f.G().MultiMode = 0;
  f.G().DisplType = 4;
  Repaint(*w);
  EXPECT_EQ(Rec(*w).Count("Polyline"), 3);
  EXPECT_FLOAT_EQ(f.p.SWaveform[size_t(state::Pocatek(f.p, store::Store::W, 2) + 5)], 2005);
  f.G().DisplType = 2;

  // Strips: three equal bands, a scale in each, the active one highlighted.
  f.G().MultiMode = 0;
  f.G().MultiFlags = 0x2;
  for (int k = 0; k < 3; ++k) f.p.Col_.get()->StripWeight[k] = 1;
  Repaint(*w);
  EXPECT_EQ(Rec(*w).Count("Polyline"), 3);
  EXPECT_EQ(CountWith(Rec(*w), "FillRect", "E6E6E6"), 1);
  EXPECT_EQ(w->Picture()[0].y, w->PlotTop + w->PlotH);  // channel 3 at its own minimum, bottom band
}

TEST(GraphPaint, RasterBlockBoundariesAndCornerNumber) {
  GraphFixture f;
  f.Store(Ramp(1000));
  f.G().IR = 999;
  f.G().Raster = 1;
  f.G().DisplFlags = 0x0002 | 0x0004 | 0x0200;
  f.G().BottomBar = 0;
  f.G().VScale = 0;
  f.G().BlockPage = 1;
  f.G().LimIL = 0;
  f.G().LimIR = 100;
  auto w = f.Painted();
  const int right = w->PlotLeft + w->PlotW;
  const auto& ops = Rec(*w).Ops();
  auto has = [&](int x1, int y1, int x2, int y2) {
    const std::string line = "Line " + std::to_string(x1) + "," + std::to_string(y1) + "-" +
                             std::to_string(x2) + "," + std::to_string(y2);
    return std::find(ops.begin(), ops.end(), line) != ops.end();
  };
  for (int k = 0; k <= 10; ++k) {
    const int y = w->PlotTop + k * w->PlotH / 10;
    EXPECT_TRUE(has(w->PlotLeft, y, right, y)) << k;
  }
  for (int k = 0; k <= 15; ++k) {
    const int x = w->PlotLeft + k * w->PlotW / 15;
    EXPECT_TRUE(has(x, w->PlotTop, x, w->PlotTop + w->PlotH)) << k;
  }
  EXPECT_EQ(CountWith(Rec(*w), "Line", "," + std::to_string(w->PlotTop + 3) + "-"), 10);  // blocks 0..900
  EXPECT_TRUE(HasText(Rec(*w), " 9 "));
  EXPECT_TRUE(HasText(Rec(*w), " 1"));  // the channel number in the corner

  f.G().LimIR = 1;  // 1000 boundaries do not fit 588 columns: none drawn
  Repaint(*w);
  EXPECT_EQ(CountWith(Rec(*w), "Line", "," + std::to_string(w->PlotTop + 3) + "-"), 0);
}

TEST(GraphPaint, ValuePanelAndPrintTitles) {
  GraphFixture f;
  f.Store(Ramp(100));
  std::strcpy(f.p.FGW.get()[0].Name, "Flow");
  std::strcpy(f.p.DW_Name, "/data/run1.wfm");
  auto w = f.Painted();
  float sum[128] = {}, mx[128] = {}, mn[128] = {};
  sum[0] = 10;
  mx[0] = 7.5f;
  mn[0] = -1;
  graph::TDispl10::LiveValues v;
  v.sum = sum;
  v.max = mx;
  v.min = mn;
  v.count = 4;
  v.lines = 3;
  Rec(*w).Clear();
  w->PaintValues(Rec(*w), v);
  EXPECT_TRUE(HasText(Rec(*w), "+02.5000 +07.5000 -01.0000"));
  v.count = 0;  // nothing gathered: no mean, no division by zero
  v.lines = 1;
  Rec(*w).Clear();
  w->PaintValues(Rec(*w), v);
  EXPECT_TRUE(HasText(Rec(*w), ""));

  f.G().PrintMode = 1;
  store::Prt_s& prt = *f.p.Prt.get();
  prt.TextSwitch1 = 1;
  prt.TextSwitch2 = 2;
  prt.TextFontHeight = 20;  // a print record's own cell is used as it stands
  prt.TextFontWidth = 9;
  Rec(*w).Clear();
  w->PaintText(Rec(*w));
  EXPECT_TRUE(HasText(Rec(*w), "Flow"));
  EXPECT_TRUE(HasText(Rec(*w), "run1.wfm"));
  EXPECT_EQ(CountWith(Rec(*w), "SetFont 20x9 ", ""), 1);
  // A cell of thousands of pixels (or a negative one) from a file takes the default.
  for (int16_t bad : {int16_t(30000), int16_t(401), int16_t(-5)}) {
    prt.TextFontHeight = prt.TextFontWidth = bad;
    Repaint(*w);
    EXPECT_EQ(CountWith(Rec(*w), "SetFont 14x6 ", ""), 1) << bad;
    EXPECT_EQ(CountWith(Rec(*w), "SetFont " + std::to_string(bad), ""), 0) << bad;
  }
}

TEST(GraphPaint, OverdrawTurnsThePreviousTraceGrey) {
  GraphFixture f;
  f.Store(Ramp(100));
  f.G().ClearPlot = 0;
  auto w = f.Painted();
  Rec(*w).Clear();
  w->DisplControl();  // not a paint of the window: overdraw
  const std::string plot = "FillRect " + std::to_string(w->PlotLeft) + "," + std::to_string(w->PlotTop);
  EXPECT_EQ(Rec(*w).Count(plot), 0);  // the plot is not cleared
  EXPECT_EQ(CountWith(Rec(*w), "SetPen", "C8C8C8"), 1);
  EXPECT_EQ(Rec(*w).Count("Polyline"), 2);
  // The cursors drawn on the old picture were taken away, then drawn anew.
  EXPECT_EQ(Rec(*w).Count("SetXor 1"), 4);
}

}  // namespace
