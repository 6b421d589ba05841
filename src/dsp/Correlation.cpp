#include "dsp/Correlation.h"

#include <cmath>

namespace dsp {

float Korelace(const float* x, const float* y, int from, int to) {
  if (to < from || from < 0) return 0.0f;
  const double n = double(to) - double(from) + 1;
  double sx = 0, sy = 0;
  for (int i = from; i <= to; ++i) {
    sx += x[i];
    sy += y[i];
  }
  const double mx = sx / n, my = sy / n;
  double sxy = 0, sxx = 0, syy = 0;
  for (int i = from; i <= to; ++i) {
    double dx = x[i] - mx, dy = y[i] - my;
    sxy += dx * dy;
    sxx += dx * dx;
    syy += dy * dy;
  }
  if (!(sxx > 0) || !(syy > 0)) return 0.0f;
  return float(sxy / std::sqrt(sxx * syy));
}

}  // namespace dsp
