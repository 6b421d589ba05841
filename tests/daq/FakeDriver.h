// A scriptable stand-in for the vendor library behind platform::Library, so
// that every answer a driver can give (refusals, absurd counts, missing
// names) is reproducible. One fake at a time: the Td_* functions are plain C
// functions and reach their script through a global.
#pragma once

#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "daq/CardState.h"
#include "platform/Library.h"
#include "state/Program.h"
#include "support/TestSupport.h"

namespace fake {

struct Script {
  // Loading.
  bool openFails = false;
  std::set<std::string> missing;  // names Symbol() does not find
  std::vector<std::string> opened;
  // Driver.
  std::string acceptOnly;  // empty: every application name is accepted
  int32_t initRefusal = -5, closeStatus = 0;
  std::vector<std::string> initNames;
  int closes = 0;
  std::map<int32_t, double> caps;  // Td_Get_Info_DeviceType answers
  // Acquisition.
  struct Config {
    int32_t input, range, position, length;
  };
  std::vector<Config> config;
  int32_t configStatus = 0, counterStatus = 0, timingStatus = 0, startStatus = 0;
  double lastFrequency = 0;
  std::vector<int32_t> modes;  // Td_Start_Acquisition calls
  int stops = 0;
  int32_t bufferStatus = 0, bufferDataStatus = 0;
  int32_t waitingOverride = -1;  // >= 0: Td_Get_Buffer_Status answers this
  int32_t gotFactor = 1;         // Td_Get_Buffer_Data claims got × this
  uint64_t streamed = 0;         // words delivered so far; word k = 32768 + (k mod 30000)
  int32_t singleStatus = 0;
  std::vector<int32_t> singleCounts;
  // Ports.
  uint32_t di = 0, lastDO = 0, ao[2] = {0, 0};
  int32_t aoStatus = 0;
};

Script& S();

class Library : public platform::Library {
 public:
  std::unique_ptr<platform::LoadedLibrary> Open(const std::string& path, std::string& error) override;
};

// A test program wired to the fake library; its card state is dropped at the end.
struct Env {
  Env();
  ~Env();
  testing_support::TestEnv env;
  Library library;
  state::Program& p() { return env.prog; }
  daq::CardState& card() { return daq::Card(env.prog); }
};

}  // namespace fake
