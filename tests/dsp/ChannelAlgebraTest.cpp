#include <gtest/gtest.h>

#include <cmath>

#include "dsp/DspTestSupport.h"
#include "ops/ChannelAlgebra.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using dsptest::Layout;
using dsptest::Snapshot;
using store::Store;

constexpr int kLength = 33;  // odd, so no operation can lean on pairs

float Value(int ch, int k) {
  if (ch == 4 && k % 5 == 0) return 0.0f;  // the divisor channel has exact zeros
  return float(ch + 1) * 0.5f + float(k) * 0.125f - 1.0f;
}

class ChannelAlgebra : public ::testing::Test {
 protected:
  void SetUp() override { Layout(p, 1, {1, 4, 6}, kLength, Value); }
  testing_support::TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(ChannelAlgebra, OperationsChangeOnlyChannelA) {
  const std::pair<int, double (*)(double, double)> cases[] = {
      {dsp::kChannelAdd, [](double a, double b) { return a + b; }},
      {dsp::kChannelSubtract, [](double a, double b) { return a - b; }},
      {dsp::kChannelMultiply, [](double a, double b) { return a * b; }},
      {dsp::kChannelDivide, [](double a, double b) { return b == 0 ? 0.0 : a / b; }},
  };
  for (auto [op, f] : cases) {
    SCOPED_TRACE(op);
    SetUp();
    const std::vector<float> b = Channel(p, 1, 4), other = Channel(p, 1, 1);
    ASSERT_EQ(ops::ChanelAlgebraUtil(p, 6, 4, op, true), 1);
    const std::vector<float> a = Channel(p, 1, 6);
    for (int k = 0; k < kLength; ++k) {
      double want = f(Value(6, k), Value(4, k));
      EXPECT_NEAR(a[size_t(k)], want, 1e-5 * (1 + std::fabs(want)));
    }
    EXPECT_EQ(Channel(p, 1, 4), b);
    EXPECT_EQ(Channel(p, 1, 1), other);
  }
}

TEST_F(ChannelAlgebra, RefusalsLeaveTheStoreAlone) {
  const Snapshot before(p);
  // Disabled, store-file operations, inactive a or b, impossible channels.
  const int cases[][4] = {{1, 4, dsp::kChannelAdd, 0},
                          {1, 4, 2, 1},
                          {1, 4, 3, 1},
                          {2, 4, dsp::kChannelAdd, 1},
                          {1, 2, dsp::kChannelAdd, 1},
                          {-1, 4, dsp::kChannelAdd, 1},
                          {1, 128, dsp::kChannelAdd, 1}};
  for (auto& c : cases)
    EXPECT_EQ(ops::ChanelAlgebraUtil(p, c[0], c[1], c[2], c[3]), 0) << c[0] << " " << c[1];
  // A length a hostile file could have left: the block of channel 7 lies beyond the array.
  p.HGW.Length = 2000;
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 6, 1, dsp::kChannelAdd, true), 0);
  EXPECT_EQ(ops::MultiplyByConstant(p, Store::W, 7, 2.0f), 0);
  p.HGW.Length = kLength;
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(ChannelAlgebra, FrontEndAsksReportsAndRefusesInactiveChannels) {
  // Channel a asked for (0), b given: the result is reported 1-based.
  env.ui.Push(int64_t(7));
  ASSERT_EQ(ops::ChanelAlgebra(p, Store::W, 0, 2, dsp::kChannelSubtract), 1);
  EXPECT_FLOAT_EQ(Channel(p, 1, 6)[3], Value(6, 3) - Value(1, 3));
  EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, 345));
  EXPECT_EQ(env.ui.LastText(), state::TxtF(p, 350, {7, 2}));

  const Snapshot before(p);
  for (auto [a, b, text] : {std::tuple{3, 2, 347}, {2, 3, 348}}) {
    EXPECT_EQ(ops::ChanelAlgebra(p, Store::W, a, b, dsp::kChannelAdd), 0);
    EXPECT_EQ(env.ui.LastText(), state::Txt(p, text));
  }
  EXPECT_EQ(ops::ChanelAlgebra(p, Store::W, 129, 2, dsp::kChannelAdd), 0);
  env.ui.Push(platform::Answer::Cancel);  // the prompt cancelled
  EXPECT_EQ(ops::ChanelAlgebra(p, Store::W, 2, 0, dsp::kChannelAdd), 0);
  EXPECT_TRUE(Snapshot(p) == before);
  // The measurement store is not processed.
  Layout(p, 0, {1, 4}, kLength, Value);
  const Snapshot withM(p);
  EXPECT_EQ(ops::ChanelAlgebra(p, Store::M, 2, 5, dsp::kChannelAdd), 0);
  EXPECT_TRUE(Snapshot(p) == withM);
  // A macro gets no result message.
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(ops::ChanelAlgebra(p, Store::W, 2, 5, dsp::kChannelDivide), 1);
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST_F(ChannelAlgebra, ConstantsReachOneChannelOrAll) {
  ASSERT_EQ(ops::MultiplyByConstant(p, Store::W, 5, -2.0f), 1);
  ASSERT_EQ(ops::AddConstant(p, Store::W, 0, 10.0f), 1);
  for (int k = 0; k < kLength; ++k) {
    EXPECT_FLOAT_EQ(Channel(p, 1, 4)[size_t(k)], -2.0f * Value(4, k) + 10.0f);
    EXPECT_FLOAT_EQ(Channel(p, 1, 1)[size_t(k)], Value(1, k) + 10.0f);
  }
  Layout(p, 0, {0, 2}, kLength, Value);
  ASSERT_EQ(ops::MultiplyByConstant(p, Store::M, 0, 3.0f), 1);
  EXPECT_FLOAT_EQ(Channel(p, 0, 2)[4], 3.0f * Value(2, 4));
  const Snapshot before(p);
  for (int ch : {3, 129, -1}) EXPECT_EQ(ops::AddConstant(p, Store::W, ch, 1.0f), 0) << ch;
  EXPECT_TRUE(Snapshot(p) == before);
}

}  // namespace
