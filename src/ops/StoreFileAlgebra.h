// A whole store combined sample by sample with a data file of the same shape
// (WPLUS, WMINUS, WCPLUS, WCMINUS, their M counterparts, and the menu's
// times and divided-by entries). Operations: dsp::AlgebraOperation.
#pragma once

#include <string>

#include "dsp/StoreFileAlgebra.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// `AlgebraUtil`: combines the store with the data file `name`
// (a program name). The k-th channel of the file meets the k-th active
// channel of the store. A file of another kind (388 / 391), length or
// channel count (440) or a bad file (436, 385, 441, 442) is reported and
// the store is left exactly as it was, since the whole file is read into the
// scratch array before any sample changes; the combined samples are worked
// out there too, so Esc, STOP or SIGINT at any point leaves the store as
// well. Answers 1 when the store changed.
[[nodiscard]] int AlgebraUtil(state::Program& p, store::Store s, const std::string& name, int operation);

// `TMainWindow::Algebra`: the file from `NameQueue` (an empty queue always
// opens the dialog over "\DATA\" with the store's mask), then `AlgebraUtil`
// and every graph window refreshed.
[[nodiscard]] int Algebra(state::Program& p, store::Store s, int operation);

}  // namespace ops
