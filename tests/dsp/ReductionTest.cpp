#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/Reduction.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::FillStore;
using platform::Answer;
using V = std::vector<float>;

// Block statistics written out in long double: mean, sd, max, min, range, rms.
long double Reference(const V& x, size_t from, size_t k, int mode) {
  long double sum = 0, sq = 0, mx = x[from], mn = x[from], dev = 0;
  for (size_t i = from; i < from + k; ++i) {
    sum += x[i];
    sq += (long double)x[i] * x[i];
    mx = std::max<long double>(mx, x[i]);
    mn = std::min<long double>(mn, x[i]);
  }
  for (size_t i = from; i < from + k; ++i) dev += (x[i] - sum / k) * (x[i] - sum / k);
  const long double by[] = {sum / k, sum / k, std::sqrt(dev / k), mx,
                            mn,      mx - mn, std::sqrt(sq / k),  sum / k};
  return by[mode];
}

TEST(Reduce, EveryModeOnTwoChannels) {
  for (int mode = 0; mode <= 7; ++mode) {
    testing_support::TestEnv env(8192);
    auto& p = env.prog;
    std::mt19937 gen(static_cast<unsigned>(mode));
    std::normal_distribution<float> d(3.0f, 2.0f);
    V a(1003), b(1003);
    for (auto& x : a) x = d(gen);
    for (auto& x : b) x = d(gen) * 10;
    FillStore(p, 1, {0, 5}, {a, b}, 1003);
    auto windows = dsptest::OpenLoggingWindows(p, 1);
    env.ui.Push(int64_t(7));
    ASSERT_EQ(ops::ReduceUtil(p, mode), 1);
    ASSERT_EQ(p.HGW.Length, 143);
    auto ra = Channel(p, 1, 0), rb = Channel(p, 1, 5);
    for (size_t j = 0; j < 143; ++j) {
      EXPECT_NEAR(ra[j], double(Reference(a, j * 7, 7, mode)), 2e-5) << mode << " " << j;
      EXPECT_NEAR(rb[j], double(Reference(b, j * 7, 7, mode)), 2e-4) << mode << " " << j;
    }
    // Both windows hear of the change before they redraw.
    EXPECT_EQ(dsptest::Codes(*windows), (std::vector<int>{2040, 2040, 2000, 2000}));
  }
}

class Reduction : public ::testing::Test {
 protected:
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(Reduction, MenuAsksThenReduces) {
  FillStore(p, 1, {2}, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}, 10);
  p.HGW.TriggerFlag = 1;
  p.HGW.PreTrigger = 4;
  env.ui.Push(Answer::Yes);
  env.ui.Push(int64_t(3));
  ASSERT_EQ(ops::Reduce(p, 3), 1);  // the maximum of blocks of three
  EXPECT_EQ(Channel(p, 1, 2), (V{3, 6, 9}));
  EXPECT_FLOAT_EQ(p.FGW[2].Step, 0.003f);
  EXPECT_EQ(std::tuple(p.HGW.Length, p.HGW.TriggerFlag, p.HGW.PreTrigger), std::tuple(3, 0, 0));
  // A factor beyond the record keeps one block (the prompt runs to Length).
  FillStore(p, 1, {0}, {{1, 2, 3, 4, 5}}, 5);
  env.ui.Push(int64_t(1000));
  ASSERT_EQ(ops::ReduceUtil(p, 1), 1);
  EXPECT_EQ(Channel(p, 1, 0), (V{3}));
  // NaN spoils only its block.
  FillStore(p, 1, {0}, {{1, NAN, 3, 4, 5, 6}}, 6);
  env.ui.Push(int64_t(2));
  ASSERT_EQ(ops::ReduceUtil(p, 1), 1);
  auto r = Channel(p, 1, 0);
  EXPECT_TRUE(std::isnan(r[0]));
  EXPECT_EQ(std::tuple(r[1], r[2]), std::tuple(3.5f, 5.5f));
}

TEST_F(Reduction, DeclinedCancelledOrRefusedChangesNothing) {
  V a = {1, 2, 3, 4, 5, 6};
  FillStore(p, 1, {0}, {a}, 6);
  const dsptest::Snapshot before(p);
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::Reduce(p, 1), 0);
  ASSERT_EQ(env.ui.Log().size(), 1u);  // no factor prompt after No
  EXPECT_EQ(env.ui.Log()[0].kind, "question");
  env.ui.Push(Answer::Yes);
  env.ui.Push(Answer::Cancel);  // the factor prompt
  EXPECT_EQ(ops::Reduce(p, 1), 0);
  EXPECT_TRUE(dsptest::Snapshot(p) == before);
  dsptest::MarkSpectrum(p, 1, 0);
  const dsptest::Snapshot spectrum(p);
  env.ui.Push(int64_t(2));
  EXPECT_EQ(ops::ReduceUtil(p, 1), 0);
  EXPECT_EQ(env.ui.Log().back().kind, "message");
  EXPECT_EQ(env.ui.Log().back().text, state::Txt(p, 330));
  EXPECT_TRUE(dsptest::Snapshot(p) == spectrum);
}

}  // namespace
