#include "dsp/Fft.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <numbers>

namespace dsp {
namespace {

constexpr double kPi = std::numbers::pi;

// Blocks up to this many points (log2) are transformed stage by stage; larger
// ones recurse on their quarters, so every stage below runs in cache.
constexpr int kInCacheLog = 11;

// The hot loops are built twice, for AVX2 with FMA and for the baseline, and
// the loader picks one for the processor at hand.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define TARVELIN_FFT_CLONES __attribute__((target_clones("arch=haswell", "default")))
#else
#define TARVELIN_FFT_CLONES
#endif

// Twiddle tables of one complex length 2^m, kept for the life of the program
// (one per length used). Level L holds w^j, w^2j, w^3j, w = e^(-2 pi i / 2^L),
// for j < 2^L / 4 as six arrays (re1, im1, re2, im2, re3, im3); `split` holds
// cos and sin of pi k / 2^m for the real split step, k < 2^m / 2. The
// twiddles are computed in double and rounded once, which keeps the error of
// a 2^22 transform at a few float ulps of the largest value.
struct Plan {
  float* level[32] = {};
  const float* splitCos = nullptr;
  const float* splitSin = nullptr;
  struct Free {
    void operator()(float* p) const { std::free(p); }
  };
  std::unique_ptr<float, Free> memory;
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

// The plan of length 2^m, or null when its memory cannot be had (the passes
// then compute their twiddles in small chunks). Plans are built on first use;
// the program has one thread, so the cache needs no lock.
const Plan* GetPlan(int m) {
  static std::unique_ptr<Plan> plans[31];
  static bool failed[31] = {};
  if (m < 0 || m > 30) return nullptr;
  if (plans[m] || failed[m]) return plans[m].get();
  size_t total = 0;
  for (int L = m; L >= 2; L -= 2) total += LevelSize(L);
  for (int L = m - 1; L >= 2; L -= 2) total += LevelSize(L);  // the other parity serves cfft_nokopro's tail
  size_t half = m >= 1 ? (size_t(1) << (m - 1)) : 0;
  total += 2 * half;
  auto plan = std::unique_ptr<Plan>(new (std::nothrow) Plan);
  float* mem = static_cast<float*>(std::malloc((total ? total : 1) * sizeof(float)));
  if (!plan || !mem) {
    std::free(mem);
    failed[m] = true;
    return nullptr;
  }
  plan->memory.reset(mem);
  float* at = mem;
  for (int L = m; L >= 2; --L) {
    plan->level[L] = at;
    size_t q = size_t(1) << (L - 2);
    FillLevel(at, L, 0, q, q);
    at += LevelSize(L);
  }
  float* c = at;
  float* s = at + half;
  double M = double(size_t(1) << m);
  for (size_t k = 0; k < half; ++k) {
    c[k] = float(std::cos(kPi * double(k) / M));
    s[k] = float(std::sin(kPi * double(k) / M));
  }
  plan->splitCos = c;
  plan->splitSin = s;
  plans[m] = std::move(plan);
  return plans[m].get();
}

// Two radix-2 decimation-in-time stages in one pass over a block of 4q points
// whose quarters hold the transforms of the samples 0, 2, 1, 3 (mod 4).
[[gnu::always_inline]] inline void Dit4Kernel(
    float* __restrict r0, float* __restrict i0, float* __restrict r1, float* __restrict i1,
    float* __restrict r2, float* __restrict i2, float* __restrict r3, float* __restrict i3,
    const float* __restrict w1r, const float* __restrict w1i, const float* __restrict w2r,
    const float* __restrict w2i, const float* __restrict w3r, const float* __restrict w3i, size_t count) {
  for (size_t j = 0; j < count; ++j) {
    float b1r = r1[j] * w2r[j] - i1[j] * w2i[j], b1i = r1[j] * w2i[j] + i1[j] * w2r[j];
    float b2r = r2[j] * w1r[j] - i2[j] * w1i[j], b2i = r2[j] * w1i[j] + i2[j] * w1r[j];
    float b3r = r3[j] * w3r[j] - i3[j] * w3i[j], b3i = r3[j] * w3i[j] + i3[j] * w3r[j];
    float pr = r0[j] + b1r, pi = i0[j] + b1i;
    float mr = r0[j] - b1r, mi = i0[j] - b1i;
    float sr = b2r + b3r, si = b2i + b3i;
    float dr = b2r - b3r, di = b2i - b3i;
    r0[j] = pr + sr;
    i0[j] = pi + si;
    r2[j] = pr - sr;
    i2[j] = pi - si;
    r1[j] = mr + di;  // x0 - b1 - i (b2 - b3)
    i1[j] = mi - dr;
    r3[j] = mr - di;
    i3[j] = mi + dr;
  }
}

// The mirror step of decimation in frequency: natural order in, each quarter
// left for the transform of its own sub-sequence (bit-reversed overall).
[[gnu::always_inline]] inline void Dif4Kernel(
    float* __restrict r0, float* __restrict i0, float* __restrict r1, float* __restrict i1,
    float* __restrict r2, float* __restrict i2, float* __restrict r3, float* __restrict i3,
    const float* __restrict w1r, const float* __restrict w1i, const float* __restrict w2r,
    const float* __restrict w2i, const float* __restrict w3r, const float* __restrict w3i, size_t count) {
  for (size_t j = 0; j < count; ++j) {
    float t0r = r0[j] + r2[j], t0i = i0[j] + i2[j];
    float t1r = r0[j] - r2[j], t1i = i0[j] - i2[j];
    float t2r = r1[j] + r3[j], t2i = i1[j] + i3[j];
    float er = r1[j] - r3[j], ei = i1[j] - i3[j];  // t3 = -i e = (ei, -er)
    r0[j] = t0r + t2r;
    i0[j] = t0i + t2i;
    float ur = t0r - t2r, ui = t0i - t2i;
    r1[j] = ur * w2r[j] - ui * w2i[j];
    i1[j] = ur * w2i[j] + ui * w2r[j];
    float vr = t1r + ei, vi = t1i - er;
    r2[j] = vr * w1r[j] - vi * w1i[j];
    i2[j] = vr * w1i[j] + vi * w1r[j];
    float xr = t1r - ei, xi = t1i + er;
    r3[j] = xr * w3r[j] - xi * w3i[j];
    i3[j] = xr * w3i[j] + xi * w3r[j];
  }
}

template <bool kDit>
[[gnu::always_inline]] inline void Radix4Block(float* re, float* im, int L, const Plan* plan) {
  size_t q = size_t(1) << (L - 2);
  auto run = [&](size_t j0, size_t n, const float* t, size_t stride) {
    float* r = re + j0;
    float* i = im + j0;
    if constexpr (kDit)
      Dit4Kernel(r, i, r + q, i + q, r + 2 * q, i + 2 * q, r + 3 * q, i + 3 * q, t, t + stride,
                 t + 2 * stride, t + 3 * stride, t + 4 * stride, t + 5 * stride, n);
    else
      Dif4Kernel(r, i, r + q, i + q, r + 2 * q, i + 2 * q, r + 3 * q, i + 3 * q, t, t + stride,
                 t + 2 * stride, t + 3 * stride, t + 4 * stride, t + 5 * stride, n);
  };
  if (plan && plan->level[L]) {
    run(0, q, plan->level[L], q);
    return;
  }
  constexpr size_t kChunk = 64;
  float t[6 * kChunk];
  for (size_t j0 = 0; j0 < q; j0 += kChunk) {
    size_t n = std::min(kChunk, q - j0);
    FillLevel(t, L, j0, n, kChunk);
    run(j0, n, t, kChunk);
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

// Every block of four points without twiddles (the smallest radix-4 step of
// both directions; DIT and DIF agree there up to the order of the outputs).
template <bool kDit>
[[gnu::always_inline]] inline void Radix4Smallest(float* re, float* im, size_t n) {
  for (size_t i = 0; i < n; i += 4) {
    float a0r = re[i], a1r = re[i + 1], a2r = re[i + 2], a3r = re[i + 3];
    float a0i = im[i], a1i = im[i + 1], a2i = im[i + 2], a3i = im[i + 3];
    if (kDit) {  // quarters hold samples 0, 2, 1, 3
      std::swap(a1r, a2r);
      std::swap(a1i, a2i);
    }
    float t0r = a0r + a2r, t0i = a0i + a2i, t1r = a0r - a2r, t1i = a0i - a2i;
    float t2r = a1r + a3r, t2i = a1i + a3i, er = a1r - a3r, ei = a1i - a3i;
    // X0 = t0 + t2, X2 = t0 - t2, X1 = t1 - i e, X3 = t1 + i e
    float y0r = t0r + t2r, y0i = t0i + t2i, y2r = t0r - t2r, y2i = t0i - t2i;
    float y1r = t1r + ei, y1i = t1i - er, y3r = t1r - ei, y3i = t1i + er;
    re[i] = y0r;
    im[i] = y0i;
    re[i + 3] = y3r;
    im[i + 3] = y3i;
    if (kDit) {  // natural order out
      re[i + 1] = y1r;
      im[i + 1] = y1i;
      re[i + 2] = y2r;
      im[i + 2] = y2i;
    } else {  // bit-reversed order out
      re[i + 1] = y2r;
      im[i + 1] = y2i;
      re[i + 2] = y1r;
      im[i + 2] = y1i;
    }
  }
}

// Bit-reversed input, natural output.
TARVELIN_FFT_CLONES void Dit(float* re, float* im, int L, const Plan* plan) {
  size_t n = size_t(1) << L;
  if (L <= kInCacheLog) {
    int s;
    if (L == 0) return;
    if (L & 1) {
      Radix2All(re, im, n);
      s = 1;
    } else {
      Radix4Smallest<true>(re, im, n);
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
      for (size_t b = 0; b < n; b += 8) Radix4Block<false>(re + b, im + b, 3, plan);
      Radix2All(re, im, n);
    } else if (Lb == 2) {
      Radix4Smallest<false>(re, im, n);
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
// [a | b | c] with a and c of t bits, whose reversal is [rev c | rev b | rev a];
// each tile of fixed b goes through a small buffer so that both sides move
// whole rows, which keeps the permutation from missing the cache at every
// element.
constexpr int kTileLog = 5;
constexpr size_t kTile = size_t(1) << kTileLog;

TARVELIN_FFT_CLONES void SplitReversed(const float* x, float* re, float* im, int m) {
  if (m < 2 * kTileLog) {
    for (size_t i = 0; i < (size_t(1) << m); ++i) {
      size_t r = bits_invert(uint32_t(i), m);
      re[r] = x[2 * i];
      im[r] = x[2 * i + 1];
    }
    return;
  }
  const int mid = m - 2 * kTileLog, hi = m - kTileLog;
  size_t revT[kTile];
  for (size_t a = 0; a < kTile; ++a) revT[a] = bits_invert(uint32_t(a), kTileLog);
  alignas(64) float br[kTile * kTile], bi[kTile * kTile];
  for (size_t b = 0; b < (size_t(1) << mid); ++b) {
    size_t rb = size_t(bits_invert(uint32_t(b), mid)) << kTileLog;
    for (size_t a = 0; a < kTile; ++a) {
      const float* src = x + 2 * ((a << hi) | (b << kTileLog));
      for (size_t c = 0; c < kTile; ++c) {
        br[revT[c] * kTile + revT[a]] = src[2 * c];
        bi[revT[c] * kTile + revT[a]] = src[2 * c + 1];
      }
    }
    for (size_t rc = 0; rc < kTile; ++rc) {
      size_t at = (rc << hi) | rb;
      for (size_t k = 0; k < kTile; ++k) {
        re[at + k] = br[rc * kTile + k];
        im[at + k] = bi[rc * kTile + k];
      }
    }
  }
}

// The inverse permutation back into interleaved samples, with the imaginary
// parts negated: x[2i] = re[rev(i)], x[2i+1] = -im[rev(i)].
TARVELIN_FFT_CLONES void JoinReversed(const float* re, const float* im, float* x, int m) {
  if (m < 2 * kTileLog) {
    for (size_t i = 0; i < (size_t(1) << m); ++i) {
      size_t r = bits_invert(uint32_t(i), m);
      x[2 * i] = re[r];
      x[2 * i + 1] = -im[r];
    }
    return;
  }
  const int mid = m - 2 * kTileLog, hi = m - kTileLog;
  size_t revT[kTile];
  for (size_t a = 0; a < kTile; ++a) revT[a] = bits_invert(uint32_t(a), kTileLog);
  alignas(64) float br[kTile * kTile], bi[kTile * kTile];
  for (size_t b = 0; b < (size_t(1) << mid); ++b) {
    size_t rb = size_t(bits_invert(uint32_t(b), mid)) << kTileLog;
    for (size_t rc = 0; rc < kTile; ++rc) {
      size_t at = (rc << hi) | rb;
      for (size_t k = 0; k < kTile; ++k) {
        br[rc * kTile + k] = re[at + k];
        bi[rc * kTile + k] = -im[at + k];
      }
    }
    for (size_t a = 0; a < kTile; ++a) {
      float* dst = x + 2 * ((a << hi) | (b << kTileLog));
      for (size_t c = 0; c < kTile; ++c) {
        dst[2 * c] = br[revT[c] * kTile + revT[a]];
        dst[2 * c + 1] = bi[revT[c] * kTile + revT[a]];
      }
    }
  }
}

// cos and sin of pi k / M: from the plan, or computed when it is missing.
inline void SplitTwiddle(const Plan* plan, int k, int M, float& c, float& s) {
  if (plan) {
    c = plan->splitCos[k];
    s = plan->splitSin[k];
  } else {
    c = float(std::cos(kPi * k / M));
    s = float(std::sin(kPi * k / M));
  }
}

// The split step of the forward transform for every pair (k, M - k),
// 0 < k < M/2, scaled by `half` = 0.5 / M. The upper partners are addressed
// downwards from the ends so that both halves vectorise.
TARVELIN_FFT_CLONES void SplitPairs(float* re, float* im, int M, float half, const Plan* plan) {
  int n = M / 2;
  if (!plan) {
    for (int k = 1; k < n; ++k) {
      float c, s;
      SplitTwiddle(plan, k, M, c, s);
      float ar = re[k], br = re[M - k], ci = im[k], di = im[M - k];
      float h1 = (ar + br) * half, h2 = (ar - br) * half, h3 = (ci + di) * half, h4 = (ci - di) * half;
      re[k] = h1 + c * h3 - s * h2;
      re[M - k] = h1 - c * h3 + s * h2;
      im[k] = h4 - s * h3 - c * h2;
      im[M - k] = -h4 - s * h3 - c * h2;
    }
    return;
  }
  float* __restrict rl = re;
  float* __restrict rh = re + M;
  float* __restrict il = im;
  float* __restrict ih = im + M;
  const float* __restrict cs = plan->splitCos;
  const float* __restrict sn = plan->splitSin;
  for (int k = 1; k < n; ++k) {
    float ar = rl[k], br = rh[-k], ci = il[k], di = ih[-k];
    float h1 = (ar + br) * half, h2 = (ar - br) * half, h3 = (ci + di) * half, h4 = (ci - di) * half;
    float c = cs[k], s = sn[k];
    rl[k] = h1 + c * h3 - s * h2;
    rh[-k] = h1 - c * h3 + s * h2;
    il[k] = h4 - s * h3 - c * h2;
    ih[-k] = -h4 - s * h3 - c * h2;
  }
}

// The inverse's rebuild of the complex spectrum (conjugated) for every pair
// (k, M - k), 0 < k < M/2, from the real spectrum into re and im.
TARVELIN_FFT_CLONES void JoinPairs(const float* spectrum, float* re, float* im, int M, const Plan* plan) {
  int n = M / 2;
  const float* __restrict xrl = spectrum;
  const float* __restrict xrh = spectrum + M;
  const float* __restrict xil = spectrum + M;
  const float* __restrict xih = spectrum + 2 * M;
  float* __restrict rl = re;
  float* __restrict rh = re + M;
  float* __restrict il = im;
  float* __restrict ih = im + M;
  for (int k = 1; k < n; ++k) {
    float c, s;
    if (plan) {
      c = plan->splitCos[k];
      s = plan->splitSin[k];
    } else {
      SplitTwiddle(plan, k, M, c, s);
    }
    float xr = xrl[k], xi = xil[k], yr = xrh[-k], yi = xih[-k];
    float er = (xr + yr) * 0.5f, ei = (xi - yi) * 0.5f;
    float dr = (xr - yr) * 0.5f, di = (xi + yi) * 0.5f;
    float or_ = dr * c - di * s, oi = dr * s + di * c;  // D e^(i theta)
    rl[k] = er - oi;
    il[k] = -(ei + or_);
    rh[-k] = er + oi;
    ih[-k] = ei - or_;
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
