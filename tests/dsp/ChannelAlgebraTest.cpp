#include <gtest/gtest.h>

#include <cmath>

#include "dsp/AlgebraTestSupport.h"
#include "ops/ChannelAlgebra.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using algebra_test::ChannelData;
using algebra_test::Layout;
using algebra_test::Snapshot;
using testing_support::TestEnv;

constexpr int kLength = 33;  // odd, so no operation can lean on pairs

float Value(int ch, int k) {
  if (ch == 4 && k % 5 == 0) return 0.0f;  // the divisor channel has exact zeros
  return float(ch + 1) * 0.5f + float(k) * 0.125f - 1.0f;
}

class ChannelAlgebra : public ::testing::Test {
 protected:
  void SetUp() override { Layout(p, 1, {1, 4, 6}, kLength, Value); }
  TestEnv env{4096};
  state::Program& p = env.prog;
};

TEST_F(ChannelAlgebra, OperationsChangeOnlyChannelA) {
  struct Case {
    int op;
    double (*f)(double, double);
  };
  const Case cases[] = {
      {dsp::kChannelAdd, [](double a, double b) { return a + b; }},
      {dsp::kChannelSubtract, [](double a, double b) { return a - b; }},
      {dsp::kChannelMultiply, [](double a, double b) { return a * b; }},
      {dsp::kChannelDivide, [](double a, double b) { return b == 0 ? 0.0 : a / b; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.op);
    SetUp();
    const std::vector<float> b = ChannelData(p, 1, 4), other = ChannelData(p, 1, 1);
    ASSERT_EQ(ops::ChanelAlgebraUtil(p, 6, 4, c.op, true), 1);
    const std::vector<float> a = ChannelData(p, 1, 6);
    for (int k = 0; k < kLength; ++k) {
      double want = c.f(Value(6, k), Value(4, k));
      EXPECT_NEAR(a[size_t(k)], want, 1e-5 * (1 + std::fabs(want)));
      EXPECT_TRUE(std::isfinite(a[size_t(k)]));
    }
    EXPECT_EQ(ChannelData(p, 1, 4), b);
    EXPECT_EQ(ChannelData(p, 1, 1), other);
  }
}

TEST_F(ChannelAlgebra, RefusalsLeaveTheStoreAlone) {
  const Snapshot before(p);
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 1, 4, dsp::kChannelAdd, false), 0);  // disabled
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 1, 4, 2, true), 0);                  // store-file only
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 1, 4, 3, true), 0);
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 2, 4, dsp::kChannelAdd, true), 0);  // inactive a
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 1, 2, dsp::kChannelAdd, true), 0);  // inactive b
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, -1, 4, dsp::kChannelAdd, true), 0);
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 1, 128, dsp::kChannelAdd, true), 0);
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(ChannelAlgebra, FrontEndAsksReportsAndRefusesInactiveChannels) {
  // Channel a asked for (0), b given: the result is reported 1-based.
  env.ui.Push(int64_t(7));
  ASSERT_EQ(ops::ChanelAlgebra(p, store::Store::W, 0, 2, dsp::kChannelSubtract), 1);
  EXPECT_FLOAT_EQ(ChannelData(p, 1, 6)[3], Value(6, 3) - Value(1, 3));
  EXPECT_EQ(env.ui.Log()[0].kind, "prompt");
  EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, 345));
  EXPECT_EQ(env.ui.LastText(), state::TxtF(p, 350, {7, 2}));

  const Snapshot before(p);
  env.ui.ClearLog();
  EXPECT_EQ(ops::ChanelAlgebra(p, store::Store::W, 3, 2, dsp::kChannelAdd), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 347));
  EXPECT_EQ(ops::ChanelAlgebra(p, store::Store::W, 2, 3, dsp::kChannelAdd), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 348));
  EXPECT_EQ(ops::ChanelAlgebra(p, store::Store::W, 129, 2, dsp::kChannelAdd), 0);
  env.ui.Push(platform::Answer::Cancel);  // the prompt cancelled
  EXPECT_EQ(ops::ChanelAlgebra(p, store::Store::W, 2, 0, dsp::kChannelAdd), 0);
  // The measurement store is not processed.
  Layout(p, 0, {1, 4}, kLength, Value);
  const Snapshot withM(p);
  EXPECT_EQ(ops::ChanelAlgebra(p, store::Store::M, 2, 5, dsp::kChannelAdd), 0);
  EXPECT_TRUE(Snapshot(p) == withM);

  // A macro gets no result message.
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(ops::ChanelAlgebra(p, store::Store::W, 2, 5, dsp::kChannelDivide), 1);
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST_F(ChannelAlgebra, ConstantsReachOneChannelOrAll) {
  ASSERT_EQ(ops::MultiplyByConstant(p, store::Store::W, 5, -2.0f), 1);
  for (int k = 0; k < kLength; ++k) {
    EXPECT_FLOAT_EQ(ChannelData(p, 1, 4)[size_t(k)], -2.0f * Value(4, k));
    EXPECT_FLOAT_EQ(ChannelData(p, 1, 1)[size_t(k)], Value(1, k));
  }
  ASSERT_EQ(ops::AddConstant(p, store::Store::W, 0, 10.0f), 1);
  for (int k = 0; k < kLength; ++k) {
    EXPECT_FLOAT_EQ(ChannelData(p, 1, 1)[size_t(k)], Value(1, k) + 10.0f);
    EXPECT_FLOAT_EQ(ChannelData(p, 1, 6)[size_t(k)], Value(6, k) + 10.0f);
  }
  Layout(p, 0, {0, 2}, kLength, Value);
  ASSERT_EQ(ops::MultiplyByConstant(p, store::Store::M, 0, 3.0f), 1);
  EXPECT_FLOAT_EQ(ChannelData(p, 0, 2)[4], 3.0f * Value(2, 4));
  // An inactive or impossible channel changes nothing.
  const Snapshot before(p);
  EXPECT_EQ(ops::AddConstant(p, store::Store::W, 3, 1.0f), 0);
  EXPECT_EQ(ops::AddConstant(p, store::Store::W, 129, 1.0f), 0);
  EXPECT_EQ(ops::AddConstant(p, store::Store::W, -1, 1.0f), 0);
  EXPECT_TRUE(Snapshot(p) == before);
}

TEST_F(ChannelAlgebra, AHeaderLongerThanTheArrayIsNotFollowed) {
  // A length that a hostile file could have left: the block of channel 7
  // would lie beyond the array.
  p.HGW.Length = 2000;
  const Snapshot before(p);
  EXPECT_EQ(ops::ChanelAlgebraUtil(p, 6, 1, dsp::kChannelAdd, true), 0);
  EXPECT_EQ(ops::MultiplyByConstant(p, store::Store::W, 7, 2.0f), 0);
  EXPECT_TRUE(Snapshot(p) == before);
}

}  // namespace
