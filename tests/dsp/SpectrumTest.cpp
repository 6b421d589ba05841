// The transform on store channels: flags, questions, messages, refusals,
// and the tools around it (window, magnitudes, band filter, powers of two).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "dsp/Fft.h"
#include "dsp/PowerOfTwo.h"
#include "ops/Spectrum.h"
#include "ops/SpectrumTools.h"
#include "state/Messages.h"
#include "state/StoreAccess.h"
#include "support/TestSupport.h"

namespace {

constexpr double kPi = std::numbers::pi;
using platform::Answer;
using testing_support::TestEnv;

// Makes exactly the given channels active with n samples each.
void Layout(state::Program& p, int store, std::initializer_list<int> channels, int n) {
  store::Header_s& h = p.Header(store::StoreFromFlag(store));
  std::fill(std::begin(h.ChannelOn), std::end(h.ChannelOn), int16_t(0));
  for (int c : channels) {
    h.ChannelOn[c] = 1;
    p.Freq(store::StoreFromFlag(store))[c] = 0;
    p.Channels(store::StoreFromFlag(store))[c].IsSpectrum = 0;
    p.Channels(store::StoreFromFlag(store))[c].Step = 0.001f;
  }
  h.ChannelCount = int16_t(channels.size());
  h.Length = n;
}

float* Chan(state::Program& p, int store, int channel) {
  return p.Samples(store::StoreFromFlag(store)) + state::Pocatek(p, store::StoreFromFlag(store), channel);
}

std::vector<float> Fill(state::Program& p, int store, int channel, double (*f)(int j, int n)) {
  int n = p.Header(store::StoreFromFlag(store)).Length;
  float* d = Chan(p, store, channel);
  for (int j = 0; j < n; ++j) d[j] = float(f(j, n));
  return {d, d + n};
}

std::vector<float> Samples(state::Program& p, int store, int channel) {
  float* d = Chan(p, store, channel);
  return {d, d + p.Header(store::StoreFromFlag(store)).Length};
}

double Tone(int j, int n) { return 3 * std::cos(2 * kPi * 5 * j / n + 0.3) + 0.5; }
double Mixed(int j, int n) {
  return std::sin(0.37 * j) + 0.2 * std::cos(2 * kPi * 17 * j / n) + 0.01 * (j % 7);
}

bool IsSpectrum(state::Program& p, int store, int channel) {
  EXPECT_EQ(p.Freq(store::StoreFromFlag(store))[channel] != 0,
            p.Channels(store::StoreFromFlag(store))[channel].IsSpectrum != 0);
  return p.Freq(store::StoreFromFlag(store))[channel] != 0;
}

int Messages(const platform::ScriptedUi& ui, const std::string& kind) {
  int n = 0;
  for (const auto& s : ui.Log()) n += s.kind == kind;
  return n;
}

TEST(Spectrum, ForwardThenBackOnBothStores) {
  TestEnv env;
  state::Program& p = env.prog;
  for (int store : {1, 0}) {
    Layout(p, store, {0, 2}, 1024);
    std::vector<float> x = Fill(p, store, 2, Tone);
    std::vector<float> other = Fill(p, store, 0, Mixed);
    ASSERT_EQ(ops::FFT_Command(p, store::StoreFromFlag(store), 2, false), 1);
    EXPECT_TRUE(IsSpectrum(p, store, 2));
    EXPECT_FALSE(IsSpectrum(p, store, 0));
    float* s = Chan(p, store, 2);
    EXPECT_NEAR(std::hypot(s[5], s[512 + 5]), 3.0, 1e-4);
    EXPECT_NEAR(s[0], 1.0, 1e-5);  // twice the mean
    EXPECT_EQ(Samples(p, store, 0), other);
    ASSERT_EQ(ops::FFT_Command(p, store::StoreFromFlag(store), 2, false), 1);
    EXPECT_FALSE(IsSpectrum(p, store, 2));
    std::vector<float> back = Samples(p, store, 2);
    for (int j = 0; j < 1024; ++j) ASSERT_NEAR(back[j], x[j], 1e-5) << j;
  }
  EXPECT_EQ(Messages(env.ui, "message"), 0);
}

TEST(Spectrum, AllChannelsAndQuestions) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {1, 4}, 64);
  Fill(p, 1, 1, Mixed);
  std::vector<float> keep = Fill(p, 1, 4, Tone);
  env.ui.Push(Answer::Yes);
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 65535, true), 0);  // the second was declined
  EXPECT_TRUE(IsSpectrum(p, 1, 1));
  EXPECT_FALSE(IsSpectrum(p, 1, 4));
  EXPECT_EQ(Samples(p, 1, 4), keep);
  ASSERT_EQ(Messages(env.ui, "question"), 2);
  EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, 428) + ", kanal 2");
  EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, 15));
  EXPECT_EQ(env.ui.Log()[1].text, state::Txt(p, 428) + ", kanal 5");
  EXPECT_GE(env.ui.beeps_, 2);
  EXPECT_EQ(env.ui.Cursor(), "");
  // A spectrum asks the inverse question; inside a macro nothing is asked.
  env.ui.ClearLog();
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::FFT_Transform(p, store::Store::W, 1, 32, true), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 426) + ", kanal 2");
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 65535, true), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_FALSE(IsSpectrum(p, 1, 1));
  EXPECT_TRUE(IsSpectrum(p, 1, 4));
}

