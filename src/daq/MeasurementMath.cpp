#include "daq/MeasurementMath.h"

#include <algorithm>
#include <cmath>

#include "daq/RunState.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace daq {

float WaveformPointValue(const float* x, long n, int mode) {
  if (n <= 0 || !x) return 0.0f;
  switch (WToMMode(mode)) {
    case WToMMode::Mean: {
      double sum = 0;
      for (long i = 0; i < n; ++i) sum += x[i];
      return float(sum / double(n));
    }
    case WToMMode::Maximum:
      return *std::max_element(x, x + n);
    case WToMMode::Minimum:
      return *std::min_element(x, x + n);
    case WToMMode::PeakToPeak: {
      auto [lo, hi] = std::minmax_element(x, x + n);
      return *hi - *lo;
    }
    default: {
      double sum = 0;
      for (long i = 0; i < n; ++i) sum += double(x[i]) * x[i];
      return float(std::sqrt(sum / double(n)));
    }
  }
}

void WToMFun(state::Program& p) {
  RunState& r = Runs(p);
  const int mode = p.A ? p.RefA().WToMCode : 0;
  const float* w = p.Waveform.get();
  const long length = p.HGW.Length;
  for (int ch = 0; ch < store::kChannels; ++ch) {
    if (!p.MG.Acquire[ch]) continue;
    int start = w ? state::Pocatek(p, store::Store::W, ch) : -1;
    if (start >= 0 && double(start) + double(length) > double(p.PW)) start = -1;
    r.Val[ch] = start < 0 ? 0.0f : WaveformPointValue(w + start, length, mode);
  }
}

void RecomputeMeasurementMath(state::Program&) {}

}  // namespace daq
