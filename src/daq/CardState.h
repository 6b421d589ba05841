// Everything the card layer keeps between calls: the loaded vendor library and
// its resolved entry points, the driver state, the card's capabilities, the
// scan list and the requests the runs write before each acquisition.
// `BoardPresent`, `MINWPER`/`MAXWPER` and the simulation flag `DG.Simulation`
// stay in state::Program because the panel and the settings read them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "duziv_daq01.h"
#include "platform/Library.h"

namespace state {
struct Program;
}

namespace daq {

inline constexpr int kScanSize = 32;      // scan positions; inputs 0..31
inline constexpr int kRequestSize = 128;  // one request per store channel
inline constexpr int kTestScan = 8;       // the default scan of the card test
// Size of the driver's text answers.
inline constexpr int kTextSize = DUZIV_TEXT_SIZE;

// How far loading the vendor library got; the card test report names the step.
enum class LoadState {
  NotTried,
  Loaded,
  LibraryNotFound,  // no candidate path could be opened
  NameMissing,      // opened, but an entry point the program calls is absent
};

// How far opening the driver got.
enum class DriverState {
  Closed,
  Open,
  Refused,  // Td_Init_Driver answered non-zero for every application name
};

// The resolved entry points. The program calls the first group; the second
// is resolved only so that a library lacking it is noticed in the report.
struct DriverFunctions {
  Td_Init_Driver_t Td_Init_Driver = nullptr;
  Td_Handle_t Td_Close_Driver = nullptr;
  Td_Get_Info_t Td_Get_Info_DeviceName = nullptr;
  Td_Get_Info_t Td_Get_Info_DeviceType = nullptr;
  Td_Config_Acquisition_t Td_Config_Acquisition = nullptr;
  Td_Config_ScanCounter_t Td_Config_ScanCounter = nullptr;
  Td_Config_Timing_t Td_Config_Timing_Acquisition = nullptr;
  Td_Start_Acquisition_t Td_Start_Acquisition = nullptr;
  Td_Handle_t Td_Stop_Acquisition = nullptr;
  Td_Get_Buffer_Status_t Td_Get_Buffer_Status = nullptr;
  Td_Get_Buffer_Data_t Td_Get_Buffer_Data = nullptr;
  Td_Get_SingleAcquisition_t Td_Get_SingleAcquisition = nullptr;
  Td_Get_DI_t Td_Get_DI = nullptr;
  Td_Set_Words_t Td_Set_DO = nullptr;
  Td_Set_Words_t Td_Set_AO = nullptr;
  Td_Config_Generating_t Td_Config_Generating = nullptr;
  Td_Config_Timing_t Td_Config_Timing_Generating = nullptr;
  Td_Config_Generating_Mode_t Td_Config_Generating_Mode = nullptr;
  Td_Set_Buffer_Data_t Td_Set_Buffer_Data = nullptr;
  Td_Get_Generating_Status_t Td_Get_Generating_Status = nullptr;
  Td_Handle_t Td_Start_Generating = nullptr;
  Td_Handle_t Td_Stop_Generating = nullptr;
};

struct CardState {
  // --- library and driver ---
  std::unique_ptr<platform::LoadedLibrary> duziv_dll;  // the card driver library, once loaded
  int FLoad = 0;                                       // 999 once the library is loaded
  int Make = 0;                                        // 1 once make_library succeeded
  // "handle of the card".
  int32_t PHandleKarty = 0;
  char CardName[100] = "";
  // "driver initialised".
  int Driver_Inicializovan = 0;
  int PocetVolani = 0;  // BOARD_Init calls since start or the card test
  int DUZIV_mluv = 0;   // verbose card test, never cleared
  int32_t iret = 0;     // status of the last driver call
  char DeviceType[100] = "";
  DriverFunctions fn;

