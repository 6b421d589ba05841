#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "AlgebraTestSupport.h"
#include "ops/Statistics.h"
#include "support/TestSupport.h"

namespace {

using dsp::Statistics;

// Population statistics in long double, written independently of the code.
struct Reference {
  long double mean = 0, meanSquare = 0, variance = 0, max = 0, min = 0, sum = 0;
};

Reference Compute(const std::vector<float>& x, size_t from, size_t to) {
  Reference r;
  long double n = to - from + 1;
  r.max = -INFINITY;
  r.min = INFINITY;
  for (size_t i = from; i <= to; ++i) {
    r.sum += x[i];
    r.meanSquare += (long double)x[i] * x[i];
    r.max = std::max<long double>(r.max, x[i]);
    r.min = std::min<long double>(r.min, x[i]);
  }
  r.mean = r.sum / n;
  r.meanSquare /= n;
  for (size_t i = from; i <= to; ++i) r.variance += (x[i] - r.mean) * (x[i] - r.mean);
  r.variance /= n;
  return r;
}

void ExpectClose(float got, long double want) {
  EXPECT_NEAR(got, double(want), 2e-6 * std::max(1.0, std::fabs(double(want))));
}

TEST(Statistika, SmallSeriesAndSubrangeMatchLongDouble) {
  std::vector<float> four = {1, 2, 3, 4};
  Statistics s;
  ASSERT_EQ(dsp::Statistika(four.data(), 0, 3, s), 1);
  EXPECT_FLOAT_EQ(s.mean, 2.5f);
  EXPECT_FLOAT_EQ(s.meanSquare, 7.5f);
  EXPECT_NEAR(s.rms, 2.7386, 1e-4);
  EXPECT_FLOAT_EQ(s.range, 3);
  EXPECT_FLOAT_EQ(s.variance, 1.25f);
  EXPECT_NEAR(s.sd, 1.1180, 1e-4);
  EXPECT_EQ(s.count, 4);
  EXPECT_EQ(s.sum, 10);

  // Random data with a large offset, over ranges whose lengths exercise the
  // unrolled loop and its tail.
  std::mt19937 rng(7);
  std::normal_distribution<float> d(1000.0f, 3.0f);
  std::vector<float> x(1000);
  for (float& v : x) v = d(rng);
  for (auto [from, to] : {std::pair<size_t, size_t>{0, 999}, {3, 3}, {5, 6}, {10, 16}, {17, 40}, {1, 998}}) {
    SCOPED_TRACE(testing::Message() << from << ".." << to);
    ASSERT_EQ(dsp::Statistika(x.data(), int64_t(from), int64_t(to), s), 1);
    Reference r = Compute(x, from, to);
    ExpectClose(s.mean, r.mean);
    ExpectClose(s.meanSquare, r.meanSquare);
    ExpectClose(s.sum, r.sum);
    EXPECT_EQ(s.max, float(r.max));
    EXPECT_EQ(s.min, float(r.min));
    EXPECT_EQ(s.count, float(to - from + 1));
    // The variance is small against the mean's square: it must come from the
    // deviations, not from mean square − mean².
    EXPECT_NEAR(s.variance, double(r.variance), 1e-4 * double(r.variance) + 1e-9);
  }
}

TEST(Statistika, LongRecordsKeepTheirSums) {
  // A float running sum stalls at 2^24; the mean of 2^25 ones must still be 1.
  std::vector<float> ones(size_t(1) << 25, 1.0f);
  Statistics s;
  ASSERT_EQ(dsp::Statistika(ones.data(), 0, int64_t(ones.size()) - 1, s), 1);
  EXPECT_EQ(s.mean, 1.0f);
  EXPECT_EQ(s.sum, float(1 << 25));
  EXPECT_EQ(s.variance, 0.0f);
  ASSERT_EQ(dsp::Statistika(ones.data(), 0, (int64_t(1) << 24) - 1, s), 1);
  EXPECT_EQ(s.mean, 1.0f);

  std::vector<float> tenths(3000000, 0.1f);
  ASSERT_EQ(dsp::Statistika(tenths.data(), 0, int64_t(tenths.size()) - 1, s), 1);
  EXPECT_FLOAT_EQ(s.mean, 0.1f);
  EXPECT_FLOAT_EQ(s.sum, 300000.0f);
}

TEST(Statistika, NonFiniteSamplesAndEmptyRanges) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  std::vector<float> x = {1, nan, 5, -2, 3, 0, 0, 0, 0, 7};
  Statistics s;
  ASSERT_EQ(dsp::Statistika(x.data(), 0, 9, s), 1);
  EXPECT_TRUE(std::isnan(s.mean));
  EXPECT_TRUE(std::isnan(s.sum));
  EXPECT_EQ(s.max, 7);  // extremes skip the NaN
  EXPECT_EQ(s.min, -2);
  EXPECT_EQ(s.range, 9);

