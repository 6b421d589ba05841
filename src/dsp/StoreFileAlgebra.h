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

// The floor of division for the file channel f[0 .. n): 1 % of its largest |f|.
double DivisionFloor(const float* f, int64_t n);

// out[i] = m[i] combined with f[i] for i < n by `operation`; out may be m or
// f. cm and cf are the weights of the weighted sum and difference, `floor`
// the DivisionFloor of the whole file channel (so a channel may be combined
// piece by piece). Other operation numbers change nothing.
void CombineSamples(const float* m, const float* f, float* out, int64_t n, int operation, double cm,
                    double cf, double floor);

}  // namespace dsp
