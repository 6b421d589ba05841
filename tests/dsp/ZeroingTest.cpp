#include <gtest/gtest.h>

#include <vector>

#include "dsp/DspTestSupport.h"
#include "dsp/ZeroOffset.h"
#include "dsp/Zeroing.h"
#include "ops/ZeroOffset.h"
#include "ops/Zeroing.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using platform::Answer;
using store::Store;
using V = std::vector<float>;

V Ones(int n) { return V(static_cast<size_t>(n), 1.0f); }

std::vector<int> ZeroIndices(const V& v) {
  std::vector<int> z;
  for (size_t i = 0; i < v.size(); ++i)
    if (v[i] == 0.0f) z.push_back(int(i));
  return z;
}

TEST(ZeroChannelRange, SpectrumBinsAndTimeRanges) {
  const struct {
    int n;
    bool spectrum;
    int from, to;
    std::vector<int> zeros;
  } cases[] = {
      {16, true, 2, 3, {2, 3, 10, 11}},                  // bins take their imaginary parts
      {16, true, 12, 40, {4, 5, 6, 7, 12, 13, 14, 15}},  // imaginary parts take their real parts
      {16, true, 6, 12, {6, 7, 8, 14, 15}},  // a range across the middle stops at the Nyquist slot
      {16, true, 0, 0, {0, 8}},              // bin 0 takes the Nyquist slot with it
      {10, false, 7, 100, {7, 8, 9}},
      {10, false, -1, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},  // negative from: everything
      {10, false, 6, 2, {}},                               // reversed
      {10, false, 12, 20, {}},
      {10, false, 4, -1, {4, 5, 6, 7, 8, 9}},  // negative to: the end
  };
  for (const auto& c : cases) {
    V x = Ones(c.n);
    dsp::ZeroChannelRange(x.data(), c.n, c.spectrum, c.from, c.to);
    EXPECT_EQ(ZeroIndices(x), c.zeros) << c.spectrum << " " << c.from << ".." << c.to;
  }
}

class Zeroing : public ::testing::Test {
 protected:
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(Zeroing, SelectedOrAllActiveChannels) {
  dsptest::FillStore(p, 0, {1, 2}, {Ones(8), Ones(8)}, 8);
  p.HGB.TriggerFlag = 1;
  auto windows = dsptest::OpenLoggingWindows(p, 0);
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(ops::ZeroWave(p, Store::M, 3, 2, 4), 1);  // channel 3 is index 2
  EXPECT_EQ(ZeroIndices(Channel(p, 0, 2)), (std::vector<int>{2, 3, 4}));
  EXPECT_TRUE(ZeroIndices(Channel(p, 0, 1)).empty());
  EXPECT_EQ(p.HGB.TriggerFlag, 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 328));
  // Data changed to both windows, then the redraw of the zeroed channel.
  EXPECT_EQ(*windows, (dsptest::WindowLog{{1, 2040}, {2, 2040}, {2, 2000}}));
  windows->clear();
  p.MacGoing = 1;
  env.ui.ClearLog();
  ASSERT_EQ(ops::ZeroWave(p, Store::M, 0, -1, -1), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(ZeroIndices(Channel(p, 0, 1)).size(), 8u);
  EXPECT_EQ(dsptest::Codes(*windows), (std::vector<int>{2040, 2040}));
}

TEST_F(Zeroing, DeclinedInactiveOrMissing) {
  dsptest::FillStore(p, 1, {0}, {Ones(8)}, 8);
  p.HGW.TriggerFlag = 1;
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::ZeroWave(p, Store::W, 0, -1, -1), 0);
  EXPECT_EQ(p.HGW.TriggerFlag, 1);
  EXPECT_EQ(ops::ZeroWaveUtil(p, Store::W, 5, -1, -1, false, false), 1);  // inactive: nothing to zero
  EXPECT_EQ(ops::ZeroWaveUtil(p, Store::W, 129, -1, -1, false, false), 0);
  EXPECT_EQ(Channel(p, 1, 0), Ones(8));
  p.Waveform.reset();
  EXPECT_EQ(ops::ZeroWave(p, Store::W, 0, -1, -1), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 490));
}

TEST_F(Zeroing, MenuReopensWaveformWindows) {
  dsptest::FillStore(p, 1, {0, 1}, {Ones(8), Ones(8)}, 8);
  auto windows = dsptest::OpenLoggingWindows(p, 1);
  auto* before = p.QWWin[0].get();
  ASSERT_EQ(ops::ZeroWaveMenu(p, Store::W), 1);
  EXPECT_EQ(ZeroIndices(Channel(p, 1, 1)).size(), 8u);
  ASSERT_TRUE(p.QWWin[0]);
  EXPECT_NE(p.QWWin[0].get(), before);
}

TEST_F(Zeroing, OffsetSubtractsTheMean) {
  dsptest::FillStore(p, 1, {4}, {{1, 2, 3, 10, 20, 30}}, 6);
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(ops::ZeroOffsetOfChannel(p, Store::W, 4, 3, 99), 1);
  EXPECT_EQ(Channel(p, 1, 4), (V{1, 2, 3, -10, 0, 10}));
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 435));
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::ZeroOffsetOfChannel(p, Store::W, 4, 0, 5), 0);
  p.MacGoing = 1;
  EXPECT_EQ(ops::ZeroOffsetOfChannel(p, Store::W, 4, 5, 5), 0);  // one sample
  EXPECT_EQ(ops::ZeroOffsetOfChannel(p, Store::W, 2, 0, 5), 0);  // inactive
  EXPECT_EQ(Channel(p, 1, 4), (V{1, 2, 3, -10, 0, 10}));
  ASSERT_EQ(ops::ZeroOffsetOfChannel(p, Store::W, 4, 0, 1), 1);
  EXPECT_EQ(Channel(p, 1, 4), (V{-0.5f, 0.5f, 3, -10, 0, 10}));
}

TEST(ZeroOffset, MeanOfALongConstantRecordIsExact) {
  // A float32 sum would stop growing long before 2^25 samples of 1.
  V x(1 << 25, 1.0f);
  dsp::RemoveMean(x.data(), 0, int(x.size()) - 1);
  EXPECT_EQ(std::tuple(x.front(), x.back()), std::tuple(0.0f, 0.0f));
}

}  // namespace
