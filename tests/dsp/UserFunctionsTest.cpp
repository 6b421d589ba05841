#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "AlgebraTestSupport.h"
#include "ops/Matematika.h"
#include "ops/UserFunctions.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using algebra_test::ChannelData;

struct MathFixture : testing::Test {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
  // W channels 0 (a), 1 (s) and 3 (b), `n` samples.
  void Setup(std::vector<float> a, float step = 1.0f) {
    int n = int(a.size());
    algebra_test::Layout(p, 1, {0, 1, 3}, n, [&](int ch, int k) {
      return ch == 0 ? a[size_t(k)] : ch == 1 ? float(2 * k + 3) : -7.0f;
    });
    p.FGW[0].Step = step;
  }
  std::vector<float> B() { return ChannelData(p, 1, 3); }
  float r = 0;
};

TEST_F(MathFixture, DerivativeIntegralAndSums) {
  Setup({0, 1, 4, 9});
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 1, 0, 3, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{1, 3, 5, 5}));
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 2, 0, 3, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{0, 1, 5, 14}));

  Setup(std::vector<float>(11, 1.0f), 0.1f);
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 4, 0, 10, r), 1);
  std::vector<float> b = B();
  for (int i = 0; i <= 10; ++i) EXPECT_NEAR(b[size_t(i)], 1 + 0.1 * i, 1e-6) << i;

  // A sub-range leaves the samples around it alone; a range beyond the record
  // is limited to it.
  Setup({1, 2, 3, 4, 5, 6});
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 2, 2, 3, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{-7, -7, 3, 7, -7, -7}));
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 4, -5, 99, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{1, 3, 6, 10, 15, 21}));
}

TEST_F(MathFixture, ShapingOperationsAndChangeMarker) {
  Setup({-1, -2, 3, -4, 5, 5});
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 6, 0, 5, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{-7, 2, 3, 4, 5, 5}));  // from + 1 … to
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 7, 0, 5, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{-7, 0, 3, 0, 5, 5}));
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 5, 0, 5, r), 1);
  EXPECT_EQ(B()[0], -1);
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 8, 0, 5, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{-2, 3, -4, 5, 0, 5}));  // b[to] untouched
}

TEST_F(MathFixture, CorrelationAndInPlace) {
  Setup({0, 1, 2, 3, 4, 5});
  std::vector<float> before = B();
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 3, 0, 5, r), 1);  // s = 2x + 3
  EXPECT_NEAR(r, 1.0, 1e-6);
  EXPECT_EQ(B(), before);
  ASSERT_EQ(ops::Matematika(p, 0, 3, 3, 3, 0, 5, r), 1);  // against a constant
  EXPECT_EQ(r, 0);

  // Source and destination the same channel.
  ASSERT_EQ(ops::Matematika(p, 0, 0, 0, 1, 0, 5, r), 1);
  EXPECT_EQ(ChannelData(p, 1, 0), (std::vector<float>{1, 1, 1, 1, 1, 1}));
}

TEST_F(MathFixture, RefusalsChangeNothing) {
  Setup({0, 1, 4, 9});
  algebra_test::Snapshot before(p);
  EXPECT_EQ(ops::Matematika(p, 0, 2, 3, 1, 0, 3, r), 0);  // s inactive
  EXPECT_EQ(ops::Matematika(p, 0, 1, 5, 1, 0, 3, r), 0);  // b inactive
  EXPECT_EQ(ops::Matematika(p, -1, 1, 3, 1, 0, 3, r), 0);
  EXPECT_EQ(ops::Matematika(p, 0, 1, 128, 1, 0, 3, r), 0);
  EXPECT_EQ(ops::Matematika(p, 0, 1, 3, 1, 2, 2, r), 0);  // one sample: nothing to differentiate
  EXPECT_EQ(ops::Matematika(p, 0, 1, 3, 9, 0, 3, r), 1);  // unknown operation does nothing
  EXPECT_EQ(ops::Matematika(p, 0, 1, 3, 0, 0, 3, r), 1);
  p.FGW[0].Step = 0;
  EXPECT_EQ(ops::Matematika(p, 0, 1, 3, 1, 0, 3, r), 0);  // no division by a zero step
  p.FGW[0].Step = 1;
  EXPECT_TRUE(before == algebra_test::Snapshot(p));

  // A two-sample range keeps its order (it used to be swapped round and the
  // derivative then read before its start).
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 1, 0, 1, r), 1);
  EXPECT_EQ(B(), (std::vector<float>{1, 1, -7, -7}));
  ASSERT_EQ(ops::Matematika(p, 0, 1, 3, 2, 3, 1, r), 1);  // reversed
  EXPECT_EQ(B(), (std::vector<float>{1, 1, 5, 14}));
}

