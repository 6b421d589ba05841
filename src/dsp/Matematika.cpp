#include "dsp/Matematika.h"

#include <algorithm>
#include <cmath>

#include "dsp/ChannelView.h"
#include "dsp/Correlation.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/StoreAccess.h"

namespace dsp {

int Matematika(state::Program& p, int operation, int32_t from, int32_t to, int a, int s, int b,
               float& result) {
  if (!state::MemOK(p, 1, true)) return 0;
  ChannelView va = ViewChannel(p, 1, a), vs = ViewChannel(p, 1, s), vb = ViewChannel(p, 1, b);
  if (!va || !vs || !vb) return 0;
  int64_t n = va.length;
  int64_t lo = std::max<int64_t>(from, 0), hi = std::min<int64_t>(to, n - 1);
  // Only a truly reversed range is swapped; swapping whenever to − 1 ≤ from
  // turned a two-sample range around and made the derivative read before it.
  if (hi < lo) std::swap(lo, hi);
  lo = std::clamp<int64_t>(lo, 0, n - 1);
  hi = std::clamp<int64_t>(hi, 0, n - 1);
  const float* x = va.data;
  float* y = vb.data;
  double dt = va.step;
  switch (operation) {
    case 1:
      // A derivative needs two samples and a step to divide by.
      if (hi <= lo || !(dt != 0) || !std::isfinite(dt)) return 0;
      for (int64_t i = lo; i < hi; ++i) y[i] = float((double(x[i + 1]) - double(x[i])) / dt);
      y[hi] = y[hi - 1];
      break;
    case 2: {
      double acc = x[lo];
      y[lo] = x[lo];
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = float(acc += double(x[i]));
      break;
    }
    case 3:
      result = Korelace(va.data, vs.data, int(lo), int(hi));
      return 1;
    case 4: {
      double acc = x[lo];
      y[lo] = x[lo];
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = float(acc += double(x[i]) * dt);
      break;
    }
    case 5:
      y[lo] = x[lo];
      break;
    case 6:
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = std::fabs(x[i]);
      break;
    case 7:
      for (int64_t i = lo + 1; i <= hi; ++i) y[i] = x[i] >= 0 ? x[i] : 0.0f;
      break;
    case 8:
      for (int64_t i = lo; i < hi; ++i) y[i] = x[i + 1] - x[i] == 0 ? 0.0f : x[i + 1];
      break;
    default:
      return 1;
  }
  state::DataChanged(p, 1);
  return 1;
}

}  // namespace dsp
