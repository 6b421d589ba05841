#include "dsp/Fft.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <numbers>

#include "dsp/ChirpTransform.h"
#include "dsp/FftCore.h"
#include "dsp/FftVector.h"

namespace dsp {
namespace {

constexpr double kPi = std::numbers::pi;

// Blocks up to this many points (log2) are transformed stage by stage; larger
// ones recurse on their quarters, so every stage below runs in cache.
constexpr int kInCacheLog = 11;

// The hot loops are built twice, for AVX2 with FMA and for the baseline, and
// the loader picks one for the processor at hand. The clone names an ISA
// level, not a processor: "arch=haswell" would be chosen on Intel's Haswell
// line only and leave every other AVX2 processor on the baseline.
// A build may define TARVELIN_FFT_CLONES empty to run the baseline alone.
#if !defined(TARVELIN_FFT_CLONES)
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TARVELIN_FFT_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define TARVELIN_FFT_CLONES
#endif
#endif

// Levels up to this many points (log2) keep their twiddles in tables, and
// lengths up to it their split-step cosines: together at most 16 MiB, shared
// by every length. Longer levels run from memory at every pass anyway, so
// their twiddles are made on the way, in chunks, instead of doubling the
// memory a long record needs.
constexpr int kTableLog = 20;

// The twiddles of one length 2^m. Level L holds w^j, w^2j, w^3j,
// w = e^(-2 pi i / 2^L), for j < 2^L / 4 as six arrays (re1, im1, re2, im2,
// re3, im3), null above kTableLog; splitCos and splitSin hold cos and sin of
// pi k / 2^m for the real split step, k < 2^m / 2, null above kTableLog. The
// twiddles are computed in double and rounded once, which keeps the error of
// a 2^22 transform at a few float ulps of the largest value.
struct Plan {
  const float* level[32] = {};
  const float* splitCos = nullptr;
  const float* splitSin = nullptr;
  std::unique_ptr<float[]> split;
};

size_t LevelSize(int L) { return L >= 2 ? 6 * (size_t(1) << (L - 2)) : 0; }

void FillLevel(float* t, int L, size_t j0, size_t count, size_t stride) {
  double n = double(size_t(1) << L);
  for (size_t i = 0; i < count; ++i) {
    double j = double(j0 + i);
    for (int p = 1; p <= 3; ++p) {
      double a = 2 * kPi * p * j / n;
      t[(2 * p - 2) * stride + i] = float(std::cos(a));
      t[(2 * p - 1) * stride + i] = float(-std::sin(a));
    }
  }
}

// The table of level L (2 <= L <= kTableLog), built on first use; null when
// its memory cannot be had. The program has one thread, so no lock.
const float* LevelTable(int L) {
  static std::unique_ptr<float[]> tables[kTableLog + 1];
  static bool failed[kTableLog + 1] = {};
  if (L < 2 || L > kTableLog || failed[L]) return nullptr;
  if (!tables[L]) {
    tables[L].reset(new (std::nothrow) float[LevelSize(L)]);
    if (!tables[L]) {
      failed[L] = true;
      return nullptr;
    }
    size_t q = size_t(1) << (L - 2);
    FillLevel(tables[L].get(), L, 0, q, q);
  }
  return tables[L].get();
}

// The plan of length 2^m, null only when its record cannot be had; parts
// it cannot have stay null and are made on the way.
const Plan* GetPlan(int m) {
  static std::unique_ptr<Plan> plans[31];
  if (m < 0 || m > 30) return nullptr;
  if (plans[m]) return plans[m].get();
  auto plan = std::unique_ptr<Plan>(new (std::nothrow) Plan);
  if (!plan) return nullptr;
  for (int L = 2; L <= m; ++L) plan->level[L] = LevelTable(L);
  size_t half = m >= 1 ? (size_t(1) << (m - 1)) : 0;
  if (m <= kTableLog && half > 0) {
    plan->split.reset(new (std::nothrow) float[2 * half]);
    if (float* c = plan->split.get()) {
      float* s = c + half;
      double M = double(size_t(1) << m);
      for (size_t k = 0; k < half; ++k) {
        c[k] = float(std::cos(kPi * double(k) / M));
        s[k] = float(std::sin(kPi * double(k) / M));
      }
      plan->splitCos = c;
      plan->splitSin = s;
    }
  }
  plans[m] = std::move(plan);
  return plans[m].get();
}

// Twiddles made on the way, kChunk at a time: each chunk from the one sine
// and cosine of its first angle times the steps e^(-i a i), i < kChunk,
// multiplied in double so that they round as the tables do.
constexpr size_t kChunk = 256;

// The steps of `turn` (the angle of one index, in turns of 2 pi) as
// (cos, -sin) pairs.
void FillSteps(double* steps, double turn) {
  for (size_t i = 0; i < kChunk; ++i) {
    steps[2 * i] = std::cos(2 * kPi * turn * double(i));
    steps[2 * i + 1] = -std::sin(2 * kPi * turn * double(i));
  }
}

// c[i] + i s[i] = e^(-i 2 pi turn (k0 + i)) for i < count, from the steps.
void FillChunk(float* c, float* s, double turn, size_t k0, size_t count, const double* steps) {
  double a = 2 * kPi * turn * double(k0);
  double bc = std::cos(a), bs = -std::sin(a);
  for (size_t i = 0; i < count; ++i) {
    double sc = steps[2 * i], ss = steps[2 * i + 1];
    c[i] = float(bc * sc - bs * ss);
    s[i] = float(bc * ss + bs * sc);
  }
}

// A float or eight of them from memory and back, so that one body serves
// the vector loop and its scalar remainder.
template <class T>
[[gnu::always_inline]] inline T At(const float* p) {
  if constexpr (sizeof(T) == sizeof(float))
    return *p;
  else
    return fft_vector::Load(p);
}

template <class T>
[[gnu::always_inline]] inline void Put(float* p, const T& v) {
  if constexpr (sizeof(T) == sizeof(float))
    *p = v;
  else
    fft_vector::Store(p, v);
}

// Two radix-2 decimation-in-time stages in one step over a block of 4q points
// whose quarters hold the transforms of the samples 0, 2, 1, 3 (mod 4), at
// offset j of each quarter. Written with explicit vectors: the compiler's own
// vectoriser leaves these loops scalar at -O2, the program's build.
template <class T>
[[gnu::always_inline]] inline void Dit4Step(float* r0, float* i0, float* r1, float* i1, float* r2, float* i2,
                                            float* r3, float* i3, const float* const* w, size_t j) {
  T x1r = At<T>(r1 + j), x1i = At<T>(i1 + j), x2r = At<T>(r2 + j), x2i = At<T>(i2 + j);
  T x3r = At<T>(r3 + j), x3i = At<T>(i3 + j), x0r = At<T>(r0 + j), x0i = At<T>(i0 + j);
  T w1r = At<T>(w[0] + j), w1i = At<T>(w[1] + j), w2r = At<T>(w[2] + j), w2i = At<T>(w[3] + j);
  T w3r = At<T>(w[4] + j), w3i = At<T>(w[5] + j);
  T b1r = x1r * w2r - x1i * w2i, b1i = x1r * w2i + x1i * w2r;
  T b2r = x2r * w1r - x2i * w1i, b2i = x2r * w1i + x2i * w1r;
  T b3r = x3r * w3r - x3i * w3i, b3i = x3r * w3i + x3i * w3r;
  T pr = x0r + b1r, pi = x0i + b1i;
  T mr = x0r - b1r, mi = x0i - b1i;
  T sr = b2r + b3r, si = b2i + b3i;
  T dr = b2r - b3r, di = b2i - b3i;
  Put(r0 + j, pr + sr);
  Put(i0 + j, pi + si);
  Put(r2 + j, pr - sr);
  Put(i2 + j, pi - si);
  Put(r1 + j, mr + di);  // x0 - b1 - i (b2 - b3)
  Put(i1 + j, mi - dr);
  Put(r3 + j, mr - di);
  Put(i3 + j, mi + dr);
}

// The mirror step of decimation in frequency: natural order in, each quarter
// left for the transform of its own sub-sequence (bit-reversed overall).
template <class T>
[[gnu::always_inline]] inline void Dif4Step(float* r0, float* i0, float* r1, float* i1, float* r2, float* i2,
                                            float* r3, float* i3, const float* const* w, size_t j) {
  T x0r = At<T>(r0 + j), x0i = At<T>(i0 + j), x1r = At<T>(r1 + j), x1i = At<T>(i1 + j);
  T x2r = At<T>(r2 + j), x2i = At<T>(i2 + j), x3r = At<T>(r3 + j), x3i = At<T>(i3 + j);
  T w1r = At<T>(w[0] + j), w1i = At<T>(w[1] + j), w2r = At<T>(w[2] + j), w2i = At<T>(w[3] + j);
  T w3r = At<T>(w[4] + j), w3i = At<T>(w[5] + j);
  T t0r = x0r + x2r, t0i = x0i + x2i;
  T t1r = x0r - x2r, t1i = x0i - x2i;
  T t2r = x1r + x3r, t2i = x1i + x3i;
  T er = x1r - x3r, ei = x1i - x3i;  // t3 = -i e = (ei, -er)
  Put(r0 + j, t0r + t2r);
  Put(i0 + j, t0i + t2i);
  T ur = t0r - t2r, ui = t0i - t2i;
  Put(r1 + j, ur * w2r - ui * w2i);
  Put(i1 + j, ur * w2i + ui * w2r);
  T vr = t1r + ei, vi = t1i - er;
  Put(r2 + j, vr * w1r - vi * w1i);
  Put(i2 + j, vr * w1i + vi * w1r);
  T xr = t1r - ei, xi = t1i + er;
  Put(r3 + j, xr * w3r - xi * w3i);
  Put(i3 + j, xr * w3i + xi * w3r);
}

// One radix-4 step over `count` offsets of the quarters at r/i + k q, with
// the six twiddle rows w[0..6) (w, w^2, w^3 as re, im) from offset 0.
template <bool kDit>
[[gnu::always_inline]] inline void Radix4Run(float* r, float* i, size_t q, const float* const* w,
                                             size_t count) {
  float *r1 = r + q, *r2 = r + 2 * q, *r3 = r + 3 * q, *i1 = i + q, *i2 = i + 2 * q, *i3 = i + 3 * q;
  size_t j = 0;
  for (; j + 8 <= count; j += 8) {
    if constexpr (kDit)
      Dit4Step<fft_vector::V8>(r, i, r1, i1, r2, i2, r3, i3, w, j);
    else
      Dif4Step<fft_vector::V8>(r, i, r1, i1, r2, i2, r3, i3, w, j);
  }
  for (; j < count; ++j) {
    if constexpr (kDit)
      Dit4Step<float>(r, i, r1, i1, r2, i2, r3, i3, w, j);
    else
      Dif4Step<float>(r, i, r1, i1, r2, i2, r3, i3, w, j);
  }
}

template <bool kDit>
[[gnu::always_inline]] inline void Radix4Block(float* re, float* im, int L, const Plan* plan) {
  size_t q = size_t(1) << (L - 2);
  // No lambda here: one is a function of its own, built for the baseline
  // only, whenever the compiler does not inline it.
  if (plan && plan->level[L]) {
    const float* t = plan->level[L];
    const float* w[6] = {t, t + q, t + 2 * q, t + 3 * q, t + 4 * q, t + 5 * q};
    Radix4Run<kDit>(re, im, q, w, q);
    return;
  }
  // Levels without a table: the steps of this level, then chunk by chunk.
  static std::unique_ptr<double[]> steps[31];
  if (!steps[L]) {
    steps[L].reset(new double[6 * kChunk]);
    for (int p = 1; p <= 3; ++p)
      FillSteps(steps[L].get() + 2 * (p - 1) * kChunk, double(p) / double(size_t(1) << L));
  }
  float t[6 * kChunk];
  for (size_t j0 = 0; j0 < q; j0 += kChunk) {
    size_t n = std::min(kChunk, q - j0);
    for (int p = 1; p <= 3; ++p)
      FillChunk(t + (2 * p - 2) * kChunk, t + (2 * p - 1) * kChunk, double(p) / double(size_t(1) << L), j0, n,
                steps[L].get() + 2 * (p - 1) * kChunk);
    const float* w[6] = {t, t + kChunk, t + 2 * kChunk, t + 3 * kChunk, t + 4 * kChunk, t + 5 * kChunk};
    Radix4Run<kDit>(re + j0, im + j0, q, w, n);
  }
}

[[gnu::always_inline]] inline void Radix2All(float* re, float* im, size_t n) {
  for (size_t i = 0; i < n; i += 2) {
    float ar = re[i], ai = im[i], br = re[i + 1], bi = im[i + 1];
    re[i] = ar + br;
    im[i] = ai + bi;
    re[i + 1] = ar - br;
    im[i + 1] = ai - bi;
  }
}

// One block of four points without twiddles (the smallest radix-4 step of
// both directions; DIT and DIF agree there up to the order of the outputs),
// in place on x[0..4); T is a float or a V8 of eight blocks side by side.
template <bool kDit, class T>
[[gnu::always_inline]] inline void Four(T* xr, T* xi) {
  T a0r = xr[0], a1r = xr[1], a2r = xr[2], a3r = xr[3];
  T a0i = xi[0], a1i = xi[1], a2i = xi[2], a3i = xi[3];
  if (kDit) {  // quarters hold samples 0, 2, 1, 3
    std::swap(a1r, a2r);
    std::swap(a1i, a2i);
  }
  T t0r = a0r + a2r, t0i = a0i + a2i, t1r = a0r - a2r, t1i = a0i - a2i;
  T t2r = a1r + a3r, t2i = a1i + a3i, er = a1r - a3r, ei = a1i - a3i;
  // X0 = t0 + t2, X2 = t0 - t2, X1 = t1 - i e, X3 = t1 + i e
  T y0r = t0r + t2r, y0i = t0i + t2i, y2r = t0r - t2r, y2i = t0i - t2i;
  T y1r = t1r + ei, y1i = t1i - er, y3r = t1r - ei, y3i = t1i + er;
  xr[0] = y0r;
  xi[0] = y0i;
  xr[3] = y3r;
  xi[3] = y3i;
  xr[kDit ? 1 : 2] = y1r;  // natural order out, or bit-reversed
  xi[kDit ? 1 : 2] = y1i;
  xr[kDit ? 2 : 1] = y2r;
  xi[kDit ? 2 : 1] = y2i;
}

// One block of eight points as one 8-point transform, in place: the three
// smallest stages of an odd length in one pass. DIT reads the block in
// bit-reversed order and writes it in natural order; DIF the other way round.
template <bool kDit, class T>
[[gnu::always_inline]] inline void Eight(T* re, T* im) {
  constexpr float h = 0.70710678118654752f;  // cos(pi / 4)
  constexpr int kRev[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  T xr[8], xi[8];
#pragma GCC unroll 8
  for (int p = 0; p < 8; ++p) {
    int at = kDit ? kRev[p] : p;
    xr[at] = re[p];
    xi[at] = im[p];
  }
  // 4-point transforms of the even and the odd samples.
  T s0r = xr[0] + xr[4], s0i = xi[0] + xi[4], d0r = xr[0] - xr[4], d0i = xi[0] - xi[4];
  T s2r = xr[2] + xr[6], s2i = xi[2] + xi[6], d2r = xr[2] - xr[6], d2i = xi[2] - xi[6];
  T s1r = xr[1] + xr[5], s1i = xi[1] + xi[5], d1r = xr[1] - xr[5], d1i = xi[1] - xi[5];
  T s3r = xr[3] + xr[7], s3i = xi[3] + xi[7], d3r = xr[3] - xr[7], d3i = xi[3] - xi[7];
  T e0r = s0r + s2r, e0i = s0i + s2i, e2r = s0r - s2r, e2i = s0i - s2i;
  T e1r = d0r + d2i, e1i = d0i - d2r, e3r = d0r - d2i, e3i = d0i + d2r;  // d0 -/+ i d2
  T o0r = s1r + s3r, o0i = s1i + s3i, o2r = s1r - s3r, o2i = s1i - s3i;
  T o1r = d1r + d3i, o1i = d1i - d3r, o3r = d1r - d3i, o3i = d1i + d3r;
  // Twiddles e^(-i pi k / 4) on the odd half: 1, (1 - i) h, -i, -(1 + i) h.
  T t1r = (o1r + o1i) * h, t1i = (o1i - o1r) * h;
  T t2r = o2i, t2i = -o2r;
  T t3r = (o3i - o3r) * h, t3i = -(o3r + o3i) * h;
  T yr[8] = {e0r + o0r, e1r + t1r, e2r + t2r, e3r + t3r, e0r - o0r, e1r - t1r, e2r - t2r, e3r - t3r};
  T yi[8] = {e0i + o0i, e1i + t1i, e2i + t2i, e3i + t3i, e0i - o0i, e1i - t1i, e2i - t2i, e3i - t3i};
#pragma GCC unroll 8
  for (int p = 0; p < 8; ++p) {
    int from = kDit ? p : kRev[p];
    re[p] = yr[from];
    im[p] = yi[from];
  }
}

// Every block of 4 (kLog 2) or 8 (kLog 3) points of re/im[0..n). Sixty-four
// points at a time go through an 8 x 8 transpose, so that the blocks lie
// side by side in the lanes and the small transforms run as whole vectors.
template <bool kDit, int kLog>
[[gnu::always_inline]] inline void SmallestBlocks(float* re, float* im, size_t n) {
  using namespace fft_vector;
  size_t i = 0;
  for (; i + 64 <= n; i += 64) {
    V8 r[8], q[8];
#pragma GCC unroll 8
    for (int b = 0; b < 8; ++b) {
      r[b] = Load(re + i + 8 * b);
      q[b] = Load(im + i + 8 * b);
    }
    Transpose8(r);
    Transpose8(q);
    if constexpr (kLog == 3) {
      Eight<kDit>(r, q);
    } else {  // lanes 0..3 of a row are one block, 4..7 the next
      Four<kDit>(r, q);
      Four<kDit>(r + 4, q + 4);
    }
    Transpose8(r);
    Transpose8(q);
#pragma GCC unroll 8
    for (int b = 0; b < 8; ++b) {
      Store(re + i + 8 * b, r[b]);
      Store(im + i + 8 * b, q[b]);
    }
  }
  for (; i < n; i += size_t(1) << kLog) {
    if constexpr (kLog == 3)
      Eight<kDit>(re + i, im + i);
    else
      Four<kDit>(re + i, im + i);
  }
}

// Bit-reversed input, natural output.
TARVELIN_FFT_CLONES void Dit(float* re, float* im, int L, const Plan* plan) {
  size_t n = size_t(1) << L;
  if (L <= kInCacheLog) {
    int s;
    if (L == 0) return;
    if (L == 1) {
      Radix2All(re, im, n);
      s = 1;
    } else if (L & 1) {
      SmallestBlocks<true, 3>(re, im, n);
      s = 3;
    } else {
      SmallestBlocks<true, 2>(re, im, n);
      s = 2;
    }
    for (; s + 2 <= L; s += 2) {
      size_t block = size_t(4) << s;
      for (size_t b = 0; b < n; b += block) Radix4Block<true>(re + b, im + b, s + 2, plan);
    }
    return;
  }
  size_t q = n / 4;
  for (int k = 0; k < 4; ++k) Dit(re + k * q, im + k * q, L - 2, plan);
  Radix4Block<true>(re, im, L, plan);
}

// Natural input, bit-reversed output.
TARVELIN_FFT_CLONES void Dif(float* re, float* im, int L, const Plan* plan) {
  size_t n = size_t(1) << L;
  if (L <= kInCacheLog) {
    int Lb = L;
    for (; Lb >= 4; Lb -= 2) {
      size_t block = size_t(1) << Lb;
      for (size_t b = 0; b < n; b += block) Radix4Block<false>(re + b, im + b, Lb, plan);
    }
    if (Lb == 3) {
      SmallestBlocks<false, 3>(re, im, n);
    } else if (Lb == 2) {
      SmallestBlocks<false, 2>(re, im, n);
    } else if (Lb == 1) {
      Radix2All(re, im, n);
    }
    return;
  }
  size_t q = n / 4;
  Radix4Block<false>(re, im, L, plan);
  for (int k = 0; k < 4; ++k) Dif(re + k * q, im + k * q, L - 2, plan);
}

// The even/odd split of 2^(m+1) real samples into bit-reversed order:
// re[rev(i)] = x[2i], im[rev(i)] = x[2i+1]. Indices are taken as
// [a | b | c] with a and c of 4 bits, whose reversal is [rev c | rev b | rev a];
// each tile of fixed b is moved as four 8 x 8 transposes in registers, so
// that both sides move whole cache lines and no element goes alone.
constexpr int kTileLog = 4;
constexpr size_t kTile = size_t(1) << kTileLog;

// The reversal of every index below 2^m for the lengths the tiles do not
// serve, built once per length.
const uint32_t* SmallReversal(int m) {
  static uint32_t table[(size_t(2) << (2 * kTileLog)) - 1];  // 2^m entries at offset 2^m - 1
  static bool built[2 * kTileLog] = {};
  uint32_t* t = table + ((size_t(1) << m) - 1);
  if (!built[m]) {
    for (uint32_t i = 0; i < (uint32_t(1) << m); ++i) t[i] = bits_invert(i, m);
    built[m] = true;
  }
  return t;
}

TARVELIN_FFT_CLONES void SplitReversed(const float* x, float* re, float* im, int m) {
  using namespace fft_vector;
  if (m < 2 * kTileLog) {
    const uint32_t* rev = SmallReversal(m);
    for (size_t i = 0; i < (size_t(1) << m); ++i) {
      re[i] = x[2 * size_t(rev[i])];
      im[i] = x[2 * size_t(rev[i]) + 1];
    }
    return;
  }
  const int mid = m - 2 * kTileLog, hi = m - kTileLog;
  size_t revT[kTile];
  for (size_t a = 0; a < kTile; ++a) revT[a] = bits_invert(uint32_t(a), kTileLog);
  for (size_t b = 0; b < (size_t(1) << mid); ++b) {
    const size_t rb = size_t(bits_invert(uint32_t(b), mid)) << kTileLog;
    for (size_t ah = 0; ah < kTile; ah += 8) {
      for (size_t ch = 0; ch < kTile; ch += 8) {
        // Row l holds a = rev(ah + l), so that the columns come out with
        // their lanes in reversed-a order, as the destination wants them.
        V8 r[8], q[8];
#pragma GCC unroll 8
        for (size_t l = 0; l < 8; ++l) {
          const float* src = x + 2 * ((revT[ah + l] << hi) | (b << kTileLog) | ch);
          Deinterleave(Load(src), Load(src + 8), r[l], q[l]);
        }
        Transpose8(r);
        Transpose8(q);
#pragma GCC unroll 8
        for (size_t l = 0; l < 8; ++l) {
          const size_t at = (revT[ch + l] << hi) | rb | ah;
          Store(re + at, r[l]);
          Store(im + at, q[l]);
        }
      }
    }
  }
}

// The inverse permutation back into interleaved samples, with the imaginary
// parts negated: x[2i] = re[rev(i)], x[2i+1] = -im[rev(i)].
TARVELIN_FFT_CLONES void JoinReversed(const float* re, const float* im, float* x, int m) {
  using namespace fft_vector;
  if (m < 2 * kTileLog) {
    const uint32_t* rev = SmallReversal(m);
    for (size_t i = 0; i < (size_t(1) << m); ++i) {
      x[2 * i] = re[rev[i]];
      x[2 * i + 1] = -im[rev[i]];
    }
    return;
  }
  const int mid = m - 2 * kTileLog, hi = m - kTileLog;
  size_t revT[kTile];
  for (size_t a = 0; a < kTile; ++a) revT[a] = bits_invert(uint32_t(a), kTileLog);
  for (size_t b = 0; b < (size_t(1) << mid); ++b) {
    const size_t rb = size_t(bits_invert(uint32_t(b), mid)) << kTileLog;
    for (size_t ah = 0; ah < kTile; ah += 8) {
      for (size_t ch = 0; ch < kTile; ch += 8) {
        V8 r[8], q[8];
#pragma GCC unroll 8
        for (size_t l = 0; l < 8; ++l) {
          const size_t at = (revT[ch + l] << hi) | rb | ah;
          r[l] = Load(re + at);
          q[l] = -Load(im + at);
        }
        Transpose8(r);
        Transpose8(q);
#pragma GCC unroll 8
        for (size_t l = 0; l < 8; ++l) {
          float* dst = x + 2 * ((revT[ah + l] << hi) | (b << kTileLog) | ch);
          V8 lo, up;
          Interleave(r[l], q[l], lo, up);
          Store(dst, lo);
          Store(dst + 8, up);
        }
      }
    }
  }
}

// cos and sin of pi k / M for the split step, a chunk of k at a time: the
// plan's tables, or made on the way for the lengths without them.
class SplitTwiddles {
 public:
  SplitTwiddles(const Plan* plan, int M)
      : cos_(plan ? plan->splitCos : nullptr), sin_(plan ? plan->splitSin : nullptr), turn_(0.5 / M) {
    if (!cos_) FillSteps(steps_, turn_);
  }
  void Get(size_t k0, size_t n, const float*& c, const float*& s) {
    if (cos_) {
      c = cos_ + k0;
      s = sin_ + k0;
      return;
    }
    FillChunk(c_, s_, turn_, k0, n, steps_);
    for (size_t i = 0; i < n; ++i) s_[i] = -s_[i];
    c = c_;
    s = s_;
  }

 private:
  const float* cos_;
  const float* sin_;
  double turn_;
  double steps_[2 * kChunk];
  float c_[kChunk], s_[kChunk];
};

// The split step of the forward transform for the pairs (k, M - k),
// k0 <= k < k0 + count, with c, s the twiddles of k0 on; scaled by `half` =
// 0.5 / M. Eight k at a time: their partners are loaded as one vector from
// below and reversed.
[[gnu::always_inline]] inline void SplitRange(float* re, float* im, size_t M, size_t k0, size_t count,
                                              const float* c, const float* s, float half) {
  using namespace fft_vector;
  const V8 h = Splat(half);
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const size_t k = k0 + i, up = M - k - 7;
    V8 ar = Load(re + k), ci = Load(im + k), br = Reverse(Load(re + up)), di = Reverse(Load(im + up));
    V8 cs = Load(c + i), sn = Load(s + i);
    V8 h1 = (ar + br) * h, h2 = (ar - br) * h, h3 = (ci + di) * h, h4 = (ci - di) * h;
    V8 t = cs * h3 - sn * h2, u = sn * h3 + cs * h2;
    Store(re + k, h1 + t);
    Store(re + up, Reverse(h1 - t));
    Store(im + k, h4 - u);
    Store(im + up, Reverse(-h4 - u));
  }
  for (; i < count; ++i) {
    const size_t k = k0 + i;
    float ar = re[k], br = re[M - k], ci = im[k], di = im[M - k];
    float h1 = (ar + br) * half, h2 = (ar - br) * half, h3 = (ci + di) * half, h4 = (ci - di) * half;
    float t = c[i] * h3 - s[i] * h2, u = s[i] * h3 + c[i] * h2;
    re[k] = h1 + t;
    re[M - k] = h1 - t;
    im[k] = h4 - u;
    im[M - k] = -h4 - u;
  }
}

// The split step of the forward transform for every pair (k, M - k),
// 0 < k < M/2.
TARVELIN_FFT_CLONES void SplitPairs(float* re, float* im, int M, float half, const Plan* plan) {
  const size_t n = size_t(M / 2);
  SplitTwiddles twiddles(plan, M);
  for (size_t k0 = 0; k0 < n; k0 += kChunk) {
    const size_t count = std::min(kChunk, n - k0);
    const float* c;
    const float* s;
    twiddles.Get(k0, count, c, s);
    const size_t skip = k0 ? 0 : 1;  // the pair (0, M) is the caller's
    SplitRange(re, im, size_t(M), k0 + skip, count - skip, c + skip, s + skip, half);
  }
}

// The inverse's rebuild of the complex spectrum (conjugated) for the pairs
// (k, M - k), k0 <= k < k0 + count, from the real spectrum into re and im.
[[gnu::always_inline]] inline void JoinRange(const float* spectrum, float* re, float* im, size_t M, size_t k0,
                                             size_t count, const float* c, const float* s) {
  using namespace fft_vector;
  const V8 h = Splat(0.5f);
  const float* sr = spectrum;
  const float* si = spectrum + M;
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const size_t k = k0 + i, up = M - k - 7;
    V8 xr = Load(sr + k), xi = Load(si + k), yr = Reverse(Load(sr + up)), yi = Reverse(Load(si + up));
    V8 cs = Load(c + i), sn = Load(s + i);
    V8 er = (xr + yr) * h, ei = (xi - yi) * h, dr = (xr - yr) * h, di = (xi + yi) * h;
    V8 or_ = dr * cs - di * sn, oi = dr * sn + di * cs;  // D e^(i theta)
    Store(re + k, er - oi);
    Store(im + k, -(ei + or_));
    Store(re + up, Reverse(er + oi));
    Store(im + up, Reverse(ei - or_));
  }
  for (; i < count; ++i) {
    const size_t k = k0 + i;
    float xr = sr[k], xi = si[k], yr = sr[M - k], yi = si[M - k];
    float er = (xr + yr) * 0.5f, ei = (xi - yi) * 0.5f;
    float dr = (xr - yr) * 0.5f, di = (xi + yi) * 0.5f;
    float or_ = dr * c[i] - di * s[i], oi = dr * s[i] + di * c[i];
    re[k] = er - oi;
    im[k] = -(ei + or_);
    re[M - k] = er + oi;
    im[M - k] = ei - or_;
  }
}

// The inverse's rebuild for every pair (k, M - k), 0 < k < M/2.
TARVELIN_FFT_CLONES void JoinPairs(const float* spectrum, float* re, float* im, int M, const Plan* plan) {
  const size_t n = size_t(M / 2);
  SplitTwiddles twiddles(plan, M);
  for (size_t k0 = 0; k0 < n; k0 += kChunk) {
    const size_t count = std::min(kChunk, n - k0);
    const float* c;
    const float* s;
    twiddles.Get(k0, count, c, s);
    const size_t skip = k0 ? 0 : 1;
    JoinRange(spectrum, re, im, size_t(M), k0 + skip, count - skip, c + skip, s + skip);
  }
}

int Log2(long long n) {
  int m = 0;
  while ((1LL << m) < n) ++m;
  return m;
}

}  // namespace