TEST_F(MathFixture, UserFunctionPages) {
  Setup({0, 1, 4, 9});
  p.Fun[2].Code = 59;  // derivative of page channel 0, in place
  p.Fun[2].Channel = 0;
  ASSERT_EQ(ops::Funkce_Proved(p, 2), 1);
  EXPECT_EQ(p.FunPage, 2);
  EXPECT_EQ(ChannelData(p, 1, 0), (std::vector<float>{1, 3, 5, 5}));
  p.Fun[2].Code = 61;  // cumulative sum
  ASSERT_EQ(ops::CreateNewData(p, 2), 1);
  EXPECT_EQ(ChannelData(p, 1, 0), (std::vector<float>{1, 4, 9, 14}));

  // Decibels of a channel of positive values.
  p.MacGoing = 1;
  p.Fun[0].Code = 10;
  p.Fun[0].Channel = 0;
  ASSERT_EQ(ops::Funkce_Proved(p, 0), 1);
  EXPECT_NEAR(ChannelData(p, 1, 0)[1], 20 * std::log10(4.0), 1e-5);
  p.MacGoing = 0;
}

TEST_F(MathFixture, UnknownCodesAndBadPagesAreReported) {
  Setup({0, 1, 4, 9});
  algebra_test::Snapshot before(p);
  for (int code : {0, 13, 35, 42, 51, 63, 71, 999, -5}) {
    env.ui.ClearLog();
    p.Fun[1].Code = int16_t(code);
    p.Fun[1].Channel = 0;
    EXPECT_EQ(ops::Funkce_Proved(p, 1), 0) << code;
    ASSERT_EQ(env.ui.Log().size(), 1u) << code;
    EXPECT_EQ(env.ui.Log()[0].kind, "message");
    EXPECT_NE(env.ui.Log()[0].text.find(std::to_string(code)), std::string::npos);
  }
  EXPECT_TRUE(before == algebra_test::Snapshot(p));

  env.ui.ClearLog();
  p.Fun[1].Code = 62;
  p.Fun[1].Channel = 2;  // inactive
  EXPECT_EQ(ops::Funkce_Proved(p, 1), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 341));
  p.Fun[1].Channel = 300;
  EXPECT_EQ(ops::Funkce_Proved(p, 1), 0);
  EXPECT_EQ(ops::Funkce_Proved(p, 5), 0);
  EXPECT_EQ(ops::Funkce_Proved(p, -1), 0);
  EXPECT_TRUE(before == algebra_test::Snapshot(p));
}

}  // namespace

namespace {

TEST(UserFunctionBand, EnvelopeOfASineIntoChannel61) {
  testing_support::TestEnv env(65536);
  state::Program& p = env.prog;
  const double pi = 3.14159265358979;
  algebra_test::Layout(p, 1, {4}, 1024,
                       [&](int, int k) { return float(2 * std::cos(2 * pi * 64 * k / 1024.0)); });
  p.MacGoing = 1;
  store::Fun_s& f = p.Fun[3];
  f.Code = 37;
  f.Channel = 4;
  float centre = 64, halfWidth = 8;
  std::memcpy(f.Reserved4, &centre, 4);
  std::memcpy(f.Reserved4 + 4, &halfWidth, 4);
  std::vector<float> source = algebra_test::ChannelData(p, 1, 4);
  ASSERT_EQ(ops::Funkce_Proved(p, 3), 1);
  std::vector<float> env61 = algebra_test::ChannelData(p, 1, 60);
  ASSERT_EQ(env61.size(), 1024u);
  for (int k = 100; k < 900; k += 50) EXPECT_NEAR(env61[size_t(k)], 2.0, 0.05) << k;
  EXPECT_EQ(algebra_test::ChannelData(p, 1, 4), source);
}

}  // namespace
