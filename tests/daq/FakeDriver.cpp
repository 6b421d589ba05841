#include "FakeDriver.h"

#include <cstring>

namespace fake {
namespace {

Script g;

int32_t Init(int32_t* handle, const char* name) {
  g.initNames.emplace_back(name);
  if (!g.acceptOnly.empty() && g.acceptOnly != name) return g.initRefusal;
  return *handle = 7, 0;
}
int32_t Close(int32_t) { return ++g.closes, g.closeStatus; }
int32_t DeviceName(const char*, int32_t, double*, char* text, int32_t*) {
  return std::strcpy(text, "FAKE CARD"), 0;
}
int32_t DeviceType(const char*, int32_t code, double* real, char*, int32_t*) {
  auto it = g.caps.find(code);
  return *real = it == g.caps.end() ? 0.0 : it->second, 0;
}
int32_t ConfigAcq(int32_t, int32_t input, int32_t range, int32_t position, int32_t length) {
  return g.config.push_back({input, range, position, length}), g.configStatus;
}
int32_t ScanCounter(int32_t, int32_t, int32_t) { return g.counterStatus; }
int32_t Timing(int32_t, double* frequency, double* period) {
  g.lastFrequency = *frequency;
  return *period = 1.0 / *frequency, g.timingStatus;
}
int32_t Start(int32_t, int32_t mode) { return g.modes.push_back(mode), g.startStatus; }
int32_t Stop(int32_t) { return ++g.stops, 0; }
int32_t BufferStatus(int32_t, int32_t* count) {
  return *count = g.waitingOverride >= 0 ? g.waitingOverride : 4096, g.bufferStatus;
}
int32_t BufferData(int32_t, uint32_t* words, int32_t count, int32_t* got) {
  for (int32_t i = 0; i < count; ++i) words[i] = uint32_t(32768 + (g.streamed++ % 30000));
  int64_t claimed = int64_t(count) * g.gotFactor;
  return *got = claimed > INT32_MAX ? INT32_MAX : int32_t(claimed), g.bufferDataStatus;
}
int32_t Single(int32_t, uint32_t* words, int32_t count) {
  g.singleCounts.push_back(count);
  for (int32_t i = 0; i < count; ++i) words[i] = uint32_t(32768 + 100 * (i + 1));
  return g.singleStatus;
}
int32_t GetDI(int32_t, int32_t, uint32_t* word, int32_t) { return *word = g.di, 0; }
int32_t SetDO(int32_t, int32_t, const uint32_t* word, int32_t) { return g.lastDO = word[0], 0; }
int32_t SetAO(int32_t, int32_t, const uint32_t* words, int32_t count) {
  for (int32_t i = 0; i < count && i < 2; ++i) g.ao[i] = words[i];
  return g.aoStatus;
}
int32_t Handle(int32_t) { return 0; }
int32_t ConfigGen(int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
int32_t GenMode(int32_t, int32_t, int32_t, int32_t) { return 0; }
int32_t SetBuffer(int32_t, const uint32_t*, int32_t count, int32_t* sent) { return *sent = count, 0; }
int32_t GenStatus(int32_t, int32_t, int32_t* count) { return *count = 0, 0; }

template <typename F>
std::pair<const std::string, void*> Fn(const char* name, F* f) {
  return {name, reinterpret_cast<void*>(f)};
}

void* Lookup(const std::string& name) {
  static const std::map<std::string, void*> table = {
      Fn("Td_Init_Driver", &Init),
      Fn("Td_Close_Driver", &Close),
      Fn("Td_Get_Info_DeviceName", &DeviceName),
      Fn("Td_Get_Info_DeviceType", &DeviceType),
      Fn("Td_Config_Acquisition", &ConfigAcq),
      Fn("Td_Config_ScanCounter", &ScanCounter),
      Fn("Td_Config_Timing_Acquisition", &Timing),
      Fn("Td_Config_Timing_Generating", &Timing),
      Fn("Td_Start_Acquisition", &Start),
      Fn("Td_Stop_Acquisition", &Stop),
      Fn("Td_Get_Buffer_Status", &BufferStatus),
      Fn("Td_Get_Buffer_Data", &BufferData),
      Fn("Td_Get_SingleAcquisition", &Single),
      Fn("Td_Get_DI", &GetDI),
      Fn("Td_Set_DO", &SetDO),
      Fn("Td_Set_AO", &SetAO),
      Fn("Td_Config_Generating", &ConfigGen),
      Fn("Td_Config_Generating_Mode", &GenMode),
      Fn("Td_Set_Buffer_Data", &SetBuffer),
      Fn("Td_Get_Generating_Status", &GenStatus),
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
  if (!g.openFails) return std::make_unique<Loaded>();
  error = "no such file";
  return nullptr;
}

Env::Env() {
  g = Script{};
  // The capabilities of a plausible card: 16 inputs, +-10 V range 0, 1 kHz..100 kHz.
  g.caps = {{2101, 16}, {2110, 6}, {2111, -10}, {2112, 10}, {2001, 100000}, {2002, 1000}};
  env.prog.plat.library = &library;
  env.prog.DG.Simulation = 0;
}

Env::~Env() { daq::ReleaseCard(env.prog); }

}  // namespace fake
