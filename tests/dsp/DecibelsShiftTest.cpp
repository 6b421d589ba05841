#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dsp/DataShift.h"
#include "dsp/DspTestSupport.h"
#include "ops/Decibels.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::Snapshot;
using store::Store;

class DecibelConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    dsptest::Layout(p, 1, {0, 2}, 8,
                    [](int ch, int k) { return ch == 2 ? std::pow(10.0f, float(k) - 2.0f) : -1.0f; });
    p.FGW[2].PrefixCode = 4;
  }
  testing_support::TestEnv env{1024};
  state::Program& p = env.prog;
};

TEST_F(DecibelConversion, ToDecibelsAndBackOfTheWholeChannelOrARange) {
  p.MacGoing = 1;
  ASSERT_EQ(ops::ChaneldB_Util(p, Store::W, 2, 0, 7, true), 1);
  EXPECT_EQ(p.FGW[2].PrefixCode, 104);
  std::vector<float> db = Channel(p, 1, 2);
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(db[size_t(k)], 20.0 * (k - 2), 1e-4);  // 0.1, 1, 10 -> -20, 0, 20
  ASSERT_EQ(ops::ChaneldB_Util(p, Store::W, 2, 0, 7, true), 1);
  EXPECT_EQ(p.FGW[2].PrefixCode, 4);
  std::vector<float> back = Channel(p, 1, 2);
  for (int k = 0; k < 8; ++k)
    EXPECT_NEAR(back[size_t(k)], std::pow(10.0, k - 2), 1e-5 * std::pow(10.0, k - 2));
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(Channel(p, 1, 0), std::vector<float>(8, -1.0f));

  SetUp();
  ASSERT_EQ(ops::ChaneldB_Util(p, Store::W, 2, 2, 4, false), 1);
  std::vector<float> v = Channel(p, 1, 2);
  EXPECT_EQ(std::tuple(v[1], v[5]), std::tuple(0.1f, 1000.0f));
  EXPECT_NEAR(v[4], 40.0, 1e-4);
  // The front end converts the first half only (the rest is the imaginary half).
  SetUp();
  env.ui.Push(int64_t(3));  // channel prompt
  env.ui.Push(platform::Answer::Yes);
  ASSERT_EQ(ops::ChaneldB(p, 0), 1);
  v = Channel(p, 1, 2);
  EXPECT_NEAR(v[3], 20.0, 1e-4);
  EXPECT_FLOAT_EQ(v[4], 100.0f);
}

TEST_F(DecibelConversion, NonPositiveValuesAndBadArgumentsRefuse) {
  const Snapshot before(p);
  for (float bad : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
    p.Waveform[8 + 5] = bad;  // channel 3, sample 5
    const Snapshot withBad(p);
    EXPECT_EQ(ops::ChaneldB_Util(p, Store::W, 2, 0, 7, false), 0);
    EXPECT_TRUE(Snapshot(p) == withBad);
    EXPECT_EQ(env.ui.LastText(), state::Txt(p, 358));
  }
  SetUp();
  EXPECT_EQ(ops::ChaneldB_Util(p, Store::W, 1, 0, 7, false), 0);  // inactive
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 341));
  for (auto [from, to] : {std::pair{0, 8}, {-1, 3}, {5, 3}})
    EXPECT_EQ(ops::ChaneldB_Util(p, Store::W, 2, from, to, false), 0);
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(ops::ChaneldB_Util(p, Store::W, 2, 0, 7, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::TxtF(p, 356, {3}));
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST(DataShift, RotationAndZeroFillInsideTheRangeOnly) {
  using V = std::vector<float>;
  // Right shifts counted from `from`, not from 0, must not write below the range.
  const V v{1, 2, 3, 4, 5}, w{10, 11, 12, 1, 2, 3, 4, 5, 20, 21};
  const struct {
    const V* in;
    int rotate, left, shift, from, to;
    V want;
  } cases[] = {
      {&v, 1, 0, 2, 0, 5, {4, 5, 1, 2, 3}},
      {&v, 0, 0, 2, 0, 5, {0, 0, 1, 2, 3}},
      {&v, 1, 1, 2, 0, 5, {3, 4, 5, 1, 2}},
      {&v, 0, 1, 2, 0, 5, {3, 4, 5, 0, 0}},
      {&v, 1, 1, 7, 0, 5, {3, 4, 5, 1, 2}},
      {&v, 1, 0, 5, 0, 5, v},
      {&v, 0, 0, 9, 0, 5, V(5, 0.0f)},
      {&w, 1, 0, 2, 3, 8, {10, 11, 12, 4, 5, 1, 2, 3, 20, 21}},
      {&w, 0, 0, 1, 3, 8, {10, 11, 12, 0, 1, 2, 3, 4, 20, 21}},
      {&w, 0, 1, 1, 3, 8, {10, 11, 12, 2, 3, 4, 5, 0, 20, 21}},
      {&w, 1, 0, 1, 4, 4, w},  // an empty range
  };
  for (const auto& c : cases) {
    V x = *c.in;
    EXPECT_TRUE(dsp::DataShiftUtil(x.data(), c.rotate, c.left, c.shift, c.from, c.to));
    EXPECT_EQ(x, c.want) << c.rotate << c.left << " " << c.shift << " " << c.from << ".." << c.to;
  }
  V x = w;
  EXPECT_FALSE(dsp::DataShiftUtil(x.data(), true, false, -1, 0, 5));
  EXPECT_FALSE(dsp::DataShiftUtil(x.data(), true, false, 1, 5, 3));
  EXPECT_FALSE(dsp::DataShiftUtil(nullptr, true, false, 1, 0, 3));
  EXPECT_EQ(x, w);
}

}  // namespace
