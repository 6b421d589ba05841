// The transform on store channels: flags, questions, messages, refusals,
// and the tools around it (window, magnitudes, band filter, powers of two).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "dsp/DspTestSupport.h"
#include "dsp/Fft.h"
#include "dsp/PowerOfTwo.h"
#include "ops/Spectrum.h"
#include "ops/SpectrumTools.h"
#include "state/Messages.h"

namespace {

constexpr double kPi = std::numbers::pi;
using platform::Answer;
using store::Store;
using V = std::vector<float>;

double Tone(int j, int n) { return 3 * std::cos(2 * kPi * 5 * j / n + 0.3) + 0.5; }
double Mixed(int j, int n) {
  return std::sin(0.37 * j) + 0.2 * std::cos(2 * kPi * 17 * j / n) + 0.01 * (j % 7);
}
double TwoTones(int j, int n) { return std::cos(2 * kPi * 5 * j / n) + 0.5 * std::sin(2 * kPi * 40 * j / n); }

class Spectrum : public ::testing::Test {
 protected:
  // Exactly the given channels active with n samples of f each.
  void Layout(int store, std::vector<int> channels, int n, double (*f)(int, int) = Mixed) {
    dsptest::Layout(
        p, store, channels, n, [&](int, int j) { return float(f(j, n)); }, 0.001f);
  }
  float* Chan(int store, int channel) {
    return p.Samples(store::StoreFromFlag(store)) + state::Pocatek(p, store::StoreFromFlag(store), channel);
  }
  V Samples(int store, int channel) { return dsptest::Channel(p, store, channel); }
  bool IsSpectrum(int store, int channel) {
    EXPECT_EQ(p.Freq(store::StoreFromFlag(store))[channel] != 0,
              p.Channels(store::StoreFromFlag(store))[channel].IsSpectrum != 0);
    return p.Freq(store::StoreFromFlag(store))[channel] != 0;
  }
  int Count(const std::string& kind) {
    int n = 0;
    for (const auto& s : env.ui.Log()) n += s.kind == kind;
    return n;
  }
  int Fft(int channel, bool ask = false) { return ops::FFT_Command(p, Store::W, channel, ask); }
  testing_support::TestEnv env;
  state::Program& p = env.prog;
};

TEST_F(Spectrum, AllChannelsAndQuestions) {
  Layout(1, {1, 4}, 64);
  V keep = Samples(1, 4);
  env.ui.Push(Answer::Yes);
  env.ui.Push(Answer::No);
  EXPECT_EQ(Fft(65535, true), 0);  // the second was declined
  EXPECT_TRUE(IsSpectrum(1, 1));
  EXPECT_FALSE(IsSpectrum(1, 4));
  EXPECT_EQ(Samples(1, 4), keep);
  ASSERT_EQ(Count("question"), 2);
  EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, 428) + ", kanal 2");
  EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, 15));
  EXPECT_EQ(env.ui.Log()[1].text, state::Txt(p, 428) + ", kanal 5");
  EXPECT_GE(env.ui.beeps_, 2);
  EXPECT_EQ(env.ui.Cursor(), "");
  // A spectrum asks the inverse question; inside a macro nothing is asked.
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::FFT_Transform(p, Store::W, 1, 32, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 426) + ", kanal 2");
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(Fft(65535, true), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_FALSE(IsSpectrum(1, 1));
  EXPECT_TRUE(IsSpectrum(1, 4));
}

TEST_F(Spectrum, WrongDirectionIsReportedAndChangesNothing) {
  for (int store : {1, 0}) {
    const Store s = store::StoreFromFlag(store);
    env.ui.ClearLog();
    Layout(store, {0}, 256);
    EXPECT_EQ(ops::InverzRealFFT(p, s, 0, 128, true), 0);
    ASSERT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, store ? 433 : 434));
    EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, 13));
    ASSERT_EQ(ops::RealFFT(p, s, 0, 128, true), 1);
    V spectrum = Samples(store, 0);
    EXPECT_EQ(ops::RealFFT(p, s, 0, 128, true), 0);
    EXPECT_EQ(env.ui.LastText(), state::Txt(p, store ? 431 : 432));
    EXPECT_EQ(ops::RealFFT_SLOW(p, s, 0, 100, true), 0);  // the direct path refuses the same way
    EXPECT_EQ(Samples(store, 0), spectrum);
    EXPECT_TRUE(IsSpectrum(store, 0));
  }
}

