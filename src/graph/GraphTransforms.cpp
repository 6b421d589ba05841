// Samples and values to pixels and back. Every conversion to an integer
// clamps first: ranges and samples may be NaN, infinite or huge.
#include <algorithm>
#include <cmath>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {

void TDispl10::KoefX() {
  const store::CG_s& g = Own();
  // Each mode tests its own span: one sample in view must not throw the XY
  // plot's x axis off, nor an unused x range the time trace.
  const double span = g.XYPlot ? double(g.XMax - g.XMin) : double(int64_t(g.IR) - g.IL);
  if (span == 0) {
    KX = 1.0f;
    return;
  }
  KX = float(PlotW / span);
  if (!(KX > 0) || !std::isfinite(KX)) KX = 1.0f;
}

void TDispl10::KoefY() {
  const store::CG_s& g = Own();
  const float d = g.VMax - g.VMin;
  if (d == 0) {
    KY = 1.0f;
    return;
  }
  float ky = PlotH / d;
  if (ky > 5e8f) ky = 5e8f;
  KY = ky > 0 && std::isfinite(ky) ? ky : 1.0f;
}

void TDispl10::DePress() { SPP = float(double(int64_t(Own().IR) - Own().IL) / std::max<int>(PlotW, 1)); }

int16_t TDispl10::GlobalVertToMouse(int32_t i) const {
  double d = (double(i) - Own().IL) * KX;
  return int16_t(ClampTrunc(d, -32000, 32000) + PlotLeft);
}

int16_t TDispl10::FloatGlobalVertToMouse(float i) const {
  double d = (double(i) - Own().IL) * KX;
  return int16_t(ClampTrunc(d, -32000, 32000) + PlotLeft);
}

int16_t TDispl10::GlobalVertToMouseXYPlot(float v) const {
  int16_t x = int16_t(ClampTrunc(PlotLeft + (double(v) - Own().XMin) * KX, -32000, 32000));
  int16_t y = PlotTop;
  OK_xy(x, y);
  return x;
}

int32_t TDispl10::MouseVertToGlobal(int16_t x) const {
  return ClampTrunc((x - PlotLeft) * double(SPP), -2e9, 2e9) + Own().IL;
}

float TDispl10::FMouseVertToGlobal(int16_t x) const { return float((x - PlotLeft) * double(SPP) + Own().IL); }

float TDispl10::MouseVertToGlobalXYPlot(int16_t x) const { return (x - PlotLeft) / KX + Own().XMin; }

float TDispl10::MouseHorizToGlobal(int16_t y) const { return (PlotTop + PlotH - y) / KY + Own().VMin; }

int16_t TDispl10::GlobalHorizToMouse(float v, int16_t x) const {
  if (SPP < 1.0f) v = CursorMagnitude(x);
  const store::CG_s& g = Own();
  int16_t y;
  if (g.Multi && (g.MultiFlags & store::kMultiStrips)) {
    const store::Col_s* col = p_.Col_.get();
    double total = 0, pos = 0;
    for (int k = 0; k < store::kChannels; ++k) {
      if (!IsShown(k)) continue;
      double w = col ? col->StripWeight[k] : 1;
      total += w;
      if (k <= ActChan) pos += w;
    }
    const store::CG_s& a = Act();
    const double range = double(a.VMax) - a.VMin;
    if (total <= 0 || range == 0) return 0;
    const double unit = PlotH / total;
    const double base = pos * unit + PlotTop;
    const double strip = (col ? col->StripWeight[ActChan] : 1) * unit;
    y = int16_t(ClampTrunc(base - (double(v) - a.VMin) * strip / range, -32000, 32000));
  } else {
    y = int16_t(ClampTrunc(PlotTop + PlotH - (double(v) - g.VMin) * KY, -32000, 32000));
  }
  OK_xy(x, y);
  return y;
}

int16_t TDispl10::ClampedGlobalHorizToMouse(float v, int16_t x) const {
  int16_t y = int16_t(PlotTop + PlotH - ClampTrunc((double(v) - Own().VMin) * KY, -30000, 30000));
  OK_xy(x, y);
  return y;
}

bool TDispl10::OK_xy(int16_t& x, int16_t& y) const {
  // The mouse area reaches from the plot top over the plot height; without a
  // print layout of our own it is the plot rectangle itself.
  bool inside = true;
  const int right = PlotLeft + PlotW, bottom = PlotTop + PlotH;
  if (x < PlotLeft) x = PlotLeft, inside = false;
  if (x > right) x = int16_t(right), inside = false;
  if (y < PlotTop) y = PlotTop, inside = false;
  if (y > bottom) y = int16_t(bottom), inside = false;
  return inside;
}

float TDispl10::CursorMagnitude(int16_t x) const {
  if (IsXY() || !series_ || NShown <= 0) return 0.0f;
  if (x < 0) x = 30000;
  int64_t i = ClampTrunc(Own().IL + (x - PlotLeft) / double(KX), -2e9, 2e9);
  i = std::clamp<int64_t>(i, 0, NShown - 1);
  const float a = series_[i];
  if (i + 1 >= NShown) return a;
  const int xa = GlobalVertToMouse(int32_t(i)), xb = GlobalVertToMouse(int32_t(i + 1));
  if (xa == xb) return a;
  return a + (x - xa) * (series_[i + 1] - a) / (xb - xa);
}

}  // namespace graph
