#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "VirtualCardFixture.h"

namespace vctest {
namespace {

using SignalFile = VirtualCardTest;

// One single scan of inputs 0..n-1 on the 10 V range.
std::vector<uint32_t> ScanInputs(int32_t h, int32_t n) {
  for (int32_t i = 0; i < n; ++i) EXPECT_EQ(Card().Td_Config_Acquisition(h, i, 0, i, n), DUZIV_OK);
  EXPECT_EQ(Card().Td_Start_Acquisition(h, 1), DUZIV_OK);
  std::vector<uint32_t> words(static_cast<std::size_t>(n));
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, words.data(), n), DUZIV_OK);
  return words;
}

TEST_F(SignalFile, GarbageLinesAreSkippedAndTheRestApplies) {
  std::string text =
      "# a comment\n"
      "all dc 1\n"
      "5 dc 2 0 0.5      # 2.5 V\n"
      "6 dc 9999         # amplitude out of bounds\n"
      "7 wobble 1 1 1\n"
      "40 dc 3\n"
      "-1 dc 3\n"
      "8 dc 1 2 3 4      # trailing field\n"
      "9 dc abc\n"
      "10 dc 1e400\n"
      "11 dc nan\n"
      "12 DC -0.75\r\n"
      "15 sine 1 -5\n"
      "16\n"
      "\n"
      "   \t  \n"
      "all dc 0.5\n"  // later `all` lines do not undo explicit ones
      "30 dc 1.5\n";
  text += "13 dc 3" + std::string(300, ' ') + "\n";  // too long
  text += std::string("14 dc 3\0junk\n", 13);        // NUL inside
  text += "17 dc -2";                                // no final newline
  WriteConfig(text);
  const int32_t h = Open();
  const std::vector<uint32_t> codes = ScanInputs(h, 32);
  const uint32_t half = 34406;  // 0.5 V
  EXPECT_EQ(codes[5], 40960u);
  EXPECT_EQ(codes[12], 30310u);
  EXPECT_EQ(codes[17], 26214u);
  EXPECT_EQ(codes[30], 37683u);  // named: no longer the output loopback
  EXPECT_EQ(codes[31], 32776u);  // still output B at code 2048
  for (int skipped : {0, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 29}) EXPECT_EQ(codes[skipped], half) << skipped;
}

TEST_F(SignalFile, HostileFilesFallBackToTheDefaults) {
  const auto defaultsAtInput1 = [&] {
    const int32_t h = Open();
    ASSERT_EQ(Card().Td_Config_Acquisition(h, 1, 0, 0, 1), DUZIV_OK);
    SetFrequency(h, 80.0);  // input 1: 20 Hz, so the 2nd scan is at the 2 V peak
    ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
    const std::vector<uint32_t> data = Read(h, 2);
    EXPECT_EQ(data[0], 32768u);
    EXPECT_EQ(data[1], 39322u);
    Close(h);
  };
  setenv(DUZIV_ENV_CONFIG, dir_.c_str(), 1);  // a folder
  defaultsAtInput1();
  setenv(DUZIV_ENV_CONFIG, "/dev/zero", 1);  // endless, not a regular file
  defaultsAtInput1();

  std::mt19937 random(7);
  std::string noise(200000, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  WriteConfig(noise);
  const int32_t h = Open();
  EXPECT_EQ(ScanInputs(h, 32).size(), 32u);
}

TEST_F(SignalFile, EveryKindHasItsShape) {
  WriteConfig(
      "0 square 2 100 0.5\n"
      "1 triangle 3 100\n"
      "2 noise 1\n"
      "3 dc 1.25\n"
      "4 sine 1 100 -2\n");
  const int32_t h = Open();
  ConfigScan(h, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}});
  SetFrequency(h, 10000.0);
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  const int scans = 1000;
  const std::vector<uint32_t> data = Read(h, 5 * scans);
  auto at = [&](int scan, int position) { return static_cast<double>(data[scan * 5 + position]); };

  // Square: 50 samples at +2.5 V, then 50 at -1.5 V.
  for (int s = 0; s < scans; ++s) EXPECT_EQ(at(s, 0), (s % 100) < 50 ? 40960.0 : 27853.0) << s;
  // Triangle: starts at 0, peaks at a quarter period, troughs at three quarters.
  EXPECT_EQ(at(0, 1), 32768.0);
  EXPECT_EQ(at(25, 1), 32768.0 + 9830.0);
  EXPECT_EQ(at(75, 1), 32768.0 - 9830.0);
  EXPECT_NEAR(at(10, 1) - 32768.0, 9830.4 * 0.4, 1.0);  // straight flanks
  // Noise: within +-1 V, spread out, mean near 0.
  double sum = 0.0, sumSquares = 0.0, low = 65535.0, high = 0.0;
  for (int s = 0; s < scans; ++s) {
    const double volts = (at(s, 2) - 32768.0) / 3276.8;
    sum += volts;
    sumSquares += volts * volts;
    low = std::min(low, volts);
    high = std::max(high, volts);
  }
  EXPECT_GE(low, -1.001);
  EXPECT_LE(high, 1.001);
  EXPECT_NEAR(sum / scans, 0.0, 0.1);
  EXPECT_NEAR(std::sqrt(sumSquares / scans), 1.0 / std::sqrt(3.0), 0.05);
  // Dc and an offset sine.
  for (int s = 0; s < scans; ++s) EXPECT_EQ(at(s, 3), 36864.0);
  EXPECT_EQ(at(0, 4), 26214.0);  // -2 V
  EXPECT_NEAR(at(25, 4), 32768.0 - 3276.8, 1.0);
}

}  // namespace
}  // namespace vctest
