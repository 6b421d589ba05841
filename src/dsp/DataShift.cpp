#include "dsp/DataShift.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "state/Messages.h"
#include "state/Program.h"

namespace dsp {

int DataShiftUtil(state::Program& p, float* data, int rotate, int left, int shift, int from, int to) {
  if (!data || from < 0 || to < from || shift < 0) return 0;
  const int n = to - from;
  if (n == 0 || shift == 0) return 1;
  float* range = data + from;
  int s = shift;
  if (s >= n) {
    if (!rotate) {
      std::fill(range, range + n, 0.0f);
      return 1;
    }
    s %= n;
    if (s == 0) return 1;
  }
  std::unique_ptr<float[]> saved;
  if (rotate) {
    saved.reset(new (std::nothrow) float[size_t(s)]);
    if (!saved) {
      state::MessT(p, 369, 14);
      return 0;
    }
  }
  if (left) {
    if (rotate) std::memcpy(saved.get(), range, size_t(s) * sizeof(float));
    std::memmove(range, range + s, size_t(n - s) * sizeof(float));
    if (rotate)
      std::memcpy(range + n - s, saved.get(), size_t(s) * sizeof(float));
    else
      std::fill(range + n - s, range + n, 0.0f);
  } else {
    if (rotate) std::memcpy(saved.get(), range + n - s, size_t(s) * sizeof(float));
    // The move stops at from + s: going down to s itself, as a copy counted
    // from the array's start would, writes below the range when from > 0.
    std::memmove(range + s, range, size_t(n - s) * sizeof(float));
    if (rotate)
      std::memcpy(range, saved.get(), size_t(s) * sizeof(float));
    else
      std::fill(range, range + s, 0.0f);
  }
  return 1;
}

}  // namespace dsp
