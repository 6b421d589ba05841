// The vendor entry points of the virtual card. Each checks, in this order:
// an injected failure, the handle, the pointers and counts; then the card
// behind the handle does the work.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "CardModel.h"
#include "DeviceInfo.h"
#include "FailureInjection.h"
#include "Pacing.h"
#include "SignalConfig.h"
#include "duziv_virtual.h"

// Only the vendor names leave the library.
#pragma GCC visibility push(default)
#include "duziv_daq01.h"
#pragma GCC visibility pop

namespace virtualcard {
namespace {

struct OpenCard {
  std::int32_t handle;
  std::unique_ptr<CardModel> card;
};

struct Registry {
  std::vector<OpenCard> cards;
  std::int32_t nextHandle = 1;
};

Registry& Cards() {
  static Registry registry;
  return registry;
}

// Status of the handle lookup, with the card when it is 0.
std::pair<std::int32_t, CardModel*> Find(std::int32_t handle) {
  Registry& registry = Cards();
  if (registry.cards.empty()) return {DUZIV_NOT_OPEN, nullptr};
  for (OpenCard& open : registry.cards) {
    if (open.handle == handle) return {DUZIV_OK, open.card.get()};
  }
  return {DUZIV_WRONG_HANDLE, nullptr};
}

enum class Refresh { No, Yes };

// Set-up calls re-read the failure injection; the data calls of the transfer
// loops do not, because reading the environment would dominate their cost.
template <class Work>
std::int32_t OnCard(const char* name, std::int32_t handle, Refresh refresh, Work&& work) {
  if (refresh == Refresh::Yes) RefreshFailureInjection();
  if (const std::int32_t injected = InjectedStatus(name)) return injected;
  const auto [status, card] = Find(handle);
  if (status != DUZIV_OK) return status;
  return work(*card);
}

std::int32_t NotSupported(const char* name) {
  RefreshFailureInjection();
  if (const std::int32_t injected = InjectedStatus(name)) return injected;
  return DUZIV_NOT_SUPPORTED;
}

void WriteText(char* text, const char* value) { std::snprintf(text, DUZIV_TEXT_SIZE, "%s", value); }

}  // namespace
}  // namespace virtualcard

using virtualcard::CardModel;
using virtualcard::OnCard;
using virtualcard::Refresh;

