#include "dsp/TimeFrequencyLanes.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

#ifdef __SSE2__
#include <immintrin.h>
#endif

#include "dsp/Fft.h"
#include "dsp/FftVector.h"
#include "dsp/SpectrumTools.h"

namespace dsp {
namespace {

using fft_vector::I8;
using fft_vector::Load;
using fft_vector::Store;
using fft_vector::V8;

// The kernel is built twice, for AVX2 with FMA and for the baseline, and the
// processor at hand picks one. A build may define TARVELIN_TF_CLONES empty to
// run the baseline alone.
#if !defined(TARVELIN_TF_CLONES) && defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TARVELIN_TF_WIDE 1
#endif

// Eight copies of x. GCC builds the plain initialiser list lane by lane in a
// function with a target attribute; a sum with a vector is one broadcast.
[[gnu::always_inline]] inline V8 Splat(float x) { return x + V8{}; }

// Transform lengths served: from 16 points (eight columns, one transpose of
// the output) to 1024, whose eight windows fill the first-level cache; from
// 2048 points on the pair path is as fast.
constexpr int kFromLog = 4;
constexpr int kToLog = 10;

// One complex value of the eight windows. The baseline build aligns a V8 to
// 16 bytes only, the AVX2 build expects 32.
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

// Window i's four floats at lo beside window i + 4's at hi. Each build has
// its own way that stays in registers.
template <bool kWide>
[[gnu::always_inline]] inline V8 Halves(const float* lo, const float* hi) {
  typedef float V4 __attribute__((vector_size(16)));
  V4 a, b;
  std::memcpy(&a, lo, sizeof a);
  std::memcpy(&b, hi, sizeof b);
  if constexpr (kWide) {
    return __builtin_shufflevector(a, b, 0, 1, 2, 3, 4, 5, 6, 7);
  } else {
    V8 v;
    std::memcpy(&v, &a, sizeof a);
    std::memcpy(reinterpret_cast<char*>(&v) + sizeof a, &b, sizeof b);
    return v;
  }
}

// Eight windows, weighted, into z[0 … M) as the even samples in the real
// parts and the odd ones in the imaginary parts, padded with zeros. Four
// samples of the eight windows at a time: with windows i and i + 4 in the
// halves of row i, a 4 x 4 transpose within each half makes each row one
// sample of all eight, and no value crosses the halves.
template <bool kWide>
[[gnu::always_inline]] inline void LoadWindows(const float* first, int64_t hop, int L, const float* w,
                                               Cell* z, int M) {
  const int whole = L & ~3;
  for (int n = whole / 2; n < M; ++n) z[n].re = z[n].im = V8{};
  for (int j = 0; j < whole; j += 4) {
    const V8 weights = Halves<kWide>(w + j, w + j);
    V8 r[4];
#pragma GCC unroll 4
    for (int i = 0; i < 4; ++i)
      r[i] = Halves<kWide>(first + i * hop + j, first + (i + 4) * hop + j) * weights;
    const V8 t0 = TARVELIN_SHUFFLE2(r[0], r[1], 0, 8, 1, 9, 4, 12, 5, 13);
    const V8 t1 = TARVELIN_SHUFFLE2(r[0], r[1], 2, 10, 3, 11, 6, 14, 7, 15);
    const V8 t2 = TARVELIN_SHUFFLE2(r[2], r[3], 0, 8, 1, 9, 4, 12, 5, 13);
    const V8 t3 = TARVELIN_SHUFFLE2(r[2], r[3], 2, 10, 3, 11, 6, 14, 7, 15);
    z[j / 2].re = TARVELIN_SHUFFLE2(t0, t2, 0, 1, 8, 9, 4, 5, 12, 13);
    z[j / 2].im = TARVELIN_SHUFFLE2(t0, t2, 2, 3, 10, 11, 6, 7, 14, 15);
    z[j / 2 + 1].re = TARVELIN_SHUFFLE2(t1, t3, 0, 1, 8, 9, 4, 5, 12, 13);
    z[j / 2 + 1].im = TARVELIN_SHUFFLE2(t1, t3, 2, 3, 10, 11, 6, 7, 14, 15);
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

// The square roots of a V8 (std::sqrt keeps errno and so stays scalar). The
// AVX2 build names the instruction's builtin, which GCC checks only where it
// is expanded, inside the AVX2 function; its intrinsic would refuse to be
// inlined into this template. The baseline roots the two halves.
template <bool kWide>
[[gnu::always_inline]] inline V8 Root(const V8& v) {
#ifdef TARVELIN_TF_WIDE
  if constexpr (kWide) return __builtin_ia32_sqrtps256(v);
#endif
#ifdef __SSE2__
  union {
    V8 whole;
    __m128 half[2];
  } u{v};
  u.half[0] = _mm_sqrt_ps(u.half[0]);
  u.half[1] = _mm_sqrt_ps(u.half[1]);
  return u.whole;
#else
  V8 r;
  for (int i = 0; i < 8; ++i) r[i] = std::sqrt(v[i]);
  return r;
#endif
}

// NaN to 0, overflow to the largest float.
[[gnu::always_inline]] inline V8 Finite(const V8& v) {
  const V8 top = Splat(FLT_MAX), zero = Splat(0.0f);
  return v == v ? (v < top ? v : top) : zero;
}

// The real spectra of the eight windows from the transform of their sample
// pairs, as amplitudes (squared for power) into amps[0 … M) in natural order.
// With h = 1 / P: E = (Z[k] + conj Z[M-k]) h, O = (Z[k] - conj Z[M-k]) h,
// T = i e^(-i pi k / M) O, then X[k] / M = E - T, X[M-k] / M = conj(E + T);
// the mean term X[0] / P is the real and imaginary parts of Z[0] together.
// A sum of every square tells whether any is not finite; only then is the
// clamp worth its time.
template <bool kWide, bool kPower>
[[gnu::always_inline]] inline void Amplitudes(const Cell* z, const uint32_t* rev, const float* c,
                                              const float* s, int M, Lane* amps) {
  const V8 h = Splat(1.0f / float(2 * M));
  const V8 mean = (z[0].re + z[0].im) * h;
  amps[0].v = Finite(kPower ? mean * mean : (mean < 0 ? -mean : mean));
  V8 sum{};
  for (int k = 1; k <= M / 2; ++k) {
    const Cell a = z[rev[k]], b = z[rev[M - k]];
    const V8 er = (a.re + b.re) * h, ei = (a.im - b.im) * h;
    const V8 orr = (a.re - b.re) * h, oi = (a.im + b.im) * h;
    const V8 wr = Splat(c[k]), wi = Splat(s[k]);
    const V8 tr = -(wr * oi + wi * orr), ti = wr * orr - wi * oi;
    const V8 pr = er - tr, pi = ei - ti, qr = er + tr, qi = ei + ti;
    const V8 p = pr * pr + pi * pi, q = qr * qr + qi * qi;
    sum += p + q;
    amps[k].v = kPower ? p : Root<kWide>(p);
    amps[M - k].v = kPower ? q : Root<kWide>(q);
  }
  const V8 zeroWhereFinite = sum - sum;
  bool finite = true;
  for (int i = 0; i < 8; ++i) finite = finite && zeroWhereFinite[i] == 0;
  if (!finite)
    for (int k = 1; k < M; ++k) amps[k].v = Finite(amps[k].v);
}

// Eight columns of the eight windows at a time become eight row pieces.
[[gnu::always_inline]] inline void WriteRows(const Lane* amps, int M, float* out, size_t columns) {
  for (int k = 0; k < M; k += 8) {
    V8 r[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) r[i] = amps[k + i].v;
    fft_vector::Transpose8(r);
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) Store(out + size_t(i) * columns + size_t(k), r[i]);
  }
}

// The first 8 × groups rows of the matrix.
template <bool kWide>
[[gnu::always_inline]] inline void Groups(const float* x, const TimeFrequencyShape& shape, const Tables& t,
                                          bool power, int groups, float* out) {
  const int P = t.points, M = P / 2, m = std::countr_zero(unsigned(M));
  std::vector<Cell> z(static_cast<size_t>(M));
  std::vector<Lane> amps(static_cast<size_t>(M));
  for (int g = 0; g < groups; ++g) {
    const int64_t row = int64_t(g) * 8;
    LoadWindows<kWide>(x + row * shape.hop, shape.hop, t.window, t.weights.data(), z.data(), M);
    Transform(z.data(), m, t.cosine.data(), t.sine.data(), P);
    if (power)
      Amplitudes<kWide, true>(z.data(), t.reversed.data(), t.cosine.data(), t.sine.data(), M, amps.data());
    else
      Amplitudes<kWide, false>(z.data(), t.reversed.data(), t.cosine.data(), t.sine.data(), M, amps.data());
    WriteRows(amps.data(), M, out + size_t(row) * size_t(shape.columns), size_t(shape.columns));
  }
}

void GroupsBaseline(const float* x, const TimeFrequencyShape& shape, const Tables& t, bool power, int groups,
                    float* out) {
  Groups<false>(x, shape, t, power, groups, out);
}

#ifdef TARVELIN_TF_WIDE
[[gnu::target("arch=x86-64-v3")]] void GroupsWide(const float* x, const TimeFrequencyShape& shape,
                                                  const Tables& t, bool power, int groups, float* out) {
  Groups<true>(x, shape, t, power, groups, out);
}

bool HasWide() {
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("x86-64-v3"));
  return has;
}
#endif

}  // namespace

int LanedAmplitudeRows(const float* x, const TimeFrequencyShape& shape, bool power, float* out) {
  const int P = shape.transform, M = P / 2, groups = shape.rows / 8;
  if (groups < 1 || P < (1 << kFromLog) || P > (1 << kToLog) || shape.columns != M) return 0;
  thread_local Tables tables;
  tables.Make(shape.window, P);
#ifdef TARVELIN_TF_WIDE
  if (HasWide()) {
    GroupsWide(x, shape, tables, power, groups, out);
    return groups * 8;
  }
#endif
  GroupsBaseline(x, shape, tables, power, groups, out);
  return groups * 8;
}

}  // namespace dsp
