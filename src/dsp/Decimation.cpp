#include "dsp/Decimation.h"

namespace dsp {

void DecimateBlocks(float* data, int channels, int n) {
  if (n < 2) return;
  const int half = n / 2;
  // Ascending order is safe in place: each write lands at or below the
  // samples still to be read.
  long long dst = 0, src = 0;
  for (int c = 0; c < channels; ++c) {
    for (int j = 0; j < half; ++j) data[dst + j] = data[src + 2 * j + 1];
    dst += half;
    src += n;
  }
}

}  // namespace dsp
