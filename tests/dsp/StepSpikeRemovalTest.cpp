#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "dsp/StepSpikeRemoval.h"
#include "ops/StepSpikeRemoval.h"

namespace {

using V = std::vector<float>;

TEST(StepRemoval, RandomRecordsMatchTheDirectMethod) {
  std::mt19937 gen(4);
  std::normal_distribution<double> noise(0, 0.2);
  std::uniform_int_distribution<int> jump(0, 9);
  V x(3000);
  double level = 0;
  for (auto& v : x) {
    if (jump(gen) == 0) level += (jump(gen) - 5) * 3.0;
    v = float(level + noise(gen));
  }
  // Step removal as described: each persisting jump is added to every later sample at once.
  std::vector<double> want(x.begin(), x.end());
  const int from = 100, to = 2900;
  for (int i = from; i <= to - 2; ++i) {
    double d = want[size_t(i)] - want[size_t(i) + 1];
    int a = std::max(i - 1, from), b = std::min(i + 2, to - 1);
    if (std::fabs(d) > 1.0 && std::fabs(want[size_t(a)] - want[size_t(b)]) > 1.0)
      for (int j = i + 1; j <= to - 1; ++j) want[size_t(j)] += d;
  }
  dsp::RemoveStepsOrSpikes(x.data(), from, to, 0, 1.0f);
  for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(x[i], want[i], 1e-3) << i;
}

TEST(SpikeRemoval, SpikesGoStepsStayAndShortRangesAreLeft) {
  const struct {
    V in;
    int from, to, mode;
    V want;
  } cases[] = {
      {{0, 0, 5, 0, 0, 0, 0, 9, 9, 9}, 0, 10, 1, {0, 0, 0, 0, 0, 0, 0, 9, 9, 9}},
      {{0, 0, 5, 0, 0, 5, 5}, 0, 5, 1, {0, 0, 0, 0, 0, 5, 5}},  // samples from `to` on stay
      {{0, 5, 0, 5}, 0, 3, 0, {0, 5, 0, 5}},                    // to − 3 ≤ from
      {{0, 5, 0, 5}, 0, 3, 1, {0, 5, 0, 5}},
      {{0, 5, 0, 5}, 3, 0, 0, {0, 5, 0, 5}},
      {{0, 5, 0, 5}, 0, 4, 7, {0, 5, 0, 5}},  // unknown mode
  };
  for (const auto& c : cases) {
    V x = c.in;
    dsp::RemoveStepsOrSpikes(x.data(), c.from, c.to, c.mode, 1.0f);
    EXPECT_EQ(x, c.want) << c.from << ".." << c.to << " mode " << c.mode;
  }
  V x = {0, NAN, 0, 0, 5, 5};
  dsp::RemoveStepsOrSpikes(x.data(), 0, 6, 0, 1.0f);
  dsp::RemoveStepsOrSpikes(x.data(), 0, 6, 1, 1.0f);
  EXPECT_EQ(x[0], 0.0f);
}

TEST(KorekceOstrychZmen, ChannelOfAStoreCutToTheRecord) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  V a = {7, 7, 7, 7, 7}, b = {0, 0, 5, 5, 5};
  dsptest::FillStore(p, 0, {0, 1}, {a, b}, 5);
  auto windows = dsptest::OpenLoggingWindows(p, 0);
  ASSERT_EQ(ops::KorekceOstrychZmen(p, store::Store::M, 1, 0, 1.0f, -4, 1000), 1);
  EXPECT_EQ(dsptest::Channel(p, 0, 1), V(5, 0.0f));
  EXPECT_EQ(dsptest::Channel(p, 0, 0), a);
  EXPECT_EQ(dsptest::Codes(*windows), (std::vector<int>{2040, 2040}));
  EXPECT_EQ(ops::KorekceOstrychZmen(p, store::Store::M, 2, 0, 1.0f, 0, 5), 0);  // inactive
  EXPECT_EQ(ops::KorekceOstrychZmen(p, store::Store::M, 0, 0, 1.0f, 3, 5), 0);  // too short
}

}  // namespace
