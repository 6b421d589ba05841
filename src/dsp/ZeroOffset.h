// Removal of the zero offset (the mean) from a range of samples.
#pragma once

namespace dsp {

// Subtracts the mean of data[from … to] from each of those samples; nothing
// when the range holds fewer than two samples. The mean is summed in double.
void RemoveMean(float* data, int from, int to);

}  // namespace dsp
