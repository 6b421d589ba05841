// Halving the sampling rate: every second sample is kept.
#pragma once

namespace dsp {

// Blocks of n samples laid one after another, `channels` of them: each keeps
// its odd samples, packed into blocks of n / 2 from the start of data. In
// place; nothing for n < 2.
void DecimateBlocks(float* data, int channels, int n);

}  // namespace dsp
