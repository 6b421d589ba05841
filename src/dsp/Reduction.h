// Reduction of a record by a statistic over blocks of samples.
#pragma once

namespace dsp {

// The statistic of one block of k samples that becomes one sample of the
// reduced record: 1 mean, 2 standard deviation (population), 3 maximum,
// 4 minimum, 5 range, 6 RMS, anything else the mean; the values of
// `Statistika` (sums in double; maximum and minimum pass over NaN).
float BlockStatistic(const float* x, int k, int mode);

// dst[j] = the statistic of src[j k … (j + 1) k) for j < blocks; dst may not
// overlap src.
void ReduceBlocks(const float* src, float* dst, int blocks, int k, int mode);

}  // namespace dsp
