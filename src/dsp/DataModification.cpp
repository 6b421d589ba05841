#include "dsp/DataModification.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace dsp {

DataModifValue DataModifValueFor(int mode) {
  switch (mode) {
    case 4:
      return {DataModifValue::Float, 10000, 0};
    case 5:
      return {DataModifValue::Float, 100000, 0};
    case 6:
      return {DataModifValue::Float, 10000, 0};
    case 7:
      return {DataModifValue::Long, 0, 821};
    case 8:
      return {DataModifValue::Long, 0, 823};
    default:
      return {};
  }
}

int DataModifArithmetic(float* x, int n, int mode, double value) {
  if (n < 1) return 0;
  switch (mode) {
    case 0:
      for (int i = 0; i < n; ++i) x[i] = -x[i];
      return 1;
    case 1:
      for (int i = 0; i < n; ++i) x[i] = std::fabs(x[i]);
      return 1;
    case 4: {
      const float f = static_cast<float>(value);
      for (int i = 0; i < n; ++i) x[i] *= f;
      return 1;
    }
    case 5: {
      const float f = static_cast<float>(value);
      for (int i = 0; i < n; ++i) x[i] += f;
      return 1;
    }
    case 6: {
      if (value == 0 || !std::isfinite(value)) return 0;
      const float f = static_cast<float>(value);
      for (int i = 0; i < n; ++i) x[i] /= f;
      return 1;
    }
    case 7: {
      if (!(value >= 1)) return 0;
      const int k = static_cast<int>(std::min<double>(value, n));
      double sum = 0;
      for (int i = 0; i < k; ++i) sum += x[i];
      const float mean = static_cast<float>(sum / k);
      for (int i = 0; i < n; ++i) x[i] -= mean;
      return 1;
    }
    case 8: {
      if (!std::isfinite(value)) return 0;
      const long long shift = std::clamp<long long>(std::llround(value), -n, n);
      if (shift == 0) return 0;
      if (shift > 0) {
        const float edge = x[0];
        std::copy_backward(x, x + (n - shift), x + n);
        std::fill(x, x + shift, edge);
      } else {
        const float edge = x[n - 1];
        std::copy(x - shift, x + n, x);
        std::fill(x + (n + shift), x + n, edge);
      }
      return 1;
    }
    default:
      return 0;
  }
}

void RemoveLinearTrend(float* x, int from, int to, int end) {
  if (from < 0 || to <= from || to >= end) return;
  const double slope = (double(x[to]) - x[from]) / (to - from);
  const float before = x[to];
  for (int j = from; j <= to; ++j) x[j] = static_cast<float>(x[j] - (j - from) * slope);
  const float removed = before - x[to];
  for (int j = to + 1; j < end; ++j) x[j] -= removed;
}

void RemoveSlope(float* x, int n, int anchor, double slope) {
  if (!std::isfinite(slope)) return;
  for (int j = 0; j < n; ++j) x[j] = static_cast<float>(x[j] - (double(j) - anchor) * slope);
}

float PeakMagnitude(const float* x, int64_t from, int64_t to) {
  float peak = 0;
  for (int64_t j = from; j <= to; ++j)
    if (std::fabs(x[j]) > peak) peak = std::fabs(x[j]);  // NaN never compares greater
  return peak;
}

bool NormalizeToPeak(float* x, int n) {
  const float peak = PeakMagnitude(x, 0, int64_t(n) - 1);
  if (!(peak > 0) || !std::isfinite(peak)) return false;
  for (int j = 0; j < n; ++j) x[j] /= peak;
  return true;
}

}  // namespace dsp
