// The arithmetic of the graph window's data modifications (`DataModif`); the
// window asks its questions and values and calls in here.
#pragma once

#include <cstdint>

namespace dsp {

// The value a mode asks for: none, a float (prompt range ±limit, starting at
// 1.0) or a long (prompt general text, 0 … channel length).
struct DataModifValue {
  enum Kind { None, Float, Long } kind = None;
  double limit = 0;  // Float: the prompt runs from −limit to +limit
  int text = 0;      // Long: the prompt's general text
};
DataModifValue DataModifValueFor(int mode);

// Modes on x[0 … n − 1]:
//   0 sign reversal, 1 absolute value,
//   4 multiply by value, 5 add value, 6 divide by value (0 is refused),
//   7 subtract the mean of the first `value` samples (a baseline),
//   8 shift by `value` samples (positive: later), the vacated samples taking
//     the edge value.
// Modes 2, 3, 9 (trend) and 10 (band filter) are not arithmetic on values:
// see RemoveLinearTrend and the spectral band filter. Answers 1 when the data
// changed, 0 for those and for an unknown mode or a refused value.
int DataModifArithmetic(float* x, int n, int mode, double value);

// Linear trend removal between two points (`LinReg`): the line through x[from]
// and x[to] is subtracted over from … to, and the later samples up to end − 1
// are lowered by the amount removed at `to`, so the curve stays continuous.
// Nothing when to ≤ from or the range leaves 0 … end − 1.
void RemoveLinearTrend(float* x, int from, int to, int end);
// A trend given as a line (rise `slope` per sample) is taken off x[0 … n − 1];
// x[anchor] keeps its value. Nothing for a slope that is not finite.
void RemoveSlope(float* x, int n, int anchor, double slope);
// The largest |x| of x[from … to] with NaN skipped; 0 when there is none.
float PeakMagnitude(const float* x, int64_t from, int64_t to);
// x[0 … n − 1] divided by its largest |x|. False, changing nothing, when that
// peak is 0 or infinite.
[[nodiscard]] bool NormalizeToPeak(float* x, int n);

}  // namespace dsp
