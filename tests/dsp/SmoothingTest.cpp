#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "FilterTestSupport.h"
#include "ops/Smoothing.h"
#include "support/TestSupport.h"

namespace {

using filter_test::Channel;
using filter_test::FillStore;

std::vector<float> Random(int n, unsigned seed, float scale = 1.0f) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> d(-scale, scale);
  std::vector<float> v(static_cast<size_t>(n));
  for (auto& x : v) x = d(gen);
  return v;
}

// The fixed kernels written out from their table, in long double, clamping
// kernel positions to the smoothed range.
std::vector<long double> ReferenceKernel(const std::vector<float>& in, int from, int to, int mode) {
  std::vector<long double> d(in.begin(), in.end());
  const std::vector<long double> orig = d;
  auto at = [&](const std::vector<long double>& v, int i) { return v[size_t(std::clamp(i, from, to))]; };
  for (int i = from; i <= to; ++i) {
    if (mode == 1) {
      d[size_t(i)] = 0.5L * (0.5L * at(orig, i - 1) + at(orig, i) + 0.5L * at(orig, i + 1));
    } else if (mode == 2) {
      d[size_t(i)] = 0.4L * (0.25L * at(d, i - 2) + 0.5L * at(d, i - 1) + at(d, i) + 0.5L * at(d, i + 1) +
                             0.25L * at(d, i + 2));
    } else {
      const long double k[] = {0.25L, 0.25L, 0.35L, 0.6L, 1.5L, 0.6L, 0.35L, 0.25L, 0.25L};
      long double s = 0;
      for (int t = -4; t <= 4; ++t) s += k[t + 4] * at(d, i + t);
      d[size_t(i)] = s / 4.4L;
    }
  }
  return d;
}

// The moving average as described: a fresh sum per window, then the ends.
std::vector<long double> ReferenceAverage(const std::vector<float>& in, int from, int to, int mode,
                                          int last) {
  std::vector<long double> d(in.begin(), in.end());
  int n = to - from + 1;
  int w = std::min(mode, n / 2), h = w / 2;
  if (n < 2 || h < 1) return d;
  for (int i = from + h; i <= to - h; ++i) {
    long double s = 0;
    for (int j = i - h; j <= i - h + w - 1; ++j) s += in[size_t(j)];
    d[size_t(i)] = s / w;
  }
  int k = w / 2 + 1;
  if (from == 0)
    for (int j = 0; j < k; ++j) d[size_t(j)] = d[size_t(k)];
  if (to == last) {
    long double v = d[size_t(to - k)];
    for (int j = to - k; j <= to; ++j) d[size_t(j)] = v;
  }
  return d;
}

void ExpectNear(const std::vector<float>& got, const std::vector<long double>& want, double tol) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    if (std::isnan(double(want[i]))) {
      EXPECT_TRUE(std::isnan(got[i])) << "at " << i;
      continue;
    }
    EXPECT_NEAR(got[i], double(want[i]), tol) << "at " << i;
  }
}

TEST(Smooth, FixedKernelsMatchTheTable) {
  for (int mode = 1; mode <= 3; ++mode) {
    // The whole record and an inner range: the inner one must neither read
    // nor write outside its own samples.
    for (auto [from, to] : {std::pair{0, 99}, std::pair{17, 60}}) {
      auto in = Random(100, 10 + mode);
      auto x = in;
      std::vector<float> copy(100, 7.0f);
      dsp::Smooth(x.data(), copy.data(), from, to, mode, 99);
      ExpectNear(x, ReferenceKernel(in, from, to, mode), 2e-6);
    }
  }
}

TEST(Smooth, MovingAverageMatchesFreshSums) {
  for (int n : {4, 5, 9, 30, 301}) {
    for (int mode : {4, 5, 6, 7, 10, 11, 150, 100000}) {
      auto in = Random(n, unsigned(n * 31 + mode));
      auto x = in;
      std::vector<float> copy(static_cast<size_t>(n));
      dsp::Smooth(x.data(), copy.data(), 0, n - 1, mode, n - 1);
      SCOPED_TRACE(testing::Message() << "n " << n << " mode " << mode);
      ExpectNear(x, ReferenceAverage(in, 0, n - 1, mode, n - 1), 1e-6);
    }
  }
}

TEST(Smooth, MovingAverageOnInnerRangeLeavesTheRestAlone) {
  auto in = Random(200, 3);
  auto x = in;
  std::vector<float> copy(200);
  dsp::Smooth(x.data(), copy.data(), 50, 120, 9, 199);
  ExpectNear(x, ReferenceAverage(in, 50, 120, 9, 199), 1e-6);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(x[size_t(i)], in[size_t(i)]);
  for (int i = 121; i < 200; ++i) EXPECT_EQ(x[size_t(i)], in[size_t(i)]);
}

