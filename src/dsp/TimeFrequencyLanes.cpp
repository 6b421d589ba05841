#include "dsp/TimeFrequencyLanes.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

#ifdef __SSE2__
#include <immintrin.h>
#endif

#include "dsp/Fft.h"
#include "dsp/FftVector.h"
#include "dsp/SpectrumTools.h"

namespace dsp {
namespace {

using fft_vector::Load;
using fft_vector::Splat;
using fft_vector::Store;
using fft_vector::V8;

// Built for AVX2 with FMA and for the baseline, chosen by the processor at
// hand. A build may define TARVELIN_TF_CLONES empty to run the baseline alone.
#if !defined(TARVELIN_TF_CLONES)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TARVELIN_TF_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#define TARVELIN_TF_AVX2 1
#else
#define TARVELIN_TF_CLONES
#endif
#endif

// Transform lengths served: from 16 points (eight columns, one transpose of
// the output) to where the eight windows' working set leaves the L1 cache.
constexpr int kFromLog = 4;
constexpr int kToLog = 11;

// One complex value of the eight windows. The baseline build aligns a V8 to
// 16 bytes only, the AVX2 clone expects 32.
struct alignas(32) Cell {
  V8 re, im;
};

struct alignas(32) Lane {
  V8 v;
};

// What depends on the window and the transform length only, kept between
// calls: a matrix is often redrawn with the same layout, and the weights and
// twiddles cost as much as a few hundred rows.
struct Tables {
  int window = 0, points = 0;
  std::vector<float> weights;  // scaled for the padding, as the pair path does
  std::vector<float> cosine;   // cos(2 pi k / P), k < P
  std::vector<float> sine;     // -sin(2 pi k / P)
  std::vector<uint32_t> reversed;

