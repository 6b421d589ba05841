// An in-place change of a store's samples made piece by piece, with each
// piece's old values kept in the scratch array at the same place: a stop
// (Esc, STOP, SIGINT) between pieces puts everything back, and the change
// costs no memory of its own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "state/Progress.h"
#include "store/Store.h"

namespace state {
struct Program;
}

namespace ops {

class UndoablePieces {
 public:
  // `total`: the samples the whole change touches; `what` names it.
  UndoablePieces(state::Program& p, store::Store s, std::string what, int64_t total);

  // Applies op(x, offset, count) to samples [start + offset, ... + count) of
  // the store's array for successive pieces of [0, n). False when stopped:
  // every piece changed so far is back as it was, and the user is told.
  template <typename Op>
  [[nodiscard]] bool Apply(int64_t start, int64_t n, Op op) {
    for (int64_t at = 0; at < n; at += kBite) {
      if (at % state::kStepPiece == 0 && !progress_.Step(done_ + at, total_)) return Undo();
      // In bites that stay in the cache between keeping and changing them.
      const int64_t count = std::min(kBite, n - at);
      Keep(start + at, count);
      op(samples_ + start + at, at, count);
    }
    done_ += n;
    return true;
  }

 private:
  static constexpr int64_t kBite = int64_t(1) << 14;
  static_assert(state::kStepPiece % kBite == 0);

  void Keep(int64_t start, int64_t count);
  bool Undo();

  state::Program& p_;
  std::string what_;
  float* samples_;
  float* scratch_;
  state::Progress progress_;
  int64_t done_ = 0, total_;
  std::vector<std::pair<int64_t, int64_t>> kept_;  // start, count
};

}  // namespace ops
