#include "daq/Driver.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "daq/CardState.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"

namespace daq {

std::string StatusCaption(const char* format, int32_t status) {
  char text[160];
  std::snprintf(text, sizeof text, format, int(status));
  return text;
}

int StartAcquisitionOrClose(state::Program& p, int32_t mode, const char* message) {
  CardState& c = Card(p);
  c.iret = c.fn.Td_Start_Acquisition(c.PHandleKarty, mode);
  if (c.iret != 0) {
    int32_t status = c.iret;
    c.fn.Td_Close_Driver(c.PHandleKarty);
    c.Driver_Inicializovan = 0;
    c.Driver = DriverState::Closed;
    c.ScanMode = 0;
    state::Mess(p, message, StatusCaption("Chyba Td_Start_Acquisition %d", status));
    return 0;
  }
  c.ScanMode = mode;
  return 1;
}

namespace {

template <typename F>
void Take(platform::LoadedLibrary& lib, const char* name, F& slot, std::vector<std::string>& missing) {
  void* sym = lib.Symbol(name);
  if (!sym) missing.emplace_back(name);
  slot = reinterpret_cast<F>(sym);
}

// Every name the vendor library exports, in the order the program resolves
// them. Those with a slot are called; the others are only checked for.
bool ResolveAll(CardState& c) {
  platform::LoadedLibrary& lib = *c.duziv_dll;
  DriverFunctions& f = c.fn;
  std::vector<std::string> missing;     // names the program calls
  std::vector<std::string> unusedGone;  // names it never calls
  Td_Handle_t unused = nullptr;
  auto other = [&](const char* name) { Take(lib, name, unused, unusedGone); };
  Take(lib, "Td_Close_Driver", f.Td_Close_Driver, missing);
  other("Td_Config_DIO");
  other("Td_Config_Ability_Generate_IRQ");
  Take(lib, "Td_Config_Acquisition", f.Td_Config_Acquisition, missing);
  Take(lib, "Td_Config_Generating", f.Td_Config_Generating, missing);
  other("Td_Config_IRQTimer");
  Take(lib, "Td_Config_ScanCounter", f.Td_Config_ScanCounter, missing);
  other("Td_Driver_Version");
  Take(lib, "Td_Get_Buffer_Status", f.Td_Get_Buffer_Status, missing);
  Take(lib, "Td_Get_Info_DeviceName", f.Td_Get_Info_DeviceName, missing);
  Take(lib, "Td_Get_Info_DeviceType", f.Td_Get_Info_DeviceType, missing);
  other("Td_Get_DeviceName");
  other("Td_Get_DeviceType");
  Take(lib, "Td_Get_Generating_Status", f.Td_Get_Generating_Status, missing);
  other("Td_Get_Number_Of_Devices");
  other("Td_Get_Number_Of_Types");
  other("Td_Get_Parameters");
  Take(lib, "Td_Get_Buffer_Data", f.Td_Get_Buffer_Data, missing);
  Take(lib, "Td_Get_DI", f.Td_Get_DI, missing);
  other("Td_Get_ErrorMessage");
  Take(lib, "Td_Get_SingleAcquisition", f.Td_Get_SingleAcquisition, missing);
  Take(lib, "Td_Init_Driver", f.Td_Init_Driver, missing);
  other("Td_Get_State_Buffer_Data_Input");
  Take(lib, "Td_Set_AO", f.Td_Set_AO, missing);
  Take(lib, "Td_Set_DO", f.Td_Set_DO, missing);
  other("Td_Start_Buffer_Data_Request");
  other("Td_Start_Buffer_Data_Request_Sync");
  Take(lib, "Td_Start_Acquisition", f.Td_Start_Acquisition, missing);
  Take(lib, "Td_Stop_Acquisition", f.Td_Stop_Acquisition, missing);
  for (const char* name :
       {"Td_Stop_Buffer_Data_Request", "Td_Visual_Parameters", "Td_Visual_Administrate", "Td_Wait_For_IRQ",
        "Td_Get_Counter", "Td_Get_Counter_Status", "Td_Load_Counter", "Td_Load_Counter_Status",
        "Td_Save_Counter", "Td_Save_Counter_Parameters", "Td_Save_StartStop_Counter", "Td_Set_Counter",
        "Td_Set_Counter_Parameters", "Td_Set_Parameters", "Td_Start_Counter", "Td_Stop_Counter"})
    other(name);
  Take(lib, "Td_Config_Timing_Acquisition", f.Td_Config_Timing_Acquisition, missing);
  Take(lib, "Td_Config_Timing_Generating", f.Td_Config_Timing_Generating, missing);
  Take(lib, "Td_Config_Generating_Mode", f.Td_Config_Generating_Mode, missing);
  Take(lib, "Td_Start_Generating", f.Td_Start_Generating, missing);
  Take(lib, "Td_Stop_Generating", f.Td_Stop_Generating, missing);
  Take(lib, "Td_Set_Buffer_Data", f.Td_Set_Buffer_Data, missing);
  c.Missing = missing;
  c.Missing.insert(c.Missing.end(), unusedGone.begin(), unusedGone.end());
  return missing.empty();
}

// The library once per program; on failure the user hears general text 1295
// and why (which file, which name), and the card counts as absent.
bool LoadOnce(state::Program& p, CardState& c) {
  if (c.Make) return true;
  if (make_library(p) != 0) {
    state::Mess(p, state::Txt(p, 1295) + "\n" + DriverReport(p), "Chyba");
    p.BoardPresent = 0;
    return false;
  }
  c.Make = 1;
  return true;
}

// A reported integer: the real truncated toward zero; nothing representable -> 0.
int32_t Truncated(double v) {
  if (!std::isfinite(v) || v >= 2147483647.0 || v <= -2147483648.0) return 0;
  return int32_t(v);
}

void Bound(int32_t& v) {
  if (v < -900 || v > 900) v = 0;
}
void Bound(double& v) {
  if (!(v >= -900.0 && v <= 900.0)) v = 0.0;
}

// Shortest or longest sample period in ms from a frequency; 1.0 without one.
float PeriodMs(double frequency) {
  if (!(frequency > 0.0) || !std::isfinite(frequency)) return 1.0f;
  return float(1000.0 / frequency);
}

}  // namespace

int make_library(state::Program& p) {
  CardState& c = Card(p);
  c.LoadDetail.clear();
  c.Missing.clear();
  if (c.FLoad == 999 && c.duziv_dll) return 0;
  if (!p.plat.library) {
    c.Load = LoadState::LibraryNotFound;
    c.LoadDetail = "no library loader";
    return 1;
  }
  std::vector<std::string> candidates;
  std::string root = p.plat.paths ? p.plat.paths->Root() : p.Path;
  if (!root.empty()) candidates.push_back(root + "/" + kDriverFile);
  const char* env = std::getenv(kDriverEnv);
  if (env && *env) candidates.emplace_back(env);
  candidates.emplace_back(kDriverFile);
  for (const std::string& path : candidates) {
    std::string error;
    c.duziv_dll = p.plat.library->Open(path, error);
    if (c.duziv_dll) {
      c.LoadedPath = path;
      break;
    }
    c.LoadDetail += path + ": " + (error.empty() ? "cannot be loaded" : error) + "\n";
  }
  if (!c.duziv_dll) {
    c.Load = LoadState::LibraryNotFound;
    return 1;
  }
  c.FLoad = 999;
  if (!ResolveAll(c)) {
    // Calling through a missing entry point would crash the program, so a
    // library without every called name is not used at all.
    c.Load = LoadState::NameMissing;
    c.fn = DriverFunctions{};
    c.duziv_dll.reset();
    c.FLoad = 0;
    return 1;
  }
  c.Load = LoadState::Loaded;
  return 0;
}

int release_library(state::Program& p) {
  CardState& c = Card(p);
  if (c.FLoad != 999) return 1;
  c.fn = DriverFunctions{};
  c.duziv_dll.reset();
  c.FLoad = 0;
  c.Make = 0;
  c.Driver_Inicializovan = 0;
  c.Driver = DriverState::Closed;
  c.Load = LoadState::NotTried;
  return 0;
}

int InitDriver(state::Program& p) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  if (!LoadOnce(p, c)) return 0;
  if (c.Driver_Inicializovan) return 1;
  const char* names[3] = {"TARVELIN", "tarvelin", "Tarvelin"};
  for (int i = 0; i < 3; ++i) {
    store::CopyText(c.CardName, names[i]);
    c.iret = c.fn.Td_Init_Driver(&c.PHandleKarty, c.CardName);
    c.InitStatus[i] = c.iret;
    if (c.iret == 0) {
      c.Driver_Inicializovan = 1;
      c.Driver = DriverState::Open;
      p.BoardPresent = 1;
      return 1;
    }
  }
  c.Driver = DriverState::Refused;
  if (c.PocetVolani < 2) state::Mess(p, state::Txt(p, 1298) + "\n" + DriverReport(p), "Upozornění");
  c.Driver_Inicializovan = 0;
  p.BoardPresent = 0;
  return 0;
}

