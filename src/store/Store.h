// The two sample stores: the waveform store W and the measurement store M.
// Files, settings records and macro words carry them as 1 (W) and 0 (M).
#pragma once

namespace store {

enum class Store : int { M = 0, W = 1 };

// The store a record field or macro word names: 0 is M, anything else W.
constexpr Store StoreFromFlag(int flag) { return flag ? Store::W : Store::M; }
// The 1 (W) / 0 (M) form that records and files keep.
constexpr int FlagOf(Store s) { return s == Store::W ? 1 : 0; }
constexpr bool IsW(Store s) { return s == Store::W; }
// The other store (W ↔ M), for copies between them.
constexpr Store Other(Store s) { return s == Store::W ? Store::M : Store::W; }
// Both stores, for work done on each in turn.
inline constexpr Store kBothStores[] = {Store::M, Store::W};

}  // namespace store
