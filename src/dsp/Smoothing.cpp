#include "dsp/Smoothing.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>
#include <vector>

#include "dsp/FftVector.h"

// The vector loops are built for AVX2 as well as for the baseline, and the
// loader picks the one for the processor at hand. A build may define
// TARVELIN_SMOOTH_CLONES empty to run the baseline alone.
#if !defined(TARVELIN_SMOOTH_CLONES)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TARVELIN_SMOOTH_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
// The recursive blocks keep their eight lanes in one register where AVX-512
// has them: with AVX2's sixteen registers the state of mode 3 spills. A
// build may define TARVELIN_SMOOTH_NARROW to leave them to the AVX2 loops.
#if !defined(TARVELIN_SMOOTH_NARROW)
#define TARVELIN_SMOOTH_WIDE __attribute__((target("arch=x86-64-v4")))
#endif
#else
#define TARVELIN_SMOOTH_CLONES
#endif
#endif

namespace dsp {
namespace {

// Samples between two questions whether to go on.
constexpr int64_t kPollEvery = int64_t(1) << 20;

class Poll {
 public:
  Poll(const SmoothKeepGoing& keepGoing, int64_t total) : keepGoing_(keepGoing), total_(total) {}
  bool At(int64_t done) {
    if (!keepGoing_ || done < next_) return true;
    next_ = done + kPollEvery;
    return keepGoing_(done, total_);
  }
  // Once more when all is done: a stop asked for during the last piece is
  // still honoured, since the old values are all at hand.
  bool Finish() { return !keepGoing_ || keepGoing_(total_, total_); }

 private:
  const SmoothKeepGoing& keepGoing_;
  int64_t total_, next_ = 0;
};

// Copies n values and answers whether all are finite (an exponent of all
// ones marks NaN and the infinities), eight at a time.
TARVELIN_SMOOTH_CLONES bool CopyFinite(const float* from, float* to, int n) {
  typedef uint32_t U8 __attribute__((vector_size(32)));
  const U8 exponent = U8{} + 0x7F800000u;
  U8 bad = {};
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    U8 v;
    std::memcpy(&v, from + i, sizeof v);
    std::memcpy(to + i, &v, sizeof v);
    bad |= (v & exponent) == exponent;
  }
  uint32_t any = 0;
  for (int l = 0; l < 8; ++l) any |= bad[l];
  for (; i < n; ++i) {
    to[i] = from[i];
    any |= (std::bit_cast<uint32_t>(from[i]) & 0x7F800000u) == 0x7F800000u;
  }
  return any == 0;
}

// Samples of a block whose sum the wide moving average keeps.
constexpr int kSumBlock = 256;

// Copies data[from … to] to the copy just ahead of the kernels that read it,
// so that they read it from the cache, and keeps what the kernels need to
// know of it: whether all of it is finite, and for the wide moving average
// the sums of its blocks of kSumBlock samples.
class Copier {
 public:
  Copier(const float* data, float* copy, int from, int to, bool blockSums)
      : data_(data), copy_(copy), from_(from), to_(to), copied_(from) {
    // Without room for them the fresh sums add up whole windows: slower only.
    if (!blockSums) return;
    try {
      sums_.resize(size_t((to - from) / kSumBlock + 1));
    } catch (const std::bad_alloc&) {
      sums_.clear();
    }
  }
  // Copies up to end - 1 (whole blocks, within the range); answers whether
  // all copied so far is finite.
  bool UpTo(int end) {
    if (end <= copied_) return finite_;
    end = int(
        std::min<int64_t>(to_ + 1, from_ + (int64_t(end - from_) + kSumBlock - 1) / kSumBlock * kSumBlock));
    if (sums_.empty()) {
      finite_ = CopyFinite(data_ + copied_, copy_ + copied_, end - copied_) && finite_;
    } else {
      for (int at = copied_; at < end; at += kSumBlock) {
        const int count = std::min(kSumBlock, end - at);
        finite_ = CopyFinite(data_ + at, copy_ + at, count) && finite_;
        sums_[size_t((at - from_) / kSumBlock)] = Sum(copy_ + at, count);
      }
    }
    copied_ = end;
    return finite_;
  }

