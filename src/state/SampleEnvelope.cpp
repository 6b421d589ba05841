#include "state/SampleEnvelope.h"

#include <algorithm>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "state/Program.h"

namespace state {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// `v > max` and `v < min` leave a NaN out and keep the first of equal values,
// which is what the painters' scan does; the SSE max/min take their second
// operand when the comparison fails, so they behave the same way.
inline void Take(SampleEnvelope::Extremes& e, float v) {
  if (v > e.max) e.max = v;
  if (v < e.min) e.min = v;
}

inline void Join(SampleEnvelope::Extremes& e, const SampleEnvelope::Extremes& b) {
  if (b.max > e.max) e.max = b.max;
  if (b.min < e.min) e.min = b.min;
}

// One bucket of 64 samples.
SampleEnvelope::Extremes Bucket64(const float* d) {
#if defined(__SSE2__)
  __m128 mx0 = _mm_set1_ps(-kInf), mx1 = mx0, mn0 = _mm_set1_ps(kInf), mn1 = mn0;
  for (int i = 0; i < 64; i += 8) {
    const __m128 a = _mm_loadu_ps(d + i), b = _mm_loadu_ps(d + i + 4);
    mx0 = _mm_max_ps(a, mx0);
    mx1 = _mm_max_ps(b, mx1);
    mn0 = _mm_min_ps(a, mn0);
    mn1 = _mm_min_ps(b, mn1);
  }
  alignas(16) float hi[8], lo[8];
  _mm_store_ps(hi, mx0);
  _mm_store_ps(hi + 4, mx1);
  _mm_store_ps(lo, mn0);
  _mm_store_ps(lo + 4, mn1);
  SampleEnvelope::Extremes e{kInf, -kInf};
  for (int i = 0; i < 8; ++i) {
    if (hi[i] > e.max) e.max = hi[i];
    if (lo[i] < e.min) e.min = lo[i];
  }
  return e;
#else
  return ScanExtremes(d, 0, 64);
#endif
}

}  // namespace

SampleEnvelope::Extremes ScanExtremes(const float* data, int64_t from, int64_t to) {
  SampleEnvelope::Extremes e{kInf, -kInf};
  for (int64_t i = from; i < to; ++i) Take(e, data[i]);
  return e;
}

void SampleEnvelope::Attach(const float* data, size_t size) {
  if (data == data_ && size == size_) return;
  data_ = data;
  if (size == size_) {  // the arrays traded places: same shape, new samples
    Invalidate();
    return;
  }
  size_ = size;
  const size_t chunks = (size + size_t(kChunk) - 1) / size_t(kChunk);
  valid_.assign(chunks, 0);
  for (int l = 0; l < kLevels; ++l) {
    level_[l].clear();
    level_[l].shrink_to_fit();
    level_[l].resize(size / size_t(kBucket[l]));
  }
}

void SampleEnvelope::Invalidate() { std::fill(valid_.begin(), valid_.end(), 0); }

void SampleEnvelope::Invalidate(int64_t from, int64_t to) {
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, int64_t(valid_.size()) * kChunk);
  if (from >= to) return;
  std::fill(valid_.begin() + from / kChunk, valid_.begin() + (to - 1) / kChunk + 1, 0);
}

void SampleEnvelope::Build(int64_t chunk) {
  const int64_t start = chunk * kChunk;
  const int64_t end = std::min<int64_t>(start + kChunk, int64_t(size_));
  // Level 0 from the samples, each further level from the one below; only
  // whole buckets exist, a query reads the samples of a partial one.
  for (int64_t b = start / kBucket[0]; b < end / kBucket[0]; ++b)
    level_[0][size_t(b)] = Bucket64(data_ + b * 64);
  for (int l = 1; l < kLevels; ++l) {
    const int64_t ratio = kBucket[l] / kBucket[l - 1];
    for (int64_t b = start / kBucket[l]; b < end / kBucket[l]; ++b) {
      Extremes e{kInf, -kInf};
      for (int64_t k = b * ratio; k < (b + 1) * ratio; ++k) Join(e, level_[l - 1][size_t(k)]);
      level_[l][size_t(b)] = e;
    }
  }
  valid_[size_t(chunk)] = 1;
  ++built_;
}

SampleEnvelope::Extremes SampleEnvelope::Query(const float* data, size_t size, int64_t from, int64_t to) {
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, int64_t(size));
  if (!enabled || !data || to - from < kBucket[0]) return ScanExtremes(data, from, to);
  Attach(data, size);
  Extremes e{kInf, -kInf};
  int64_t i = from;
  while (i < to) {
    if (i % kBucket[0] != 0 || i + kBucket[0] > to) {
      // The samples up to the next bucket boundary (or the end).
      const int64_t stop = std::min(to, (i / kBucket[0] + 1) * kBucket[0]);
      for (; i < stop; ++i) Take(e, data[i]);
      continue;
    }
    int l = 0;
    while (l + 1 < kLevels && i % kBucket[l + 1] == 0 && i + kBucket[l + 1] <= to) ++l;
    const int64_t chunk = i / kChunk;
    if (!valid_[size_t(chunk)]) Build(chunk);
    Join(e, level_[l][size_t(i / kBucket[l])]);
    i += kBucket[l];
  }
  return e;
}

void SamplesChanged(Program& p, store::Store store) { p.Envelope(store).Invalidate(); }

void SamplesWritten(Program& p, store::Store store, int64_t from, int64_t to) {
  p.Envelope(store).Invalidate(from, to);
}

}  // namespace state
