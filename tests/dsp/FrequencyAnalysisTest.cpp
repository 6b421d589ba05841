// Band analysis against a complex demodulation summed in double here, and
// the correlation coefficient against long double sums.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <random>
#include <vector>

#include "dsp/Correlation.h"
#include "ops/FrequencyAnalysis.h"
#include "ops/Spectrum.h"
#include "state/Messages.h"
#include "state/StoreAccess.h"
#include "support/TestSupport.h"

namespace {

constexpr double kPi = std::numbers::pi;
using platform::Answer;
using testing_support::TestEnv;

constexpr int kSource = 3;
constexpr int kScratch = 61;

// Channel 3 of the W store alone, n samples of f, step 1 ms.
std::vector<float> Source(state::Program& p, int n, const std::function<double(int)>& f) {
  std::fill(std::begin(p.HGW.ChannelOn), std::end(p.HGW.ChannelOn), int16_t(0));
  p.HGW.ChannelOn[kSource] = 1;
  p.HGW.ChannelCount = 1;
  p.HGW.Length = n;
  p.WFreq[kSource] = 0;
  p.FGW[kSource].IsSpectrum = 0;
  p.FGW[kSource].Step = 0.001f;
  float* d = p.Samples(store::Store::W) + state::Pocatek(p, store::Store::W, kSource);
  for (int j = 0; j < n; ++j) d[j] = float(f(j));
  return {d, d + n};
}

std::vector<float> Channel(state::Program& p, int channel) {
  float* d = p.Samples(store::Store::W) + state::Pocatek(p, store::Store::W, channel);
  return {d, d + p.HGW.Length};
}

// y[n], n < M: the bins strictly inside c ± w (bin 0 and the Nyquist term
// never), moved down by c, at every second sample.
std::vector<std::complex<double>> Demodulate(const std::vector<float>& x, int c, int w) {
  const int N = int(x.size()), M = N / 2;
  std::vector<std::complex<double>> y(static_cast<size_t>(M));
  for (int k = std::max(1, c - w + 1); k <= std::min(M - 1, c + w - 1); ++k) {
    std::complex<double> X = 0;
    for (int j = 0; j < N; ++j)
      X += double(x[size_t(j)]) * std::polar(1.0, -2 * kPi * double((long long)j * k % N) / N);
    X /= M;
    for (int n = 0; n < M; ++n)
      y[size_t(n)] += X * std::polar(1.0, 2 * kPi * double((long long)(k - c) * n) / M);
  }
  return y;
}

TEST(FrequencyAnalysis, EnvelopeAndPowerOfATone) {
  TestEnv env;
  state::Program& p = env.prog;
  std::vector<float> x =
      Source(p, 1024, [](int j) { return 2.5 * std::cos(2 * kPi * 50 * j / 1024 + 1.0) + 0.3; });
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 50, 4, true), 1);
  EXPECT_EQ(p.HGW.ChannelOn[kScratch], 1);
  EXPECT_EQ(p.HGW.ChannelCount, 2);
  EXPECT_EQ(p.WFreq[kScratch], 0);
  EXPECT_EQ(p.FGW[kScratch].IsSpectrum, 0);
  EXPECT_EQ(Channel(p, kSource), x);
  for (float v : Channel(p, kScratch)) ASSERT_NEAR(v, 2.5, 1e-4);
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandPower, 50, 4, true), 1);
  for (float v : Channel(p, kScratch)) ASSERT_NEAR(v, 6.25, 1e-3);
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST(FrequencyAnalysis, EnvelopeOfABandMatchesTheReference) {
  TestEnv env;
  state::Program& p = env.prog;
  std::mt19937 g(5);
  std::normal_distribution<double> noise(0, 0.1);
  std::vector<double> e(512);
  for (auto& v : e) v = noise(g);
  std::vector<float> x = Source(p, 512, [&](int j) {
    return 1.5 * std::cos(2 * kPi * 48 * j / 512 + 0.2) + 0.7 * std::sin(2 * kPi * 53 * j / 512) +
           std::cos(2 * kPi * 90 * j / 512) + e[size_t(j)];
  });
  std::vector<std::complex<double>> y = Demodulate(x, 50, 6);
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 50, 6, true), 1);
  std::vector<float> got = Channel(p, kScratch);
  for (int n = 0; n < 256; ++n) {
    ASSERT_NEAR(got[size_t(2 * n)], std::abs(y[size_t(n)]), 1e-4) << n;
    ASSERT_EQ(got[size_t(2 * n + 1)], got[size_t(2 * n)]);
  }
}

