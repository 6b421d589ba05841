#include "dsp/StoreFileAlgebra.h"

#include <cmath>

namespace dsp {

double DivisionFloor(const float* f, int64_t n) {
  double largest = 0;
  for (int64_t i = 0; i < n; ++i)
    if (std::fabs(f[i]) > largest) largest = std::fabs(f[i]);
  return 0.01 * largest;
}

void CombineSamples(const float* m, const float* f, float* out, int64_t n, int operation, double cm,
                    double cf, double floor) {
  switch (operation) {
    case kAlgebraPlus:
      for (int64_t i = 0; i < n; ++i) out[i] = m[i] + f[i];
      break;
    case kAlgebraMinus:
      for (int64_t i = 0; i < n; ++i) out[i] = m[i] - f[i];
      break;
    case kAlgebraWeightedSum:
      for (int64_t i = 0; i < n; ++i) out[i] = float(cm * m[i] + cf * f[i]);
      break;
    case kAlgebraWeightedDiff:
      for (int64_t i = 0; i < n; ++i) out[i] = float(cm * m[i] - cf * f[i]);
      break;
    case kAlgebraTimes:
      for (int64_t i = 0; i < n; ++i) out[i] = m[i] * f[i];
      break;
    case kAlgebraDivided:
      // A file channel of zeros makes the 1 % floor zero as well, so an exact
      // zero is caught on its own rather than divided by.
      for (int64_t i = 0; i < n; ++i) {
        const double d = std::fabs(f[i]);
        out[i] = d < floor || f[i] == 0.0f ? 0.0f : m[i] / f[i];
      }
      break;
  }
}

}  // namespace dsp
