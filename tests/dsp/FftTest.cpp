// The array transforms against a DFT summed in double here, in the stored
// spectrum layout: X[k] = sum x[j] e^(-2 pi i jk / N), scaled by 1 / M.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "dsp/Fft.h"

namespace {

constexpr double kPi = std::numbers::pi;
using V = std::vector<float>;

// The layout of the fast transform: [0] X0/M, [k] Re/M, [M] X_M/M, [M+k] Im/M.
std::vector<double> ReferenceSpectrum(const V& x, int M) {
  const long long N = 2LL * M;
  std::vector<double> out(size_t(N), 0.0);
  for (long long k = 0; k <= M; ++k) {
    double re = 0, im = 0;
    for (long long j = 0; j < N; ++j) {
      double a = -2 * kPi * double((j * k) % N) / double(N);
      re += x[size_t(j)] * std::cos(a);
      im += x[size_t(j)] * std::sin(a);
    }
    out[size_t(k)] = re / M;
    if (k > 0 && k < M) out[size_t(M + k)] = im / M;
  }
  return out;
}

V Random(size_t n, unsigned seed) {
  std::mt19937 g(seed);
  std::uniform_real_distribution<float> u(-1, 1);
  V x(n);
  for (auto& v : x) v = u(g);
  return x;
}

void ExpectSpectrum(const V& got, const std::vector<double>& want, double tolerance) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) ASSERT_NEAR(got[i], want[i], tolerance) << "index " << i;
}

TEST(Fft, BitsInvertAndPowersOfTwo) {
  for (auto [v, bits, want] :
       {std::tuple{1u, 3, 4u}, {6u, 3, 3u}, {0x0F0u, 12, 0x0F0u}, {1u, 1, 1u}, {0xFFu, 4, 0xFu}})
    EXPECT_EQ(dsp::bits_invert(v, bits), want) << v;  // higher bits dropped
  for (long long n : {1LL, 1LL << 30}) EXPECT_TRUE(dsp::IsPowerOfTwo(n));
  for (long long n : {1LL << 31, 0LL, -4LL}) EXPECT_FALSE(dsp::IsPowerOfTwo(n));
  V x(12, 1.0f), out(12, -7.0f);
  EXPECT_FALSE(dsp::RealSpectrum(x.data(), out.data(), 6));
  EXPECT_FALSE(dsp::RealSpectrum(x.data(), out.data(), 0));
  EXPECT_EQ(out[0], -7.0f);
}

TEST(Fft, ForwardMatchesDoubleDftAtEveryLength) {
  for (int m = 0; m <= 12; ++m) {
    const int M = 1 << m;
    V x = Random(2 * size_t(M), 7 + m), out(2 * size_t(M));
    ASSERT_TRUE(dsp::RealSpectrum(x.data(), out.data(), M));
    std::vector<double> want = ReferenceSpectrum(x, M);
    double scale = 1;
    for (double d : want) scale = std::max(scale, std::fabs(d));
    ExpectSpectrum(out, want, 2e-6 * scale);
  }
}

TEST(Fft, ChosenSignals) {
  const int M = 512;
  V x(2 * M), out(2 * M);
  auto transform = [&](auto f) {
    for (int j = 0; j < 2 * M; ++j) x[j] = float(f(j));
    (void)dsp::RealSpectrum(x.data(), out.data(), M);
  };
  // A cosine of amplitude 3 with phase at bin 5; e^(-i) keeps the phase sign.
  transform([](int j) { return 3 * std::cos(2 * kPi * 5 * j / 1024 + 0.3); });
  EXPECT_NEAR(std::hypot(out[5], out[M + 5]), 3.0, 1e-5);
  EXPECT_NEAR(std::atan2(out[M + 5], out[5]), 0.3, 1e-5);
  // A sine at the quarter bin lands in the imaginary slot the split loop does not reach.
  transform([](int j) { return std::sin(2 * kPi * (M / 2) * j / (2 * M)); });
  EXPECT_NEAR(out[M + M / 2], -1.0, 1e-5);
  EXPECT_NEAR(out[M / 2], 0.0, 1e-5);
  // A constant c gives 2c at index 0, +1, -1, ... gives 2 at index M, and nothing else.
  for (auto [f, at] :
       {std::pair{+[](int) { return 1.5; }, 0}, {+[](int j) { return j % 2 ? -1.0 : 1.0; }, M}}) {
    transform(f);
    EXPECT_FLOAT_EQ(out[at], at ? 2.0f : 3.0f);
    out[at] = 0.0f;
    for (int i = 0; i < 2 * M; ++i) ASSERT_NEAR(out[i], 0.0f, 1e-6) << i;
  }
}

