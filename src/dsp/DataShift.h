// Shifting samples inside a range of an array, with or without rotation
// (the live window and the band analysis use it).
#pragma once

namespace dsp {

// `DataShiftUtil`: moves data[from .. to-1] by `shift` places, to the left
// or to the right. The places left behind receive the values pushed out at
// the other end (rotate) or zeros. Nothing outside from..to-1 is read or
// written. A shift of the whole range or more empties it (without rotation)
// or turns by shift modulo its size (with rotation). Answers false for a
// refused range or shift.
[[nodiscard]] bool DataShiftUtil(float* data, bool rotate, bool left, int shift, int from, int to);

}  // namespace dsp
