#include "dsp/Decimation.h"

namespace dsp {

void KeepOddSamples(const float* src, float* dst, int64_t count) {
  for (int64_t j = 0; j < count; ++j) dst[j] = src[2 * j + 1];
}

}  // namespace dsp
