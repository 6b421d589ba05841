// Loads libduziv_daq01.so through dlopen, as the program does, and gives each
// test a fresh card in fast mode with an input signal file of its own.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "duziv_daq01.h"
#include "duziv_virtual.h"

// Every name the program resolves.
// clang-format off
#define DUZIV_ALL_ENTRY_POINTS(X) \
  X(Td_Init_Driver) \
  X(Td_Close_Driver) \
  X(Td_Get_Info_DeviceName) \
  X(Td_Get_Info_DeviceType) \
  X(Td_Config_Acquisition) \
  X(Td_Config_ScanCounter) \
  X(Td_Config_Timing_Acquisition) \
  X(Td_Start_Acquisition) \
  X(Td_Stop_Acquisition) \
  X(Td_Get_Buffer_Status) \
  X(Td_Get_Buffer_Data) \
  X(Td_Get_SingleAcquisition) \
  X(Td_Get_DI) \
  X(Td_Set_DO) \
  X(Td_Set_AO) \
  X(Td_Config_Generating) \
  X(Td_Config_Timing_Generating) \
  X(Td_Config_Generating_Mode) \
  X(Td_Set_Buffer_Data) \
  X(Td_Get_Generating_Status) \
  X(Td_Start_Generating) \
  X(Td_Stop_Generating) \
  X(Td_Config_DIO) \
  X(Td_Config_Ability_Generate_IRQ) \
  X(Td_Config_IRQTimer) \
  X(Td_Driver_Version) \
  X(Td_Get_DeviceName) \
  X(Td_Get_DeviceType) \
  X(Td_Get_Number_Of_Devices) \
  X(Td_Get_Number_Of_Types) \
  X(Td_Get_Parameters) \
  X(Td_Get_ErrorMessage) \
  X(Td_Get_State_Buffer_Data_Input) \
  X(Td_Start_Buffer_Data_Request) \
  X(Td_Start_Buffer_Data_Request_Sync) \
  X(Td_Stop_Buffer_Data_Request) \
  X(Td_Visual_Parameters) \
  X(Td_Visual_Administrate) \
  X(Td_Wait_For_IRQ) \
  X(Td_Get_Counter) \
  X(Td_Get_Counter_Status) \
  X(Td_Load_Counter) \
  X(Td_Load_Counter_Status) \
  X(Td_Save_Counter) \
  X(Td_Save_Counter_Parameters) \
  X(Td_Save_StartStop_Counter) \
  X(Td_Set_Counter) \
  X(Td_Set_Counter_Parameters) \
  X(Td_Set_Parameters) \
  X(Td_Start_Counter) \
  X(Td_Stop_Counter)
// clang-format on

namespace vctest {

struct Api {
#define DUZIV_MEMBER(name) decltype(&::name) name = nullptr;
  DUZIV_ALL_ENTRY_POINTS(DUZIV_MEMBER)
#undef DUZIV_MEMBER
};

// The library stays loaded for the whole test program, as in the program.
inline void* Library() {
  static void* library = dlopen(DUZIV_VIRTUAL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  return library;
}

inline const Api& Card() {
  static const Api api = [] {
    Api resolved;
#define DUZIV_RESOLVE(name) resolved.name = reinterpret_cast<decltype(&::name)>(dlsym(Library(), #name));
    DUZIV_ALL_ENTRY_POINTS(DUZIV_RESOLVE)
#undef DUZIV_RESOLVE
    return resolved;
  }();
  return api;
}

struct ScanEntry {
  int32_t input;
  int32_t range;
};

class VirtualCardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Library(), nullptr) << dlerror();
    ASSERT_NE(Card().Td_Init_Driver, nullptr);
    char pattern[] = "/tmp/vcardtestXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv(DUZIV_ENV_FAST, "1", 1);
    unsetenv(DUZIV_ENV_FAIL);
    // A file that does not exist: the documented default signals.
    setenv(DUZIV_ENV_CONFIG, (dir_ / "none.conf").c_str(), 1);
  }

  void TearDown() override {
    unsetenv(DUZIV_ENV_FAIL);
    for (int32_t handle : opened_) Card().Td_Close_Driver(handle);
    std::filesystem::remove_all(dir_);
  }

  // Writes the signal file the next Open reads.
  std::string WriteConfig(const std::string& text) {
    const auto path = dir_ / "virtualcard.conf";
    std::ofstream(path, std::ios::binary) << text;
    setenv(DUZIV_ENV_CONFIG, path.c_str(), 1);
    return path.string();
  }

  int32_t Open() {
    int32_t handle = -1;
    EXPECT_EQ(Card().Td_Init_Driver(&handle, "TARVELIN"), DUZIV_OK);
    opened_.push_back(handle);
    return handle;
  }

  void Close(int32_t handle) {
    EXPECT_EQ(Card().Td_Close_Driver(handle), DUZIV_OK);
    std::erase(opened_, handle);
  }

  static void ConfigScan(int32_t handle, const std::vector<ScanEntry>& scan) {
    const auto length = static_cast<int32_t>(scan.size());
    for (int32_t i = 0; i < length; ++i)
      ASSERT_EQ(Card().Td_Config_Acquisition(handle, scan[i].input, scan[i].range, i, length), DUZIV_OK);
  }

  static void SetFrequency(int32_t handle, double wanted) {
    double period = 0.0;
    ASSERT_EQ(Card().Td_Config_Timing_Acquisition(handle, &wanted, &period), DUZIV_OK);
  }

  // `scans` whole scans of a continuous acquisition that is already running.
  static std::vector<uint32_t> Read(int32_t handle, int32_t words) {
    std::vector<uint32_t> data(static_cast<std::size_t>(words));
    int32_t got = -1;
    EXPECT_EQ(Card().Td_Get_Buffer_Data(handle, data.data(), words, &got), DUZIV_OK);
    EXPECT_EQ(got, words);
    return data;
  }

  std::filesystem::path dir_;
  std::vector<int32_t> opened_;
};

}  // namespace vctest
