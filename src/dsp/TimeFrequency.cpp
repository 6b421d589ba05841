#include "dsp/TimeFrequency.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <new>
#include <numbers>
#include <vector>

#ifdef __SSE2__
#include <immintrin.h>
#endif

#include "dsp/Fft.h"
#include "dsp/FftCore.h"
#include "dsp/SpectrumTools.h"
#include "dsp/TimeFrequencyLanes.h"

namespace dsp {
namespace {

// NaN to 0, overflow to the largest float of its sign.
inline float Finite(float v) {
  if (v != v) return 0.0f;
  return std::clamp(v, -FLT_MAX, FLT_MAX);
}

void Phases(const float* re, const float* im, int M, float* row) {
  row[0] = re[0] < 0 ? float(std::numbers::pi) : 0.0f;
  for (int k = 1; k < M; ++k) row[k] = Finite(std::atan2(im[k], re[k]));
}

// The hot loops below are built for AVX2 as well as for the baseline; the
// clone or the branch is chosen by the processor at hand. A build may define
// TARVELIN_TF_CLONES empty to run the baseline alone.
#if !defined(TARVELIN_TF_CLONES)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TARVELIN_TF_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#define TARVELIN_TF_AVX2 1
#else
#define TARVELIN_TF_CLONES
#endif
#endif

// Weights src[0 … L) into z and answers the largest magnitude's bits: an
// integer maximum the compiler vectorises (a float one it must keep in
// order), at or above 0x7F800000 when a sample is not finite.
TARVELIN_TF_CLONES uint32_t WeightedCopy(const float* __restrict src, const float* __restrict w,
                                         float* __restrict z, int L) {
  uint32_t top = 0;
  for (int j = 0; j < L; ++j) {
    const float v = src[j] * w[j];
    z[j] = v;
    top = std::max(top, std::bit_cast<uint32_t>(v) & 0x7FFFFFFFu);
  }
  return top;
}

// For the partners p = first + i, q = last - i of the blocks [2^j, 2^(j+1)),
// j0 <= j < m, 2^j0 >= 16: the amplitudes (powers when `power`) scaled by c
// of the window in the real part of Z into outR[p] and outR[q], and of the
// one in the imaginary part into outI; either may be null. A NaN is masked to
// 0 before the clamp, which would otherwise keep it. Written out in lanes:
// std::sqrt keeps errno and so stays scalar.
#ifdef __SSE2__
inline __m128 Reversed(__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 1, 2, 3)); }

inline void Store4(float* out, int p, int q, __m128 x, __m128 y, bool power) {
  const __m128 top = _mm_set1_ps(FLT_MAX);
  __m128 s = _mm_add_ps(_mm_mul_ps(x, x), _mm_mul_ps(y, y));
  if (!power) s = _mm_sqrt_ps(s);
  s = _mm_min_ps(_mm_and_ps(s, _mm_cmpord_ps(s, s)), top);
  _mm_storeu_ps(out + p, s);
  _mm_storeu_ps(out + q, Reversed(s));
}

void PartnerBlocks(const float* zr, const float* zi, float* outR, float* outI, int j0, int m, float c,
                   bool power) {
  const __m128 cc = _mm_set1_ps(c);
  for (int j = j0; j < m; ++j) {
    const int first = 1 << j, last = 2 * first - 1;
    for (int i = 0; i < first / 2; i += 4) {
      const int p = first + i, q = last - i - 3;
      const __m128 rp = _mm_mul_ps(_mm_loadu_ps(zr + p), cc),
                   rq = _mm_mul_ps(Reversed(_mm_loadu_ps(zr + q)), cc);
      const __m128 ip = _mm_mul_ps(_mm_loadu_ps(zi + p), cc),
                   iq = _mm_mul_ps(Reversed(_mm_loadu_ps(zi + q)), cc);
      if (outR) Store4(outR, p, q, _mm_add_ps(rp, rq), _mm_sub_ps(ip, iq), power);
      if (outI) Store4(outI, p, q, _mm_add_ps(ip, iq), _mm_sub_ps(rp, rq), power);
    }
  }
}
#endif

