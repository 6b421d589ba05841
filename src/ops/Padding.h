// Lengthening the waveform store: to the next power of two or to twice its
// length, the new samples zero or the last value.
#pragma once

#include "dsp/Padding.h"

namespace state {
struct Program;
}

namespace ops {

// `TMainWindow::DoplnNulamiNaMocninuDvou` (ask, zeros): pads every active W
// channel to the next power of two with zeros (zeros set) or with its last
// sample truncated toward zero (zeros clear). With `ask` it explains a refusal
// (general texts 1229, 1230, 1231, title 11) and asks general text 1232 (title
// 15) first; without it a refusal is silent. Answers 1 when the store grew.
[[nodiscard]] int DoplnNulamiNaMocninuDvou(state::Program& p, bool ask, bool zeros);

// `DoplnNulamiNaDvojnasobek` (`DOUBLE`): pads every active W channel with
// zeros to twice its length; a spectrum keeps a valid layout (its imaginary
// half moves up). Refusals: general text 1230 or 1231, title 11.
[[nodiscard]] int DoplnNulamiNaDvojnasobek(state::Program& p);

}  // namespace ops
