#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "FilterTestSupport.h"
#include "app/Messages.h"
#include "dsp/Reduction.h"
#include "support/TestSupport.h"

namespace {

using filter_test::Channel;
using filter_test::FillStore;
using platform::Answer;

// Block statistics written out in long double.
long double Reference(const std::vector<float>& x, size_t from, size_t k, int mode) {
  long double sum = 0, sq = 0, mx = x[from], mn = x[from];
  for (size_t i = from; i < from + k; ++i) {
    sum += x[i];
    sq += (long double)x[i] * x[i];
    mx = std::max<long double>(mx, x[i]);
    mn = std::min<long double>(mn, x[i]);
  }
  long double mean = sum / k, dev = 0;
  for (size_t i = from; i < from + k; ++i) dev += (x[i] - mean) * (x[i] - mean);
  switch (mode) {
    case 2:
      return std::sqrt(dev / k);
    case 3:
      return mx;
    case 4:
      return mn;
    case 5:
      return mx - mn;
    case 6:
      return std::sqrt(sq / k);
    default:
      return mean;
  }
}

TEST(Reduce, EveryModeOnTwoChannels) {
  for (int mode = 0; mode <= 7; ++mode) {
    testing_support::TestEnv env(8192);
    auto& p = env.prog;
    std::mt19937 gen(static_cast<unsigned>(mode));
    std::normal_distribution<float> d(3.0f, 2.0f);
    std::vector<float> a(1003), b(1003);
    for (auto& x : a) x = d(gen);
    for (auto& x : b) x = d(gen) * 10;
    FillStore(p, 1, {0, 5}, {a, b}, 1003);
    auto windows = filter_test::OpenLoggingWindows(p, 1);
    env.ui.Push(int64_t(7));
    ASSERT_EQ(dsp::ReduceUtil(p, mode), 1);
    ASSERT_EQ(p.HGW.Length, 143);
    auto ra = Channel(p, 1, 0), rb = Channel(p, 1, 5);
    for (size_t j = 0; j < 143; ++j) {
      EXPECT_NEAR(ra[j], double(Reference(a, j * 7, 7, mode)), 2e-5) << mode << " " << j;
      EXPECT_NEAR(rb[j], double(Reference(b, j * 7, 7, mode)), 2e-4) << mode << " " << j;
    }
    // Both windows hear of the change before they redraw.
    EXPECT_EQ(filter_test::Codes(*windows), (std::vector<int>{2040, 2040, 2000, 2000}));
  }
}

TEST(Reduce, FactorBeyondTheRecordKeepsOneBlock) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0}, {{1, 2, 3, 4, 5}}, 5);
  env.ui.Push(int64_t(1000));  // the prompt runs to `Length`
  ASSERT_EQ(dsp::ReduceUtil(p, 1), 1);
  EXPECT_EQ(p.HGW.Length, 1);
  EXPECT_EQ(Channel(p, 1, 0), (std::vector<float>{3}));
}

TEST(Reduce, DeclinedCancelledOrRefusedChangesNothing) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  std::vector<float> a = {1, 2, 3, 4, 5, 6};
  FillStore(p, 1, {0}, {a}, 6);
  env.ui.Push(Answer::No);
  EXPECT_EQ(dsp::Reduce(p, 1), 0);
  ASSERT_EQ(env.ui.Log().size(), 1u);  // no factor prompt after No
  EXPECT_EQ(env.ui.Log()[0].kind, "question");
  env.ui.Push(Answer::Yes);
  env.ui.Push(Answer::Cancel);  // the factor prompt
  EXPECT_EQ(dsp::Reduce(p, 1), 0);
  filter_test::MarkSpectrum(p, 1, 0);
  env.ui.ClearLog();
  env.ui.Push(int64_t(2));
  EXPECT_EQ(dsp::ReduceUtil(p, 1), 0);
  ASSERT_FALSE(env.ui.Log().empty());
  EXPECT_EQ(env.ui.Log().back().kind, "message");
  EXPECT_EQ(env.ui.Log().back().text, app::Txt(p, 330));
  EXPECT_EQ(p.HGW.Length, 6);
  EXPECT_EQ(Channel(p, 1, 0), a);
  EXPECT_FLOAT_EQ(p.FGW[0].Step, 0.001f);
}

TEST(Reduce, MacroSkipsTheQuestion) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  FillStore(p, 1, {0}, {{1, 2, 3, 4}}, 4);
  p.MacGoing = 1;
  env.ui.Push(int64_t(2));
  ASSERT_EQ(dsp::Reduce(p, 6), 1);
  EXPECT_EQ(env.ui.Log().front().kind, "prompt");
  auto r = Channel(p, 1, 0);
  EXPECT_NEAR(r[0], std::sqrt(2.5), 1e-6);
  EXPECT_NEAR(r[1], std::sqrt(12.5), 1e-6);
}

}  // namespace