  // Sum in double of copy[at .. at + w), four partial sums wide.
  static double Sum(const float* x, int w) {
    double s[4] = {0, 0, 0, 0};
    int j = 0;
    for (; j + 4 <= w; j += 4)
      for (int t = 0; t < 4; ++t) s[t] += double(x[j + t]);
    for (; j < w; ++j) s[0] += double(x[j]);
    return (s[0] + s[1]) + (s[2] + s[3]);
  }

  // The same from the block sums where whole blocks lie inside, so that a
  // fresh sum of a wide window costs little more than its two ends.
  double WindowSum(int at, int w) const {
    if (sums_.empty()) return Sum(copy_ + at, w);
    const int first = (at - from_ + kSumBlock - 1) / kSumBlock, last = (at + w - from_) / kSumBlock;
    if (last <= first) return Sum(copy_ + at, w);
    const int a = from_ + first * kSumBlock, b = from_ + last * kSumBlock;
    double s = Sum(copy_ + at, a - at) + Sum(copy_ + b, at + w - b);
    for (int k = first; k < last; ++k) s += sums_[size_t(k)];
    return s;
  }

  // Puts back the old values of everything that may have been written.
  void Restore(float* data) const {
    std::memcpy(data + from_, copy_ + from_, sizeof(float) * size_t(copied_ - from_));
  }

 private:
  const float* data_;
  float* copy_;
  int from_, to_, copied_;
  bool finite_ = true;
  std::vector<double> sums_;
};

// Sum of a sliding window in double. Non-finite samples are counted apart so
// that a NaN or infinity spoils only the windows that contain it, as a fresh
// sum per window would, instead of poisoning the running sum for good.
class WindowSum {
 public:
  void Clear() {
    sum_ = 0;
    nan_ = posInf_ = negInf_ = 0;
  }
  void Add(float x) { Count(x, 1); }
  void Remove(float x) { Count(x, -1); }
  float Mean(int width) const {
    if (nan_ > 0 || (posInf_ > 0 && negInf_ > 0)) return std::numeric_limits<float>::quiet_NaN();
    if (posInf_ > 0) return std::numeric_limits<float>::infinity();
    if (negInf_ > 0) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(sum_ / width);
  }

