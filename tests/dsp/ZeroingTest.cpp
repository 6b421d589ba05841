#include <gtest/gtest.h>

#include <vector>

#include "FilterTestSupport.h"
#include "dsp/ZeroOffset.h"
#include "dsp/Zeroing.h"
#include "ops/ZeroOffset.h"
#include "ops/Zeroing.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using filter_test::Channel;
using filter_test::FillStore;
using platform::Answer;

std::vector<float> Ones(int n) { return std::vector<float>(static_cast<size_t>(n), 1.0f); }

std::vector<int> ZeroIndices(const std::vector<float>& v) {
  std::vector<int> z;
  for (size_t i = 0; i < v.size(); ++i)
    if (v[i] == 0.0f) z.push_back(int(i));
  return z;
}

TEST(ZeroChannelRange, SpectrumBinsTakeTheirImaginaryParts) {
  auto x = Ones(16);
  dsp::ZeroChannelRange(x.data(), 16, true, 2, 3);
  EXPECT_EQ(ZeroIndices(x), (std::vector<int>{2, 3, 10, 11}));
  // Imaginary parts take their real parts.
  x = Ones(16);
  dsp::ZeroChannelRange(x.data(), 16, true, 12, 40);
  EXPECT_EQ(ZeroIndices(x), (std::vector<int>{4, 5, 6, 7, 12, 13, 14, 15}));
  // A range across the middle stops at the Nyquist slot.
  x = Ones(16);
  dsp::ZeroChannelRange(x.data(), 16, true, 6, 12);
  EXPECT_EQ(ZeroIndices(x), (std::vector<int>{6, 7, 8, 14, 15}));
  // Bin 0 takes the Nyquist slot with it.
  x = Ones(16);
  dsp::ZeroChannelRange(x.data(), 16, true, 0, 0);
  EXPECT_EQ(ZeroIndices(x), (std::vector<int>{0, 8}));
}

TEST(ZeroChannelRange, TimeSignalRanges) {
  auto x = Ones(10);
  dsp::ZeroChannelRange(x.data(), 10, false, 7, 100);
  EXPECT_EQ(ZeroIndices(x), (std::vector<int>{7, 8, 9}));
  x = Ones(10);
  dsp::ZeroChannelRange(x.data(), 10, false, -1, 3);  // negative from: everything
  EXPECT_EQ(ZeroIndices(x).size(), 10u);
  x = Ones(10);
  dsp::ZeroChannelRange(x.data(), 10, false, 6, 2);  // reversed
  dsp::ZeroChannelRange(x.data(), 10, false, 12, 20);
  EXPECT_TRUE(ZeroIndices(x).empty());
  x = Ones(10);
  dsp::ZeroChannelRange(x.data(), 10, false, 4, -1);  // negative to: the end
  EXPECT_EQ(ZeroIndices(x), (std::vector<int>{4, 5, 6, 7, 8, 9}));
}

TEST(ZeroWave, SelectedOrAllActiveChannels) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 0, {1, 2}, {Ones(8), Ones(8)}, 8);
  p.HGB.TriggerFlag = 1;
  auto windows = filter_test::OpenLoggingWindows(p, 0);
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(ops::ZeroWave(p, store::Store::M, 3, 2, 4), 1);  // channel 3 is index 2
  EXPECT_EQ(ZeroIndices(Channel(p, 0, 2)), (std::vector<int>{2, 3, 4}));
  EXPECT_TRUE(ZeroIndices(Channel(p, 0, 1)).empty());
  EXPECT_EQ(p.HGB.TriggerFlag, 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 328));
  // Data changed to both windows, then the redraw of the zeroed channel.
  EXPECT_EQ(*windows, (std::vector<std::pair<int, int>>{{1, 2040}, {2, 2040}, {2, 2000}}));
  windows->clear();
  p.MacGoing = 1;
  env.ui.ClearLog();
  ASSERT_EQ(ops::ZeroWave(p, store::Store::M, 0, -1, -1), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(ZeroIndices(Channel(p, 0, 1)).size(), 8u);
  EXPECT_EQ(filter_test::Codes(*windows), (std::vector<int>{2040, 2040}));
}

TEST(ZeroWave, DeclinedInactiveOrMissing) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0}, {Ones(8)}, 8);
  p.HGW.TriggerFlag = 1;
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::ZeroWave(p, store::Store::W, 0, -1, -1), 0);
  EXPECT_EQ(p.HGW.TriggerFlag, 1);
  EXPECT_EQ(ops::ZeroWaveUtil(p, store::Store::W, 5, -1, -1, false, false), 1);  // inactive: nothing to zero
  EXPECT_EQ(ops::ZeroWaveUtil(p, store::Store::W, 129, -1, -1, false, false), 0);
  EXPECT_EQ(Channel(p, 1, 0), Ones(8));
  p.Waveform.reset();
  env.ui.ClearLog();
  EXPECT_EQ(ops::ZeroWave(p, store::Store::W, 0, -1, -1), 0);
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 490));
}

TEST(ZeroWave, MenuReopensWaveformWindows) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0, 1}, {Ones(8), Ones(8)}, 8);
  auto windows = filter_test::OpenLoggingWindows(p, 1);
  auto* before = p.QWWin[0].get();
  ASSERT_EQ(ops::ZeroWaveMenu(p, store::Store::W), 1);
  EXPECT_EQ(ZeroIndices(Channel(p, 1, 1)).size(), 8u);
  ASSERT_TRUE(p.QWWin[0]);
  EXPECT_NE(p.QWWin[0].get(), before);
}

TEST(ZeroOffset, SubtractsTheMean) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {4}, {{1, 2, 3, 10, 20, 30}}, 6);
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(ops::ZeroOffsetOfChannel(p, store::Store::W, 4, 3, 99), 1);
  EXPECT_EQ(Channel(p, 1, 4), (std::vector<float>{1, 2, 3, -10, 0, 10}));
  EXPECT_EQ(env.ui.Log().at(0).text, state::Txt(p, 435));
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::ZeroOffsetOfChannel(p, store::Store::W, 4, 0, 5), 0);
  p.MacGoing = 1;
  EXPECT_EQ(ops::ZeroOffsetOfChannel(p, store::Store::W, 4, 5, 5), 0);  // one sample
  EXPECT_EQ(ops::ZeroOffsetOfChannel(p, store::Store::W, 2, 0, 5), 0);  // inactive
  EXPECT_EQ(Channel(p, 1, 4), (std::vector<float>{1, 2, 3, -10, 0, 10}));
  ASSERT_EQ(ops::ZeroOffsetOfChannel(p, store::Store::W, 4, 0, 1), 1);
  EXPECT_EQ(Channel(p, 1, 4), (std::vector<float>{-0.5f, 0.5f, 3, -10, 0, 10}));
}

TEST(ZeroOffset, MeanOfALongConstantRecordIsExact) {
  // A float32 sum would stop growing long before 2^25 samples of 1.
  std::vector<float> x(1 << 25, 1.0f);
  dsp::RemoveMean(x.data(), 0, int(x.size()) - 1);
  EXPECT_EQ(x.front(), 0.0f);
  EXPECT_EQ(x.back(), 0.0f);
}

}  // namespace
