#include "dsp/ZeroOffset.h"

namespace dsp {

void RemoveMean(float* data, int from, int to) {
  if (to < from + 1) return;
  double sum = 0;
  for (int i = from; i <= to; ++i) sum += data[i];
  const float mean = static_cast<float>(sum / (double(to) - from + 1));
  for (int i = from; i <= to; ++i) data[i] -= mean;
}

}  // namespace dsp