  // --- what loading and opening found, for the card test report ---
  LoadState Load = LoadState::NotTried;
  DriverState Driver = DriverState::Closed;
  std::string LoadedPath;             // the library actually opened
  std::string LoadDetail;             // why loading failed, one line per path tried
  std::vector<std::string> Missing;   // entry points the library lacks
  int32_t InitStatus[3] = {0, 0, 0};  // Td_Init_Driver per application name

  // --- capabilities (Td_Get_Info_DeviceType) ---
  int32_t ScanAI_number_of_inputs = 0;
  int32_t ScanAI_data_resolution = 0;
  int32_t ScanAI_function_resolution = 0;
  int32_t ScanAI_number_of_ranges = 0;
  double ScanAI_minimum_of_range[6] = {};  // ScanAI_minimum_of_range_0 .. _5
  double ScanAI_maximum_of_range[6] = {};  // ScanAI_maximum_of_range_0 .. _5: full scale
  int32_t ScanCNT_number_of_counters = 0;
  int32_t ScanCNT_function_resolution = 0;
  int32_t ScanDI_number_of_ports = 0;
  int32_t ScanDI_function_resolution = 0;
  double ScanBuffer_max_frequency = 0;
  double ScanBuffer_min_frequency = 0;
  int32_t AO_number_of_outputs = 0;
  int32_t AO_function_resolution = 0;
  int32_t AO_number_of_ranges = 0;
  double AO_minimum_of_range[2] = {};
  double AO_maximum_of_range[2] = {};
  int32_t DI_number_of_ports = 0;
  int32_t DI_function_resolution = 0;
  int32_t DO_number_of_ports = 0;
  int32_t DO_function_resolution = 0;
  double DAC_max_frequency = 0;
  double DAC_min_frequency = 0;
  double DAC_max_DAC_frequency = 0;
  double DAC_min_DAC_frequency = 0;
  int32_t DAC_depth = 0;

  // --- requests of the runs (written before every acquisition) ---
  float TED_Rec[kRequestSize] = {};   // 1.0 = sample channel i
  float TED_Gain[kRequestSize] = {};  // the channel's RangeIndex
  float TED_SamplePeriod = 1.0f;      // ms

  // --- scan list and transfer ---
  int32_t IChannelMux[kScanSize] = {};  // inputs in scan order
  int32_t IChannelGain[kScanSize] = {};
  // "number of channels" in the scan list.
  uint32_t pocet_kanalu = 0;
  int ScanMode = 0;                // 0 idle, 1 single scans, 2 continuous
  uint32_t Data[kScanSize] = {};   // one scan as the driver delivered it
  uint32_t buf[kTestScan] = {};    // the card test scan
  std::vector<uint32_t> Transfer;  // block transfers read through this
  double frequency = 0, period = 0;
  float DAC_val[2] = {0.0f, 0.0f};  // volts of outputs A and B

  // --- generator output state (used by the generator) ---
  std::vector<uint32_t> DA_BufferA, DA_BufferB, DA_BufferAB;
  int32_t DA_Size = 0;
  double DA_frequency = 0, DA_period = 0;
  uint32_t DA_send_samples = 0, DA_number_of_sended = 0;
  int32_t DA_going = 0;
  // The generator installs these so that a synchronous generator
  // (MGlobals.GenSynchro == 1) starts and stops with the scanning. Unset:
  // no generator is built in, and a synchronous start fails.
  std::function<int(state::Program&)> GeneratorStart;
  std::function<int(state::Program&)> GeneratorStop;

  // --- simulation ---
  uint64_t SimSeed = 0x9E3779B97F4A7C15ull;
  int SimPhase = 1;  // 1..30, shared by all channels of a simulated waveform
};

// The card state of a program, created on first use and owned by the
// Program; ReleaseCard drops it (and unloads the library).
CardState& Card(state::Program& p);
void ReleaseCard(state::Program& p);

// Acquisition without the card: the simulation flag is set or no card was
// found. The runs then produce simulated data.
[[nodiscard]] bool Simulating(const state::Program& p);

}  // namespace daq