int CloseDriver(state::Program& p) {
  CardState& c = Card(p);
  if (!c.Driver_Inicializovan || !c.fn.Td_Close_Driver) return 1;
  c.iret = c.fn.Td_Close_Driver(c.PHandleKarty);
  if (c.iret != 0) {
    state::Mess(p, "Chyba v ukonceni komunikace se zarizenim ",
                StatusCaption("Chyba Td_Close_Driver %d", c.iret));
    return 0;
  }
  c.Driver_Inicializovan = 0;
  c.Driver = DriverState::Closed;
  return 1;
}

int Detekce_Parametru_Karty(state::Program& p, bool show) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  if (c.Driver_Inicializovan) CloseDriver(p);
  InitDriver(p);
  // The queries below need the library, not an open driver.
  if (!c.Make || !c.fn.Td_Get_Info_DeviceName) return 0;

  char text[kTextSize];
  double real = 0;
  int32_t integer = 0;
  std::memset(text, 0, sizeof text);
  c.iret = c.fn.Td_Get_Info_DeviceName(c.CardName, 1, &real, text, &integer);
  text[kTextSize - 1] = '\0';
  store::CopyText(c.DeviceType, text);

  auto query = [&](int32_t code) {
    double value = 0;
    int32_t whole = 0;
    std::memset(text, 0, sizeof text);
    c.fn.Td_Get_Info_DeviceType(c.DeviceType, code, &value, text, &whole);
    return value;
  };
  c.ScanAI_number_of_inputs = Truncated(query(2101));
  c.ScanAI_data_resolution = Truncated(query(1202));
  c.ScanAI_function_resolution = Truncated(query(2103));
  c.ScanAI_number_of_ranges = Truncated(query(2110));
  for (int r = 0; r < 6; ++r) {
    c.ScanAI_minimum_of_range[r] = query(2111 + 2 * r);
    c.ScanAI_maximum_of_range[r] = query(2112 + 2 * r);
  }
  c.ScanCNT_number_of_counters = Truncated(query(1201));
  c.ScanCNT_function_resolution = Truncated(query(1203));
  c.ScanDI_number_of_ports = Truncated(query(1301));
  c.ScanDI_function_resolution = Truncated(query(1303));
  c.ScanBuffer_max_frequency = query(2001);
  c.ScanBuffer_min_frequency = query(2002);
  c.AO_number_of_outputs = Truncated(query(1501));
  c.AO_function_resolution = Truncated(query(1503));
  c.AO_number_of_ranges = Truncated(query(1510));
  for (int r = 0; r < 2; ++r) {
    c.AO_minimum_of_range[r] = query(1511 + 2 * r);
    c.AO_maximum_of_range[r] = query(1512 + 2 * r);
  }
  c.DI_number_of_ports = Truncated(query(1301));
  c.DI_function_resolution = Truncated(query(1303));
  c.DO_number_of_ports = Truncated(query(1701));
  c.DO_function_resolution = Truncated(query(1703));
  c.DAC_max_frequency = query(2501);
  c.DAC_min_frequency = query(2502);
  c.DAC_max_DAC_frequency = query(2503);
  c.DAC_min_DAC_frequency = query(2504);
  c.DAC_depth = Truncated(query(2505));

  for (int32_t* v : {&c.ScanAI_number_of_inputs, &c.ScanAI_function_resolution, &c.ScanAI_number_of_ranges,
                     &c.ScanCNT_number_of_counters, &c.ScanCNT_function_resolution, &c.ScanDI_number_of_ports,
                     &c.ScanDI_function_resolution, &c.AO_number_of_outputs, &c.AO_function_resolution,
                     &c.AO_number_of_ranges, &c.DI_number_of_ports, &c.DI_function_resolution,
                     &c.DO_number_of_ports, &c.DO_function_resolution})
    Bound(*v);
  for (int r = 0; r < 6; ++r) {
    Bound(c.ScanAI_minimum_of_range[r]);
    Bound(c.ScanAI_maximum_of_range[r]);
  }
  for (int r = 0; r < 2; ++r) {
    Bound(c.AO_minimum_of_range[r]);
    Bound(c.AO_maximum_of_range[r]);
  }
  // Frequencies and the generator depth are unbounded; only what cannot be a
  // number is dropped, so the report and the periods stay printable.
  for (double* v : {&c.ScanBuffer_max_frequency, &c.ScanBuffer_min_frequency, &c.DAC_max_frequency,
                    &c.DAC_min_frequency, &c.DAC_max_DAC_frequency, &c.DAC_min_DAC_frequency})
    if (!std::isfinite(*v)) *v = 0.0;

  const double* ai0 = c.ScanAI_minimum_of_range;
  const double* ai1 = c.ScanAI_maximum_of_range;
  std::string report = state::TxtF(p, 1299,
                                   {c.DeviceType,
                                    c.ScanAI_number_of_inputs,
                                    c.ScanAI_function_resolution,
                                    c.ScanAI_number_of_ranges,
                                    ai0[0],
                                    ai1[0],
                                    ai0[1],
                                    ai1[1],
                                    ai0[2],
                                    ai1[2],
                                    ai0[3],
                                    ai1[3],
                                    ai0[4],
                                    ai1[4],
                                    ai0[5],
                                    ai1[5],
                                    c.ScanCNT_number_of_counters,
                                    c.ScanCNT_function_resolution,
                                    c.ScanDI_number_of_ports,
                                    c.ScanDI_function_resolution,
                                    c.ScanBuffer_max_frequency,
                                    c.ScanBuffer_min_frequency,
                                    c.AO_number_of_outputs,
                                    c.AO_function_resolution,
                                    c.AO_number_of_ranges,
                                    c.AO_minimum_of_range[0],
                                    c.AO_maximum_of_range[0],
                                    c.AO_minimum_of_range[1],
                                    c.AO_maximum_of_range[1],
                                    c.DAC_max_DAC_frequency,
                                    c.DAC_min_DAC_frequency,
                                    c.DAC_depth,
                                    c.DI_number_of_ports,
                                    c.DI_function_resolution,
                                    c.DO_number_of_ports,
                                    c.DO_function_resolution});
  if (show && c.PocetVolani < 2) state::Mess(p, report, "Detekované parametry zarizeni");

  p.MINWPER = PeriodMs(c.ScanBuffer_max_frequency);
  p.MAXWPER = PeriodMs(c.ScanBuffer_min_frequency);

  if (c.ScanAI_number_of_inputs <= 0) {
    state::MessT(p, 1300, 13);
    return 0;
  }
  return 1;
}