TEST(FrequencyAnalysis, PhaseAndFrequency) {
  TestEnv env;
  state::Program& p = env.prog;
  // A tone at the centre bin: constant phase, its own phase plus pi.
  Source(p, 1024, [](int j) { return std::cos(2 * kPi * 60 * j / 1024 + 0.4); });
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandPhase, 60, 5, true), 1);
  for (float v : Channel(p, kScratch)) ASSERT_NEAR(v, 0.4 + kPi, 1e-4);
  // Three bins above the centre: the phase climbs 2 pi * 3 / M per value and
  // is unwrapped across its many turns.
  Source(p, 1024, [](int j) { return std::cos(2 * kPi * 63 * j / 1024 - 2.0); });
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandPhase, 60, 5, true), 1);
  std::vector<float> ph = Channel(p, kScratch);
  for (int n = 1; n < 512; ++n) ASSERT_NEAR(ph[size_t(2 * n)] - ph[0], 2 * kPi * 3 * n / 512, 1e-3) << n;
  // Two bins above: the offset 2 / (N Step) = 1.953125 Hz everywhere.
  Source(p, 1024, [](int j) { return std::sin(2 * kPi * 62 * j / 1024); });
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandFrequency, 60, 5, true), 1);
  for (float v : Channel(p, kScratch)) ASSERT_NEAR(v, 1.953125, 1e-3);
  // Two bins below: the same offset negative.
  Source(p, 1024, [](int j) { return std::sin(2 * kPi * 58 * j / 1024); });
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandFrequency, 60, 5, true), 1);
  for (float v : Channel(p, kScratch)) ASSERT_NEAR(v, -1.953125, 1e-3);
}

TEST(FrequencyAnalysis, InPlaceFromASpectrumAndByFrequency) {
  TestEnv env;
  state::Program& p = env.prog;
  auto tone = [](int j) { return 2.0 * std::cos(2 * kPi * 40 * j / 256); };
  // The source already a spectrum: no second transform.
  Source(p, 256, tone);
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, kSource, false), 1);
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kSource, dsp::kBandEnvelope, 40, 3, true), 1);
  EXPECT_EQ(p.WFreq[kSource], 0);
  EXPECT_EQ(p.HGW.ChannelCount, 1);
  for (float v : Channel(p, kSource)) ASSERT_NEAR(v, 2.0, 1e-4);
  // The band in hertz: bin k is k / (N Step) = k / 0.256 Hz.
  Source(p, 256, tone);
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 40 / 0.256, 3 / 0.256, false), 1);
  for (float v : Channel(p, kScratch)) ASSERT_NEAR(v, 2.0, 1e-4);
  // Without a usable step there are no bins: 1409, nothing else.
  p.FGW[kSource].Step = 0;
  std::vector<float> before = Channel(p, kScratch);
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 100, 10, false), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1409));
  EXPECT_EQ(Channel(p, kScratch), before);
  // A frequency needs a step even with the band in bins.
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandFrequency, 40, 3, true), 0);
  EXPECT_EQ(Channel(p, kScratch), before);
}

