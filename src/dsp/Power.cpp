#include "dsp/Power.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace dsp {

void Power(float* data, int32_t n, int mode) {
  if (!data || n < 2 || (mode != 3 && mode != 4)) return;
  int32_t m = n / 2;
  for (int32_t k = 0; k < m; ++k) {
    double re = data[k], im = data[m + k];
    double pw = re * re + im * im;
    data[k] = float(mode == 3 ? pw : std::sqrt(pw));
    data[m + k] = 0;
  }
}

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The weighting window of the transform, w(j) for j of n.
double Weight(int64_t j, int64_t n) {
  double a = kTwoPi * double(j) / double(n);
  return 1 - 1.24 * std::cos(a) + 0.244 * std::cos(2 * a) - 0.00305 * std::cos(3 * a);
}

bool IsPowerOfTwo(int64_t n) { return n > 0 && (n & (n - 1)) == 0; }

// In-place radix-2 transform Σ z[j]·e^{−2πi·jk/n}.
void Fft(std::vector<std::complex<double>>& z) {
  size_t n = z.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(z[i], z[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    double a = -kTwoPi / double(len);
    for (size_t k = 0; k < len / 2; ++k) {
      std::complex<double> w(std::cos(a * double(k)), std::sin(a * double(k)));
      for (size_t i = 0; i < n; i += len) {
        std::complex<double> t = w * z[i + k + len / 2];
        z[i + k + len / 2] = z[i + k] - t;
        z[i + k] += t;
      }
    }
  }
}

// The spectrum the harmonic analysis reads: the channel weighted over its N
// samples, transformed over the first 2M (M = N/2) with the transform's
// scaling (a sine of amplitude A gives A), then magnitudes (mode 4) or powers
// (mode 3) in bins 0 … M − 1 and 0 above, N values in all. Computed in a
// buffer of its own so the user's channel keeps its samples. Bins above
// `lastBin` are not needed and may be left 0.
std::vector<double> WeightedSpectrum(const float* x, int32_t n, int mode, int64_t lastBin) {
  int64_t m = n / 2, n2 = 2 * m;
  std::vector<double> out(size_t(n), 0.0);
  if (m < 1) return out;
  std::vector<double> xw(static_cast<size_t>(n2));
  for (int64_t j = 0; j < n2; ++j) xw[size_t(j)] = double(x[j]) * Weight(j, n);
  int64_t bins = std::min<int64_t>(m, lastBin + 1);
  auto put = [&](int64_t k, std::complex<double> v) {
    double pw = std::norm(v) / double(m) / double(m);
    out[size_t(k)] = mode == 3 ? pw : std::sqrt(pw);
  };
  if (IsPowerOfTwo(n2)) {
    std::vector<std::complex<double>> z(xw.begin(), xw.end());
    Fft(z);
    for (int64_t k = 0; k < bins; ++k) put(k, z[size_t(k)]);
  } else {
    // Direct sums over a twiddle table, only for the bins asked for.
    std::vector<std::complex<double>> tw(static_cast<size_t>(n2));
    for (int64_t j = 0; j < n2; ++j) tw[size_t(j)] = std::polar(1.0, -kTwoPi * double(j) / double(n2));
    for (int64_t k = 0; k < bins; ++k) {
      std::complex<double> s = 0;
      int64_t idx = 0;
      for (int64_t j = 0; j < n2; ++j) {
        s += xw[size_t(j)] * tw[size_t(idx)];
        idx += k;
        if (idx >= n2) idx -= n2;
      }
      put(k, s);
    }
  }
  return out;
}

// trunc(v) limited to a range an int64 holds; NaN gives `fallback`.
int64_t TruncBin(double v, int64_t fallback) {
  if (std::isnan(v)) return fallback;
  if (v > 4e18) return int64_t(4e18);
  if (v < -4e18) return int64_t(-4e18);
  return int64_t(v);
}

bool UsableStep(float step) { return std::isfinite(step) && step > 0; }

}  // namespace

int HarmonicMagnitudes(const float* x, int32_t length, float step, float fundamental, int count, float* out) {
  if (!out || count <= 0) return 0;
  std::fill(out, out + count, 0.0f);
  if (!x || length < 1 || !UsableStep(step) || !std::isfinite(fundamental)) return 0;
  int64_t n = length;
  double nt = double(n) * double(step);
  int64_t lo = TruncBin((double(fundamental) - 5) * nt, 0);
  int64_t hi = TruncBin((double(fundamental) + 5) * nt, 0);
  lo = std::max<int64_t>(lo, 6);
  if (hi <= lo || hi > n - 2) return 0;
  int64_t w = TruncBin(double(lo) * 0.25, 0);
  // Each harmonic is searched around its own bin, (h + 1) × f × N × Δt. Taking
  // (h + 1) × lo, lo being the bin of f − 5 Hz, put the centre 5 (h + 1) Hz
  // low, so from the third harmonic of 50 Hz on the search missed the line.
  auto centreOf = [&](int h) { return TruncBin(std::round(double(h + 1) * double(fundamental) * nt), 0); };
  int64_t lastBin = std::min<int64_t>(n - 1, centreOf(count - 1) + w);
  std::vector<double> mag = WeightedSpectrum(x, length, 4, lastBin);
  for (int h = 0; h < count; ++h) {
    int64_t centre = centreOf(h);
    int64_t first = centre - w, last = centre + w - 1;
    if (last > n - 1 || first < 0) return h;
    double best = mag[size_t(first)];
    for (int64_t k = first + 1; k <= last; ++k) best = std::max(best, mag[size_t(k)]);
    out[h] = float(best);
  }
  return count;
}