TEST_F(Spectrum, WithoutCommitTheChannelStays) {
  // The fast path (M = 128) and the direct pair's (M = 100): the result lands in the scratch.
  for (auto [n, M] : {std::pair{256, 128}, {200, 100}}) {
    Layout(1, {0}, n);
    V x = Samples(1, 0), want(static_cast<size_t>(n));
    if (M == 128)
      (void)dsp::RealSpectrum(x.data(), want.data(), M);
    else
      dsp::AnyLengthSpectrum(x.data(), want.data(), M);
    ASSERT_EQ((M == 128 ? ops::RealFFT : ops::RealFFT_SLOW)(p, Store::W, 0, M, false), 1);
    EXPECT_EQ(Samples(1, 0), x);
    EXPECT_FALSE(IsSpectrum(1, 0));
    EXPECT_EQ(V(p.Scratch(store::Store::W), p.Scratch(store::Store::W) + n), want);
  }
  // An inverse without commit leaves a spectrum a spectrum.
  ASSERT_EQ(ops::RealFFT(p, Store::W, 0, 100, true), 1);
  V spectrum = Samples(1, 0);
  EXPECT_EQ(ops::InverzRealFFT(p, Store::W, 0, 100, false), 1);
  EXPECT_EQ(Samples(1, 0), spectrum);
  EXPECT_TRUE(IsSpectrum(1, 0));
}

TEST_F(Spectrum, ShortAndOddLengths) {
  for (int n : {0, 1}) {
    Layout(1, {0}, n);
    EXPECT_EQ(Fft(0), 0) << n;
    EXPECT_FALSE(IsSpectrum(1, 0));
  }
  EXPECT_EQ(Chan(1, 0)[0], float(Mixed(0, 1)));
  // Two samples: mean term and Nyquist term, and back in the same order.
  dsptest::FillStore(p, 1, {0}, {{5, 2}}, 2);
  ASSERT_EQ(Fft(0), 1);
  EXPECT_EQ(Samples(1, 0), (V{7, 3}));
  ASSERT_EQ(Fft(0), 1);
  EXPECT_EQ(Samples(1, 0), (V{5, 2}));
  // Three samples: the odd last one is no part of the transform.
  dsptest::FillStore(p, 1, {0}, {{1, 1, 9}}, 3);
  ASSERT_EQ(Fft(0), 1);
  EXPECT_EQ(Chan(1, 0)[2], 9.0f);
  // Seven samples: M = 3 goes the direct way, the seventh stays.
  Layout(1, {0}, 7);
  V x = Samples(1, 0), want(6);
  dsp::DirectSpectrum(x.data(), want.data(), 3);
  ASSERT_EQ(Fft(0), 1);
  V got = Samples(1, 0);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 1e-6);
  EXPECT_EQ(got[6], x[6]);
  EXPECT_EQ(Count("question"), 0);
}

TEST_F(Spectrum, LongDirectTransformAsksFirst) {
  Layout(1, {0}, 1000);  // M = 500: direct, no question
  ASSERT_EQ(Fft(0), 1);
  EXPECT_EQ(Count("question"), 0);
  Layout(1, {0}, 3000);  // M = 1500: asked even inside a macro
  V x = Samples(1, 0);
  p.MacGoing = 1;
  env.ui.Push(Answer::No);
  EXPECT_EQ(Fft(0), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1228));
  EXPECT_EQ(Samples(1, 0), x);
  EXPECT_FALSE(IsSpectrum(1, 0));
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(Fft(0), 1);
  EXPECT_TRUE(IsSpectrum(1, 0));
  // The way back asks nothing and drops only the Nyquist component.
  env.ui.ClearLog();
  ASSERT_EQ(Fft(0), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  double nyquist = 0;
  for (int j = 0; j < 3000; ++j) nyquist += x[j] * (j % 2 ? -1 : 1) / 3000.0;
  V back = Samples(1, 0);
  for (int j = 0; j < 3000; ++j) ASSERT_NEAR(back[j], x[j] - nyquist * (j % 2 ? -1 : 1), 2e-4) << j;
}