TEST(Smooth, LongRecordKeepsItsAccuracy) {
  // A running sum over a long record must not drift from fresh sums.
  const int n = 300000;
  auto in = Random(n, 99, 1000.0f);
  for (int i = 0; i < n; ++i) in[size_t(i)] += 5000.0f;
  auto x = in;
  std::vector<float> copy(static_cast<size_t>(n));
  dsp::Smooth(x.data(), copy.data(), 0, n - 1, 1001, n - 1);
  auto want = ReferenceAverage(in, 0, n - 1, 1001, n - 1);
  double worst = 0;
  for (size_t i = 0; i < size_t(n); ++i) worst = std::max(worst, std::fabs(x[i] - double(want[i])));
  EXPECT_LT(worst, 1e-3);  // float32 rounding of values near 5000
}

TEST(Smooth, NonFiniteSamplesSpoilOnlyTheirWindows) {
  auto in = Random(100, 5);
  in[30] = std::numeric_limits<float>::quiet_NaN();
  in[70] = std::numeric_limits<float>::infinity();
  auto x = in;
  std::vector<float> copy(100);
  dsp::Smooth(x.data(), copy.data(), 0, 99, 5, 99);
  // Window of i is i-2 … i+2.
  for (int i = 0; i < 100; ++i) {
    SCOPED_TRACE(i);
    if (i >= 28 && i <= 32) {
      EXPECT_TRUE(std::isnan(x[size_t(i)]));
    } else if (i >= 68 && i <= 72) {
      EXPECT_EQ(x[size_t(i)], std::numeric_limits<float>::infinity());
    } else if (i >= 3 && i <= 96) {
      EXPECT_TRUE(std::isfinite(x[size_t(i)]));
    }
  }
  EXPECT_NEAR(x[50], double(ReferenceAverage(in, 0, 99, 5, 99)[50]), 1e-6);
}

TEST(Smooth, ShortRangesAndUnknownModesChangeNothing) {
  for (int n : {0, 1, 2, 3}) {
    for (int mode : {4, 5, 100}) {
      std::vector<float> x = {1, 5, 2}, copy(3);
      auto before = x;
      if (n > 0) dsp::Smooth(x.data(), copy.data(), 0, n - 1, mode, n - 1);
      EXPECT_EQ(x, before) << n << " " << mode;
    }
  }
  std::vector<float> x = {1, 5, 2, 8, 3}, copy(5);
  auto before = x;
  for (int mode : {0, -3}) dsp::Smooth(x.data(), copy.data(), 0, 4, mode, 4);
  dsp::Smooth(x.data(), copy.data(), 3, 1, 1, 4);  // reversed
  dsp::Smooth(x.data(), copy.data(), 4, 4, 1, 4);  // one sample
  EXPECT_EQ(x, before);
}

TEST(Smooth, RangeBeyondTheRecordIsCut) {
  std::vector<float> x = {0, 0, 1, 0, 0, 99}, copy(6);
  dsp::Smooth(x.data(), copy.data(), -3, 40, 1, 4);
  EXPECT_EQ(x, (std::vector<float>{0, 0.25f, 0.5f, 0.25f, 0, 99}));
}

TEST(SmoothChannel, SmoothsOneBlockInPlace) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  std::vector<float> a = Random(64, 1), b = Random(64, 2), c = Random(64, 3);
  FillStore(p, 0, {1, 4, 9}, {a, b, c}, 64);
  ASSERT_EQ(ops::SmoothChannel(p, store::Store::M, 4, 6), 1);
  EXPECT_EQ(Channel(p, 0, 1), a);
  EXPECT_EQ(Channel(p, 0, 9), c);
  ExpectNear(Channel(p, 0, 4), ReferenceAverage(b, 0, 63, 6, 63), 1e-6);
  // The scratch array holds the old values of the block.
  const float* scratch = p.Scratch(store::Store::M) + state::Pocatek(p, store::Store::M, 4);
  EXPECT_TRUE(std::equal(b.begin(), b.end(), scratch));
}

TEST(SmoothChannel, RefusesWhatItCannotSmooth) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  auto a = Random(16, 1);
  FillStore(p, 1, {0}, {a}, 16);
  EXPECT_EQ(ops::SmoothChannel(p, store::Store::W, 3, 4), 0);    // inactive
  EXPECT_EQ(ops::SmoothChannel(p, store::Store::W, 200, 4), 0);  // no such channel
  EXPECT_EQ(ops::SmoothRange(p, store::Store::W, 0, 9, 2, 4), 0);
  EXPECT_EQ(Channel(p, 1, 0), a);
  // A header claiming more than the arrays hold is not believed.
  p.HGW.Length = 5000;
  EXPECT_EQ(ops::SmoothChannel(p, store::Store::W, 0, 4), 0);
}

}  // namespace
