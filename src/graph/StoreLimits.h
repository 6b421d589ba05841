// The display limits of the graph windows kept in `PG` for each store (left
// and right sample numbers, upper and lower values) and the menu operations
// on them. store: 1 = waveform, 0 = measurement.
#pragma once

#include <cstdint>

#include "store/Store.h"

namespace state {
struct Program;
}

namespace graph {

struct StoreLimits {
  int32_t left = 0, right = 0;
  float upper = 0, lower = 0;
};

StoreLimits GetStoreLimits(const state::Program& p, store::Store store);
void SetStoreLimits(state::Program& p, store::Store store, const StoreLimits& l);

// `LeftPoint`, `RightPoint`, `UpperValue`, `LowerValue`: one limit from a
// value prompt. Answer 1 when accepted, 0 when cancelled.
[[nodiscard]] int LeftPoint(state::Program& p, store::Store store);
[[nodiscard]] int RightPoint(state::Program& p, store::Store store);
[[nodiscard]] int UpperValue(state::Program& p, store::Store store);
[[nodiscard]] int LowerValue(state::Program& p, store::Store store);

// `SetLimits`: refuses limits that do not fit the store (general texts 361,
// 362, 363; 681 for a negative left point), else sends kStoreLimits (interactive)
// or kStoreLimitsQuiet to the store's graph windows and reopens the limits submenu.
// Answers 1 when the limits were set.
[[nodiscard]] int SetLimits(state::Program& p, store::Store store, bool interactive);

// `Preklad`: overlaid (kOverlaidHalves) or separate (kSeparateHalves) halves in the waveform windows.
void Preklad(state::Program& p, bool overlaid);

// `GetLimits`: the waveform limits from the cursors of a channel's window,
// optionally rounded to a power of two samples. Answers 1 when taken.
[[nodiscard]] int GetLimits(state::Program& p);

// The number of samples `GetLimits` rounds n to: the next power of two,
// halved while it exceeds `length` (never below 1).
int64_t PowerOfTwoSamples(int64_t n, int64_t length);

// `WriteLimits` (store): after a successful interactive `SetLimits` the store
// is cut to the limits. Answers 1 when the store was cut.
[[nodiscard]] int WriteLimits(state::Program& p, store::Store store);

// Menu items 397 / 398: after question 1411, left point, right point,
// `Preklad` (flag) and the limits set. Answers 1 when the limits were set.
[[nodiscard]] int PointsAndLimits(state::Program& p, bool overlaid);

}  // namespace graph