uint32_t bits_invert(uint32_t value, int bits) {
  if (bits <= 0) return 0;
  uint32_t v = value;
  v = ((v >> 1) & 0x55555555u) | ((v & 0x55555555u) << 1);
  v = ((v >> 2) & 0x33333333u) | ((v & 0x33333333u) << 2);
  v = ((v >> 4) & 0x0F0F0F0Fu) | ((v & 0x0F0F0F0Fu) << 4);
  v = ((v >> 8) & 0x00FF00FFu) | ((v & 0x00FF00FFu) << 8);
  v = (v >> 16) | (v << 16);
  return bits >= 32 ? v : v >> (32 - bits);
}

bool IsPowerOfTwo(long long n) { return n >= 1 && n <= (1LL << 30) && (n & (n - 1)) == 0; }

bool cfft_nokopro(float* re, float* im, int n) {
  if (!IsPowerOfTwo(n)) return false;
  int m = Log2(n);
  for (uint32_t k = 0; k < uint32_t(n); ++k) {
    uint32_t r = bits_invert(k, m);
    if (k < r) {
      std::swap(re[k], re[r]);
      std::swap(im[k], im[r]);
    }
  }
  Dit(re, im, m, GetPlan(m));
  return true;
}

void RTRAN(float* x, int M) {
  for (int k = 1; k < M / 2; ++k) {
    double th = kPi * k / M;
    float c = float(std::cos(th)), s = float(std::sin(th));
    float a = x[k], b = x[M - k], cc = x[M + k], d = x[2 * M - k];
    float h1 = (a + b) / 2, h2 = (a - b) / 2, h3 = (cc + d) / 2, h4 = (cc - d) / 2;
    x[k] = h1 + c * h3 - s * h2;
    x[M - k] = h1 - c * h3 + s * h2;
    x[M + k] = h4 - s * h3 - c * h2;
    x[2 * M - k] = -h4 - s * h3 - c * h2;
  }
}

