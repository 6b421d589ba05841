#include "dsp/SpectrumTools.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dsp/Zeroing.h"

namespace dsp {

double WeightWindow(int j, int n) {
  double a = 2 * std::numbers::pi * double(j) / double(n);
  return 1 - 1.24 * std::cos(a) + 0.244 * std::cos(2 * a) - 0.00305 * std::cos(3 * a);
}

void WeightWindowPart(float* x, int n, int64_t first, int64_t count) {
  for (int64_t i = 0; i < count; ++i) x[i] = float(x[i] * WeightWindow(int(first + i), n));
}

void SpectrumMagnitudes(float* data, int n) {
  const int half = n / 2;
  for (int k = 0; k < half; ++k) {
    data[k] = std::hypot(data[k], data[half + k]);
    data[half + k] = 0.0f;
  }
}

void Magnitudes(float* data, int n, bool spectrum) {
  if (spectrum)
    SpectrumMagnitudes(data, n);
  else
    for (int i = 0; i < n; ++i) data[i] = std::fabs(data[i]);
}

void ZeroSpectrumBins(float* data, int M, int from, int to) {
  if (M < 1) return;
  from = std::max(from, 0);
  to = std::min(to, M);
  if (from > to) return;
  // The store's zeroing over exactly the 2M spectrum values: an odd last
  // sample of the channel is no bin and keeps its value.
  ZeroChannelRange(data, 2 * M, true, from, to);
}

void FilterBins(float* data, int M, BandFilter kind, int from, int to) {
  if (kind == BandFilter::Pass) {
    if (from != 0) ZeroSpectrumBins(data, M, 0, from);
    ZeroSpectrumBins(data, M, to, M);
  } else {
    ZeroSpectrumBins(data, M, from, to);
  }
}

}  // namespace dsp
