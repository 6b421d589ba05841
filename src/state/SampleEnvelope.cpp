#include "state/SampleEnvelope.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <system_error>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "state/Program.h"

namespace state {
namespace {

using Extremes = SampleEnvelope::Extremes;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int kLevels = SampleEnvelope::kLevels;
constexpr int64_t kChunk = SampleEnvelope::kChunk;
// Where each level starts in a chunk's block.
constexpr int64_t kOffset[kLevels] = {0, kChunk / 64, kChunk / 64 + kChunk / 1024,
                                      kChunk / 64 + kChunk / 1024 + kChunk / 16384};
// Below this many chunks to build, a second thread costs more than it saves.
constexpr size_t kChunksPerThread = 8;

// `v > max` and `v < min` leave a NaN out and keep the first of equal values,
// which is what the painters' scan does; the SSE max/min take their second
// operand when the comparison fails, so they behave the same way.
inline void Take(Extremes& e, float v) {
  if (v > e.max) e.max = v;
  if (v < e.min) e.min = v;
}

inline void Join(Extremes& e, const Extremes& b) {
  if (b.max > e.max) e.max = b.max;
  if (b.min < e.min) e.min = b.min;
}

// The extremes of each bucket of 64 samples of d[0, 64 * buckets).
void Level0(const float* d, int64_t buckets, Extremes* out) {
#if defined(__SSE2__)
  for (int64_t b = 0; b < buckets; ++b, d += 64) {
    // The accumulators start at ±inf and a NaN never replaces them, so the
    // lanes hold no NaN and may be joined in any order.
    __m128 mx0 = _mm_set1_ps(-kInf), mx1 = mx0, mn0 = _mm_set1_ps(kInf), mn1 = mn0;
    for (int i = 0; i < 64; i += 8) {
      const __m128 a = _mm_loadu_ps(d + i), c = _mm_loadu_ps(d + i + 4);
      mx0 = _mm_max_ps(a, mx0);
      mx1 = _mm_max_ps(c, mx1);
      mn0 = _mm_min_ps(a, mn0);
      mn1 = _mm_min_ps(c, mn1);
    }
    __m128 mx = _mm_max_ps(mx0, mx1), mn = _mm_min_ps(mn0, mn1);
    mx = _mm_max_ps(mx, _mm_shuffle_ps(mx, mx, _MM_SHUFFLE(1, 0, 3, 2)));
    mn = _mm_min_ps(mn, _mm_shuffle_ps(mn, mn, _MM_SHUFFLE(1, 0, 3, 2)));
    mx = _mm_max_ps(mx, _mm_shuffle_ps(mx, mx, _MM_SHUFFLE(2, 3, 0, 1)));
    mn = _mm_min_ps(mn, _mm_shuffle_ps(mn, mn, _MM_SHUFFLE(2, 3, 0, 1)));
    out[b] = {_mm_cvtss_f32(mn), _mm_cvtss_f32(mx)};
  }
#else
  for (int64_t b = 0; b < buckets; ++b) out[b] = ScanExtremes(d, b * 64, b * 64 + 64);
#endif
}

// Each level of a chunk of `n` samples; only whole buckets exist, a query
// reads the samples of a partial one.
void BuildChunk(const float* d, int64_t n, Extremes* out) {
  Level0(d, n / SampleEnvelope::kBucket[0], out);
  for (int l = 1; l < kLevels; ++l) {
    const int64_t ratio = SampleEnvelope::kBucket[l] / SampleEnvelope::kBucket[l - 1];
    const Extremes* below = out + kOffset[l - 1];
    for (int64_t b = 0; b < n / SampleEnvelope::kBucket[l]; ++b) {
      Extremes e{kInf, -kInf};
      for (int64_t k = b * ratio; k < (b + 1) * ratio; ++k) Join(e, below[k]);
      out[kOffset[l] + b] = e;
    }
  }
}

}  // namespace

SampleEnvelope::Extremes ScanExtremes(const float* data, int64_t from, int64_t to) {
  Extremes e{kInf, -kInf};
  for (int64_t i = from; i < to; ++i) Take(e, data[i]);
  return e;
}

SampleEnvelope::Extremes ScanFiniteExtremes(const float* data, int64_t from, int64_t to) {
  Extremes e{kInf, -kInf};
  for (int64_t i = from; i < to; ++i)
    if (std::isfinite(data[i])) Take(e, data[i]);
  return e;
}

void SampleEnvelope::Attach(const float* data, size_t size) {
  if (data == data_ && size == size_) return;
  data_ = data;
  if (size == size_) {  // the arrays traded places: same shape, new samples
    Invalidate();
    return;
  }
  Release();
  size_ = size;
  chunks_.clear();
  chunks_.shrink_to_fit();
  chunks_.resize((size + size_t(kChunk) - 1) / size_t(kChunk));
}

void SampleEnvelope::Drop(int64_t first, int64_t last) {
  for (int64_t c = first; c < last; ++c)
    if (chunks_[size_t(c)]) spare_.push_back(std::move(chunks_[size_t(c)]));
}

void SampleEnvelope::FreeSpares() {
  held_ -= spare_.size();
  if (total_) *total_ -= double(spare_.size()) * double(kChunkBytes);
  spare_.clear();
  spare_.shrink_to_fit();
}

void SampleEnvelope::Invalidate() {
  FreeSpares();
  Drop(0, int64_t(chunks_.size()));
}

void SampleEnvelope::Release() {
  Drop(0, int64_t(chunks_.size()));
  FreeSpares();
}

void SampleEnvelope::Invalidate(int64_t from, int64_t to) {
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, int64_t(chunks_.size()) * kChunk);
  if (from >= to) return;
  Drop(from / kChunk, (to - 1) / kChunk + 1);
}