int BOARD_Init(state::Program& p) {
  if (p.DG.Simulation) return 1;
  CardState& c = Card(p);
  ++c.PocetVolani;
  if (!LoadOnce(p, c)) return 0;
  if (!Detekce_Parametru_Karty(p, c.DUZIV_mluv)) return 0;
  // Detection opened the driver if it could; a refused driver was reported there.
  if (!c.Driver_Inicializovan) return 0;

  for (int i = 0; i < kScanSize; ++i) {
    c.IChannelMux[i] = i;
    c.IChannelGain[i] = 0;
  }
  c.pocet_kanalu = kTestScan;
  for (int i = 0; i < kTestScan; ++i) {
    c.iret = c.fn.Td_Config_Acquisition(c.PHandleKarty, i, 0, i, kTestScan);
    if (c.iret != 0) return 0;
  }
  for (int counter = 0; counter < 2; ++counter) {
    c.iret = c.fn.Td_Config_ScanCounter(c.PHandleKarty, 1, counter);
    if (c.iret != 0) {
      state::Mess(p, "Chyba v konfiguraci casovace zarizeni",
                  StatusCaption("Chyba Td_Config_ScanCounter %d", c.iret));
      return 0;
    }
  }
  if (!StartAcquisitionOrClose(p, 1, "Nelze odstartovat rychle mereni")) return 0;
  if (p.plat.clock) p.plat.clock->SleepMs(1);
  c.iret = c.fn.Td_Get_SingleAcquisition(c.PHandleKarty, c.buf, kTestScan);
  if (c.iret != 0) {
    state::Mess(p, "Nelze precist vzorek z analogovych vstupu",
                StatusCaption("Chyba Td_Get_SingleAcquisition %d", c.iret));
    return 0;
  }
  std::string report =
      state::TxtF(p, 1281,
                  {c.CardName, unsigned(c.buf[0]), unsigned(c.buf[1]), unsigned(c.buf[2]), unsigned(c.buf[3]),
                   unsigned(c.buf[4]), unsigned(c.buf[5]), unsigned(c.buf[6]), unsigned(c.buf[7])});
  if (c.DUZIV_mluv == 1 && c.PocetVolani < 2) state::Mess(p, report, "Analog input test :");
  p.BoardPresent = 1;
  return 1;
}

