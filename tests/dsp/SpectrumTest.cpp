// The transform on store channels: flags, questions, messages, refusals,
// and the tools around it (window, magnitudes, band filter, powers of two).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "app/Messages.h"
#include "app/StoreAccess.h"
#include "dsp/Fft.h"
#include "dsp/PowerOfTwo.h"
#include "dsp/Spectrum.h"
#include "dsp/SpectrumTools.h"
#include "support/TestSupport.h"

namespace {

constexpr double kPi = std::numbers::pi;
using platform::Answer;
using testing_support::TestEnv;

// Makes exactly the given channels active with n samples each.
void Layout(app::Program& p, int store, std::initializer_list<int> channels, int n) {
  store::Header_s& h = p.Header(store);
  std::fill(std::begin(h.ChannelOn), std::end(h.ChannelOn), int16_t(0));
  for (int c : channels) {
    h.ChannelOn[c] = 1;
    p.Freq(store)[c] = 0;
    p.Channels(store)[c].IsSpectrum = 0;
    p.Channels(store)[c].Step = 0.001f;
  }
  h.ChannelCount = int16_t(channels.size());
  h.Length = n;
}

float* Chan(app::Program& p, int store, int channel) {
  return p.Samples(store) + app::Pocatek(p, store, channel);
}

std::vector<float> Fill(app::Program& p, int store, int channel, double (*f)(int j, int n)) {
  int n = p.Header(store).Length;
  float* d = Chan(p, store, channel);
  for (int j = 0; j < n; ++j) d[j] = float(f(j, n));
  return {d, d + n};
}

std::vector<float> Samples(app::Program& p, int store, int channel) {
  float* d = Chan(p, store, channel);
  return {d, d + p.Header(store).Length};
}

double Tone(int j, int n) { return 3 * std::cos(2 * kPi * 5 * j / n + 0.3) + 0.5; }
double Mixed(int j, int n) {
  return std::sin(0.37 * j) + 0.2 * std::cos(2 * kPi * 17 * j / n) + 0.01 * (j % 7);
}

bool IsSpectrum(app::Program& p, int store, int channel) {
  EXPECT_EQ(p.Freq(store)[channel] != 0, p.Channels(store)[channel].IsSpectrum != 0);
  return p.Freq(store)[channel] != 0;
}

int Messages(const platform::ScriptedUi& ui, const std::string& kind) {
  int n = 0;
  for (const auto& s : ui.Log()) n += s.kind == kind;
  return n;
}

TEST(Spectrum, AllChannelsAndQuestions) {
  TestEnv env;
  app::Program& p = env.prog;
  Layout(p, 1, {1, 4}, 64);
  Fill(p, 1, 1, Mixed);
  std::vector<float> keep = Fill(p, 1, 4, Tone);
  env.ui.Push(Answer::Yes);
  env.ui.Push(Answer::No);
  EXPECT_EQ(dsp::FFT_Command(p, 1, 1, 65535), 0);  // the second was declined
  EXPECT_TRUE(IsSpectrum(p, 1, 1));
  EXPECT_FALSE(IsSpectrum(p, 1, 4));
  EXPECT_EQ(Samples(p, 1, 4), keep);
  ASSERT_EQ(Messages(env.ui, "question"), 2);
  EXPECT_EQ(env.ui.Log()[0].text, app::Txt(p, 428) + ", kanal 2");
  EXPECT_EQ(env.ui.Log()[0].title, app::Txt(p, 15));
  EXPECT_EQ(env.ui.Log()[1].text, app::Txt(p, 428) + ", kanal 5");
  EXPECT_GE(env.ui.beeps_, 2);
  EXPECT_EQ(env.ui.Cursor(), "");
  // A spectrum asks the inverse question; inside a macro nothing is asked.
  env.ui.ClearLog();
  env.ui.Push(Answer::No);
  EXPECT_EQ(dsp::FFT_Transform(p, 1, 1, 32, 1), 0);
  EXPECT_EQ(env.ui.LastText(), app::Txt(p, 426) + ", kanal 2");
  p.MacGoing = 1;
  env.ui.ClearLog();
  EXPECT_EQ(dsp::FFT_Command(p, 1, 1, 65535), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  EXPECT_FALSE(IsSpectrum(p, 1, 1));
  EXPECT_TRUE(IsSpectrum(p, 1, 4));
}

TEST(Spectrum, WrongDirectionIsReportedAndChangesNothing) {
  TestEnv env;
  app::Program& p = env.prog;
  for (int store : {1, 0}) {
    env.ui.ClearLog();
    Layout(p, store, {0}, 256);
    std::vector<float> x = Fill(p, store, 0, Mixed);
    EXPECT_EQ(dsp::InverzRealFFT(p, store, 0, 128, 1), 0);
    ASSERT_EQ(env.ui.Log().size(), 1u);
    EXPECT_EQ(env.ui.Log()[0].text, app::Txt(p, store ? 433 : 434));
    EXPECT_EQ(env.ui.Log()[0].title, app::Txt(p, 13));
    ASSERT_EQ(dsp::RealFFT(p, store, 0, 128, 1), 1);
    std::vector<float> spectrum = Samples(p, store, 0);
    EXPECT_EQ(dsp::RealFFT(p, store, 0, 128, 1), 0);
    EXPECT_EQ(env.ui.LastText(), app::Txt(p, store ? 431 : 432));
    EXPECT_EQ(Samples(p, store, 0), spectrum);
    EXPECT_TRUE(IsSpectrum(p, store, 0));
    // The direct path refuses the same way.
    EXPECT_EQ(dsp::RealFFT_SLOW(p, store, 0, 100, 1), 0);
    EXPECT_EQ(Samples(p, store, 0), spectrum);
  }
}

TEST(Spectrum, ShortAndOddLengths) {
  TestEnv env;
  app::Program& p = env.prog;
  for (int n : {0, 1}) {
    Layout(p, 1, {0}, n);
    if (n) Chan(p, 1, 0)[0] = 4.0f;
    EXPECT_EQ(dsp::FFT_Command(p, 0, 1, 0), 0) << n;
    EXPECT_FALSE(IsSpectrum(p, 1, 0));
    if (n) {
      EXPECT_EQ(Chan(p, 1, 0)[0], 4.0f);
    }
  }
  // Two samples: mean term and Nyquist term, and back in the same order.
  Layout(p, 1, {0}, 2);
  Chan(p, 1, 0)[0] = 5;
  Chan(p, 1, 0)[1] = 2;
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  EXPECT_EQ(Samples(p, 1, 0), (std::vector<float>{7, 3}));
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  EXPECT_EQ(Samples(p, 1, 0), (std::vector<float>{5, 2}));
  // Three samples: the odd last one is no part of the transform.
  Layout(p, 1, {0}, 3);
  Chan(p, 1, 0)[2] = 9;
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  EXPECT_EQ(Chan(p, 1, 0)[2], 9.0f);
  // Seven samples: M = 3 goes the direct way, the seventh stays.
  Layout(p, 1, {0}, 7);
  std::vector<float> x = Fill(p, 1, 0, Mixed);
  std::vector<float> want(6);
  dsp::DirectSpectrum(x.data(), want.data(), 3);
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  std::vector<float> got = Samples(p, 1, 0);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 1e-6);
  EXPECT_EQ(got[6], x[6]);
  EXPECT_EQ(Messages(env.ui, "question"), 0);
}

TEST(Spectrum, LongDirectTransformAsksFirst) {
  TestEnv env;
  app::Program& p = env.prog;
  Layout(p, 1, {0}, 1000);  // M = 500: direct, no question
  Fill(p, 1, 0, Mixed);
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  EXPECT_EQ(Messages(env.ui, "question"), 0);
  Layout(p, 1, {0}, 3000);  // M = 1500: asked even inside a macro
  std::vector<float> x = Fill(p, 1, 0, Mixed);
  p.MacGoing = 1;
  env.ui.Push(Answer::No);
  EXPECT_EQ(dsp::FFT_Command(p, 0, 1, 0), 0);
  EXPECT_EQ(env.ui.LastText(), app::Txt(p, 1228));
  EXPECT_EQ(Samples(p, 1, 0), x);
  EXPECT_FALSE(IsSpectrum(p, 1, 0));
  env.ui.Push(Answer::Yes);
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  EXPECT_TRUE(IsSpectrum(p, 1, 0));
  // The way back asks nothing and drops only the Nyquist component.
  env.ui.ClearLog();
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  EXPECT_TRUE(env.ui.Log().empty());
  double nyquist = 0;
  for (int j = 0; j < 3000; ++j) nyquist += x[j] * (j % 2 ? -1 : 1) / 3000.0;
  std::vector<float> back = Samples(p, 1, 0);
  for (int j = 0; j < 3000; ++j) ASSERT_NEAR(back[j], x[j] - nyquist * (j % 2 ? -1 : 1), 2e-4) << j;
}

TEST(Spectrum, InactiveMissingAndOversizedChannels) {
  TestEnv env(4096);
  app::Program& p = env.prog;
  Layout(p, 1, {0}, 64);
  EXPECT_EQ(dsp::FFT_Command(p, 0, 1, 3), 0);
  EXPECT_EQ(dsp::FFT_Command(p, 0, 1, 200), 0);
  EXPECT_EQ(dsp::RealFFT(p, 1, 3, 32, 1), 0);
  EXPECT_FALSE(IsSpectrum(p, 1, 3));
  EXPECT_EQ(dsp::RealFFT(p, 1, 0, 64, 1), 0);  // M larger than the channel allows
  // A header naming more than the array holds: the second block lies past it.
  Layout(p, 1, {0, 1}, 4096);
  EXPECT_EQ(dsp::FFT_Command(p, 0, 1, 1), 0);
  EXPECT_FALSE(IsSpectrum(p, 1, 1));
  // No sample array at all: 490, nothing else.
  p.Waveform.reset();
  env.ui.ClearLog();
  EXPECT_EQ(dsp::FFT_Command(p, 0, 1, 0), 0);
  ASSERT_EQ(env.ui.Log().size(), 1u);
  EXPECT_EQ(env.ui.LastText(), app::Txt(p, 490));
}

TEST(WeightWindow, ChannelBetweenCursors) {
  TestEnv env;
  app::Program& p = env.prog;
  Layout(p, 1, {0}, 16);
  std::fill(Chan(p, 1, 0), Chan(p, 1, 0) + 16, 1.0f);
  p.CGW[0].Cur1 = 9;  // reversed
  p.CGW[0].Cur2 = 2;
  ASSERT_EQ(dsp::WeightChannel(p, 1, 0, dsp::WeightRange::BetweenCursorsZeroOutside), 1);
  std::vector<float> d = Samples(p, 1, 0);
  EXPECT_EQ(d[0], 0.0f);
  EXPECT_EQ(d[1], 0.0f);
  EXPECT_FLOAT_EQ(d[2], 0.00095f);
  EXPECT_EQ(d[10], 0.0f);
  EXPECT_EQ(d[15], 0.0f);
  p.CGW[0].Cur1 = -5;
  p.CGW[0].Cur2 = 40;
  std::fill(Chan(p, 1, 0), Chan(p, 1, 0) + 16, 1.0f);
  ASSERT_EQ(dsp::WeightChannel(p, 1, 0, dsp::WeightRange::BetweenCursors), 1);
  EXPECT_FLOAT_EQ(Chan(p, 1, 0)[8], 2.48705f);
  EXPECT_EQ(dsp::WeightChannel(p, 1, 7, dsp::WeightRange::Whole), 0);
}

TEST(Magnitudes, SpectrumAndTimeChannels) {
  TestEnv env;
  app::Program& p = env.prog;
  Layout(p, 1, {0, 1}, 1024);
  Fill(p, 1, 0, Tone);
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  ASSERT_EQ(dsp::ToMagUtil(p, 1, 0), 1);
  std::vector<float> m = Samples(p, 1, 0);
  EXPECT_NEAR(m[5], 3.0, 1e-4);
  EXPECT_NEAR(m[0], 1.0, 1e-5);
  for (int k = 512; k < 1024; ++k) ASSERT_EQ(m[k], 0.0f);
  EXPECT_TRUE(IsSpectrum(p, 1, 0));
  std::vector<float> x = Fill(p, 1, 1, Mixed);
  ASSERT_EQ(dsp::ToMagUtil(p, 1, 1), 1);
  for (int j = 0; j < 1024; ++j) ASSERT_EQ(Chan(p, 1, 1)[j], std::fabs(x[j]));
  EXPECT_EQ(dsp::ToMagUtil(p, 1, 9), 0);
}

double TwoTones(int j, int n) { return std::cos(2 * kPi * 5 * j / n) + 0.5 * std::sin(2 * kPi * 40 * j / n); }

TEST(BandFilter, PassAndStop) {
  TestEnv env;
  app::Program& p = env.prog;
  Layout(p, 1, {0}, 256);
  Fill(p, 1, 0, TwoTones);
  p.HGW.TriggerFlag = 1;
  ASSERT_EQ(dsp::DigFilUtil(p, 1, 1, 0, 20, 60), 1);  // keeps bins 21 … 59
  EXPECT_FALSE(IsSpectrum(p, 1, 0));
  EXPECT_EQ(p.HGW.TriggerFlag, 0);
  for (int j = 0; j < 256; ++j)
    ASSERT_NEAR(Chan(p, 1, 0)[j], 0.5 * std::sin(2 * kPi * 40 * j / 256), 1e-5) << j;
  Fill(p, 1, 0, TwoTones);
  ASSERT_EQ(dsp::DigFilUtil(p, 0, 1, 0, 30, 50), 1);
  for (int j = 0; j < 256; ++j) ASSERT_NEAR(Chan(p, 1, 0)[j], std::cos(2 * kPi * 5 * j / 256), 1e-5) << j;
  // From 0 keeps bin 0 (and the Nyquist slot beside it); to = M still
  // removes the Nyquist term.
  for (int j = 0; j < 256; ++j) Chan(p, 1, 0)[j] = 2.0f + (j % 2 ? -1.0f : 1.0f);
  ASSERT_EQ(dsp::DigFilUtil(p, 1, 1, 0, 0, 128), 1);
  for (int j = 0; j < 256; ++j) ASSERT_NEAR(Chan(p, 1, 0)[j], 2.0f, 1e-5) << j;
}

TEST(BandFilter, SpectrumChannelIsFilteredInPlace) {
  TestEnv env;
  app::Program& p = env.prog;
  Layout(p, 1, {0}, 64);
  Fill(p, 1, 0, Mixed);
  ASSERT_EQ(dsp::FFT_Command(p, 0, 1, 0), 1);
  std::vector<float> s = Samples(p, 1, 0);
  ASSERT_EQ(dsp::DigFilUtil(p, 0, 1, 0, 2, 3), 1);
  EXPECT_TRUE(IsSpectrum(p, 1, 0));
  std::vector<float> got = Samples(p, 1, 0);
  for (int i = 0; i < 64; ++i) {
    bool zeroed = i == 2 || i == 3 || i == 34 || i == 35;
    EXPECT_EQ(got[i], zeroed ? 0.0f : s[i]) << i;
  }
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
