// Arithmetic between two channels sample by sample, and with a constant.
#pragma once

#include <cstdint>

namespace dsp {

// Operations between two channels; 2 and 3 exist only for the store ⊕ file
// algebra and change nothing here.
enum ChannelOperation {
  kChannelAdd = 0,       // a = a + b
  kChannelSubtract = 1,  // a = a - b
  kChannelMultiply = 4,  // a = a * b
  kChannelDivide = 5,    // a = a / b, 0 where b is exactly 0
};

// Whether `operation` is one of the four above.
bool IsChannelOperation(int operation);

// a[i] = a[i] op b[i] for i < n. Answers false, changing nothing, for an
// operation that is not one of the four.
[[nodiscard]] bool CombineChannels(float* a, const float* b, int64_t n, int operation);

// x[i] * k, and x[i] + value, for i < n.
void MultiplySamples(float* x, int64_t n, float k);
void AddToSamples(float* x, int64_t n, float value);

}  // namespace dsp