TEST(Spectrum, WrongDirectionIsReportedAndChangesNothing) {
  TestEnv env;
  state::Program& p = env.prog;
  for (int store : {1, 0}) {
    env.ui.ClearLog();
    Layout(p, store, {0}, 256);
    std::vector<float> x = Fill(p, store, 0, Mixed);
    EXPECT_EQ(ops::InverzRealFFT(p, store::StoreFromFlag(store), 0, 128, true), 0);
    ASSERT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(env.ui.Log()[0].text, state::Txt(p, store ? 433 : 434));
    EXPECT_EQ(env.ui.Log()[0].title, state::Txt(p, 13));
    ASSERT_EQ(ops::RealFFT(p, store::StoreFromFlag(store), 0, 128, true), 1);
    std::vector<float> spectrum = Samples(p, store, 0);
    EXPECT_EQ(ops::RealFFT(p, store::StoreFromFlag(store), 0, 128, true), 0);
    EXPECT_EQ(env.ui.LastText(), state::Txt(p, store ? 431 : 432));
    EXPECT_EQ(Samples(p, store, 0), spectrum);
    EXPECT_TRUE(IsSpectrum(p, store, 0));
    // The direct path refuses the same way.
    EXPECT_EQ(ops::RealFFT_SLOW(p, store::StoreFromFlag(store), 0, 100, true), 0);
    EXPECT_EQ(Samples(p, store, 0), spectrum);
  }
}

TEST(Spectrum, WithoutCommitTheChannelStays) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {0}, 256);
  std::vector<float> x = Fill(p, 1, 0, Mixed);
  std::vector<float> want(256);
  (void)dsp::RealSpectrum(x.data(), want.data(), 128);
  ASSERT_EQ(ops::RealFFT(p, store::Store::W, 0, 128, false), 1);
  EXPECT_EQ(Samples(p, 1, 0), x);
  EXPECT_FALSE(IsSpectrum(p, 1, 0));
  EXPECT_EQ(std::vector<float>(p.Scratch(store::Store::W), p.Scratch(store::Store::W) + 256), want);
  // The direct path (M = 100) as well: its result lands in the scratch.
  Layout(p, 1, {0}, 200);
  x = Fill(p, 1, 0, Mixed);
  dsp::DirectSpectrum(x.data(), want.data(), 100);
  ASSERT_EQ(ops::RealFFT_SLOW(p, store::Store::W, 0, 100, false), 1);
  EXPECT_EQ(Samples(p, 1, 0), x);
  EXPECT_FALSE(IsSpectrum(p, 1, 0));
  EXPECT_EQ(std::vector<float>(p.Scratch(store::Store::W), p.Scratch(store::Store::W) + 200),
            std::vector<float>(want.begin(), want.begin() + 200));
  // An inverse without commit leaves a spectrum a spectrum.
  ASSERT_EQ(ops::RealFFT(p, store::Store::W, 0, 100, true), 1);
  std::vector<float> spectrum = Samples(p, 1, 0);
  EXPECT_EQ(ops::InverzRealFFT(p, store::Store::W, 0, 100, false), 1);
  EXPECT_EQ(Samples(p, 1, 0), spectrum);
  EXPECT_TRUE(IsSpectrum(p, 1, 0));
}

