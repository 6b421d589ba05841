// Executors of the keywords that write the current acquisition record (the
// `A` record of the reference channel), the channel selections of `MG`, the
// card's base address and the outputs.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "daq/Sampling.h"
#include "macro/CommandBuffer.h"
#include "macro/Executors.h"
#include "macro/Prompts.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Defaults.h"
#include "store/Utilities.h"

namespace macro {
namespace {

enum class Kind { Int16, Int32, Float };

// A numeric field of the `A` record with its prompt. The record is packed,
// so fields are copied in and out by offset instead of being referenced.
struct Setting {
  const char* keyword;
  size_t offset;
  Kind kind;
  double min, max;
  int text;
  bool presetFromDefault;  // the prompt starts from `A0`, not from the setting
};

const Setting kSettings[] = {
    {"FILTER", offsetof(store::A_s, MAverageExp), Kind::Int16, 0, 11, 139, true},
    {"GAIN", offsetof(store::A_s, RangeIndex), Kind::Int16, 1, 5, 140, true},
    {"MSIZE", offsetof(store::A_s, MLength), Kind::Int32, 8, -1, 142, false},
    {"MPER", offsetof(store::A_s, MPeriod), Kind::Float, 0.001, 3600.0, 143, false},
    {"MBEFORE", offsetof(store::A_s, MBefore), Kind::Int32, 0, -2, 146, false},
    {"MMAX", offsetof(store::A_s, MMax), Kind::Float, -10000, 10000, 147, false},
    {"MMIN", offsetof(store::A_s, MMin), Kind::Float, -10000, 10000, 148, false},
    {"MSCRTIME", offsetof(store::A_s, MRefresh), Kind::Float, 2.0, 1000.0, 449, false},
    {"WSIZE", offsetof(store::A_s, WLength), Kind::Int32, 8, -3, 149, false},
    {"WPER", offsetof(store::A_s, WRepeatPeriod), Kind::Float, 0.001, 3600.0, 144, false},
    {"WSPER", offsetof(store::A_s, WPeriod), Kind::Float, -4, -4, 145, false},
    {"TMAX", offsetof(store::A_s, TraceMax), Kind::Float, -10000, 10000, 150, false},
    {"TMIN", offsetof(store::A_s, TraceMin), Kind::Float, -10000, 10000, 151, false},
};

template <typename T>
T Read(const store::A_s& a, size_t offset) {
  T v;
  std::memcpy(&v, reinterpret_cast<const uint8_t*>(&a) + offset, sizeof v);
  return v;
}

template <typename T>
void Write(store::A_s& a, size_t offset, T v) {
  std::memcpy(reinterpret_cast<uint8_t*>(&a) + offset, &v, sizeof v);
}

// The ranges that depend on the allocated stores and the card: -1 the M
// capacity, -2 two less, -3 the W capacity, -4 the sampling period limits.
void ResolveRange(const state::Program& p, const Setting& s, double& min, double& max) {
  min = s.min;
  max = s.max;
  if (s.max == -1) max = p.PM;
  if (s.max == -2) max = p.PM - 2;
  if (s.max == -3) max = p.PW;
  if (s.max == -4) {
    min = p.MINWPER;
    max = p.MAXWPER;
  }
  if (max < min) max = min;  // no store memory: the range shrinks to its minimum
}

}  // namespace

int SettingCommand(state::Program& p, std::string_view keyword) {
  for (const Setting& s : kSettings) {
    if (keyword != s.keyword) continue;
    store::A_s& a = p.RefA();
    const store::A_s& source = s.presetFromDefault ? store::A0 : a;
    double min = 0, max = 0;
    ResolveRange(p, s, min, max);
    const std::string prompt = state::Txt(p, s.text);
    switch (s.kind) {
      case Kind::Int16: {
        int16_t v = Read<int16_t>(source, s.offset);
        int16_t def = Read<int16_t>(store::A0, s.offset);
        if (!GetI(p, v, int16_t(min), int16_t(max), def, prompt)) return kFailed;
        Write(a, s.offset, v);
        break;
      }
      case Kind::Int32: {
        int32_t v = Read<int32_t>(source, s.offset);
        int32_t def = Read<int32_t>(store::A0, s.offset);
        if (!GetL(p, v, int32_t(min), int32_t(max), def, prompt)) return kFailed;
        Write(a, s.offset, v);
        break;
      }
      case Kind::Float: {
        float v = Read<float>(source, s.offset);
        float def = Read<float>(store::A0, s.offset);
        if (!GetF(p, v, float(min), float(max), def, prompt)) return kFailed;
        Write(a, s.offset, v);
        break;
      }
    }
    return kDone;
  }
  return NotAvailable(p, keyword);
}

int SetAFlag(state::Program& p, size_t offset, int32_t value) {
  Write(p.RefA(), offset, value);
  return kDone;
}

int SetAccumulation(state::Program& p, bool on) {
  store::A_s& a = p.RefA();
  a.Flags152 = uint8_t(on ? a.Flags152 | store::kAAccumulate : a.Flags152 & ~store::kAAccumulate);
  return kDone;
}

int ExCOMBION(state::Program& p) {
  store::A_s& a = p.RefA();
  int16_t v = int16_t(a.WToMCode + 1);
  if (!GetI(p, v, 1, 5, int16_t(store::A0.WToMCode + 1), state::Txt(p, 461))) return kFailed;
  a.Combi = 1;
  a.WToMCode = int16_t(v - 1);
  return kDone;
}

// table: 0 acquisition, 1 waveform display, 2 measurement display of `MG`.
int SelectionCommand(state::Program& p, int table, int value, int promptText, std::string_view keyword) {
  int32_t n = 1;
  if (!GetChannel(p, n, 0, 8, state::Txt(p, promptText), keyword)) return kFailed;
  const size_t base = table == 0   ? offsetof(store::MG_s, Acquire)
                      : table == 1 ? offsetof(store::MG_s, WDisplay)
                                   : offsetof(store::MG_s, MDisplay);
  // Element by element through bytes: the record is packed.
  auto set = [&](int i) {
    std::memcpy(reinterpret_cast<uint8_t*>(&p.MG) + base + 4 * size_t(i), &value, sizeof value);
  };
  if (n == 0) {
    for (int i = 0; i < store::kChannels; ++i) set(i);
  } else {
    set(n - 1);
  }
  return kDone;
}

int ExBASEADR(state::Program& p) {
  store::A_s& a = p.RefA();
  if (!QueueEmpty(p)) {
    std::string text = TakeRest(p);
    a.BaseAddress = int16_t(uint16_t(store::CharOctToInt(text.c_str())));
    return kDone;
  }
  // The prompt offers the address's hexadecimal digits as a decimal number
  // and reads the accepted number's digits back as hexadecimal.
  char hex[16];
  std::snprintf(hex, sizeof hex, "%x", unsigned(uint16_t(a.BaseAddress)));
  int32_t shown = std::atoi(hex);
  if (!GetL(p, shown, 1, 1000, 1, state::Txt(p, 470))) return kFailed;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", int(shown));
  a.BaseAddress = int16_t(uint16_t(store::CharOctToInt(digits)));
  return kDone;
}

int ExDIGOUT(state::Program& p) {
  store::A_s& a = p.RefA();
  int16_t v = a.DOValue;
  if (!GetI(p, v, 0, 255, 0, state::Txt(p, 164))) return kFailed;
  a.DOValue = v;
  daq::TRV_PutDigOut(p, uint16_t(v));
  return kDone;
}

int AnalogOutputCommand(state::Program& p, int output) {
  store::A_s& a = p.RefA();
  float lo = output == 1 ? a.DA1Min : a.DA2Min;
  float hi = output == 1 ? a.DA1Max : a.DA2Max;
  if (hi < lo) std::swap(lo, hi);
  float v = output == 1 ? a.DA1Value : a.DA2Value;
  if (!GetF(p, v, lo, hi, 0.0f, state::Txt(p, output == 1 ? 165 : 166))) return kFailed;
  if (output == 1)
    a.DA1Value = v;
  else
    a.DA2Value = v;
  daq::TRV_SetDA(p);
  return kDone;
}

}  // namespace macro
