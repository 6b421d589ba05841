// Removal of the zero offset (the mean) from samples of a store, after the
// question.
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `KorekceNuly`: asks general text 435 (title 15) unless a macro runs, then
// removes the mean (dsp::RemoveMean). Answers 1 when the data was changed.
[[nodiscard]] int KorekceNuly(state::Program& p, float* data, int from, int to);

// `KorekceNuly` on samples from … to of a store's channel, the range cut to
// the record; the store's windows are told that the data changed.
[[nodiscard]] int ZeroOffsetOfChannel(state::Program& p, store::Store s, int channel, int from, int to);

}  // namespace ops
