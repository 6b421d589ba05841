#include "FakeDriver.h"

#include <cstring>

namespace fake {
namespace {

Script g;

int32_t Init(int32_t* handle, const char* name) {
  g.initNames.emplace_back(name);
  if (!g.acceptOnly.empty() && g.acceptOnly != name) return g.initRefusal;
  *handle = 7;
  return 0;
}
int32_t Close(int32_t) {
  ++g.closes;
  return g.closeStatus;
}
int32_t DeviceName(const char*, int32_t, double*, char* text, int32_t*) {
  std::strcpy(text, "FAKE CARD");
  return 0;
}
int32_t DeviceType(const char*, int32_t code, double* real, char*, int32_t*) {
  auto it = g.caps.find(code);
  *real = it == g.caps.end() ? 0.0 : it->second;
  return 0;
}
int32_t ConfigAcq(int32_t, int32_t input, int32_t range, int32_t position, int32_t length) {
  g.config.push_back({input, range, position, length});
  return g.configStatus;
}
int32_t ScanCounter(int32_t, int32_t, int32_t) { return g.counterStatus; }
int32_t Timing(int32_t, double* frequency, double* period) {
  g.lastFrequency = *frequency;
  *period = 1.0 / *frequency;
  return g.timingStatus;
}
int32_t Start(int32_t, int32_t mode) {
  g.modes.push_back(mode);
  return g.startStatus;
}
int32_t Stop(int32_t) {
  ++g.stops;
  return 0;
}
int32_t BufferStatus(int32_t, int32_t* count) {
  *count = g.waitingOverride >= 0 ? g.waitingOverride : 4096;
  return g.bufferStatus;
}
int32_t BufferData(int32_t, uint32_t* words, int32_t count, int32_t* got) {
  for (int32_t i = 0; i < count; ++i) words[i] = uint32_t(32768 + (g.streamed++ % 30000));
  int64_t claimed = int64_t(count) * g.gotFactor;
  *got = claimed > INT32_MAX ? INT32_MAX : int32_t(claimed);
  return g.bufferDataStatus;
}
int32_t Single(int32_t, uint32_t* words, int32_t count) {
  g.singleCounts.push_back(count);
  for (int32_t i = 0; i < count; ++i) words[i] = uint32_t(32768 + 100 * (i + 1));
  return g.singleStatus;
}
int32_t GetDI(int32_t, int32_t, uint32_t* word, int32_t) {
  *word = g.di;
  return 0;
}
int32_t SetDO(int32_t, int32_t, const uint32_t* word, int32_t) {
  g.lastDO = word[0];
  return 0;
}
int32_t SetAO(int32_t, int32_t, const uint32_t* words, int32_t count) {
  for (int32_t i = 0; i < count && i < 2; ++i) g.ao[i] = words[i];
  return g.aoStatus;
}
int32_t Handle(int32_t) { return 0; }
int32_t ConfigGen(int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int32_t GenMode(int32_t, int32_t, int32_t, int32_t) { return 0; }
int32_t SetBuffer(int32_t, const uint32_t*, int32_t count, int32_t* sent) {
  *sent = count;
  return 0;
}
int32_t GenStatus(int32_t, int32_t, int32_t* count) {
  *count = 0;
  return 0;
}

void* Lookup(const std::string& name) {
  static const std::map<std::string, void*> table = {
      {"Td_Init_Driver", reinterpret_cast<void*>(&Init)},
      {"Td_Close_Driver", reinterpret_cast<void*>(&Close)},
      {"Td_Get_Info_DeviceName", reinterpret_cast<void*>(&DeviceName)},
      {"Td_Get_Info_DeviceType", reinterpret_cast<void*>(&DeviceType)},
      {"Td_Config_Acquisition", reinterpret_cast<void*>(&ConfigAcq)},
      {"Td_Config_ScanCounter", reinterpret_cast<void*>(&ScanCounter)},
      {"Td_Config_Timing_Acquisition", reinterpret_cast<void*>(&Timing)},
      {"Td_Config_Timing_Generating", reinterpret_cast<void*>(&Timing)},
      {"Td_Start_Acquisition", reinterpret_cast<void*>(&Start)},
      {"Td_Stop_Acquisition", reinterpret_cast<void*>(&Stop)},
      {"Td_Get_Buffer_Status", reinterpret_cast<void*>(&BufferStatus)},
      {"Td_Get_Buffer_Data", reinterpret_cast<void*>(&BufferData)},
      {"Td_Get_SingleAcquisition", reinterpret_cast<void*>(&Single)},
      {"Td_Get_DI", reinterpret_cast<void*>(&GetDI)},
      {"Td_Set_DO", reinterpret_cast<void*>(&SetDO)},
      {"Td_Set_AO", reinterpret_cast<void*>(&SetAO)},
      {"Td_Config_Generating", reinterpret_cast<void*>(&ConfigGen)},
      {"Td_Config_Generating_Mode", reinterpret_cast<void*>(&GenMode)},
      {"Td_Set_Buffer_Data", reinterpret_cast<void*>(&SetBuffer)},
      {"Td_Get_Generating_Status", reinterpret_cast<void*>(&GenStatus)},
  };
  auto it = table.find(name);
  // Every other Td_ name takes only the handle and is never called.
  if (it == table.end()) return name.rfind("Td_", 0) == 0 ? reinterpret_cast<void*>(&Handle) : nullptr;
  return it->second;
}

class Loaded : public platform::LoadedLibrary {
 public:
  void* Symbol(const char* name) override { return g.missing.count(name) ? nullptr : Lookup(name); }
};

}  // namespace

Script& S() { return g; }

std::unique_ptr<platform::LoadedLibrary> Library::Open(const std::string& path, std::string& error) {
  g.opened.push_back(path);
  if (g.openFails) {
    error = "no such file";
    return nullptr;
  }
  return std::make_unique<Loaded>();
}

void DefaultCaps() {
  g.caps[2101] = 16;
  g.caps[2110] = 6;
  g.caps[2111] = -10;
  g.caps[2112] = 10;
  g.caps[2001] = 100000;
  g.caps[2002] = 1000;
}

Env::Env() {
  g = Script{};
  DefaultCaps();
  env.prog.plat.library = &library;
  env.prog.DG.Simulation = 0;
}

Env::~Env() { daq::ReleaseCard(env.prog); }

}  // namespace fake
