#include "dsp/Decibels.h"

#include <cmath>

namespace dsp {

bool ToDecibels(float* x, int from, int to) {
  // Written as !(x > 0) so that a NaN is refused with the non-positive values.
  for (int i = from; i <= to; ++i)
    if (!(x[i] > 0.0f)) return false;
  for (int i = from; i <= to; ++i) x[i] = float(20.0 * std::log10(double(x[i])));
  return true;
}

void FromDecibels(float* x, int from, int to) {
  for (int i = from; i <= to; ++i) x[i] = float(std::pow(10.0, 0.05 * x[i]));
}

}  // namespace dsp
