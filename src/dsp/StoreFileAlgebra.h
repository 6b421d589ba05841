// Two sample runs combined sample by sample: the store ⊕ file algebra.
#pragma once

#include <cstdint>

namespace dsp {

// Operations of `AlgebraUtil`: m is the store's sample, f the file's.
enum AlgebraOperation {
  kAlgebraPlus = 0,         // m + f
  kAlgebraMinus = 1,        // m - f
  kAlgebraWeightedSum = 2,  // c_m * m + c_f * f (coefficients of `PG`)
  kAlgebraWeightedDiff = 3,
  kAlgebraTimes = 4,    // m * f
  kAlgebraDivided = 5,  // m / f, 0 where |f| is below 1 % of the file channel's largest |f|
};

// m[i] combined with f[i] for i < n by `operation`; cm and cf are the
// weights of the weighted sum and difference. Other operation numbers change
// nothing.
void CombineSamples(float* m, const float* f, int64_t n, int operation, double cm, double cf);

}  // namespace dsp
