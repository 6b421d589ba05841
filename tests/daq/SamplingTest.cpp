#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "FakeDriver.h"
#include "RealCard.h"
#include "daq/Conversion.h"
#include "daq/Driver.h"
#include "daq/Sampling.h"

namespace {

using fake::S;
using Codes = std::vector<int16_t>;

void Select(daq::CardState& c, int channel, int rangeIndex) {
  c.TED_Rec[channel] = 1.0f;
  c.TED_Gain[channel] = float(rangeIndex);
}

TEST(ScanList, AscendingChannelsSpecialSourcesAndNothingAbove31) {
  fake::Env f;
  daq::CardState& c = f.card();
  for (auto [ch, range] : {std::pair{40, 1}, {6, 12}, {5, 11}, {3, 3}, {0, 1}, {31, 6}}) Select(c, ch, range);
  ASSERT_EQ(daq::BuildScanList(f.p()), 5u);
  EXPECT_EQ(std::vector<int32_t>(c.IChannelMux, c.IChannelMux + 5),
            (std::vector<int32_t>{0, 3, 256, 257, 31}));
  EXPECT_EQ(std::vector<int32_t>(c.IChannelGain, c.IChannelGain + 5), (std::vector<int32_t>{0, 2, 0, 0, 5}));
  EXPECT_EQ(
      std::tuple(daq::ScanPosition(f.p(), 6), daq::ScanPosition(f.p(), 40), daq::ScanPosition(f.p(), 4)),
      std::tuple(3, -1, -1));
}

TEST(StartSampling, ConfiguresTimingWithTheTenHertzFloor) {
  fake::Env f;
  daq::CardState& c = f.card();
  Select(c, 1, 1);
  Select(c, 2, 2);
  // 200 ms and an impossible period from an old job: 10 Hz; 10 µs: 100 kHz.
  for (auto [period, frequency] : {std::pair{200.0f, 10.0}, {0.0f, 10.0}, {0.01f, 100000.0}}) {
    c.TED_SamplePeriod = period;
    ASSERT_EQ(daq::StartSampling(f.p()), 1);
    EXPECT_NEAR(S().lastFrequency, frequency, 0.01) << period;
    EXPECT_NEAR(f.p().A[0].WPeriod, 1000.0 / frequency, 1e-6);  // the period the driver set, in ms
  }
  EXPECT_EQ(S().config[1].input, 2);
}

TEST(StartSampling, FailuresCloseOrReportAndTheTransferGivesUp) {
  {
    fake::Env f;
    Select(f.card(), 0, 1);
    S().startStatus = -9;
    Codes out(100);
    EXPECT_EQ(daq::BOARD_GetData_FIFO(f.p(), out, 10), 0);
    EXPECT_EQ(f.env.ui.Count("Chyba Td_Start_Acquisition -9"), 1);
    EXPECT_EQ(f.card().Driver_Inicializovan, 0);
  }
  {
    fake::Env f;
    Select(f.card(), 0, 1);
    S().timingStatus = 3;
    EXPECT_EQ(daq::StartSampling(f.p()), 0);
    EXPECT_EQ(f.env.ui.Count("Td_Config_Ai_Timing"), 1);
  }
  fake::Env f;
  Select(f.card(), 0, 1);
  f.p().MGlobals.GenSynchro = 1;  // no generator can start
  EXPECT_EQ(daq::StartSampling(f.p()), 0);
  EXPECT_EQ(f.env.ui.Count("Chyba DAC"), 1);
  int starts = 0;
  f.card().GeneratorStart = [&](state::Program& p) {
    daq::Card(p).DA_going = ++starts == 2;  // starts on the second try
    return 1;
  };
  EXPECT_EQ(daq::StartSampling(f.p()), 1);
  EXPECT_EQ(starts, 2);
}

TEST(BlockTransfer, AbsurdCountsNeverWritePastTheBuffer) {
  fake::Env f;
  for (int ch : {0, 1}) Select(f.card(), ch, 1);
  S().waitingOverride = INT32_MAX;
  S().gotFactor = 1000;
  // Room for 100 scans, 1000 asked for; guards on both sides.
  Codes memory(2 * 100 + 16, 7777);
  std::span<int16_t> out(memory.data() + 8, 200);
  ASSERT_EQ(daq::BOARD_GetData_FIFO(f.p(), out, 1000), 1);
  EXPECT_EQ(Codes(memory.begin(), memory.begin() + 8), Codes(8, 7777));
  EXPECT_EQ(Codes(memory.end() - 8, memory.end()), Codes(8, 7777));
  EXPECT_EQ(std::tuple(out[199], S().streamed), std::tuple(199, 200u));
}

TEST(BlockTransfer, StalledCardEscapeAndReadErrorsEndTheTransfer) {
  const std::pair<void (*)(fake::Env&), const char*> cases[] = {
      {[](fake::Env&) { S().waitingOverride = 0; }, "Chyba pri cteni vzorku z bufferu"},
      {[](fake::Env& f) { f.env.ui.PressEscape(); }, nullptr},
      {[](fake::Env&) { S().bufferDataStatus = 12; }, "Chyba Td_Get_Buffer 12"},
  };
  for (auto [arrange, caption] : cases) {
    fake::Env f;
    Select(f.card(), 0, 1);
    arrange(f);
    Codes out(10);
    uint32_t before = f.env.clock.TickMs();
    EXPECT_EQ(daq::BOARD_GetData_FIFO(f.p(), out, 10), 0);
    if (caption == nullptr) {
      EXPECT_EQ(f.p().INTERRUPT, 1);
      EXPECT_GE(S().stops, 1);
    } else {
      EXPECT_EQ(f.env.ui.Count(caption), 1) << caption;
    }
    // A stalled card is waited for five seconds.
    EXPECT_TRUE(S().waitingOverride != 0 || f.env.clock.TickMs() - before >= 5000u);
  }
}

TEST(OneScan, ContinuousScanReadAndRecovery) {
  fake::Env f;
  for (int ch : {0, 1}) Select(f.card(), ch, 1);
  Codes out(2);
  EXPECT_EQ(daq::BOARD_GetData(f.p(), out), 0);  // driver closed
  ASSERT_EQ(daq::StartSampling(f.p()), 1);
  S().waitingOverride = 1;
  EXPECT_EQ(daq::BOARD_GetData(f.p(), out), 0);  // not a whole scan yet
  S().waitingOverride = 2;
  EXPECT_EQ(daq::BOARD_GetData(f.p(), out), 1);
  EXPECT_EQ(out[1], 1);
  S().bufferStatus = 5;
  size_t inits = S().initNames.size();
  EXPECT_EQ(daq::BOARD_GetData(f.p(), out), daq::kReadRecovered);
  EXPECT_EQ(S().initNames.size(), inits + 1);  // re-opened
  EXPECT_EQ(f.env.ui.Count("Chyba Td_Get_Buffer_Status 5"), 1);
}

TEST(Ports, DigitalAndAnalogOutputs) {
  fake::Env f;
  EXPECT_EQ(std::tuple(daq::DacCode(-12.0f), daq::DacCode(12.0f), daq::DacCode(std::nanf(""))),
            std::tuple(0u, 4095u, 0u));
  f.p().RefA().DA1Value = 5.0f;
  f.p().RefA().DA2Value = -5.0f;
  daq::TRV_SetDA(f.p());
  EXPECT_EQ(std::tuple(S().ao[0], S().ao[1]), std::tuple(3072u, 1024u));
  S().aoStatus = 6;
  daq::BOARD_DA_Out(f.p(), 2);  // no such output: nothing happens
  EXPECT_EQ(f.env.ui.Count("Chyba Td_Set_AO"), 0);
  daq::BOARD_DA_Out(f.p(), 1);
  EXPECT_EQ(f.env.ui.Count("Chyba Td_Set_AO 6"), 1);
  daq::TRV_PutDigOut(f.p(), 300);
  EXPECT_EQ(S().lastDO, 255u);
  S().di = 0x12345;
  EXPECT_EQ(daq::TRV_GetDigIn(f.p()), 0x2345);
  int word = 0;
  f.p().BoardPresent = 1;
  EXPECT_TRUE(daq::ReadDigitalInputs(f.p(), word));
  EXPECT_EQ(word, 0x2345);
}

TEST(Ports, SimulationAndNoCardNeverTouchTheLibrary) {
  fake::Env f;
  f.p().DG.Simulation = 1;
  Select(f.card(), 0, 1);
  Codes out(32, -5);
  EXPECT_EQ(daq::StartSampling(f.p()), 1);
  EXPECT_EQ(daq::BOARD_GetData_FIFO(f.p(), out, 1), 1);
  EXPECT_EQ(daq::BOARD_SW_GetData(f.p(), out), 1);
  EXPECT_EQ(daq::BOARD_GetDigIn(f.p()), 1);
  daq::BOARD_PutDigOut(f.p(), 3);
  daq::TRV_SetDA(f.p());
  EXPECT_EQ(out[0], -5);
  EXPECT_TRUE(S().opened.empty());
  // No card found (and no simulation flag): the main loop's input poll
  // simulates instead of trying the loader at every tick.
  f.p().DG.Simulation = 0;
  f.p().BoardPresent = 0;
  S().openFails = true;
  int word = 0;
  EXPECT_TRUE(daq::ReadDigitalInputs(f.p(), word));
  EXPECT_EQ(word, 1);
  EXPECT_TRUE(S().opened.empty());
}

// --- the virtual card through dlopen ---

TEST(RealCard, BlockTransferSpecialSourcesAndConversion) {
  realcard::Env r;
  if (!r.ok) GTEST_SKIP() << r.skipReason;
  ASSERT_EQ(daq::Board_Init(r.p()), 1) << daq::DriverReport(r.p());
  daq::CardState& c = daq::Card(r.p());
  for (int ch = 0; ch < 8; ++ch) Select(c, ch, 1);
  for (auto [ch, range] : {std::pair{8, 11}, {9, 12}, {35, 1}}) Select(c, ch, range);
  c.TED_SamplePeriod = 0.01f;
  const size_t scans = 4096;
  Codes out(scans * 10 + 10, 12345);
  ASSERT_EQ(daq::BOARD_GetData_FIFO(r.p(), out, long(scans)), 1);
  EXPECT_EQ(std::tuple(c.pocet_kanalu, c.IChannelMux[8], c.IChannelMux[9]), std::tuple(10u, 256, 257));
  EXPECT_EQ(Codes(out.begin() + long(scans) * 10, out.end()), Codes(10, 12345));
  // Every converted value lies within the +-10 V range.
  std::vector<float> values(scans);
  daq::ConvertCodes(daq::MakeConversion(r.p(), 0), out.data(), 10, scans, values.data());
  for (float v : values) ASSERT_LE(std::fabs(v), 10.0f);
}

TEST(RealCard, OutputsLoopBackAndFailuresOnRequest) {
  {
    realcard::Env r;
    if (!r.ok) GTEST_SKIP() << r.skipReason;
    ASSERT_EQ(daq::Board_Init(r.p()), 1) << daq::DriverReport(r.p());
    daq::TRV_PutDigOut(r.p(), 0xA5);
    EXPECT_EQ(daq::TRV_GetDigIn(r.p()) & 0xFF, 0xA5);
    daq::CardState& c = daq::Card(r.p());
    c.DAC_val[0] = 5.0f;
    c.DAC_val[1] = -2.5f;
    daq::BOARD_DA_Out(r.p(), 0);
    for (int ch : {30, 31}) {
      Select(c, ch, 1);
      r.p().A[ch] = r.p().A[0];
    }
    Codes out(32);
    ASSERT_EQ(daq::BOARD_SW_GetData(r.p(), out), 1);
    EXPECT_NEAR(daq::AD_Kalibrace(r.p(), out[30], 30), 5.0f, 0.05f);
    EXPECT_NEAR(daq::AD_Kalibrace(r.p(), out[31], 31), -2.5f, 0.05f);
  }
  realcard::Env r("Td_Get_Buffer_Data:-31");
  ASSERT_EQ(daq::Board_Init(r.p()), 1) << daq::DriverReport(r.p());
  Select(daq::Card(r.p()), 0, 1);
  Codes out(100);
  EXPECT_EQ(daq::BOARD_GetData_FIFO(r.p(), out, 100), 0);
  EXPECT_EQ(r.env.ui.Count("Chyba Td_Get_Buffer -31"), 1);
}

}  // namespace