  std::vector<float> allNan(9, nan);
  ASSERT_EQ(dsp::Statistika(allNan.data(), 0, 8, s), 1);
  EXPECT_TRUE(std::isnan(s.max) && std::isnan(s.min) && std::isnan(s.range));

  std::vector<float> withInf = {1, inf, 2};
  ASSERT_EQ(dsp::Statistika(withInf.data(), 0, 2, s), 1);
  EXPECT_EQ(s.max, inf);
  EXPECT_EQ(s.mean, inf);

  // Every value below the old starting maximum of −1e31 is still found.
  std::vector<float> veryNegative = {-3e38f, -1e35f};
  ASSERT_EQ(dsp::Statistika(veryNegative.data(), 0, 1, s), 1);
  EXPECT_EQ(s.max, -1e35f);

  EXPECT_EQ(dsp::Statistika(x.data(), 5, 4, s), 0);
  EXPECT_EQ(s.count, 0);
  EXPECT_EQ(dsp::Statistika(x.data(), -1, 4, s), 0);
  EXPECT_EQ(dsp::Statistika(nullptr, 0, 4, s), 0);
}

float SortedMedian(std::vector<float> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : float((double(v[n / 2 - 1]) + double(v[n / 2])) / 2);
}

TEST(Median, MatchesSortingForOddEvenAndDuplicates) {
  float m = -1;
  std::vector<float> a = {5, 1, 4};
  ASSERT_EQ(dsp::Median(a.data(), 0, 3, m), 1);
  EXPECT_EQ(m, 4);
  std::vector<float> b = {5, 1, 4, 2};
  ASSERT_EQ(dsp::Median(b.data(), 0, 4, m), 1);
  EXPECT_EQ(m, 3);
  ASSERT_EQ(dsp::Median(b.data(), 1, 2, m), 1);  // one value, end exclusive
  EXPECT_EQ(m, 1);

  std::mt19937 rng(3);
  std::uniform_int_distribution<int> small(0, 5);
  for (int n : {1, 2, 3, 4, 5, 10, 11, 100, 101, 1000, 1001}) {
    std::vector<float> v(static_cast<size_t>(n));
    for (float& x : v) x = float(small(rng));  // many duplicates
    ASSERT_EQ(dsp::Median(v.data(), 0, n, m), 1);
    EXPECT_EQ(m, SortedMedian(v)) << n;
  }
  // The data itself is left untouched.
  std::vector<float> c = {3, 2, 1}, before = c;
  (void)dsp::Median(c.data(), 0, 3, m);
  EXPECT_EQ(c, before);
}

TEST(Median, NanRanksHighAndEmptyRangeGivesZero) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> v = {nan, 1, 2, nan, 3};
  float m = -1;
  ASSERT_EQ(dsp::Median(v.data(), 0, 5, m), 1);
  EXPECT_EQ(m, 3);
  EXPECT_EQ(dsp::Median(v.data(), 2, 2, m), 0);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(dsp::Median(v.data(), 3, 1, m), 0);
}

TEST(RmsFun, WholeWaveformChannelAndBlocksOutsideTheArray) {
  testing_support::TestEnv env(4096);
  state::Program& p = env.prog;
  algebra_test::Layout(p, 1, {0, 2}, 1000,
                       [](int ch, int k) { return ch == 2 ? (k % 2 ? 3.0f : -3.0f) : 0.0f; });
  EXPECT_FLOAT_EQ(ops::RMS_fun(p, 1000), 3.0f);
  EXPECT_EQ(ops::RMS_fun(p, 0), 0.0f);     // mean square not positive
  EXPECT_EQ(ops::RMS_fun(p, 3500), 0.0f);  // block would pass the array's end
  EXPECT_EQ(ops::RMS_fun(p, -1), 0.0f);
}

}  // namespace
