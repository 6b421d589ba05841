#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/Smoothing.h"

namespace {

using dsptest::Channel;
using V = std::vector<float>;
using LV = std::vector<long double>;

V Random(int n, unsigned seed, float scale = 1.0f) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<float> d(-scale, scale);
  V v(static_cast<size_t>(n));
  for (auto& x : v) x = d(gen);
  return v;
}

// The fixed kernels written out from their table, in long double, clamping
// kernel positions to the smoothed range.
LV ReferenceKernel(const V& in, int from, int to, int mode) {
  LV d(in.begin(), in.end());
  const LV orig = d;
  auto at = [&](const LV& v, int i) { return v[size_t(std::clamp(i, from, to))]; };
  const long double k9[] = {0.25L, 0.25L, 0.35L, 0.6L, 1.5L, 0.6L, 0.35L, 0.25L, 0.25L};
  for (int i = from; i <= to; ++i) {
    long double s = 0;
    if (mode == 1)
      s = 0.5L * (0.5L * at(orig, i - 1) + at(orig, i) + 0.5L * at(orig, i + 1));
    else if (mode == 2)
      s = 0.4L * (0.25L * at(d, i - 2) + 0.5L * at(d, i - 1) + at(d, i) + 0.5L * at(d, i + 1) +
                  0.25L * at(d, i + 2));
    else
      for (int t = -4; t <= 4; ++t) s += k9[t + 4] * at(d, i + t) / 4.4L;
    d[size_t(i)] = s;
  }
  return d;
}

// The moving average as described: a sum per window (from long double sums
// from the left where the window is finite), then the ends.
LV ReferenceAverage(const V& in, int from, int to, int mode, int last) {
  LV d(in.begin(), in.end());
  int n = to - from + 1;
  int w = std::min(mode, n / 2), h = w / 2;
  if (n < 2 || h < 1) return d;
  LV left(in.size() + 1, 0.0L);
  std::vector<int> bad(in.size() + 1, 0);
  for (size_t j = 0; j < in.size(); ++j) {
    left[j + 1] = left[j] + (std::isfinite(in[j]) ? in[j] : 0);
    bad[j + 1] = bad[j] + !std::isfinite(in[j]);
  }
  for (int i = from + h; i <= to - h; ++i) {
    const size_t a = size_t(i - h), b = a + size_t(w);
    long double s = left[b] - left[a];
    if (bad[b] != bad[a]) {
      s = 0;
      for (size_t j = a; j < b; ++j) s += in[j];
    }
    d[size_t(i)] = s / w;
  }
  int k = w / 2 + 1;
  if (from == 0)
    for (int j = 0; j < k; ++j) d[size_t(j)] = d[size_t(k)];
  if (to == last) std::fill(d.begin() + (to - k), d.begin() + to + 1, d[size_t(to - k)]);
  return d;
}

// Smooths a copy of `in` over from..to; the moving average against its reference.
V Smoothed(const V& in, int from, int to, int mode, int last) {
  V x = in, copy(in.size(), 7.0f);
  dsp::Smooth(x.data(), copy.data(), from, to, mode, last);
  return x;
}

void ExpectNear(const V& got, const LV& want, double tol) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    if (std::isnan(double(want[i])))
      EXPECT_TRUE(std::isnan(got[i])) << "at " << i;
    else
      EXPECT_NEAR(got[i], double(want[i]), tol) << "at " << i;
  }
}

TEST(Smooth, FixedKernelsMatchTheTable) {
  // The whole record and an inner range: the inner one must neither read nor write outside its samples.
  for (int mode = 1; mode <= 3; ++mode)
    for (auto [from, to] : {std::pair{0, 99}, {17, 60}}) {
      V in = Random(100, 10 + mode);
      ExpectNear(Smoothed(in, from, to, mode, 99), ReferenceKernel(in, from, to, mode), 2e-6);
    }
  // A range beyond the record is cut to it.
  EXPECT_EQ(Smoothed({0, 0, 1, 0, 0, 99}, -3, 40, 1, 4), (V{0, 0.25f, 0.5f, 0.25f, 0, 99}));
}

