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

#ifdef __SSE2__
inline __m128 Reversed(__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 1, 2, 3)); }
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
  PairTransform(int window, int points)
      : L_(window),
        P_(points),
        log_(std::countr_zero(unsigned(points))),
        weights_(size_t(window)),
        zr_(size_t(points)),
        zi_(size_t(points)),
        scratch_(size_t(points)),
        at_(size_t(points)) {
    // The padding would lower every amplitude by L / P; the weights make up for it.
    const double gain = double(P_) / double(L_);
    for (int j = 0; j < L_; ++j) weights_[size_t(j)] = float(WeightWindow(j, L_) * gain);
    for (int k = 0; k < P_; ++k) at_[size_t(k)] = bits_invert(uint32_t(k), log_);
  }

  // Transforms the windows at a and b (b may be null) and calls
  // emit(which, inImaginary) for each: window `which` (0 for a) is then to be
  // read with Amplitudes or Spectrum from that part of the transform.
  template <class Emit>
  void Run(const float* a, const float* b, Emit&& emit) {
    const float peakA = Load(a, zr_.data());
    const float peakB = b ? Load(b, zi_.data()) : 0.0f;
    // |Z| <= 2 P max |z| must stay finite; NaN compares false and so splits.
    const float limit = FLT_MAX / float(4 * P_);
    if (b && peakA >= peakB * kUnequal && peakB >= peakA * kUnequal && peakA < limit && peakB < limit) {
      fft_core::ForwardNaturalToReversed(zr_.data(), zi_.data(), log_);
      emit(0, false);
      emit(1, true);
      return;
    }
    std::fill(zi_.begin(), zi_.end(), 0.0f);
    fft_core::ForwardNaturalToReversed(zr_.data(), zi_.data(), log_);
    emit(0, false);
    if (!b) return;
    (void)Load(b, zr_.data());
    std::fill(zi_.begin(), zi_.end(), 0.0f);
    fft_core::ForwardNaturalToReversed(zr_.data(), zi_.data(), log_);
    emit(1, false);
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

  // |X[k]| / (P/2) (squared for power) of one window into row[0 … P/2), the
  // mean term half of it; NaN reads 0, overflow the largest float.
  void Amplitudes(bool inImaginary, bool power, float* row) {
    const float* u = inImaginary ? zi_.data() : zr_.data();
    const float* v = inImaginary ? zr_.data() : zi_.data();
    float* out = scratch_.data();
    const float c = 1.0f / float(P_);  // the halves of A and B and the 1 / M in one
    auto one = [&](int p, int q) {
      float x = (u[p] + u[q]) * c, y = (v[p] - v[q]) * c, m = x * x + y * y;
      out[p] = out[q] = Finite(power ? m : std::sqrt(m));
    };
    for (int j = 1; j < log_; ++j) {
      const int first = 1 << j, last = 2 * first - 1, half = first / 2;
      int i = 0;
#ifdef __SSE2__
      // Four at a time: std::sqrt keeps errno and so stays scalar. A NaN is
      // masked to 0 before the clamp, which would otherwise keep it.
      const __m128 cc = _mm_set1_ps(c), top = _mm_set1_ps(FLT_MAX);
      for (; i + 4 <= half; i += 4) {
        const int p = first + i, q = last - i - 3;
        __m128 up = _mm_loadu_ps(u + p), uq = Reversed(_mm_loadu_ps(u + q));
        __m128 vp = _mm_loadu_ps(v + p), vq = Reversed(_mm_loadu_ps(v + q));
        __m128 x = _mm_mul_ps(_mm_add_ps(up, uq), cc), y = _mm_mul_ps(_mm_sub_ps(vp, vq), cc);
        __m128 m = _mm_add_ps(_mm_mul_ps(x, x), _mm_mul_ps(y, y));
        if (!power) m = _mm_sqrt_ps(m);
        m = _mm_min_ps(_mm_and_ps(m, _mm_cmpord_ps(m, m)), top);
        _mm_storeu_ps(out + p, m);
        _mm_storeu_ps(out + q, Reversed(m));
      }
#endif
      for (; i < half; ++i) one(first + i, last - i);
    }
    const float dc = c * u[0];  // X[0] = u[0], read as a mean
    row[0] = Finite(power ? dc * dc : std::fabs(dc));
    for (int k = 1; k < P_ / 2; ++k) row[k] = out[at_[size_t(k)]];
  }

 private:
  // A window a little over 16 times smaller than its partner keeps its error
  // within that many float steps of its own largest term.
  static constexpr float kUnequal = 1.0f / 16;

  // Weights the window into z[0 … L), zeros the padding; answers the largest
  // magnitude, NaN when a sample is not finite.
  float Load(const float* src, float* z) {
    const float* w = weights_.data();
    float peak = 0.0f, bad = 0.0f;
    int j = 0;
#ifdef __SSE2__
    // In lanes: a scalar max or sum is a chain the compiler may not reorder.
    __m128 peak4 = _mm_setzero_ps(), bad4 = _mm_setzero_ps();
    const __m128 sign = _mm_set1_ps(-0.0f), zero = _mm_setzero_ps();
    for (; j + 4 <= L_; j += 4) {
      __m128 v = _mm_mul_ps(_mm_loadu_ps(src + j), _mm_loadu_ps(w + j));
      _mm_storeu_ps(z + j, v);
      peak4 = _mm_max_ps(peak4, _mm_andnot_ps(sign, v));
      bad4 = _mm_or_ps(bad4, _mm_cmpunord_ps(_mm_mul_ps(v, zero), zero));
    }
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, peak4);
    peak = std::max(std::max(lanes[0], lanes[1]), std::max(lanes[2], lanes[3]));
    if (_mm_movemask_ps(bad4)) bad = NAN;
#endif
    for (; j < L_; ++j) {
      float v = src[j] * w[j];
      z[j] = v;
      peak = std::max(peak, std::fabs(v));
      bad += v * 0.0f;  // NaN once any v is Inf or NaN
    }
    std::fill(z + L_, z + P_, 0.0f);
    return peak + bad;
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
  if (shape.rows < 1 || L < 4 || M < 2 || cols != M || !IsTimeFrequencyMode(mode)) return false;
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
    for (int r = 0; r < shape.rows; r += perRow) {
      const int64_t start = int64_t(r) * shape.hop;
      const bool second = mode == kTfFrequency || r + 1 < shape.rows;
      const int64_t next = mode == kTfFrequency ? start + 1 : start + shape.hop;
      float* row = out + size_t(r) * size_t(cols);
      pair.Run(x + start, second ? x + next : nullptr, [&](int which, bool inImaginary) {
        float* into = row + size_t(which) * size_t(cols);
        if (mode == kTfPhase) {
          pair.Spectrum(inImaginary, re[0], im[0]);
          Phases(re[0], im[0], M, into);
        } else if (mode == kTfFrequency) {
          pair.Spectrum(inImaginary, re[which], im[which]);
        } else {
          pair.Amplitudes(inImaginary, mode == kTfPower, into);
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
