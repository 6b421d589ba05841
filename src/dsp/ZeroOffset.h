// Removal of the zero offset (the mean) from a range of samples.
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// Subtracts the mean of data[from … to] from each of those samples; nothing
// when the range holds fewer than two samples. The mean is summed in double.
void RemoveMean(float* data, int from, int to);

// `KorekceNuly`: asks general text 435 (title 15) unless a macro runs, then
// removes the mean. Answers 1 when the data was changed.
int KorekceNuly(state::Program& p, float* data, int from, int to);

// `KorekceNuly` on samples from … to of a store's channel, the range cut to
// the record; the store's windows are told that the data changed.
int KorekceNulyChannel(state::Program& p, int store, int channel, int from, int to);

}  // namespace dsp
