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
#include "dsp/DspTestSupport.h"
#include "ops/FrequencyAnalysis.h"
#include "ops/Spectrum.h"
#include "state/Messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kSource = 3, kScratch = 61;

class FrequencyAnalysis : public ::testing::Test {
 protected:
  // Channel 3 of the W store alone, n samples of f, step 1 ms.
  std::vector<float> Source(int n, const std::function<double(int)>& f) {
    dsptest::Layout(
        p, 1, {kSource}, n, [&](int, int j) { return float(f(j)); }, 0.001f);
    return Out(kSource);
  }
  std::vector<float> Out(int channel = kScratch) { return dsptest::Channel(p, 1, channel); }
  int Run(int mode, double centre, double width, bool bins = true, int target = kScratch) {
    return ops::DataFreqAnal(p, kSource, target, mode, centre, width, bins);
  }
  void ExpectAll(double want, double tolerance, int channel = kScratch) {
    for (float v : Out(channel)) ASSERT_NEAR(v, want, tolerance);
  }
  testing_support::TestEnv env;
  state::Program& p = env.prog;
};

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

TEST_F(FrequencyAnalysis, EnvelopeOfABandMatchesTheReference) {
  std::mt19937 g(5);
  std::normal_distribution<double> noise(0, 0.1);
  std::vector<double> e(512);
  for (auto& v : e) v = noise(g);
  std::vector<float> x = Source(512, [&](int j) {
    return 1.5 * std::cos(2 * kPi * 48 * j / 512 + 0.2) + 0.7 * std::sin(2 * kPi * 53 * j / 512) +
           std::cos(2 * kPi * 90 * j / 512) + e[size_t(j)];
  });
  std::vector<std::complex<double>> y = Demodulate(x, 50, 6);
  ASSERT_EQ(Run(dsp::kBandEnvelope, 50, 6), 1);
  EXPECT_EQ(std::tuple(p.HGW.ChannelOn[kScratch], p.HGW.ChannelCount, p.WFreq[kScratch]),
            std::tuple(1, 2, 0));
  EXPECT_EQ(Out(kSource), x);
  std::vector<float> got = Out();
  ASSERT_EQ(Run(dsp::kBandPower, 50, 6), 1);
  std::vector<float> power = Out();
  for (int n = 0; n < 256; ++n) {
    ASSERT_NEAR(got[size_t(2 * n)], std::abs(y[size_t(n)]), 1e-4) << n;
    ASSERT_EQ(got[size_t(2 * n + 1)], got[size_t(2 * n)]);
    ASSERT_NEAR(power[size_t(2 * n)], std::norm(y[size_t(n)]), 1e-3) << n;
  }
  EXPECT_TRUE(env.ui.Log().empty());
}

TEST_F(FrequencyAnalysis, PhaseAndFrequency) {
  // A tone at the centre bin: constant phase, its own phase plus pi.
  Source(1024, [](int j) { return std::cos(2 * kPi * 60 * j / 1024 + 0.4); });
  ASSERT_EQ(Run(dsp::kBandPhase, 60, 5), 1);
  ExpectAll(0.4 + kPi, 1e-4);
  // Three bins above: the phase climbs 2 pi * 3 / M per value, unwrapped across its turns.
  Source(1024, [](int j) { return std::cos(2 * kPi * 63 * j / 1024 - 2.0); });
  ASSERT_EQ(Run(dsp::kBandPhase, 60, 5), 1);
  std::vector<float> ph = Out();
  for (int n = 1; n < 512; ++n) ASSERT_NEAR(ph[size_t(2 * n)] - ph[0], 2 * kPi * 3 * n / 512, 1e-3) << n;
  // Two bins above or below: the offset ±2 / (N Step) = 1.953125 Hz everywhere.
  for (int bin : {62, 58}) {
    Source(1024, [bin](int j) { return std::sin(2 * kPi * bin * j / 1024); });
    ASSERT_EQ(Run(dsp::kBandFrequency, 60, 5), 1);
    ExpectAll(bin > 60 ? 1.953125 : -1.953125, 1e-3);
  }
}

