#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/Matematika.h"
#include "ops/UserFunctions.h"
#include "state/Messages.h"

namespace {

using dsptest::Channel;
using V = std::vector<float>;

struct MathFixture : testing::Test {
  testing_support::TestEnv env{65536};
  state::Program& p = env.prog;
  float r = 0;
  // W channels 0 (a), 1 (s = 2k + 3) and 3 (b = -7).
  void Setup(V a, float step = 1.0f) {
    dsptest::Layout(p, 1, {0, 1, 3}, int(a.size()), [&](int ch, int k) {
      return ch == 0 ? a[size_t(k)] : ch == 1 ? float(2 * k + 3) : -7.0f;
    });
    p.FGW[0].Step = step;
  }
  // Operation op from a (and s) into b over from..to; b afterwards.
  V B(int op, int from, int to, int a = 0, int s = 1, int b = 3) {
    EXPECT_EQ(ops::Matematika(p, a, s, b, op, from, to, r), 1) << op;
    return Channel(p, 1, b);
  }
};

TEST_F(MathFixture, DerivativeIntegralSumsAndShaping) {
  Setup({0, 1, 4, 9});
  EXPECT_EQ(B(1, 0, 3), (V{1, 3, 5, 5}));
  EXPECT_EQ(B(2, 0, 3), (V{0, 1, 5, 14}));
  Setup(V(11, 1.0f), 0.1f);
  V b = B(4, 0, 10);
  for (int i = 0; i <= 10; ++i) EXPECT_NEAR(b[size_t(i)], 1 + 0.1 * i, 1e-6) << i;
  // A sub-range leaves the samples around it alone; a range beyond the record is limited to it.
  Setup({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(B(2, 2, 3), (V{-7, -7, 3, 7, -7, -7}));
  EXPECT_EQ(B(4, -5, 99), (V{1, 3, 6, 10, 15, 21}));

  Setup({-1, -2, 3, -4, 5, 5});
  EXPECT_EQ(B(6, 0, 5), (V{-7, 2, 3, 4, 5, 5}));  // from + 1 … to
  EXPECT_EQ(B(7, 0, 5), (V{-7, 0, 3, 0, 5, 5}));
  EXPECT_EQ(B(5, 0, 5)[0], -1);
  EXPECT_EQ(B(8, 0, 5), (V{-2, 3, -4, 5, 0, 5}));  // b[to] untouched
}

TEST_F(MathFixture, CorrelationAndInPlace) {
  Setup({0, 1, 2, 3, 4, 5});
  V before = Channel(p, 1, 3);
  EXPECT_EQ(B(3, 0, 5), before);  // s = 2x + 3
  EXPECT_NEAR(r, 1.0, 1e-6);
  B(3, 0, 5, 0, 3);  // against a constant
  EXPECT_EQ(r, 0);
  EXPECT_EQ(B(1, 0, 5, 0, 0, 0), V(6, 1.0f));  // source and destination the same channel
}

TEST_F(MathFixture, RefusalsChangeNothing) {
  Setup({0, 1, 4, 9});
  dsptest::Snapshot before(p);
  // s or b inactive, impossible channels, one sample: nothing to differentiate.
  for (auto [a, s, b, from, to] :
       {std::tuple{0, 2, 3, 0, 3}, {0, 1, 5, 0, 3}, {-1, 1, 3, 0, 3}, {0, 1, 128, 0, 3}, {0, 1, 3, 2, 2}})
    EXPECT_EQ(ops::Matematika(p, a, s, b, 1, from, to, r), 0) << a << s << b;
  EXPECT_EQ(ops::Matematika(p, 0, 1, 3, 9, 0, 3, r), 1);  // an unknown operation does nothing
  EXPECT_EQ(ops::Matematika(p, 0, 1, 3, 0, 0, 3, r), 1);
  p.FGW[0].Step = 0;
  EXPECT_EQ(ops::Matematika(p, 0, 1, 3, 1, 0, 3, r), 0);  // no division by a zero step
  p.FGW[0].Step = 1;
  EXPECT_TRUE(before == dsptest::Snapshot(p));
  // A two-sample range keeps its order (it used to be swapped round and the
  // derivative then read before its start).
  EXPECT_EQ(B(1, 0, 1), (V{1, 1, -7, -7}));
  EXPECT_EQ(B(2, 3, 1), (V{1, 1, 5, 14}));  // reversed
}

TEST_F(MathFixture, UserFunctionPages) {
  Setup({0, 1, 4, 9});
  p.Fun[2].Code = 59;  // derivative of page channel 0, in place
  p.Fun[2].Channel = 0;
  ASSERT_EQ(ops::Funkce_Proved(p, 2), 1);
  EXPECT_EQ(p.FunPage, 2);
  EXPECT_EQ(Channel(p, 1, 0), (V{1, 3, 5, 5}));
  p.Fun[2].Code = 61;  // cumulative sum
  ASSERT_EQ(ops::CreateNewData(p, 2), 1);
  EXPECT_EQ(Channel(p, 1, 0), (V{1, 4, 9, 14}));
  // Decibels of a channel of positive values.
  p.MacGoing = 1;
  p.Fun[0].Code = 10;
  p.Fun[0].Channel = 0;
  ASSERT_EQ(ops::Funkce_Proved(p, 0), 1);
  EXPECT_NEAR(Channel(p, 1, 0)[1], 20 * std::log10(4.0), 1e-5);
}

TEST_F(MathFixture, UnknownCodesAndBadPagesAreReported) {
  Setup({0, 1, 4, 9});
  dsptest::Snapshot before(p);
  for (int code : {0, 13, 35, 57, 63, 71, 999, -5}) {
    env.ui.ClearLog();
    p.Fun[1].Code = int16_t(code);
    p.Fun[1].Channel = 0;
    EXPECT_EQ(ops::Funkce_Proved(p, 1), 0) << code;
    ASSERT_EQ(env.ui.Log().size(), 1u) << code;
    EXPECT_EQ(env.ui.Log()[0].kind, "message");
    EXPECT_NE(env.ui.Log()[0].text.find(std::to_string(code)), std::string::npos);
  }
  p.Fun[1].Code = 62;
  p.Fun[1].Channel = 2;  // inactive
  EXPECT_EQ(ops::Funkce_Proved(p, 1), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 341));
  p.Fun[1].Channel = 300;
  for (int page : {1, 5, -1}) EXPECT_EQ(ops::Funkce_Proved(p, page), 0) << page;
  EXPECT_TRUE(before == dsptest::Snapshot(p));
}

TEST_F(MathFixture, BandEnvelopeOfASineIntoChannel61) {
  const double pi = 3.14159265358979;
  dsptest::Layout(p, 1, {4}, 1024, [&](int, int k) { return float(2 * std::cos(2 * pi * 64 * k / 1024.0)); });
  p.MacGoing = 1;
  store::Fun_s& f = p.Fun[3];
  f.Code = 37;
  f.Channel = 4;
  float centre = 64, halfWidth = 8;
  std::memcpy(f.Reserved4, &centre, 4);
  std::memcpy(f.Reserved4 + 4, &halfWidth, 4);
  V source = Channel(p, 1, 4);
  ASSERT_EQ(ops::Funkce_Proved(p, 3), 1);
  V env61 = Channel(p, 1, 60);
  ASSERT_EQ(env61.size(), 1024u);
  for (int k = 100; k < 900; k += 50) EXPECT_NEAR(env61[size_t(k)], 2.0, 0.05) << k;
  EXPECT_EQ(Channel(p, 1, 4), source);
}

}  // namespace
