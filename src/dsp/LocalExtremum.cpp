#include "dsp/LocalExtremum.h"

#include <algorithm>

namespace dsp {

int64_t NextLocalExtremum(const float* x, int64_t il, int64_t ir, int64_t from, bool maxima) {
  if (!x || ir <= il) return -1;
  auto next = [&](int64_t k) { return k >= ir ? il : k + 1; };
  auto prev = [&](int64_t k) { return k <= il ? ir : k - 1; };
  // Whether the walk arrived at k by a fall (for minima: by a rise), flat
  // steps counted with it, and whether it arrived by a rise (minima: fall).
  auto fellTo = [&](int64_t k) { return maxima ? x[k] <= x[prev(k)] : x[k] >= x[prev(k)]; };
  auto roseTo = [&](int64_t k) { return maxima ? x[k] >= x[prev(k)] : x[k] <= x[prev(k)]; };
  int64_t limit = ir - il;  // one walk over the shown range
  int64_t k = next(std::clamp(from, il, ir));
  int64_t steps = 0;
  while (fellTo(k)) {
    if (++steps > limit) return -1;
    k = next(k);
  }
  while (roseTo(k)) {
    if (++steps > limit) return -1;
    k = next(k);
  }
  return prev(k);
}

}  // namespace dsp