TEST(Fft, RoundTripRestoresTheSamples) {
  // With M = 1 the quarter bin is the Nyquist slot itself; negating it would
  // swap the two samples on the way back.
  V two = {5.0f, 2.0f}, out(2), back(2), work(2);
  (void)dsp::RealSpectrum(two.data(), out.data(), 1);
  EXPECT_EQ(out, (V{7, 3}));
  (void)dsp::RealSpectrumInverse(out.data(), work.data(), back.data(), 1);
  EXPECT_EQ(back, two);
  for (int m : {2, 3, 8, 13, 18}) {
    const int M = 1 << m;
    V x = Random(2 * size_t(M), 100 + m), spectrum(2 * size_t(M)), work2(2 * size_t(M));
    (void)dsp::RealSpectrum(x.data(), spectrum.data(), M);
    ASSERT_TRUE(dsp::RealSpectrumInverse(spectrum.data(), work2.data(), spectrum.data(), M));  // in place
    for (size_t j = 0; j < x.size(); ++j) ASSERT_NEAR(spectrum[j], x[j], 2e-6) << "M " << M << " j " << j;
  }
}

TEST(Fft, InverseMatchesDoubleInverseDft) {
  // Any layout is a spectrum of some real signal: the inverse must give it.
  const int M = 64;
  V spectrum = Random(2 * M, 3), x(2 * M), work(2 * M);
  (void)dsp::RealSpectrumInverse(spectrum.data(), work.data(), x.data(), M);
  for (int j = 0; j < 2 * M; ++j) {
    double v = 0.5 * spectrum[0] + 0.5 * spectrum[M] * (j % 2 ? -1 : 1);
    for (int k = 1; k < M; ++k) {
      double a = 2 * kPi * double((j * k) % (2 * M)) / (2 * M);
      v += spectrum[k] * std::cos(a) - spectrum[M + k] * std::sin(a);
    }
    ASSERT_NEAR(x[j], v, 1e-5) << j;
  }
}

TEST(Fft, DescribedPipelineAgrees) {
  // Even samples as real and odd as imaginary parts, the complex FFT, RTRAN,
  // the end terms and the scaling: the stepwise route gives the same layout.
  const int M = 256;
  V x = Random(2 * M, 11), s(2 * M), fast(2 * M);
  for (int i = 0; i < M; ++i) {
    s[i] = x[2 * i];
    s[M + i] = x[2 * i + 1];
  }
  ASSERT_TRUE(dsp::cfft_nokopro(s.data(), s.data() + M, M));
  dsp::RTRAN(s.data(), M);
  float a = s[0], b = s[M];
  s[0] = a + b;
  s[M] = a - b;
  s[M + M / 2] = -s[M + M / 2];
  for (auto& v : s) v /= M;
  (void)dsp::RealSpectrum(x.data(), fast.data(), M);
  for (int i = 0; i < 2 * M; ++i) ASSERT_NEAR(fast[i], s[i], 1e-6) << i;
}

TEST(Fft, ComplexTransformMatchesDoubleDft) {
  for (int n : {1, 2, 8, 64, 1024, 3, 12, 100}) {
    V zr = Random(size_t(n), 20 + n), zi = Random(size_t(n), 40 + n), re(n), im(n);
    dsp::ComplexTransform(zr.data(), zi.data(), re.data(), im.data(), n);
    for (int k = 0; k < n; ++k) {
      double sr = 0, si = 0;
      for (int j = 0; j < n; ++j) {
        double a = -2 * kPi * double((long long)j * k % n) / n;
        sr += zr[j] * std::cos(a) - zi[j] * std::sin(a);
        si += zr[j] * std::sin(a) + zi[j] * std::cos(a);
      }
      ASSERT_NEAR(re[k], sr, 1e-4) << "n " << n << " k " << k;
      ASSERT_NEAR(im[k], si, 1e-4) << "n " << n << " k " << k;
    }
  }
  float re[3] = {1, 2, 3}, im[3] = {0, 0, 0};
  EXPECT_FALSE(dsp::cfft_nokopro(re, im, 3));
  EXPECT_EQ(re[1], 2.0f);
}

