#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "RunTestSupport.h"
#include "daq/Generator.h"
#include "daq/MeasurementRun.h"
#include "daq/RunCommands.h"
#include "daq/WaveformRun.h"

namespace {

using runtest::Sim;

TEST(WaveformRun, EscapeKeepsTheScansTakenAndClearsTheRest) {
  Sim s;
  s.Select({0, 1});
  s.p().HGW.Length = 60;
  std::fill(s.p().Waveform.get(), s.p().Waveform.get() + 120, 7.0f);
  s.ui.escapeAt = 11;  // found right after the scan with index 10
  EXPECT_EQ(daq::TRV_QW(s.p()), 0);
  EXPECT_EQ(std::tuple(s.p().INTERRUPT, s.p().GoQWAgain), std::tuple(1, 1));
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < 60; ++i) EXPECT_EQ(s.W(k)[i] != 0.0f, i < 10) << k << " " << i;
  EXPECT_TRUE(s.ui.Log().empty());  // an interruption is not reported as a failure
}

TEST(WaveformRun, AccumulationAndRunningMean) {
  Sim s;
  s.Select({0});
  s.p().HGW.Length = 16;
  s.p().A[0].Flags152 |= 0x01;
  s.runs().PocetVln = 1.0f;
  // The running mean of 1, 2 and 6 is 3; without it they add to what was there.
  for (auto [average, want] : {std::pair{1, 3.0f}, {0, 9.5f}}) {
    s.p().A[0].WAverage = average;
    std::fill(s.p().Waveform.get(), s.p().Waveform.get() + 16, average ? 0.0f : 0.5f);
    for (float v : {1.0f, 2.0f, 6.0f}) {
      s.Constant(0, v);
      ASSERT_EQ(daq::TRV_QW(s.p()), 1);
    }
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(s.W(0)[i], want) << average;
  }
}

TEST(WaveformRun, AdTestCountsEveryCodeOfTheRecordOnce) {
  Sim s;
  s.Select({0});
  s.p().ADBits = 12;
  s.ui.SetDefaultAnswer(platform::Answer::Yes);
  daq::ADTest(s.p());
  ASSERT_EQ(s.p().HGW.Length, 4096);
  EXPECT_EQ(s.p().QW, 1);  // repeated
  // Simulated codes are -1100..1099: nothing is counted outside.
  for (int i = 0; i < 4096; ++i)
    ASSERT_TRUE((i >= 2048 - 1100 && i <= 2048 + 1099) || s.W(0)[i] == 0.0f) << i;
  EXPECT_EQ(std::accumulate(s.W(0), s.W(0) + 4096, 0.0), 4096.0);
  ASSERT_EQ(daq::TRV_QW(s.p()), 1);  // the next repetition adds to the counts
  EXPECT_EQ(std::accumulate(s.W(0), s.W(0) + 4096, 0.0), 8192.0);
  daq::StopRun(s.p());
  EXPECT_EQ(s.runs().DoADTest, 0);
}

TEST(WaveformStart, RefusalsAndTheirMessages) {
  Sim s;
  s.p().DG.Simulation = 0;  // no card either
  s.Select({0});
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.Shown(56), 1);
  s.p().DG.Simulation = 1;
  s.p().MG.Acquire[0] = 0;
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.Shown(57), 1);
  s.Select({0, 1});
  for (int ch : {0, 1}) s.p().A[ch].Flags153 |= 0x04;
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.Shown(741), 1);
  s.p().A[1].Flags153 = 0;
  s.p().RefA().WPeriod = std::nanf("");
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.Shown(58), 1);
  s.p().RefA().WPeriod = 1.0f;
  s.p().RefA().WLength = -5;  // from an old job file
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.Shown(60), 1);
  EXPECT_EQ(s.p().QW, 0);
}

TEST(WaveformStart, SingleRunRepeatedRunAndSecondStartStops) {
  Sim s;
  s.Select({0, 2});
  store::A_s& ref = s.p().RefA();
  ref.WLength = 256;
  ref.WPeriod = 0.002f;  // too fast for two channels of the first group: warned, not refused
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.Shown(963), 1);
  EXPECT_EQ(std::tuple(s.p().QW, s.p().HGW.Length, s.p().HGW.ChannelOn[2]), std::tuple(0, 256, 1));
  ref.WPeriod = 1.0f;
  ref.WRepeat = 1;
  s.p().PG.QWRepeatCount = 3;
  s.env.clock.Advance(5000);
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(std::tuple(s.p().QW, s.p().PocitadloKolikOpak, s.p().LastWTime),
            std::tuple(1, 3, s.env.clock.TickMs()));
  daq::StartWaveformRun(s.p());  // a second start stops it
  EXPECT_EQ(std::tuple(s.p().QW, s.p().DoQW), std::tuple(0, 0));
}

TEST(WaveformStart, ExternalStartOnlyArmsAndTheGeneratorMustBeReady) {
  Sim s;
  s.Select({0});
  s.p().PG.Flags |= 0x40;
  s.ui.Push(platform::Answer::Yes);
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.p().QW_EXT, 1);
  EXPECT_EQ(s.runs().PocetVln, 1.0f);  // nothing acquired
  s.ui.Push(platform::Answer::Yes);
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.p().QW_EXT, 0);
  s.p().PG.Flags = 0;
  s.p().MGlobals.GenSynchro = 1;
  s.p().MGlobals.GenOutputs = 2;
  daq::StartWaveformRun(s.p());
  EXPECT_EQ(s.Shown(1421), 1);
}

TEST(WaveformStart, CombinedRunFeedsRmsPointsAndAsksBeforeStopping) {
  Sim s;
  s.Select({0, 1});
  state::Program& p = s.p();
  store::A_s& ref = p.RefA();
  ref.WLength = 64;
  ref.WRepeat = ref.Combi = ref.MStore = 1;
  ref.WToMCode = 0;
  ref.MLength = 8;
  ref.MPeriod = 1.0f;
  daq::StartWaveformRun(p);
  ASSERT_EQ(p.QW, 1);
  EXPECT_EQ(std::tuple(p.HGB.Length, p.Bindx), std::tuple(8, -1));
  ASSERT_EQ(daq::GoQM(p, false, true), 1);  // the first point is due at once
  ASSERT_EQ(p.Bindx, 0);
  for (int k = 0; k < 2; ++k) {
    double sum = std::inner_product(s.W(k), s.W(k) + 64, s.W(k), 0.0);
    EXPECT_NEAR(s.M(k)[0], std::sqrt(sum / 64), 1e-5);
  }
  EXPECT_EQ(daq::GoQM(p, false, true), 1);  // not due yet
  EXPECT_EQ(p.Bindx, 0);
  s.ui.Push(platform::Answer::No);
  daq::RunCommand(p, 208);
  EXPECT_EQ(p.QW, 1);
  s.ui.Push(platform::Answer::Yes);
  daq::RunCommand(p, 208);
  EXPECT_EQ(p.QW, 0);
}

}  // namespace
