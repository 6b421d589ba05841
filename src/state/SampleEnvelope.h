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
#include <memory>
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
  // The extremes one chunk keeps, all levels in one block.
  static constexpr int64_t kPerChunk = kChunk / 64 + kChunk / 1024 + kChunk / 16384 + 1;
  static constexpr size_t kChunkBytes = size_t(kPerChunk) * sizeof(Extremes);

  SampleEnvelope() = default;
  // The chunks' memory is counted in `total` while held; none is taken that
  // would bring `total` past a non-negative `limit`: those queries read the
  // samples instead. Both belong to the owner, which outlives the envelope.
  SampleEnvelope(double& total, const double& limit) : total_(&total), limit_(&limit) {}
  SampleEnvelope(const SampleEnvelope&) = delete;
  SampleEnvelope& operator=(const SampleEnvelope&) = delete;

  // The extremes of data[from, to) of the array at `data` (`size` samples),
  // NaN passed over, exactly as a plain scan with `<` and `>` finds them.
  // A different array (or size) than the last one starts the envelope anew.
  Extremes Query(const float* data, size_t size, int64_t from, int64_t to);
  // The same over the finite samples only (NaN and infinities passed over),
  // as a value scale is found.
  Extremes QueryFinite(const float* data, size_t size, int64_t from, int64_t to);
  // Builds the missing chunks under data[from, to) at once, on several
  // threads when they are many: a redraw after a data change needs them all.
  void Prepare(const float* data, size_t size, int64_t from, int64_t to);

  // Samples changed: all of them, or those in [from, to). The stale chunks'
  // blocks stay (counted) for the rebuild that follows: given back and taken
  // anew they would cost the pages' faults again. Blocks left unused since
  // the last change of all samples are given back then.
  void Invalidate();
  void Invalidate(int64_t from, int64_t to);
  // Gives every block back.
  void Release();

  // Off: every query scans the samples (the reference the tests compare to).
  bool enabled = true;
  // Threads that `Prepare` may use; 0: one per core.
  int threads = 0;
  // Chunks built since the envelope was made (for tests of the invalidation).
  int64_t ChunksBuilt() const { return built_; }
  // Bytes of blocks held now, as counted in the owner's total.
  size_t BytesHeld() const { return held_ * kChunkBytes; }

 private:
  void Attach(const float* data, size_t size);
  template <bool kFinite>
  Extremes Extent(const float* data, size_t size, int64_t from, int64_t to);
  // The chunk's block, built now if need be; null when the memory limit
  // leaves none for it.
  const Extremes* Chunk(int64_t chunk);
  bool Reserve(int64_t chunk);
  void Fill(int64_t chunk);
  void Drop(int64_t first, int64_t last);
  void FreeSpares();

  const float* data_ = nullptr;
  size_t size_ = 0;
  std::vector<std::unique_ptr<Extremes[]>> chunks_;  // null: not built
  std::vector<std::unique_ptr<Extremes[]>> spare_;   // blocks of stale chunks
  double* total_ = nullptr;
  const double* limit_ = nullptr;
  size_t held_ = 0;
  int64_t built_ = 0;
};

// The scan the envelope stands for: extremes of data[from, to), NaN passed over.
SampleEnvelope::Extremes ScanExtremes(const float* data, int64_t from, int64_t to);
// The same, infinities passed over too.
SampleEnvelope::Extremes ScanFiniteExtremes(const float* data, int64_t from, int64_t to);

// The store's samples changed (all of them), or samples [from, to) of its
// array did, as when a run appends points: the envelopes over them go.
void SamplesChanged(Program& p, store::Store store);
void SamplesWritten(Program& p, store::Store store, int64_t from, int64_t to);

}  // namespace state