bool SampleEnvelope::Reserve(int64_t chunk) {
  if (!spare_.empty()) {
    chunks_[size_t(chunk)] = std::move(spare_.back());
    spare_.pop_back();
    return true;
  }
  const double bytes = double(kChunkBytes);
  if (total_ && limit_ && *limit_ >= 0 && *total_ + bytes > *limit_) return false;
  chunks_[size_t(chunk)].reset(new (std::nothrow) Extremes[size_t(kPerChunk)]);
  if (!chunks_[size_t(chunk)]) return false;
  ++held_;
  if (total_) *total_ += bytes;
  return true;
}

void SampleEnvelope::Fill(int64_t chunk) {
  const int64_t start = chunk * kChunk;
  BuildChunk(data_ + start, std::min<int64_t>(kChunk, int64_t(size_) - start), chunks_[size_t(chunk)].get());
}

const SampleEnvelope::Extremes* SampleEnvelope::Chunk(int64_t chunk) {
  if (!chunks_[size_t(chunk)]) {
    if (!Reserve(chunk)) return nullptr;
    Fill(chunk);
    ++built_;
  }
  return chunks_[size_t(chunk)].get();
}

void SampleEnvelope::Prepare(const float* data, size_t size, int64_t from, int64_t to) {
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, int64_t(size));
  if (!enabled || !data || to - from < kChunk) return;
  Attach(data, size);
  std::vector<int64_t> missing;
  for (int64_t c = from / kChunk; c <= (to - 1) / kChunk; ++c) {
    if (chunks_[size_t(c)]) continue;
    if (!Reserve(c)) break;  // the rest is read from the samples
    missing.push_back(c);
  }
  built_ += int64_t(missing.size());
  auto fill = [this, &missing](size_t a, size_t b) {
    for (size_t k = a; k < b; ++k) Fill(missing[k]);
  };
  // Each chunk is built from its own samples alone, so how they are shared
  // out leaves the result the same.
  const size_t cores = threads > 0 ? size_t(threads) : std::max(1u, std::thread::hardware_concurrency());
  const size_t parts = std::clamp<size_t>(missing.size() / kChunksPerThread, 1, std::min<size_t>(cores, 8));
  std::vector<std::thread> workers;
  size_t begin = 0;
  for (size_t t = 1; t < parts; ++t) {
    const size_t end = missing.size() * t / parts;
    try {
      workers.emplace_back(fill, begin, end);
    } catch (const std::system_error&) {
      fill(begin, end);  // no thread to be had: this one does it
    }
    begin = end;
  }
  fill(begin, missing.size());
  for (std::thread& w : workers) w.join();
}

template <bool kFinite>
SampleEnvelope::Extremes SampleEnvelope::Extent(const float* data, size_t size, int64_t from, int64_t to) {
  const auto scan = kFinite ? ScanFiniteExtremes : ScanExtremes;
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, int64_t(size));
  if (!enabled || !data || to - from < kBucket[0]) return scan(data, from, to);
  Attach(data, size);
  Extremes e{kInf, -kInf};
  int64_t i = from;
  while (i < to) {
    if (i % kBucket[0] != 0 || i + kBucket[0] > to) {
      // The samples up to the next bucket boundary (or the end).
      const int64_t stop = std::min(to, (i / kBucket[0] + 1) * kBucket[0]);
      Join(e, scan(data, i, stop));
      i = stop;
      continue;
    }
    const Extremes* chunk = Chunk(i / kChunk);
    if (!chunk) {  // no memory for it: its samples
      const int64_t stop = std::min(to, (i / kChunk + 1) * kChunk);
      Join(e, scan(data, i, stop));
      i = stop;
      continue;
    }
    int l = 0;
    while (l + 1 < kLevels && i % kBucket[l + 1] == 0 && i + kBucket[l + 1] <= to) ++l;
    const Extremes& b = chunk[kOffset[l] + (i % kChunk) / kBucket[l]];
    // A bucket with an infinite sample among its finite ones has to be read.
    if (kFinite && (b.max == kInf || b.min == -kInf))
      Join(e, scan(data, i, i + kBucket[l]));
    else
      Join(e, b);
    i += kBucket[l];
  }
  return e;
}

SampleEnvelope::Extremes SampleEnvelope::Query(const float* data, size_t size, int64_t from, int64_t to) {
  return Extent<false>(data, size, from, to);
}

SampleEnvelope::Extremes SampleEnvelope::QueryFinite(const float* data, size_t size, int64_t from,
                                                     int64_t to) {
  return Extent<true>(data, size, from, to);
}

void SamplesChanged(Program& p, store::Store store) { p.Envelope(store).Invalidate(); }

void SamplesWritten(Program& p, store::Store store, int64_t from, int64_t to) {
  p.Envelope(store).Invalidate(from, to);
}

}  // namespace state