TEST(FrequencyAnalysis, RefusalsChangeNothing) {
  TestEnv env;
  state::Program& p = env.prog;
  std::vector<float> x = Source(p, 256, [](int j) { return std::sin(0.3 * j); });
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 3, 4, true), 0);    // below bin 0
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 250, 7, true), 0);  // beyond N
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, 4, 50, 4, true), 0);
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, -1, 50, 4, true), 0);
  EXPECT_EQ(ops::DataFreqAnal(p, 9, kScratch, dsp::kBandEnvelope, 50, 4, true), 0);  // inactive source
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, 128, dsp::kBandEnvelope, 50, 4, true), 0);
  EXPECT_EQ(p.HGW.ChannelOn[kScratch], 0);
  EXPECT_EQ(p.HGW.ChannelCount, 1);
  EXPECT_EQ(Channel(p, kSource), x);
  // A length that is no power of two asks; No refuses, a macro goes on.
  x = Source(p, 200, [](int j) { return 1.5 * std::cos(2 * kPi * 20 * j / 200); });
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 20, 3, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1228));
  EXPECT_EQ(p.HGW.ChannelOn[kScratch], 0);
  p.MacGoing = 1;
  env.ui.ClearLog();
  ASSERT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandEnvelope, 20, 3, true), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  for (float v : Channel(p, kScratch)) ASSERT_NEAR(v, 1.5, 1e-4);
  // A band centre beyond the Nyquist bin turns within the spectrum.
  p.MacGoing = 0;
  Source(p, 64, [](int j) { return std::sin(0.3 * j); });
  EXPECT_EQ(ops::DataFreqAnal(p, kSource, kScratch, dsp::kBandPower, 60, 4, true), 1);
}

long double ReferenceR(const std::vector<float>& x, const std::vector<float>& y, int from, int to) {
  long double mx = 0, my = 0, n = to - from + 1;
  for (int i = from; i <= to; ++i) {
    mx += x[size_t(i)];
    my += y[size_t(i)];
  }
  mx /= n;
  my /= n;
  long double sxy = 0, sxx = 0, syy = 0;
  for (int i = from; i <= to; ++i) {
    sxy += (x[size_t(i)] - mx) * (y[size_t(i)] - my);
    sxx += (x[size_t(i)] - mx) * (x[size_t(i)] - mx);
    syy += (y[size_t(i)] - my) * (y[size_t(i)] - my);
  }
  return sxy / std::sqrt(sxx * syy);
}

TEST(Korelace, KnownAndReferenceValues) {
  std::vector<float> x(1000), lin(1000), neg(1000), flat(1000, 7.25f), y(1000);
  std::mt19937 g(9);
  std::normal_distribution<float> u(0, 1);
  for (int i = 0; i < 1000; ++i) {
    x[size_t(i)] = 1000 + u(g);  // a large offset tests the centring
    lin[size_t(i)] = 2 * x[size_t(i)] + 3;
    neg[size_t(i)] = -x[size_t(i)];
    y[size_t(i)] = 0.6f * x[size_t(i)] + u(g);
  }
  EXPECT_NEAR(dsp::Korelace(x.data(), lin.data(), 0, 999), 1.0, 1e-6);
  EXPECT_NEAR(dsp::Korelace(x.data(), neg.data(), 0, 999), -1.0, 1e-6);
  EXPECT_EQ(dsp::Korelace(flat.data(), x.data(), 0, 999), 0.0f);
  EXPECT_EQ(dsp::Korelace(x.data(), flat.data(), 10, 20), 0.0f);
  EXPECT_NEAR(dsp::Korelace(x.data(), y.data(), 0, 999), double(ReferenceR(x, y, 0, 999)), 1e-6);
  EXPECT_NEAR(dsp::Korelace(x.data(), y.data(), 100, 349), double(ReferenceR(x, y, 100, 349)), 1e-6);
  EXPECT_EQ(dsp::Korelace(x.data(), y.data(), 5, 5), 0.0f);  // one sample has no spread
  EXPECT_EQ(dsp::Korelace(x.data(), y.data(), 9, 3), 0.0f);
}

}  // namespace