TEST(Smooth, MovingAverageMatchesFreshSums) {
  for (int n : {4, 5, 9, 30, 301})
    for (int mode : {4, 5, 6, 7, 10, 11, 150, 100000}) {
      SCOPED_TRACE(testing::Message() << "n " << n << " mode " << mode);
      V in = Random(n, unsigned(n * 31 + mode));
      ExpectNear(Smoothed(in, 0, n - 1, mode, n - 1), ReferenceAverage(in, 0, n - 1, mode, n - 1), 1e-6);
    }
  // Records long enough for several blocks of windows running side by side,
  // one with a NaN far in (the blocks before it keep the quick path), and a
  // window wider than a block.
  for (int mode : {4, 1001, 20001}) {
    V in = Random(50000, unsigned(mode));
    if (mode == 1001) in[40000] = std::numeric_limits<float>::quiet_NaN();
    ExpectNear(Smoothed(in, 0, 49999, mode, 49999), ReferenceAverage(in, 0, 49999, mode, 49999), 1e-6);
  }
  // An inner range leaves the rest alone.
  V in = Random(200, 3);
  ExpectNear(Smoothed(in, 50, 120, 9, 199), ReferenceAverage(in, 50, 120, 9, 199), 1e-6);
}

TEST(Smooth, LongRecordKeepsItsAccuracy) {
  // A running sum over a long record must not drift from fresh sums.
  const int n = 300000;
  V in = Random(n, 99, 1000.0f);
  for (auto& v : in) v += 5000.0f;
  V x = Smoothed(in, 0, n - 1, 1001, n - 1);
  LV want = ReferenceAverage(in, 0, n - 1, 1001, n - 1);
  double worst = 0;
  for (size_t i = 0; i < size_t(n); ++i) worst = std::max(worst, std::fabs(x[i] - double(want[i])));
  EXPECT_LT(worst, 1e-3);  // float32 rounding of values near 5000
}

TEST(Smooth, NonFiniteSamplesSpoilOnlyTheirWindows) {
  V in = Random(100, 5);
  in[30] = std::numeric_limits<float>::quiet_NaN();
  in[70] = std::numeric_limits<float>::infinity();
  V x = Smoothed(in, 0, 99, 5, 99);
  for (int i = 3; i <= 96; ++i) {  // the window of i is i-2 … i+2
    SCOPED_TRACE(i);
    if (i >= 28 && i <= 32)
      EXPECT_TRUE(std::isnan(x[size_t(i)]));
    else if (i >= 68 && i <= 72)
      EXPECT_EQ(x[size_t(i)], std::numeric_limits<float>::infinity());
    else
      EXPECT_TRUE(std::isfinite(x[size_t(i)]));
  }
  EXPECT_NEAR(x[50], double(ReferenceAverage(in, 0, 99, 5, 99)[50]), 1e-6);
}

