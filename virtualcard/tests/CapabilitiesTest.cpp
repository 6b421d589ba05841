#include <cmath>
#include <cstring>
#include <string>

#include "VirtualCardFixture.h"

namespace vctest {
namespace {

using Capabilities = VirtualCardTest;

TEST_F(Capabilities, EveryEntryPointIsExportedAndNothingElse) {
#define DUZIV_CHECK(name) EXPECT_NE(Card().name, nullptr) << #name;
  DUZIV_ALL_ENTRY_POINTS(DUZIV_CHECK)
#undef DUZIV_CHECK
  // Internal code stays hidden, so it cannot clash with the program's symbols.
  EXPECT_EQ(dlsym(Library(), "_ZN11virtualcard9NoiseUnitEm"), nullptr);
}

TEST_F(Capabilities, DeviceNameAndEveryParameterTheProgramAsks) {
  double real = -1.0;
  int32_t integer = -1;
  std::string text(DUZIV_TEXT_SIZE, 'x');
  ASSERT_EQ(Card().Td_Get_Info_DeviceName("TARVELIN", 1, &real, text.data(), &integer), DUZIV_OK);
  const std::string deviceType = text.c_str();
  EXPECT_NE(deviceType.find("VIRTUAL"), std::string::npos);

  const struct {
    int32_t code;
    double value;
  } expected[] = {{2101, 32},   {1202, 16},  {2103, 16},     {2110, 6},      {2111, -10}, {2112, 10},
                  {2113, -5},   {2114, 5},   {2115, -2},     {2116, 2},      {2117, -1},  {2118, 1},
                  {2119, -0.5}, {2120, 0.5}, {2121, -0.2},   {2122, 0.2},    {1201, 2},   {1203, 16},
                  {1301, 1},    {1303, 16},  {2001, 500000}, {2002, 1},      {1501, 2},   {1503, 12},
                  {1510, 1},    {1511, -10}, {1512, 10},     {1513, 0},      {1514, 0},   {1701, 1},
                  {1703, 8},    {2501, 1e6}, {2502, 1},      {2503, 500000}, {2504, 1},   {2505, 131072}};
  for (const auto& parameter : expected) {
    real = -12345.0;
    EXPECT_EQ(Card().Td_Get_Info_DeviceType(deviceType.c_str(), parameter.code, &real, text.data(), &integer),
              DUZIV_OK)
        << parameter.code;
    EXPECT_DOUBLE_EQ(real, parameter.value) << parameter.code;
    EXPECT_EQ(integer, static_cast<int32_t>(parameter.value)) << parameter.code;
  }

  // Unknown names and codes are refused and leave zeros, never stale values.
  real = 7.0;
  EXPECT_EQ(Card().Td_Get_Info_DeviceType(deviceType.c_str(), 9999, &real, text.data(), &integer),
            DUZIV_UNKNOWN_PARAMETER);
  EXPECT_EQ(real, 0.0);
  EXPECT_EQ(Card().Td_Get_Info_DeviceType("DUZIV DAQ-99", 2101, &real, text.data(), &integer),
            DUZIV_UNKNOWN_DEVICE);
  EXPECT_EQ(Card().Td_Get_Info_DeviceName("TARVELIN", 2, &real, text.data(), &integer), DUZIV_UNKNOWN_DEVICE);
  EXPECT_EQ(Card().Td_Get_Info_DeviceName("TARVELIN", 1, nullptr, text.data(), &integer), DUZIV_BAD_ARGUMENT);
}

TEST_F(Capabilities, TimingIsClampedAndAnswersThePeriod) {
  const int32_t h = Open();
  double frequency = 0.5, period = 0.0;
  ASSERT_EQ(Card().Td_Config_Timing_Acquisition(h, &frequency, &period), DUZIV_OK);
  EXPECT_EQ(frequency, 1.0);
  EXPECT_EQ(period, 1.0);
  frequency = 2.0e6;
  ASSERT_EQ(Card().Td_Config_Timing_Acquisition(h, &frequency, &period), DUZIV_OK);
  EXPECT_EQ(frequency, 500000.0);
  EXPECT_DOUBLE_EQ(period, 2.0e-6);
  frequency = 10.0;
  ASSERT_EQ(Card().Td_Config_Timing_Acquisition(h, &frequency, &period), DUZIV_OK);
  EXPECT_DOUBLE_EQ(period, 0.1);
  frequency = std::nan("");
  EXPECT_EQ(Card().Td_Config_Timing_Acquisition(h, &frequency, &period), DUZIV_BAD_ARGUMENT);

  frequency = 0.0;
  ASSERT_EQ(Card().Td_Config_Timing_Generating(h, &frequency, &period), DUZIV_OK);
  EXPECT_EQ(frequency, 1.0);
  frequency = 1.0e9;
  ASSERT_EQ(Card().Td_Config_Timing_Generating(h, &frequency, &period), DUZIV_OK);
  EXPECT_EQ(frequency, 500000.0);

  // The rate cannot change under a running scan.
  ConfigScan(h, {{0, 0}});
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  frequency = 100.0;
  EXPECT_EQ(Card().Td_Config_Timing_Acquisition(h, &frequency, &period), DUZIV_BUSY);
  EXPECT_EQ(Card().Td_Config_Acquisition(h, 1, 0, 0, 1), DUZIV_BUSY);
  EXPECT_EQ(Card().Td_Stop_Acquisition(h), DUZIV_OK);
  EXPECT_EQ(Card().Td_Config_Timing_Acquisition(h, &frequency, &period), DUZIV_OK);
}

}  // namespace
}  // namespace vctest
