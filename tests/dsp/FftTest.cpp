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

// The layout of the fast transform: [0] X0/M, [k] Re/M, [M] X_M/M, [M+k] Im/M.
std::vector<double> ReferenceSpectrum(const std::vector<float>& x, int M) {
  const long long N = 2LL * M;
  std::vector<double> out(size_t(N), 0.0);
  for (long long k = 0; k <= M; ++k) {
    double re = 0, im = 0;
    for (long long j = 0; j < N; ++j) {
      double a = -2 * kPi * double((j * k) % N) / double(N);
      re += x[size_t(j)] * std::cos(a);
      im += x[size_t(j)] * std::sin(a);
    }
    if (k == 0)
      out[0] = re / M;
    else if (k == M)
      out[size_t(M)] = re / M;
    else {
      out[size_t(k)] = re / M;
      out[size_t(M + k)] = im / M;
    }
  }
  return out;
}

std::vector<float> Random(size_t n, unsigned seed) {
  std::mt19937 g(seed);
  std::uniform_real_distribution<float> u(-1, 1);
  std::vector<float> x(n);
  for (auto& v : x) v = u(g);
  return x;
}

double MaxAbs(const std::vector<double>& v) {
  double m = 0;
  for (double d : v) m = std::max(m, std::fabs(d));
  return m;
}

void ExpectSpectrum(const std::vector<float>& got, const std::vector<double>& want, double tolerance) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) ASSERT_NEAR(got[i], want[i], tolerance) << "index " << i;
}

TEST(Fft, ForwardMatchesDoubleDftAtEveryLength) {
  for (int m = 0; m <= 12; ++m) {
    const int M = 1 << m;
    std::vector<float> x = Random(2 * size_t(M), 7 + m), out(2 * size_t(M));
    ASSERT_TRUE(dsp::RealSpectrum(x.data(), out.data(), M));
    std::vector<double> want = ReferenceSpectrum(x, M);
    ExpectSpectrum(out, want, 2e-6 * std::max(1.0, MaxAbs(want)));
  }
}

TEST(Fft, TwoSamplesKeepTheirOrderAndNyquistSign) {
  // With M = 1 the quarter bin is the Nyquist slot itself; negating it would
  // swap the samples on the way back.
  std::vector<float> x = {5.0f, 2.0f}, out(2), back(2), work(2);
  dsp::RealSpectrum(x.data(), out.data(), 1);
  EXPECT_FLOAT_EQ(out[0], 7.0f);
  EXPECT_FLOAT_EQ(out[1], 3.0f);
  dsp::RealSpectrumInverse(out.data(), work.data(), back.data(), 1);
  EXPECT_FLOAT_EQ(back[0], 5.0f);
  EXPECT_FLOAT_EQ(back[1], 2.0f);
}

TEST(Fft, RoundTripRestoresTheSamples) {
  for (int m : {1, 2, 3, 8, 13, 18}) {
    const int M = 1 << m;
    std::vector<float> x = Random(2 * size_t(M), 100 + m), spectrum(2 * size_t(M)), work(2 * size_t(M));
    dsp::RealSpectrum(x.data(), spectrum.data(), M);
    std::vector<float> back = spectrum;  // inverse in place, as the store does it
    ASSERT_TRUE(dsp::RealSpectrumInverse(back.data(), work.data(), back.data(), M));
    for (size_t j = 0; j < x.size(); ++j) ASSERT_NEAR(back[j], x[j], 2e-6) << "M " << M << " j " << j;
  }
}

TEST(Fft, ComplexTransformMatchesDoubleDft) {
  for (int n : {1, 2, 8, 64, 1024, 3, 12, 100}) {
    std::vector<float> zr = Random(size_t(n), 20 + n), zi = Random(size_t(n), 40 + n), re(n), im(n);
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
    std::vector<float> x = Random(2 * size_t(M), 60 + M), out(2 * size_t(M));
    dsp::DirectSpectrum(x.data(), out.data(), M);
    std::vector<double> want = ReferenceSpectrum(x, M);
    want[size_t(M)] = 0;
    for (int k = 1; k < M; ++k) want[size_t(M + k)] = -want[size_t(M + k)];
    ExpectSpectrum(out, want, 1e-5);
  }
  // Six samples there and back lose exactly their Nyquist component.
  std::vector<float> x = {1, 4, -2, 3, 0.5f, -1}, spectrum(6), back(6);
  dsp::DirectSpectrum(x.data(), spectrum.data(), 3);
  dsp::DirectSpectrumInverse(spectrum.data(), back.data(), 3);
  double nyquist = 0;
  for (int j = 0; j < 6; ++j) nyquist += x[j] * (j % 2 ? -1 : 1) / 6.0;
  for (int j = 0; j < 6; ++j) EXPECT_NEAR(back[j], x[j] - nyquist * (j % 2 ? -1 : 1), 1e-5) << j;
}

TEST(Fft, RejectsLengthsThatAreNoPowerOfTwo) {
  std::vector<float> x(12, 1.0f), out(12, -7.0f);
  EXPECT_FALSE(dsp::RealSpectrum(x.data(), out.data(), 6));
  EXPECT_FALSE(dsp::RealSpectrum(x.data(), out.data(), 0));
  EXPECT_EQ(out[0], -7.0f);
  EXPECT_TRUE(dsp::IsPowerOfTwo(1));
  EXPECT_TRUE(dsp::IsPowerOfTwo(1LL << 30));
  EXPECT_FALSE(dsp::IsPowerOfTwo(1LL << 31));
  EXPECT_FALSE(dsp::IsPowerOfTwo(0));
  EXPECT_FALSE(dsp::IsPowerOfTwo(-4));
}

TEST(Fft, StepwisePipelineAgrees) {
  // Even samples as real and odd as imaginary parts, the complex FFT, RTRAN,
  // the end terms and the scaling: the stepwise route gives the same layout.
  const int M = 256;
  std::vector<float> x = Random(2 * M, 11), s(2 * M), fast(2 * M);
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
  dsp::RealSpectrum(x.data(), fast.data(), M);
  for (int i = 0; i < 2 * M; ++i) ASSERT_NEAR(fast[i], s[i], 1e-6) << i;
}

}  // namespace
