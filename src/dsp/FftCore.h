// The in-place power-of-two butterflies behind the transforms of Fft.h, for
// other transforms of this folder that need them without the reordering:
// a convolution can stay in bit-reversed order between its two passes.
#pragma once

namespace dsp::fft_core {

// Unscaled forward transform of 2^m points (m <= 30) held as two arrays:
// natural order in, bit-reversed order out.
void ForwardNaturalToReversed(float* re, float* im, int m);

// The same transform with bit-reversed order in and natural order out.
void ForwardReversedToNatural(float* re, float* im, int m);

}  // namespace dsp::fft_core