TEST(Spectrum, ShortAndOddLengths) {
  TestEnv env;
  state::Program& p = env.prog;
  for (int n : {0, 1}) {
    Layout(p, 1, {0}, n);
    if (n) Chan(p, 1, 0)[0] = 4.0f;
    EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 0) << n;
    EXPECT_FALSE(IsSpectrum(p, 1, 0));
    if (n) {
      EXPECT_EQ(Chan(p, 1, 0)[0], 4.0f);
    }
  }
  // Two samples: mean term and Nyquist term, and back in the same order.
  Layout(p, 1, {0}, 2);
  Chan(p, 1, 0)[0] = 5;
  Chan(p, 1, 0)[1] = 2;
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  EXPECT_EQ(Samples(p, 1, 0), (std::vector<float>{7, 3}));
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  EXPECT_EQ(Samples(p, 1, 0), (std::vector<float>{5, 2}));
  // Three samples: the odd last one is no part of the transform.
  Layout(p, 1, {0}, 3);
  Chan(p, 1, 0)[2] = 9;
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  EXPECT_EQ(Chan(p, 1, 0)[2], 9.0f);
  // Seven samples: M = 3 goes the direct way, the seventh stays.
  Layout(p, 1, {0}, 7);
  std::vector<float> x = Fill(p, 1, 0, Mixed);
  std::vector<float> want(6);
  dsp::DirectSpectrum(x.data(), want.data(), 3);
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  std::vector<float> got = Samples(p, 1, 0);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 1e-6);
  EXPECT_EQ(got[6], x[6]);
  EXPECT_EQ(Messages(env.ui, "question"), 0);
}

TEST(Spectrum, LongDirectTransformAsksFirst) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {0}, 1000);  // M = 500: direct, no question
  Fill(p, 1, 0, Mixed);
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  EXPECT_EQ(Messages(env.ui, "question"), 0);
  Layout(p, 1, {0}, 3000);  // M = 1500: asked even inside a macro
  std::vector<float> x = Fill(p, 1, 0, Mixed);
  p.MacGoing = 1;
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 0);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 1228));
  EXPECT_EQ(Samples(p, 1, 0), x);
  EXPECT_FALSE(IsSpectrum(p, 1, 0));
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  EXPECT_TRUE(IsSpectrum(p, 1, 0));
  // The way back asks nothing and drops only the Nyquist component.
  env.ui.ClearLog();
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  double nyquist = 0;
  for (int j = 0; j < 3000; ++j) nyquist += x[j] * (j % 2 ? -1 : 1) / 3000.0;
  std::vector<float> back = Samples(p, 1, 0);
  for (int j = 0; j < 3000; ++j) ASSERT_NEAR(back[j], x[j] - nyquist * (j % 2 ? -1 : 1), 2e-4) << j;
}

TEST(Spectrum, InactiveMissingAndOversizedChannels) {
  TestEnv env(4096);
  state::Program& p = env.prog;
  Layout(p, 1, {0}, 64);
  EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 3, false), 0);
  EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 200, false), 0);
  EXPECT_EQ(ops::RealFFT(p, store::Store::W, 3, 32, true), 0);
  EXPECT_FALSE(IsSpectrum(p, 1, 3));
  EXPECT_EQ(ops::RealFFT(p, store::Store::W, 0, 64, true), 0);  // M larger than the channel allows
  // A header naming more than the array holds: the second block lies past it.
  Layout(p, 1, {0, 1}, 4096);
  EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 1, false), 0);
  EXPECT_FALSE(IsSpectrum(p, 1, 1));
  // No sample array at all: 490, nothing else.
  p.Waveform.reset();
  env.ui.ClearLog();
  EXPECT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 0);
  ASSERT_EQ(env.ui.Log().size(), 1u);
  EXPECT_EQ(env.ui.LastText(), state::Txt(p, 490));
}