  void Make(int L, int P) {
    if (window == L && points == P) return;
    Tables t;
    const int M = P / 2, m = std::countr_zero(unsigned(M));
    const double gain = double(P) / double(L);
    t.weights.resize(size_t(L));
    for (int j = 0; j < L; ++j) t.weights[size_t(j)] = float(WeightWindow(j, L) * gain);
    t.cosine.resize(size_t(P));
    t.sine.resize(size_t(P));
    for (int k = 0; k < P; ++k) {
      const double a = 2 * std::numbers::pi * double(k) / double(P);
      t.cosine[size_t(k)] = float(std::cos(a));
      t.sine[size_t(k)] = float(-std::sin(a));
    }
    t.reversed.resize(size_t(M));
    for (int k = 0; k < M; ++k) t.reversed[size_t(k)] = bits_invert(uint32_t(k), m);
    t.window = L;
    t.points = P;
    *this = std::move(t);
  }
};

// Eight windows, weighted, into z[0 … M) as the even samples in the real
// parts and the odd ones in the imaginary parts, padded with zeros. Each
// eight samples of the eight windows are one transpose.
[[gnu::always_inline]] inline void LoadWindows(const float* first, int64_t hop, int L, const float* w,
                                               Cell* z, int M) {
  const int whole = L & ~7;
  for (int n = whole / 2; n < M; ++n) z[n].re = z[n].im = Splat(0.0f);
  for (int j = 0; j < whole; j += 8) {
    V8 r[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) r[i] = Load(first + i * hop + j);
    fft_vector::Transpose8(r);
#pragma GCC unroll 4
    for (int t = 0; t < 4; ++t) {
      z[j / 2 + t].re = r[2 * t] * Splat(w[j + 2 * t]);
      z[j / 2 + t].im = r[2 * t + 1] * Splat(w[j + 2 * t + 1]);
    }
  }
  for (int j = whole; j < L; ++j)
    for (int i = 0; i < 8; ++i) {
      const float v = first[i * hop + j] * w[j];
      if (j & 1)
        z[j / 2].im[i] = v;
      else
        z[j / 2].re[i] = v;
    }
}

// The radix-4 decimation-in-frequency steps over blocks of 4q cells, the
// twiddles of offset j being entries j, 2j, 3j times `stride` of the tables.
[[gnu::always_inline]] inline void Radix4(Cell* z, int n, int q, const float* c, const float* s, int stride) {
  for (int j = 0; j < q; ++j) {
    const int k1 = j * stride, k2 = 2 * k1, k3 = 3 * k1;
    const V8 w1r = Splat(c[k1]), w1i = Splat(s[k1]), w2r = Splat(c[k2]), w2i = Splat(s[k2]);
    const V8 w3r = Splat(c[k3]), w3i = Splat(s[k3]);
    for (int b = j; b < n; b += 4 * q) {
      Cell* a = z + b;
      const V8 x0r = a[0].re, x0i = a[0].im, x1r = a[q].re, x1i = a[q].im;
      const V8 x2r = a[2 * q].re, x2i = a[2 * q].im, x3r = a[3 * q].re, x3i = a[3 * q].im;
      const V8 t0r = x0r + x2r, t0i = x0i + x2i, t1r = x0r - x2r, t1i = x0i - x2i;
      const V8 t2r = x1r + x3r, t2i = x1i + x3i, er = x1r - x3r, ei = x1i - x3i;
      a[0].re = t0r + t2r;
      a[0].im = t0i + t2i;
      const V8 ur = t0r - t2r, ui = t0i - t2i;
      a[q].re = ur * w2r - ui * w2i;
      a[q].im = ur * w2i + ui * w2r;
      const V8 vr = t1r + ei, vi = t1i - er;  // t1 - i e
      a[2 * q].re = vr * w1r - vi * w1i;
      a[2 * q].im = vr * w1i + vi * w1r;
      const V8 yr = t1r - ei, yi = t1i + er;  // t1 + i e
      a[3 * q].re = yr * w3r - yi * w3i;
      a[3 * q].im = yr * w3i + yi * w3r;
    }
  }
}

// The transform of each lane, natural order in, bit-reversed order out.
[[gnu::always_inline]] inline void Transform(Cell* z, int m, const float* c, const float* s, int P) {
  const int M = 1 << m;
  int Lb = m;
  for (; Lb >= 2; Lb -= 2) Radix4(z, M, 1 << (Lb - 2), c, s, P >> Lb);
  if (Lb == 1)
    for (int b = 0; b < M; b += 2) {
      const V8 ar = z[b].re, ai = z[b].im, br = z[b + 1].re, bi = z[b + 1].im;
      z[b] = Cell{ar + br, ai + bi};
      z[b + 1] = Cell{ar - br, ai - bi};
    }
}

// The real spectra of the eight windows from the transform of their sample
// pairs, as squared amplitudes into amps[1 … M) in natural order; amps[0]
// gets the signed mean term, which the caller squares or takes as it is.
// With h = 1 / P: E = (Z[k] + conj Z[M-k]) h, O = (Z[k] - conj Z[M-k]) h,
// T = i e^(-i pi k / M) O, then X[k] / M = E - T, X[M-k] / M = conj(E + T).
[[gnu::always_inline]] inline void SquaredAmplitudes(const Cell* z, const uint32_t* rev, const float* c,
                                                     const float* s, int M, Lane* amps) {
  const V8 h = Splat(1.0f / float(2 * M));
  amps[0].v = (z[0].re + z[0].im) * h;
  for (int k = 1; k <= M / 2; ++k) {
    const Cell a = z[rev[k]], b = z[rev[M - k]];
    const V8 er = (a.re + b.re) * h, ei = (a.im - b.im) * h;
    const V8 orr = (a.re - b.re) * h, oi = (a.im + b.im) * h;
    const V8 wr = Splat(c[k]), wi = Splat(s[k]);
    const V8 tr = -(wr * oi + wi * orr), ti = wr * orr - wi * oi;
    const V8 pr = er - tr, pi = ei - ti, qr = er + tr, qi = ei + ti;
    amps[k].v = pr * pr + pi * pi;
    amps[M - k].v = qr * qr + qi * qi;
  }
}

TARVELIN_TF_CLONES void TransformGroup(const float* first, int64_t hop, const Tables& t, Cell* z,
                                       Lane* amps) {
  const int P = t.points, M = P / 2, m = std::countr_zero(unsigned(M));
  LoadWindows(first, hop, t.window, t.weights.data(), z, M);
  Transform(z, m, t.cosine.data(), t.sine.data(), P);
  SquaredAmplitudes(z, t.reversed.data(), t.cosine.data(), t.sine.data(), M, amps);
}

// Eight columns of the eight windows at a time become eight row pieces.
TARVELIN_TF_CLONES void WriteRows(const Lane* amps, int M, float* out, size_t columns) {
  for (int k = 0; k < M; k += 8) {
    V8 r[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) r[i] = amps[k + i].v;
    fft_vector::Transpose8(r);
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) Store(out + size_t(i) * columns + size_t(k), r[i]);
  }
}

// Squared amplitudes a[8 … n) to amplitudes (or left as powers) and a[0 … 8),
// the signed mean terms, to their magnitudes or squares; NaN reads 0 and
// overflow the largest float. In lanes by hand: std::sqrt keeps errno and so
// stays scalar.
#ifdef __SSE2__
inline __m128 Clamped(__m128 v) {
  return _mm_min_ps(_mm_and_ps(v, _mm_cmpord_ps(v, v)), _mm_set1_ps(FLT_MAX));
}

void Finish4(float* a, int n, bool power) {
  for (int i = 0; i < 8; i += 4) {
    const __m128 d = _mm_loadu_ps(a + i);
    _mm_storeu_ps(a + i, Clamped(power ? _mm_mul_ps(d, d) : _mm_andnot_ps(_mm_set1_ps(-0.0f), d)));
  }
  for (int i = 8; i < n; i += 4) {
    const __m128 v = _mm_loadu_ps(a + i);
    _mm_storeu_ps(a + i, Clamped(power ? v : _mm_sqrt_ps(v)));
  }
}
#endif

#ifdef TARVELIN_TF_AVX2
[[gnu::target("avx2")]] inline __m256 Clamped8(__m256 v) {
  return _mm256_min_ps(_mm256_and_ps(v, _mm256_cmp_ps(v, v, _CMP_ORD_Q)), _mm256_set1_ps(FLT_MAX));
}

[[gnu::target("avx2")]] void Finish8(float* a, int n, bool power) {
  const __m256 d = _mm256_loadu_ps(a);
  _mm256_storeu_ps(a, Clamped8(power ? _mm256_mul_ps(d, d) : _mm256_andnot_ps(_mm256_set1_ps(-0.0f), d)));
  for (int i = 8; i < n; i += 8) {
    const __m256 v = _mm256_loadu_ps(a + i);
    _mm256_storeu_ps(a + i, Clamped8(power ? v : _mm256_sqrt_ps(v)));
  }
}

bool HasAvx2() {
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
  return has;
}
#endif

void Finish(float* a, int n, bool power) {
#ifdef TARVELIN_TF_AVX2
  if (HasAvx2()) return Finish8(a, n, power);
#endif
#ifdef __SSE2__
  Finish4(a, n, power);
#else
  for (int i = 0; i < n; ++i) {
    float v = i < 8 ? (power ? a[i] * a[i] : std::fabs(a[i])) : (power ? a[i] : std::sqrt(a[i]));
    a[i] = v == v ? std::min(v, FLT_MAX) : 0.0f;
  }
#endif
}

}  // namespace

int LanedAmplitudeRows(const float* x, const TimeFrequencyShape& shape, bool power, float* out) {
  const int P = shape.transform, M = P / 2, groups = shape.rows / 8;
  if (groups < 1 || P < (1 << kFromLog) || P > (1 << kToLog) || shape.columns != M) return 0;
  thread_local Tables tables;
  tables.Make(shape.window, P);
  std::vector<Cell> z(static_cast<size_t>(M));
  std::vector<Lane> amps(static_cast<size_t>(M));
  const size_t columns = size_t(shape.columns);
  for (int g = 0; g < groups; ++g) {
    const int64_t row = int64_t(g) * 8;
    TransformGroup(x + row * shape.hop, shape.hop, tables, z.data(), amps.data());
    Finish(reinterpret_cast<float*>(amps.data()), 8 * M, power);
    WriteRows(amps.data(), M, out + size_t(row) * columns, columns);
  }
  return groups * 8;
}

}  // namespace dsp