TEST_F(Spectrum, InactiveMissingAndOversizedChannels) {
  testing_support::TestEnv small(4096);
  state::Program& q = small.prog;
  dsptest::Layout(q, 1, {0}, 64, [](int, int) { return 1.0f; });
  EXPECT_EQ(ops::FFT_Command(q, Store::W, 3, false), 0);
  EXPECT_EQ(ops::FFT_Command(q, Store::W, 200, false), 0);
  EXPECT_EQ(ops::RealFFT(q, Store::W, 3, 32, true), 0);
  EXPECT_EQ(ops::RealFFT(q, Store::W, 0, 64, true), 0);  // M larger than the channel allows
  EXPECT_EQ(q.WFreq[3], 0);
  // A header naming more than the array holds: the second block lies past it.
  q.HGW.ChannelOn[1] = 1;
  q.HGW.ChannelCount = 2;
  q.HGW.Length = 4096;
  EXPECT_EQ(ops::FFT_Command(q, Store::W, 1, false), 0);
  EXPECT_EQ(q.WFreq[1], 0);
  // No sample array at all: 490, nothing else.
  q.Waveform.reset();
  small.ui.ClearLog();
  EXPECT_EQ(ops::FFT_Command(q, Store::W, 0, false), 0);
  ASSERT_EQ(small.ui.Log().size(), 1u);
  EXPECT_EQ(small.ui.LastText(), state::Txt(q, 490));
}

TEST_F(Spectrum, WeightWindowValuesAndRanges) {
  EXPECT_NEAR(dsp::WeightWindow(0, 100), 0.00095, 1e-12);
  EXPECT_NEAR(dsp::WeightWindow(50, 100), 2.48705, 1e-12);
  double sum = 0;
  for (int j = 0; j < 100; ++j) sum += dsp::WeightWindow(j, 100);
  EXPECT_NEAR(sum / 100, 1.0, 1e-12);
  V ones(8, 1.0f), part(10, 2.0f);
  dsp::WeightWindowPart(ones.data(), 8, 0, 8);
  EXPECT_FLOAT_EQ(ones[4], 2.48705f);
  EXPECT_NEAR(ones[2], 1 - 0.244 - 0.00305 * std::cos(3 * kPi / 2), 1e-6);
  dsp::WeightWindowPart(part.data() + 3, 4, 0, 2);  // a window of 4 in two pieces
  dsp::WeightWindowPart(part.data() + 5, 4, 2, 2);
  EXPECT_EQ(std::tuple(part[2], part[7]), std::tuple(2.0f, 2.0f));
  EXPECT_FLOAT_EQ(part[3], 2 * 0.00095f);
  EXPECT_FLOAT_EQ(part[5], 2 * 2.48705f);
  // On a channel between the cursors (reversed), zero outside or not.
  dsptest::Layout(p, 1, {0}, 16, [](int, int) { return 1.0f; });
  p.CGW[0].Cur1 = 9;
  p.CGW[0].Cur2 = 2;
  ASSERT_EQ(ops::WeightChannel(p, Store::W, 0, ops::WeightRange::BetweenCursorsZeroOutside), 1);
  V d = Samples(1, 0);
  EXPECT_EQ(std::tuple(d[0], d[1], d[10], d[15]), std::tuple(0.0f, 0.0f, 0.0f, 0.0f));
  EXPECT_FLOAT_EQ(d[2], 0.00095f);
  p.CGW[0].Cur1 = -5;
  p.CGW[0].Cur2 = 40;
  std::fill(Chan(1, 0), Chan(1, 0) + 16, 1.0f);
  ASSERT_EQ(ops::WeightChannel(p, Store::W, 0, ops::WeightRange::BetweenCursors), 1);
  EXPECT_FLOAT_EQ(Chan(1, 0)[8], 2.48705f);
  EXPECT_EQ(ops::WeightChannel(p, Store::W, 7, ops::WeightRange::Whole), 0);
}