int DistortionFactor(const float* x, int32_t length, float step, int harmonics, float& factor) {
  factor = 0;
  if (!x || length < 1 || !UsableStep(step)) return 0;
  int64_t n = length;
  double nt = double(n) * double(step);
  int64_t b10 = std::max<int64_t>(TruncBin(10 * nt, 0), 6);
  int64_t b90 = std::min<int64_t>(TruncBin(90 * nt, 0), n - 1);
  int64_t bK = std::min<int64_t>(TruncBin(double(harmonics) * 50 * nt, 0), n - 1);
  if (bK <= b90) return 0;
  std::vector<double> pw = WeightedSpectrum(x, length, 3, bK);
  double f = 0, hs = 0;
  for (int64_t k = b10; k < b90; ++k) f += pw[size_t(k)];
  for (int64_t k = std::max<int64_t>(b90, 0); k < bK; ++k) hs += pw[size_t(k)];
  if (!(f > 0) || !(hs > 0)) return 0;
  factor = float(std::sqrt(hs) / std::sqrt(f));
  return 1;
}

float PowerResults::R(int n) const {
  const float values[18] = {phi, cosPhi, sinPhi, timeShift, frequency, periods, U,     I,      P,
                            S,   Q,      meanUI, rangeU,    rangeI,    meanU,   meanI, UoverI, IoverU};
  return n >= 1 && n <= 18 ? values[n - 1] : 0.0f;
}

namespace {

// Rising zero crossings of x over from … to, as interpolated sample
// positions, at least `gap` samples apart and not within `lead` of `from`.
std::vector<double> RisingCrossings(const float* x, int64_t from, int64_t to, int64_t gap, double lead) {
  std::vector<double> t;
  int64_t last = -1;
  for (int64_t k = from + 1; k <= to; ++k) {
    if (!(x[k - 1] < 0 && x[k] >= 0)) continue;
    if (double(k - from) < lead) continue;
    if (last >= 0 && k - last < gap) continue;
    double a = x[k - 1], b = x[k];
    t.push_back(double(k - 1) - a / (b - a));
    last = k;
  }
  return t;
}

}  // namespace

int PowerAnalysis(const float* u, const float* i, int64_t n, float step, int64_t from, int64_t to,
                  float frequency, PowerResults& out) {
  out = PowerResults{};
  if (!u || !i || n < 1 || !UsableStep(step) || !(frequency > 0) || !std::isfinite(frequency)) return 0;
  int64_t a = from, b = to;
  if (a > b) std::swap(a, b);
  a = std::max<int64_t>(a, 0);
  b = std::min<int64_t>(b, n - 1);
  if (b <= a) return 0;
  double period = (1.0 / double(frequency)) / double(step);
  if (!(period >= 4) || period > double(b - a + 1)) return 0;
  int64_t pSamples = int64_t(period);
  int64_t gap = int64_t(0.8 * double(pSamples));
  double lead = 0.4 * double(pSamples);
  std::vector<double> tu = RisingCrossings(u, a, b, gap, lead);
  std::vector<double> ti = RisingCrossings(i, a, b, gap, lead);
  if (tu.size() < 2 || ti.empty()) return 0;

  // Each crossing of u takes the nearest crossing of i within half a period.
  double shiftSum = 0;
  int pairs = 0;
  size_t j = 0;
  for (double t : tu) {
    while (j + 1 < ti.size() && std::abs(ti[j + 1] - t) <= std::abs(ti[j] - t)) ++j;
    double d = ti[j] - t;
    if (std::abs(d) <= 0.5 * double(pSamples)) {
      shiftSum += d;
      ++pairs;
    }
  }
  if (pairs == 0) return 0;
  double meanPeriod = (tu.back() - tu.front()) / double(tu.size() - 1);
  if (!(meanPeriod > 0)) return 0;
  double shift = shiftSum / pairs;
  double phi = shift / meanPeriod * 360.0;

  // The whole periods of u: the samples from the first crossing up to the last.
  int64_t k0 = int64_t(std::ceil(tu.front())), k1 = int64_t(std::ceil(tu.back()));
  double su2 = 0, si2 = 0, sui = 0, su = 0, si = 0;
  float uMax = u[k0], uMin = u[k0], iMax = i[k0], iMin = i[k0];
  for (int64_t k = k0; k < k1; ++k) {
    double uv = u[k], iv = i[k];
    su2 += uv * uv;
    si2 += iv * iv;
    sui += uv * iv;
    su += uv;
    si += iv;
    uMax = std::max(uMax, u[k]);
    uMin = std::min(uMin, u[k]);
    iMax = std::max(iMax, i[k]);
    iMin = std::min(iMin, i[k]);
  }
  double cnt = double(k1 - k0);
  double uRms = std::sqrt(su2 / cnt), iRms = std::sqrt(si2 / cnt);
  double c = std::cos(phi / 57.29578), s = std::sin(phi / 57.29578);
  out.phi = float(phi);
  out.cosPhi = float(c);
  out.sinPhi = float(s);
  out.timeShift = float(shift * double(step));
  out.frequency = float(1.0 / (meanPeriod * double(step)));
  out.periods = float(tu.size() - 1);
  out.U = float(uRms);
  out.I = float(iRms);
  out.P = float(uRms * iRms * c);
  out.S = float(uRms * iRms);
  out.Q = float(uRms * iRms * s);
  out.meanUI = float(sui / cnt);
  out.rangeU = uMax - uMin;
  out.rangeI = iMax - iMin;
  out.meanU = float(su / cnt);
  out.meanI = float(si / cnt);
  out.UoverI = iRms > 0 ? float(uRms / iRms) : 0.0f;
  out.IoverU = uRms > 0 ? float(iRms / uRms) : 0.0f;
  return 1;
}

}  // namespace dsp
