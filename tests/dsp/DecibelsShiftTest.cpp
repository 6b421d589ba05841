#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/Messages.h"
#include "dsp/AlgebraTestSupport.h"
#include "dsp/DataShift.h"
#include "dsp/Decibels.h"
#include "support/TestSupport.h"

namespace {

using algebra_test::ChannelData;
using algebra_test::Layout;
using algebra_test::Snapshot;
using testing_support::TestEnv;

class DecibelConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    Layout(p, 1, {0, 2}, 8, [](int ch, int k) { return ch == 2 ? std::pow(10.0f, float(k) - 2.0f) : -1.0f; });
    p.FGW[2].PrefixCode = 4;
  }
  TestEnv env{1024};
  app::Program& p = env.prog;
};

TEST_F(DecibelConversion, ToDecibelsAndBackIsARoundTrip) {
  p.MacGoing = 1;
  ASSERT_EQ(dsp::ChaneldB_Util(p, 1, 1, 2, 0, 7), 1);
  EXPECT_EQ(p.FGW[2].PrefixCode, 104);
  std::vector<float> db = ChannelData(p, 1, 2);
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(db[size_t(k)], 20.0 * (k - 2), 1e-4);  // 0.1, 1, 10 -> -20, 0, 20
  ASSERT_EQ(dsp::ChaneldB_Util(p, 1, 1, 2, 0, 7), 1);
  EXPECT_EQ(p.FGW[2].PrefixCode, 4);
  std::vector<float> back = ChannelData(p, 1, 2);
  for (int k = 0; k < 8; ++k)
    EXPECT_NEAR(back[size_t(k)], std::pow(10.0, k - 2), 1e-5 * std::pow(10.0, k - 2));
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_EQ(ChannelData(p, 1, 0), std::vector<float>(8, -1.0f));
}

TEST_F(DecibelConversion, NonPositiveValuesAndBadArgumentsRefuse) {
  const Snapshot before(p);
  for (float bad : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
    p.Waveform[8 + 5] = bad;  // channel 3, sample 5
    const Snapshot withBad(p);
    env.ui.ClearLog();
    EXPECT_EQ(dsp::ChaneldB_Util(p, 1, 0, 2, 0, 7), 0);
    EXPECT_TRUE(Snapshot(p) == withBad);
    EXPECT_EQ(env.ui.LastText(), app::Txt(p, 358));
  }
  SetUp();
  EXPECT_EQ(dsp::ChaneldB_Util(p, 1, 0, 1, 0, 7), 0);  // inactive
  EXPECT_EQ(env.ui.LastText(), app::Txt(p, 341));
  EXPECT_EQ(dsp::ChaneldB_Util(p, 1, 0, 2, 0, 8), 0);  // beyond the channel
  EXPECT_EQ(dsp::ChaneldB_Util(p, 1, 0, 2, -1, 3), 0);
  EXPECT_EQ(dsp::ChaneldB_Util(p, 1, 0, 2, 5, 3), 0);
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(dsp::ChaneldB_Util(p, 1, 1, 2, 0, 7), 0);
  EXPECT_EQ(env.ui.LastText(), app::TxtF(p, 356, {3}));
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(DecibelConversion, FrontEndConvertsTheFirstHalf) {
  env.ui.Push(int64_t(3));  // channel prompt
  env.ui.Push(platform::Answer::Yes);
  ASSERT_EQ(dsp::ChaneldB(p, 0), 1);
  std::vector<float> v = ChannelData(p, 1, 2);
  EXPECT_NEAR(v[3], 20.0, 1e-4);
  EXPECT_FLOAT_EQ(v[4], 100.0f);  // the imaginary half is left alone
}

std::vector<float> Shifted(std::vector<float> v, int rotate, int left, int s, int from, int to) {
  testing_support::TestEnv env(128);
  EXPECT_EQ(dsp::DataShiftUtil(env.prog, v.data(), rotate, left, s, from, to), 1);
  return v;
}

TEST(DataShift, LeftAndRightWithAndWithoutRotation) {
  const std::vector<float> v{1, 2, 3, 4, 5};
  EXPECT_EQ(Shifted(v, 1, 0, 2, 0, 5), (std::vector<float>{4, 5, 1, 2, 3}));
  EXPECT_EQ(Shifted(v, 0, 0, 2, 0, 5), (std::vector<float>{0, 0, 1, 2, 3}));
  EXPECT_EQ(Shifted(v, 1, 1, 2, 0, 5), (std::vector<float>{3, 4, 5, 1, 2}));
  EXPECT_EQ(Shifted(v, 0, 1, 2, 0, 5), (std::vector<float>{3, 4, 5, 0, 0}));
  // Shifts of the whole range or more.
  EXPECT_EQ(Shifted(v, 1, 1, 7, 0, 5), (std::vector<float>{3, 4, 5, 1, 2}));
  EXPECT_EQ(Shifted(v, 1, 0, 5, 0, 5), v);
  EXPECT_EQ(Shifted(v, 0, 0, 9, 0, 5), (std::vector<float>(5, 0.0f)));
}

TEST(DataShift, NothingOutsideTheRangeIsTouched) {
  // A right shift inside 3..7 with a shift below `from`: counting the move
  // down to `shift` instead of `from + shift` would write below the range.
  const std::vector<float> v{10, 11, 12, 1, 2, 3, 4, 5, 20, 21};
  EXPECT_EQ(Shifted(v, 1, 0, 2, 3, 8), (std::vector<float>{10, 11, 12, 4, 5, 1, 2, 3, 20, 21}));
  EXPECT_EQ(Shifted(v, 0, 0, 1, 3, 8), (std::vector<float>{10, 11, 12, 0, 1, 2, 3, 4, 20, 21}));
  EXPECT_EQ(Shifted(v, 0, 1, 1, 3, 8), (std::vector<float>{10, 11, 12, 2, 3, 4, 5, 0, 20, 21}));
  TestEnv env(128);
  std::vector<float> w = v;
  EXPECT_EQ(dsp::DataShiftUtil(env.prog, w.data(), 1, 0, -1, 0, 5), 0);
  EXPECT_EQ(dsp::DataShiftUtil(env.prog, w.data(), 1, 0, 1, 5, 3), 0);
  EXPECT_EQ(dsp::DataShiftUtil(env.prog, nullptr, 1, 0, 1, 0, 3), 0);
  EXPECT_EQ(dsp::DataShiftUtil(env.prog, w.data(), 1, 0, 1, 4, 4), 1);  // empty range
  EXPECT_EQ(w, v);
}

}  // namespace
