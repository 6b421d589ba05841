#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "ops/Statistics.h"

namespace {

using dsp::Statistics;
constexpr float kNan = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();

TEST(Statistika, SmallSeriesAndSubrangesMatchLongDouble) {
  std::vector<float> four = {1, 2, 3, 4};
  Statistics s;
  ASSERT_EQ(dsp::Statistika(four.data(), 0, 3, s), 1);
  EXPECT_EQ(std::tuple(s.mean, s.meanSquare, s.range, s.variance, s.count, s.sum),
            std::tuple(2.5f, 7.5f, 3.0f, 1.25f, 4.0f, 10.0f));
  EXPECT_NEAR(s.rms, 2.7386, 1e-4);
  EXPECT_NEAR(s.sd, 1.1180, 1e-4);

  // Random data with a large offset, over ranges whose lengths exercise the
  // unrolled loop and its tail, against sums in long double.
  std::mt19937 rng(7);
  std::normal_distribution<float> d(1000.0f, 3.0f);
  std::vector<float> x(1000);
  for (float& v : x) v = d(rng);
  for (auto [from, to] : {std::pair<size_t, size_t>{0, 999}, {3, 3}, {5, 6}, {10, 16}, {17, 40}, {1, 998}}) {
    SCOPED_TRACE(testing::Message() << from << ".." << to);
    ASSERT_EQ(dsp::Statistika(x.data(), int64_t(from), int64_t(to), s), 1);
    long double n = to - from + 1, sum = 0, sq = 0, var = 0;
    for (size_t i = from; i <= to; ++i) sum += x[i], sq += (long double)x[i] * x[i];
    for (size_t i = from; i <= to; ++i) var += (x[i] - sum / n) * (x[i] - sum / n);
    for (auto [got, want] : {std::pair{s.mean, sum / n}, {s.meanSquare, sq / n}, {s.sum, sum}})
      EXPECT_NEAR(got, double(want), 2e-6 * std::max(1.0, std::fabs(double(want))));
    EXPECT_EQ(s.max, *std::max_element(x.begin() + long(from), x.begin() + long(to) + 1));
    EXPECT_EQ(s.min, *std::min_element(x.begin() + long(from), x.begin() + long(to) + 1));
    EXPECT_EQ(s.count, float(n));
    // The variance is small against the mean's square: it must come from the
    // deviations, not from mean square − mean².
    EXPECT_NEAR(s.variance, double(var / n), 1e-4 * double(var / n) + 1e-9);
  }
}

TEST(Statistika, LongRecordsKeepTheirSums) {
  // A float running sum stalls at 2^24; the mean of 2^25 ones must still be 1.
  std::vector<float> ones(size_t(1) << 25, 1.0f);
  Statistics s;
  ASSERT_EQ(dsp::Statistika(ones.data(), 0, int64_t(ones.size()) - 1, s), 1);
  EXPECT_EQ(std::tuple(s.mean, s.sum, s.variance), std::tuple(1.0f, float(1 << 25), 0.0f));
  std::vector<float> tenths(3000000, 0.1f);
  ASSERT_EQ(dsp::Statistika(tenths.data(), 0, int64_t(tenths.size()) - 1, s), 1);
  EXPECT_FLOAT_EQ(s.mean, 0.1f);
  EXPECT_FLOAT_EQ(s.sum, 300000.0f);
}

TEST(Statistika, NonFiniteSamplesAndEmptyRanges) {
  std::vector<float> x = {1, kNan, 5, -2, 3, 0, 0, 0, 0, 7};
  Statistics s;
  ASSERT_EQ(dsp::Statistika(x.data(), 0, 9, s), 1);
  EXPECT_TRUE(std::isnan(s.mean) && std::isnan(s.sum));
  EXPECT_EQ(std::tuple(s.max, s.min, s.range), std::tuple(7.0f, -2.0f, 9.0f));  // extremes skip the NaN
  std::vector<float> allNan(9, kNan), withInf = {1, kInf, 2}, veryNegative = {-3e38f, -1e35f};
  ASSERT_EQ(dsp::Statistika(allNan.data(), 0, 8, s), 1);
  EXPECT_TRUE(std::isnan(s.max) && std::isnan(s.min) && std::isnan(s.range));
  ASSERT_EQ(dsp::Statistika(withInf.data(), 0, 2, s), 1);
  EXPECT_EQ(std::tuple(s.max, s.mean), std::tuple(kInf, kInf));
  // Every value below the old starting maximum of −1e31 is still found.
  ASSERT_EQ(dsp::Statistika(veryNegative.data(), 0, 1, s), 1);
  EXPECT_EQ(s.max, -1e35f);

  EXPECT_EQ(dsp::Statistika(x.data(), 5, 4, s), 0);
  EXPECT_EQ(s.count, 0);
  EXPECT_EQ(dsp::Statistika(x.data(), -1, 4, s), 0);
  EXPECT_EQ(dsp::Statistika(nullptr, 0, 4, s), 0);
}

TEST(Median, MatchesSortingForOddEvenAndDuplicatesAndLeavesTheData) {
  float m = -1;
  std::vector<float> b = {5, 1, 4, 2};
  for (auto [from, to, want] : {std::tuple{0, 3, 4.0f}, {0, 4, 3.0f}, {1, 2, 1.0f}}) {  // end exclusive
    ASSERT_EQ(dsp::Median(b.data(), from, to, m), 1);
    EXPECT_EQ(m, want) << from << ".." << to;
  }
  EXPECT_EQ(b, (std::vector<float>{5, 1, 4, 2}));
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> small(0, 5);
  for (int n : {1, 2, 3, 4, 5, 10, 11, 100, 101, 1000, 1001}) {
    std::vector<float> v(static_cast<size_t>(n));
    for (float& x : v) x = float(small(rng));  // many duplicates
    ASSERT_EQ(dsp::Median(v.data(), 0, n, m), 1);
    std::sort(v.begin(), v.end());
    EXPECT_EQ(m, n % 2 ? v[size_t(n / 2)] : float((double(v[size_t(n / 2 - 1)]) + v[size_t(n / 2)]) / 2))
        << n;
  }
  // NaN ranks high; an empty range gives zero.
  std::vector<float> v = {kNan, 1, 2, kNan, 3};
  ASSERT_EQ(dsp::Median(v.data(), 0, 5, m), 1);
  EXPECT_EQ(m, 3);
  EXPECT_EQ(dsp::Median(v.data(), 2, 2, m), 0);
  EXPECT_EQ(m, 0);
  EXPECT_EQ(dsp::Median(v.data(), 3, 1, m), 0);
}

TEST(RmsFun, WholeWaveformChannelAndBlocksOutsideTheArray) {
  testing_support::TestEnv env(4096);
  state::Program& p = env.prog;
  dsptest::Layout(p, 1, {0, 2}, 1000, [](int ch, int k) { return ch == 2 ? (k % 2 ? 3.0f : -3.0f) : 0.0f; });
  EXPECT_FLOAT_EQ(ops::RMS_fun(p, 1000), 3.0f);
  EXPECT_EQ(ops::RMS_fun(p, 0), 0.0f);     // mean square not positive
  EXPECT_EQ(ops::RMS_fun(p, 3500), 0.0f);  // block would pass the array's end
  EXPECT_EQ(ops::RMS_fun(p, -1), 0.0f);
}

}  // namespace
