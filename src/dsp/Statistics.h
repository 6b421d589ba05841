// Numeric summaries of a run of samples: `Statistika`, `Median`, `RMS_fun`.
//
// Sums are taken in double and stored as float32: a float32 running sum stops
// growing once it reaches 2^24 times the sample size, so long records came out
// wrong. Non-finite samples follow IEEE arithmetic in the sums (a NaN makes
// mean, mean square, RMS, variance, standard deviation and sum NaN; an
// infinity makes them infinite or NaN), while the maximum and minimum skip NaN
// samples; a range of nothing but NaN gives NaN for maximum, minimum and range.
#pragma once

#include <cstdint>

namespace dsp {

// The statistics record, all float32 as the panel and the reduction keep them.
struct Statistics {
  float mean = 0, meanSquare = 0, rms = 0, range = 0, variance = 0, sd = 0;
  float count = 0, max = 0, min = 0, sum = 0;
};

// Statistics of data[from … to] (inclusive). Population variance. Answers 0
// and a zeroed record when the range is empty (to < from or a negative from).
[[nodiscard]] int Statistika(const float* data, int64_t from, int64_t to, Statistics& out);

// Median of data[from … to − 1] (end exclusive): the middle value, or the mean
// of the two middle values for an even count. NaN samples rank above every
// number. Answers 0 with median 0 when the range is empty or the working copy
// cannot be had.
[[nodiscard]] int Median(const float* data, int64_t from, int64_t to, float& median);

// RMS of x[0 … n), summed in double; 0 when the mean square is not positive
// (or n < 1).
float RootMeanSquare(const float* x, int64_t n);

}  // namespace dsp
