#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "GraphTestSupport.h"

namespace {

using graph_test::GraphFixture;
using graph_test::Ramp;

constexpr int kCtrl = 2, kAlt = 4;
constexpr int kF2 = 0x71, kF3 = 0x72, kF4 = 0x73, kF5 = 0x74, kF6 = 0x75;

struct KeyFixture : GraphFixture {
  KeyFixture() {
    Store(Ramp(1000));
    View(200, 399);
    Range(100, -100);
    w = Open();
    w->Paint();
  }
  std::unique_ptr<graph::TDispl10> w;
};

TEST(GraphKeys, FunctionKeysSaveAndRestoreLimitsSwitchTypesAndAutoscale) {
  KeyFixture f;
  EXPECT_TRUE(f.w->KeyDown(kF2, 0));  // saves the view (asked, answered yes)
  EXPECT_EQ(f.G().LimIR, 399);
  f.View(0, 999);
  EXPECT_TRUE(f.w->KeyDown(kF3, 0));
  EXPECT_EQ(f.G().IR, 399);
  f.G().LimIR = 5000;  // saved limits beyond the record: refused
  f.G().IR = 300;
  EXPECT_TRUE(f.w->KeyDown(kF3, 0));
  EXPECT_EQ(f.G().IR, 300);

  // F4 from the second half keeps the same samples in view.
  f.G().DisplType = 1;
  f.w->DisplControl();
  f.View(10, 20);
  EXPECT_TRUE(f.w->KeyDown(kF4, 0));
  EXPECT_EQ(std::tuple(f.G().DisplType, f.G().IL), std::tuple(2, 510));

  EXPECT_TRUE(f.w->KeyDown(kF5, 0));  // the whole record, its range (zeros skipped) with margins
  EXPECT_EQ(f.G().IR, 999);
  EXPECT_FLOAT_EQ(f.G().VMin, 1 - 0.025f * 998);

  f.env.ui.Push(platform::Answer::No);  // F6 transforms a waveform window: the cut declined
  EXPECT_TRUE(f.w->KeyDown(kF6, 0));
  EXPECT_EQ(f.p.WFreq[0], 0);
}

TEST(GraphKeys, F6InAMeasurementWindowSwitchesPointsAndLines) {
  GraphFixture f;
  f.p.HGB.ChannelOn[0] = 1;
  f.p.HGB.Length = 100;
  const int32_t start = state::Pocatek(f.p, store::Store::M, 0);
  for (int i = 0; i < 100; ++i) f.p.Buffer[size_t(start + i)] = float(i);
  graph::TDispl10 w(f.p, "m", store::Store::M, 0, start, graph_test::kRect);
  w.DisplInit();
  store::CG_s& g = f.p.CGB[0];
  g.TraceStyle = 0;
  EXPECT_TRUE(w.KeyDown(kF6, 0));
  EXPECT_EQ(g.TraceStyle, 3);
  EXPECT_TRUE(w.KeyDown(kF6, 0));
  EXPECT_EQ(g.TraceStyle, 0);
}

TEST(GraphKeys, ZoomShiftAndRangeKeysMoveTheView) {
  // Each key from the same view (200..399, -100..100); the tick between
  // keys ends a burst of repeats.
  struct Case {
    int key, mods;
    int il;                                                              // the view's first sample afterwards
    float vmax;                                                          // and its top
  } cases[] = {{0x21, 0, 204, 100},                                      // Page Up: fewer samples
               {0x22, 0, 192, 100},                                      // Page Down: more samples
               {0x25, 0, 204, 100},                                      // Left: towards later samples
               {0x27, 0, 196, 100},                                      // Right: back
               {0x26, 0, 200, 96},                                       // Up lowers the value range by 1/50
               {0x28, 0, 200, 104},         {'P', 0, 200, 100 / 1.08f},  // across zero: both ends divided
               {0x6B, 0, 200, 100 / 1.08f}, {0x6D, 0, 200, 108},         // numeric minus: compressed
               {'M', 0, 200, 108},          {'W', 0, 0, NAN},            // the whole record
               {'A', kCtrl, 0, NAN},        {'Q', 0, 200, 399 + 0.025f * 199}};  // the value range only
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    KeyFixture f;
    EXPECT_TRUE(f.w->KeyDown(c.key, c.mods));
    EXPECT_EQ(f.G().IL, c.il);
    if (!std::isnan(c.vmax)) {
      EXPECT_NEAR(f.G().VMax, c.vmax, 1e-3);
    }
  }
  KeyFixture f;
  EXPECT_FALSE(f.w->KeyDown('1', 0));  // not handled here
  EXPECT_FALSE(f.w->KeyDown('W', kAlt));
  EXPECT_FALSE(f.w->KeyDown('F', kCtrl));
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
  EXPECT_EQ(f.G().Cur2, 399);

  f.G().CursorStep = 1;
  for (int k = 0; k < 7; ++k) EXPECT_TRUE(f.w->KeyDown(0x6A, 0));
  EXPECT_EQ(f.G().CursorStep, 64);
  for (int k = 0; k < 9; ++k) EXPECT_TRUE(f.w->KeyDown(0x6F, 0));
  EXPECT_EQ(f.G().CursorStep, 1);
}

}  // namespace