#ifdef TARVELIN_TF_AVX2
[[gnu::target("avx2")]] inline __m256 Reversed8(__m256 v) {
  return _mm256_permutevar8x32_ps(v, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
}

[[gnu::target("avx2")]] inline void Store8(float* out, int p, int q, __m256 x, __m256 y, bool power) {
  const __m256 top = _mm256_set1_ps(FLT_MAX);
  __m256 s = _mm256_add_ps(_mm256_mul_ps(x, x), _mm256_mul_ps(y, y));
  if (!power) s = _mm256_sqrt_ps(s);
  s = _mm256_min_ps(_mm256_and_ps(s, _mm256_cmp_ps(s, s, _CMP_ORD_Q)), top);
  _mm256_storeu_ps(out + p, s);
  _mm256_storeu_ps(out + q, Reversed8(s));
}

[[gnu::target("avx2")]] void PartnerBlocks8(const float* zr, const float* zi, float* outR, float* outI,
                                            int j0, int m, float c, bool power) {
  const __m256 cc = _mm256_set1_ps(c);
  for (int j = j0; j < m; ++j) {
    const int first = 1 << j, last = 2 * first - 1;
    for (int i = 0; i < first / 2; i += 8) {
      const int p = first + i, q = last - i - 7;
      const __m256 rp = _mm256_mul_ps(_mm256_loadu_ps(zr + p), cc);
      const __m256 rq = _mm256_mul_ps(Reversed8(_mm256_loadu_ps(zr + q)), cc);
      const __m256 ip = _mm256_mul_ps(_mm256_loadu_ps(zi + p), cc);
      const __m256 iq = _mm256_mul_ps(Reversed8(_mm256_loadu_ps(zi + q)), cc);
      if (outR) Store8(outR, p, q, _mm256_add_ps(rp, rq), _mm256_sub_ps(ip, iq), power);
      if (outI) Store8(outI, p, q, _mm256_add_ps(ip, iq), _mm256_sub_ps(rp, rq), power);
    }
  }
}

bool HasAvx2() {
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
  return has;
}
#endif

// Two weighted real windows through one complex transform of z = a + i b:
// A[k] = (Z[k] + conj Z[P - k]) / 2, B[k] = (Z[k] - conj Z[P - k]) / (2i).
// Each window's rounding error then scales with the larger of the two, and a
// window that is not finite would spoil its partner, so such pairs (and
// pairs of very unequal size) go through the transform one at a time.
//
// The transform leaves Z in bit-reversed order, where the partners of the
// positions [2^j, 2^(j+1)) are the same positions backwards; the amplitudes
// are formed there and only then put in natural order.
class PairTransform {
 public:
  enum Part { kReal, kBoth };

  PairTransform(int window, int points)
      : L_(window),
        P_(points),
        log_(std::countr_zero(unsigned(points))),
        weights_(size_t(window)),
        zr_(size_t(points)),
        zi_(size_t(points)),
        scratch_(2 * size_t(points)),
        at_(size_t(points)) {
    // The padding would lower every amplitude by L / P; the weights make up for it.
    const double gain = double(P_) / double(L_);
    for (int j = 0; j < L_; ++j) weights_[size_t(j)] = float(WeightWindow(j, L_) * gain);
    for (int k = 0; k < P_; ++k) at_[size_t(k)] = bits_invert(uint32_t(k), log_);
  }

  // Transforms the windows at a and b (b may be null) and calls emit(which,
  // part) for each: window `which` (0 for a) is then to be read with
  // Amplitudes or Spectrum from that part of the transform. When the two
  // share the transform, emit(0, kBoth) stands for both (a in the real part).
  template <class Emit>
  void Run(const float* a, const float* b, Emit&& emit) {
    const float peakA = Load(a, zr_.data());
    const float peakB = b ? Load(b, zi_.data()) : 0.0f;
    // |Z| <= 2 P max |z| must stay finite; NaN compares false and so splits.
    const float limit = FLT_MAX / float(4 * P_);
    if (b && peakA >= peakB * kUnequal && peakB >= peakA * kUnequal && peakA < limit && peakB < limit) {
      fft_core::ForwardNaturalToReversed(zr_.data(), zi_.data(), log_);
      emit(0, kBoth);
      return;
    }
    std::fill(zi_.begin(), zi_.end(), 0.0f);
    fft_core::ForwardNaturalToReversed(zr_.data(), zi_.data(), log_);
    emit(0, kReal);
    if (!b) return;
    (void)Load(b, zr_.data());
    std::fill(zi_.begin(), zi_.end(), 0.0f);
    fft_core::ForwardNaturalToReversed(zr_.data(), zi_.data(), log_);
    emit(1, kReal);
  }

  // The spectrum X[0 … P/2) of one window, unscaled, in natural order.
  void Spectrum(bool inImaginary, float* re, float* im) const {
    const float* u = inImaginary ? zi_.data() : zr_.data();
    const float* v = inImaginary ? zr_.data() : zi_.data();
    const float sign = inImaginary ? -0.5f : 0.5f;
    re[0] = u[0];
    im[0] = 0.0f;
    for (int k = 1; k < P_ / 2; ++k) {
      const uint32_t p = at_[size_t(k)], q = at_[size_t(P_ - k)];
      re[k] = 0.5f * (u[p] + u[q]);
      im[k] = sign * (v[p] - v[q]);
    }
  }

  // |X[k]| / (P/2) (squared for power) of the window in the real part into
  // row[0 … P/2), the mean term half of it; NaN reads 0, overflow the largest
  // float. With kBoth, the window of the imaginary part goes into next.
  void Amplitudes(Part part, bool power, float* row, float* next) {
    const float* zr = zr_.data();
    const float* zi = zi_.data();
    float* outR = scratch_.data();
    float* outI = part == kBoth ? scratch_.data() + P_ : nullptr;
    const float c = 1.0f / float(P_);  // the halves of A and B and the 1 / M in one
    auto one = [&](float x, float y) {
      const float s = x * x + y * y;
      return Finite(power ? s : std::sqrt(s));
    };
    int j = 1;
#ifdef __SSE2__
    constexpr int kLaned = 4;  // blocks from 2^4 points (8 pairs) on go in lanes
#else
    constexpr int kLaned = 31;
#endif
    for (; j < log_ && j < kLaned; ++j)
      for (int p = 1 << j, q = (2 << j) - 1; p < q; ++p, --q) {
        const float rp = zr[p] * c, rq = zr[q] * c, ip = zi[p] * c, iq = zi[q] * c;
        outR[p] = outR[q] = one(rp + rq, ip - iq);
        if (outI) outI[p] = outI[q] = one(ip + iq, rp - rq);
      }
#ifdef TARVELIN_TF_AVX2
    if (HasAvx2())
      PartnerBlocks8(zr, zi, outR, outI, j, log_, c, power);
    else
      PartnerBlocks(zr, zi, outR, outI, j, log_, c, power);
#elif defined(__SSE2__)
    PartnerBlocks(zr, zi, outR, outI, j, log_, c, power);
#endif
    const uint32_t* at = at_.data();
    for (int k = 1; k < P_ / 2; ++k) row[k] = outR[at[k]];
    if (outI)
      for (int k = 1; k < P_ / 2; ++k) next[k] = outI[at[k]];
    // X[0] is the real Z[0] of its part, read as a mean
    const float dcR = c * zr[0], dcI = c * zi[0];
    row[0] = Finite(power ? dcR * dcR : std::fabs(dcR));
    if (outI) next[0] = Finite(power ? dcI * dcI : std::fabs(dcI));
  }

 private:
  // A window a little over 16 times smaller than its partner keeps its error
  // within that many float steps of its own largest term.
  static constexpr float kUnequal = 1.0f / 16;

  // Weights the window into z[0 … L), zeros the padding; answers the largest
  // magnitude, Inf or NaN when a sample is not finite.
  float Load(const float* src, float* z) {
    const uint32_t top = WeightedCopy(src, weights_.data(), z, L_);
    std::fill(z + L_, z + P_, 0.0f);
    return std::bit_cast<float>(top);
  }

  int L_, P_, log_;
  std::vector<float> weights_, zr_, zi_, scratch_;
  std::vector<uint32_t> at_;
};

}  // namespace

