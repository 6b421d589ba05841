#include "dsp/TimeFrequency.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>
#include <numbers>
#include <vector>

#ifdef __SSE2__
#include <immintrin.h>
#endif

#include "dsp/Fft.h"
#include "dsp/SpectrumTools.h"

namespace dsp {
namespace {

// NaN to 0, overflow to the largest float of its sign.
inline float Finite(float v) {
  if (v != v) return 0.0f;
  return std::clamp(v, -FLT_MAX, FLT_MAX);
}

// Amplitudes (or powers) of one spectrum of 2M values into row[0 … M).
void Amplitudes(const float* spectrum, int M, bool power, float* row) {
  const float* re = spectrum;
  const float* im = spectrum + M;
  float dc = 0.5f * re[0];  // [0] holds twice the mean
  row[0] = Finite(power ? dc * dc : std::fabs(dc));
  int k = 1;
#ifdef __SSE2__
  // Four at a time: std::sqrt keeps errno and so stays scalar. A NaN is
  // masked to 0 before the clamp, which would otherwise keep it.
  const __m128 top = _mm_set1_ps(FLT_MAX);
  for (; k + 4 <= M; k += 4) {
    __m128 r = _mm_loadu_ps(re + k), i = _mm_loadu_ps(im + k);
    __m128 v = _mm_add_ps(_mm_mul_ps(r, r), _mm_mul_ps(i, i));
    if (!power) v = _mm_sqrt_ps(v);
    v = _mm_and_ps(v, _mm_cmpord_ps(v, v));
    _mm_storeu_ps(row + k, _mm_min_ps(v, top));
  }
#endif
  for (; k < M; ++k)
    row[k] = Finite(power ? re[k] * re[k] + im[k] * im[k] : std::sqrt(re[k] * re[k] + im[k] * im[k]));
}

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
    // The padding would lower every amplitude by L / P; the weights make up for it.
    const size_t points = size_t(P);
    std::vector<float> weights(static_cast<size_t>(L)), frame(points, 0.0f), spectrum(points), later;
    const double gain = double(P) / double(L);
    for (int j = 0; j < L; ++j) weights[size_t(j)] = float(WeightWindow(j, L) * gain);
    if (mode == kTfFrequency) later.resize(points);

    auto transform = [&](int64_t start, float* into) {
      const float* src = x + start;
      for (int j = 0; j < L; ++j) frame[size_t(j)] = src[j] * weights[size_t(j)];
      (void)RealSpectrum(frame.data(), into, M);
    };

    const double toHz = 1.0 / (2 * std::numbers::pi * step);
    for (int r = 0; r < shape.rows; ++r) {
      const int64_t start = int64_t(r) * shape.hop;
      float* row = out + size_t(r) * size_t(cols);
      transform(start, spectrum.data());
      const float* re = spectrum.data();
      const float* im = spectrum.data() + M;
      switch (mode) {
        case kTfAmplitude:
        case kTfDecibels:
          Amplitudes(re, M, false, row);
          break;
        case kTfPower:
          Amplitudes(re, M, true, row);
          break;
        case kTfPhase:
          row[0] = re[0] < 0 ? float(std::numbers::pi) : 0.0f;
          for (int k = 1; k < M; ++k) row[k] = Finite(std::atan2(im[k], re[k]));
          break;
        default: {  // kTfFrequency
          transform(start + 1, later.data());
          const float* re2 = later.data();
          const float* im2 = later.data() + M;
          for (int k = 0; k < M; ++k) {
            // arg(later × conj(now)): the phase a sample adds at this column
            double cr = double(re2[k]) * re[k] + double(im2[k]) * im[k];
            double ci = double(im2[k]) * re[k] - double(re2[k]) * im[k];
            row[k] = Finite(float(std::atan2(ci, cr) * toHz));
          }
          break;
        }
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
