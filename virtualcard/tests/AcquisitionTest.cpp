#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "VirtualCardFixture.h"

namespace vctest {
namespace {

using Acquisition = VirtualCardTest;

// DC levels chosen so that every code below is exact.
constexpr const char* LevelsConfig =
    "0 dc 1\n"
    "2 dc 3\n"
    "3 dc -1\n"
    "4 dc 2.5\n"
    "5 dc -2.5\n"
    "6 dc 0.1\n";

TEST_F(Acquisition, FifoDeliversScansInterleavedInListOrderAcrossOddReads) {
  WriteConfig(LevelsConfig);
  const int32_t h = Open();
  ConfigScan(h, {{3, 0}, {0, 0}, {257, 3}, {2, 1}, {256, 4}});
  SetFrequency(h, 1000.0);
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);

  int32_t waiting = 0;
  ASSERT_EQ(Card().Td_Get_Buffer_Status(h, &waiting), DUZIV_OK);
  EXPECT_GE(waiting, 5);
  EXPECT_EQ(waiting % 5, 0);  // whole scans

  // Reads that split scans must continue at the right position.
  std::vector<uint32_t> all = Read(h, 7);
  for (uint32_t word : Read(h, 13)) all.push_back(word);
  for (uint32_t word : Read(h, 5)) all.push_back(word);
  const uint32_t oneScan[] = {29491, 36045, 65535, 52429, 32768};
  for (std::size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i], oneScan[i % 5]) << "sample " << i;
}

TEST_F(Acquisition, RangesScaleAndClampTheCodes) {
  WriteConfig(LevelsConfig);
  const int32_t h = Open();
  ConfigScan(h, {{4, 0}, {4, 1}, {4, 2}, {5, 2}, {6, 5}, {257, 0}, {256, 5}});
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_OK);
  uint32_t words[7] = {};
  ASSERT_EQ(Card().Td_Get_SingleAcquisition(h, words, 7), DUZIV_OK);
  const uint32_t expected[] = {40960, 49152, 65535, 0, 49152, 65535, 32768};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(words[i], expected[i]) << "position " << i;
}

TEST_F(Acquisition, NeverWritesMoreWordsThanAsked) {
  const int32_t h = Open();
  ConfigScan(h, {{0, 0}, {1, 0}, {2, 0}});
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  std::vector<uint32_t> words(64, 0xDEADBEEFu);
  int32_t got = -1;
  ASSERT_EQ(Card().Td_Get_Buffer_Data(h, words.data(), 7, &got), DUZIV_OK);
  EXPECT_EQ(got, 7);
  EXPECT_TRUE(std::all_of(words.begin() + 7, words.end(), [](uint32_t w) { return w == 0xDEADBEEFu; }));
  ASSERT_EQ(Card().Td_Get_Buffer_Data(h, words.data(), 0, &got), DUZIV_OK);
  EXPECT_EQ(got, 0);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words.data(), -1, &got), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, nullptr, 4, &got), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words.data(), 4, nullptr), DUZIV_BAD_ARGUMENT);

  // A single scan shorter than the list gives its first positions only.
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_OK);
  std::fill(words.begin(), words.end(), 0xDEADBEEFu);
  ASSERT_EQ(Card().Td_Get_SingleAcquisition(h, words.data(), 2), DUZIV_OK);
  EXPECT_EQ(words[2], 0xDEADBEEFu);
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, words.data(), 4), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, words.data(), 0), DUZIV_BAD_ARGUMENT);
}

TEST_F(Acquisition, ModesAreKeptApart) {
  const int32_t h = Open();
  uint32_t words[4] = {};
  int32_t got = 0, waiting = 0;
  EXPECT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_NOT_CONFIGURED);
  ConfigScan(h, {{0, 0}, {1, 0}});
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, words, 2), DUZIV_NOT_RUNNING);
  EXPECT_EQ(Card().Td_Get_Buffer_Status(h, &waiting), DUZIV_NOT_RUNNING);
  EXPECT_EQ(Card().Td_Start_Acquisition(h, 3), DUZIV_BAD_ARGUMENT);

  ASSERT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, words, 2), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 2, &got), DUZIV_NOT_RUNNING);

  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, words, 2), DUZIV_NOT_RUNNING);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 2, &got), DUZIV_OK);

  ASSERT_EQ(Card().Td_Stop_Acquisition(h), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 2, &got), DUZIV_NOT_RUNNING);
  EXPECT_EQ(Card().Td_Stop_Acquisition(h), DUZIV_OK);  // stopping twice is harmless
}

