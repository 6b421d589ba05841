#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "FilterTestSupport.h"
#include "dsp/StepSpikeRemoval.h"
#include "ops/StepSpikeRemoval.h"
#include "support/TestSupport.h"

namespace {

using filter_test::Channel;
using filter_test::FillStore;

// Step removal as described: each persisting jump is added to every later
// sample at once.
std::vector<double> ReferenceSteps(std::vector<double> x, int from, int to, double t) {
  if (to - 3 <= from) return x;
  for (int i = from; i <= to - 2; ++i) {
    double d = x[size_t(i)] - x[size_t(i) + 1];
    if (std::fabs(d) <= t) continue;
    int a = std::max(i - 1, from), b = std::min(i + 2, to - 1);
    if (std::fabs(x[size_t(a)] - x[size_t(b)]) > t)
      for (int j = i + 1; j <= to - 1; ++j) x[size_t(j)] += d;
  }
  return x;
}

TEST(StepRemoval, RandomRecordsMatchTheDirectMethod) {
  std::mt19937 gen(4);
  std::normal_distribution<double> noise(0, 0.2);
  std::uniform_int_distribution<int> jump(0, 9);
  std::vector<float> x(3000);
  double level = 0;
  for (auto& v : x) {
    if (jump(gen) == 0) level += (jump(gen) - 5) * 3.0;
    v = float(level + noise(gen));
  }
  std::vector<double> in(x.begin(), x.end());
  dsp::RemoveStepsOrSpikes(x.data(), 100, 2900, 0, 1.0f);
  auto want = ReferenceSteps(in, 100, 2900, 1.0);
  for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(x[i], want[i], 1e-3) << i;
}

TEST(SpikeRemoval, SpikesGoStepsStay) {
  std::vector<float> x = {0, 0, 5, 0, 0, 0, 0, 9, 9, 9};
  dsp::RemoveStepsOrSpikes(x.data(), 0, 10, 1, 1.0f);
  EXPECT_EQ(x, (std::vector<float>{0, 0, 0, 0, 0, 0, 0, 9, 9, 9}));
  // The range ends before `to`: samples from there on stay.
  x = {0, 0, 5, 0, 0, 5, 5};
  dsp::RemoveStepsOrSpikes(x.data(), 0, 5, 1, 1.0f);
  EXPECT_EQ(x, (std::vector<float>{0, 0, 0, 0, 0, 5, 5}));
}

TEST(StepSpikeRemoval, ShortRangesAndOddInput) {
  std::vector<float> x = {0, 5, 0, 5};
  auto before = x;
  dsp::RemoveStepsOrSpikes(x.data(), 0, 3, 0, 1.0f);  // to − 3 ≤ from
  dsp::RemoveStepsOrSpikes(x.data(), 0, 3, 1, 1.0f);
  dsp::RemoveStepsOrSpikes(x.data(), 3, 0, 0, 1.0f);
  dsp::RemoveStepsOrSpikes(x.data(), 0, 4, 7, 1.0f);  // unknown mode
  EXPECT_EQ(x, before);
  x = {0, NAN, 0, 0, 5, 5};
  dsp::RemoveStepsOrSpikes(x.data(), 0, 6, 0, 1.0f);
  dsp::RemoveStepsOrSpikes(x.data(), 0, 6, 1, 1.0f);
  EXPECT_EQ(x[0], 0.0f);
}

TEST(KorekceOstrychZmen, ChannelOfAStoreCutToTheRecord) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  std::vector<float> a = {7, 7, 7, 7, 7}, b = {0, 0, 5, 5, 5};
  FillStore(p, 0, {0, 1}, {a, b}, 5);
  auto windows = filter_test::OpenLoggingWindows(p, 0);
  ASSERT_EQ(ops::KorekceOstrychZmen(p, store::Store::M, 1, 0, 1.0f, -4, 1000), 1);
  EXPECT_EQ(Channel(p, 0, 1), (std::vector<float>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Channel(p, 0, 0), a);
  EXPECT_EQ(filter_test::Codes(*windows), (std::vector<int>{2040, 2040}));
  EXPECT_EQ(ops::KorekceOstrychZmen(p, store::Store::M, 2, 0, 1.0f, 0, 5), 0);  // inactive
  EXPECT_EQ(ops::KorekceOstrychZmen(p, store::Store::M, 0, 0, 1.0f, 3, 5), 0);  // too short
}

}  // namespace