TEST_F(FrequencyAnalysis, InPlaceFromASpectrumAndByFrequency) {
  auto tone = [](int j) { return 2.0 * std::cos(2 * kPi * 40 * j / 256); };
  // The source already a spectrum: no second transform.
  Source(256, tone);
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, kSource, false), 1);
  ASSERT_EQ(Run(dsp::kBandEnvelope, 40, 3, true, kSource), 1);
  EXPECT_EQ(std::tuple(p.WFreq[kSource], p.HGW.ChannelCount), std::tuple(0, 1));
  ExpectAll(2.0, 1e-4, kSource);
  // The band in hertz: bin k is k / (N Step) = k / 0.256 Hz.
  Source(256, tone);
  ASSERT_EQ(Run(dsp::kBandEnvelope, 40 / 0.256, 3 / 0.256, false), 1);
  ExpectAll(2.0, 1e-4);
  // Without a usable step there are no bins, and a frequency needs one even with the band in bins.
  p.FGW[kSource].Step = 0;
  std::vector<float> before = Out();
  EXPECT_EQ(Run(dsp::kBandEnvelope, 100, 10, false), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1409));
  EXPECT_EQ(Run(dsp::kBandFrequency, 40, 3), 0);
  EXPECT_EQ(Out(), before);
}

TEST_F(FrequencyAnalysis, RefusalsChangeNothing) {
  std::vector<float> x = Source(256, [](int j) { return std::sin(0.3 * j); });
  // Below bin 0, beyond N, unknown modes, an inactive source, no such target.
  EXPECT_EQ(Run(dsp::kBandEnvelope, 3, 4), 0);
  EXPECT_EQ(Run(dsp::kBandEnvelope, 250, 7), 0);
  EXPECT_EQ(Run(4, 50, 4), 0);
  EXPECT_EQ(Run(-1, 50, 4), 0);
  EXPECT_EQ(ops::DataFreqAnal(p, 9, kScratch, dsp::kBandEnvelope, 50, 4, true), 0);
  EXPECT_EQ(Run(dsp::kBandEnvelope, 50, 4, true, 128), 0);
  EXPECT_EQ(std::tuple(p.HGW.ChannelOn[kScratch], p.HGW.ChannelCount), std::tuple(0, 1));
  EXPECT_EQ(Out(kSource), x);
  // A length that is no power of two asks; No refuses, a macro goes on.
  Source(200, [](int j) { return 1.5 * std::cos(2 * kPi * 20 * j / 200); });
  env.ui.Push(platform::Answer::No);
  EXPECT_EQ(Run(dsp::kBandEnvelope, 20, 3), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1228));
  EXPECT_EQ(p.HGW.ChannelOn[kScratch], 0);
  p.MacGoing = 1;
  env.ui.ClearLog();
  ASSERT_EQ(Run(dsp::kBandEnvelope, 20, 3), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  ExpectAll(1.5, 1e-4);
  // A band centre beyond the Nyquist bin turns within the spectrum.
  Source(64, [](int j) { return std::sin(0.3 * j); });
  EXPECT_EQ(Run(dsp::kBandPower, 60, 4), 1);
}

TEST(Korelace, KnownAndReferenceValues) {
  std::vector<float> x(1000), lin(1000), neg(1000), flat(1000, 7.25f), y(1000);
  std::mt19937 g(9);
  std::normal_distribution<float> u(0, 1);
  for (size_t i = 0; i < 1000; ++i) {
    x[i] = 1000 + u(g);  // a large offset tests the centring
    lin[i] = 2 * x[i] + 3;
    neg[i] = -x[i];
    y[i] = 0.6f * x[i] + u(g);
  }
  auto reference = [&](int from, int to) {
    long double mx = 0, my = 0, n = to - from + 1, sxy = 0, sxx = 0, syy = 0;
    for (int i = from; i <= to; ++i) mx += x[size_t(i)], my += y[size_t(i)];
    mx /= n, my /= n;
    for (int i = from; i <= to; ++i) {
      long double dx = x[size_t(i)] - mx, dy = y[size_t(i)] - my;
      sxy += dx * dy, sxx += dx * dx, syy += dy * dy;
    }
    return double(sxy / std::sqrt(sxx * syy));
  };
  EXPECT_NEAR(dsp::Korelace(x.data(), lin.data(), 0, 999), 1.0, 1e-6);
  EXPECT_NEAR(dsp::Korelace(x.data(), neg.data(), 0, 999), -1.0, 1e-6);
  EXPECT_NEAR(dsp::Korelace(x.data(), y.data(), 0, 999), reference(0, 999), 1e-6);
  EXPECT_NEAR(dsp::Korelace(x.data(), y.data(), 100, 349), reference(100, 349), 1e-6);
  // No spread in either series, one sample, a reversed range: 0.
  EXPECT_EQ(dsp::Korelace(flat.data(), x.data(), 0, 999), 0.0f);
  EXPECT_EQ(dsp::Korelace(x.data(), flat.data(), 10, 20), 0.0f);
  EXPECT_EQ(dsp::Korelace(x.data(), y.data(), 5, 5), 0.0f);
  EXPECT_EQ(dsp::Korelace(x.data(), y.data(), 9, 3), 0.0f);
}

}  // namespace
