// Joining a waveform file to the end of the waveform store.
#pragma once

#include <string>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace files {

// `WaveformLinkUtil`: appends the samples of the waveform file `name` to the
// waveform store. The channels become the union of both; every channel gets
// memory `Length` + file `Length` samples, zeros where one side has none. A
// channel new to the store takes `Name` and `Unit` from the file and the
// `Step` of channel 1. 1321 (title 390) when the result would not fit. The
// store changes only when the whole file was read: a stop (Esc, STOP,
// SIGINT) leaves it as it was, says so and sets `stopped`. Answers 1 / 0.
[[nodiscard]] int WaveformLinkUtil(state::Program& p, const std::string& name, store::Store store,
                                   bool* stopped = nullptr);

}  // namespace files
