#include "dsp/Reduction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dsp {

namespace {

// Sum of f(x[i]) over a block with four accumulators: a single chain of
// double additions would bound the reduction by add latency, not memory.
template <typename F>
double Sum(const float* x, int k, F f) {
  double a0 = 0, a1 = 0, a2 = 0, a3 = 0;
  int i = 0;
  for (; i + 4 <= k; i += 4) {
    a0 += f(x[i]);
    a1 += f(x[i + 1]);
    a2 += f(x[i + 2]);
    a3 += f(x[i + 3]);
  }
  for (; i < k; ++i) a0 += f(x[i]);
  return (a0 + a1) + (a2 + a3);
}

// One block's statistic with the mode fixed at compile time, so the loop over
// a long record carries no dispatch: the reduction runs at memory speed. The
// values agree with `Statistika`: sums in double, NaN passed over by the
// maximum and minimum (a block of nothing but NaN gives NaN).
template <int Mode>
float Block(const float* x, int k) {
  if constexpr (Mode == 3 || Mode == 4 || Mode == 5) {
    float mx = -std::numeric_limits<float>::infinity(), mn = std::numeric_limits<float>::infinity();
    bool any = false;
    for (int i = 0; i < k; ++i) {
      if (std::isnan(x[i])) continue;
      any = true;
      mx = std::max(mx, x[i]);
      mn = std::min(mn, x[i]);
    }
    if (!any) return std::numeric_limits<float>::quiet_NaN();
    if constexpr (Mode == 3) return mx;
    if constexpr (Mode == 4) return mn;
    return mx - mn;
  } else if constexpr (Mode == 6) {
    const double sq = Sum(x, k, [](float v) { return double(v) * v; });
    return static_cast<float>(std::sqrt(sq / k));
  } else {
    const double mean = Sum(x, k, [](float v) { return double(v); }) / k;
    if constexpr (Mode == 2) {
      const double dev = Sum(x, k, [mean](float v) { return (v - mean) * (v - mean); });
      return static_cast<float>(std::sqrt(dev / k));
    }
    return static_cast<float>(mean);
  }
}

template <int Mode>
void Blocks(const float* src, float* dst, int blocks, int k) {
  for (int j = 0; j < blocks; ++j) dst[j] = Block<Mode>(src + static_cast<long long>(j) * k, k);
}

}  // namespace

void ReduceBlocks(const float* src, float* dst, int blocks, int k, int mode) {
  switch (mode) {
    case 2:
      return Blocks<2>(src, dst, blocks, k);
    case 3:
      return Blocks<3>(src, dst, blocks, k);
    case 4:
      return Blocks<4>(src, dst, blocks, k);
    case 5:
      return Blocks<5>(src, dst, blocks, k);
    case 6:
      return Blocks<6>(src, dst, blocks, k);
    default:
      return Blocks<1>(src, dst, blocks, k);
  }
}

float BlockStatistic(const float* x, int k, int mode) {
  if (k < 1) return 0.0f;
  float out = 0;
  ReduceBlocks(x, &out, 1, k, mode);
  return out;
}

}  // namespace dsp
