// A whole store combined sample by sample with a data file of the same shape
// (WPLUS, WMINUS, WCPLUS, WCMINUS, their M counterparts, and the menu's
// times and divided-by entries).
#pragma once

#include <string>

namespace state {
struct Program;
}

namespace dsp {

// Operations of `AlgebraUtil`: m is the store's sample, f the file's.
enum AlgebraOperation {
  kAlgebraPlus = 0,         // m + f
  kAlgebraMinus = 1,        // m - f
  kAlgebraWeightedSum = 2,  // c_m * m + c_f * f (coefficients of `PG`)
  kAlgebraWeightedDiff = 3,
  kAlgebraTimes = 4,    // m * f
  kAlgebraDivided = 5,  // m / f, 0 where |f| is below 1 % of the file channel's largest |f|
};

// `AlgebraUtil`: combines the store (1 = W, 0 = M) with the data file `name`
// (a program name). The k-th channel of the file meets the k-th active
// channel of the store. A file of another kind (388 / 391), length or
// channel count (440) or a bad file (436, 385, 441, 442) is reported and
// the store is left exactly as it was, since the whole file is read into the
// scratch array before any sample changes. Answers 1 when the store changed.
int AlgebraUtil(state::Program& p, const std::string& name, int operation, int store);

// `TMainWindow::Algebra`: the file from `NameQueue` (an empty queue always
// opens the dialog over "\DATA\" with the store's mask), then `AlgebraUtil`
// and every graph window refreshed.
int Algebra(state::Program& p, int operation, int store);

}  // namespace dsp