TEST(WeightWindow, ValuesAndRange) {
  EXPECT_NEAR(dsp::WeightWindow(0, 100), 0.00095, 1e-12);
  EXPECT_NEAR(dsp::WeightWindow(50, 100), 2.48705, 1e-12);
  double sum = 0;
  for (int j = 0; j < 100; ++j) sum += dsp::WeightWindow(j, 100);
  EXPECT_NEAR(sum / 100, 1.0, 1e-12);
  std::vector<float> ones(8, 1.0f);
  dsp::WeightFunUtil(8, ones.data());
  EXPECT_FLOAT_EQ(ones[0], 0.00095f);
  EXPECT_FLOAT_EQ(ones[4], 2.48705f);
  EXPECT_NEAR(ones[2], 1 - 0.244 - 0.00305 * std::cos(3 * kPi / 2) + 0, 1e-6);
  std::vector<float> part(10, 2.0f);
  dsp::WeightFunUtil_Cursor(3, 6, part.data());
  EXPECT_EQ(part[2], 2.0f);
  EXPECT_EQ(part[7], 2.0f);
  EXPECT_FLOAT_EQ(part[3], 2 * 0.00095f);
  EXPECT_FLOAT_EQ(part[5], 2 * 2.48705f);
  dsp::WeightFunUtil_Cursor(6, 3, part.data());  // reversed: nothing
  EXPECT_EQ(part[7], 2.0f);
}

TEST(WeightWindow, ChannelBetweenCursors) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {0}, 16);
  std::fill(Chan(p, 1, 0), Chan(p, 1, 0) + 16, 1.0f);
  p.CGW[0].Cur1 = 9;  // reversed
  p.CGW[0].Cur2 = 2;
  ASSERT_EQ(ops::WeightChannel(p, store::Store::W, 0, ops::WeightRange::BetweenCursorsZeroOutside), 1);
  std::vector<float> d = Samples(p, 1, 0);
  EXPECT_EQ(d[0], 0.0f);
  EXPECT_EQ(d[1], 0.0f);
  EXPECT_FLOAT_EQ(d[2], 0.00095f);
  EXPECT_EQ(d[10], 0.0f);
  EXPECT_EQ(d[15], 0.0f);
  p.CGW[0].Cur1 = -5;
  p.CGW[0].Cur2 = 40;
  std::fill(Chan(p, 1, 0), Chan(p, 1, 0) + 16, 1.0f);
  ASSERT_EQ(ops::WeightChannel(p, store::Store::W, 0, ops::WeightRange::BetweenCursors), 1);
  EXPECT_FLOAT_EQ(Chan(p, 1, 0)[8], 2.48705f);
  EXPECT_EQ(ops::WeightChannel(p, store::Store::W, 7, ops::WeightRange::Whole), 0);
}

TEST(Magnitudes, SpectrumAndTimeChannels) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {0, 1}, 1024);
  Fill(p, 1, 0, Tone);
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  ASSERT_EQ(ops::ToMagUtil(p, store::Store::W, 0), 1);
  std::vector<float> m = Samples(p, 1, 0);
  EXPECT_NEAR(m[5], 3.0, 1e-4);
  EXPECT_NEAR(m[0], 1.0, 1e-5);
  for (int k = 512; k < 1024; ++k) ASSERT_EQ(m[k], 0.0f);
  EXPECT_TRUE(IsSpectrum(p, 1, 0));
  std::vector<float> x = Fill(p, 1, 1, Mixed);
  ASSERT_EQ(ops::ToMagUtil(p, store::Store::W, 1), 1);
  for (int j = 0; j < 1024; ++j) ASSERT_EQ(Chan(p, 1, 1)[j], std::fabs(x[j]));
  EXPECT_EQ(ops::ToMagUtil(p, store::Store::W, 9), 0);
}

