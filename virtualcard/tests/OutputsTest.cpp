#include <vector>

#include "VirtualCardFixture.h"

namespace vctest {
namespace {

using Outputs = VirtualCardTest;

uint32_t SingleScanWord(int32_t h, int position, int length) {
  std::vector<uint32_t> words(static_cast<std::size_t>(length));
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, words.data(), length), DUZIV_OK);
  return words[static_cast<std::size_t>(position)];
}

TEST_F(Outputs, DigitalOutputIsLoopedBackToTheInput) {
  const int32_t h = Open();
  uint32_t in = 12345;
  ASSERT_EQ(Card().Td_Get_DI(h, 0, &in, 1), DUZIV_OK);
  EXPECT_EQ(in, 0u);
  const uint32_t pattern = 0xA5;
  ASSERT_EQ(Card().Td_Set_DO(h, 0, &pattern, 1), DUZIV_OK);
  ASSERT_EQ(Card().Td_Get_DI(h, 0, &in, 1), DUZIV_OK);
  EXPECT_EQ(in, 0xA5u);
  const uint32_t wide = 0x1FF;  // the port has 8 bits
  ASSERT_EQ(Card().Td_Set_DO(h, 0, &wide, 1), DUZIV_OK);
  ASSERT_EQ(Card().Td_Get_DI(h, 0, &in, 1), DUZIV_OK);
  EXPECT_EQ(in, 0xFFu);

  EXPECT_EQ(Card().Td_Set_DO(h, 1, &pattern, 1), DUZIV_BAD_ARGUMENT);
  uint32_t two[2] = {};
  EXPECT_EQ(Card().Td_Get_DI(h, 0, two, 2), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_DI(h, 0, nullptr, 1), DUZIV_BAD_ARGUMENT);
}

TEST_F(Outputs, AnalogOutputsAppearOnInputs30And31) {
  const int32_t h = Open();
  ConfigScan(h, {{30, 0}, {31, 0}, {30, 1}});
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_OK);
  // At power-up both outputs stand at code 2048, just above 0 V.
  EXPECT_EQ(SingleScanWord(h, 0, 3), 32776u);

  const uint32_t extremes[2] = {0, 4095};
  ASSERT_EQ(Card().Td_Set_AO(h, 0, extremes, 2), DUZIV_OK);
  EXPECT_EQ(SingleScanWord(h, 0, 3), 0u);
  EXPECT_EQ(SingleScanWord(h, 1, 3), 65535u);

  const uint32_t onlyB = 1024;  // -5 V
  ASSERT_EQ(Card().Td_Set_AO(h, 1, &onlyB, 1), DUZIV_OK);
  EXPECT_EQ(SingleScanWord(h, 0, 3), 0u);
  EXPECT_NEAR(static_cast<double>(SingleScanWord(h, 1, 3)), 16388.0, 1.0);

  const uint32_t tooHigh[2] = {5000, 2048};  // clamped to 4095
  ASSERT_EQ(Card().Td_Set_AO(h, 0, tooHigh, 2), DUZIV_OK);
  EXPECT_EQ(SingleScanWord(h, 0, 3), 65535u);
  EXPECT_EQ(SingleScanWord(h, 2, 3), 65535u);  // +10 V on the 5 V range

  EXPECT_EQ(Card().Td_Set_AO(h, 0, extremes, 3), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Set_AO(h, 1, extremes, 2), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Set_AO(h, 0, nullptr, 2), DUZIV_BAD_ARGUMENT);
}

TEST_F(Outputs, SynchronousCyclicGeneratorReplaysWithTheAcquisition) {
  const int32_t h = Open();
  ASSERT_EQ(Card().Td_Config_Generating(h, 0, 0, 0, 1), DUZIV_OK);
  double frequency = 1000.0, period = 0.0;
  ASSERT_EQ(Card().Td_Config_Timing_Generating(h, &frequency, &period), DUZIV_OK);
  ASSERT_EQ(Card().Td_Config_Generating_Mode(h, 2, 1, 1), DUZIV_OK);
  const uint32_t ramp[] = {0, 1024, 2048, 3072, 4095};
  int32_t sent = 0, status = 0;
  ASSERT_EQ(Card().Td_Set_Buffer_Data(h, ramp, 5, &sent), DUZIV_OK);
  EXPECT_EQ(sent, 5);
  ASSERT_EQ(Card().Td_Get_Generating_Status(h, 2, &status), DUZIV_OK);
  EXPECT_EQ(status, 5);
  ASSERT_EQ(Card().Td_Start_Generating(h), DUZIV_OK);

  ConfigScan(h, {{30, 0}, {31, 0}});
  // Armed, not yet running: the output still shows its static value.
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_OK);
  EXPECT_EQ(SingleScanWord(h, 0, 2), 32776u);

  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  const std::vector<uint32_t> data = Read(h, 2 * 12);
  for (int s = 0; s < 12; ++s) {
    EXPECT_EQ(data[s * 2], data[(s % 5) * 2]) << "scan " << s;  // cyclic, period 5
    EXPECT_EQ(data[s * 2 + 1], 32776u) << "output B is not in the list";
  }
  EXPECT_EQ(data[0], 0u);
  EXPECT_LT(data[2], data[4]);
  EXPECT_LT(data[4], data[6]);
  EXPECT_EQ(data[8], 65535u);

  // Stopped, the output falls back to the static value.
  ASSERT_EQ(Card().Td_Stop_Generating(h), DUZIV_OK);
  EXPECT_EQ(Read(h, 2)[0], 32776u);
}