TEST_F(Spectrum, MagnitudesOfSpectrumAndTimeChannels) {
  Layout(1, {0, 1}, 1024, Tone);
  V x = Samples(1, 1);
  ASSERT_EQ(Fft(0), 1);
  ASSERT_EQ(ops::ToMagUtil(p, Store::W, 0), 1);
  V m = Samples(1, 0);
  EXPECT_NEAR(m[5], 3.0, 1e-4);
  EXPECT_NEAR(m[0], 1.0, 1e-5);
  for (int k = 512; k < 1024; ++k) ASSERT_EQ(m[k], 0.0f);
  EXPECT_TRUE(IsSpectrum(1, 0));
  ASSERT_EQ(ops::ToMagUtil(p, Store::W, 1), 1);
  for (int j = 0; j < 1024; ++j) ASSERT_EQ(Chan(1, 1)[j], std::fabs(x[j]));
  EXPECT_EQ(ops::ToMagUtil(p, Store::W, 9), 0);
}

TEST_F(Spectrum, BandFilterPassAndStop) {
  // Either transform, with room beside the store or without (the inverse then works in the samples).
  for (auto [capacity, n] : {std::pair{65536, 256}, {256, 256}, {65536, 240}, {240, 240}}) {
    testing_support::TestEnv e(capacity);
    dsptest::Layout(e.prog, 1, {0}, n, [n = n](int, int j) { return float(TwoTones(j, n)); });
    e.prog.HGW.TriggerFlag = 1;
    ASSERT_EQ(ops::DigFilUtil(e.prog, Store::W, 0, 20, 60, dsp::BandFilter::Pass), 1);  // keeps bins 21 … 59
    EXPECT_FALSE(e.prog.WFreq[0]);
    EXPECT_EQ(e.prog.HGW.TriggerFlag, 0);
    for (int j = 0; j < n; ++j)
      ASSERT_NEAR(e.prog.Waveform[size_t(j)], 0.5 * std::sin(2 * kPi * 40 * j / n), 1e-5) << j;
  }
  Layout(1, {0}, 256, TwoTones);
  ASSERT_EQ(ops::DigFilUtil(p, Store::W, 0, 30, 50, dsp::BandFilter::Stop), 1);
  for (int j = 0; j < 256; ++j) ASSERT_NEAR(Chan(1, 0)[j], std::cos(2 * kPi * 5 * j / 256), 1e-5) << j;
  // From 0 keeps bin 0 (and the Nyquist slot beside it); to = M still removes the Nyquist term.
  Layout(1, {0}, 256, [](int j, int) { return 2.0 + (j % 2 ? -1.0 : 1.0); });
  ASSERT_EQ(ops::DigFilUtil(p, Store::W, 0, 0, 128, dsp::BandFilter::Pass), 1);
  for (int j = 0; j < 256; ++j) ASSERT_NEAR(Chan(1, 0)[j], 2.0f, 1e-5) << j;
  // A declined transform leaves the samples.
  Layout(1, {0}, 3000);
  V x = Samples(1, 0);
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::DigFilUtil(p, Store::W, 0, 10, 20, dsp::BandFilter::Pass), 0);
  EXPECT_EQ(Samples(1, 0), x);
  EXPECT_FALSE(IsSpectrum(1, 0));
}

TEST(PowerOfTwo, Helpers) {
  for (long long n : {8LL, 16LL, 1024LL, 1LL << 30}) EXPECT_EQ(dsp::JeMocninaDvou(n), 1) << n;
  for (long long n : {0LL, 1LL, 2LL, 4LL, 12LL, -8LL, 1LL << 31}) EXPECT_EQ(dsp::JeMocninaDvou(n), 0) << n;
  for (long long n : {1LL, 2LL, 4LL, 1LL << 30}) EXPECT_EQ(dsp::DelkaJeMocDvou(n), 1) << n;
  for (long long n : {0LL, 3LL, 6LL, -2LL, 1LL << 31}) EXPECT_EQ(dsp::DelkaJeMocDvou(n), 0) << n;
  for (auto [n, nearest] :
       {std::pair{3, 4}, {0, 4}, {6, 8}, {7, 8}, {11, 8}, {12, 16}, {1500, 1024}, {1600, 2048}})
    EXPECT_EQ(dsp::NejblizsiMocdvou(n), nearest) << n;
}

}  // namespace