extern "C" {

int32_t Td_Init_Driver(int32_t* handle, const char* appName) {
  virtualcard::RefreshFailureInjection();
  if (const int32_t injected = virtualcard::InjectedStatus("Td_Init_Driver")) return injected;
  if (handle == nullptr || appName == nullptr) return DUZIV_BAD_ARGUMENT;
  virtualcard::Registry& registry = virtualcard::Cards();
  if (registry.cards.size() >= DUZIV_VIRTUAL_MAX_HANDLES) return DUZIV_TOO_MANY_OPEN;
  const char* configPath = std::getenv(DUZIV_ENV_CONFIG);
  const auto signals = virtualcard::LoadSignalConfig(configPath ? configPath : DUZIV_DEFAULT_CONFIG_FILE);
  const int32_t opened = registry.nextHandle;
  registry.nextHandle = opened == INT32_MAX ? 1 : opened + 1;
  registry.cards.push_back({opened, std::make_unique<CardModel>(virtualcard::FastModeRequested(), signals)});
  *handle = opened;
  return DUZIV_OK;
}

int32_t Td_Close_Driver(int32_t handle) {
  virtualcard::RefreshFailureInjection();
  if (const int32_t injected = virtualcard::InjectedStatus("Td_Close_Driver")) return injected;
  auto& cards = virtualcard::Cards().cards;
  if (cards.empty()) return DUZIV_NOT_OPEN;
  for (auto it = cards.begin(); it != cards.end(); ++it) {
    if (it->handle == handle) {
      cards.erase(it);
      return DUZIV_OK;
    }
  }
  return DUZIV_WRONG_HANDLE;
}

int32_t Td_Get_Info_DeviceName(const char* appName, int32_t device, double* real, char* text,
                               int32_t* integer) {
  virtualcard::RefreshFailureInjection();
  if (const int32_t injected = virtualcard::InjectedStatus("Td_Get_Info_DeviceName")) return injected;
  if (appName == nullptr || real == nullptr || text == nullptr || integer == nullptr)
    return DUZIV_BAD_ARGUMENT;
  if (device != 1) {
    *real = 0.0;
    *integer = 0;
    text[0] = '\0';
    return DUZIV_UNKNOWN_DEVICE;
  }
  *real = 1.0;
  *integer = 1;  // the number of cards
  virtualcard::WriteText(text, DUZIV_VIRTUAL_DEVICE_NAME);
  return DUZIV_OK;
}

int32_t Td_Get_Info_DeviceType(const char* deviceType, int32_t code, double* real, char* text,
                               int32_t* integer) {
  virtualcard::RefreshFailureInjection();
  if (const int32_t injected = virtualcard::InjectedStatus("Td_Get_Info_DeviceType")) return injected;
  if (deviceType == nullptr || real == nullptr || text == nullptr || integer == nullptr)
    return DUZIV_BAD_ARGUMENT;
  *real = 0.0;
  *integer = 0;
  text[0] = '\0';
  // strncmp stops at the first difference, so an unterminated name is safe.
  if (std::strncmp(deviceType, DUZIV_VIRTUAL_DEVICE_NAME, sizeof DUZIV_VIRTUAL_DEVICE_NAME) != 0)
    return DUZIV_UNKNOWN_DEVICE;
  const virtualcard::Capability* capability = virtualcard::FindCapability(code);
  if (capability == nullptr) return DUZIV_UNKNOWN_PARAMETER;
  *real = capability->value;
  *integer = static_cast<int32_t>(capability->value);
  virtualcard::WriteText(text, capability->name);
  return DUZIV_OK;
}

int32_t Td_Config_Acquisition(int32_t handle, int32_t input, int32_t range, int32_t position,
                              int32_t length) {
  return OnCard("Td_Config_Acquisition", handle, Refresh::Yes,
                [&](CardModel& card) { return card.ConfigAcquisition(input, range, position, length); });
}

int32_t Td_Config_ScanCounter(int32_t handle, int32_t one, int32_t counter) {
  (void)one;
  return OnCard("Td_Config_ScanCounter", handle, Refresh::Yes,
                [&](CardModel& card) { return card.ConfigScanCounter(counter); });
}

int32_t Td_Config_Timing_Acquisition(int32_t handle, double* frequency, double* period) {
  return OnCard("Td_Config_Timing_Acquisition", handle, Refresh::Yes, [&](CardModel& card) {
    if (frequency == nullptr || period == nullptr) return DUZIV_BAD_ARGUMENT;
    return card.ConfigTiming(*frequency, *period);
  });
}

int32_t Td_Start_Acquisition(int32_t handle, int32_t mode) {
  return OnCard("Td_Start_Acquisition", handle, Refresh::Yes,
                [&](CardModel& card) { return card.StartAcquisition(mode); });
}

int32_t Td_Stop_Acquisition(int32_t handle) {
  return OnCard("Td_Stop_Acquisition", handle, Refresh::Yes,
                [&](CardModel& card) { return card.StopAcquisition(); });
}

int32_t Td_Get_Buffer_Status(int32_t handle, int32_t* count) {
  return OnCard("Td_Get_Buffer_Status", handle, Refresh::No, [&](CardModel& card) {
    if (count == nullptr) return DUZIV_BAD_ARGUMENT;
    *count = 0;
    return card.BufferStatus(*count);
  });
}

int32_t Td_Get_Buffer_Data(int32_t handle, uint32_t* words, int32_t count, int32_t* got) {
  return OnCard("Td_Get_Buffer_Data", handle, Refresh::No, [&](CardModel& card) {
    if (got == nullptr || count < 0 || (words == nullptr && count > 0)) return DUZIV_BAD_ARGUMENT;
    return card.BufferData(words, count, *got);
  });
}

int32_t Td_Get_SingleAcquisition(int32_t handle, uint32_t* words, int32_t count) {
  return OnCard("Td_Get_SingleAcquisition", handle, Refresh::No, [&](CardModel& card) {
    if (words == nullptr || count < 1) return DUZIV_BAD_ARGUMENT;
    return card.SingleAcquisition(words, count);
  });
}

int32_t Td_Get_DI(int32_t handle, int32_t port, uint32_t* word, int32_t count) {
  return OnCard("Td_Get_DI", handle, Refresh::No, [&](CardModel& card) {
    if (word == nullptr) return DUZIV_BAD_ARGUMENT;
    return card.GetDigitalInput(port, count, *word);
  });
}

int32_t Td_Set_DO(int32_t handle, int32_t port, const uint32_t* word, int32_t count) {
  return OnCard("Td_Set_DO", handle, Refresh::No, [&](CardModel& card) {
    if (word == nullptr) return DUZIV_BAD_ARGUMENT;
    return card.SetDigitalOutput(port, count, *word);
  });
}

int32_t Td_Set_AO(int32_t handle, int32_t first, const uint32_t* words, int32_t count) {
  return OnCard("Td_Set_AO", handle, Refresh::No, [&](CardModel& card) {
    if (words == nullptr) return DUZIV_BAD_ARGUMENT;
    return card.SetAnalogOutputs(first, words, count);
  });
}

int32_t Td_Config_Generating(int32_t handle, int32_t output, int32_t zero, int32_t position, int32_t count) {
  (void)zero;
  return OnCard("Td_Config_Generating", handle, Refresh::Yes,
                [&](CardModel& card) { return card.Gen().ConfigOutput(output, position, count); });
}

int32_t Td_Config_Timing_Generating(int32_t handle, double* frequency, double* period) {
  return OnCard("Td_Config_Timing_Generating", handle, Refresh::Yes, [&](CardModel& card) {
    if (frequency == nullptr || period == nullptr) return DUZIV_BAD_ARGUMENT;
    return card.Gen().ConfigTiming(*frequency, *period);
  });
}

int32_t Td_Config_Generating_Mode(int32_t handle, int32_t mode, int32_t cyclic, int32_t synchronous) {
  return OnCard("Td_Config_Generating_Mode", handle, Refresh::Yes, [&](CardModel& card) {
    return card.Gen().ConfigMode(mode, cyclic, synchronous, card.Continuous());
  });
}

int32_t Td_Set_Buffer_Data(int32_t handle, const uint32_t* words, int32_t count, int32_t* sent) {
  return OnCard("Td_Set_Buffer_Data", handle, Refresh::No, [&](CardModel& card) {
    if (sent == nullptr || count < 0 || (words == nullptr && count > 0)) return DUZIV_BAD_ARGUMENT;
    return card.Gen().Load(words, count, *sent);
  });
}

int32_t Td_Get_Generating_Status(int32_t handle, int32_t what, int32_t* count) {
  return OnCard("Td_Get_Generating_Status", handle, Refresh::No, [&](CardModel& card) {
    if (count == nullptr) return DUZIV_BAD_ARGUMENT;
    return card.Gen().Status(what, *count);
  });
}

int32_t Td_Start_Generating(int32_t handle) {
  return OnCard("Td_Start_Generating", handle, Refresh::Yes,
                [&](CardModel& card) { return card.Gen().Start(card.Continuous(), card.Now()); });
}

int32_t Td_Stop_Generating(int32_t handle) {
  return OnCard("Td_Stop_Generating", handle, Refresh::Yes,
                [&](CardModel& card) { return card.Gen().Stop(); });
}

// Resolved by the program but never called; they answer DUZIV_NOT_SUPPORTED.
#define DUZIV_UNSUPPORTED(name) \
  int32_t name(int32_t) { return virtualcard::NotSupported(#name); }
DUZIV_UNSUPPORTED(Td_Config_DIO)
DUZIV_UNSUPPORTED(Td_Config_Ability_Generate_IRQ)
DUZIV_UNSUPPORTED(Td_Config_IRQTimer)
DUZIV_UNSUPPORTED(Td_Driver_Version)
DUZIV_UNSUPPORTED(Td_Get_DeviceName)
DUZIV_UNSUPPORTED(Td_Get_DeviceType)
DUZIV_UNSUPPORTED(Td_Get_Number_Of_Devices)
DUZIV_UNSUPPORTED(Td_Get_Number_Of_Types)
DUZIV_UNSUPPORTED(Td_Get_Parameters)
DUZIV_UNSUPPORTED(Td_Get_ErrorMessage)
DUZIV_UNSUPPORTED(Td_Get_State_Buffer_Data_Input)
DUZIV_UNSUPPORTED(Td_Start_Buffer_Data_Request)
DUZIV_UNSUPPORTED(Td_Start_Buffer_Data_Request_Sync)
DUZIV_UNSUPPORTED(Td_Stop_Buffer_Data_Request)
DUZIV_UNSUPPORTED(Td_Visual_Parameters)
DUZIV_UNSUPPORTED(Td_Visual_Administrate)
DUZIV_UNSUPPORTED(Td_Wait_For_IRQ)
DUZIV_UNSUPPORTED(Td_Get_Counter)
DUZIV_UNSUPPORTED(Td_Get_Counter_Status)
DUZIV_UNSUPPORTED(Td_Load_Counter)
DUZIV_UNSUPPORTED(Td_Load_Counter_Status)
DUZIV_UNSUPPORTED(Td_Save_Counter)
DUZIV_UNSUPPORTED(Td_Save_Counter_Parameters)
DUZIV_UNSUPPORTED(Td_Save_StartStop_Counter)
DUZIV_UNSUPPORTED(Td_Set_Counter)
DUZIV_UNSUPPORTED(Td_Set_Counter_Parameters)
DUZIV_UNSUPPORTED(Td_Set_Parameters)
DUZIV_UNSUPPORTED(Td_Start_Counter)
DUZIV_UNSUPPORTED(Td_Stop_Counter)
#undef DUZIV_UNSUPPORTED

}  // extern "C"
