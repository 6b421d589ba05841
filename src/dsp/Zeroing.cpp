#include "dsp/Zeroing.h"

#include <algorithm>

namespace dsp {
namespace {

void ZeroSpan(float* data, int from, int to) {
  if (from < 0) from = 0;
  for (int i = from; i <= to; ++i) data[i] = 0.0f;
}

}  // namespace

void ZeroChannelRange(float* data, int n, bool spectrum, int from, int to) {
  if (n < 1) return;
  if (from < 0) {
    from = 0;
    to = n - 1;
  }
  if (to < 0 || to > n - 1) to = n - 1;
  const int half = n / 2;
  if (spectrum && from < half && to > half) to = half;
  ZeroSpan(data, from, to);
  if (!spectrum) return;
  if (from <= half)
    ZeroSpan(data, from + half, std::min(to + half, n - 1));
  else
    ZeroSpan(data, from - half, std::min(to - half, n - 1));
}

}  // namespace dsp
