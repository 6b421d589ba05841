#include "dsp/DataShift.h"

#include <algorithm>
#include <cstring>

namespace dsp {

bool DataShiftUtil(float* data, bool rotate, bool left, int shift, int from, int to) {
  if (!data || from < 0 || to < from || shift < 0) return false;
  const int n = to - from;
  if (n == 0 || shift == 0) return true;
  float* range = data + from;
  int s = shift;
  if (s >= n) {
    if (!rotate) {
      std::fill(range, range + n, 0.0f);
      return true;
    }
    s %= n;
    if (s == 0) return true;
  }
  // Rotation works in place: no buffer to allocate, so nothing can fail.
  if (rotate) {
    std::rotate(range, left ? range + s : range + n - s, range + n);
  } else if (left) {
    std::memmove(range, range + s, size_t(n - s) * sizeof(float));
    std::fill(range + n - s, range + n, 0.0f);
  } else {
    // The move stops at from + s: going down to s itself, as a copy counted
    // from the array's start would, writes below the range when from > 0.
    std::memmove(range + s, range, size_t(n - s) * sizeof(float));
    std::fill(range, range + s, 0.0f);
  }
  return true;
}

}  // namespace dsp
