#include "dsp/Matematika.h"

#include <algorithm>
#include <cmath>

#include "dsp/Correlation.h"

namespace dsp {

bool MatematikaWrites(int operation) { return operation >= 1 && operation <= 8 && operation != 3; }

bool Matematika(int operation, const float* x, const float* s, float* y, int64_t n, double dt, int64_t from,
                int64_t to, float& result) {
  if (n < 1) return false;
  int64_t lo = std::max<int64_t>(from, 0), hi = std::min<int64_t>(to, n - 1);
  // Only a truly reversed range is swapped; swapping whenever to − 1 ≤ from
  // turned a two-sample range around and made the derivative read before it.
  if (hi < lo) std::swap(lo, hi);
  lo = std::clamp<int64_t>(lo, 0, n - 1);
  hi = std::clamp<int64_t>(hi, 0, n - 1);
  switch (operation) {
    case 1:
      // A derivative needs two samples and a step to divide by.
      if (hi <= lo || !(dt != 0) || !std::isfinite(dt)) return false;
      for (int64_t i = lo; i < hi; ++i) y[i] = float((double(x[i + 1]) - double(x[i])) / dt);
      y[hi] = y[hi - 1];
      break;
    case 2: {
      double acc = x[lo];
      y[lo] = x[lo];
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = float(acc += double(x[i]));
      break;
    }
    case 3:
      result = Korelace(x, s, int(lo), int(hi));
      break;
    case 4: {
      double acc = x[lo];
      y[lo] = x[lo];
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = float(acc += double(x[i]) * dt);
      break;
    }
    case 5:
      y[lo] = x[lo];
      break;
    case 6:
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = std::fabs(x[i]);
      break;
    case 7:
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = x[i] >= 0 ? x[i] : 0.0f;
      break;
    case 8:
      for (int64_t i = lo; i < hi; ++i) y[i] = x[i + 1] - x[i] == 0 ? 0.0f : x[i + 1];
      break;
    default:
      break;
  }
  return true;
}

}  // namespace dsp
