#include "dsp/Statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

namespace dsp {

namespace {

// Eight independent lanes: the additions of one lane do not wait for the
// others, and the compiler can keep each group of lanes in vector registers.
constexpr int kLanes = 8;

// Sums of the deviations from a shift value (the first sample), their squares,
// and the extremes, in one pass over the data. Summing deviations from a
// nearby value keeps the variance free of the cancellation that
// mean square − mean² suffers for signals with a large offset, without the
// second pass over the record.
struct Sums {
  double shift = 0, deviations = 0, squares = 0;
  float max = -std::numeric_limits<float>::infinity();
  float min = std::numeric_limits<float>::infinity();
};

// Built twice, for AVX2 and for plain x86-64, and chosen when the program
// loads: the wider registers double the lanes worked at once.
__attribute__((target_clones("avx2", "default"))) Sums ShiftedSums(const float* x, int64_t n) {
  Sums r;
  r.shift = std::isfinite(x[0]) ? x[0] : 0.0;
  const double k0 = r.shift;
  double s[kLanes] = {}, q[kLanes] = {};
  float hi[kLanes], lo[kLanes];
  for (int k = 0; k < kLanes; ++k) {
    hi[k] = -std::numeric_limits<float>::infinity();
    lo[k] = std::numeric_limits<float>::infinity();
  }
  int64_t i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    for (int k = 0; k < kLanes; ++k) {
      float v = x[i + k];
      double d = double(v) - k0;
      s[k] += d;
      q[k] += d * d;
      // Written as comparisons so that a NaN sample never replaces a value.
      hi[k] = v > hi[k] ? v : hi[k];
      lo[k] = v < lo[k] ? v : lo[k];
    }
  }
  for (; i < n; ++i) {
    float v = x[i];
    double d = double(v) - k0;
    s[0] += d;
    q[0] += d * d;
    hi[0] = v > hi[0] ? v : hi[0];
    lo[0] = v < lo[0] ? v : lo[0];
  }
  for (int k = 0; k < kLanes; ++k) {
    r.deviations += s[k];
    r.squares += q[k];
    r.max = hi[k] > r.max ? hi[k] : r.max;
    r.min = lo[k] < r.min ? lo[k] : r.min;
  }
  return r;
}

struct FreeDeleter {
  void operator()(float* p) const { std::free(p); }
};

}  // namespace

int Statistika(const float* data, int64_t from, int64_t to, Statistics& out) {
  out = Statistics{};
  if (!data || from < 0 || to < from) return 0;
  const float* x = data + from;
  int64_t n = to - from + 1;
  Sums f = ShiftedSums(x, n);
  double dn = double(n), k0 = f.shift;
  double meanDeviation = f.deviations / dn;
  double mean = k0 + meanDeviation;
  double sum = f.deviations + dn * k0;
  double meanSquare = f.squares / dn + 2 * k0 * meanDeviation + k0 * k0;
  double variance = f.squares / dn - meanDeviation * meanDeviation;
  if (variance < 0) variance = 0;  // rounding only; NaN passes
  out.mean = float(mean);
  out.meanSquare = float(meanSquare);
  out.rms = float(std::sqrt(meanSquare));
  out.variance = float(variance);
  out.sd = float(std::sqrt(variance));
  out.count = float(n);
  out.sum = float(sum);
  if (f.max < f.min) {  // nothing but NaN samples
    out.max = out.min = out.range = std::numeric_limits<float>::quiet_NaN();
  } else {
    out.max = f.max;
    out.min = f.min;
    out.range = float(double(f.max) - double(f.min));
  }
  return 1;
}

int Median(const float* data, int64_t from, int64_t to, float& median) {
  median = 0;
  if (!data || from < 0 || to <= from) return 0;
  int64_t n = to - from;
  std::unique_ptr<float, FreeDeleter> copy(static_cast<float*>(std::malloc(size_t(n) * sizeof(float))));
  if (!copy) return 0;
  float* w = copy.get();
  std::copy(data + from, data + to, w);
  // A total order (NaN last) keeps the selection well defined: with NaN the
  // plain < is no strict weak order and the selection could run off the array.
  auto less = [](float a, float b) { return a < b || (std::isnan(b) && !std::isnan(a)); };
  // Selection in linear time instead of taking the values out one by one,
  // which cost n² comparisons; the chosen values are the same.
  int64_t mid = n / 2;
  std::nth_element(w, w + mid, w + n, less);
  float upper = w[mid];
  if (n % 2) {
    median = upper;
  } else {
    float lower = *std::max_element(w, w + mid, less);
    median = float((double(lower) + double(upper)) / 2);
  }
  return 1;
}

float RootMeanSquare(const float* x, int64_t n) {
  if (!x || n <= 0) return 0;
  double q[kLanes] = {};
  int64_t i = 0;
  for (; i + kLanes <= n; i += kLanes)
    for (int k = 0; k < kLanes; ++k) q[k] += double(x[i + k]) * double(x[i + k]);
  for (; i < n; ++i) q[0] += double(x[i]) * double(x[i]);
  double s = 0;
  for (double v : q) s += v;
  double meanSquare = s / double(n);
  return meanSquare > 0 ? float(std::sqrt(meanSquare)) : 0.0f;
}

}  // namespace dsp
