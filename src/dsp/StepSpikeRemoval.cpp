#include "dsp/StepSpikeRemoval.h"

#include <algorithm>
#include <cmath>

namespace dsp {
namespace {

// Every removed step shifts all later samples. Applying each shift to the
// whole tail would cost a pass per step (quadratic on a noisy record), so the
// shifts are summed and each sample gets the sum once, when the scan reaches
// it. Samples after i + 1 are read raw plus the pending sum.
void RemoveSteps(float* x, int from, int to, float t) {
  double shift = 0;  // added to every sample after the scan position
  auto value = [&](int j, int i) { return j <= i ? double(x[j]) : x[j] + shift; };
  for (int i = from; i <= to - 2; ++i) {
    const double d = value(i, i) - value(i + 1, i);
    if (std::fabs(d) > t) {
      const int a = std::max(i - 1, from), b = std::min(i + 2, to - 1);
      if (std::fabs(value(a, i) - value(b, i)) > t) shift += d;
    }
    x[i + 1] = static_cast<float>(x[i + 1] + shift);
  }
}

void RemoveSpikes(float* x, int from, int to, float t) {
  for (int i = from; i <= to - 2; ++i) {
    const float d = x[i] - x[i + 1];
    if (!(std::fabs(d) > t)) continue;
    const int a = std::max(i - 1, from), b = std::min(i + 2, to - 1);
    if (!(std::fabs(x[a] - x[b]) <= t)) continue;  // the jump persists (or is not a number)
    for (int j = i + 1; j <= std::min(i + 2, to - 1); ++j)
      if (std::fabs(x[j] - x[i]) > t) x[j] = x[i];
  }
}

}  // namespace

void RemoveStepsOrSpikes(float* x, int from, int to, int mode, float threshold) {
  if (to - 3 <= from) return;
  if (mode == 0)
    RemoveSteps(x, from, to, threshold);
  else if (mode == 1)
    RemoveSpikes(x, from, to, threshold);
}

}  // namespace dsp
