#include "dsp/FrequencyAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dsp/DataShift.h"
#include "dsp/Fft.h"
#include "dsp/SpectrumTools.h"

namespace dsp {

namespace {

constexpr double kPi = std::numbers::pi;

// The phase of (re, im) in 0 … 2 pi: the arctangent of the ratio moved into
// its quadrant and then up by pi (a zero real part counts as 0.001).
double Phase(double re, double im) {
  if (re == 0) re = 0.001;
  double a = std::atan(im / re);
  if (re < 0) a += im >= 0 ? kPi : -kPi;
  return a + kPi;
}

// Per-mode results of the demodulated sequence y (y[n] at index (M - n) mod M
// of the forward transform), written to out[0 .. M).
void Results(int mode, const float* re, const float* im, float* out, int M, double step) {
  auto y = [&](int n, double& r, double& i) {
    int at = n == 0 ? 0 : M - n;
    r = re[at];
    i = im[at];
  };
  double r, i;
  if (mode == kBandPower || mode == kBandEnvelope) {
    for (int n = 0; n < M; ++n) {
      y(n, r, i);
      double power = r * r + i * i;
      out[n] = float(mode == kBandPower ? power : std::sqrt(power));
    }
    return;
  }
  if (mode == kBandPhase) {
    // Walking from the start, a jump of more than 3 radians is a wrap.
    double correction = 0, previous = 0;
    for (int n = 0; n < M; ++n) {
      y(n, r, i);
      double phase = Phase(r, i);
      if (n > 0) {
        double d = phase - previous;
        if (d > 3)
          correction -= 2 * kPi;
        else if (d < -3)
          correction += 2 * kPi;
      }
      previous = phase;
      out[n] = float(phase + correction);
    }
    return;
  }
  // Instantaneous frequency: neighbours of y lie two samples apart.
  double previous = 0;
  for (int n = 0; n < M; ++n) {
    y(n, r, i);
    double phase = Phase(r, i);
    if (n > 0) {
      double d = phase - previous;
      if (d > kPi) d -= 2 * kPi;
      if (d < -kPi) d += 2 * kPi;
      out[n - 1] = float(d / (2 * step * 2 * kPi));
    }
    previous = phase;
  }
  out[M - 1] = M >= 2 ? out[M - 2] : 0.0f;
}

}  // namespace

void BandDemodulate(float* data, float* work, int M, int centre, int halfWidth, int mode, double step) {
  if (M < 1) return;
  ZeroSpectrumBins(data, M, 0, centre - halfWidth);
  ZeroSpectrumBins(data, M, centre + halfWidth, M);
  const int turn = centre % M;
  (void)DataShiftUtil(data, true, true, turn, 0, M);  // rotations cannot fail
  (void)DataShiftUtil(data, true, true, turn, M, 2 * M);
  float* re = work;
  float* im = work + M;
  // The complex inverse of the shifted band: a forward transform read in
  // reverse order (index 0 stays), without the real-signal split step.
  ComplexTransform(data, data + M, re, im, M);
  Results(mode, re, im, data, M, step);
  for (int n = M - 1; n >= 0; --n) {
    float v = data[n];
    data[2 * n + 1] = v;
    data[2 * n] = v;
  }
}

}  // namespace dsp