int Board_Init(state::Program& p) {
  p.ui().SetCursor("Wait");
  state::TS(p, state::Txt(p, 443));
  int result = BOARD_Init(p);
  state::TS(p, state::Txt(p, result ? 312 : 313));
  p.BoardPresent = result ? 1 : 0;
  p.ui().SetCursor("");
  return result;
}

int CardTest(state::Program& p) {
  CardState& c = Card(p);
  c.DUZIV_mluv = 1;
  state::MessT(p, 1192, 11);
  c.PocetVolani = 0;
  int result = BOARD_Init(p);
  // BoardPresent follows the last initialisation or card test, failed or not:
  // a failed test must not leave the runs talking to a card that is gone.
  if (!p.DG.Simulation) p.BoardPresent = result ? 1 : 0;
  p.DoPanel = 1;
  return result;
}

// Leaving simulation brings the card up as the start does, detection
// included: opening the driver alone would leave the input ranges unread and
// every conversion on the default full scale.
void ToggleSimulation(state::Program& p) {
  p.DG.Simulation = p.DG.Simulation ? 0 : 1;
  if (p.DG.Simulation)
    CloseDriver(p);
  else
    BOARD_Init(p);
  p.DoPanel = 1;
}

const char* CardStateText(const state::Program& p) {
  if (p.DG.Simulation) return "SIMULAČNÍ REŽIM, nyní lze přepnout do měřícího režimu";
  if (!p.BoardPresent) return "Karta nebyla detekována, doporučujeme přepnout do simulačního režimu";
  return "HW detekován a pracuje správně, lze přepnout i do simulačního režimu";
}

std::string DriverReport(state::Program& p) {
  CardState& c = Card(p);
  std::string report;
  switch (c.Load) {
    case LoadState::LibraryNotFound:
      report += "Library not found:\n" + c.LoadDetail;
      break;
    case LoadState::NameMissing:
      report += "Library " + c.LoadedPath + " lacks entry points:";
      for (const std::string& name : c.Missing) report += " " + name;
      report += "\n";
      break;
    case LoadState::Loaded:
      if (!c.Missing.empty()) {
        report += "Library " + c.LoadedPath + " lacks unused entry points:";
        for (const std::string& name : c.Missing) report += " " + name;
        report += "\n";
      }
      break;
    case LoadState::NotTried:
      break;
  }
  if (c.Driver == DriverState::Refused) {
    char line[200];
    std::snprintf(line, sizeof line, "Td_Init_Driver refused TARVELIN (%d), tarvelin (%d), Tarvelin (%d)\n",
                  int(c.InitStatus[0]), int(c.InitStatus[1]), int(c.InitStatus[2]));
    report += line;
  }
  return report;
}

void DeriveCardAddresses(state::Program&) {}

}  // namespace daq
