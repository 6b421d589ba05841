// The runs through the virtual card library (dlopen, fast mode).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <utility>
#include <vector>

#include "RealCard.h"
#include "RunTestSupport.h"
#include "daq/Driver.h"
#include "daq/Generator.h"
#include "daq/GeneratorPage.h"
#include "daq/MeasurementRun.h"
#include "daq/RunCommands.h"
#include "daq/Sampling.h"
#include "daq/WaveformRun.h"
#include "store/FixedText.h"

namespace {

// DC inputs: input k carries 0.5 (k + 1) V.
struct Card : realcard::Env {
  Card() {
    if (!ok) return;
    std::string conf;
    for (int k = 0; k < 30; ++k) conf += std::to_string(k) + " dc " + std::to_string(0.5 * (k + 1)) + "\n";
    testing_support::WriteText(env.dir / "signals.conf", conf);
    ::setenv("DUZIV_VIRTUAL_CONFIG", (env.dir / "signals.conf").c_str(), 1);
    for (auto& a : p().MG.Acquire) a = 0;
    initialised = daq::Board_Init(p()) == 1;
  }
  ~Card() {
    ::unsetenv("DUZIV_VIRTUAL_CONFIG");
    daq::ReleaseRuns(p());
  }
  const float* W(int block) { return p().Waveform.get() + size_t(block) * size_t(p().HGW.Length); }
  bool initialised = false;
};

#define NEED_CARD(c)                           \
  if (!(c).ok) GTEST_SKIP() << (c).skipReason; \
  ASSERT_TRUE((c).initialised) << daq::DriverReport((c).p())

TEST(RunsOnCard, WaveformScanOrderConversionAndChannelsAbove32) {
  Card c;
  NEED_CARD(c);
  state::Program& p = c.p();
  for (int ch : {0, 2, 5, 40}) p.MG.Acquire[ch] = 1;
  p.HGW.Length = 1000;
  p.RefA().WPeriod = 0.01f;
  ASSERT_EQ(daq::TRV_QW(p), 1);
  const float expect[4] = {0.5f, 1.5f, 3.0f, 0.0f};
  for (int k = 0; k < 4; ++k)
    for (int i = 0; i < 1000; ++i) ASSERT_NEAR(c.W(k)[i], expect[k], 1e-3f) << k << " " << i;
  EXPECT_NE(store::FieldText(p.Status).find("32"), std::string::npos);
  // Said once per run; the running mean of a record twice as large is 1.5 times it.
  state::TS(p, "-");
  for (int ch : {0, 2, 5}) {
    p.A[ch].Flags152 |= 0x01;
    p.A[ch].WAverage = 1;
    p.A[ch].CalValue1 = -20.0f;
    p.A[ch].CalValue2 = 20.0f;
  }
  daq::Runs(p).PocetVln = 2.0f;
  ASSERT_EQ(daq::TRV_QW(p), 1);
  EXPECT_EQ(store::FieldText(p.Status), "-");
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(c.W(k)[500], 1.5f * expect[k], 2e-3f);
}

TEST(RunsOnCard, AdTestAndMeasurementPointsBySingleScans) {
  Card c;
  NEED_CARD(c);
  state::Program& p = c.p();
  const int16_t reference = p.MG.RefChannelM1;
  p.MG.Acquire[4] = 1;  // 2.5 V: code 8192
  p.MG.RefChannelM1 = 4;
  p.ADBits = 16;
  p.A[4].WPeriod = 0.01f;
  daq::ADTest(p);
  ASSERT_EQ(p.HGW.Length, 65536);
  EXPECT_EQ(c.W(0)[8192 + 32768] + c.W(0)[8191 + 32768] + c.W(0)[8193 + 32768], 65536.0f);
  daq::StopRun(p);

  p.MG.Acquire[4] = 0;
  for (int ch : {1, 7, 33}) p.MG.Acquire[ch] = 1;
  p.MG.RefChannelM1 = reference;
  p.RefA().MAverageExp = 3;
  p.A[7].MSpike = 1;
  ASSERT_EQ(daq::TRV_QM(p, 1, 0), 1);
  daq::RunState& r = daq::Runs(p);
  EXPECT_NEAR(r.Val[1], 1.0f, 1e-3f);
  EXPECT_NEAR(r.Val[7], 4.0f, 1e-3f);
  EXPECT_EQ(r.Val[33], 0.0f);
}

TEST(RunsOnCard, GeneratorLimitsSynchronousReplayAndRestVoltage) {
  Card c;
  NEED_CARD(c);
  state::Program& p = c.p();
  daq::CardState& card = daq::Card(p);
  p.MGlobals.GenOutputs = 2;
  p.MGlobals.GenCyclic = 1;
  card.DA_frequency = 1000.0;
  for (size_t size : {65537u, 65536u}) {  // one sample more than the card holds is refused
    card.DA_BufferA.assign(size, daq::DacCode(3.0f));
    card.DA_BufferB.assign(size, daq::DacCode(-1.0f));
    card.DA_Size = int32_t(size);
    EXPECT_EQ(daq::BOARD_DA_Generator_Start(p), size == 65536u) << size;
    EXPECT_EQ(card.DA_going, size == 65536u);
  }
  p.MGlobals.GenRestA = 1.0f;
  p.MGlobals.GenRestB = -100.0f;
  ASSERT_EQ(daq::BOARD_DA_Generator_Stop(p), 1);
  EXPECT_EQ(card.DA_going, 0);
  EXPECT_FLOAT_EQ(card.DAC_val[0], 1.0f);
  // Synchronous: the waveform run starts the generator, and input 30 reads output A.
  p.MGlobals.GenSynchro = 1;
  p.MG.Acquire[30] = 1;
  p.MG.RefChannelM1 = 30;
  p.A[30].WLength = 512;
  p.A[30].WPeriod = 0.01f;
  daq::StartWaveformRun(p);
  EXPECT_EQ(p.HGW.Length, 512);
  for (int i = 16; i < 512; ++i) ASSERT_NEAR(c.W(0)[i], 3.0f, 0.01f) << i;
  EXPECT_EQ(card.DA_going, 0);  // stopped with the scanning
}

TEST(RunsOnCard, PageSineReplaysOnOutputAAndAWaveformStartStopsTheGenerator) {
  Card c;
  NEED_CARD(c);
  state::Program& p = c.p();
  p.HGW.Length = 512;
  p.FGW[0].Step = 0.001f;
  daq::GeneratorPage page(p);
  store::MGlobals_s& g = page.Globals();
  g.GenStore = 0;
  g.GenOutputs = 0;
  g.GenCyclic = 1;
  g.GenSynchro = 1;
  g.GenRestA = 1.0f;
  page.Shape(0).GenShape = 2;
  for (auto [field, text] : {std::pair{daq::GenField::LevelA, "2"},
                             {daq::GenField::LevelB, "0.5"},
                             {daq::GenField::Period, "64"},
                             {daq::GenField::Phase, "0"}})
    ASSERT_TRUE(page.SetText(field, 0, text));
  ASSERT_EQ(page.Draw(p, 0), 1);
  const std::vector<float> drawn(c.W(0), c.W(0) + 512);
  page.Start(p);  // synchronous: it starts with the acquisition
  EXPECT_EQ(daq::Card(p).DA_going, 0);
  p.MG.Acquire[30] = 1;  // input 30 reads output A
  p.MG.RefChannelM1 = 30;
  p.A[30].WLength = 512;
  p.A[30].WPeriod = 0.01f;
  daq::StartWaveformRun(p);
  for (int i = 0; i < 512; ++i) ASSERT_NEAR(c.W(0)[i], drawn[size_t(i)], 0.012f) << i;

  g.GenSynchro = 0;
  page.Start(p);
  ASSERT_EQ(daq::Card(p).DA_going, 1);
  daq::StartWaveformRun(p);  // stops the generator first: the output rests at 1 V
  EXPECT_EQ(daq::Card(p).DA_going, 0);
  for (int i = 0; i < 512; ++i) ASSERT_NEAR(c.W(0)[i], 1.0f, 0.01f) << i;
}

}  // namespace