bool IsTimeFrequencyMode(int mode) {
  return mode == kTfAmplitude || mode == kTfPower || mode == kTfDecibels || mode == kTfPhase ||
         mode == kTfFrequency;
}

TimeFrequencyShape TimeFrequencyLayout(int64_t samples, int window, int mode, int maxRows) {
  TimeFrequencyShape s;
  if (window < 4 || window > (1 << 30) || maxRows < 2) return s;
  // Mode 5 reads one sample past each window.
  const int64_t usable = mode == kTfFrequency ? samples - 1 : samples;
  if (usable < window) return s;
  s.window = window;
  s.transform = 1;
  while (s.transform < window) s.transform *= 2;
  s.columns = s.transform / 2;
  const int64_t span = usable - window;  // where a window may start, 0 … span
  int64_t hop = std::max(1, window / 2);
  if (span / hop + 1 > maxRows) hop = (span + maxRows - 2) / (maxRows - 1);
  s.hop = int(std::min<int64_t>(hop, INT32_MAX));
  s.rows = int(span / s.hop + 1);
  return s;
}

bool TimeFrequency(const float* x, int64_t samples, const TimeFrequencyShape& shape, int mode, double step,
                   float* out) {
  const int L = shape.window, P = shape.transform, M = P / 2, cols = shape.columns;
  // A shape not made by TimeFrequencyLayout could read before the signal or
  // write past the working memory.
  if (shape.rows < 1 || L < 4 || L > P || !std::has_single_bit(unsigned(P)) || M < 2 || cols != M ||
      shape.hop < 1 || !IsTimeFrequencyMode(mode))
    return false;
  const int64_t reach = int64_t(shape.rows - 1) * shape.hop + L + (mode == kTfFrequency ? 1 : 0);
  if (reach > samples) return false;
  try {
    PairTransform pair(L, P);
    std::vector<float> spectra(4 * size_t(M));
    float* re[2] = {spectra.data(), spectra.data() + 2 * M};
    float* im[2] = {re[0] + M, re[1] + M};
    const double toHz = 1.0 / (2 * std::numbers::pi * step);
    // The windows go two to a transform: rows r and r + 1, or in mode 5 a
    // window and the same one a sample later.
    const int perRow = mode == kTfFrequency ? 1 : 2;
    // Amplitudes go eight windows at a time where the lengths allow; the
    // rows left over, and the spectra of modes 4 and 5, go two at a time.
    const bool amplitudes = mode == kTfAmplitude || mode == kTfPower || mode == kTfDecibels;
    const int laned = amplitudes ? LanedAmplitudeRows(x, shape, mode == kTfPower, out) : 0;
    for (int r = laned; r < shape.rows; r += perRow) {
      const int64_t start = int64_t(r) * shape.hop;
      const bool second = mode == kTfFrequency || r + 1 < shape.rows;
      const int64_t next = mode == kTfFrequency ? start + 1 : start + shape.hop;
      float* row = out + size_t(r) * size_t(cols);
      auto read = [&](int which, bool inImaginary) {
        if (mode == kTfPhase) {
          pair.Spectrum(inImaginary, re[0], im[0]);
          Phases(re[0], im[0], M, row + size_t(which) * size_t(cols));
        } else {  // kTfFrequency
          pair.Spectrum(inImaginary, re[which], im[which]);
        }
      };
      // The next windows' samples are asked for while these are transformed.
      const int64_t ahead = start + int64_t(perRow) * shape.hop;
      for (int64_t at = ahead, end = std::min(samples, ahead + shape.hop + L + 1); at < end; at += 16)
        __builtin_prefetch(x + at);
      pair.Run(x + start, second ? x + next : nullptr, [&](int which, PairTransform::Part part) {
        float* into = row + size_t(which) * size_t(cols);
        if (mode != kTfPhase && mode != kTfFrequency) {
          pair.Amplitudes(part, mode == kTfPower, into, into + cols);
        } else if (part == PairTransform::kBoth) {
          read(0, false);
          read(1, true);
        } else {
          read(which, false);
        }
      });
      if (mode != kTfFrequency) continue;
      for (int k = 0; k < M; ++k) {
        // arg(later × conj(now)): the phase a sample adds at this column
        double cr = double(re[1][k]) * re[0][k] + double(im[1][k]) * im[0][k];
        double ci = double(im[1][k]) * re[0][k] - double(re[1][k]) * im[0][k];
        row[k] = Finite(float(std::atan2(ci, cr) * toHz));
      }
    }
    if (mode == kTfDecibels) {
      const size_t n = size_t(shape.rows) * size_t(cols);
      float largest = *std::max_element(out, out + n);
      const float floor = largest > 0 ? largest * 1e-6f : 1.0f;
      for (size_t i = 0; i < n; ++i) out[i] = 20.0f * std::log10(std::max(out[i], floor));
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace dsp
