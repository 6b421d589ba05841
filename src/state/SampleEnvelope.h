// Minimum/maximum envelopes of a store's sample array, so that a painter can
// find the extremes of a pixel column of a long record without reading every
// sample. The array is cut into chunks of 65536 samples; a chunk keeps the
// extremes of its buckets of 64, 1024 and 16384 samples and of itself
// (about 1/30 of the samples' memory). A chunk is built on the first query
// that needs it and dropped when samples under it change, so a run that
// appends samples rebuilds only the chunks it wrote into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "store/Store.h"

namespace state {

struct Program;

class SampleEnvelope {
 public:
  static constexpr int kLevels = 4;
  static constexpr int64_t kBucket[kLevels] = {64, 1024, 16384, 65536};
  static constexpr int64_t kChunk = kBucket[kLevels - 1];

  struct Extremes {
    float min, max;  // +inf / -inf when every sample was NaN
  };

  // The extremes of data[from, to) of the array at `data` (`size` samples),
  // NaN passed over, exactly as a plain scan with `<` and `>` finds them.
  // A different array (or size) than the last one starts the envelope anew.
  Extremes Query(const float* data, size_t size, int64_t from, int64_t to);

  // Samples changed: all of them, or those in [from, to).
  void Invalidate();
  void Invalidate(int64_t from, int64_t to);

  // Off: every query scans the samples (the reference the tests compare to).
  bool enabled = true;
  // Chunks built since the envelope was made (for tests of the invalidation).
  int64_t ChunksBuilt() const { return built_; }

 private:
  void Attach(const float* data, size_t size);
  void Build(int64_t chunk);

  const float* data_ = nullptr;
  size_t size_ = 0;
  std::vector<uint8_t> valid_;            // per chunk
  std::vector<Extremes> level_[kLevels];  // per bucket of each level
  int64_t built_ = 0;
};

// The scan the envelope stands for: extremes of data[from, to), NaN passed over.
SampleEnvelope::Extremes ScanExtremes(const float* data, int64_t from, int64_t to);

// The store's samples changed (all of them), or samples [from, to) of its
// array did, as when a run appends points: the envelopes over them go.
void SamplesChanged(Program& p, store::Store store);
void SamplesWritten(Program& p, store::Store store, int64_t from, int64_t to);

}  // namespace state
