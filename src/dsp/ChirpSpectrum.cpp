#include <cmath>
#include <cstddef>
#include <memory>
#include <new>

#include "dsp/ChirpTransform.h"
#include "dsp/Fft.h"

namespace dsp {

bool ChirpSpectrum(const float* x, float* out, int M) {
  if (M < 1) return false;
  float* zr = out;
  float* zi = out + M;
  for (size_t i = 0; i < size_t(M); ++i) {
    zr[i] = x[2 * i];
    zi[i] = x[2 * i + 1];
  }
  if (!ChirpTransform(zr, zi, zr, zi, M)) return false;
  // Z is the transform of z = even + i odd samples; each pair (k, M - k)
  // gives X[k] = E + e^(-i pi k / M) O with E = (Z[k] + conj Z[M-k]) / 2 and
  // O = (Z[k] - conj Z[M-k]) / 2i, written in the direct layout: the sine
  // sums (+sin, the negated imaginary part) and no Nyquist term.
  UnitRoots roots(2LL * M);
  const double scale = 1.0 / M;
  auto bin = [&](double ar, double ai, double br, double bi, long long k, double& xr, double& xi) {
    double er = (ar + br) / 2, ei = (ai - bi) / 2;  // (A + conj B) / 2
    double dr = (ar - br) / 2, di = (ai + bi) / 2;  // (A - conj B) / 2
    double orr = di, oi = -dr;                      // divided by i
    double c, s;
    roots.Get(k, c, s);
    xr = er + c * orr - s * oi;
    xi = ei + c * oi + s * orr;
  };
  for (long long k = 0; 2 * k <= M; ++k) {
    const long long j = (M - k) % M;
    double ar = zr[k], ai = zi[k], br = zr[j], bi = zi[j];
    double xr, xi;
    bin(ar, ai, br, bi, k, xr, xi);
    if (j != k) {
      double yr, yi;
      bin(br, bi, ar, ai, j, yr, yi);
      out[j] = float(yr * scale);
      out[M + j] = float(-yi * scale);
    }
    out[k] = float(xr * scale);
    out[M + k] = k == 0 ? 0.0f : float(-xi * scale);
  }
  return true;
}

bool ChirpSpectrumInverse(const float* spectrum, float* x, int M) {
  if (M < 1) return false;
  std::unique_ptr<float[]> work(new (std::nothrow) float[2 * size_t(M)]);
  if (!work) return false;
  float* zr = work.get();
  float* zi = work.get() + M;
  // The two-sided spectrum Y of the samples (x[j] = sum Y[k] e^(i pi jk / M))
  // has Y[0] = t0 / 2, Y[k] = (t[k] - i t[M+k]) / 2, Y[M] = 0 and
  // Y[2M-k] = conj Y[k]. Folded onto M points, z = x[2i] + i x[2i+1] is the
  // inverse transform of Y[k] + Y[k+M] + i (Y[k] - Y[k+M]) e^(i pi k / M),
  // taken here conjugated so that the forward transform serves.
  UnitRoots roots(2LL * M);
  auto y = [&](long long k, double& r, double& i) {  // Y[k] for 0 <= k < 2M
    if (k == 0) {
      r = spectrum[0] / 2.0;
      i = 0;
    } else if (k == M) {
      r = i = 0;
    } else if (k < M) {
      r = spectrum[k] / 2.0;
      i = -spectrum[M + k] / 2.0;
    } else {
      r = spectrum[2 * M - k] / 2.0;
      i = spectrum[3 * M - k] / 2.0;
    }
  };
  for (long long k = 0; k < M; ++k) {
    double ar, ai, br, bi, c, s;
    y(k, ar, ai);
    y(k + M, br, bi);
    roots.Get(k, c, s);  // e^(-i pi k / M); the inverse turns the other way
    s = -s;
    double dr = ar - br, di = ai - bi;
    double orr = dr * c - di * s, oi = dr * s + di * c;
    zr[k] = float(ar + br - oi);
    zi[k] = -float(ai + bi + orr);
  }
  if (!ChirpTransform(zr, zi, zr, zi, M)) return false;
  for (size_t i = 0; i < size_t(M); ++i) {
    x[2 * i] = zr[i];
    x[2 * i + 1] = -zi[i];
  }
  return true;
}

void AnyLengthSpectrum(const float* x, float* out, int M) {
  if (M >= kChirpFromM && ChirpSpectrum(x, out, M)) return;
  DirectSpectrum(x, out, M);
}

void AnyLengthSpectrumInverse(const float* spectrum, float* x, int M) {
  if (M >= kChirpFromM && ChirpSpectrumInverse(spectrum, x, M)) return;
  DirectSpectrumInverse(spectrum, x, M);
}

}  // namespace dsp
