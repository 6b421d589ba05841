#include "dsp/FrequencyAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dsp/ChannelTransport.h"
#include "dsp/ChannelView.h"
#include "dsp/Fft.h"
#include "dsp/Spectrum.h"
#include "dsp/SpectrumTools.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

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

int DataFreqAnal(state::Program& p, int mode, int source, int destination, double centre, double halfWidth,
                 int binsGiven) {
  if (mode < kBandPower || mode > kBandFrequency) return 0;
  if (!state::MemOK(p, 1, true)) return 0;
  if (destination < 0 || destination >= store::kChannels) return 0;
  ChannelView src = ViewChannel(p, 1, source);
  if (!src) return 0;
  const int N = src.length;
  const int M = N / 2;
  if (M < 1) return 0;
  const double step = src.step;
  const bool stepUsable = std::isfinite(step) && step > 0;
  double c = centre, w = halfWidth;
  if (!binsGiven) {
    c = stepUsable ? centre * N * step : -1;
    w = stepUsable ? halfWidth * N * step : 0;
  }
  if (!std::isfinite(c) || !std::isfinite(w)) c = -1;
  c = std::round(c);
  w = std::round(w);
  if (c - w < 0 || c + w > N) {
    if (!binsGiven) state::MessT(p, 1409, 11);
    return 0;
  }
  // The frequency is a phase step over time: without a time step there is none.
  if (mode == kBandFrequency && !stepUsable) return 0;
  if (!IsPowerOfTwo(N) && !p.MacGoing && state::AskT(p, 1228, 15) != platform::Answer::Yes) return 0;

  if (source != destination && !ChanelTransportUtil(p, 1, source, destination, 0)) return 0;
  ChannelView dst = ViewChannel(p, 1, destination);
  if (!dst || !dst.scratch) return 0;
  if (!dst.spectrum) {
    // The length question has been asked already; the direct path is called
    // without asking again.
    int done = IsPowerOfTwo(M) ? RealFFT(p, 1, destination, M, 1) : RealFFT_SLOW(p, 1, destination, M, 1);
    if (!done) return 0;
  }
  const int ci = int(c), wi = int(w);
  float* data = dst.data;
  ZeroSpectrumBins(data, M, 0, ci - wi);
  ZeroSpectrumBins(data, M, ci + wi, M);
  p.HGW.TriggerFlag = 0;
  const int turn = ci % M;
  std::rotate(data, data + turn, data + M);
  std::rotate(data + M, data + M + turn, data + 2 * M);

  float* re = dst.scratch;
  float* im = dst.scratch + M;
  // The complex inverse of the shifted band: a forward transform read in
  // reverse order (index 0 stays), without the real-signal split step.
  ComplexTransform(data, data + M, re, im, M);
  Results(mode, re, im, data, M, double(step));
  for (int n = M - 1; n >= 0; --n) {
    float v = data[n];
    data[2 * n + 1] = v;
    data[2 * n] = v;
  }
  SetSpectrumFlags(p, 1, destination, false);
  state::DataChanged(p, 1);
  return 1;
}

}  // namespace dsp