 private:
  void Count(float x, int sign) {
    if (std::isfinite(x))
      sum_ += sign * static_cast<double>(x);
    else if (std::isnan(x))
      nan_ += sign;
    else if (x > 0)
      posInf_ += sign;
    else
      negInf_ += sign;
  }
  double sum_ = 0;
  int nan_ = 0, posInf_ = 0, negInf_ = 0;
};

// The windows of finite samples run in chunks of kPeriod outputs, each
// starting from a fresh sum (so rounding cannot build up, and a huge value
// leaving the window leaves no error behind) and going on by a running sum.
// The running sum takes eight samples at a time: their differences, their
// sums from the left within the vector, and the sum so far added to all; a
// single chain of dependent additions would set the pace, so kLanes chunks
// run side by side and their chains overlap.
constexpr int kLanes = 4;
constexpr int kPeriod = 8 * 1024 + 1;

typedef double D4 __attribute__((vector_size(32)));
typedef float F4 __attribute__((vector_size(16)));
typedef double D8 __attribute__((vector_size(64)));

[[gnu::always_inline]] inline D4 Widen(const float* p) {
  F4 v;
  std::memcpy(&v, p, sizeof v);
  return __builtin_convertvector(v, D4);
}

// v[0], v[0] + v[1], … : the sums from the left.
[[gnu::always_inline]] inline D4 SumsFromLeft(const D4& x) {
  const D4 zero = {0, 0, 0, 0};
  const D4 v = x + __builtin_shufflevector(x, zero, 4, 0, 1, 2);
  return v + __builtin_shufflevector(v, zero, 4, 4, 0, 1);
}

// Outputs start[l] + 1 … start[l] + kPeriod - 1 of L chunks whose first
// outputs have the window sums fresh[l].
template <int L>
[[gnu::always_inline]] inline void RunningSums(float* data, const float* copy, const int* start,
                                               const double* fresh, int w, int h) {
  const D4 inv = D4{1, 1, 1, 1} / double(w);
  D4 sum[L];
  for (int l = 0; l < L; ++l) sum[l] = D4{1, 1, 1, 1} * fresh[l];
  for (int t = 1; t < kPeriod; t += 8) {
#pragma GCC unroll 4
    for (int l = 0; l < L; ++l) {
      const float* lead = copy + start[l] + t - h + w - 1;
      const float* trail = copy + start[l] + t - h - 1;
      const D4 d0 = SumsFromLeft(Widen(lead) - Widen(trail));
      const D4 d1 = SumsFromLeft(Widen(lead + 4) - Widen(trail + 4));
      const D4 s0 = sum[l] + d0;
      const D4 mid = sum[l] + __builtin_shufflevector(d0, d0, 3, 3, 3, 3);
      const D4 s1 = mid + d1;
      sum[l] = mid + __builtin_shufflevector(d1, d1, 3, 3, 3, 3);
      const F4 f0 = __builtin_convertvector(s0 * inv, F4), f1 = __builtin_convertvector(s1 * inv, F4);
      std::memcpy(data + start[l] + t, &f0, sizeof f0);
      std::memcpy(data + start[l] + t + 4, &f1, sizeof f1);
    }
  }
}

TARVELIN_SMOOTH_CLONES void RunningSumsSideBySide(float* data, const float* copy, const int* start,
                                                  const double* fresh, int w, int h) {
  RunningSums<kLanes>(data, copy, start, fresh, w, h);
}
TARVELIN_SMOOTH_CLONES void RunningSumsAlone(float* data, const float* copy, const int* start,
                                             const double* fresh, int w, int h) {
  RunningSums<1>(data, copy, start, fresh, w, h);
}

// Outputs first .. last.
void FiniteAverage(float* data, const Copier& c, const float* copy, int first, int last, int w, int h) {
  const double inv = 1.0 / w;
  int at = first;
  for (; last - at + 1 >= kPeriod;) {
    const int chunks = (last - at + 1) / kPeriod >= kLanes ? kLanes : 1;
    int start[kLanes];
    double fresh[kLanes];
    for (int l = 0; l < chunks; ++l) {
      start[l] = at + l * kPeriod;
      fresh[l] = c.WindowSum(start[l] - h, w);
      data[start[l]] = float(fresh[l] * inv);
    }
    (chunks == kLanes ? RunningSumsSideBySide : RunningSumsAlone)(data, copy, start, fresh, w, h);
    at += chunks * kPeriod;
  }
  if (at > last) return;
  double sum = c.WindowSum(at - h, w);
  data[at] = float(sum * inv);
  for (int i = at + 1; i <= last; ++i) {
    sum += double(copy[i - h + w - 1]) - double(copy[i - h - 1]);
    data[i] = float(sum * inv);
  }
}

// Makes the copy of data[from .. to] itself, a block at a time just ahead of
// the windows, so that the windows read it from the cache.
bool MovingAverage(float* data, float* copy, int from, int to, int mode, int lastIndex, Poll& poll) {
  const int n = to - from + 1;
  const int w = std::min(mode, n / 2);
  const int h = w / 2;
  // Wide windows take their fresh sums from the sums of whole blocks.
  Copier c(data, copy, from, to, w >= 2 * kSumBlock);
  if (h < 1) {
    c.UpTo(to + 1);
    return true;
  }
  const int first = from + h, last = to - h;
  int i = first;
  while (i <= last) {
    if (!poll.At(i - first)) {
      c.Restore(data);
      return false;
    }
    // Outputs i .. end read the samples up to end - h + w - 1, which the
    // outputs written so far have not reached.
    const int end = int(std::min<int64_t>(last, i + int64_t(kLanes) * kPeriod - 1));
    if (!c.UpTo(end - h + w)) break;
    FiniteAverage(data, c, copy, i, end, w, h);
    i = end + 1;
  }
  c.UpTo(to + 1);
  // From the first chunk holding a NaN or an infinity on, the slow way.
  const int period = std::max(w, 4096);
  WindowSum sum;
  for (int start = i; i <= last; ++i) {
    if ((i - start) % period == 0) {
      if (!poll.At(i - first)) {
        c.Restore(data);
        return false;
      }
      sum.Clear();
      for (int j = i - h; j <= i - h + w - 1; ++j) sum.Add(copy[j]);
    } else {
      sum.Remove(copy[i - h - 1]);
      sum.Add(copy[i - h + w - 1]);
    }
    data[i] = sum.Mean(w);
  }
  if (!poll.Finish()) {
    c.Restore(data);
    return false;
  }
  // The ends the window cannot reach are flattened. The flat run follows the
  // width actually used: taken from a width that was cut to n / 2 it could
  // reach past the channel.
  const int k = w / 2 + 1;
  if (from == 0)
    for (int j = 0; j < k; ++j) data[j] = data[k];
  if (to == lastIndex) {
    float v = data[to - k];
    for (int j = to - k; j <= to; ++j) data[j] = v;
  }
  return true;
}

// Kernel positions beyond the range take its end sample.
inline int Clamp(int i, int from, int to) { return i < from ? from : (i > to ? to : i); }

bool Kernel(float* data, const float* src, int from, int to, const double* kernel, int half, double scale,
            Poll& poll) {
  for (int i = from; i <= to; ++i) {
    if (!poll.At(i - from)) return false;
    double acc = 0;
    for (int t = -half; t <= half; ++t) acc += kernel[t + half] * src[Clamp(i + t, from, to)];
    data[i] = static_cast<float>(acc * scale);
  }
  return poll.Finish();
}

// The kernels that read their own output (modes 2 and 3).
struct Recursive {
  const double* kernel;  // 2H + 1 weights
  double scale;
};
constexpr double kKernel2[] = {0.25, 0.5, 1.0, 0.5, 0.25};
constexpr double kKernel3[] = {0.25, 0.25, 0.35, 0.6, 1.5, 0.6, 0.35, 0.25, 0.25};

// Positions i0 .. i1 - 1 one after another, in place: each sample waits for
// the one before it, so the pace is the latency of that chain. The smoothed
// samples stay in registers instead of going through memory. The positions
// near the ends take their kernel's clamped positions.
template <int H>
void OneByOne(float* data, int from, int to, int i0, int i1, const Recursive& r) {
  const double* kernel = r.kernel;
  auto clamped = [&](int i) {
    double acc = 0;
    for (int t = -H; t <= H; ++t) acc += kernel[t + H] * data[Clamp(i + t, from, to)];
    data[i] = static_cast<float>(acc * r.scale);
  };
  int i = i0;
  for (; i < i1 && i < from + H; ++i) clamped(i);
  if (i < i1 && i <= to - H) {
    double y[H];  // y[t - 1] = data[i - t], already smoothed
    for (int t = 1; t <= H; ++t) y[t - 1] = data[i - t];
    for (; i < i1 && i <= to - H; ++i) {
      // The order of the sum is the clamped one's, so the numbers are too.
      double acc = 0;
      for (int t = H; t >= 1; --t) acc += kernel[H - t] * y[t - 1];
      for (int t = 0; t <= H; ++t) acc += kernel[H + t] * data[i + t];
      const float v = static_cast<float>(acc * r.scale);
      data[i] = v;
      for (int t = H - 1; t >= 1; --t) y[t] = y[t - 1];
      y[0] = v;
    }
  }
  for (; i < i1; ++i) clamped(i);
}

// Long ranges run in kBlockLanes blocks side by side, one per lane of a
// vector of eight. Each block but the first starts its recursion kWarmUp
// samples early, from the old values, and keeps only what follows: the
// state it starts from fades with the largest pole of the recursion, 0.432
// for mode 2 (z^2 = 0.2 z + 0.1) and 0.631 for mode 3, so after 48 and 96
// samples it weighs less than 2^-56 of itself and the outputs are those of
// the unbroken recursion within float rounding, even after samples 2^24
// times larger than the block's. The first block goes on from the smoothed
// samples before it, exactly. The blocks compute in double as the
// one-by-one kernel does, but keep their state unrounded, so the outputs
// differ from it by at most about a float ulp of the largest nearby sample.
constexpr int kBlockLanes = 8;
constexpr int kBlockLength = 2048;
constexpr int kTileSteps = 256;  // steps transposed at a time
template <int H>
constexpr int kWarmUp = H == 2 ? 48 : 96;
// Positions one call of the blocks smooths, and the samples it reads past
// them (the tile of eight read after the last step, and the kernel's reach).
template <int H>
constexpr int kBlockSpan = (kBlockLanes * kBlockLength) + kWarmUp<H>;
constexpr int kReadPast = 8;

template <class V>
[[gnu::always_inline]] inline V LoadAs(const double* p) {
  V v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Outputs at .. at + kBlockSpan - 1 from the old values in `copy`; the
// smoothed samples before `at` are in data. Wide, the eight lanes are one
// vector.
template <int H, bool kWide>
[[gnu::always_inline]] inline void BlocksOf(float* data, const float* copy, int at, const Recursive& r) {
  using fft_vector::V8;
  constexpr int kSteps = kBlockLength + kWarmUp<H>;
  static_assert(kWarmUp<H> % 8 == 0 && kSteps % 8 == 0 && H + 1 <= kReadPast);
  double k[2 * H + 1];
  for (int t = 0; t <= 2 * H; ++t) k[t] = r.kernel[t] * r.scale;
  using DV = std::conditional_t<kWide, D8, D4>;
  constexpr int kGroups = kWide ? 1 : 2, kWidth = kBlockLanes / kGroups;
  // y[j][g] = the output j + 1 steps back of lanes g * kWidth on. Lane l
  // smooths at + l * kBlockLength + t at step t.
  DV y[H][kGroups];
  for (int j = 0; j < H; ++j)
    for (int l = 0; l < kBlockLanes; ++l)
      y[j][l / kWidth][l % kWidth] = l == 0 ? data[at - 1 - j] : copy[at + l * kBlockLength - 1 - j];
  alignas(32) double x[(kTileSteps + 8) * kBlockLanes];  // x[t * 8 + lane]
  alignas(32) float out[kTileSteps * kBlockLanes];
  for (int t0 = 0; t0 < kSteps; t0 += kTileSteps) {
    const int steps = std::min(kTileSteps, kSteps - t0);
    for (int s = 0; s < steps + 8; s += 8) {
      V8 rows[8];
      for (int l = 0; l < kBlockLanes; ++l) rows[l] = fft_vector::Load(copy + at + l * kBlockLength + t0 + s);
      fft_vector::Transpose8(rows);
      for (int q = 0; q < 8; ++q) {
        if constexpr (kWide) {
          const D8 v = __builtin_convertvector(rows[q], D8);
          std::memcpy(x + (s + q) * 8, &v, sizeof v);
          continue;
        }
        const D4 lo = __builtin_convertvector(F4{rows[q][0], rows[q][1], rows[q][2], rows[q][3]}, D4);
        const D4 hi = __builtin_convertvector(F4{rows[q][4], rows[q][5], rows[q][6], rows[q][7]}, D4);
        std::memcpy(x + (s + q) * 8, &lo, sizeof lo);
        std::memcpy(x + (s + q) * 8 + 4, &hi, sizeof hi);
      }
    }
    for (int t = 0; t < steps; ++t) {
      const double* xt = x + t * 8;
#pragma GCC unroll 2
      for (int g = 0; g < kGroups; ++g) {
        // The newest output last: it is the one the next step waits for.
        DV acc = k[H] * LoadAs<DV>(xt + g * kWidth);
#pragma GCC unroll 8
        for (int j = 1; j <= H; ++j) acc += k[H + j] * LoadAs<DV>(xt + j * 8 + g * kWidth);
#pragma GCC unroll 8
        for (int j = H - 1; j >= 1; --j) acc += k[H - 1 - j] * y[j][g];
        acc += k[H - 1] * y[0][g];
#pragma GCC unroll 8
        for (int j = H - 1; j >= 1; --j) y[j][g] = y[j - 1][g];
        y[0][g] = acc;
        const auto f = __builtin_convertvector(acc, std::conditional_t<kWide, V8, F4>);
        std::memcpy(out + t * 8 + g * kWidth, &f, sizeof f);
      }
    }
    for (int s = 0; s < steps; s += 8) {
      V8 rows[8];
      for (int q = 0; q < 8; ++q) rows[q] = fft_vector::Load(out + (s + q) * 8);
      fft_vector::Transpose8(rows);
      // A lane's warm-up is the previous lane's work; only the first has none.
      for (int l = 0; l < kBlockLanes; ++l)
        if (l == 0 || t0 + s >= kWarmUp<H>) fft_vector::Store(data + at + l * kBlockLength + t0 + s, rows[l]);
    }
  }
}

TARVELIN_SMOOTH_CLONES void Blocks2(float* data, const float* copy, int at, const Recursive& r) {
  BlocksOf<2, false>(data, copy, at, r);
}
TARVELIN_SMOOTH_CLONES void Blocks3(float* data, const float* copy, int at, const Recursive& r) {
  BlocksOf<4, false>(data, copy, at, r);
}
#if defined(TARVELIN_SMOOTH_WIDE)
TARVELIN_SMOOTH_WIDE void WideBlocks2(float* data, const float* copy, int at, const Recursive& r) {
  BlocksOf<2, true>(data, copy, at, r);
}
TARVELIN_SMOOTH_WIDE void WideBlocks3(float* data, const float* copy, int at, const Recursive& r) {
  BlocksOf<4, true>(data, copy, at, r);
}
#endif

// The blocks of mode 2 (H = 2) or 3 for the processor at hand.
template <int H>
void Blocks(float* data, const float* copy, int at, const Recursive& r) {
#if defined(TARVELIN_SMOOTH_WIDE)
  static const bool wide = __builtin_cpu_supports("x86-64-v4");
  if (wide) return (H == 2 ? WideBlocks2 : WideBlocks3)(data, copy, at, r);
#endif
  (H == 2 ? Blocks2 : Blocks3)(data, copy, at, r);
}

template <int H>
bool RecursiveSmooth(float* data, float* copy, int from, int to, const Recursive& r, Poll& poll,
                     bool blocks) {
  Copier c(data, copy, from, to, false);
  int i = from;
  while (i <= to) {
    if (!poll.At(i - from)) {
      c.Restore(data);
      return false;
    }
    // The blocks need exact smoothed samples before them and finite ones
    // ahead: from the first piece that holds a NaN or an infinity on, one by
    // one, which lets it spoil what follows just as it always has.
    if (blocks && i >= from + H && int64_t(i) + kBlockSpan<H> + kReadPast + H <= int64_t(to) + 1 &&
        c.UpTo(i + kBlockSpan<H> + kReadPast + H)) {
      Blocks<H>(data, copy, i, r);
      i += kBlockSpan<H>;
      continue;
    }
    const int end = int(std::min<int64_t>(to + 1, i < from + H ? from + H : i + kPollEvery));
    c.UpTo(end);
    OneByOne<H>(data, from, to, i, end, r);
    i = end;
  }
  if (!poll.Finish()) {
    c.Restore(data);
    return false;
  }
  return true;
}

}  // namespace

bool Smooth(float* data, float* copy, int from, int to, int mode, int lastIndex,
            const SmoothKeepGoing& keepGoing) {
  from = std::max(from, 0);
  to = std::min(to, lastIndex);
  if (to - from + 1 < 2) return true;
  Poll poll(keepGoing, int64_t(to) - from + 1);
  if (mode >= 4) return MovingAverage(data, copy, from, to, mode, lastIndex, poll);
  switch (mode) {
    case 1: {
      std::memcpy(copy + from, data + from, sizeof(float) * size_t(to - from + 1));
      static const double k1[] = {0.5, 1.0, 0.5};
      if (Kernel(data, copy, from, to, k1, 1, 0.5, poll)) return true;
      std::memcpy(data + from, copy + from, sizeof(float) * size_t(to - from + 1));
      return false;
    }
    case 2:  // reads the data itself: samples to the left are already smoothed
      return RecursiveSmooth<2>(data, copy, from, to, {kKernel2, 0.4}, poll, true);
    case 3:
      return RecursiveSmooth<4>(data, copy, from, to, {kKernel3, 1.0 / 4.4}, poll, true);
    default:
      std::memcpy(copy + from, data + from, sizeof(float) * size_t(to - from + 1));
      return true;
  }
}

void SmoothOneByOne(float* data, float* copy, int from, int to, int mode) {
  if (from < 0 || to - from + 1 < 2 || (mode != 2 && mode != 3)) return;
  const SmoothKeepGoing never;
  Poll poll(never, 0);
  if (mode == 2)
    (void)RecursiveSmooth<2>(data, copy, from, to, {kKernel2, 0.4}, poll, false);
  else
    (void)RecursiveSmooth<4>(data, copy, from, to, {kKernel3, 1.0 / 4.4}, poll, false);
}

int SmoothWidthFromArgument(int argument) { return argument < 0 ? -1 : std::max(argument, 1); }

}  // namespace dsp