TEST(Fft, DirectPairHasOppositeSignAndNoNyquist) {
  for (int M : {1, 3, 5, 500}) {
    V x = Random(2 * size_t(M), 60 + M), out(2 * size_t(M));
    dsp::DirectSpectrum(x.data(), out.data(), M);
    std::vector<double> want = ReferenceSpectrum(x, M);
    want[size_t(M)] = 0;
    for (int k = 1; k < M; ++k) want[size_t(M + k)] = -want[size_t(M + k)];
    ExpectSpectrum(out, want, 1e-5);
  }
  // Six samples there and back lose exactly their Nyquist component.
  V x = {1, 4, -2, 3, 0.5f, -1}, spectrum(6), back(6);
  dsp::DirectSpectrum(x.data(), spectrum.data(), 3);
  dsp::DirectSpectrumInverse(spectrum.data(), back.data(), 3);
  double nyquist = 0;
  for (int j = 0; j < 6; ++j) nyquist += x[j] * (j % 2 ? -1 : 1) / 6.0;
  for (int j = 0; j < 6; ++j) EXPECT_NEAR(back[j], x[j] - nyquist * (j % 2 ? -1 : 1), 1e-5) << j;
}

TEST(Fft, ChirpPairEqualsDirectPair) {
  for (int M : {1, 3, 5, 16, 1000, 1001, 6000}) {
    V x = Random(2 * size_t(M), 80 + M), direct(2 * size_t(M)), chirp(2 * size_t(M));
    dsp::DirectSpectrum(x.data(), direct.data(), M);
    ASSERT_TRUE(dsp::ChirpSpectrum(x.data(), chirp.data(), M));
    double scale = 0;
    for (float v : direct) scale = std::max(scale, double(std::fabs(v)));
    for (size_t i = 0; i < x.size(); ++i)
      ASSERT_NEAR(chirp[i], direct[i], 2e-6 * scale) << "M " << M << " i " << i;
    // Back from the same spectrum (the Nyquist-free signal both inverses give).
    V back(x.size()), backDirect(x.size());
    dsp::DirectSpectrumInverse(direct.data(), backDirect.data(), M);
    ASSERT_TRUE(dsp::ChirpSpectrumInverse(direct.data(), back.data(), M));
    for (size_t j = 0; j < x.size(); ++j)
      ASSERT_NEAR(back[j], backDirect[j], 2e-6) << "M " << M << " j " << j;
  }
}

TEST(Fft, LongLengthsMakeTheirTwiddlesOnTheWay) {
  // Beyond the tabled lengths the twiddles are made in chunks; they must be as
  // accurate as the tables: one cosine lands in one bin, and comes back.
  const int M = 1 << 21, bin = 12345;
  V x(2 * size_t(M)), spectrum(x.size()), work(x.size());
  for (size_t j = 0; j < x.size(); ++j)
    x[j] = float(3 * std::cos(2 * kPi * double(j * bin % x.size()) / double(x.size()) + 0.3));
  ASSERT_TRUE(dsp::RealSpectrum(x.data(), spectrum.data(), M));
  EXPECT_NEAR(std::hypot(spectrum[bin], spectrum[M + bin]), 3.0, 1e-5);
  EXPECT_NEAR(std::atan2(spectrum[M + bin], spectrum[bin]), 0.3, 1e-5);
  for (int k : {0, 1, bin - 1, bin + 1, M / 2, M - 1}) EXPECT_NEAR(spectrum[k], 0.0, 1e-5) << k;
  ASSERT_TRUE(dsp::RealSpectrumInverse(spectrum.data(), work.data(), spectrum.data(), M));
  for (size_t j = 0; j < x.size(); j += 997) ASSERT_NEAR(spectrum[j], x[j], 1e-5) << j;
}

}  // namespace
