// Per-channel text calibration tables "\TXTKALIB\chan_001.txt" …
// "chan_128.txt": points written as "{input,output,}". A value is taken when
// its "," is reached, a point when its "}" is reached with both values;
// anything outside braces is ignored.
#pragma once

#include <string_view>

namespace state {
struct Program;
}

namespace files {

// Parses one table into at most `maxPoints` points in file order; answers
// the number of points. A value whose text is not a finite number makes its
// point skipped; points beyond `maxPoints` are dropped.
[[nodiscard]] int ParseCalibrationText(std::string_view text, float* in, float* out, int maxPoints);

// Reads every channel's table into `Kalib_In`/`Kalib_Out` (row 0 of
// `Kalib_In` holds the point counts; row ch + 1 the points of channel ch).
// A missing file leaves its channel without points. `TextKalib` = 1 when at
// least one table file exists. Answers `TextKalib`.
[[nodiscard]] int ReadKalibText(state::Program& p);

}  // namespace files
