// Questions the store operations of this folder ask before they change a
// record's length or layout.
#pragma once

#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

// Whether any active channel of the store holds a spectrum.
bool StoreHoldsSpectrum(const state::Program& p, store::Store s);

// Samples the store's arrays can really hold: `TotalSamples`, but never more
// than the sample and scratch arrays allocated at start-up (the memory dialog
// changes `TotalSamples` before the arrays are allocated again).
long long StoreCapacity(const state::Program& p, store::Store s);

// Whether samples start … start + n − 1 lie inside both the sample and the
// scratch array of the store: the header is trusted no further than this.
bool BlockFits(const state::Program& p, store::Store s, long long start, long long n);

}  // namespace ops