TEST_F(Acquisition, ScanListMustBeCompleteAndInRange) {
  const int32_t h = Open();
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 0, 0, 3, 3), DUZIV_BAD_ARGUMENT);  // position beyond length
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 0, 0, -1, 3), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 32, 0, 0, 3), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 258, 0, 0, 3), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 0, 6, 0, 3), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 0, 0, 0, 33), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 0, 0, 0, 0), DUZIV_BAD_ARGUMENT);

  ASSERT_EQ(Card().Td_Config_Acquisition(h, 0, 0, 0, 3), DUZIV_OK);
  ASSERT_EQ(Card().Td_Config_Acquisition(h, 1, 0, 1, 3), DUZIV_OK);
  EXPECT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_NOT_CONFIGURED);
  ASSERT_EQ(Card().Td_Config_Acquisition(h, 2, 0, 2, 3), DUZIV_OK);
  EXPECT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_OK);
  // A new length is a new list: the old positions no longer count.
  ASSERT_EQ(Card().Td_Config_Acquisition(h, 0, 0, 0, 2), DUZIV_OK);
  EXPECT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_NOT_CONFIGURED);
  EXPECT_EQ(Card().Td_Config_ScanCounter(h, 1, 0), DUZIV_OK);
  EXPECT_EQ(Card().Td_Config_ScanCounter(h, 1, 1), DUZIV_OK);
  EXPECT_EQ(Card().Td_Config_ScanCounter(h, 1, 2), DUZIV_BAD_ARGUMENT);
}

TEST_F(Acquisition, DefaultSignalsShowADistinctSineOnEveryInput) {
  const int32_t h = Open();
  ConfigScan(h, {{0, 0}, {3, 0}, {29, 0}});
  SetFrequency(h, 12000.0);
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  const int32_t scans = 1200;  // 0.1 s
  const std::vector<uint32_t> data = Read(h, 3 * scans);
  // Input k: amplitude 1 + k % 5 V at 10 (k + 1) Hz.
  const struct {
    double amplitude;
    int cycles;
  } expected[] = {{1.0, 1}, {4.0, 4}, {5.0, 30}};
  for (int position = 0; position < 3; ++position) {
    int32_t high = 0, low = 65535, rising = 0;
    for (int s = 0; s < scans; ++s) {
      const auto code = static_cast<int32_t>(data[s * 3 + position]);
      high = std::max(high, code);
      low = std::min(low, code);
      if (s > 0 && code >= 32768 && static_cast<int32_t>(data[(s - 1) * 3 + position]) < 32768) ++rising;
    }
    const double peak = expected[position].amplitude / 10.0 * 32768.0;
    EXPECT_NEAR(high - 32768, peak, peak * 0.01) << position;
    EXPECT_NEAR(32768 - low, peak, peak * 0.01) << position;
    EXPECT_NEAR(rising, expected[position].cycles, 1) << position;
  }
}

TEST_F(Acquisition, RealTimeScanningIsPacedAndReportsOverrun) {
  unsetenv(DUZIV_ENV_FAST);
  const int32_t h = Open();
  ConfigScan(h, {{0, 0}, {1, 0}});
  SetFrequency(h, 100000.0);
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  int32_t waiting = 0;
  ASSERT_EQ(Card().Td_Get_Buffer_Status(h, &waiting), DUZIV_OK);
  // 20 ms at 100 kHz is 4000 samples; a loaded machine may sleep longer.
  EXPECT_GE(waiting, 4000);
  EXPECT_LT(waiting, 400000);
  std::vector<uint32_t> words(static_cast<std::size_t>(waiting));
  int32_t got = 0;
  ASSERT_EQ(Card().Td_Get_Buffer_Data(h, words.data(), waiting, &got), DUZIV_OK);
  EXPECT_EQ(got, waiting);

  // 32 inputs at 500 kHz fill the 4M-sample buffer in about 0.26 s.
  std::vector<ScanEntry> wide;
  for (int32_t i = 0; i < 32; ++i) wide.push_back({i, 0});
  ASSERT_EQ(Card().Td_Stop_Acquisition(h), DUZIV_OK);
  ConfigScan(h, wide);
  SetFrequency(h, 500000.0);
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  ASSERT_EQ(Card().Td_Get_Buffer_Status(h, &waiting), DUZIV_OK);
  EXPECT_EQ(waiting, DUZIV_VIRTUAL_RING_SAMPLES);
  words.assign(64, 0);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words.data(), 64, &got), DUZIV_OVERRUN);
  EXPECT_EQ(got, 0);
  // Scanning goes on from the newest scan.
  ASSERT_EQ(Card().Td_Get_Buffer_Status(h, &waiting), DUZIV_OK);
  EXPECT_LT(waiting, DUZIV_VIRTUAL_RING_SAMPLES);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words.data(), 32, &got), DUZIV_OK);
}

}  // namespace
}  // namespace vctest