TEST(Smooth, LongRecursiveRangesAgreeWithOneByOne) {
  // Long ranges run in blocks side by side, each but the first warmed up
  // from the old values: within 2^-22 of the largest sample of the few
  // hundred before, and a NaN or an infinity spoils what follows as before.
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    int from, to, bad;
    float bigScale, badValue;
  };
  const Case kCases[] = {{0, 199999, -1, 1, 0},
                         {3, 150000, -1, 1e20f, 0},
                         {0, 199999, 90001, 1, NAN},
                         {0, 199999, 50, 1, inf},
                         {0, 199999, 190000, 1, -inf}};
  for (int mode : {2, 3})
    for (const Case& c : kCases) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " from " << c.from << " bad " << c.bad);
      V in = Random(200001, unsigned(mode * 7 + c.from));
      for (size_t i = 0; i < in.size(); ++i)
        if (i / 3001 % 2) in[i] *= c.bigScale;  // loud and quiet stretches
      if (c.bad >= 0) in[size_t(c.bad)] = c.badValue;
      V want = in, got = in, wantCopy(in.size()), gotCopy(in.size());
      dsp::SmoothOneByOne(want.data(), wantCopy.data(), c.from, c.to, mode);
      ASSERT_TRUE(dsp::Smooth(got.data(), gotCopy.data(), c.from, c.to, mode, 200000));
      EXPECT_EQ(std::memcmp(&in[size_t(c.from)], &gotCopy[size_t(c.from)],
                            sizeof(float) * size_t(c.to - c.from + 1)),
                0);
      for (size_t i = 0; i < in.size(); ++i) {
        float loudest = 0;
        for (size_t j = i < 300 ? 0 : i - 300; j <= std::min(i + 4, in.size() - 1); ++j)
          loudest = std::max(loudest, std::fabs(in[j]));
        if (!std::isfinite(want[i]))
          ASSERT_EQ(std::bit_cast<uint32_t>(got[i]), std::bit_cast<uint32_t>(want[i])) << i;
        else
          ASSERT_NEAR(got[i], want[i], 0x1p-22 * loudest) << i;
      }
    }
}

TEST(Smooth, AStopPutsTheRangeBack) {
  // Asked between pieces; a no at the second question, well into the range.
  V in = Random(3000000, 4);
  for (int mode : {1, 3, 5, 1001}) {
    V x = in, copy(in.size());
    int asked = 0;
    EXPECT_FALSE(dsp::Smooth(x.data(), copy.data(), 0, int(in.size()) - 1, mode, int(in.size()) - 1,
                             [&](int64_t, int64_t) { return ++asked < 2; }));
    EXPECT_TRUE(x == in) << mode;
  }
}

TEST(Smooth, ShortRangesAndUnknownModesChangeNothing) {
  const V x = {1, 5, 2, 8, 3};
  for (int n : {1, 2, 3})
    for (int mode : {4, 5, 100}) EXPECT_EQ(Smoothed(x, 0, n - 1, mode, n - 1), x) << n << " " << mode;
  for (int mode : {0, -3}) EXPECT_EQ(Smoothed(x, 0, 4, mode, 4), x);
  EXPECT_EQ(Smoothed(x, 3, 1, 1, 4), x);  // reversed
  EXPECT_EQ(Smoothed(x, 4, 4, 1, 4), x);  // one sample
}

TEST(SmoothChannel, SmoothsOneBlockInPlaceOrRefuses) {
  testing_support::TestEnv env(4096);
  auto& p = env.prog;
  V a = Random(64, 1), b = Random(64, 2), c = Random(64, 3);
  dsptest::FillStore(p, 0, {1, 4, 9}, {a, b, c}, 64);
  ASSERT_EQ(ops::SmoothChannel(p, store::Store::M, 4, 6), 1);
  EXPECT_EQ(Channel(p, 0, 1), a);
  EXPECT_EQ(Channel(p, 0, 9), c);
  ExpectNear(Channel(p, 0, 4), ReferenceAverage(b, 0, 63, 6, 63), 1e-6);
  // The scratch array holds the old values of the block.
  EXPECT_TRUE(
      std::equal(b.begin(), b.end(), p.Scratch(store::Store::M) + state::Pocatek(p, store::Store::M, 4)));

  dsptest::FillStore(p, 1, {0}, {a}, 16);
  EXPECT_EQ(ops::SmoothChannel(p, store::Store::W, 3, 4), 0);    // inactive
  EXPECT_EQ(ops::SmoothChannel(p, store::Store::W, 200, 4), 0);  // no such channel
  EXPECT_EQ(ops::SmoothRange(p, store::Store::W, 0, 9, 2, 4), 0);
  EXPECT_EQ(Channel(p, 1, 0), V(a.begin(), a.begin() + 16));
  p.HGW.Length = 5000;  // a header claiming more than the arrays hold is not believed
  EXPECT_EQ(ops::SmoothChannel(p, store::Store::W, 0, 4), 0);
}

}  // namespace
