// Transforms of any length in O(n log n): the chirp-z (Bluestein) method turns
// a DFT of n points into a circular convolution of a power-of-two length
// L >= 2n - 1, done with the power-of-two FFT. Float accuracy matches the
// power-of-two transform of length L; the direct sums of Fft.h stay the
// reference for the numbers.
#pragma once

#include <cstddef>
#include <vector>

namespace dsp {

// Unscaled forward DFT of n >= 1 complex points, X[k] = sum z[j] e^(-2 pi i jk / n),
// from (zr, zi) into (re, im); the output may be the input. False, with the
// output untouched, when the working memory cannot be had or L would exceed
// 2^30.
[[nodiscard]] bool ChirpTransform(const float* zr, const float* zi, float* re, float* im, int n);

// e^(-2 pi i r / n) in double for 0 <= r < n from two tables of about sqrt(n)
// entries each, so that long runs of roots cost a multiplication, not a sine.
class UnitRoots {
 public:
  explicit UnitRoots(long long n);
  void Get(long long r, double& c, double& s) const {
    const double* f = &fine_[2 * std::size_t(r % step_)];
    const double* g = &coarse_[2 * std::size_t(r / step_)];
    c = g[0] * f[0] - g[1] * f[1];
    s = g[0] * f[1] + g[1] * f[0];
  }

 private:
  long long step_;
  std::vector<double> fine_, coarse_;  // (cos, sin) pairs
};

}  // namespace dsp