TEST_F(Outputs, OneShotReplayOnBothOutputsHoldsItsLastSample) {
  const int32_t h = Open();
  ASSERT_EQ(Card().Td_Config_Generating(h, 0, 0, 0, 2), DUZIV_OK);
  ASSERT_EQ(Card().Td_Config_Generating(h, 1, 0, 1, 2), DUZIV_OK);
  ASSERT_EQ(Card().Td_Config_Generating_Mode(h, 2, 0, 0), DUZIV_OK);
  const uint32_t interleaved[] = {0, 4095, 2048, 2048, 4095, 0};  // A0 B0 A1 B1 A2 B2
  int32_t sent = 0;
  ASSERT_EQ(Card().Td_Set_Buffer_Data(h, interleaved, 6, &sent), DUZIV_OK);

  ConfigScan(h, {{30, 0}, {31, 0}});
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  Read(h, 4);
  // Started while scanning: it begins with the next scan.
  ASSERT_EQ(Card().Td_Start_Generating(h), DUZIV_OK);
  const std::vector<uint32_t> data = Read(h, 2 * 5);
  const uint32_t expected[] = {0, 65535, 32776, 32776, 65535, 0, 65535, 0, 65535, 0};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(data[i], expected[i]) << i;

  int32_t status = 0;
  ASSERT_EQ(Card().Td_Get_Generating_Status(h, 1, &status), DUZIV_OK);
  EXPECT_EQ(status, 1);
  // Nothing may be reconfigured under a running generator.
  EXPECT_EQ(Card().Td_Set_Buffer_Data(h, interleaved, 2, &sent), DUZIV_BUSY);
  EXPECT_EQ(Card().Td_Config_Generating(h, 0, 0, 0, 1), DUZIV_BUSY);
  EXPECT_EQ(Card().Td_Start_Generating(h), DUZIV_BUSY);
}

TEST_F(Outputs, GeneratorBufferHoldsDacDepthAndIsReleasedByMode1) {
  const int32_t h = Open();
  std::vector<uint32_t> words(DUZIV_VIRTUAL_DAC_DEPTH + 100, 1000);
  int32_t sent = -1, status = 0;
  EXPECT_EQ(Card().Td_Set_Buffer_Data(h, words.data(), 10, &sent), DUZIV_NOT_CONFIGURED);
  EXPECT_EQ(sent, 0);
  EXPECT_EQ(Card().Td_Start_Generating(h), DUZIV_NOT_CONFIGURED);

  ASSERT_EQ(Card().Td_Config_Generating(h, 0, 0, 0, 1), DUZIV_OK);
  ASSERT_EQ(Card().Td_Config_Generating_Mode(h, 2, 1, 0), DUZIV_OK);
  EXPECT_EQ(Card().Td_Start_Generating(h), DUZIV_NOT_CONFIGURED);  // nothing loaded
  ASSERT_EQ(Card().Td_Set_Buffer_Data(h, words.data(), 100, &sent), DUZIV_OK);
  ASSERT_EQ(Card().Td_Set_Buffer_Data(h, words.data(), DUZIV_VIRTUAL_DAC_DEPTH, &sent), DUZIV_OK);
  EXPECT_EQ(sent, DUZIV_VIRTUAL_DAC_DEPTH - 100);
  ASSERT_EQ(Card().Td_Set_Buffer_Data(h, words.data(), 10, &sent), DUZIV_OK);
  EXPECT_EQ(sent, 0);
  ASSERT_EQ(Card().Td_Get_Generating_Status(h, 2, &status), DUZIV_OK);
  EXPECT_EQ(status, DUZIV_VIRTUAL_DAC_DEPTH);
  EXPECT_EQ(Card().Td_Set_Buffer_Data(h, words.data(), -1, &sent), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_Generating_Status(h, 7, &status), DUZIV_BAD_ARGUMENT);

  ASSERT_EQ(Card().Td_Config_Generating_Mode(h, 1, 0, 0), DUZIV_OK);
  ASSERT_EQ(Card().Td_Get_Generating_Status(h, 2, &status), DUZIV_OK);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Card().Td_Set_Buffer_Data(h, words.data(), 10, &sent), DUZIV_NOT_CONFIGURED);
  EXPECT_EQ(Card().Td_Config_Generating_Mode(h, 3, 0, 0), DUZIV_BAD_ARGUMENT);
}

TEST_F(Outputs, SynchronousGeneratorCannotBeSetUpUnderARunningScan) {
  const int32_t h = Open();
  ConfigScan(h, {{0, 0}});
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  EXPECT_EQ(Card().Td_Config_Generating_Mode(h, 2, 1, 1), DUZIV_BUSY);
  // The program's recovery: stop the acquisition and try again.
  ASSERT_EQ(Card().Td_Stop_Acquisition(h), DUZIV_OK);
  EXPECT_EQ(Card().Td_Config_Generating_Mode(h, 2, 1, 1), DUZIV_OK);
}

}  // namespace
}  // namespace vctest
