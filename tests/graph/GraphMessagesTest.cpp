#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

#include "GraphTestSupport.h"
#include "graph/StoreLimits.h"
#include "state/Messages.h"

namespace {

// A program with the general texts loaded (panel labels are checked).
struct MsgFixture : graph_test::GraphFixture {
  MsgFixture() : GraphFixture(65536, true) {}

  void Store(const std::vector<float>& data, int chan = 0, float step = 0.001f) {
    GraphFixture::Store(data, chan);
    p.FGW[size_t(chan)].Step = step;
  }
  std::unique_ptr<graph::TDispl10> Open(int chan = 0, store::Store isW = store::Store::W) {
    auto w = std::make_unique<graph::TDispl10>(p, "t", isW, int16_t(chan), state::Pocatek(p, isW, chan),
                                               graph_test::kRect);
    w->DisplInit();
    w->Paint();
    return w;
  }
  static platform::RecordingCanvas& Canvas(graph::TDispl10& w) {
    return static_cast<platform::RecordingCanvas&>(w.Surface());
  }
  // A text call whose text is `text` (or holds `part`).
  static bool Drew(graph::TDispl10& w, const std::string& text) { return DrewPart(w, "\"" + text + "\""); }
  static bool DrewPart(graph::TDispl10& w, const std::string& part) {
    for (const std::string& op : Canvas(w).Ops())
      if (op.rfind("Text ", 0) == 0 && op.find(part) != std::string::npos) return true;
    return false;
  }
  int NotAvailable() const { return testing_support::NotAvailableMessages(env.ui); }
};

using Values = std::vector<float>;

using graph_test::Ramp;

TEST(GraphMessages, PowerPanelOfAVoltageAndCurrentPair) {
  MsgFixture f;
  const int n = 2000;  // 0.4 s at 5 kHz: twenty periods of 50 Hz
  std::vector<float> u(n), i(n);
  for (int k = 0; k < n; ++k) {
    const double t = k * 0.0002;
    u[size_t(k)] = float(100 * std::sin(2 * M_PI * 50 * t));
    i[size_t(k)] = float(2 * std::sin(2 * M_PI * 50 * t - M_PI / 3));
  }
  f.Store(u, 0, 0.0002f);
  f.Store(i, 1, 0.0002f);
  auto w = f.Open();
  f.Canvas(*w).Clear();
  w->UserMessage(2047, 0);
  EXPECT_TRUE(f.Drew(*w, "   70.711"));    // U
  EXPECT_TRUE(f.Drew(*w, "   60.000"));    // the phase in degrees
  EXPECT_TRUE(f.Drew(*w, "    0.02000"));  // I / U in its own format

  // The current channel's own window has no partner after it.
  auto second = f.Open(1);
  f.Canvas(*second).Clear();
  second->UserMessage(2047, 0);
  EXPECT_EQ(f.Canvas(*second).Count("Text"), 0);
}

TEST(GraphMessages, DisplayTypePenAndVideoMemoryCodes) {
  MsgFixture f;
  f.Store(Ramp(256));
  auto w = f.Open();
  store::CG_s& g = f.p.CGW[0];
  // 2036 from power: back to both halves.
  const std::pair<int, int> types[] = {{2034, graph::kPower},    {2035, graph::kMagnitude},
                                       {2135, graph::kOverlaid}, {2136, graph::kBothHalves},
                                       {2034, graph::kPower},    {2036, graph::kBothHalves}};
  for (auto [code, type] : types) {
    w->UserMessage(code, 0);
    EXPECT_EQ(int(g.DisplType), type) << code;
  }
  for (auto [arg, width] : {std::pair{9, 3}, {-4, 0}, {2, 2}}) {  // widths clamped to 0..3
    w->UserMessage(2038, arg);
    EXPECT_EQ(g.PenWidth, width) << arg;
  }
  // Stored pictures: two added, all cleared, then the hot keys F7 and F8.
  for (auto [code, count] : {std::pair{2020, 1}, {2020, 2}, {2030, 0}, {2061, 1}, {2062, 0}}) {
    w->UserMessage(code, 0);
    EXPECT_EQ(w->HBufCount(), count) << code;
  }
}

TEST(GraphMessages, TransformCutsToAPowerOfTwoAndShowsMagnitudes) {
  MsgFixture f;
  f.Store(Ramp(1000));
  f.p.QWWin[0] = f.Open();
  auto& w = static_cast<graph::TDispl10&>(*f.p.QWWin[0]);
  f.env.ui.SetDefaultAnswer(platform::Answer::Yes);
  w.UserMessage(2031, 0);
  EXPECT_EQ(std::tuple(int(f.p.HGW.Length), int(f.p.CGW[0].DisplType)), std::tuple(512, graph::kMagnitude));
  w.UserMessage(2031, 0);  // and back
  EXPECT_EQ(int(f.p.CGW[0].DisplType), graph::kBothHalves);
  EXPECT_NEAR(f.p.Waveform[size_t(state::Pocatek(f.p, store::Store::W, 0)) + 100], 100.0f, 1e-2);

  // Declining the cut changes nothing.
  f.Store(Ramp(300));
  w.UserMessage(2040, 0);
  f.env.ui.Push(platform::Answer::No);
  w.UserMessage(2031, 0);
  EXPECT_EQ(std::tuple(int(f.p.HGW.Length), f.p.WFreq[0]), std::tuple(300, 0));
  f.p.QWWin[0].reset();
}

TEST(GraphMessages, WeightingZeroOffsetAndSmoothingChangeTheChannel) {
  MsgFixture f;
  f.Store(std::vector<float>(64, 5.0f));
  f.p.QWWin[0] = f.Open();
  auto& w = static_cast<graph::TDispl10&>(*f.p.QWWin[0]);
  const size_t start = size_t(state::Pocatek(f.p, store::Store::W, 0));
  f.p.MacGoing = 1;  // no questions: the whole channel
  w.UserMessage(2032, 0);
  EXPECT_NEAR(f.p.Waveform[start], 5.0f * 0.00095f, 1e-4);
  w.UserMessage(2037, 0);  // zero offset: mean removed
  double sum = 0;
  for (size_t k = 0; k < 64; ++k) sum += f.p.Waveform[start + k];
  EXPECT_NEAR(sum / 64, 0.0, 1e-4);

  // Smoothing with the width from the argument.
  for (size_t k = 0; k < 64; ++k) f.p.Waveform[start + k] = k % 2 ? 1.0f : -1.0f;
  f.p.Argument = 2;
  w.UserMessage(2101, 0);
  EXPECT_EQ(w.SmoothWidth, 2);

  // Asked: only between the cursors (No to the whole channel).
  f.p.MacGoing = 0;
  f.p.Argument = -1;
  for (size_t k = 0; k < 64; ++k) f.p.Waveform[start + k] = k % 2 ? 1.0f : -1.0f;
  f.p.CGW[0].Cur1 = 40;
  f.p.CGW[0].Cur2 = 20;
  f.env.ui.Push(int64_t(4));
  f.env.ui.Push(platform::Answer::No);
  w.UserMessage(2101, 0);
  EXPECT_EQ(w.SmoothWidth, 4);
  EXPECT_FLOAT_EQ(f.p.Waveform[start + 5], 1.0f);  // outside the cursors
  EXPECT_LT(std::fabs(f.p.Waveform[start + 30]), 1.0f);
  // A cancelled width prompt smooths nothing and asks nothing more.
  const std::vector<float> before(f.p.Waveform.get() + start, f.p.Waveform.get() + start + 64);
  f.env.ui.ClearLog();
  f.env.ui.Push(platform::Answer::Cancel);
  w.UserMessage(2101, 0);
  EXPECT_EQ(f.env.ui.Log().size(), 1u);
  EXPECT_EQ(std::vector<float>(f.p.Waveform.get() + start, f.p.Waveform.get() + start + 64), before);
  f.p.QWWin[0].reset();
}

TEST(GraphMessages, ProgressScaleAndAutoscaleCodes) {
  MsgFixture f;
  f.p.HGB.ChannelOn[0] = 1;
  f.p.HGB.Length = 100;
  const int start = state::Pocatek(f.p, store::Store::M, 0);
  for (int i = 0; i < 100; ++i) f.p.Buffer[size_t(start + i)] = float(i);
  auto m = f.Open(0, store::Store::M);
  store::CG_s& g = f.p.CGB[0];
  g.IL = 0;
  g.IR = 30;
  f.p.Bindx = 30;
  m->UserMessage(2001, 0);  // no run: the view stays
  EXPECT_EQ(g.IL, 0);
  f.p.QM = 1;
  m->UserMessage(2001, 0);
  EXPECT_EQ(g.IR, 60);
  f.p.Bindx = 98;
  g.IL = 60;
  g.IR = 90;
  m->UserMessage(2001, 0);  // stops at the record's end, width kept
  EXPECT_EQ(std::tuple(g.IR, g.IL), std::tuple(99, 69));
  f.p.QM = 0;

  f.Canvas(*m).Clear();
  m->UserMessage(2127, 0);
  EXPECT_GT(f.Canvas(*m).Count("Text"), 0);  // the time scale labels
  g.DisplFlags &= ~0x0040;
  m->DisplInit();
  f.Canvas(*m).Clear();
  m->UserMessage(2119, 0);  // no button bar: nothing
  EXPECT_EQ(f.Canvas(*m).Ops().size(), 0u);
  g.DisplFlags |= 0x0040;
  m->DisplInit();
  m->UserMessage(2119, 0);  // the bar is part of the window's repaint
  EXPECT_GT(f.Canvas(*m).Ops().size(), 0u);

  g.VMax = 1000;
  g.VMin = 900;
  m->UserMessage(2137, 0);  // the value range only, view kept
  EXPECT_EQ(g.IL, 69);
  EXPECT_NEAR(g.VMax, 99 + 0.025f * 30, 1e-3);
}

TEST(GraphMessages, EveryCodeIsSafeOnEmptyAndBrokenData) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int variant = 0; variant < 3; ++variant) {
    MsgFixture f;
    f.p.MacGoing = 1;  // no questions
    f.env.ui.SetDefaultAnswer(platform::Answer::Yes);
    if (variant == 0) f.Store(Values({nan, nan, nan}));
    if (variant == 1) f.Store(Values({3}));
    if (variant == 2) {
      f.Store(Ramp(16));
      f.p.HGW.Length = 0;  // the store emptied under the window
    }
    auto w = f.Open();
    f.p.CGW[0].Cur1 = -7;
    f.p.CGW[0].Cur2 = 1 << 30;
    graph::SetStoreLimits(f.p, store::Store::W, {0, 1, 1.0f, 0.0f});
    for (int code = 2000; code <= 2140; ++code) {
      if (code == 2126) continue;  // the live acquisition is not a view message
      w->UserMessage(code, code == 2038 ? 1 : 0);
    }
    w->Timer();
  }
}

}  // namespace
