// Cursor 1 moved by the program: jumps to extrema and the cursor-key steps.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "graph/GraphMath.h"
#include "graph/GraphModel.h"

namespace graph {
namespace {

// The visible part of the record, or false when nothing is shown.
bool ShownRange(const store::CG_s& g, int32_t n, int32_t& il, int32_t& ir) {
  if (n <= 0) return false;
  il = std::clamp(g.IL, 0, n - 1);
  ir = std::clamp(g.IR, 0, n - 1);
  return il <= ir;
}

// Walks forward from `start` through il..ir, wrapping from ir back to il, to
// the next local maximum of sign·data (sign −1: minimum). The first walk
// passes the falling (or level) stretch, and with `level` also everything
// below it; the second climbs and ends before the first fall. The step over
// the wrap compares nothing: ir and il are not neighbours, so the walk goes
// on in the phase it was in. Answers `notFound` after `limit` steps.
int32_t NextPeak(const float* d, int32_t il, int32_t ir, int32_t start, int32_t limit, float sign,
                 const float* level, int32_t notFound) {
  int32_t prev = start, i = start;
  bool climbing = false;
  for (int32_t step = 0; step < limit; ++step) {
    if (i >= ir) {
      prev = i = il;
      continue;
    }
    ++i;
    const float a = sign * d[prev], b = sign * d[i];
    if (!climbing) {
      // Level or falling, or still below the level: the first walk goes on.
      climbing = b > a && !(level && d[i] < *level);
    } else if (b < a) {
      return prev;
    }
    prev = i;
  }
  return notFound;
}

}  // namespace

int32_t TDispl10::SetMaxPosition() const {
  int32_t il, ir;
  if (!series_ || !ShownRange(Own(), NShown, il, ir)) return NShown;
  // A range with nothing above the smallest positive float has no answer:
  // the caller keeps the cursor where it is.
  float best = FLT_MIN;
  int32_t at = NShown;
  for (int32_t i = il; i <= ir; ++i)
    if (series_[i] > best) best = series_[i], at = i;
  return at;
}

int32_t TDispl10::SetFirstMaxPosition(bool overLevel) const {
  const store::CG_s& g = Own();
  int32_t il, ir;
  if (!series_ || !ShownRange(g, NShown, il, ir)) return NShown;
  const float level = g.HCur1;
  return NextPeak(series_, il, ir, std::clamp(g.Cur1, il, ir), NShown - 1, 1.0f, overLevel ? &level : nullptr,
                  NShown);
}

int32_t TDispl10::SetFirstMinPosition() const {
  const store::CG_s& g = Own();
  int32_t il, ir;
  if (!series_ || !ShownRange(g, NShown, il, ir)) return NShown;
  return NextPeak(series_, il, ir, std::clamp(g.Cur1, il, ir), NShown - 1, -1.0f, nullptr, NShown);
}

void TDispl10::CursorToMax(int mode) {
  if (broken_ || IsXY() || !series_ || NShown <= 0) return;
  store::CG_s& g = Own();
  int32_t at = NShown;
  switch (mode) {
    case 0:
      at = SetMaxPosition();
      break;
    case 1:
    case 2:
      at = SetFirstMaxPosition(true);
      break;
    case 3: {
      // The nearer of the two is the one the forward walk meets first.
      const int32_t mx = SetFirstMaxPosition(false), mn = SetFirstMinPosition();
      int32_t il, ir;
      ShownRange(g, NShown, il, ir);
      const int32_t from = std::clamp(g.Cur1, il, ir), span = ir - il + 1;
      // A walk that came round to the start went the whole way.
      auto ahead = [&](int32_t k) {
        if (k >= NShown) return INT32_MAX;
        const int32_t d = ((k - from) % span + span) % span;
        return d == 0 ? span : d;
      };
      at = ahead(mx) <= ahead(mn) ? mx : mn;
      break;
    }
    case 4:
      at = SetFirstMaxPosition(false);
      break;
    case 5:
      at = SetFirstMinPosition();
      break;
    default:
      return;
  }
  if (at < 0 || at >= NShown) return;  // nothing found: the cursor stays
  g.Cur1 = at;
  if (mode == 2 && Finite(series_[at])) g.HCur1 = series_[at] / 2;  // the half-maximum level
  RedrawCursor1();
}

void TDispl10::StepCursor(int direction) {
  if (broken_ || IsXY() || NShown <= 0 || direction == 0) return;
  store::CG_s& g = Own();
  // Step 0 follows the pixels: one column's worth of samples, at least one.
  int64_t step = g.CursorStep;
  if (step <= 0) step = SPP > 1.0f ? std::max<int64_t>(1, ClampTrunc(SPP, 1, 2e9)) : 1;
  const int64_t to = int64_t(g.Cur1) + (direction < 0 ? -step : step);
  g.Cur1 = int32_t(std::clamp<int64_t>(to, 0, NShown - 1));
  RedrawCursor1();
}

}  // namespace graph
