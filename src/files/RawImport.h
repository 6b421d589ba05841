// Importing a raw file of little-endian signed 16-bit integers, n channels
// interleaved frame by frame, into the waveform store.
#pragma once

#include <string>

namespace state {
struct Program;
}

namespace files {

// `TMainWindow::Read_BIN_INTEGER`: the open dialog when no name is given,
// the channel count (1252) and sampling frequency (1254) prompts, the frame
// count, question 1253 and the import. Cancel answers 0, No answers 1, both
// with the store unchanged. A partial last frame counts (its missing values
// are 0); an odd last byte is no value. Frames beyond the store's capacity
// are not read.
[[nodiscard]] int Read_BIN_INTEGER(state::Program& p, const std::string& nameOrEmpty);

}  // namespace files
