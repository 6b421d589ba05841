// Zeroing of sample ranges, and of bin ranges of spectra together with their
// mirrored real or imaginary parts.
#pragma once

namespace dsp {

// Zeroes samples from … to of a channel of n samples. For a spectrum the range
// is kept within the real half plus the Nyquist slot and the matching range
// of the other half is zeroed too, so a bin loses its real and imaginary part.
void ZeroChannelRange(float* data, int n, bool spectrum, int from, int to);

}  // namespace dsp