double TwoTones(int j, int n) { return std::cos(2 * kPi * 5 * j / n) + 0.5 * std::sin(2 * kPi * 40 * j / n); }

TEST(BandFilter, PassAndStop) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {0}, 256);
  Fill(p, 1, 0, TwoTones);
  p.HGW.TriggerFlag = 1;
  ASSERT_EQ(ops::DigFilUtil(p, store::Store::W, 0, 20, 60, dsp::BandFilter::Pass), 1);  // keeps bins 21 … 59
  EXPECT_FALSE(IsSpectrum(p, 1, 0));
  EXPECT_EQ(p.HGW.TriggerFlag, 0);
  for (int j = 0; j < 256; ++j)
    ASSERT_NEAR(Chan(p, 1, 0)[j], 0.5 * std::sin(2 * kPi * 40 * j / 256), 1e-5) << j;
  Fill(p, 1, 0, TwoTones);
  ASSERT_EQ(ops::DigFilUtil(p, store::Store::W, 0, 30, 50, dsp::BandFilter::Stop), 1);
  for (int j = 0; j < 256; ++j) ASSERT_NEAR(Chan(p, 1, 0)[j], std::cos(2 * kPi * 5 * j / 256), 1e-5) << j;
  // From 0 keeps bin 0 (and the Nyquist slot beside it); to = M still
  // removes the Nyquist term.
  for (int j = 0; j < 256; ++j) Chan(p, 1, 0)[j] = 2.0f + (j % 2 ? -1.0f : 1.0f);
  ASSERT_EQ(ops::DigFilUtil(p, store::Store::W, 0, 0, 128, dsp::BandFilter::Pass), 1);
  for (int j = 0; j < 256; ++j) ASSERT_NEAR(Chan(p, 1, 0)[j], 2.0f, 1e-5) << j;
}

TEST(BandFilter, SpectrumChannelIsFilteredInPlace) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {0}, 64);
  Fill(p, 1, 0, Mixed);
  ASSERT_EQ(ops::FFT_Command(p, store::Store::W, 0, false), 1);
  std::vector<float> s = Samples(p, 1, 0);
  ASSERT_EQ(ops::DigFilUtil(p, store::Store::W, 0, 2, 3, dsp::BandFilter::Stop), 1);
  EXPECT_TRUE(IsSpectrum(p, 1, 0));
  std::vector<float> got = Samples(p, 1, 0);
  for (int i = 0; i < 64; ++i) {
    bool zeroed = i == 2 || i == 3 || i == 34 || i == 35;
    EXPECT_EQ(got[i], zeroed ? 0.0f : s[i]) << i;
  }
}

TEST(BandFilter, DeclinedTransformLeavesTheSamples) {
  TestEnv env;
  state::Program& p = env.prog;
  Layout(p, 1, {0}, 3000);
  std::vector<float> x = Fill(p, 1, 0, Mixed);
  env.ui.Push(Answer::No);
  EXPECT_EQ(ops::DigFilUtil(p, store::Store::W, 0, 10, 20, dsp::BandFilter::Pass), 0);
  EXPECT_EQ(Samples(p, 1, 0), x);
  EXPECT_FALSE(IsSpectrum(p, 1, 0));
}

TEST(BandFilter, ZeroSpectrumBinsStaysInTheSpectrum) {
  std::vector<float> s(9, 1.0f);  // M = 4 and an odd ninth sample
  dsp::ZeroSpectrumBins(s.data(), 4, 3, 10);
  EXPECT_EQ(s, (std::vector<float>{1, 1, 1, 0, 0, 1, 1, 0, 1}));
  dsp::ZeroSpectrumBins(s.data(), 4, -3, 0);
  EXPECT_EQ(s, (std::vector<float>{0, 1, 1, 0, 0, 1, 1, 0, 1}));
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
