#include <gtest/gtest.h>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

constexpr int kCtrl = 2, kAlt = 4;
constexpr int kF2 = 0x71, kF3 = 0x72, kF4 = 0x73, kF5 = 0x74, kF6 = 0x75;

struct KeyFixture : GraphFixture {
  KeyFixture() {
    Store(Ramp(1000));
    G().IL = 200;
    G().IR = 399;
    G().VMax = 100;
    G().VMin = -100;
    w = Open();
    w->Paint();
  }
  std::unique_ptr<graph::TDispl10> w;
};

TEST(GraphKeys, FunctionKeysSaveAndRestoreLimitsSwitchTypesAndAutoscale) {
  KeyFixture f;
  const int beeps = f.env.ui.beeps_;
  EXPECT_TRUE(f.w->KeyDown(kF2, 0));  // saves the view (asked, answered yes)
  EXPECT_EQ(f.G().LimIL, 200);
  EXPECT_EQ(f.G().LimIR, 399);
  EXPECT_FLOAT_EQ(f.G().LimVMax, 100);
  f.G().IL = 0;
  f.G().IR = 999;
  f.G().VMax = 5;
  EXPECT_TRUE(f.w->KeyDown(kF3, 0));
  EXPECT_EQ(f.G().IL, 200);
  EXPECT_EQ(f.G().IR, 399);
  EXPECT_FLOAT_EQ(f.G().VMax, 100);
  EXPECT_EQ(f.env.ui.beeps_, beeps + 2);

  f.G().LimIR = 5000;  // saved limits beyond the record: refused
  EXPECT_TRUE(f.w->KeyDown(kF3, 0));
  EXPECT_EQ(f.G().IR, 399);

  // F4 from the second half keeps the same samples in view.
  f.G().DisplType = 1;
  f.w->DisplControl();
  f.G().IL = 10;
  f.G().IR = 20;
  EXPECT_TRUE(f.w->KeyDown(kF4, 0));
  EXPECT_EQ(f.G().DisplType, 2);
  EXPECT_EQ(f.G().IL, 510);
  EXPECT_EQ(f.G().IR, 520);

  EXPECT_TRUE(f.w->KeyDown(kF5, 0));  // the whole record, its range (zeros skipped) with margins
  EXPECT_EQ(f.G().IL, 0);
  EXPECT_EQ(f.G().IR, 999);
  EXPECT_FLOAT_EQ(f.G().VMax, 999 + 0.025f * 998);
  EXPECT_FLOAT_EQ(f.G().VMin, 1 - 0.025f * 998);

  f.env.ui.Push(platform::Answer::No);  // F6 transforms a waveform window: the cut declined
  EXPECT_TRUE(f.w->KeyDown(kF6, 0));
  EXPECT_EQ(f.p.WFreq[0], 0);
}

TEST(GraphKeys, F6InAMeasurementWindowSwitchesPointsAndLines) {
  GraphFixture f;
  f.p.HGB.ChannelOn[0] = 1;
  f.p.HGB.Length = 100;
  const int32_t start = state::Pocatek(f.p, 0, 0);
  for (int i = 0; i < 100; ++i) f.p.Buffer[size_t(start + i)] = float(i);
  graph::TDispl10 w(f.p, "m", 0, 0, start, graph_test::kRect);
  w.DisplInit();
  store::CG_s& g = f.p.CGB[0];
  g.TraceStyle = 0;
  EXPECT_TRUE(w.KeyDown(kF6, 0));
  EXPECT_EQ(g.TraceStyle, 3);
  EXPECT_TRUE(w.KeyDown(kF6, 0));
  EXPECT_EQ(g.TraceStyle, 0);
}

TEST(GraphKeys, ZoomAndShiftKeysMoveTheView) {
  KeyFixture f;
  EXPECT_TRUE(f.w->KeyDown(0x21, 0));  // Page Up: fewer samples
  EXPECT_EQ(f.G().IL, 204);
  EXPECT_EQ(f.G().IR, 395);
  f.w->Timer();                        // a tick ends the burst of repeats
  EXPECT_TRUE(f.w->KeyDown(0x22, 0));  // Page Down: more samples
  EXPECT_EQ(f.G().IL, 197);
  EXPECT_EQ(f.G().IR, 402);
  f.w->Timer();
  EXPECT_TRUE(f.w->KeyDown(0x25, 0));  // Left: towards later samples
  EXPECT_EQ(f.G().IL, 201);
  EXPECT_TRUE(f.w->KeyDown(0x27, 0));  // Right: back, with a grown step
  EXPECT_LT(f.G().IL, 201);
  f.w->Timer();

  EXPECT_TRUE(f.w->KeyDown(0x26, 0));  // Up lowers the value range by 1/50
  EXPECT_FLOAT_EQ(f.G().VMax, 96);
  EXPECT_FLOAT_EQ(f.G().VMin, -104);
  f.w->Timer();
  EXPECT_TRUE(f.w->KeyDown(0x28, 0));
  EXPECT_FLOAT_EQ(f.G().VMax, 100);
  f.w->Timer();

  const float f50 = 4.0f / 50 + 1;
  EXPECT_TRUE(f.w->KeyDown('P', 0));  // across zero: both ends divided
  EXPECT_FLOAT_EQ(f.G().VMax, 100 / f50);
  f.w->Timer();
  EXPECT_TRUE(f.w->KeyDown(0x6D, 0));  // numeric minus: compress again
  EXPECT_NEAR(f.G().VMax, 100, 1e-3);
  f.w->Timer();
  EXPECT_TRUE(f.w->KeyDown(0x6B, 0));
  EXPECT_TRUE(f.w->KeyDown('M', 0));

  EXPECT_TRUE(f.w->KeyDown('W', 0));  // the whole record
  EXPECT_EQ(f.G().IL, 0);
  EXPECT_EQ(f.G().IR, 999);
  f.G().IL = 100;
  f.G().IR = 200;
  EXPECT_TRUE(f.w->KeyDown('Q', 0));  // the value range only
  EXPECT_EQ(f.G().IL, 100);
  EXPECT_FLOAT_EQ(f.G().VMax, 200 + 0.025f * 100);
  EXPECT_TRUE(f.w->KeyDown('A', kCtrl));
  EXPECT_EQ(f.G().IL, 0);

  EXPECT_FALSE(f.w->KeyDown('Z', 0));  // not handled here
  EXPECT_FALSE(f.w->KeyDown('W', kAlt));
  EXPECT_FALSE(f.w->KeyDown('Z', kCtrl));
}

TEST(GraphKeys, LimitCursorAndStepKeys) {
  KeyFixture f;
  f.G().Cur1 = 250;
  f.G().Cur2 = 300;
  EXPECT_TRUE(f.w->KeyDown('L', kCtrl));  // saves the cursors
  EXPECT_EQ(f.G().SavCur1, 250);
  f.G().Cur1 = 210;
  EXPECT_TRUE(f.w->KeyDown('D', kCtrl));
  EXPECT_EQ(f.G().Cur1, 250);
  EXPECT_TRUE(f.w->KeyDown('R', 0));  // cursors back to the view edges
  EXPECT_EQ(f.G().Cur1, 200);
  EXPECT_EQ(f.G().Cur2, 399);

  f.G().CursorStep = 1;
  for (int k = 0; k < 7; ++k) EXPECT_TRUE(f.w->KeyDown(0x6A, 0));
  EXPECT_EQ(f.G().CursorStep, 64);
  for (int k = 0; k < 9; ++k) EXPECT_TRUE(f.w->KeyDown(0x6F, 0));
  EXPECT_EQ(f.G().CursorStep, 1);
}

}  // namespace
