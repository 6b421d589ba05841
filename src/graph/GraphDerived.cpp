// The displayed series and the derived traces of display types 3 to 7,
// written into the shadow store at the channel's own offset.
#include <algorithm>
#include <cmath>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::SetPointer() {
  if (broken_) return;
  SelectSeries();
  switch (Act().DisplType) {
    case kPower:
      SetShadowMem(kShadowPower);
      break;
    case kMagnitude:
      SetShadowMem(kShadowMagnitude);
      break;
    case kRunningSum:
      SetShadowMem(kShadowSum);
      break;
    case kDifference:
      SetShadowMem(kShadowDiff);
      break;
    case kHistogram:
      SetShadowMem(kShadowHist);
      break;
    default:
      break;
  }
}

void TDispl10::SetNewPointer(int32_t type, int32_t previous) {
  if (broken_) return;
  store::CG_s& a = Act();
  if (previous == kRunningSum || previous == kDifference) {
    a.VMax = a.VSavMax;
    a.VMin = a.VSavMin;
  }
  if (type == kRunningSum || type == kDifference) {
    a.VSavMax = a.VMax;
    a.VSavMin = a.VMin;
  }
  if ((type == kBothHalves || type == kOverlaid) && previous == kSecondHalf) {
    // The same samples stay in view: they now count from the record start.
    store::CG_s& g = Own();
    g.IL += Half;
    g.IR += Half;
  }
  a.DisplType = type;
  SetPointer();
}

void TDispl10::Rescale() {
  store::CG_s& g = Own();
  SetMaxMinIn(g.IL, g.IR, 1, 0, 0);
  g.VFullMax = g.VMax;
  g.VFullMin = g.VMin;
}

void TDispl10::SetShadowMem(int16_t mode) {
  if (broken_) return;
  pictureCount_ = 0;  // the picture no longer shows the series
  OK_IL_IR();
  const int chan = Own().Multi ? ActChan : OwnChan;
  const float* x = ChannelData(chan, false);
  float* s = ChannelData(chan, true);
  if (!x || !s) return;
  const int32_t n = 2 * Half;
  const bool spectrum = p_.Freq(IsW)[chan] != 0;
  switch (mode) {
    case kShadowPower:
    case kShadowMagnitude: {
      auto f = [mode](double sq) { return float(mode == kShadowPower ? sq : std::sqrt(sq)); };
      if (spectrum) {
        for (int32_t i = 0; i < Half; ++i) {
          const double re = x[i], im = x[i + Half];
          s[i] = s[i + Half] = f(re * re + im * im);
        }
      } else {
        for (int32_t i = 0; i < n; ++i) s[i] = f(double(x[i]) * x[i]);
      }
      break;
    }
    case kShadowSum:
      s[0] = x[0];
      for (int32_t i = 1; i < n; ++i) s[i] = s[i - 1] + x[i];
      series_ = s;
      NShown = n;
      OK_IL_IR();
      Rescale();
      break;
    case kShadowDiff:
      for (int32_t i = 1; i < n; ++i) s[i] = x[i] - x[i - 1];
      s[0] = s[1];
      series_ = s;
      NShown = n;
      OK_IL_IR();
      Rescale();
      break;
    case kShadowHist:
      Histogram();
      break;
    default:
      break;
  }
}

void TDispl10::Histogram() {
  Busy(true);
  const int chan = Own().Multi ? ActChan : OwnChan;
  float* x = ChannelData(chan, false);
  float* s = ChannelData(chan, true);
  const int32_t n = 2 * Half;
  store::CG_s& g = Own();
  series_ = x;
  NShown = n;
  OK_IL_IR();
  Rescale();
  g.XFullMax = g.VFullMax;
  g.XFullMin = g.VFullMin;
  const double range = double(g.VFullMax) - g.VFullMin;
  // Bin width in samples; a zero or negative class width, or a record of
  // fewer than five samples, must not give a zero width (division below).
  const double wd = n / (range / g.ClassWidth);
  int32_t w = std::isfinite(wd) ? ClampTrunc(wd, 0, n) : 1;
  w = std::min(w, n / 5);
  w = std::max(w, 1);
  series_ = s;
  for (int32_t i = 0; i < n; ++i) s[i] = i % w == 0 ? -1.0f : 0.0f;
  for (int32_t i = 0; i < n; ++i) {
    const double k = n * (double(x[i]) - g.VFullMin) / range;
    if (!std::isfinite(k)) continue;  // a NaN sample belongs to no class
    const int64_t ki = ClampTrunc(k, -2.0 * n - 2, 2.0 * n + 2);
    const int64_t b = std::clamp<int64_t>(ki / w * w + w / 2, 0, n - 1);
    s[b] += 1.0f;
  }
  Rescale();
  Busy(false);
}

}  // namespace graph
