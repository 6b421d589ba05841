#include <vector>

#include "VirtualCardFixture.h"

namespace vctest {
namespace {

using Misuse = VirtualCardTest;

TEST_F(Misuse, HandlesAreChecked) {
  uint32_t word = 0;
  // Nothing open yet (every test closes what it opened).
  EXPECT_EQ(Card().Td_Start_Acquisition(1, 2), DUZIV_NOT_OPEN);
  EXPECT_EQ(Card().Td_Get_DI(1, 0, &word, 1), DUZIV_NOT_OPEN);
  EXPECT_EQ(Card().Td_Close_Driver(1), DUZIV_NOT_OPEN);

  const int32_t h = Open();
  EXPECT_EQ(Card().Td_Get_DI(h + 1000, 0, &word, 1), DUZIV_WRONG_HANDLE);
  EXPECT_EQ(Card().Td_Close_Driver(h + 1000), DUZIV_WRONG_HANDLE);
  const int32_t second = Open();
  EXPECT_NE(second, h);
  Close(h);
  // A closed handle is dead even while another card is open.
  EXPECT_EQ(Card().Td_Get_DI(h, 0, &word, 1), DUZIV_WRONG_HANDLE);
  EXPECT_EQ(Card().Td_Get_DI(second, 0, &word, 1), DUZIV_OK);
  Close(second);
  EXPECT_EQ(Card().Td_Get_DI(second, 0, &word, 1), DUZIV_NOT_OPEN);

  int32_t out = 0;
  EXPECT_EQ(Card().Td_Init_Driver(nullptr, "TARVELIN"), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Init_Driver(&out, nullptr), DUZIV_BAD_ARGUMENT);
}

TEST_F(Misuse, TooManyOpenHandlesAreRefusedAndUnusedCallsSaySo) {
  std::vector<int32_t> handles;
  for (int i = 0; i < DUZIV_VIRTUAL_MAX_HANDLES; ++i) handles.push_back(Open());
  int32_t extra = 0;
  EXPECT_EQ(Card().Td_Init_Driver(&extra, "TARVELIN"), DUZIV_TOO_MANY_OPEN);
  Close(handles.back());
  EXPECT_EQ(Card().Td_Driver_Version(handles.front()), DUZIV_NOT_SUPPORTED);
  EXPECT_EQ(Card().Td_Get_ErrorMessage(handles.front()), DUZIV_NOT_SUPPORTED);
}

TEST_F(Misuse, NullPointersAreRefused) {
  const int32_t h = Open();
  EXPECT_EQ(Card().Td_Config_Timing_Acquisition(h, nullptr, nullptr), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Config_Timing_Generating(h, nullptr, nullptr), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_Buffer_Status(h, nullptr), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_SingleAcquisition(h, nullptr, 1), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Set_DO(h, 0, nullptr, 1), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Set_Buffer_Data(h, nullptr, 1, nullptr), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_Generating_Status(h, 2, nullptr), DUZIV_BAD_ARGUMENT);
  EXPECT_EQ(Card().Td_Get_Info_DeviceType(nullptr, 2101, nullptr, nullptr, nullptr), DUZIV_BAD_ARGUMENT);
}

TEST_F(Misuse, InjectedFailureStartsAfterTheGivenNumberOfCalls) {
  setenv(DUZIV_ENV_FAIL, "Td_Get_Buffer_Data:7:2", 1);
  const int32_t h = Open();  // opening reads the variable
  ConfigScan(h, {{0, 0}});
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  uint32_t words[4] = {};
  int32_t got = 0;
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 1, &got), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 1, &got), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 1, &got), 7);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 1, &got), 7);

  // Cleared by the next set-up call that sees the variable gone.
  unsetenv(DUZIV_ENV_FAIL);
  ASSERT_EQ(Card().Td_Stop_Acquisition(h), DUZIV_OK);
  ASSERT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_Buffer_Data(h, words, 1, &got), DUZIV_OK);
}

TEST_F(Misuse, InjectionListTakesSeveralEntriesAndIgnoresMalformedOnes) {
  setenv(DUZIV_ENV_FAIL,
         "Td_Init_Driver:42:1, Td_Set_DO:-5 ,garbage,Td_Get_DI:12:1,Td_Start_Acquisition:0,:3", 1);
  const int32_t h = Open();
  int32_t second = 0;
  EXPECT_EQ(Card().Td_Init_Driver(&second, "tarvelin"), 42);
  const uint32_t value = 3;
  uint32_t in = 0;
  EXPECT_EQ(Card().Td_Set_DO(h, 0, &value, 1), -5);
  EXPECT_EQ(Card().Td_Get_DI(h, 0, &in, 1), DUZIV_OK);
  EXPECT_EQ(Card().Td_Get_DI(h, 0, &in, 1), 12);
  EXPECT_EQ(in, 0u);  // the failed Td_Set_DO changed nothing
  ConfigScan(h, {{0, 0}});
  EXPECT_EQ(Card().Td_Start_Acquisition(h, 2), DUZIV_OK);  // status 0 is no failure

  setenv(DUZIV_ENV_FAIL, "Td_Close_Driver", 1);
  EXPECT_EQ(Card().Td_Close_Driver(h), DUZIV_INJECTED_DEFAULT);
  unsetenv(DUZIV_ENV_FAIL);
}

}  // namespace
}  // namespace vctest
