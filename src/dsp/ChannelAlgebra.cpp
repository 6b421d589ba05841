#include "dsp/ChannelAlgebra.h"

namespace dsp {

bool IsChannelOperation(int operation) {
  return operation == kChannelAdd || operation == kChannelSubtract || operation == kChannelMultiply ||
         operation == kChannelDivide;
}

bool CombineChannels(float* x, const float* y, int64_t n, int operation) {
  switch (operation) {
    case kChannelAdd:
      for (int64_t i = 0; i < n; ++i) x[i] = x[i] + y[i];
      return true;
    case kChannelSubtract:
      for (int64_t i = 0; i < n; ++i) x[i] = x[i] - y[i];
      return true;
    case kChannelMultiply:
      for (int64_t i = 0; i < n; ++i) x[i] = x[i] * y[i];
      return true;
    case kChannelDivide:
      for (int64_t i = 0; i < n; ++i) x[i] = y[i] == 0.0f ? 0.0f : x[i] / y[i];
      return true;
    default:
      return false;
  }
}

void MultiplySamples(float* x, int64_t n, float k) {
  for (int64_t i = 0; i < n; ++i) x[i] = x[i] * k;
}

void AddToSamples(float* x, int64_t n, float value) {
  for (int64_t i = 0; i < n; ++i) x[i] = x[i] + value;
}

}  // namespace dsp
