#include "ops/UndoablePieces.h"

#include <cstring>
#include <utility>

#include "state/Program.h"

namespace ops {

UndoablePieces::UndoablePieces(state::Program& p, store::Store s, std::string what, int64_t total)
    : p_(p),
      what_(std::move(what)),
      samples_(p.Samples(s)),
      scratch_(p.Scratch(s)),
      progress_(p, what_),
      total_(total) {}

void UndoablePieces::Keep(int64_t start, int64_t count) {
  std::memcpy(scratch_ + start, samples_ + start, size_t(count) * sizeof(float));
  if (!kept_.empty() && kept_.back().first + kept_.back().second == start)
    kept_.back().second += count;
  else
    kept_.emplace_back(start, count);
}

bool UndoablePieces::Undo() {
  for (const auto& [start, count] : kept_)
    std::memcpy(samples_ + start, scratch_ + start, size_t(count) * sizeof(float));
  kept_.clear();
  state::ReportStopped(p_, what_);
  return false;
}

}  // namespace ops
