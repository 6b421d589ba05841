// Local maxima and minima of a sample series, found by walking over a range.
#pragma once

#include <cstdint>

namespace dsp {

// The next local maximum (or minimum) after `from`, walking forward over
// il … ir and wrapping from ir to il: the index before the first fall that
// follows a rise (for minima the rise that follows a fall). −1 when none is
// found within one walk over the shown range (a constant series).
int64_t NextLocalExtremum(const float* x, int64_t il, int64_t ir, int64_t from, bool maxima);

}  // namespace dsp
