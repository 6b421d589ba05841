// Shifting samples inside a range of an array, with or without rotation
// (the live window and the band analysis use it).
#pragma once

namespace state {
struct Program;
}

namespace dsp {

// `DataShiftUtil`: moves data[from .. to-1] by `shift` places, to the left
// (left != 0) or to the right. The places left behind receive the values
// pushed out at the other end (rotate != 0) or zeros. Nothing outside
// from..to-1 is read or written. A shift of the whole range or more empties
// it (without rotation) or turns by shift modulo its size (with rotation).
// The rotation buffer failing shows 369 (title 14) and changes nothing.
// Answers 1 when done, 0 for a refused range or shift.
int DataShiftUtil(state::Program& p, float* data, int rotate, int left, int shift, int from, int to);

}  // namespace dsp