bool RealSpectrum(const float* x, float* out, int M) {
  if (!IsPowerOfTwo(M)) return false;
  int m = Log2(M);
  const Plan* plan = GetPlan(m);
  float* re = out;
  float* im = out + M;
  SplitReversed(x, re, im, m);
  Dit(re, im, m, plan);
  // Division by a power of two is exact, so multiplying by 1/M is the same.
  const float scale = 1.0f / float(M);
  float a = re[0], b = im[0];
  re[0] = (a + b) * scale;
  im[0] = (a - b) * scale;  // the real Nyquist term at index M
  if (M >= 2) {
    // The split loop leaves the quarter bin, whose imaginary part comes out
    // negated. With M = 1 this slot is the Nyquist term itself and stays.
    re[M / 2] *= scale;
    im[M / 2] = -im[M / 2] * scale;
  }
  SplitPairs(re, im, M, 0.5f * scale, plan);
  return true;
}

bool RealSpectrumInverse(const float* spectrum, float* work, float* x, int M) {
  if (!IsPowerOfTwo(M)) return false;
  int m = Log2(M);
  const Plan* plan = GetPlan(m);
  float* re = work;
  float* im = work + M;
  // Rebuild the M-point complex spectrum Z of z[n] = x[2n] + i x[2n+1] from
  // the real one, conjugated so that a forward transform inverts it.
  float s0 = spectrum[0], sM = spectrum[M];
  re[0] = (s0 + sM) * 0.5f;
  im[0] = -(s0 - sM) * 0.5f;
  if (M >= 2) {
    re[M / 2] = spectrum[M / 2];
    im[M / 2] = spectrum[M + M / 2];
  }
  JoinPairs(spectrum, re, im, M, plan);
  Dif(re, im, m, plan);
  JoinReversed(re, im, x, m);
  return true;
}

