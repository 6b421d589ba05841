// Pulse width at the level of cursor 1: where the trace crosses the level
// left and right of the cursor, placed between samples by interpolation.
#include <algorithm>
#include <cmath>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {
namespace {

// Fractional position of the level between samples i and i + 1.
float Crossing(const float* d, int32_t i, float level) {
  const float at = float(i) + (level - d[i]) / (d[i + 1] - d[i]);
  // A non-finite neighbour gives no place between the two: take the sample
  // that met the level.
  return std::isfinite(at) ? at : float(i + 1);
}

}  // namespace

bool TDispl10::PulseApplies() const {
  const store::CG_s& g = Own();
  return g.PulseWidth && g.CursorStyle == 1 && !g.XYPlot && series_ && NShown > 0 && Finite(g.HCur1) &&
         !(g.Multi && (g.MultiFlags & store::kMultiStrips));
}

void TDispl10::Wider(bool search) {
  if (broken_ || !PulseApplies()) return;
  store::CG_s& g = Own();
  const float level = g.HCur1;
  g.PulseLevel = level;
  if (search) {
    const float* d = series_;
    const int32_t il = std::clamp(g.IL, 0, NShown - 1), ir = std::clamp(g.IR, il, NShown - 1);
    const int32_t c = std::clamp(g.Cur1, il, ir);
    // From below the level the edges are the nearest samples at or above
    // it; from at or above, the nearest below it.
    const bool below = d[c] < level;
    auto edge = [&](int32_t k) { return below ? d[k] >= level : d[k] < level; };
    float right = float(ir), left = float(il);
    for (int32_t i = c; i < ir; ++i)
      if (edge(i + 1)) {
        right = Crossing(d, i, level);
        break;
      }
    for (int32_t i = c; i > il; --i)
      if (edge(i - 1)) {
        left = Crossing(d, i - 1, level);
        break;
      }
    g.PulseL = left;
    g.PulseR = right;
  }
  // The marks belong to the drawn cursor 1 and go with it.
  if (!cursorDrawn_[0]) return;
  platform::Canvas& dc = *surface_;
  if (pulseShown_) XorPulseMarks(dc);
  pulseShown_ = Finite(g.PulseL) && Finite(g.PulseR);
  if (!pulseShown_) return;
  pulseY_ = cursorY_[0];
  pulseX_[0] = FloatGlobalVertToMouse(g.PulseL);
  pulseX_[1] = FloatGlobalVertToMouse(g.PulseR);
  XorPulseMarks(dc);
}

}  // namespace graph
