// Eight floats as one value for the transform's hot loops, written once for
// both instruction-set levels: the AVX2 build keeps a V8 in one register,
// the baseline build in two. Loops the compiler leaves scalar (reversed
// partners, strided small blocks, transposes) are written with these.
#pragma once

#include <cstring>

// Every helper here is inlined, so the warning that returning a V8 differs
// between the two levels names a call that never exists. The includer's own
// loops use them too, hence no pop.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace dsp::fft_vector {

typedef float V8 __attribute__((vector_size(32)));
typedef int I8 __attribute__((vector_size(32)));

[[gnu::always_inline]] inline V8 Load(const float* p) {
  V8 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

[[gnu::always_inline]] inline void Store(float* p, const V8& v) { std::memcpy(p, &v, sizeof v); }

[[gnu::always_inline]] inline V8 Splat(float x) { return V8{x, x, x, x, x, x, x, x}; }

#if defined(__clang__)
#define TARVELIN_SHUFFLE2(a, b, ...) __builtin_shufflevector(a, b, __VA_ARGS__)
#else
#define TARVELIN_SHUFFLE2(a, b, ...) __builtin_shuffle(a, b, I8{__VA_ARGS__})
#endif

// The eight values in the opposite order.
[[gnu::always_inline]] inline V8 Reverse(const V8& v) {
  return TARVELIN_SHUFFLE2(v, v, 7, 6, 5, 4, 3, 2, 1, 0);
}

// Sixteen interleaved values (pairs) split into the first and second of each
// pair, and back.
[[gnu::always_inline]] inline void Deinterleave(const V8& a, const V8& b, V8& even, V8& odd) {
  even = TARVELIN_SHUFFLE2(a, b, 0, 2, 4, 6, 8, 10, 12, 14);
  odd = TARVELIN_SHUFFLE2(a, b, 1, 3, 5, 7, 9, 11, 13, 15);
}

[[gnu::always_inline]] inline void Interleave(const V8& even, const V8& odd, V8& a, V8& b) {
  a = TARVELIN_SHUFFLE2(even, odd, 0, 8, 1, 9, 2, 10, 3, 11);
  b = TARVELIN_SHUFFLE2(even, odd, 4, 12, 5, 13, 6, 14, 7, 15);
}

// Rows r[0..8) become columns, in place: r[i][j] <-> r[j][i].
[[gnu::always_inline]] inline void Transpose8(V8* r) {
  V8 t[8], u[8];
#pragma GCC unroll 8
  for (int i = 0; i < 8; i += 2) {
    t[i] = TARVELIN_SHUFFLE2(r[i], r[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
    t[i + 1] = TARVELIN_SHUFFLE2(r[i], r[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
  }
#pragma GCC unroll 8
  for (int i = 0; i < 8; i += 4) {
#pragma GCC unroll 8
    for (int k = 0; k < 2; ++k) {
      u[i + k] = TARVELIN_SHUFFLE2(t[i + k], t[i + k + 2], 0, 1, 8, 9, 4, 5, 12, 13);
      u[i + k + 2] = TARVELIN_SHUFFLE2(t[i + k], t[i + k + 2], 2, 3, 10, 11, 6, 7, 14, 15);
    }
  }
  // u[0] holds rows 0..3 of columns 0 and 4, u[2] of columns 1 and 5,
  // u[1] of columns 2 and 6, u[3] of columns 3 and 7 (the same for 4..7).
  constexpr int kCol[4] = {0, 2, 1, 3};
#pragma GCC unroll 8
  for (int c = 0; c < 4; ++c) {
    r[c] = TARVELIN_SHUFFLE2(u[kCol[c]], u[4 + kCol[c]], 0, 1, 2, 3, 8, 9, 10, 11);
    r[c + 4] = TARVELIN_SHUFFLE2(u[kCol[c]], u[4 + kCol[c]], 4, 5, 6, 7, 12, 13, 14, 15);
  }
}

}  // namespace dsp::fft_vector