namespace {

// cos and sin of 2 pi r / n for r < n, or computed per call when the table
// cannot be had. Indices are reduced exactly in integers, so long sums keep
// their accuracy at any length.
class TrigTable {
 public:
  explicit TrigTable(size_t n) : n_(n), table_(new (std::nothrow) double[2 * n]) {
    if (!table_) return;
    for (size_t r = 0; r < n; ++r) {
      double a = 2 * kPi * double(r) / double(n);
      table_[2 * r] = std::cos(a);
      table_[2 * r + 1] = std::sin(a);
    }
  }
  double Cos(size_t r) const { return table_ ? table_[2 * r] : std::cos(2 * kPi * double(r) / double(n_)); }
  double Sin(size_t r) const {
    return table_ ? table_[2 * r + 1] : std::sin(2 * kPi * double(r) / double(n_));
  }

 private:
  size_t n_;
  std::unique_ptr<double[]> table_;
};

}  // namespace

void DirectSpectrum(const float* x, float* out, int M) {
  if (M < 1) return;
  size_t n = 2 * size_t(M);
  TrigTable trig(n);
  for (size_t k = 0; k < size_t(M); ++k) {
    double c = 0, s = 0;
    size_t r = 0;
    for (size_t j = 0; j < n; ++j) {
      c += double(x[j]) * trig.Cos(r);
      s += double(x[j]) * trig.Sin(r);
      r += k;
      if (r >= n) r -= n;
    }
    out[k] = float(c / M);
    out[M + k] = float(s / M);
  }
}

void DirectSpectrumInverse(const float* spectrum, float* x, int M) {
  if (M < 1) return;
  size_t n = 2 * size_t(M);
  TrigTable trig(n);
  // The mean term counts half; the slot at M (the sine of bin 0) is no term.
  for (size_t j = 0; j < n; ++j) {
    double v = 0.5 * double(spectrum[0]);
    size_t r = j;
    for (size_t k = 1; k < size_t(M); ++k) {
      v += trig.Cos(r) * spectrum[k] + trig.Sin(r) * spectrum[M + k];
      r += j;
      if (r >= n) r %= n;
    }
    x[j] = float(v);
  }
}

void ComplexTransform(const float* zr, const float* zi, float* re, float* im, int n) {
  if (n < 1) return;
  if (IsPowerOfTwo(n)) {
    std::copy(zr, zr + n, re);
    std::copy(zi, zi + n, im);
    (void)cfft_nokopro(re, im, n);
    return;
  }
  if (n >= kChirpFromM && ChirpTransform(zr, zi, re, im, n)) return;
  TrigTable trig{size_t(n)};
  for (size_t k = 0; k < size_t(n); ++k) {
    double sr = 0, si = 0;
    size_t r = 0;
    for (size_t j = 0; j < size_t(n); ++j) {
      double c = trig.Cos(r), s = trig.Sin(r);  // e^(-i a) = c - i s
      sr += zr[j] * c + zi[j] * s;
      si += zi[j] * c - zr[j] * s;
      r += k;
      if (r >= size_t(n)) r -= size_t(n);
    }
    re[k] = float(sr);
    im[k] = float(si);
  }
}

}  // namespace dsp

namespace dsp::fft_core {

void ForwardNaturalToReversed(float* re, float* im, int m) { Dif(re, im, m, GetPlan(m)); }

void ForwardReversedToNatural(float* re, float* im, int m) { Dit(re, im, m, GetPlan(m)); }

}  // namespace dsp::fft_core
